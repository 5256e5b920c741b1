#include "withholding/print/law_items.h"

#include "withholding/model/records.h"

namespace keiro::withholding {

FormEdition formEdition(int calendarYear) {
    return {calendarYear >= 2020, calendarYear >= 2025};
}

LawItems lawItemsFor(const WithholdingRecord& r, int calendarYear) {
    if (!formEdition(calendarYear).from2020 || r.totalDeductions <= 0 ||
        r.flags.secondaryColumn == 1) {
        return {};
    }
    LawInputs in;
    in.calendarYear = calendarYear;
    in.paid = r.paid;
    in.withheld = r.withheld;
    in.socialInsurance = r.socialInsurance;
    in.manualIncomeAfterDeduction = r.isManual(kManualIncomeAfterDeduction);
    in.incomeAfterDeduction = r.incomeAfterDeduction;
    in.incomeEstimateEntered = r.incomeEstimateEntered == 1;
    in.incomeEstimate = r.incomeEstimate;
    in.selfSpecialDisabled = r.flags.disabledSpecial == 1;
    in.specificDependants = r.dependants.specific;
    in.under16Dependants = r.under16;
    in.specialDisabled = r.disabled.special;
    for (int i = 0; i < 4; ++i) in.specificRelativeIncomes[i] = r.specificRelativeIncome[i];
    return lawItemsFrom(in);
}

}  // namespace keiro::withholding
