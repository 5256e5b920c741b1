#pragma once
// Where new postal-code data is fetched from, decided by the form of the address in the
// setting YubinURL:
//  - an address whose path ends in ".zip" is Japan Post's own list (ken_all.zip): the zip is
//    fetched from that address, and the date of the data is the date the server gives for it
//    (its Last-Modified time, asked with a HEAD request);
//  - any other address is an office's own server holding a copy: "<address>/support/zip/
//    version.txt", whose first line begins with the date of the data, and
//    "<address>/support/zip/zip.dat", the zip itself.
// Either way the zip holds the one KEN_ALL CSV file.

#include <string>
#include <string_view>

namespace keiro::withholding {

struct PostalSource {
    bool hasVersionFile = false;
    std::string versionUrl;  // only with a version file
    std::string dataUrl;
    bool operator==(const PostalSource&) const = default;
};

PostalSource postalSourceFor(std::string_view postalDataUrl);

// The date of the data: the first line of the version file, its first ten characters.
std::string versionDate(std::string_view versionFile);
// A date as a version file gives it: "2026/12/01" (or with "-" or "."), a month and day that
// exist.
bool isVersionDate(std::string_view text);

}  // namespace keiro::withholding
