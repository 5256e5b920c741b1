// The least income estimate: the employment income of the record's pay, after the 所得金額調整
// 控除, whatever else the record says.
#include "withholding/edit/income_estimate.h"

#include <gtest/gtest.h>

namespace keiro::withholding {
namespace {

WithholdingRecord paidRecord(std::int32_t paid) {
    WithholdingRecord record{};
    record.paid = paid;
    return record;
}

TEST(LeastIncomeEstimate, IsTheEmploymentIncomeOfTheYearsPay) {
    // 2026: 3,000,000 − (3,000,000 × 30 % + 80,000) = 2,020,000.
    EXPECT_EQ(leastIncomeEstimate(paidRecord(3'000'000), 2026), 2'020'000);
    // 2026's minimum deduction 740,000: 1,000,000 − 740,000.
    EXPECT_EQ(leastIncomeEstimate(paidRecord(1'000'000), 2026), 260'000);
    EXPECT_EQ(leastIncomeEstimate(paidRecord(0), 2026), 0);
}

TEST(LeastIncomeEstimate, TakesTheIncomeAdjustmentOff) {
    // 2025, 9,500,000 with a child under 16: 9,500,000 − 1,950,000 = 7,550,000, less
    // (9,500,000 − 8,500,000) × 10 % = 100,000.
    WithholdingRecord record = paidRecord(9'500'000);
    record.under16 = 1;
    EXPECT_EQ(leastIncomeEstimate(record, 2025), 7'450'000);
    record.under16 = 0;
    EXPECT_EQ(leastIncomeEstimate(record, 2025), 7'550'000);
}

TEST(LeastIncomeEstimate, IgnoresTheEstimateItselfAndWhetherTheEmployeeIsAdjusted) {
    WithholdingRecord record = paidRecord(3'000'000);
    record.incomeEstimateEntered = 1;
    record.incomeEstimate = 100;
    record.flags.secondaryColumn = 1;  // 乙欄
    record.joinLeaveBirth.left = 1;
    EXPECT_EQ(leastIncomeEstimate(record, 2026), 2'020'000);
}

}  // namespace
}  // namespace keiro::withholding
