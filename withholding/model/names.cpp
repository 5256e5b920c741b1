#include "withholding/model/names.h"

#include <cstdio>

namespace keiro::withholding {
namespace {

constexpr std::string_view kPrefix = "源泉徴収(";
constexpr int kEarlierEraLastYear = 31;
constexpr int kFirstCurrentFormatYear = 28;

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2d", value);
    return text;
}

}  // namespace

std::string withholdingFileName(const EraYear& year) {
    return std::string(kPrefix) + year.eraName + twoDigits(year.eraYear) + "年).dat";
}

EraYear previousEraYear(const EraYear& year, const EraNames& names) {
    if (year.eraYear == 2 && year.eraName == names.newEra && names.newEra != names.earlier) {
        return {names.earlier, kEarlierEraLastYear};
    }
    return {year.eraName, year.eraYear - 1};
}

bool isCurrentFormat(const std::filesystem::path& path, std::string_view earlierEra) {
    const std::string fileName = path.filename().string();
    std::string_view name = fileName;
    if (name.starts_with(kPrefix)) name.remove_prefix(kPrefix.size());
    if (earlierEra.empty() || !name.starts_with(earlierEra)) return true;
    name.remove_prefix(earlierEra.size());
    if (name.size() < 2 || name[0] < '0' || name[0] > '9' || name[1] < '0' || name[1] > '9') {
        return true;
    }
    return (name[0] - '0') * 10 + (name[1] - '0') >= kFirstCurrentFormatYear;
}

WithholdingPaths withholdingPathsFor(const std::filesystem::path& yearFile, const EraYear& year,
                                     const EraNames& names) {
    const std::filesystem::path folder = yearFile.parent_path();
    const EraYear previous = previousEraYear(year, names);
    WithholdingPaths paths;
    paths.file = folder / withholdingFileName(year);
    paths.previousFile = folder / withholdingFileName(previous);
    paths.previousYearFile = folder / yearFileName(previous);
    paths.currentFormat = isCurrentFormat(paths.file, names.earlier);
    paths.previousCurrentFormat = isCurrentFormat(paths.previousFile, names.earlier);
    return paths;
}

}  // namespace keiro::withholding
