#pragma once
// A saved period of a year file opened as the main window holds it, for the commands that
// change and save it.

#include <filesystem>

#include "core/records.h"
#include "core/yearfile.h"

namespace keiro::tool {

// The figures the selection window shows for a saved period: its own scheduled days and hours,
// or the bonus's pay month and day, so that opening it changes nothing.
PeriodEntry storedEntry(const std::filesystem::path& file, int period,
                        const YearFileHeader& header);

// The year file opened at a saved period.  UsageError for a name that is not a year file's,
// std::runtime_error for a period never saved.
YearData openSavedYear(const std::filesystem::path& file, int period);

}  // namespace keiro::tool
