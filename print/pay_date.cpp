#include "print/pay_date.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace keiro::print {
namespace {

constexpr int kLastEarlierEraYear = 31;
constexpr int kLastMonthOfEarlierEra = 4;

int number(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string twoWide(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%2d", value);
    return buffer;
}

}  // namespace

PayDateNumbers defaultPayDate(FileYear year, int period, const YearFileHeader& header,
                              const PeriodSettings& settings) {
    if (isBonusPeriod(period)) {
        const int bonus = period - kFirstBonusPeriod;
        return {year.eraYear, header.bonusPayMonth[bonus], header.bonusPayDay[bonus]};
    }
    const PayDate texts = payDate(year, period, settings);
    return {number(texts.year), number(texts.month), number(texts.day)};
}

PayDateTexts payDateTexts(const PayDateNumbers& date, const PayDateContext& context) {
    const bool afterApril = date.month > kLastMonthOfEarlierEra;
    const bool lastEarlierYearAfterApril = date.year == kLastEarlierEraYear && afterApril;

    int year = date.year;
    if (context.todayEraYear == 1 || lastEarlierYearAfterApril) year = 1;

    // December's pay of the earlier era's last year, paid in January, already counts in the
    // new era (year 2): its name must follow too, or the label would read a year the earlier
    // era never had.
    const bool rolledIntoNewEra = !context.dataNewEra &&
                                  context.dataEraYear == kLastEarlierEraYear &&
                                  date.year != kLastEarlierEraYear;

    const bool followingEra =
        lastEarlierYearAfterApril || (year == 1 && afterApril) || rolledIntoNewEra;

    PayDateTexts texts;
    texts.year = twoWide(year);
    texts.month = twoWide(date.month);
    texts.day = twoWide(date.day);
    texts.eraName = followingEra ? context.followingEraName : context.dataEraName;
    texts.label = payDateLabel(texts.eraName);
    return texts;
}

std::string payDateLabel(const std::string& eraName) {
    return eraName + "    年    月    日";
}

PayDateTexts proposedPayDate(const EraYear& fileYear, const EraNames& eraNames, int period,
                             const YearFileHeader& header, const PeriodSettings& settings,
                             int todayEraYear) {
    const bool newEra = fileYear.eraName != eraNames.earlier;
    const PayDateNumbers date =
        defaultPayDate(FileYear{newEra, fileYear.eraYear}, period, header, settings);
    return payDateTexts(date, PayDateContext{fileYear.eraName, newEra, fileYear.eraYear,
                                             eraNames.newEra, todayEraYear});
}

PayDateEntry payDateEntryOf(const PayDateTexts& texts) {
    const auto number = [](const std::string& text) { return std::atoi(text.c_str()); };
    return {texts.eraName, number(texts.year), number(texts.month), number(texts.day)};
}

}  // namespace keiro::print
