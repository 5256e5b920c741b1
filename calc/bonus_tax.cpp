#include "calc/bonus_tax.h"

#include <algorithm>
#include <limits>

namespace keiro::calc {
namespace {

std::int32_t clampTax(std::int64_t tax) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(tax, 0, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

BonusTaxResult BonusIncomeTax(const BonusTaxInput& input, const SalaryTaxTable& salary,
                              const BonusTaxTable& bonus, const YenRounding& rounding) {
    if (!input.taxItemActive) return {0, false};
    if (input.manual) return {input.storedTax, false};
    if (input.bonusAmount <= 0) return {0, false};  // nothing paid, nothing to tax either way
    const std::int64_t previous = input.previousMonthAmount;
    if (previous <= 0 || 10 * previous < input.bonusAmount) {
        return {MonthlyTableBonusTax(salary, input.previousMonthAmount, input.bonusAmount,
                                     input.dependents, input.column, input.months, rounding),
                true};
    }
    return {bonus.LookupBonusTax(input.previousMonthAmount, input.bonusAmount, input.dependents,
                                 input.column, rounding),
            false};
}

std::int32_t MonthlyTableBonusTax(const SalaryTaxTable& salary, std::int32_t previousMonthAmount,
                                  std::int32_t bonusAmount, std::int32_t dependents, int column,
                                  int months, const YenRounding& rounding) {
    const std::int64_t divisor = std::max(months, 1);
    const std::int64_t previous = std::max<std::int32_t>(previousMonthAmount, 0);
    const std::int64_t withShare = std::clamp<std::int64_t>(
        previous + bonusAmount / divisor, 0, std::numeric_limits<std::int32_t>::max());
    const std::int64_t onShare =
        std::int64_t{salary.LookupSalaryTax(static_cast<std::int32_t>(withShare), column,
                                            dependents, rounding)} -
        salary.LookupSalaryTax(static_cast<std::int32_t>(previous), column, dependents, rounding);
    return clampTax(onShare * divisor);
}

std::string bonusTaxMonthlyTableNotice(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kNoticeNames; ++i) {
        text += names[i] + "さんの賞与の所得税は月額表で計算しました。\n";
    }
    if (names.size() > kNoticeNames) {
        text += "ほか " + std::to_string(names.size() - kNoticeNames) +
                " 名の賞与の所得税も月額表で計算しました。\n";
    }
    text +=
        "\n前月中の給与の支払いがないか、賞与（社会保険料等控除後）が前月中の給与の10倍を"
        "超えるため、\n賞与の税率表は使えません。";
    return text;
}

}  // namespace keiro::calc
