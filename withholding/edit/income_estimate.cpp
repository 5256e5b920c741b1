#include "withholding/edit/income_estimate.h"

#include "withholding/adjust/record_input.h"

namespace keiro::withholding {

std::int64_t leastIncomeEstimate(const WithholdingRecord& record, int dataYear) {
    RecordContext context;
    context.dataYear = dataYear;
    YearEndInput input = yearEndInputOf(record, context);
    input.incomeEstimate.reset();
    input.otsu = false;
    input.left = false;
    input.leaveExceptionStated = false;
    return calculateYearEnd(input).incomeAfterDeduction;
}

}  // namespace keiro::withholding
