#include <gtest/gtest.h>

#include "withholding/model/declaration_limits.h"

namespace keiro::withholding {
namespace {

TEST(DeclarationLimits, DeductionsAboveTheLawAreHeldAtTheMaximumWithAMessage) {
    const LimitedAmount life = limitLifeInsuranceDeduction(200'000, 2025);
    EXPECT_EQ(life.value, 120'000);
    EXPECT_TRUE(life.changed);
    EXPECT_EQ(life.message, "生命保険料の控除額の上限は120,000円です。120,000円にしました。");
    EXPECT_EQ(limitLifeInsuranceDeduction(120'000, 2025).value, 120'000);
    EXPECT_FALSE(limitLifeInsuranceDeduction(120'000, 2025).changed);
    EXPECT_EQ(limitLifeInsuranceDeduction(120'000, 2011).value, 100'000);

    const LimitedAmount quake = limitEarthquakeDeduction(50'001, 2025);
    EXPECT_EQ(quake.value, 50'000);
    EXPECT_EQ(quake.message, "地震保険料の控除額の上限は50,000円です。50,000円にしました。");
    EXPECT_FALSE(limitEarthquakeDeduction(50'000, 2025).changed);
    EXPECT_EQ(limitEarthquakeDeduction(-5, 2025).value, 0);
}

TEST(DeclarationLimits, TheEstimateIsNeverBelowTheEmploymentIncome) {
    const LimitedAmount low = limitIncomeEstimate(1'000'000, 3'560'000);
    EXPECT_EQ(low.value, 3'560'000);
    EXPECT_TRUE(low.changed);
    EXPECT_NE(low.message.find("3,560,000円以上"), std::string::npos);
    EXPECT_FALSE(limitIncomeEstimate(3'560'000, 3'560'000).changed);
    EXPECT_EQ(limitIncomeEstimate(0, -10).value, 0);
}

}  // namespace
}  // namespace keiro::withholding
