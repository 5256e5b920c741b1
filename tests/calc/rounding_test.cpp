#include "calc/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace keiro::calc {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

YenRounding allModes(RoundingMode mode) {
    return YenRounding(RoundingSettings{mode, mode, mode});
}

TEST(TruncYen, TruncatesTowardsZeroAfterTheNudge) {
    EXPECT_EQ(TruncYen(1234.7), 1234);
    EXPECT_EQ(TruncYen(-1234.7), -1234);
    EXPECT_EQ(TruncYen(0.0), 0);
    // Representation error just below a whole yen is absorbed, in both directions.
    EXPECT_EQ(TruncYen(1.15 * 100), 115);
    EXPECT_EQ(TruncYen(1234.9999995), 1235);
    EXPECT_EQ(TruncYen(-1234.9999995), -1235);
    EXPECT_EQ(TruncYen(1234.99999), 1234);
}

TEST(TruncYen, ClampsWhatDoesNotFit) {
    EXPECT_EQ(TruncYen(1e12), kMax);
    EXPECT_EQ(TruncYen(-1e12), kMin);
    EXPECT_EQ(TruncYen(std::numeric_limits<double>::infinity()), kMax);
    EXPECT_EQ(TruncYen(std::nan("")), 0);
    EXPECT_EQ(RoundBySetting(RoundingMode::Ceil, 1e300), kMax);
    EXPECT_EQ(RoundBySetting(RoundingMode::Round, -1e300), kMin);
    EXPECT_EQ(RoundBySetting(RoundingMode::Truncate, std::nan("")), 0);
    EXPECT_EQ(allModes(RoundingMode::Round).RoundTax(1e300, 1e300), kMax);
}

struct SettingCase {
    RoundingMode mode;
    double x;
    std::int32_t expected;
};

class RoundBySettingCases : public ::testing::TestWithParam<SettingCase> {};

TEST_P(RoundBySettingCases, GivesTheExpectedYen) {
    const SettingCase& c = GetParam();
    EXPECT_EQ(RoundBySetting(c.mode, c.x), c.expected) << c.x;
}

INSTANTIATE_TEST_SUITE_P(Modes, RoundBySettingCases,
                         ::testing::Values(
                             // 四捨五入: halves away from zero.
                             SettingCase{RoundingMode::Round, 1234.5, 1235},
                             SettingCase{RoundingMode::Round, -1234.5, -1235},
                             SettingCase{RoundingMode::Round, 1234.49, 1234},
                             SettingCase{RoundingMode::Round, -1234.49, -1234},
                             // 切り捨て: towards zero.
                             SettingCase{RoundingMode::Truncate, -1234.7, -1234},
                             SettingCase{RoundingMode::Truncate, 1234.7, 1234},
                             // 切り上げ: the mathematical ceiling, so negative values go towards
                             // zero and whole numbers stay as they are.
                             SettingCase{RoundingMode::Ceil, 1234.0, 1234},
                             SettingCase{RoundingMode::Ceil, 0.0, 0},
                             SettingCase{RoundingMode::Ceil, -1234.0, -1234},
                             SettingCase{RoundingMode::Ceil, 1251.25, 1252},
                             SettingCase{RoundingMode::Ceil, -1234.7, -1234},
                             // Unknown codes truncate.
                             SettingCase{static_cast<RoundingMode>(7), 1234.9, 1234}));

