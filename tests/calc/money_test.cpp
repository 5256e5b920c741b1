// Yen and Rate: reading a rate once, the named roundings of a product, sums of rates, the
// factor that is no decimal, and the clamp to the file's 32-bit fields.
#include "core/money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace keiro {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

Rate percent(const char* text) {
    const std::optional<Rate> rate = Rate::parsePercent(text);
    EXPECT_TRUE(rate.has_value()) << text;
    return rate.value_or(Rate());
}

TEST(Yen, SumsInSixtyFourBitsAndClampsOnlyForTheFile) {
    const Yen big(kMax);
    EXPECT_EQ((big + big).value(), 2 * std::int64_t{kMax});  // no wrap
    EXPECT_EQ((big + big).toInt32Clamped(), kMax);
    EXPECT_EQ((-big - big).toInt32Clamped(), kMin);
    EXPECT_EQ(Yen(-12).toInt32Clamped(), -12);
    EXPECT_EQ((Yen(1'500) * 3 - Yen(500)).value(), 4'000);
    EXPECT_LT(Yen(-1), Yen());
    // 標準賞与額: down to whole thousands, towards zero.
    EXPECT_EQ(Yen(1'234'567).truncatedTo(1'000), Yen(1'234'000));
    EXPECT_EQ(Yen(-1'500).truncatedTo(1'000), Yen(-1'000));
}

TEST(Rate, ReadsDecimalsExactlyAndRefusesWhatIsNone) {
    EXPECT_EQ(Rate::parse("0.2042")->millionths(), 204'200);
    EXPECT_EQ(Rate::parse("-1.5")->millionths(), -1'500'000);
    EXPECT_EQ(Rate::parse("12")->millionths(), 12'000'000);
    EXPECT_EQ(Rate::parse("0.000001")->millionths(), 1);
    EXPECT_EQ(Rate::parsePercent("4.9255")->millionths(), 49'255);  // 0.049255
    EXPECT_EQ(Rate::parsePercent("20.42")->millionths(), 204'200);
    for (const char* bad : {"", "-", ".", "1.2.3", "0.0000001", "1e3", "12a", " 1"}) {
        EXPECT_FALSE(Rate::parse(bad).has_value()) << bad;
    }
    EXPECT_FALSE(Rate::parsePercent("4.92551").has_value());  // five places of a percent
    EXPECT_EQ(Rate::percent(45).millionths(), 450'000);
}

TEST(Rate, AStoredDoubleIsReadToItsDecimalOnce) {
    // 0.2042 and 20.42 are not binary fractions; both read as the decimal printed.
    EXPECT_EQ(Rate::fromDouble(0.2042).millionths(), 204'200);
    EXPECT_EQ(Rate::fromPercent(20.42).millionths(), 204'200);
    EXPECT_EQ(Rate::fromDouble(0.1 * 3).millionths(), 300'000);  // 0.30000000000000004
    // Hours typed as 1:20 are no decimal: the double is kept.
    EXPECT_FALSE(Rate::fromDouble(80.0 / 60).isExact());
    EXPECT_FALSE(Rate::fromDouble(std::nan("")).isExact());
    EXPECT_FALSE(Rate::fromPercent(4.92551).isExact());
}

TEST(Rate, NamedRoundingsOfAProduct) {
    const Rate tax = *Rate::parse("0.2042");
    // 23,619 × 0.2042 = 4,822.9998: never 4,823 by truncation.
    EXPECT_EQ(tax.of(Yen(23'619), Rounding::Down), Yen(4'822));
    EXPECT_EQ(tax.of(Yen(23'619), Rounding::Up), Yen(4'823));
    EXPECT_EQ(tax.of(Yen(23'619), Rounding::HalfUp), Yen(4'823));
    // 2,469 × 0.5 = 1,234.5; halves away from zero, both signs.
    const Rate half = *Rate::parse("0.5");
    EXPECT_EQ(half.of(Yen(2'469), Rounding::HalfUp), Yen(1'235));
    EXPECT_EQ(half.of(Yen(-2'469), Rounding::HalfUp), Yen(-1'235));
    EXPECT_EQ(half.of(Yen(-2'469), Rounding::Down), Yen(-1'234));
    EXPECT_EQ(half.of(Yen(-2'469), Rounding::Up), Yen(-1'234));  // the ceiling of −1,234.5
    // 1,030,000 × 4.925 % = 50,727.5: the 50銭 rule drops a fraction of 0.50 yen …
    EXPECT_EQ(percent("4.925").of(Yen(1'030'000), Rounding::Premium), Yen(50'727));
    // … and 1,000,051 × 1 % = 10,000.51 rounds up, −10,000.51 likewise down.
    EXPECT_EQ(percent("1").of(Yen(1'000'051), Rounding::Premium), Yen(10'001));
    EXPECT_EQ(percent("1").of(Yen(-1'000'051), Rounding::Premium), Yen(-10'001));
    // Employment insurance: 250,084 × 0.6 % = 1,500.504 up, 250,083 × 0.6 % = 1,500.498 down.
    EXPECT_EQ(percent("0.6").of(Yen(250'084), Rounding::EmploymentInsurance), Yen(1'501));
    EXPECT_EQ(percent("0.6").of(Yen(250'083), Rounding::EmploymentInsurance), Yen(1'500));
    // 0.5 yen exactly is no rounding up for employment insurance either: 100 × 0.5 % = 0.5.
    EXPECT_EQ(percent("0.5").of(Yen(100), Rounding::EmploymentInsurance), Yen(0));
}

TEST(Rate, ASumReadsLikeTheSumOfTheStoredRates) {
    // Health 4.925 % + care 0.81 % = 5.735 %: 100,000 × 5.735 % = 5,735.
    const Rate combined = Rate::fromPercent(4.925) + Rate::fromPercent(0.81);
    EXPECT_EQ(combined.millionths(), 57'350);
    EXPECT_EQ(combined.of(Yen(100'000), Rounding::Premium), Yen(5'735));
    EXPECT_EQ((Rate::fromDouble(0.1) + Rate::fromDouble(0.2)).millionths(), 300'000);
    EXPECT_TRUE(Rate().isZero());
    EXPECT_EQ((Rate::fromPercent(0.0) + Rate::fromPercent(0.115)).millionths(), 1'150);
}

TEST(Rate, AFactorThatIsNoDecimalIsTakenToTheNearestMillionth) {
    const Rate hours = Rate::fromDouble(80.0 / 60);  // 1:20
    // 2,000 × 4/3 = 2,666.666…
    EXPECT_EQ(hours.of(Yen(2'000), Rounding::Up), Yen(2'667));
    EXPECT_EQ(hours.of(Yen(2'000), Rounding::Down), Yen(2'666));
    // 3 × 4/3 is 3.9999999999999996 in binary: 4.000000 to the millionth, so no yen more.
    EXPECT_EQ(hours.of(Yen(3), Rounding::Up), Yen(4));
}

TEST(Rate, ProductsSaturateFarBeyondTheFile) {
    const Rate huge = Rate::units(std::numeric_limits<std::int64_t>::max() / 2);
    EXPECT_EQ(huge.times(Yen(kMax)).micros, MicroYen::kSaturated);
    EXPECT_EQ(huge.times(Yen(-kMax)).micros, -MicroYen::kSaturated);
    EXPECT_EQ(huge.of(Yen(kMax), Rounding::Up).toInt32Clamped(), kMax);
    EXPECT_EQ(MicroYen::nearest(std::nan("")).micros, 0);
    EXPECT_EQ(MicroYen::nearest(1e300).micros, MicroYen::kSaturated);
}

TEST(Rate, ProductOfTwoDoublesIsExactWhicheverFactorIsTheDecimal) {
    // 23,619 × 0.2042 in either order.
    EXPECT_EQ(productOf(0.2042, 23'619).micros, 4'822'999'800);
    EXPECT_EQ(productOf(23'619, 0.2042).micros, 4'822'999'800);
    // 3 × 4.9255 % = 0.147765.
    EXPECT_EQ(percentOf(3, 4.9255).micros, 147'765);
}

}  // namespace
}  // namespace keiro
