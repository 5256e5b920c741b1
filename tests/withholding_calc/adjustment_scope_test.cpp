// Who is adjusted at the year end, and the figures the documents print besides the tax.
#include <gtest/gtest.h>

#include "withholding/calc/adjustment_scope.h"
#include "withholding/calc/year_end_calc.h"

namespace keiro::withholding {
namespace {

TEST(WhoIsAdjusted, OtsuPayAboveTheLimitAndLeaversWithoutAnException) {
    struct Case {
        AdjustmentFacts facts;
        NotAdjustedReason expected;
    };
    const Case cases[] = {
        {{2026, 5'000'000, false, false, false}, NotAdjustedReason::None},
        // 乙欄 whatever else applies, an exception stated included.
        {{2026, 5'000'000, true, true, true}, NotAdjustedReason::SecondaryColumn},
        // 20,000,000 is still adjusted (以下); a yen more is not.  Up to 2019 the old rule
        // (a taxable amount beyond the table) decides instead.
        {{2025, 20'000'000, false, false, false}, NotAdjustedReason::None},
        {{2025, 20'000'001, false, false, false}, NotAdjustedReason::PayAboveLimit},
        {{2019, 25'000'000, false, false, false}, NotAdjustedReason::None},
        {{2026, 3'000'000, false, true, false}, NotAdjustedReason::LeftDuringYear},
        {{2026, 3'000'000, false, true, true}, NotAdjustedReason::None},
        {{2026, 20'000'001, false, true, true}, NotAdjustedReason::PayAboveLimit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.facts.paid);
        EXPECT_EQ(whyNotAdjusted(c.facts), c.expected);
        EXPECT_EQ(notAdjustedText(c.expected).empty(), c.expected == NotAdjustedReason::None);
    }
}

TEST(WhoIsAdjusted, ThePartTimerLimitIsThatOfTheYear) {
    EXPECT_EQ(partTimerLimitExceeded(2024, 1'030'000), std::nullopt);
    EXPECT_EQ(partTimerLimitExceeded(2024, 1'030'001), 1'030'000);
    EXPECT_EQ(partTimerLimitExceeded(2019, 1'030'001), 1'030'000);
    EXPECT_EQ(partTimerLimitExceeded(2025, 1'230'000), std::nullopt);
    EXPECT_EQ(partTimerLimitExceeded(2025, 1'230'001), 1'230'000);
    EXPECT_EQ(partTimerLimitExceeded(2026, 1'230'001), 1'230'000);
}

YearEndInput employee(int year, std::int64_t paid, std::int64_t social, std::int64_t withheld) {
    YearEndInput in;
    in.dataYear = year;
    in.paid = paid;
    in.socialInsurance = social;
    in.withheld = withheld;
    return in;
}

TEST(NotAdjusted, TheTaxOfTheYearIsTheTaxWithheldAndNothingIsComputed) {
    YearEndInput otsu = employee(2026, 2'400'000, 350'000, 38'206);
    otsu.otsu = true;
    otsu.spouse = true;
    YearEndResult r = calculateYearEnd(otsu);
    EXPECT_EQ(r.status, YearEndStatus::NotAdjusted);
    EXPECT_EQ(r.annualTax, 38'206);
    EXPECT_EQ(r.difference, 0) << "no refund of everything withheld";
    EXPECT_EQ(r.incomeAfterDeduction, 0);
    EXPECT_EQ(r.totalDeductions, 0);
    EXPECT_EQ(r.spouseGiven, 0);

    YearEndInput leaver = employee(2026, 2'400'000, 350'000, 38'206);
    leaver.left = true;
    EXPECT_EQ(calculateYearEnd(leaver).reason, NotAdjustedReason::LeftDuringYear);
    leaver.manualAnnualTax = 30'000;  // typed in: kept
    r = calculateYearEnd(leaver);
    EXPECT_EQ(r.annualTax, 30'000);
    EXPECT_EQ(r.difference, -8'206);
    leaver.leaveExceptionStated = true;
    leaver.manualAnnualTax.reset();
    r = calculateYearEnd(leaver);
    EXPECT_EQ(r.status, YearEndStatus::Calculated);
    EXPECT_GT(r.incomeAfterDeduction, 0);
}

TEST(DocumentFigures, HousingCreditUsedIsAtMostTheTax) {
    // 2023: 2,000,000 paid leaves 1,320,000; 5,000 + 480,000 deducted; 835,000 taxable at 5 %
    // = 41,750, against a credit of 120,000.
    YearEndInput in = employee(2023, 2'000'000, 5'000, 40'000);
    in.housingLoanCredit = 120'000;
    const YearEndResult r = calculateYearEnd(in);
    EXPECT_EQ(r.computedTax, 41'750);
    EXPECT_EQ(r.housingLoanUsed, 41'750);
    EXPECT_EQ(r.annualTax, 0);
    EXPECT_EQ(r.difference, -40'000);

    in.manualAnnualTax = 1'000;  // the credit used is still worked out
    EXPECT_EQ(calculateYearEnd(in).housingLoanUsed, 41'750);
}

TEST(DocumentFigures, TheSpouseAmountGivenIsEitherDeduction) {
    YearEndInput in = employee(2026, 5'000'000, 750'000, 0);
    in.spouse = true;
    EXPECT_EQ(calculateYearEnd(in).spouseGiven, 380'000) << "配偶者控除, spouse without income";
    in.spouseIncome = 1'000'000;
    EXPECT_EQ(calculateYearEnd(in).spouseGiven, 360'000) << "配偶者特別控除";
    YearEndInput y2017 = employee(2017, 5'000'000, 750'000, 0);
    y2017.spouse = true;
    y2017.elderlySpouse = true;
    EXPECT_EQ(calculateYearEnd(y2017).spouseGiven, 480'000);
}

TEST(DocumentFigures, FlatCutOf2024AppliedNotAppliedAndTheSpouseRemark) {
    // 135,500 − 30,000 = 105,500, with the surtax 107,715.
    YearEndInput single = employee(2024, 5'000'000, 750'000, 0);
    YearEndResult r = calculateYearEnd(single);
    EXPECT_EQ(r.annualTax, 107'700);
    EXPECT_EQ(r.flatCutDue, 30'000);
    EXPECT_EQ(r.flatCut, 30'000);
    EXPECT_FALSE(r.flatCutSpouseNotDeductible);

    // 2,400,000 leaves 1,600,000; 360,000 + 480,000 + 380,000 for the spouse deducted:
    // 380,000 taxable, 19,000 of tax against 90,000 of cut (the employee, a spouse without
    // income, a child).
    YearEndInput family = employee(2024, 2'400'000, 360'000, 0);
    family.spouse = true;
    family.under16Dependants = 1;
    r = calculateYearEnd(family);
    EXPECT_EQ(r.flatCutDue, 90'000);
    EXPECT_EQ(r.flatCut, 19'000);
    EXPECT_EQ(r.annualTax, 0);
    EXPECT_FALSE(r.flatCutSpouseNotDeductible);

    // Income above 9,000,000: the spouse counts for the cut but is not the 源泉控除対象配偶者.
    YearEndInput high = employee(2024, 12'000'000, 1'500'000, 0);
    high.spouse = true;
    r = calculateYearEnd(high);
    EXPECT_EQ(r.flatCutDue, 60'000);
    EXPECT_TRUE(r.flatCutSpouseNotDeductible);

    EXPECT_EQ(calculateYearEnd(employee(2025, 5'000'000, 750'000, 0)).flatCutDue, 0);
}

}  // namespace
}  // namespace keiro::withholding
