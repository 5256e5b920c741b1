#include "withholding/print/law_items.h"

#include "withholding/adjust/record_input.h"
#include "withholding/calc/year_end_calc.h"
#include "withholding/model/records.h"

namespace keiro::withholding {

FormEdition formEdition(int calendarYear) {
    return {calendarYear >= 2020, calendarYear >= 2025};
}

LawItems lawItemsFor(const WithholdingRecord& record, int calendarYear) {
    if (!formEdition(calendarYear).from2020 || record.totalDeductions <= 0 ||
        record.flags.secondaryColumn == 1 || record.adjustStatus == kNotAdjusted) {
        return {};
    }
    // The same reading of the record as the automatic calculation's, hand-entered items included.
    const YearEndResult result =
        calculateYearEnd(yearEndInputOf(record, RecordContext{calendarYear}));
    if (result.notNeeded) return {};
    LawItems items;
    items.shown = true;
    items.basic = result.basic;
    items.incomeAdjustment = result.incomeAdjustment;
    items.specificRelativeDeduction = result.specificRelative;
    for (std::int32_t income : record.specificRelativeIncome) {
        if (income > 0) ++items.specificRelatives;
    }
    return items;
}

}  // namespace keiro::withholding
