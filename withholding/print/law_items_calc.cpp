// The later form items by the year-end calculation (law_items.h).
#include "withholding/calc/year_end_calc.h"
#include "withholding/print/law_items.h"

namespace keiro::withholding {

LawItems lawItemsFrom(const LawInputs& in) {
    YearEndInput input;
    input.dataYear = in.calendarYear;
    input.paid = in.paid;
    input.withheld = in.withheld;
    input.socialInsurance = in.socialInsurance;
    if (in.manualIncomeAfterDeduction) input.manualIncomeAfterDeduction = in.incomeAfterDeduction;
    if (in.incomeEstimateEntered) input.incomeEstimate = in.incomeEstimate;
    input.otsu = in.otsu;
    input.selfSpecialDisabled = in.selfSpecialDisabled;
    input.specificDependants = in.specificDependants;
    input.under16Dependants = in.under16Dependants;
    input.specialDisabled = in.specialDisabled;
    LawItems items;
    for (long long income : in.specificRelativeIncomes) {
        if (income <= 0) continue;
        input.specificRelativeIncomes.push_back(income);
        ++items.specificRelatives;
    }
    const YearEndResult result = calculateYearEnd(input);
    if (result.notNeeded) return {};
    items.shown = true;
    items.basic = result.basic;
    items.incomeAdjustment = result.incomeAdjustment;
    items.specificRelativeDeduction = result.specificRelative;
    return items;
}

}  // namespace keiro::withholding
