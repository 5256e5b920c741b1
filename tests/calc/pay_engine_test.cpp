// The pay calculation over plain values: a month's payments, premiums, totals and income tax,
// what the layout and hand entries decide, the amounts it leaves alone, the 32-bit hold on
// damaged amounts, and a bonus's premiums within their caps and its income tax.
#include "calc/pay_engine.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/pay_fixture.h"

namespace keiro::calc::testing {
namespace {

using namespace pay_item;
using namespace deduction_item;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

FormItems everyItem() {
    FormItems on;
    on.pay.fill(true);
    on.deduction.fill(true);
    on.other.fill(true);
    on.support = on.settlement = true;
    return on;
}

Rate percent(const char* text) {
    return Rate::parsePercent(text).value();
}

// Tokyo-like rates: health 4.925 %, care 0.795 %, pension 9.15 %, employment 0.55 %.
Law law() {
    Law l;
    l.tax = &builtTaxTables();
    l.rates = {percent("4.925"), percent("0.795"), percent("9.15"),
               Rate(),           percent("0.55"),  Rate()};
    l.taxableFlags.fill(true);
    l.socialInsBaseFlags.fill(true);
    l.standardBonusUnit = kStandardBonusUnit;
    l.pensionBonusCap = kPensionBonusCap;
    l.healthBonusYearCap = kHealthBonusYearCap;
    return l;
}

PayInput monthly(std::int64_t basePay) {
    PayInput in;
    in.basePay = Yen(basePay);
    in.items = everyItem();
    return in;
}

TEST(ComputeMonthValues, PaymentsPremiumsTotalsAndTax) {
    PayInput in = monthly(250'000);
    in.familyAllowance = Yen(10'000);
    in.commuteNonTaxable = Yen(15'000);
    in.overtimeRate = Yen(1'563);
    in.overtimeHours = 10.5;  // 16,411.5 → 16,412 (切り上げ)
    in.employmentInsured = in.healthInsured = in.pensionInsured = true;
    in.healthPremium = Yen(12'805);
    in.pensionPremium = Yen(23'790);
    in.residentTax = Yen(9'000);
    in.residentTaxJune = Yen(9'500);
    in.payments[kVariableAllowance1 - 1] = Yen(3'000);  // entered in the grid
    const PayResult r = computeMonth(in, law());
    // 支給合計 250,000 + 10,000 + 16,412 + 15,000 + 3,000 = 294,412; the commute is not taxable.
    EXPECT_EQ(r.payment(kOvertime), Yen(16'412));
    EXPECT_EQ(r.payment(kPayTotal), Yen(294'412));
    EXPECT_EQ(r.payment(kTaxableTotal), Yen(279'412));
    // Employment insurance 294,412 × 0.55 % = 1,619.266 → 1,619.
    EXPECT_EQ(r.deduction(kEmployment), Yen(1'619));
    // 社会保険料計 12,805 + 23,790 + 1,619 = 38,214; 社保控除後計 279,412 − 38,214 = 241,198.
    EXPECT_EQ(r.deduction(kSocialInsTotal), Yen(38'214));
    EXPECT_EQ(r.deduction(kPayAfterSocialIns), Yen(241'198));
    EXPECT_EQ(r.deduction(kResidentTax), Yen(9'000));
    const Yen tax = r.deduction(kIncomeTax);
    EXPECT_GT(tax, Yen());
    EXPECT_EQ(r.deduction(kDeductionTotal), Yen(38'214 + 9'000) + tax);
    EXPECT_EQ(r.deduction(kSocialInsBase), Yen(294'412));
    EXPECT_EQ(r.netPay({}), Yen(294'412 - 47'214) - tax);

    Law june = law();
    june.june = true;
    EXPECT_EQ(computeMonth(in, june).deduction(kResidentTax), Yen(9'500));
}

TEST(ComputeMonthValues, IncomeTaxFromThePublishedTable) {
    // 71,680 + 23,619 × 20.42 % = 76,502.9998 → 76,502 on a 社保控除後計 of 763,619.
    const PayResult r = computeMonth(monthly(763'619), law());
    EXPECT_EQ(r.deduction(kPayAfterSocialIns), Yen(763'619));
    EXPECT_EQ(r.deduction(kIncomeTax), Yen(76'502));
}

TEST(ComputeMonthValues, HourlyPayTakesTheOvertimeOffTheHoursWhenTheyIncludeIt) {
    PayInput in = monthly(1'000);
    in.payForm = static_cast<int>(PayForm::Hourly);
    in.hoursWorked = 100.5;
    in.overtimeHours = 4;
    in.lateNightHours = 2;
    in.paidLeaveDays = 1;
    in.paidLeavePay = Yen(7'000);
    // (100.5 − 4 − 2) × 1,000 + 1 × 7,000 = 101,500.
    EXPECT_EQ(computeMonth(in, law()).payment(kBasePay), Yen(101'500));
    Law notIncluded = law();
    notIncluded.hoursWorkedIncludeOvertime = false;
    // 100.5 × 1,000 + 7,000 = 107,500.
    EXPECT_EQ(computeMonth(in, notIncluded).payment(kBasePay), Yen(107'500));
}

TEST(ComputeMonthValues, ReductionsFollowTheirRounding) {
    PayInput in = monthly(200'000);
    in.absenceDeductionRate = Yen(8'333);
    in.absentDays = 1.5;  // −12,499.5
    in.lateDeductionRate = Yen(1'333);
    in.lateHours = 0.75;  // −999.75
    Law l = law();
    l.rounding = YenRounding({RoundingMode::Ceil, RoundingMode::Round, RoundingMode::Truncate});
    const PayResult r = computeMonth(in, l);
    EXPECT_EQ(r.payment(kAbsence), Yen(-12'500));
    EXPECT_EQ(r.payment(kLateness), Yen(-1'000));
    EXPECT_EQ(r.payment(kPayTotal), Yen(200'000 - 12'500 - 1'000));
}

TEST(ComputeMonthValues, LayoutAndHandEntriesDecide) {
    PayInput in = monthly(200'000);
    in.positionAllowance = Yen(30'000);
    in.items.pay[kPosition - 1] = false;  // 役職手当 not on the pay slip: 0, counted nowhere
    in.payments[kPosition - 1] = Yen(30'000);
    in.paymentManual[kFamily - 1] = true;  // 家族手当 entered by hand: kept, counted
    in.payments[kFamily - 1] = Yen(4'321);
    in.familyAllowance = Yen(10'000);
    in.deductionManual[kIncomeTax - 1] = true;
    in.deductions[kIncomeTax - 1] = Yen(777);
    in.items.other = {true, false, true};
    in.payments[pay_item::kOther1 - 1] = Yen(100);
    in.payments[pay_item::kOther1] = Yen(200);  // その他２ off the layout
    in.deductions[deduction_item::kOther1 - 1] = Yen(-5);
    in.deductions[kSettlement - 1] = Yen(-2'000);  // a year-end refund
    const PayResult r = computeMonth(in, law());
    EXPECT_EQ(r.payment(kPosition), Yen());
    EXPECT_EQ(r.payment(kFamily), Yen(4'321));
    EXPECT_EQ(r.payment(kPayTotal), Yen(204'321));
    EXPECT_EQ(r.deduction(kIncomeTax), Yen(777));
    // The deduction copy of その他 follows the payment copy.
    EXPECT_EQ(r.payment(pay_item::kOther1 + 1), Yen());
    EXPECT_EQ(r.deduction(deduction_item::kOther1), Yen(100));
    EXPECT_EQ(r.deduction(deduction_item::kOther1 + 1), Yen());
    // 控除合計 777 − 2,000 (the refund); net 204,321 + 1,223 + その他 100.
    EXPECT_EQ(r.deduction(kDeductionTotal), Yen(777 - 2'000));
    EXPECT_EQ(r.netPay(in.items.other), Yen(204'321 + 1'223 + 100));
}

TEST(ComputeMonthValues, DamagedAmountsAreHeldToTheFilesRange) {
    PayInput in = monthly(kMax);
    in.familyAllowance = Yen(kMax);
    const PayResult r = computeMonth(in, law());
    // 2 × 2,147,483,647 is held to 2,147,483,647, and the tax on it is the table's, not wrapped.
    EXPECT_EQ(r.payment(kPayTotal), Yen(kMax));
    EXPECT_EQ(r.payment(kTaxableTotal), Yen(kMax));
    EXPECT_GT(r.deduction(kIncomeTax), Yen());
    EXPECT_LE(r.deduction(kDeductionTotal), Yen(kMax));
}

// Days and hours of 0 (also −0 and NaN, as a damaged record may hold) pay and take nothing,
// whatever the unit price and the rounding; a factor just beside 0 still gives its product,
// and an item entered by hand keeps its amount however many hours stand beside it.
TEST(ComputeMonthValues, NoDaysOrHoursGiveNothingByEveryRounding) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const RoundingMode mode :
         {RoundingMode::Ceil, RoundingMode::Round, RoundingMode::Truncate}) {
        Law l = law();
        l.rounding = YenRounding({mode, mode, mode});
        for (const double none : {0.0, -0.0, nan}) {
            PayInput in = monthly(300'000);
            in.overtimeRate = in.lateNightRate = Yen(1'875);
            in.holidayOvertimeRate = in.holidayLateNightRate = Yen(-2'250);  // damaged: negative
            in.absenceDeductionRate = Yen(13'637);
            in.lateDeductionRate = Yen(-1'705);
            in.overtimeHours = in.lateNightHours = none;
            in.holidayOvertimeHours = in.holidayLateNightHours = none;
            in.absentDays = in.lateHours = none;
            in.payments[kOvertime - 1] = Yen(999);  // left by an earlier calculation
            in.payments[kLateNight - 1] = Yen(4'444);
            in.paymentManual[kLateNight - 1] = true;  // entered by hand: kept
            const PayResult r = computeMonth(in, l);
            for (const int item :
                 {kOvertime, kHolidayOvertime, kHolidayLateNight, kAbsence, kLateness}) {
                EXPECT_EQ(r.payment(item), Yen()) << item << " " << none;
            }
            EXPECT_EQ(r.payment(kLateNight), Yen(4'444));
            EXPECT_EQ(r.payment(kPayTotal), Yen(304'444));
        }
        // The smallest hours there are: 0.000001 × 1,875 = 0.001875 yen.
        PayInput in = monthly(300'000);
        in.overtimeRate = Yen(1'875);
        in.overtimeHours = 0.000001;
        in.absenceDeductionRate = Yen(13'637);
        in.absentDays = 0.000001;  // −0.013637 yen
        const PayResult r = computeMonth(in, l);
        EXPECT_EQ(r.payment(kOvertime), Yen(mode == RoundingMode::Ceil ? 1 : 0)) << int(mode);
        EXPECT_EQ(r.payment(kAbsence), Yen()) << int(mode);
    }
}

// A daily or hourly worker with no days or hours is paid the paid-leave days alone, and one
// with neither is paid nothing.
TEST(ComputeMonthValues, DailyAndHourlyPayWithNoDaysOrHours) {
    for (const PayForm form : {PayForm::Daily, PayForm::Hourly}) {
        PayInput in = monthly(9'999);
        in.payForm = static_cast<int>(form);
        in.paidLeavePay = Yen(8'001);
        in.paidLeaveDays = 2;
        EXPECT_EQ(computeMonth(in, law()).payment(kBasePay), Yen(16'002)) << int(form);
        in.paidLeaveDays = 0;
        in.payments[kBasePay - 1] = Yen(123);  // what an earlier calculation left
        EXPECT_EQ(computeMonth(in, law()).payment(kBasePay), Yen()) << int(form);
    }
}

PayInput bonus(std::int64_t amount) {
    PayInput in;
    in.items = everyItem();
    in.payments[kBasePay - 1] = Yen(amount);
    in.healthInsured = in.nursingInsured = in.pensionInsured = in.employmentInsured = true;
    return in;
}

TEST(ComputeBonusValues, PremiumsOnTheStandardBonusWithinTheCaps) {
    PayInput in = bonus(500'999);
    in.payments[kPosition - 1] = Yen(100'000);     // 役員報酬: no employment insurance on it
    in.deductions[kResidentTax - 1] = Yen(1'234);  // a bonus has no 住民税 rule: kept as is
    BonusInputs history;
    history.earlierHealthYear = Yen(5'500'000);
    history.earlierThisMonth = Yen(1'200'000);
    const PayResult r = computeBonus(in, history, law());
    // 支給合計 600,999; 標準賞与額 600,000; health base 5,730,000 − 5,500,000 = 230,000;
    // pension base 1,500,000 − 1,200,000 = 300,000.
    EXPECT_EQ(r.payment(kPayTotal), Yen(600'999));
    EXPECT_EQ(r.deduction(kHealth), Yen(11'327));   // 230,000 × 4.925 % = 11,327.5: 50銭 dropped
    EXPECT_EQ(r.deduction(kNursing), Yen(1'829));   // 230,000 × 5.72 % = 13,156 − 11,327
    EXPECT_EQ(r.deduction(kPension), Yen(27'450));  // 300,000 × 9.15 %
    EXPECT_EQ(r.deduction(kEmployment), Yen(2'755));  // 500,999 × 0.55 % = 2,755.4945
    EXPECT_EQ(r.deduction(kSupport), Yen());          // no levy in this period
    EXPECT_EQ(r.deduction(kSocialInsTotal), Yen(11'327 + 1'829 + 27'450 + 2'755));
    EXPECT_EQ(r.deduction(kResidentTax), Yen(1'234));
    EXPECT_EQ(r.deduction(kDeductionTotal), r.deduction(kSocialInsTotal) + r.deduction(kIncomeTax));
}

TEST(ComputeBonusValues, TheLevyIsTheCombinedAmountLessHealthAndCare) {
    PayInput in = bonus(1'000'000);
    Law l = law();
    l.rates.support = percent("0.115");
    const PayResult r = computeBonus(in, {}, l);
    // Health 49,250; health + care 5.72 % = 57,200; + levy 5.835 % = 58,350: levy 1,150.
    EXPECT_EQ(r.deduction(kHealth), Yen(49'250));
    EXPECT_EQ(r.deduction(kNursing), Yen(7'950));
    EXPECT_EQ(r.deduction(kSupport), Yen(1'150));
}

TEST(ComputeBonusValues, IncomeTaxByTheRateTableOrTheMonthlyTable) {
    PayInput in = bonus(4'259'990);
    in.healthInsured = in.nursingInsured = in.pensionInsured = in.employmentInsured = false;
    BonusInputs history;
    history.previousMonthPay = Yen(425'999);
    // Exactly ten times the previous month: the rate table, 608,922.
    PayResult r = computeBonus(in, history, law());
    EXPECT_EQ(r.deduction(kIncomeTax), Yen(608'922));
    EXPECT_FALSE(r.byMonthlyTable);
    // One yen more is above ten times: the monthly-table method.
    in.payments[kBasePay - 1] = Yen(4'259'991);
    r = computeBonus(in, history, law());
    EXPECT_TRUE(r.byMonthlyTable);
    EXPECT_EQ(r.deduction(kDeductionTotal), r.deduction(kIncomeTax));
}

}  // namespace
}  // namespace keiro::calc::testing
