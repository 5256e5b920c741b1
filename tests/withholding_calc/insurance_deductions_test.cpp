// Life and earthquake insurance deductions from premiums: the band edges of each formula, new
// and old contracts in one category, the caps, and the larger 一般 formula for young families.
#include <gtest/gtest.h>

#include "withholding/calc/insurance_deductions.h"
#include "withholding/calc/year_end_calc.h"

namespace keiro::withholding {
namespace {

TEST(InsuranceDeductions, FormulaBandEdges) {
    struct Case {
        const PremiumFormula* formula;
        std::int64_t premium, deduction;
    };
    const Case cases[] = {
        {&kNewContract, 0, 0},
        {&kNewContract, 20'000, 20'000},
        {&kNewContract, 20'001, 20'001},
        {&kNewContract, 40'000, 30'000},
        {&kNewContract, 40'001, 30'001},
        {&kNewContract, 80'000, 40'000},
        {&kNewContract, 200'000, 40'000},
        {&kOldContract, 25'000, 25'000},
        {&kOldContract, 50'001, 37'501},
        {&kOldContract, 100'000, 50'000},
        {&kOldContract, 100'001, 50'000},
        {&kNewContractYoungFamily, 30'000, 30'000},
        {&kNewContractYoungFamily, 60'000, 45'000},
        {&kNewContractYoungFamily, 120'000, 60'000},
        {&kOldLongTerm, 10'000, 10'000},
        {&kOldLongTerm, 15'001, 12'501},
        {&kOldLongTerm, 30'000, 15'000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(premiumDeduction(c.premium, *c.formula), c.deduction) << c.premium;
    }
}

TEST(InsuranceDeductions, CategoriesAndCaps) {
    // New 30,000 (25,000) and old 30,000 (27,500): capped at 40,000.
    EXPECT_EQ(lifeInsuranceDeduction({.generalNew = 30'000, .generalOld = 30'000}, false), 40'000);
    // Old contracts alone may give up to 50,000 in their category.
    EXPECT_EQ(lifeInsuranceDeduction({.generalNew = 30'000, .generalOld = 200'000}, false), 50'000);
    EXPECT_EQ(lifeInsuranceDeduction(
                  {.generalNew = 200'000, .careMedical = 200'000, .pensionOld = 200'000}, false),
              120'000);
    EXPECT_EQ(lifeInsuranceDeduction({.generalNew = 200'000, .careMedical = 10'000}, true), 70'000);
    EXPECT_EQ(earthquakeInsuranceDeduction({.earthquake = 40'000, .oldLongTerm = 20'000}), 50'000);
    EXPECT_EQ(earthquakeInsuranceDeduction({.earthquake = 20'000, .oldLongTerm = 12'000}), 31'000);
}

TEST(InsuranceDeductions, PremiumsReplaceTheAmountsFrom2020) {
    YearEndInput in;
    in.dataYear = 2026;
    in.paid = 4'000'000;
    in.lifeInsurance = 1'000;
    in.lifePremiums = LifePremiums{.generalNew = 200'000};
    EXPECT_EQ(calculateYearEnd(in).lifeInsurance, 40'000);
    in.under16Dependants = 1;  // 2026: the larger formula for a family with a child
    EXPECT_EQ(calculateYearEnd(in).lifeInsurance, 60'000);
    for (int year : {2025, 2027}) {
        in.dataYear = year;
        EXPECT_EQ(calculateYearEnd(in).lifeInsurance, 40'000) << year;
    }
    in.dataYear = 2019;  // the traditional years take the amount as entered
    EXPECT_EQ(calculateYearEnd(in).lifeInsurance, 1'000);
}

}  // namespace
}  // namespace keiro::withholding
