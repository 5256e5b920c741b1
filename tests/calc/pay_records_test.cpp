// The pay half of the record codec: every amount and hand-entry flag of the records reaches
// the calculation at its item number, a result stores back byte for byte, and an amount beyond
// the records' 32-bit fields is clamped on the way in to the file.
#include "calc/pay_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace keiro::calc {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Records whose every byte is set, so that a field taken from the wrong place shows.
template <typename Record>
Record patterned(unsigned char seed) {
    Record r;
    auto* bytes = reinterpret_cast<unsigned char*>(&r);
    for (std::size_t i = 0; i < sizeof r; ++i) bytes[i] = static_cast<unsigned char>(seed + 7 * i);
    return r;
}

TEST(PayRecords, AmountsAndFlagsReachTheCalculationByItemNumber) {
    EmployeeRecord e{};
    AttendanceRecord a{};
    PaymentRecord p = patterned<PaymentRecord>(3);
    DeductionRecord d = patterned<DeductionRecord>(5);
    p.manualFlags[16] = 1;  // 遅刻早退控除
    d.manualFlags[7] = 1;   // 所得税
    const PayInput in = payInputOf(e, a, p, d, FormItems{});
    for (int j = 1; j <= kPayItemCount; ++j) {
        EXPECT_EQ(in.payments[j - 1], Yen(p.amount(j))) << j;
        EXPECT_EQ(in.paymentManual[j - 1], p.isManual(j)) << j;
    }
    for (int j = 1; j <= kDeductionItemCount; ++j) {
        EXPECT_EQ(in.deductions[j - 1], Yen(d.amount(j))) << j;
        EXPECT_EQ(in.deductionManual[j - 1], d.isManual(j)) << j;
    }
    EXPECT_TRUE(in.paymentManual[pay_item::kLateness - 1]);
    EXPECT_TRUE(in.deductionManual[deduction_item::kIncomeTax - 1]);
    EXPECT_EQ(in.deductions[deduction_item::kSettlement - 1], Yen(d.yearEndSettlement));
}

TEST(PayRecords, AResultStoresBackByteForByte) {
    const PaymentRecord p = patterned<PaymentRecord>(11);
    const DeductionRecord d = patterned<DeductionRecord>(13);
    const PayInput in = payInputOf(EmployeeRecord{}, AttendanceRecord{}, p, d, FormItems{});
    PayResult unchanged;
    unchanged.payments = in.payments;
    unchanged.deductions = in.deductions;
    PaymentRecord p2 = p;
    DeductionRecord d2 = d;
    storePayResult(unchanged, p2, d2);
    EXPECT_EQ(std::memcmp(&p, &p2, sizeof p), 0);
    EXPECT_EQ(std::memcmp(&d, &d2, sizeof d), 0);
}

TEST(PayRecords, AmountsBeyondTheFieldsAreClamped) {
    PayResult r;
    r.payments[pay_item::kPayTotal - 1] = Yen(std::int64_t{kMax} + 1);
    r.deductions[deduction_item::kDeductionTotal - 1] = Yen(std::int64_t{kMin} - 1);
    PaymentRecord p{};
    DeductionRecord d{};
    storePayResult(r, p, d);
    EXPECT_EQ(int(p.payTotal), kMax);
    EXPECT_EQ(int(d.deductionTotal), kMin);
}

TEST(PayRecords, TheMasterAndTheAttendanceAsTheCalculationReadsThem) {
    EmployeeRecord e{};
    e.payForm = 3;
    e.basePay = 1'200;
    e.paidLeavePay = 7'000;
    e.fixedAllowance3 = 3'333;
    e.fixedDeduction1 = 1'111;
    e.residentTax = 9'000;
    e.residentTaxJune = 9'500;
    e.healthInsured = 2;  // any non-zero byte is insured
    e.nursingInsured = 0;
    e.dependentRelatives = 3;
    e.taxColumn = 1;
    AttendanceRecord a{};
    a.hoursWorked = 160.25;
    a.lateHours = 0.5;
    const PayInput in = payInputOf(e, a, PaymentRecord{}, DeductionRecord{}, FormItems{});
    EXPECT_EQ(in.payForm, 3);
    EXPECT_EQ(in.basePay, Yen(1'200));
    EXPECT_EQ(in.paidLeavePay, Yen(7'000));
    EXPECT_EQ(in.fixedAllowances[2], Yen(3'333));
    EXPECT_EQ(in.fixedDeductions[0], Yen(1'111));
    EXPECT_EQ(in.residentTax, Yen(9'000));
    EXPECT_EQ(in.residentTaxJune, Yen(9'500));
    EXPECT_TRUE(in.healthInsured);
    EXPECT_FALSE(in.nursingInsured);
    EXPECT_EQ(in.dependents, 3);
    EXPECT_EQ(in.taxColumn, 1);
    EXPECT_EQ(in.hoursWorked, 160.25);
    EXPECT_EQ(in.lateHours, 0.5);
}

}  // namespace
}  // namespace keiro::calc
