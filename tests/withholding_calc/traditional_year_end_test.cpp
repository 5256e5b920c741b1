// The year-end adjustment of data years up to 2019: fixed basic deduction, spouse special
// deduction by the spouse's income, the surtax by year, the tax table ending at 16,920,000,
// 乙欄, hand-entered items, and the housing-loan credit larger than the tax.
#include <gtest/gtest.h>

#include "withholding/calc/year_end_calc.h"

namespace keiro::withholding {
namespace {

// An employee whose income after deduction less the basic deduction leaves `taxable`.
YearEndInput withTaxable(int year, std::int64_t taxable) {
    YearEndInput in;
    in.dataYear = year;
    in.manualIncomeAfterDeduction = taxable + 380'000;
    return in;
}

TEST(TraditionalYearEnd, SurtaxByYearAndHundredYenRounding) {
    struct Case {
        int year;
        bool roundTo100;
        std::int64_t tax;
    };
    // A taxable 1,950,999 is taken to 1,950,000: 5 % gives 97,500.
    const Case cases[] = {
        {2019, true, 99'500},  {2019, false, 99'547}, {2013, true, 99'500},  {2012, true, 97'500},
        {2010, false, 97'500}, {2003, true, 97'500},  {2002, false, 99'547},
    };
    for (const Case& c : cases) {
        YearEndInput in = withTaxable(c.year, 1'950'999);
        in.roundTaxTo100 = c.roundTo100;
        const YearEndResult r = calculateYearEnd(in);
        EXPECT_EQ(r.taxable, 1'950'000);
        EXPECT_EQ(r.annualTax, c.tax) << c.year;
        EXPECT_EQ(r.status, YearEndStatus::Calculated);
    }
}

TEST(TraditionalYearEnd, DeductionsAddUp) {
    YearEndInput in;
    in.dataYear = 2017;
    in.paid = 5'000'000;
    in.withheld = 150'000;
    in.socialInsurance = 700'000;
    in.smallEnterprise = 10'000;
    in.lifeInsurance = 40'000;
    in.earthquakeInsurance = 5'000;
    in.spouse = true;
    in.elderlySpouse = true;
    in.generalDependants = 1;
    in.specificDependants = 1;
    in.elderlyDependants = 2;
    in.cohabitingParents = 1;
    in.specialDisabled = 1;
    in.cohabitingSpecialDisabled = 1;
    in.otherDisabled = 1;
    in.selfDisabled = true;
    in.widow = Widow::Special;
    in.workingStudent = true;
    const YearEndResult r = calculateYearEnd(in);
    EXPECT_EQ(r.incomeAfterDeduction, 3'460'000);
    EXPECT_EQ(r.spouseDeduction, 480'000);
    EXPECT_EQ(r.dependants, 380'000 + 630'000 + 2 * 480'000 + 100'000);
    EXPECT_EQ(r.disability, 400'000 + 350'000 + 270'000 + 270'000);
    const std::int64_t total = 700'000 + 10'000 + 40'000 + 5'000 + 480'000 + 2'070'000 + 1'290'000 +
                               350'000 + 270'000 + 380'000;
    EXPECT_EQ(r.totalDeductions, total);
    EXPECT_EQ(r.taxable, 0);
    EXPECT_EQ(r.annualTax, 0);
    EXPECT_EQ(r.difference, -150'000);

    in.dataYear = 2015;  // the 500-byte records hold no small-enterprise premiums
    EXPECT_EQ(calculateYearEnd(in).totalDeductions, total - 10'000);
    in.widow = Widow::None;
    in.widower = true;
    EXPECT_EQ(calculateYearEnd(in).widowOrSingleParent, 270'000);
}

TEST(TraditionalYearEnd, SpouseSpecialBands) {
    struct Case {
        std::int64_t spouseIncome;
        std::int64_t special;
    };
    const Case cases[] = {{0, 0},
                          {380'000, 0},
                          {380'001, 380'000},
                          {399'999, 380'000},
                          {400'000, 360'000},
                          {749'999, 60'000},
                          {750'000, 30'000},
                          {759'999, 30'000},
                          {760'000, 0}};
    for (int year : {2015, 2017}) {
        for (const Case& c : cases) {
            YearEndInput in;
            in.dataYear = year;
            in.spouseIncome = c.spouseIncome;
            const YearEndResult r = calculateYearEnd(in);
            EXPECT_EQ(r.spouseSpecial, c.special) << year << " " << c.spouseIncome;
            EXPECT_EQ(r.totalDeductions, 380'000 + c.special);
        }
    }
    // With the spouse flag the spouse deduction replaces the special one.
    YearEndInput in;
    in.dataYear = 2017;
    in.spouse = true;
    in.spouseIncome = 500'000;
    EXPECT_EQ(calculateYearEnd(in).spouseSpecial, 0);
    EXPECT_EQ(calculateYearEnd(in).totalDeductions, 760'000);
}

TEST(TraditionalYearEnd, SpouseSpecialTypedInFrom2018) {
    YearEndInput in;
    in.dataYear = 2018;
    in.spouseIncome = 500'000;  // would give 260,000 by the table
    in.spouseSpecialEntered = 210'000;
    EXPECT_EQ(calculateYearEnd(in).spouseSpecial, 210'000);
    in.dataYear = 2017;
    EXPECT_EQ(calculateYearEnd(in).spouseSpecial, 260'000);
    in.manualSpouseSpecial = 10'000;
    EXPECT_EQ(calculateYearEnd(in).spouseSpecial, 10'000);
}

TEST(TraditionalYearEnd, HighPayAndTheEndOfTheTable) {
    YearEndInput in;
    in.dataYear = 2019;
    in.paid = 25'000'000;
    in.withheld = 4'000'000;
    // 17,800,000 − 380,000 is above the table's last row: not adjusted, tax 0.
    YearEndResult r = calculateYearEnd(in);
    EXPECT_EQ(r.incomeAfterDeduction, 17'800'000);
    EXPECT_EQ(r.status, YearEndStatus::NotAdjusted);
    EXPECT_EQ(r.annualTax, 0);

    in.socialInsurance = 500'000;  // 16,920,000 exactly is still in the table
    r = calculateYearEnd(in);
    EXPECT_EQ(r.taxable, 16'920'000);
    EXPECT_EQ(r.status, YearEndStatus::Calculated);
    EXPECT_EQ(r.annualTax, (16'920'000LL * 33 / 100 - 1'536'000) * 1'021 / 100'000 * 100);

    in.dataYear = 2015;
    in.socialInsurance = 0;
    EXPECT_EQ(calculateYearEnd(in).incomeAfterDeduction, 22'550'000);
}

TEST(TraditionalYearEnd, HousingLoanCreditLargerThanTheTaxGivesZeroCalculated) {
    YearEndInput in = withTaxable(2019, 1'000'000);  // 50,000 before the credit
    in.housingLoanCredit = 50'001;
    in.withheld = 30'000;
    YearEndResult r = calculateYearEnd(in);
    EXPECT_EQ(r.annualTax, 0);
    EXPECT_EQ(r.housingLoanUsed, 50'000);
    EXPECT_EQ(r.status, YearEndStatus::Calculated);
    EXPECT_EQ(r.difference, -30'000);

    in.housingLoanCredit = 20'000;
    r = calculateYearEnd(in);
    EXPECT_EQ(r.annualTax, 30'600);  // 30,000 × 1.021 = 30,630
}

TEST(TraditionalYearEnd, OtsuIsNotAdjustedInAnyYear) {
    YearEndInput in;
    in.paid = 3'000'000;
    in.withheld = 200'000;
    in.otsu = true;
    for (int year : {2015, 2017, 2024}) {
        in.dataYear = year;
        const YearEndResult r = calculateYearEnd(in);
        EXPECT_TRUE(r.notNeeded) << year;
        EXPECT_EQ(r.reason, NotAdjustedReason::SecondaryColumn) << year;
        EXPECT_EQ(r.status, YearEndStatus::NotAdjusted) << year;
        EXPECT_EQ(r.incomeAfterDeduction, 0) << year;
        EXPECT_EQ(r.totalDeductions, 0) << year;
        EXPECT_EQ(r.spouseSpecial, 0) << year;
        EXPECT_EQ(r.annualTax, 200'000) << "the tax actually withheld, " << year;
        EXPECT_EQ(r.difference, 0) << year;
    }
}

TEST(TraditionalYearEnd, HandEnteredItemsAreKept) {
    YearEndInput in;
    in.dataYear = 2019;
    in.paid = 4'000'000;
    in.withheld = 90'000;
    in.manualAnnualTax = 88'800;
    in.manualTotalDeductions = 1'000'000;
    YearEndResult r = calculateYearEnd(in);
    EXPECT_EQ(r.annualTax, 88'800);
    EXPECT_EQ(r.totalDeductions, 1'000'000);
    EXPECT_EQ(r.status, YearEndStatus::Calculated);
    EXPECT_EQ(r.difference, -1'200);

    in.dataYear = 2023;  // the same in the statutory years
    in.manualIncomeAfterDeduction = 2'000'000;
    r = calculateYearEnd(in);
    EXPECT_EQ(r.incomeAfterDeduction, 2'000'000);
    EXPECT_EQ(r.totalDeductions, 1'000'000);
    EXPECT_EQ(r.annualTax, 88'800);
    EXPECT_EQ(r.status, YearEndStatus::Calculated);
}

}  // namespace
}  // namespace keiro::withholding
