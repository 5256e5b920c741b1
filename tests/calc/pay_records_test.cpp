// The pay half of the record codec: every amount and hand-entry flag of the records reaches
// the calculation at its item number, a result stores back byte for byte, and an amount beyond
// the records' 32-bit fields is clamped on the way in to the file.
#include "calc/pay_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
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

// Each amount is clamped on its own: the range's ends are kept exactly, one past them is held
// to them, wherever in either record the amount stands, and the other amounts of the record
// are written as they are.
TEST(PayRecords, EachAmountIsClampedOnItsOwnAtTheRangesEnds) {
    constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
    const struct {
        std::int64_t amount;
        std::int32_t stored;
    } cases[] = {{kMax, kMax},
                 {kMin, kMin},
                 {std::int64_t{kMax} + 1, kMax},
                 {std::int64_t{kMin} - 1, kMin},
                 {std::int64_t{1} << 32, kMax},  // nothing in the low 32 bits
                 {-(std::int64_t{1} << 32), kMin},
                 {kHuge, kMax},
                 {-kHuge - 1, kMin}};
    for (const auto& c : cases) {
        for (const int item : {1, 11, 22}) {
            PayResult r;
            for (int j = 1; j <= kPayItemCount; ++j) r.payments[j - 1] = Yen(-j * 1'000);
            for (int j = 1; j <= kDeductionItemCount; ++j) r.deductions[j - 1] = Yen(j * 7);
            r.payments[item - 1] = Yen(c.amount);
            r.deductions[item - 1] = Yen(c.amount);
            PaymentRecord p = patterned<PaymentRecord>(17);
            DeductionRecord d = patterned<DeductionRecord>(19);
            const PaymentRecord pBefore = p;
            const DeductionRecord dBefore = d;
            storePayResult(r, p, d);
            for (int j = 1; j <= kPayItemCount; ++j) {
                EXPECT_EQ(int(p.amount(j)), j == item ? c.stored : -j * 1'000) << c.amount << j;
                EXPECT_EQ(int(d.amount(j)), j == item ? c.stored : j * 7) << c.amount << j;
            }
            // Flags and the bytes after the amounts are left alone.
            const std::size_t amounts = 4 * kPayItemCount;
            EXPECT_EQ(
                std::memcmp(reinterpret_cast<const char*>(&p) + amounts,
                            reinterpret_cast<const char*>(&pBefore) + amounts, sizeof p - amounts),
                0);
            EXPECT_EQ(
                std::memcmp(reinterpret_cast<const char*>(&d) + amounts,
                            reinterpret_cast<const char*>(&dBefore) + amounts, sizeof d - amounts),
                0);
        }
    }
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

// Every figure of the master and the attendance reaches its own member: each is given a value
// no other has.
TEST(PayRecords, EveryMasterAndAttendanceFigureReachesItsOwnMember) {
    EmployeeRecord e{};
    e.payForm = 2;
    e.basePay = 101;
    e.paidLeavePay = 102;
    e.positionAllowance = 103;
    e.familyAllowance = 104;
    e.fixedAllowance1 = 105;
    e.fixedAllowance2 = 106;
    e.fixedAllowance3 = 107;
    e.commuteNonTaxable = 108;
    e.commuteTaxable = 109;
    e.overtimeRate = 110;
    e.lateNightRate = 111;
    e.holidayOvertimeRate = 112;
    e.holidayLateNightRate = 113;
    e.absenceDeductionRate = 114;
    e.lateDeductionRate = 115;
    e.fixedDeduction1 = 116;
    e.fixedDeduction2 = 117;
    e.fixedDeduction3 = 118;
    e.residentTax = 119;
    e.residentTaxJune = 120;
    e.healthInsPremium = 121;
    e.nursingInsPremium = 122;
    e.pensionPremium = 123;
    e.pensionFundPremium = 124;
    e.supportPremium = 125;
    e.healthInsured = 0;
    e.nursingInsured = 1;
    e.pensionInsured = 0;
    e.pensionFundMember = 1;
    e.employmentInsured = 0;
    e.taxColumn = 1;
    e.dependentRelatives = 7;
    AttendanceRecord a{};
    a.daysWorked = 1.5;
    a.paidLeaveDays = 2.5;
    a.absentDays = 3.5;
    a.hoursWorked = 4.5;
    a.overtimeHours = 5.5;
    a.lateNightHours = 6.5;
    a.holidayOvertimeHours = 7.5;
    a.holidayLateNightHours = 8.5;
    a.lateHours = 9.5;
    FormItems items;
    items.pay[4] = items.deduction[9] = items.other[1] = items.settlement = true;
    const PayInput in = payInputOf(e, a, PaymentRecord{}, DeductionRecord{}, items);

    EXPECT_EQ(in.payForm, 2);
    const Yen master[] = {in.basePay,
                          in.paidLeavePay,
                          in.positionAllowance,
                          in.familyAllowance,
                          in.fixedAllowances[0],
                          in.fixedAllowances[1],
                          in.fixedAllowances[2],
                          in.commuteNonTaxable,
                          in.commuteTaxable,
                          in.overtimeRate,
                          in.lateNightRate,
                          in.holidayOvertimeRate,
                          in.holidayLateNightRate,
                          in.absenceDeductionRate,
                          in.lateDeductionRate,
                          in.fixedDeductions[0],
                          in.fixedDeductions[1],
                          in.fixedDeductions[2],
                          in.residentTax,
                          in.residentTaxJune,
                          in.healthPremium,
                          in.nursingPremium,
                          in.pensionPremium,
                          in.pensionFundPremium,
                          in.supportPremium};
    for (std::size_t i = 0; i < std::size(master); ++i) {
        EXPECT_EQ(master[i], Yen(101 + static_cast<std::int64_t>(i))) << i;
    }
    EXPECT_FALSE(in.healthInsured);
    EXPECT_TRUE(in.nursingInsured);
    EXPECT_FALSE(in.pensionInsured);
    EXPECT_TRUE(in.pensionFundMember);
    EXPECT_FALSE(in.employmentInsured);
    EXPECT_EQ(in.taxColumn, 1);
    EXPECT_EQ(in.dependents, 7);
    const double attendance[] = {
        in.daysWorked,           in.paidLeaveDays,         in.absentDays,
        in.hoursWorked,          in.overtimeHours,         in.lateNightHours,
        in.holidayOvertimeHours, in.holidayLateNightHours, in.lateHours};
    for (std::size_t i = 0; i < std::size(attendance); ++i) {
        EXPECT_EQ(attendance[i], 1.5 + static_cast<double>(i)) << i;
    }
    EXPECT_EQ(in.items.pay, items.pay);
    EXPECT_EQ(in.items.deduction, items.deduction);
    EXPECT_EQ(in.items.other, items.other);
    EXPECT_TRUE(in.items.settlement);
    EXPECT_FALSE(in.items.support);
}

}  // namespace
}  // namespace keiro::calc
