// 子ども・子育て支援金: the monthly levy from a grade against the published worked amounts (Tokyo,
// fiscal 2026), the monthly and bonus items, the bonus's yearly cap, and the month the levy
// begins for bonuses.
#include <gtest/gtest.h>

#include <set>

#include "calc/premiums.h"
#include "calc/rounding.h"
#include "tests/support/pay_fixture.h"
#include "tests/support/published_grades.h"

namespace keiro::calc::testing {
namespace {

using testing_support::publishedGrades;
using testing_support::tokyoRates;

PeriodSettings tokyoWithLevy() {
    PeriodSettings rates = tokyoRates();
    rates.supportRate = 0.115;
    return rates;
}

TEST(SupportLevyFromGrade, HealthAndLevyAreRoundedTogether) {
    const struct {
        int grade;
        std::int32_t health, support, nursing, supportWithCare;
    } cases[] = {
        // 300,000: 30,240 / 2 = 15,120 in all, health alone 14,775.
        {22, 14'775, 345, 2'430, 345},
        // 110,000: combined 5,544.0; health alone 5,417.5 → 5,417, so 127 (126 if the levy
        // were rounded on its own).  With care all three together: 6,435 less 6,308.
        {7, 5'417, 127, 891, 127},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grade);
        const MonthlyPremiums p = SetPremiumsFromGrade(publishedGrades(), c.grade, tokyoWithLevy());
        EXPECT_EQ(p.health, c.health);
        EXPECT_EQ(p.support, c.support);
        EXPECT_EQ(p.nursing, c.nursing);
        EXPECT_EQ(p.supportWithCare, c.supportWithCare);
        EXPECT_EQ(p.supportFor(false), c.support);
        EXPECT_EQ(p.supportFor(true), c.supportWithCare);
    }
    EXPECT_EQ(SetPremiumsFromGrade(publishedGrades(), 7, tokyoWithLevy()).health +
                  SetPremiumsFromGrade(publishedGrades(), 7, tokyoWithLevy()).nursing + 127,
              6'435);
    // No rate (a period of an older file, or before the levy): no levy.
    const MonthlyPremiums none = SetPremiumsFromGrade(publishedGrades(), 22, tokyoRates());
    EXPECT_EQ(none.support, 0);
    EXPECT_EQ(none.supportWithCare, 0);
}

// The 23 grades where rounding health and the levy apart gives one yen less than rounding them
// together; every other grade agrees.
TEST(SupportLevyFromGrade, EveryGradeAgreesWithTheCombinedRounding) {
    const std::set<int> differing = {7,  10, 11, 12, 14, 16, 27, 29, 31, 33, 35, 37,
                                     38, 39, 40, 42, 44, 45, 46, 47, 48, 49, 50};
    const PeriodSettings rates = tokyoWithLevy();
    std::set<int> found;
    for (int grade = 1; grade <= 50; ++grade) {
        SCOPED_TRACE(grade);
        const double standard = publishedGrades().standard(grade);
        const MonthlyPremiums p = SetPremiumsFromGrade(publishedGrades(), grade, rates);
        EXPECT_EQ(p.health + p.support, RoundInsurance(standard * 5.04 / 100));
        EXPECT_EQ(p.health + p.nursing + p.supportWithCare, RoundInsurance(standard * 5.85 / 100));
        if (p.support != RoundInsurance(standard * 0.115 / 100)) {
            EXPECT_EQ(p.support, RoundInsurance(standard * 0.115 / 100) + 1);
            found.insert(grade);
        }
    }
    EXPECT_EQ(found, differing);
}

TEST(SupportLevyMonthly, TakenFromTheMasterWithHealthInsurance) {
    EmployeeRecord e{};
    e.healthInsured = 1;
    e.healthInsPremium = 14'775;
    e.supportPremium = 345;
    DeductionRecord d{};
    EXPECT_EQ(ApplyMonthlyPremiums(e, tokyoWithLevy(), 300'000, {}, d), 14'775 + 345);
    EXPECT_EQ(d.supportAmount, 345);

    e.healthInsured = 0;  // not insured for health: no levy either
    EXPECT_EQ(ApplyMonthlyPremiums(e, tokyoWithLevy(), 300'000, {}, d), 0);
    EXPECT_EQ(d.supportAmount, 0);

    e.healthInsured = 1;
    DeductionItemsActive onForm;
    onForm.support = false;
    EXPECT_EQ(ApplyMonthlyPremiums(e, tokyoWithLevy(), 300'000, onForm, d), 14'775);
    EXPECT_EQ(d.supportAmount, 0);

    d.supportAmount = 400;  // entered by hand: kept and counted
    d.manualFlags[kSupportItem - 1] = 1;
    EXPECT_EQ(ApplyMonthlyPremiums(e, tokyoWithLevy(), 300'000, {}, d), 14'775 + 400);
    EXPECT_EQ(d.supportAmount, 400);
}

TEST(SupportLevyBonus, OnTheHealthBaseWithAndWithoutCare) {
    PaymentRecord pay{};
    pay.taxablePayTotal = pay.payTotal = 1'234'567;
    EmployeeRecord e{};
    e.healthInsured = 1;
    DeductionRecord d{};
    BonusSocialInsurance(e, tokyoWithLevy(), pay, BonusHistory(), {}, d);
    // 1,234,000 × 5.04 % = 62,193.6 → 62,194; health alone 60,774.
    EXPECT_EQ(d.healthInsAmount, 60'774);
    EXPECT_EQ(d.supportAmount, 1'420);

    e.nursingInsured = 1;  // 45: 1,234,000 × 5.85 % = 72,189; health and care 70,770
    BonusSocialInsurance(e, tokyoWithLevy(), pay, BonusHistory(), {}, d);
    EXPECT_EQ(d.healthInsAmount + d.nursingInsAmount, 70'770);
    EXPECT_EQ(d.supportAmount, 1'419);
}

// --- the health insurance year's cap on standard bonuses --------------------------------------

class HealthCapTest : public PayFixture {
  protected:
    // A bonus block of one employee, paid on month/day, into a year file.
    void storeBonus(const EraYear& year, int period, int month, int day, std::int32_t amount) {
        auto block = std::make_unique<PeriodBlock>();
        addEmployee(*block, 1, {.recordId = "250401_090001"});
        block->payments[0].taxablePayTotal = amount;
        writeBlock(year, period, *block);
        writeBonusPayDate(year, period, month, day);
    }

    // Calculates an insured employee's bonus of `amount` in the open bonus period.
    const DeductionRecord& calculate(std::int32_t amount) {
        PeriodSettings& rates = year_.block().settings;
        rates = tokyoWithLevy();
        rates.companyName.assign("テスト商事");
        EmployeeRecord& e = addEmployee(1, {.recordId = "250401_090001"});
        e.healthInsured = e.pensionInsured = 1;
        payment(1).basePayAmount = amount;
        ComputeBonus(year_, 1, ctx(), loadPeriodInputs(year_));
        return deduction(1);
    }
};

TEST_F(HealthCapTest, EarlierBonusesCountWithTheirStandardAmounts) {
    // July 1,234,567 counts as 1,234,000, leaving 4,496,000 of the cap for December (not
    // 4,495,433, which would give 221,400).
    storeBonus(kReiwa8, 13, 7, 10, 1'234'567);
    openBonus(14, 12, 10);
    const DeductionRecord& d = calculate(5'000'000);
    EXPECT_EQ(d.healthInsAmount, 221'428);  // 4,496,000 × 4.925 %
    // The levy has the same base: 4,496,000 × 5.04 % = 226,598.4 → 226,598.
    EXPECT_EQ(d.supportAmount, 226'598 - 221'428);
    EXPECT_EQ(d.pensionAmount, 137'250);  // 1,500,000 × 9.15 %, no yearly cap
}

TEST_F(HealthCapTest, EachEarlierBonusWasCappedWhenPaid) {
    // Last July 2,999,999 (2,999,000) and December 2,730,999 (2,730,000): 5,729,000 used, so
    // 1,000 is left for March although the amounts paid exceed the cap.
    storeBonus(kReiwa7, 13, 7, 10, 2'999'999);
    storeBonus(kReiwa7, 14, 12, 10, 2'730'999);
    openBonus(13, 3, 10);
    EXPECT_EQ(StandardBonusForHealth(loadPeriodInputs(year_).history, "250401_090001", 500'000),
              1'000);
    // Over the cap before the current bonus: nothing left.
    storeBonus(kReiwa7, 15, 9, 30, 500'000);
    EXPECT_EQ(loadPeriodInputs(year_).history.earlierTotal("250401_090001"), 5'730'000);
    EXPECT_EQ(StandardBonusForHealth(loadPeriodInputs(year_).history, "250401_090001", 500'000), 0);
}

// --- from which bonus the levy is due -----------------------------------------------------------

TEST_F(HealthCapTest, ABonusPaidBeforeApril2026CarriesNoLevy) {
    const struct {
        int month;
        EraYear year;
        std::int32_t support;
    } cases[] = {
        {3, kReiwa8, 0},                 // March 2026
        {4, kReiwa8, 1'420},             // April 2026
        {1, EraYear{"令和", 9}, 1'420},  // any month of a later year
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.month);
        openBonus(13, c.month, 10, c.year);
        const DeductionRecord& d = calculate(1'234'567);
        EXPECT_EQ(d.supportAmount, c.support);
        EXPECT_EQ(d.healthInsAmount, 60'774);
        EXPECT_EQ(d.socialInsTotal, 60'774 + 112'911 + c.support);
        EXPECT_EQ(d.payAfterSocialIns, 1'234'567 - d.socialInsTotal);
    }
}

TEST_F(HealthCapTest, APeriodWithoutARateCalculatesAsBefore) {
    // A period of a file written before the levy: rate, master premium and amount read 0.
    openBonus(13, 7, 10);
    PeriodSettings& rates = year_.block().settings;
    calculate(1'234'567);
    rates.supportRate = 0;
    ComputeBonus(year_, 1, ctx(), loadPeriodInputs(year_));
    EXPECT_EQ(deduction(1).supportAmount, 0);
    EXPECT_EQ(deduction(1).socialInsTotal, 60'774 + 112'911);

    useLayout(everythingOn(LayoutKind::Salary));
    open(5);
    year_.block().settings = tokyoRates();
    year_.block().settings.companyName.assign("テスト商事");
    EmployeeRecord& e = addEmployee(1, {.basePay = 300'000});
    e.healthInsured = 1;
    e.healthInsPremium = 14'775;
    ComputeMonth(year_, 1, ctx());
    EXPECT_EQ(deduction(1).supportAmount, 0);
    EXPECT_EQ(deduction(1).socialInsTotal, 14'775);
    EXPECT_EQ(deduction(1).payAfterSocialIns, 300'000 - 14'775);
}

TEST(SupportLevyDue, FromTheAprilPremiumOf2026) {
    EXPECT_FALSE(SupportLevyDue(2025, 12));
    EXPECT_FALSE(SupportLevyDue(2026, 3));
    EXPECT_TRUE(SupportLevyDue(2026, 4));
    EXPECT_TRUE(SupportLevyDue(2027, 1));
}

}  // namespace
}  // namespace keiro::calc::testing
