#include "calc/bonus_tax.h"

namespace keiro::calc {

std::string bonusTaxHandEntryQuestion(bool forOneEmployee) {
    return std::string(kMsgBonusTaxExceptions) +
           std::string(forOneEmployee ? kMsgBonusTaxQuestionOne : kMsgBonusTaxQuestionAll);
}

BonusTaxResult BonusIncomeTax(const BonusTaxInput& input, const BonusTaxTable& table,
                              const YenRounding& rounding) {
    if (!input.taxItemActive) return {0, false};
    if (input.manual) return {input.storedTax, false};
    const std::int64_t previous = input.previousMonthAmount;
    if (previous <= 0 || 10 * previous < input.bonusAmount) return {0, true};
    return {table.LookupBonusTax(input.previousMonthAmount, input.bonusAmount, input.dependents,
                                 input.column, rounding),
            false};
}

}  // namespace keiro::calc
