// Every declaration reaches the calculation: birth dates, premiums the employee paid, previous
// employers, the law's limits on typed amounts and the 2024 flat cut's resident spouse.
#include <gtest/gtest.h>

#include "withholding/adjust/automatic_calculation.h"
#include "withholding/model/family_ages.h"

namespace keiro::withholding {
namespace {

RecordContext in(int dataYear) {
    return {dataYear, false, true};
}

// 2025, pay 9,500,000, social insurance 1,300,000, one dependant aged 17: 7,550,000 after the
// employment deduction; 所得金額調整控除 (9,500,000 − 8,500,000) × 10 % = 100,000 gives
// 7,450,000; deductions 1,300,000 + 380,000 + basic 580,000; taxable 5,190,000: 20 % − 427,500
// = 610,500, with the surtax 623,320 → 623,300.  Without the adjustment 5,290,000 → 643,700.
TEST(Declarations, ASeventeenYearOldByBirthDateGivesTheIncomeAdjustment) {
    const YearlyTotals totals{9'500'000, 1'300'000, 600'000};
    WithholdingRecord typedOnly{};
    typedOnly.dependants.general = 1;
    calculateRecord(typedOnly, totals, in(2025));
    EXPECT_EQ(typedOnly.annualTax, 643'700) << "a typed count cannot say the age";

    WithholdingRecord dated{};
    dated.dependantEntries[0].name.assign("山田一郎");
    dated.dependantEntries[0].birth = calendarDateBytes(2008, 6, 1);
    const YearEndResult result = calculateRecord(dated, totals, in(2025));
    EXPECT_EQ(result.incomeAdjustment, 100'000);
    EXPECT_EQ(result.dependants, 380'000);
    EXPECT_EQ(dated.annualTax, 623'300);
}

// 2026: new 一般 premiums of 120,000 deduct 60,000 with a dependant under 23 (else 40,000);
// a 17-year-old known only from the date is one.
TEST(Declarations, TheLifeRuleOf2026SeesADependantUnder23ByBirthDate) {
    WithholdingRecord r{};
    r.lifeNew = 120'000;
    r.dependants.general = 1;
    EXPECT_EQ(calculateRecord(r, {5'000'000, 0, 0}, in(2026)).lifeInsurance, 40'000);
    r.dependantEntries[0].birth = calendarDateBytes(2009, 6, 1);
    EXPECT_EQ(calculateRecord(r, {5'000'000, 0, 0}, in(2026)).lifeInsurance, 60'000);
    EXPECT_EQ(r.lifeInsurance, 60'000);
}

TEST(Declarations, CompleteDatesReplaceTheTypedCountsAndTheSpousesAge) {
    WithholdingRecord r{};
    r.dependants.general = 3;  // typed, contradicted by the dates
    r.dependantEntries[0].name.assign("祖父");
    r.dependantEntries[0].birth = calendarDateBytes(1950, 1, 1);  // 76 in 2026: 老人
    r.dependantEntries[1].name.assign("叔父");
    r.dependantEntries[1].birth = calendarDateBytes(1980, 1, 1);  // 46, abroad, no reason
    r.dependantEntries[1].nonResident = 1;
    r.dependantEntries[1].nonResidentReason = kNonResidentNoReason;
    r.spouseDeductible = 1;
    r.spouse.birth = calendarDateBytes(1950, 6, 1);  // 76: 老人
    const YearEndResult result = calculateRecord(r, {5'000'000, 0, 0}, in(2026));
    EXPECT_EQ(result.dependants, 480'000);
    EXPECT_EQ(result.spouseDeduction, 480'000);
    // The slip shows the counts the tax used.
    EXPECT_EQ(r.dependants.general, 0);
    EXPECT_EQ(r.dependants.elderly, 1);
    EXPECT_EQ(r.spouseElderly, 1);

    r.dependantEntries[1].nonResidentReason = kNonResidentSupported;
    EXPECT_EQ(calculateRecord(r, {5'000'000, 0, 0}, in(2026)).dependants, 480'000 + 380'000);

    // The clerk, asked about the contradiction, kept typed counts: they are the input, and
    // stay as typed.
    r.dependants = {};
    r.dependants.general = 2;
    r.spouseElderly = 0;
    r.typedCountsKept = 1;
    const YearEndResult kept = calculateRecord(r, {5'000'000, 0, 0}, in(2026));
    EXPECT_EQ(kept.dependants, 2 * 380'000);
    EXPECT_EQ(kept.spouseDeduction, 380'000);
    EXPECT_EQ(r.dependants.general, 2);
    EXPECT_EQ(r.dependants.elderly, 0);
}

// 社会保険料等 = withheld 400,000 + 国民年金 200,000 + other declared 100,000 + the previous
// employer's 50,000; 支払金額 and 徴収税額 add the previous employer's too.
TEST(Declarations, DeclaredPremiumsAndPreviousEmployersAddToTheTotals) {
    WithholdingRecord r{};
    WithholdingSupplement s{};
    r.nationalPension = 200'000;
    r.otherDeclaredSocial = 100'000;
    s.previousEmployers[0].pay = 1'000'000;
    s.previousEmployers[0].tax = 20'000;
    s.previousEmployers[0].socialInsurance = 50'000;
    calculateRecord(r, s, {4'000'000, 400'000, 80'000}, in(2026));
    EXPECT_EQ(r.socialInsurance, 750'000);
    EXPECT_EQ(r.paid, 5'000'000);
    EXPECT_EQ(r.withheld, 100'000);

    WithholdingRecord manual{};
    manual.nationalPension = 200'000;
    manual.socialInsurance = 123;
    manual.manualFlags[kManualSocialInsurance - 1] = 1;
    calculateRecord(manual, s, {4'000'000, 400'000, 80'000}, in(2026));
    EXPECT_EQ(manual.socialInsurance, 123) << "a hand-entered total stays";
}

// 地震保険料 30,000 in full; 旧長期 12,000: 12,000 / 2 + 5,000 = 11,000; 41,000 in all.
TEST(Declarations, EarthquakeDeductionIsWorkedOutFromThePremiums) {
    WithholdingRecord r{};
    r.earthquakeInsurance = 5'000;
    r.earthquakePremium = 30'000;
    r.oldLongTermInsurance = 12'000;
    EXPECT_EQ(calculateRecord(r, {5'000'000, 0, 0}, in(2025)).earthquakeInsurance, 41'000);
    EXPECT_EQ(r.earthquakeInsurance, 41'000);

    r.earthquakePremium = 90'000;
    r.oldLongTermInsurance = 0;
    calculateRecord(r, {5'000'000, 0, 0}, in(2025));
    EXPECT_EQ(r.earthquakeInsurance, 50'000);
}

TEST(Declarations, TypedAmountsAboveTheLawAndEstimatesBelowTheSalaryNeverReachTheTax) {
    WithholdingRecord r{};
    r.lifeInsurance = 200'000;
    r.earthquakeInsurance = 50'001;
    const YearEndResult held = calculateRecord(r, {5'000'000, 0, 0}, in(2025));
    EXPECT_EQ(held.lifeInsurance, 120'000);
    EXPECT_EQ(held.earthquakeInsurance, 50'000);
    EXPECT_EQ(r.lifeInsurance, 120'000);

    // Pay 5,000,000 in 2025: employment income 3,560,000.  An estimate of 1,000,000 would give
    // the basic deduction of 950,000; the estimate is at least 3,560,000: 680,000.
    WithholdingRecord low{};
    low.incomeEstimateEntered = 1;
    low.incomeEstimate = 1'000'000;
    const YearEndResult estimated = calculateRecord(low, {5'000'000, 0, 0}, in(2025));
    EXPECT_EQ(estimated.totalIncome, 3'560'000);
    EXPECT_EQ(estimated.basic, 680'000);
}

// 2024, pay 10,000,000, social insurance 312,000, a spouse without income: 8,050,000 after the
// employment deduction, deductions 312,000 + 380,000 + 480,000, taxable 6,878,000, tax
// 948,100.  The flat cut is 30,000 for the employee and 30,000 for a resident spouse:
// 948,100 − 60,000 = 888,100 → 906,700; a non-resident spouse does not count:
// 918,100 → 937,300.
TEST(Declarations, TheFlatCutOf2024CountsOnlyAResidentSpouse) {
    const YearlyTotals totals{10'000'000, 312'000, 900'000};
    WithholdingRecord resident{};
    resident.spouseDeductible = 1;
    calculateRecord(resident, totals, in(2024));
    EXPECT_EQ(resident.annualTax, 906'700);

    WithholdingRecord abroad = WithholdingRecord{};
    abroad.spouseDeductible = 1;
    abroad.spouse.nonResident = 1;
    const YearEndResult result = calculateRecord(abroad, totals, in(2024));
    EXPECT_EQ(result.spouseDeduction, 380'000) << "still the 控除対象配偶者";
    EXPECT_EQ(result.flatCut, 30'000);
    EXPECT_EQ(abroad.annualTax, 937'300);
}

}  // namespace
}  // namespace keiro::withholding
