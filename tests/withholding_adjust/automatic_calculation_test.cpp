// The automatic calculation over a record: what the calculation of plain inputs cannot see —
// which fields are read, which are written, and which are left alone.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

#include "withholding/adjust/automatic_calculation.h"

namespace keiro::withholding {
namespace {

// 2026, single, no insurance: income after deduction 3,560,000, basic deduction 1,040,000,
// taxable 1,770,000, tax 88,500 × 1.021 → 90,300.
const YearlyTotals kTotals{5'000'000, 750'000, 120'000};
constexpr std::int32_t kIncome2026 = 3'560'000;
constexpr std::int32_t kBasic2026 = 1'040'000;
constexpr std::int32_t kTax2026 = 90'300;

RecordContext in(int dataYear, bool left = false) {
    return {dataYear, left, true};
}

TEST(AutomaticCalculation, ItemsEnteredByHandAreKeptAndUsed) {
    constexpr std::int32_t kTyped = 12'345;
    struct Case {
        int item;
        std::int32_t WithholdingRecord::*field;
        // What the rest of the record shows when the item holds kTyped.
        std::int32_t income, deductions, tax;
    };
    // A spouse with 1,000,000 of income gives a spouse special deduction of 360,000.
    constexpr std::int32_t kDeductions = 750'000 + kBasic2026 + 360'000;
    const Case cases[] = {
        {kManualPaid, &WithholdingRecord::paid, 0, kDeductions, 0},
        {kManualIncomeAfterDeduction, &WithholdingRecord::incomeAfterDeduction, kTyped, kDeductions,
         0},
        {kManualTotalDeductions, &WithholdingRecord::totalDeductions, kIncome2026, kTyped,
         // 3,547,000 taxable: 20 % − 427,500 = 281,900, with the surtax 287,819.
         287'800},
        {kManualAnnualTax, &WithholdingRecord::annualTax, kIncome2026, kDeductions, kTyped},
        // 2,147,000 taxable: 10 % − 97,500 = 117,200, with the surtax 119,661.
        {kManualSocialInsurance, &WithholdingRecord::socialInsurance, kIncome2026,
         kTyped + kBasic2026 + 360'000, 119'600},
        // 1,757,000 taxable: 87,850, with the surtax 89,694.
        {kManualSpouseSpecial, &WithholdingRecord::spouseSpecial, kIncome2026,
         750'000 + kBasic2026 + kTyped, 89'600},
        // 1,410,000 taxable: 70,500, with the surtax 71,980.
        {kManualWithheld, &WithholdingRecord::withheld, kIncome2026, kDeductions, 71'900},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        WithholdingRecord r{};
        r.spouseIncome = 1'000'000;
        r.*c.field = kTyped;
        r.manualFlags[c.item - 1] = 1;
        const YearEndResult result = calculateRecord(r, kTotals, in(2026));
        EXPECT_EQ(r.*c.field, kTyped);
        EXPECT_EQ(r.manualFlags[c.item - 1], 1);
        EXPECT_EQ(r.incomeAfterDeduction, c.income);
        EXPECT_EQ(r.totalDeductions, c.deductions);
        EXPECT_EQ(r.annualTax, c.tax);
        EXPECT_EQ(r.adjustStatus, kCalculated);
        EXPECT_EQ(result.difference, r.annualTax - r.withheld);
    }
}

TEST(AutomaticCalculation, OtsuIsNotAdjustedWhateverElseApplies) {
    WithholdingRecord r{};
    r.flags.secondaryColumn = 1;
    r.incomeAfterDeduction = r.totalDeductions = r.annualTax = r.spouseSpecial = 1;
    r.spouseAmountGiven = r.housingLoanUsed = r.flatCutApplied = 7;
    r.housingLoanCredit = r.housingLoanAvailable = 50'000;
    r.leaveException = kLeaveByDeath;  // an exception of leavers does not lift 乙欄
    WithholdingRecord typedTax = r;
    const YearEndResult result = calculateRecord(r, kTotals, in(2026));
    EXPECT_TRUE(result.notNeeded);
    EXPECT_EQ(result.difference, 0);
    EXPECT_EQ(r.paid, 5'000'000) << "the totals are still refreshed";
    EXPECT_EQ(r.withheld, 120'000);
    EXPECT_EQ(r.incomeAfterDeduction, 0);
    EXPECT_EQ(r.totalDeductions, 0);
    EXPECT_EQ(r.annualTax, 120'000) << "the tax actually withheld";
    EXPECT_EQ(r.spouseSpecial, 0);
    EXPECT_EQ(r.adjustStatus, kNotAdjusted);
    EXPECT_EQ(r.figuresStored, 1);
    EXPECT_EQ(r.spouseAmountGiven, 0);
    EXPECT_EQ(r.housingLoanUsed, 0);
    EXPECT_EQ(r.housingLoanAvailable, 0);
    EXPECT_EQ(r.flatCutApplied, 0);
    EXPECT_EQ(r.housingLoanCredit, 50'000) << "the declaration stays";

    typedTax.manualFlags[kManualAnnualTax - 1] = 1;
    calculateRecord(typedTax, kTotals, in(2026));
    EXPECT_EQ(typedTax.annualTax, 1) << "a hand-entered tax stays, 乙欄 or not";

    // The 500-byte years too.
    LegacyWithholdingRecord legacy{};
    legacy.flags.secondaryColumn = 1;
    EXPECT_TRUE(calculateRecord(legacy, kTotals, in(2015)).notNeeded);
    EXPECT_EQ(legacy.annualTax, 120'000);
    EXPECT_EQ(legacy.adjustStatus, kNotAdjusted);
    EXPECT_EQ(legacy.paid, 5'000'000);
}

TEST(AutomaticCalculation, ALeaverIsAdjustedOnlyUnderAnException) {
    const auto status = [](WithholdingRecord r, bool leftInYearFile) {
        calculateRecord(r, kTotals, in(2026, leftInYearFile));
        return std::pair{r.adjustStatus, r.annualTax};
    };
    const std::pair adjusted{std::uint8_t{kCalculated}, kTax2026};
    const std::pair notAdjusted{std::uint8_t{kNotAdjusted}, 120'000};

    WithholdingRecord flagged{};
    flagged.joinLeaveBirth.left = 1;  // 中途退職 in the record
    EXPECT_EQ(status(flagged, false), notAdjusted);
    EXPECT_EQ(status(WithholdingRecord{}, true), notAdjusted) << "退職 in the year file";
    for (std::uint8_t exception :
         {kLeaveByDeath, kLeaveByDisability, kLeaveAfterDecemberPay, kLeavePartTimer}) {
        WithholdingRecord r = flagged;
        r.leaveException = exception;
        EXPECT_EQ(status(r, true), adjusted) << int{exception};
    }
    WithholdingRecord unknown = flagged;
    unknown.leaveException = 9;  // not one of the exceptions
    EXPECT_EQ(status(unknown, false), notAdjusted);
    WithholdingRecord death = flagged;
    death.flags.retiredByDeath = 1;  // 死亡退職 is the exception of death
    EXPECT_EQ(status(death, false), adjusted);
    EXPECT_EQ(status(WithholdingRecord{}, false), adjusted);
}

TEST(AutomaticCalculation, TheDocumentsFiguresAreStored) {
    // 2026, 5,000,000 paid: 1,770,000 taxable, 88,500 of tax against a credit of 120,000.
    WithholdingRecord r{};
    r.spouseDeductible = 1;
    r.housingLoanCredit = 120'000;
    calculateRecord(r, kTotals, in(2026));
    EXPECT_EQ(r.figuresStored, 1);
    EXPECT_EQ(r.spouseAmountGiven, 380'000);
    // With the spouse: 1,390,000 taxable, 69,500 of tax, all of it taken by the credit.
    EXPECT_EQ(r.housingLoanUsed, 69'500);
    EXPECT_EQ(r.housingLoanAvailable, 120'000);
    EXPECT_EQ(r.annualTax, 0);
    EXPECT_EQ(r.housingLoanCredit, 120'000);

    r.housingLoanCredit = 30'000;  // within the tax: no 可能額
    calculateRecord(r, kTotals, in(2026));
    EXPECT_EQ(r.housingLoanUsed, 30'000);
    EXPECT_EQ(r.housingLoanAvailable, 0);

    // 2024: 2,400,000 paid leaves 1,600,000; 360,000 + 480,000 + 380,000 deducted; 380,000
    // taxable, 19,000 of tax against 60,000 of flat cut (the employee and the spouse).
    WithholdingRecord cut{};
    cut.spouseDeductible = 1;
    calculateRecord(cut, {2'400'000, 360'000, 10'000}, in(2024));
    EXPECT_EQ(cut.flatCutApplied, 19'000);
    EXPECT_EQ(cut.flatCutNotApplied, 41'000);
    EXPECT_EQ(cut.flatCutSpouseNotDeductible, 0);
    EXPECT_EQ(cut.annualTax, 0);
}

TEST(AutomaticCalculation, CountsAreRaisedToTheirCohabitingPart) {
    WithholdingRecord r{};
    r.dependants.elderlyLivingTogether = 2;
    r.disabled.specialLivingTogether = 1;
    calculateRecord(r, kTotals, in(2026));
    EXPECT_EQ(r.dependants.elderly, 2);
    EXPECT_EQ(r.disabled.special, 1);
    // 2 × (480,000 + 100,000) for the parents, 400,000 + 350,000 for the disabled person.
    EXPECT_EQ(r.totalDeductions, 750'000 + kBasic2026 + 1'160'000 + 750'000);

    WithholdingRecord larger{};
    larger.dependants.elderly = 3;
    larger.dependants.elderlyLivingTogether = 1;
    larger.disabled.special = 2;
    larger.disabled.specialLivingTogether = 1;
    calculateRecord(larger, kTotals, in(2026));
    EXPECT_EQ(larger.dependants.elderly, 3);
    EXPECT_EQ(larger.disabled.special, 2);
}

TEST(AutomaticCalculation, LegacyAndCurrentRecordsAreReadFromTheirOwnFields) {
    // 2015: traditional law; income after deduction 0.8 × 5,000,000 − 540,000.
    LegacyWithholdingRecord legacy{};
    legacy.spouseFlags[LegacyWithholdingRecord::kSpouseYes] = 1;
    legacy.smallBusinessMutualAid = 100'000;  // not part of the old records' deductions
    legacy.dependants.general = 1;
    legacy.under16 = 2;
    calculateRecord(legacy, kTotals, in(2015));
    EXPECT_EQ(legacy.incomeAfterDeduction, 3'460'000);
    EXPECT_EQ(legacy.totalDeductions, 750'000 + 380'000 + 380'000 + 380'000);
    EXPECT_EQ(legacy.adjustStatus, kCalculated);

    LegacyWithholdingRecord noSpouse{};
    noSpouse.spouseFlags[LegacyWithholdingRecord::kSpouseNo] = 1;
    calculateRecord(noSpouse, kTotals, in(2015));
    EXPECT_EQ(noSpouse.totalDeductions, 750'000 + 380'000);

    // 2017 in a 1500-byte record: the spouse flag has its own byte, 小規模企業共済 counts.
    WithholdingRecord current{};
    current.spouseDeductible = 1;
    current.spouseElderly = 1;
    current.smallBusinessMutualAid = 100'000;
    calculateRecord(current, kTotals, in(2017));
    EXPECT_EQ(current.totalDeductions, 750'000 + 100'000 + 480'000 + 380'000);
}

TEST(AutomaticCalculation, SpouseSpecialIsWrittenOnlyWhereTheYearWorksItOut) {
    // Worked out from the spouse's income: legacy years, 2016–2017, and from 2020.
    LegacyWithholdingRecord legacy{};
    legacy.spouseIncome = 500'000;
    calculateRecord(legacy, kTotals, in(2015));
    EXPECT_EQ(legacy.spouseSpecial, 260'000);
    WithholdingRecord r2017{};
    r2017.spouseIncome = 500'000;
    r2017.spouseSpecial = 1;
    calculateRecord(r2017, kTotals, in(2017));
    EXPECT_EQ(r2017.spouseSpecial, 260'000);
    EXPECT_EQ(r2017.totalDeductions, 750'000 + 260'000 + 380'000);
    WithholdingRecord r2026{};
    r2026.spouseIncome = 1'000'000;
    calculateRecord(r2026, kTotals, in(2026));
    EXPECT_EQ(r2026.spouseSpecial, 360'000);

    // Typed in 2018 and 2019: kept as typed and counted.
    for (int year : {2018, 2019}) {
        WithholdingRecord typed{};
        typed.spouseIncome = 500'000;
        typed.spouseSpecial = 200'000;
        calculateRecord(typed, kTotals, in(year));
        EXPECT_EQ(typed.spouseSpecial, 200'000) << year;
        EXPECT_EQ(typed.totalDeductions, 750'000 + 200'000 + 380'000) << year;
    }
}

TEST(AutomaticCalculation, StatusOfEmployeesOutsideTheAdjustment) {
    // Up to 2019 a taxable amount beyond the table's 16,920,000 is not adjusted here.
    WithholdingRecord traditional{};
    traditional.incomeAfterDeduction = 20'000'000;
    traditional.manualFlags[kManualIncomeAfterDeduction - 1] = 1;
    traditional.annualTax = 5;
    calculateRecord(traditional, kTotals, in(2017));
    EXPECT_EQ(traditional.adjustStatus, kNotAdjusted);
    EXPECT_EQ(traditional.annualTax, 0);

    // From 2020 a pay above 20,000,000 is not adjusted: the tax is what was withheld.
    WithholdingRecord statutory{};
    calculateRecord(statutory, {25'000'000, 0, 3'000'000}, in(2026));
    EXPECT_EQ(statutory.adjustStatus, kNotAdjusted);
    EXPECT_EQ(statutory.annualTax, 3'000'000);
}

TEST(AutomaticCalculation, InputsOfTheLaterLawAreRead) {
    // 2025: the basic deduction follows the employee's total income, 3,560,000 → 680,000.
    WithholdingRecord plain{};
    calculateRecord(plain, kTotals, in(2025));
    const std::int32_t base = plain.totalDeductions;
    EXPECT_EQ(base, 750'000 + 680'000);

    WithholdingRecord estimate{};
    estimate.incomeEstimateEntered = 1;
    estimate.incomeEstimate = 23'600'000;  // the band of 480,000
    calculateRecord(estimate, kTotals, in(2025));
    EXPECT_EQ(estimate.totalDeductions, base - 200'000);
    estimate.incomeEstimate = 0;  // below the employment income: counted as that income
    calculateRecord(estimate, kTotals, in(2025));
    EXPECT_EQ(estimate.totalDeductions, base);
    WithholdingRecord notEntered{};
    notEntered.incomeEstimate = 9'000'000;  // ignored without the flag
    calculateRecord(notEntered, kTotals, in(2025));
    EXPECT_EQ(notEntered.totalDeductions, base);

    WithholdingRecord family{};
    family.singleParent = 1;
    family.specificRelativeIncome[2] = 900'000;  // 610,000
    family.nonResidentRelatives = 1;             // enters no deduction
    calculateRecord(family, kTotals, in(2025));
    EXPECT_EQ(family.totalDeductions, base + 350'000 + 610'000);
}

TEST(AutomaticCalculation, LifeInsuranceFromThePremiumsIsStored) {
    WithholdingRecord premiums{};
    premiums.lifeNew = 100'000;     // 40,000
    premiums.medicalCare = 30'000;  // 25,000
    calculateRecord(premiums, kTotals, in(2026));
    EXPECT_EQ(premiums.lifeInsurance, 65'000);
    EXPECT_EQ(premiums.totalDeductions, 750'000 + kBasic2026 + 65'000);

    WithholdingRecord amount{};
    amount.lifeInsurance = 12'345;  // no premiums given: the typed deduction
    calculateRecord(amount, kTotals, in(2026));
    EXPECT_EQ(amount.lifeInsurance, 12'345);
    EXPECT_EQ(amount.totalDeductions, 750'000 + kBasic2026 + 12'345);
}

TEST(AutomaticCalculation, AnOutOfRangeResultLeavesTheRecordAsItWas) {
    WithholdingRecord r{};
    r.smallBusinessMutualAid = std::numeric_limits<std::int32_t>::max();
    r.lifeInsurance = std::numeric_limits<std::int32_t>::max();
    const WithholdingRecord before = r;
    EXPECT_THROW(calculateRecord(r, kTotals, in(2026)), std::overflow_error);
    EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
}

}  // namespace
}  // namespace keiro::withholding
