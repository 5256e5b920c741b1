#pragma once
// New postal-code data, from a download or a file the clerk chooses: Japan Post's zip holding
// KEN_ALL.CSV, or the CSV itself.  It is unpacked, every line is checked (ken_all.h), and only
// data that checked out in full replaces YubinNo.dat, atomically (a temporary file beside it,
// renamed over it); anything else leaves the installed data as it was.  Beside it goes the list
// of which municipality each postal code lies in (core/municipality_file.h), from the same data.

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "withholding/postal/ken_all.h"

namespace keiro::withholding {

namespace fs = std::filesystem;

// Unpacked, the published list is about 12 MB; anything above this is refused unread (a zip
// bomb, or not the postal list).
inline constexpr std::size_t kMaxPostalDataBytes = 64 * 1024 * 1024;

// Data that is not a valid postal list.  what() is the reasons, one a line, in Japanese.
class PostalDataError : public std::runtime_error {
  public:
    explicit PostalDataError(const std::vector<std::string>& reasons);
    const std::vector<std::string>& reasons() const { return reasons_; }

  private:
    std::vector<std::string> reasons_;
};

// Whether the bytes begin like a zip archive ("PK" and a local or end-of-directory header).
bool looksLikeZip(std::string_view bytes);

// The one file of a zip archive, which must be a ".csv" of at most `maxBytes` bytes unpacked.
// Anything else (a damaged or cut-off archive, several files, another kind of file, more than
// `maxBytes`) throws PostalDataError.
std::string unpackSingleCsv(std::string_view zipBytes, std::size_t maxBytes = kMaxPostalDataBytes);

// A zip (see above) or a CSV, read with convertKenAll.  A bad archive throws PostalDataError;
// the lines' faults are in the result.
PostalConversion convertPostalData(std::string_view bytes);

struct PostalInstall {
    std::size_t lines = 0;
    std::size_t entries = 0;
    std::size_t municipalities = 0;  // lines of the municipality file
};

// Converts the data and, only when every line checked out, writes it to `target` and the
// municipality file to the same folder (each atomically, readable by all: the postal list is
// public).  Otherwise throws PostalDataError with the
// faults, and `target` is untouched; a failure to write is an IoError.
PostalInstall installPostalData(std::string_view bytes, const fs::path& target);

}  // namespace keiro::withholding
