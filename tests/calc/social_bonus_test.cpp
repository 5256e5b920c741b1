// The bonus report's figures: the 1,000-yen cut, the health cap over the April-March year with a
// carried-in total, and the pension cap per month with same-month bonuses added.
#include <gtest/gtest.h>

#include "calc/social_bonus.h"

namespace keiro::calc {
namespace {

TEST(BonusReport, HealthYearCapAcrossTheYearAndItsReset) {
    // B2, given out of order: the series sorts by date.
    const auto f = bonusSeries(
        {{20270630, 1'000'000}, {20261210, 3'200'500}, {20260630, 3'000'000}, {20270315, 500'400}},
        0, 0);
    ASSERT_EQ(f.size(), 4u);
    const std::int32_t standard[] = {3'000'000, 3'200'000, 500'000, 1'000'000};
    const std::int32_t health[] = {3'000'000, 2'730'000, 0, 1'000'000};
    const std::int64_t cumulative[] = {3'000'000, 5'730'000, 5'730'000, 1'000'000};
    const std::int32_t pension[] = {1'500'000, 1'500'000, 500'000, 1'000'000};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(f[i].standard, standard[i]) << i;  // reported: the bonus paid, 1,000 cut
        EXPECT_EQ(f[i].healthBase, health[i]) << i;
        EXPECT_EQ(f[i].healthYearTotal, cumulative[i]) << i;
        EXPECT_EQ(f[i].pensionBase, pension[i]) << i;
    }
    // B1: 1,234,567 → 1,234,000.
    EXPECT_EQ(bonusSeries({{20260630, 1'234'567}}, 0, 0)[0].standard, 1'234'000);
}

TEST(BonusReport, SameMonthBonusesShareThePensionCap) {
    // B3.
    const auto f = bonusSeries({{20260710, 1'000'000}, {20260725, 800'000}}, 0, 0);
    EXPECT_EQ(f[0].pensionBase, 1'000'000);
    EXPECT_EQ(f[1].pensionBase, 500'000);
    EXPECT_EQ(f[0].healthBase + f[1].healthBase, 1'800'000);
    EXPECT_EQ(f[0].sameMonthFirstDay, 0);
    EXPECT_EQ(f[1].sameMonthFirstDay, 10);
}

TEST(BonusReport, CarriedInTotalCountsOnlyInItsOwnYear) {
    const auto f = bonusSeries({{20260310, 1'000'000}, {20260710, 1'000'000}}, 5'000'000, 2025);
    EXPECT_EQ(f[0].healthBase, 730'000);  // year 2025: 5,000,000 already used
    EXPECT_EQ(f[1].healthBase, 1'000'000);
    EXPECT_EQ(healthInsuranceYearOf(20270331), 2026);
    EXPECT_EQ(healthInsuranceYearOf(20270401), 2027);
    // A carried total above the cap leaves nothing, never a negative base.
    EXPECT_EQ(bonusSeries({{20260710, 10'000}}, 9'000'000, 2026)[0].healthBase, 0);
}

}  // namespace
}  // namespace keiro::calc
