#include "withholding/print/year_labels.h"

namespace keiro::withholding {
namespace {

constexpr int kLastEarlierEraYear = 31;

bool isFirstYearOfNewEra(const EraYear& year, const EraNames& eras) {
    return year.eraName == eras.earlier && year.eraYear == kLastEarlierEraYear &&
           eras.newEra != eras.earlier;
}

}  // namespace

std::string documentYearLabel(const EraYear& year, const EraNames& eras) {
    if (isFirstYearOfNewEra(year, eras)) return eras.newEra + "元年分";
    return year.eraName + " " + std::to_string(year.eraYear) + " 年分";
}

std::string noticeYearLabel(const EraYear& year, const EraNames& eras) {
    if (isFirstYearOfNewEra(year, eras)) return " (" + eras.newEra + "元年分)";
    return "(" + year.eraName + std::to_string(year.eraYear) + "年分)";
}

EraYear followingYear(const EraYear& year, const EraNames& eras) {
    if (isFirstYearOfNewEra(year, eras)) return {eras.newEra, 2};
    return {year.eraName, year.eraYear + 1};
}

std::string eraOfIndex(int index, const EraNames& eras) {
    static constexpr const char* kOld[] = {"明治", "大正", "昭和", "平成"};
    if (index >= 1 && index <= 4) return kOld[index - 1];
    if (index == 5) return eras.newEra;
    return {};
}

}  // namespace keiro::withholding
