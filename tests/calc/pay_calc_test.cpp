// The pay of one employee computed from the records: base pay by pay form, the rounding
// settings, the free items' flags, resident tax, employees not at work, hand-entered amounts,
// items off the layout, the monthly income tax from the published table, the bonus premiums
// with their caps and the bonus income tax.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>

#include "calc/bonus_tax.h"
#include "calc/pay_calc.h"
#include "tests/support/pay_fixture.h"

namespace keiro::calc::testing {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
const PaymentRecord kNoPayment{};
const DeductionRecord kNoDeduction{};

using ComputeMonthTest = PayFixture;
class ComputeBonusTest : public PayFixture {
  protected:
    // The bonus of 10 July 2026 with rates that give round premiums: health 4.925%, care 0.8%,
    // pension 9.15%, fund 1% and employment 0.5%.
    void openJulyBonusAtRoundRates() {
        openBonus(13, 7, 10);
        PeriodSettings& rates = year_.block().settings;
        rates.healthInsRate = 4.925;
        rates.nursingInsRate = 0.8;
        rates.pensionRate = 9.15;
        rates.pensionFundRate = 1.0;
        rates.employmentInsRate = 0.5;
    }
};

TEST_F(ComputeMonthTest, BasePayByPayForm) {
    const struct {
        const char* what;
        int payForm;
        bool jitudou;
        double days, paidLeave, hours, overtime, lateNight, holidayOvertime, holidayLateNight;
        std::int32_t wage, paidLeavePay, expected;
    } cases[] = {
        {"daily 20 days and 1 paid-leave day", 2, true, 20, 1, 0, 0, 0, 0, 0, 9'000, 8'000,
         188'000},
        {"hourly, overtime taken off the hours", 3, true, 0, 0, 100.5, 10, 0, 0, 0, 1'000, 0,
         90'500},
        {"hourly, hours without overtime", 3, false, 0, 0, 100.5, 10, 0, 0, 0, 1'000, 0, 100'500},
        {"hourly, all four kinds of overtime", 3, true, 0, 1, 100.5, 4, 2, 1.5, 0.5, 1'000, 7'000,
         92'500 + 7'000},
        {"monthly, attendance ignored", 1, true, 3, 1, 10, 0, 0, 0, 0, 250'000, 8'000, 250'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        open(4);
        settings_.hoursWorkedIncludeOvertime = c.jitudou;
        EmployeeRecord& e = addEmployee(1, {.payForm = c.payForm, .basePay = c.wage});
        e.paidLeavePay = c.paidLeavePay;
        AttendanceRecord& a = attendance(1);
        a.daysWorked = c.days;
        a.paidLeaveDays = c.paidLeave;
        a.hoursWorked = c.hours;
        a.overtimeHours = c.overtime;
        a.lateNightHours = c.lateNight;
        a.holidayOvertimeHours = c.holidayOvertime;
        a.holidayLateNightHours = c.holidayLateNight;
        ComputeMonth(year_, 1, ctx());
        EXPECT_EQ(payment(1).basePayAmount, c.expected);
        EXPECT_EQ(payment(1).payTotal, c.expected);  // overtime units are 0
        EXPECT_EQ(payment(1).taxablePayTotal, c.expected);
    }
}

TEST_F(ComputeMonthTest, PaymentAndReductionItemsFollowTheirRoundingSettings) {
    const struct {
        RoundingMode mode;
        std::int32_t overtime, absence, lateness;
    } cases[] = {
        // 1.25 h × 1,001 = 1,251.25; 1.5 days × −8,333 = −12,499.5; 0.75 h × −1,333 = −999.75
        {RoundingMode::Ceil, 1'252, -12'499, -999},
        {RoundingMode::Round, 1'251, -12'500, -1'000},
        {RoundingMode::Truncate, 1'251, -12'499, -999},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        open(4);
        settings_.monthRounding = {c.mode, c.mode, RoundingMode::Truncate};
        settings_.bonusRounding = {RoundingMode::Round, RoundingMode::Ceil, RoundingMode::Ceil};
        EmployeeRecord& e = addEmployee(1, {.basePay = 200'000});
        e.overtimeRate = 1'001;
        e.absenceDeductionRate = 8'333;
        e.lateDeductionRate = 1'333;
        attendance(1).overtimeHours = 1.25;
        attendance(1).absentDays = 1.5;
        attendance(1).lateHours = 0.75;
        ComputeMonth(year_, 1, ctx());
        EXPECT_EQ(payment(1).overtimePay, c.overtime);
        EXPECT_EQ(payment(1).absenceDeduction, c.absence);
        EXPECT_EQ(payment(1).lateDeduction, c.lateness);
        EXPECT_EQ(payment(1).payTotal, 200'000 + c.overtime + c.absence + c.lateness);
    }
}

TEST_F(ComputeMonthTest, FreeAllowanceFlagsDecideTaxableTotalAndInsuranceBase) {
    const struct {
        bool taxable, insured;
        std::int32_t taxableTotal, base;
    } cases[] = {
        {true, true, 215'000, 215'000},
        {false, true, 200'000, 215'000},
        {true, false, 215'000, 200'000},
        {false, false, 200'000, 200'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "taxable " << c.taxable << " insured " << c.insured);
        open(4);
        year_.block().settings.employmentInsRate = 0.5;
        // 固定手当２ from the master and 変動手当３ as entered share the flags under test.
        settings_.taxableFlags[1] = settings_.taxableFlags[5] = c.taxable;
        settings_.socialInsBaseFlags[1] = settings_.socialInsBaseFlags[5] = c.insured;
        EmployeeRecord& e = addEmployee(1, {.basePay = 200'000});
        e.fixedAllowance2 = 10'000;
        e.employmentInsured = 1;
        payment(1).variableAllowance3 = 5'000;
        ComputeMonth(year_, 1, ctx());
        EXPECT_EQ(payment(1).fixedAllowance2, 10'000);
        EXPECT_EQ(payment(1).payTotal, 215'000);
        EXPECT_EQ(payment(1).taxablePayTotal, c.taxableTotal);
        EXPECT_EQ(deduction(1).socialInsBase, c.base);
        EXPECT_EQ(deduction(1).employmentInsAmount, 1'075);  // on 支給合計 whatever the flags
        EXPECT_EQ(deduction(1).payAfterSocialIns, c.taxableTotal - 1'075);
    }
}

TEST_F(ComputeMonthTest, FreeDeductionFlagsLowerTaxableAmountAndInsuranceBase) {
    const struct {
        bool taxable, insured;
        std::int32_t socialInsTotal, base;
    } cases[] = {
        {false, false, 0, 200'000},
        {true, false, 3'500, 200'000},
        {false, true, 0, 196'500},
        {true, true, 3'500, 196'500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "taxable " << c.taxable << " insured " << c.insured);
        open(4);
        // 固定控除１ from the master and 変動控除２ as entered.
        settings_.taxableFlags[6] = settings_.taxableFlags[10] = c.taxable;
        settings_.socialInsBaseFlags[6] = settings_.socialInsBaseFlags[10] = c.insured;
        addEmployee(1, {.basePay = 200'000}).fixedDeduction1 = 3'000;
        deduction(1).variableDeduction2 = 500;
        ComputeMonth(year_, 1, ctx());
        EXPECT_EQ(deduction(1).fixedDeduction1, 3'000);
        EXPECT_EQ(deduction(1).socialInsTotal, c.socialInsTotal);
        EXPECT_EQ(deduction(1).payAfterSocialIns, 200'000 - c.socialInsTotal);
        EXPECT_EQ(deduction(1).socialInsBase, c.base);
        EXPECT_EQ(deduction(1).deductionTotal, 3'500 + deduction(1).incomeTax);
    }
}

TEST_F(ComputeMonthTest, JuneTakesTheJuneResidentTax) {
    for (const int period : {1, 5, 6, 7, 12}) {
        SCOPED_TRACE(period);
        open(period);
        EmployeeRecord& e = addEmployee(1, {.basePay = 100'000});
        e.residentTaxJune = 12'300;
        e.residentTax = 11'000;
        ComputeMonth(year_, 1, ctx());
        const std::int32_t expected = period == 6 ? 12'300 : 11'000;
        EXPECT_EQ(deduction(1).residentTaxAmount, expected);
        EXPECT_EQ(deduction(1).deductionTotal, expected);  // 100,000 is below the tax table
        EXPECT_EQ(deduction(1).socialInsTotal, 0);         // resident tax is no premium
        EXPECT_EQ(netPay(payment(1), deduction(1), {}), 100'000 - expected);
    }
}

TEST_F(ComputeMonthTest, EmployeesNotAtWorkAndFreeSlotsEndEmpty) {
    open(4);
    addEmployee(1, {.recordId = "260101_090001", .workStatus = 2, .basePay = 200'000});
    addEmployee(2, {.recordId = "260101_090002", .workStatus = 3, .basePay = 200'000});
    for (const int slot : {1, 2, 3}) {  // slot 3 is free, with leftovers of an earlier employee
        attendance(slot).daysWorked = 20;
        payment(slot).basePayAmount = 200'000;
        payment(slot).manualFlags[0] = 1;
        deduction(slot).incomeTax = 4'000;
        deduction(slot).manualFlags[7] = 1;
        ComputeMonth(year_, slot, ctx());
        EXPECT_EQ(attendance(slot).daysWorked, slot == 3 ? 0.0 : 20.0) << slot;
        EXPECT_EQ(std::memcmp(&payment(slot), &kNoPayment, sizeof kNoPayment), 0) << slot;
        EXPECT_EQ(std::memcmp(&deduction(slot), &kNoDeduction, sizeof kNoDeduction), 0) << slot;
    }
    EXPECT_THROW(ComputeMonth(year_, 0, ctx()), std::out_of_range);
    EXPECT_THROW(ComputeMonth(year_, 101, ctx()), std::out_of_range);
}

TEST_F(ComputeMonthTest, HandEnteredAmountsSurviveAndTheTotalsFollowThem) {
    open(4);
    year_.block().settings.employmentInsRate = 0.5;
    EmployeeRecord& e = addEmployee(1, {.basePay = 250'000});
    e.employmentInsured = e.healthInsured = 1;
    e.healthInsPremium = 12'000;
    payment(1).basePayAmount = 300'000;
    payment(1).manualFlags[0] = 1;
    deduction(1).healthInsAmount = 15'000;
    deduction(1).manualFlags[0] = 1;
    deduction(1).incomeTax = 9'999;
    deduction(1).manualFlags[DeductionRecord::kIncomeTaxItem - 1] = 1;
    for (int round = 0; round < 2; ++round) {
        ComputeMonth(year_, 1, ctx());
        EXPECT_EQ(payment(1).basePayAmount, 300'000);
        EXPECT_EQ(payment(1).payTotal, 300'000);
        EXPECT_EQ(deduction(1).healthInsAmount, 15'000);
        EXPECT_EQ(deduction(1).employmentInsAmount, 1'500);  // follows the typed base pay
        EXPECT_EQ(deduction(1).socialInsTotal, 16'500);
        EXPECT_EQ(deduction(1).payAfterSocialIns, 283'500);
        EXPECT_EQ(deduction(1).incomeTax, 9'999);
        EXPECT_EQ(deduction(1).deductionTotal, 16'500 + 9'999);
    }
}

TEST_F(ComputeMonthTest, PensionEndsAtSeventyWhateverTheFlagSays) {
    // Born 1 July 1956: 70 on 1 July 2026, so from the June premium (the day before is in June).
    for (const int month : {5, 6}) {
        SCOPED_TRACE(month);
        open(month);
        EmployeeRecord& e = addEmployee(1, {.basePay = 300'000});
        e.healthInsured = e.pensionInsured = e.pensionFundMember = 1;
        e.healthInsPremium = 12'000;
        e.pensionPremium = 20'000;
        e.pensionFundPremium = 1'000;
        e.birthEra = 3;
        e.birthYear = 31;
        e.birthMonth = 7;
        e.birthDay = 1;
        ComputeMonth(year_, 1, ctx());
        EXPECT_EQ(deduction(1).healthInsAmount, 12'000);
        EXPECT_EQ(deduction(1).pensionAmount, month == 5 ? 20'000 : 0);
        EXPECT_EQ(deduction(1).pensionFundAmount, month == 5 ? 1'000 : 0);
    }
}

TEST_F(ComputeMonthTest, ItemsOffTheLayoutOfThePayFormCountNowhere) {
    ItemLayout layout = everythingOn(LayoutKind::Salary);
    setUse(layout, Band::Pay, "F役職手当", 2, false);
    setUse(layout, Band::Deduction, "F健康保険料", 2, false);
    setUse(layout, Band::Deduction, "F所得税", 2, false);
    setUse(layout, Band::Other, "Vその他２", 2, false);
    useLayout(layout);
    open(4);
    for (const int slot : {1, 2}) {  // 1 monthly, 2 daily; the same amounts
        EmployeeRecord& e =
            addEmployee(slot, {.recordId = slot == 1 ? "260101_090001" : "260101_090002",
                               .payForm = slot,
                               .basePay = slot == 1 ? 300'000 : 15'000});
        e.positionAllowance = 20'000;
        e.healthInsured = 1;
        e.healthInsPremium = 15'000;
        attendance(slot).daysWorked = 20;
        payment(slot).positionAllowanceAmount = 20'000;  // left from an earlier calculation
        payment(slot).otherItem1 = 1'000;
        payment(slot).otherItem2 = 2'000;
        deduction(slot).incomeTax = 7'777;  // entered by hand, but the form has no 所得税
        deduction(slot).manualFlags[DeductionRecord::kIncomeTaxItem - 1] = 1;
        ComputeMonth(year_, slot, ctx());
    }
    EXPECT_EQ(payment(1).positionAllowanceAmount, 20'000);
    EXPECT_EQ(payment(1).payTotal, 320'000);
    EXPECT_EQ(deduction(1).healthInsAmount, 15'000);
    EXPECT_EQ(deduction(1).incomeTax, 7'777);
    EXPECT_EQ(netPay(payment(1), deduction(1), formItems(active_, 1, false).other),
              320'000 - 15'000 - 7'777 + 3'000);

    EXPECT_EQ(payment(2).positionAllowanceAmount, 0);
    EXPECT_EQ(payment(2).payTotal, 300'000);
    EXPECT_EQ(payment(2).taxablePayTotal, 300'000);
    EXPECT_EQ(deduction(2).healthInsAmount, 0);
    EXPECT_EQ(deduction(2).socialInsTotal, 0);
    EXPECT_EQ(deduction(2).incomeTax, 0);
    EXPECT_EQ(deduction(2).deductionTotal, 0);
    EXPECT_EQ(payment(2).otherItem1, 1'000);
    EXPECT_EQ(deduction(2).otherItem1, 1'000);
    EXPECT_EQ(payment(2).otherItem2, 0);
    EXPECT_EQ(deduction(2).otherItem2, 0);
    EXPECT_EQ(netPay(payment(2), deduction(2), formItems(active_, 2, false).other), 301'000);
}

// Two items the user gave one name are still two items: each counts by its own row only.
TEST_F(ComputeMonthTest, AnAllowanceNamedLikeAnotherCountsOnlyByItsOwnRow) {
    settings_.itemNames.names[26] = "役職手当";  // 固定手当１
    for (const bool fixedOn : {false, true}) {
        SCOPED_TRACE(fixedOn ? "固定手当１ on, 役職手当 off" : "役職手当 on, 固定手当１ off");
        ItemLayout layout = everythingOn(LayoutKind::Salary);
        setUse(layout, Band::Pay, "F固定手当１", 1, fixedOn);
        setUse(layout, Band::Pay, "F役職手当", 1, !fixedOn);
        useLayout(layout);
        open(4);
        EmployeeRecord& e = addEmployee(1, {.basePay = 300'000});
        e.positionAllowance = 20'000;
        e.fixedAllowance1 = 5'000;
        ComputeMonth(year_, 1, ctx());
        EXPECT_EQ(payment(1).positionAllowanceAmount, fixedOn ? 0 : 20'000);
        EXPECT_EQ(payment(1).fixedAllowance1, fixedOn ? 5'000 : 0);
        EXPECT_EQ(payment(1).payTotal, fixedOn ? 305'000 : 320'000);
    }
}

// Payment items 1 and 2 are 基本給 and 役職手当 in a month, 賞与 and 役員報酬 in a bonus: each
// kind of period finds them on the layout of its own kind only.
TEST(FormItemsTest, TheFirstTwoPaymentItemsBelongToTheLayoutsKind) {
    const ActiveItems salary(buildPrintTables(everythingOn(LayoutKind::Salary)), ItemNames{});
    const ActiveItems bonus(buildPrintTables(everythingOn(LayoutKind::Bonus)), ItemNames{});
    for (const int item : {0, 1}) {
        EXPECT_TRUE(formItems(salary, 1, false).pay[item]);
        EXPECT_TRUE(formItems(bonus, 1, true).pay[item]);
        EXPECT_FALSE(formItems(salary, 1, true).pay[item]);
        EXPECT_FALSE(formItems(bonus, 1, false).pay[item]);
    }
    EXPECT_TRUE(formItems(bonus, 1, false).pay[3]);  // 固定手当１ is on both
}

TEST_F(ComputeMonthTest, IncomeTaxFromThe2026MonthlyTable) {
    const struct {
        int column, dependents;
        std::int32_t expected;
    } cases[] = {
        // 社保控除後計 216,750 lies in the band 215,000..217,000.
        {0, 0, 4'910},
        {0, 2, 1'670},
        {1, 0, 24'700},
        {1, 1, 24'700 - 1'610},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "column " << c.column << " deps " << c.dependents);
        open(4);
        year_.block().settings.employmentInsRate = 0.5;
        EmployeeRecord& e = addEmployee(1, {.basePay = 250'000});
        e.taxColumn = static_cast<std::uint8_t>(c.column);
        e.dependentRelatives = c.dependents;
        e.healthInsured = e.pensionInsured = e.employmentInsured = 1;
        e.healthInsPremium = 12'000;
        e.pensionPremium = 20'000;
        e.residentTax = 10'000;
        ComputeMonth(year_, 1, ctx());
        EXPECT_EQ(deduction(1).socialInsTotal, 33'250);
        EXPECT_EQ(deduction(1).payAfterSocialIns, 216'750);
        EXPECT_EQ(deduction(1).incomeTax, c.expected);
        EXPECT_EQ(deduction(1).deductionTotal, 33'250 + 10'000 + c.expected);
        EXPECT_EQ(netPay(payment(1), deduction(1), {}), 250'000 - 43'250 - c.expected);
    }
}

TEST_F(ComputeMonthTest, EarlierErasYears16To24AreNoLongerCalculated) {
    const EraYear heisei20{"平成", 20};
    for (const int currentYear : {2012, 2026}) {
        SCOPED_TRACE(currentYear);
        open(4, heisei20);
        addEmployee(1, {.recordId = "080101_090001", .basePay = 200'000});
        addEmployee(2, {.recordId = "080101_090002", .workStatus = 3});
        payment(1).basePayAmount = 180'000;  // as computed back then
        payment(2).basePayAmount = 50'000;
        const auto before = std::make_unique<PeriodBlock>(year_.block());
        CalcContext context = ctx();
        context.currentCalendarYear = currentYear;
        for (const int slot : {1, 2, 3}) ComputeMonth(year_, slot, context);
        const bool unchanged = std::memcmp(before.get(), &year_.block(), kBlockSize) == 0;
        EXPECT_EQ(unchanged, currentYear == 2026);
        EXPECT_EQ(payment(1).basePayAmount, currentYear == 2026 ? 180'000 : 200'000);
    }
    // The new era's year 20 is calculated.
    open(4, EraYear{"令和", 20});
    addEmployee(1, {.basePay = 200'000});
    ComputeMonth(year_, 1, ctx());
    EXPECT_EQ(payment(1).basePayAmount, 200'000);
}

// 非課税通勤費 is pay (and counts for employment insurance) but never taxable: the income tax
// of an employee with it is that of the same employee without it, while 課税通勤費 raises it.
TEST_F(ComputeMonthTest, NonTaxableCommutingIsPaidButNeverTaxed) {
    open(4);
    year_.block().settings.employmentInsRate = 0.5;
    const char* ids[] = {"260101_090001", "260101_090002", "260101_090003"};
    for (const int slot : {1, 2, 3}) {
        EmployeeRecord& e = addEmployee(slot, {.recordId = ids[slot - 1], .basePay = 300'000});
        e.employmentInsured = 1;
    }
    year_.block().employee(2).commuteNonTaxable = 20'000;
    year_.block().employee(3).commuteTaxable = 20'000;
    for (const int slot : {1, 2, 3}) ComputeMonth(year_, slot, ctx());

    EXPECT_EQ(payment(2).commuteNonTaxableAmount, 20'000);
    EXPECT_EQ(payment(2).payTotal, 320'000);
    EXPECT_EQ(payment(2).taxablePayTotal, 300'000);
    EXPECT_EQ(deduction(2).employmentInsAmount, 1'600);  // 0.5 % of all pay
    EXPECT_EQ(deduction(2).payAfterSocialIns, 300'000 - 1'600);

    EXPECT_EQ(payment(3).taxablePayTotal, 320'000);
    EXPECT_EQ(deduction(3).employmentInsAmount, 1'600);

    // Slot 1 has no commuting and the employment premium of 300,000: give slot 2's so that the
    // taxable amounts are the same and only the table's answer is compared.
    deduction(1).employmentInsAmount = 1'600;
    deduction(1).manualFlags[3] = 1;
    ComputeMonth(year_, 1, ctx());
    ASSERT_EQ(deduction(1).payAfterSocialIns, deduction(2).payAfterSocialIns);
    EXPECT_GT(deduction(2).incomeTax, 0);
    EXPECT_EQ(deduction(2).incomeTax, deduction(1).incomeTax);
    EXPECT_GT(deduction(3).incomeTax, deduction(2).incomeTax);
    EXPECT_EQ(netPay(payment(2), deduction(2), {}), netPay(payment(1), deduction(1), {}) + 20'000);
}

TEST_F(ComputeMonthTest, AmountsBeyondTheInt32RangeAreCappedNotWrapped) {
    open(4);
    EmployeeRecord& e = addEmployee(1, {.basePay = kMax});
    e.positionAllowance = kMax;
    e.commuteNonTaxable = kMax;
    e.absenceDeductionRate = kMax;
    e.residentTax = kMax;
    e.fixedDeduction1 = kMax;
    attendance(1).absentDays = 1e9;
    ComputeMonth(year_, 1, ctx());
    EXPECT_EQ(payment(1).absenceDeduction, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(payment(1).payTotal, kMax);
    EXPECT_EQ(payment(1).taxablePayTotal, kMax - 1);  // max + max + min
    EXPECT_EQ(deduction(1).deductionTotal, kMax);
    EXPECT_GE(netPay(payment(1), deduction(1), {}), -std::int64_t{kMax});
}

// --- bonuses ---------------------------------------------------------------------------------

TEST_F(ComputeBonusTest, PremiumsWithThePensionCapAndTheHealthYearCap) {
    // Earlier bonuses of the health insurance year that began in April 2025: December 2025
    // (the previous year's file) and January 2026 (this year's file).
    auto earlier = std::make_unique<PeriodBlock>();
    addEmployee(*earlier, 1, {.recordId = "250401_090001"});
    addEmployee(*earlier, 3, {.recordId = "250401_090003"});
    earlier->payments[0].taxablePayTotal = 5'000'000;
    earlier->payments[2].taxablePayTotal = 5'800'000;
    writeBlock(kReiwa7, 14, *earlier);
    writeBonusPayDate(kReiwa7, 14, 12, 10);
    earlier->payments[0].taxablePayTotal = 200'000;
    earlier->payments[2].taxablePayTotal = 0;
    writeBlock(kReiwa8, 15, *earlier);
    writeBonusPayDate(kReiwa8, 15, 1, 20);

    openBonus(13, 3, 10);
    PeriodSettings& rates = year_.block().settings;
    rates.healthInsRate = 5.0;
    rates.nursingInsRate = 0.8;
    rates.pensionRate = 9.15;
    rates.pensionFundRate = 1.0;
    rates.employmentInsRate = 0.5;
    const struct {
        const char* id;
        std::int32_t bonus, directorFee;
    } employees[] = {{"250401_090001", 1'000'500, 0},
                     {"250401_090002", 1'500'000, 500'000},
                     {"250401_090003", 300'000, 0}};
    for (int slot = 1; slot <= 3; ++slot) {
        EmployeeRecord& e = addEmployee(slot, {.recordId = employees[slot - 1].id});
        e.healthInsured = e.nursingInsured = e.pensionInsured = e.pensionFundMember =
            e.employmentInsured = 1;
        payment(slot).basePayAmount = employees[slot - 1].bonus;
        payment(slot).positionAllowanceAmount = employees[slot - 1].directorFee;
    }
    const PeriodInputs inputs = loadPeriodInputs(year_);
    for (int slot = 1; slot <= 3; ++slot) ComputeBonus(year_, slot, ctx(), inputs);

    struct Premiums {
        std::int32_t health, nursing, pension, fund, employment;
    };
    const Premiums expected[] = {
        // Health year so far 5,200,000: health and care on 530,000 of the 1,000,000.
        {26'500, 4'240, 91'500, 10'000, 5'002},
        // 2,000,000: health on all of it, pension and fund on 1,500,000, employment
        // insurance without the director's fee.
        {100'000, 16'000, 137'250, 15'000, 7'500},
        // Health year already above 5,730,000.
        {0, 0, 27'450, 3'000, 1'500},
    };
    for (int slot = 1; slot <= 3; ++slot) {
        SCOPED_TRACE(slot);
        const DeductionRecord& d = deduction(slot);
        const Premiums& x = expected[slot - 1];
        EXPECT_EQ(d.healthInsAmount, x.health);
        EXPECT_EQ(d.nursingInsAmount, x.nursing);
        EXPECT_EQ(d.pensionAmount, x.pension);
        EXPECT_EQ(d.pensionFundAmount, x.fund);
        EXPECT_EQ(d.employmentInsAmount, x.employment);
        const std::int32_t sum = x.health + x.nursing + x.pension + x.fund + x.employment;
        EXPECT_EQ(d.socialInsTotal, sum);
        EXPECT_EQ(d.payAfterSocialIns, payment(slot).taxablePayTotal - sum);
        // No pay in February: the tax by the monthly-table method.
        EXPECT_EQ(d.incomeTax, MonthlyTableBonusTax(tax_.salary, 0, d.payAfterSocialIns, 0, 0,
                                                    kBonusTaxMonths, YenRounding()));
        EXPECT_EQ(d.deductionTotal, sum + d.incomeTax);
    }
    EXPECT_EQ(payment(2).payTotal, 2'000'000);
}

TEST_F(ComputeBonusTest, NoSocialInsurancePremiumInTheMonthCoverageEnds) {
    // A bonus of 1,000,000 paid on 10 July 2026.  Leaving on 30 July (資格喪失日 31 July) puts
    // the bonus in the month coverage ends; leaving on 31 July (喪失 1 August) does not.
    openJulyBonusAtRoundRates();
    const struct {
        const char* id;
        std::int32_t lossDate;
    } employees[] = {{"260101_090001", 20260731}, {"260101_090002", 20260801}};
    for (int slot = 1; slot <= 2; ++slot) {
        EmployeeRecord& e = addEmployee(slot, {.recordId = employees[slot - 1].id});
        e.healthInsured = e.nursingInsured = e.pensionInsured = e.pensionFundMember =
            e.employmentInsured = 1;
        e.social.insuredUntil = employees[slot - 1].lossDate;
        payment(slot).basePayAmount = 1'000'000;
    }
    const PeriodInputs inputs = loadPeriodInputs(year_);
    for (int slot = 1; slot <= 2; ++slot) ComputeBonus(year_, slot, ctx(), inputs);

    const DeductionRecord& leaving = deduction(1);
    EXPECT_EQ(leaving.healthInsAmount, 0);
    EXPECT_EQ(leaving.nursingInsAmount, 0);
    EXPECT_EQ(leaving.pensionAmount, 0);
    EXPECT_EQ(leaving.pensionFundAmount, 0);
    EXPECT_EQ(leaving.employmentInsAmount, 5'000);  // employment insurance is still due
    EXPECT_EQ(leaving.socialInsTotal, 5'000);
    EXPECT_EQ(leaving.payAfterSocialIns, 995'000);

    const DeductionRecord& staying = deduction(2);
    EXPECT_EQ(staying.healthInsAmount, 49'250);
    EXPECT_EQ(staying.nursingInsAmount, 8'000);
    EXPECT_EQ(staying.pensionAmount, 91'500);
    EXPECT_EQ(staying.pensionFundAmount, 10'000);
    EXPECT_EQ(staying.employmentInsAmount, 5'000);

    // The premium-free bonus still counts towards the health insurance year's total.
    writeBlock(kReiwa8, 13, year_.block());
    writeBonusPayDate(kReiwa8, 13, 7, 10);
    openBonus(14, 12, 10);
    EXPECT_EQ(loadPeriodInputs(year_).history.earlierTotal("260101_090001"), 1'000'000);
}

TEST_F(ComputeBonusTest, ExemptLeaveAndAgeTakeOffThePremiumsWhateverTheFlagsSay) {
    // 1,000,000 paid on 10 July 2026 to four employees with every insurance flag on: one on an
    // exempt 育児休業, one of 72 (no pension or care), one of 76 (only employment insurance),
    // and one of 45 charged in full.
    openJulyBonusAtRoundRates();
    const int showaBirthYears[] = {56, 29, 25, 56};  // 昭和 years: 45, 72, 76 and 45 in 2026
    for (int slot = 1; slot <= 4; ++slot) {
        const std::string id = "260101_09000" + std::to_string(slot);
        EmployeeRecord& e = addEmployee(slot, {.recordId = id.c_str()});
        e.healthInsured = e.nursingInsured = e.pensionInsured = e.pensionFundMember =
            e.employmentInsured = 1;
        e.birthEra = 3;
        e.birthYear = static_cast<std::uint8_t>(showaBirthYears[slot - 1]);
        e.birthMonth = e.birthDay = 5;
        payment(slot).basePayAmount = 1'000'000;
    }
    payment(1).leaveKind = 2;
    const PeriodInputs inputs = loadPeriodInputs(year_);
    for (int slot = 1; slot <= 4; ++slot) ComputeBonus(year_, slot, ctx(), inputs);

    const struct {
        std::int32_t health, nursing, pension, fund;
    } expected[] = {{0, 0, 0, 0}, {49'250, 0, 0, 0}, {0, 0, 0, 0}, {49'250, 8'000, 91'500, 10'000}};
    for (int slot = 1; slot <= 4; ++slot) {
        SCOPED_TRACE(slot);
        const DeductionRecord& d = deduction(slot);
        EXPECT_EQ(d.healthInsAmount, expected[slot - 1].health);
        EXPECT_EQ(d.nursingInsAmount, expected[slot - 1].nursing);
        EXPECT_EQ(d.pensionAmount, expected[slot - 1].pension);
        EXPECT_EQ(d.pensionFundAmount, expected[slot - 1].fund);
        EXPECT_EQ(d.employmentInsAmount, 5'000);
    }
}

TEST_F(ComputeBonusTest, ADirectorsFeeOffTheLayoutCountsNowhere) {
    ItemLayout layout = everythingOn(LayoutKind::Bonus);
    setUse(layout, Band::Pay, "V役員報酬", 1, false);
    openBonus(13, 7);
    useLayout(layout);
    year_.block().settings.employmentInsRate = 0.5;
    addEmployee(1, {}).employmentInsured = 1;
    payment(1).basePayAmount = 1'500'000;
    payment(1).positionAllowanceAmount = 500'000;
    ComputeBonus(year_, 1, ctx(), PeriodInputs{});
    EXPECT_EQ(payment(1).positionAllowanceAmount, 500'000);  // kept as entered
    EXPECT_EQ(payment(1).payTotal, 1'500'000);
    EXPECT_EQ(payment(1).taxablePayTotal, 1'500'000);
    EXPECT_EQ(deduction(1).employmentInsAmount, 7'500);  // not lowered by the uncounted fee
}

TEST_F(ComputeBonusTest, IncomeTaxByThePreviousMonthsRate) {
    // A bonus paid in July: the rate comes from June's 社保控除後計 of the same employee.
    auto june = std::make_unique<PeriodBlock>();
    addEmployee(*june, 5, {.recordId = "260101_090001"});  // another slot in June
    june->deductions[4].payAfterSocialIns = 300'000;
    writeBlock(kReiwa8, 6, *june);
    settings_.bonusRounding.deduction = RoundingMode::Truncate;

    const struct {
        int column, dependents;
        std::int32_t expected;
    } cases[] = {
        {0, 0, 36'756},   // 甲, P 300,000 with no dependents: 6.126 %
        {0, 3, 24'504},   // three dependents: 4.084 %
        {1, 0, 183'780},  // 乙: 30.63 %
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "column " << c.column << " deps " << c.dependents);
        openBonus(13, 7);
        EmployeeRecord& e = addEmployee(1, {.recordId = "260101_090001"});
        e.taxColumn = static_cast<std::uint8_t>(c.column);
        e.dependentRelatives = c.dependents;
        payment(1).basePayAmount = 600'000;
        const PeriodInputs inputs = loadPeriodInputs(year_);
        EXPECT_EQ(inputs.previousPayAfterSocialIns("260101_090001"), 300'000);
        EXPECT_TRUE(ComputeBonus(year_, 1, ctx(), inputs));
        EXPECT_EQ(deduction(1).payAfterSocialIns, 600'000);
        EXPECT_EQ(deduction(1).incomeTax, c.expected);
        EXPECT_EQ(deduction(1).deductionTotal, c.expected);
    }
}

TEST_F(ComputeBonusTest, UncalculatedYearsAndEmployeesNotAtWorkAreNeverTaxedByTheMonthlyTable) {
    openBonus(13, 7, 10, EraYear{"平成", 22});
    addEmployee(1, {.recordId = "100101_090001"});
    payment(1).basePayAmount = 500'000;
    const auto before = std::make_unique<PeriodBlock>(year_.block());
    EXPECT_TRUE(ComputeBonus(year_, 1, ctx(), PeriodInputs{}));
    EXPECT_EQ(std::memcmp(before.get(), &year_.block(), kBlockSize), 0);

    openBonus(13, 7);
    addEmployee(1, {.workStatus = 2});
    payment(1).basePayAmount = 500'000;
    EXPECT_TRUE(ComputeBonus(year_, 1, ctx(), PeriodInputs{}));
    EXPECT_EQ(payment(1).basePayAmount, 0);
    EXPECT_TRUE(ComputeBonus(year_, 2, ctx(), PeriodInputs{}));  // free slot
    EXPECT_THROW(ComputeMonth(year_, 1, ctx()), std::logic_error);
}

}  // namespace
}  // namespace keiro::calc::testing