TEST(RoundBySetting, WorksOnTheValueToTheMillionthOfAYen) {
    // No single-precision reduction: large amounts keep their fraction.
    EXPECT_EQ(RoundBySetting(RoundingMode::Truncate, 16'777'217.0), 16'777'217);
    EXPECT_EQ(RoundBySetting(RoundingMode::Round, 100'000.499), 100'000);
    EXPECT_EQ(RoundBySetting(RoundingMode::Ceil, 100'000.001), 100'001);
    EXPECT_EQ(RoundBySetting(RoundingMode::Ceil, 1234.001), 1235);
    // Representation error below a millionth is not a fraction.
    EXPECT_EQ(RoundBySetting(RoundingMode::Ceil, 0.1 * 3 * 10), 3);
}

TEST(YenRounding, EachItemKindUsesItsOwnSetting) {
    const YenRounding rounding(
        RoundingSettings{RoundingMode::Ceil, RoundingMode::Truncate, RoundingMode::Round});
    EXPECT_EQ(rounding.RoundPayItem(1.25, 1001), 1252);      // 1,251.25 up
    EXPECT_EQ(rounding.RoundReduction(1.5, -8333), -12499);  // −12,499.5, magnitude down
    EXPECT_EQ(rounding.RoundTax(0.5, 2469), 1235);           // 1,234.5 half up
    const YenRounding defaults;
    EXPECT_EQ(defaults.RoundPayItem(0.5, 3), 2);
    EXPECT_EQ(defaults.RoundReduction(0.5, -3), -1);
    EXPECT_EQ(defaults.RoundTax(0.5, 3), 1);
}

TEST(YenRounding, DecimalProductsAreExact) {
    // 0.2042 × 1,000,003 = 204,200.6126 exactly.
    EXPECT_EQ(allModes(RoundingMode::Truncate).RoundTax(0.2042, 1'000'003), 204'200);
    EXPECT_EQ(allModes(RoundingMode::Round).RoundTax(0.2042, 1'000'003), 204'201);
    // 0.1 × 1,234,567,891 = 123,456,789.1.
    EXPECT_EQ(allModes(RoundingMode::Truncate).RoundTax(0.1, 1'234'567'891), 123'456'789);
    // 20.42 % of 23,619 is 4,822.9998: one ten-thousandth below a whole yen stays below it.
    EXPECT_EQ(allModes(RoundingMode::Truncate).RoundTax(0.2042, 23'619), 4'822);
    EXPECT_EQ(allModes(RoundingMode::Ceil).RoundTax(0.2042, 23'619), 4'823);
    // A product that is whole in decimal stays whole although neither factor is exact.
    EXPECT_EQ(allModes(RoundingMode::Ceil).RoundPayItem(0.1, 30), 3);
    EXPECT_EQ(allModes(RoundingMode::Ceil).RoundPayItem(20.0, 9000), 180'000);
    EXPECT_EQ(allModes(RoundingMode::Ceil).RoundPayItem(1.15, 100), 115);
    // Hours that are no decimal (1:20) are worked in binary, to the millionth of a yen.
    EXPECT_EQ(allModes(RoundingMode::Ceil).RoundPayItem(80.0 / 60, 2000), 2667);
    EXPECT_EQ(allModes(RoundingMode::Truncate).RoundPayItem(80.0 / 60, 2000), 2666);
    EXPECT_EQ(allModes(RoundingMode::Ceil).RoundPayItem(80.0 / 60, 3), 4);
}

// Each setting at products that end in exactly half a yen, small and large, both signs.
TEST(YenRounding, TheThreeSettingsAtExactHalves) {
    struct Half {
        double rate;
        double amount;
        std::int32_t ceil, round, truncate;
    };
    const Half halves[] = {
        {1.5, 8'333, 12'500, 12'500, 12'499},
        {1.5, -8'333, -12'499, -12'500, -12'499},
        {0.2042, 12'500, 2'553, 2'553, 2'552},
        {0.2042, 1'012'500, 206'753, 206'753, 206'752},
        {0.45945, 1'000'010, 459'455, 459'455, 459'454},        // 459,454.5945
        {0.45945, 2'000'000 + 100, 918'946, 918'946, 918'945},  // 918,945.945
        {2.5, -3, -7, -8, -7},
    };
    for (const Half& h : halves) {
        EXPECT_EQ(allModes(RoundingMode::Ceil).RoundPayItem(h.rate, h.amount), h.ceil) << h.amount;
        EXPECT_EQ(allModes(RoundingMode::Round).RoundReduction(h.rate, h.amount), h.round)
            << h.amount;
        EXPECT_EQ(allModes(RoundingMode::Truncate).RoundTax(h.rate, h.amount), h.truncate)
            << h.amount;
    }
}

TEST(PremiumRounding, FiftySenAndBelowRoundDown) {
    EXPECT_EQ(RoundInsurance(1234.50), 1234);
    EXPECT_EQ(RoundInsurance(1234.51), 1235);
    EXPECT_EQ(RoundInsurance(-1234.51), -1235);
    EXPECT_EQ(RoundInsurance(-1234.50), -1234);
    EXPECT_EQ(RoundEmploymentInsurance(1234.50), 1234);
    EXPECT_EQ(RoundEmploymentInsurance(1234.5009), 1234);
    EXPECT_EQ(RoundEmploymentInsurance(1234.501), 1235);
    EXPECT_EQ(RoundEmploymentInsurance(1234.502), 1235);
    EXPECT_EQ(RoundEmploymentInsurance(-1234.502), -1235);
}

TEST(PremiumRounding, PercentagesOfYenAreExact) {
    // 4.925 % of 1,030,000 = 50,727.5; of 1,234,000 = 60,774.5; 0.55 % of 250,091 = 1,375.5005.
    EXPECT_EQ(RoundInsurance(PercentOf(1'030'000, 4.925)), 50'727);
    EXPECT_EQ(RoundInsurance(PercentOf(1'234'000, 4.925)), 60'774);
    EXPECT_EQ(RoundEmploymentInsurance(PercentOf(250'091, 0.55)), 1'375);
    EXPECT_EQ(RoundEmploymentInsurance(PercentOf(250'084, 0.6)), 1'501);  // 1,500.504
    EXPECT_EQ(RoundEmploymentInsurance(PercentOf(250'083, 0.6)), 1'500);  // 1,500.498
    // 0.51 yen rounds up; the sum of two rates is as exact as each.
    EXPECT_EQ(RoundInsurance(PercentOf(1'000'051, 1.0)), 10'001);
    EXPECT_EQ(RoundInsurance(PercentOf(100'000, 4.925 + 0.81)), 5'735);
    EXPECT_EQ(PercentOf(3, 4.9255).micros, 147'765);
    EXPECT_EQ(Product(0.2042, 23'619).micros, 4'822'999'800);
    EXPECT_EQ(RoundInsurance(PercentOf(-1'000'051, 1.0)), -10'001);
}

}  // namespace
}  // namespace keiro::calc
