#pragma once
// The withholding file's name, its predecessor's, and which record format a year uses.
//
// The withholding file lies beside its year file and is named "源泉徴収(<era><yy>年).dat".  The
// previous year is era year − 1, except that year 2 of the new era follows the earlier era's 31
// (the calendar year 2019 is filed under 平成31).  Years of the earlier era before 28 keep
// 500-byte records; 平成28 and later, and every year of another era, have 1500-byte records.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/era.h"

namespace keiro::withholding {

// "源泉徴収(平成28年).dat".
std::string withholdingFileName(const EraYear& year);

// The era year before `year`, with the change of era from the earlier era's 31.
EraYear previousEraYear(const EraYear& year, const EraNames& names);

// Whether the file named `path` (a year file or a withholding file) has 1500-byte records.
// `earlierEra` is the earlier era's name (平成).
bool isCurrentFormat(const std::filesystem::path& path, std::string_view earlierEra);

// The files a year's withholding work touches.
struct WithholdingPaths {
    std::filesystem::path file;              // this year's withholding file
    std::filesystem::path previousFile;      // last year's withholding file
    std::filesystem::path previousYearFile;  // last year's year file
    bool currentFormat = true;
    bool previousCurrentFormat = true;
};

// For the year file at `yearFile`, filed as `year`: every file lies in its folder.
WithholdingPaths withholdingPathsFor(const std::filesystem::path& yearFile, const EraYear& year,
                                     const EraNames& names);

}  // namespace keiro::withholding
