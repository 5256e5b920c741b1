#pragma once
// The least estimate of 合計所得金額 an employee can declare.  The estimate includes the pay
// from this employer, so it is never below the employment income of the year's 支払金額 after
// the 所得金額調整控除, as the year-end calculation of the data year works it out.

#include <cstdint>

#include "withholding/model/records.h"

namespace keiro::withholding {

// The record as the editor shows it; its own estimate, a 乙欄 mark or a leaving date do not
// change the figure.
std::int64_t leastIncomeEstimate(const WithholdingRecord& record, int dataYear);

}  // namespace keiro::withholding
