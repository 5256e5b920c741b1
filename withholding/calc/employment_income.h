#pragma once
// Employment income after the employment-income deduction, from the year's total pay.

#include <cstdint>

#include "withholding/calc/year_end_law.h"

namespace keiro::withholding {

// The traditional formulas (data years up to 2019): the pay is first taken down to its step
// (1,000 yen from 1,619,000, 2,000 from 1,620,000, 4,000 from 1,624,000 up to 6,599,999), then
// the rate of its band applies, halves rounded up below 6,600,000 and fractions cut above.
// The 500-byte record years (before 2016) have their own formula from 10,000,000 up; the later
// years cap the income at 17,800,000.
std::int64_t traditionalEmploymentIncome(std::int64_t pay, bool legacyFormat);

// The statutory table of the year-end adjustment (data years from 2020): below 6,600,000 the
// value of the table row the pay falls in, which is the pay minus the deduction at the row's
// lower bound; above, the deduction formula with fractions of a yen cut off.
std::int64_t statutoryEmploymentIncome(std::int64_t pay, const EmploymentTable& table);

}  // namespace keiro::withholding
