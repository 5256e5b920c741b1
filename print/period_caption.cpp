#include "print/period_caption.h"

namespace keiro::print {
namespace {

std::string periodName(int period, std::string_view extraBonusCaption) {
    switch (period) {
        case kFirstBonusPeriod:
            return "夏期賞与";
        case kFirstBonusPeriod + 1:
            return "冬期賞与";
        case kFirstBonusPeriod + 2:
            return std::string(extraBonusCaption);
        default:
            return std::to_string(period) + "月分給与";
    }
}

}  // namespace

std::string periodCaption(const EraYear& fileYear, const EraNames& names, int period, int month,
                          std::string_view extraBonusCaption) {
    const EraYear shown = displayEraYear(fileYear, month, names);
    return "[" + shown.eraName + std::to_string(shown.eraYear) + "年 " +
           periodName(period, extraBonusCaption) + "]";
}

std::string periodCaption(const YearData& year, const ItemNames& names) {
    const int period = year.period();
    const int month =
        isBonusPeriod(period) ? year.header().bonusPayMonth[period - kFirstBonusPeriod] : period;
    return periodCaption({year.eraName(), year.eraYear()}, year.eraNames(), period, month,
                         names.extraBonusCaption);
}

}  // namespace keiro::print
