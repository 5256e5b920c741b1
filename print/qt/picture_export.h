#pragma once
// Pay slips saved as JPEG pictures, one per employee, into a folder the clerk chose.

#include <filesystem>
#include <vector>

#include "print/report.h"

namespace keiro::print {

// Draws every picture of the report (840 × 592 pixels on white) and writes it into `folder`
// under its safe, unique file name (the folder is made when it is not there yet).  Each file is
// written at once and readable by its owner only; a file of the same name from an earlier export is
// replaced.  Returns the files written. Throws IoError when a file cannot be written (those written
// before it stay).
std::vector<std::filesystem::path> writePictures(const Report& report,
                                                 const std::filesystem::path& folder);

}  // namespace keiro::print
