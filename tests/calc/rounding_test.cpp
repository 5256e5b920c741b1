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

TEST(RoundBySetting, WorksOnTheSinglePrecisionValue) {
    // 16,777,217 has no float: it becomes 16,777,216.
    EXPECT_EQ(RoundBySetting(RoundingMode::Truncate, 16'777'217.0), 16'777'216);
    // At 100,000 yen a float resolves 1/128 yen: 0.499 becomes 0.5 and rounds up ...
    EXPECT_EQ(RoundBySetting(RoundingMode::Round, 100'000.499), 100'001);
    // ... and a thousandth above a whole yen vanishes before the ceiling is taken.
    EXPECT_EQ(RoundBySetting(RoundingMode::Ceil, 100'000.001), 100'000);
    // Small values keep their fraction.
    EXPECT_EQ(RoundBySetting(RoundingMode::Ceil, 1234.001), 1235);
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

TEST(YenRounding, ProductIsReducedToFloatBeforeRounding) {
    // 0.2042 × 1,000,003 = 204,200.6126 exactly; the float nearest is 204,200.609375.
    EXPECT_EQ(allModes(RoundingMode::Truncate).RoundTax(0.2042, 1'000'003), 204'200);
    EXPECT_EQ(allModes(RoundingMode::Round).RoundTax(0.2042, 1'000'003), 204'201);
    // 0.1 × 1,234,567,891 = 123,456,789.1: the float nearest is 123,456,792.
    EXPECT_EQ(allModes(RoundingMode::Truncate).RoundTax(0.1, 1'234'567'891), 123'456'792);
    // A product that is whole in decimal stays whole although neither factor is exact.
    EXPECT_EQ(allModes(RoundingMode::Ceil).RoundPayItem(0.1, 30), 3);
    EXPECT_EQ(allModes(RoundingMode::Ceil).RoundPayItem(20.0, 9000), 180'000);
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

}  // namespace
}  // namespace keiro::calc
