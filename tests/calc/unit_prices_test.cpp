// Suggested units: which pay counts, the statutory premiums, and each unit rounded the way its
// setting says for every wage and month a clerk can type.
#include "calc/unit_prices.h"

#include <gtest/gtest.h>

#include <cstring>

namespace keiro::calc {
namespace {

EmployeeRecord monthly() {
    EmployeeRecord e;
    std::memset(&e, 0, sizeof e);
    e.payForm = 1;
    e.basePay = 300'000;
    e.positionAllowance = 20'000;
    e.familyAllowance = 10'000;  // left out of the basis
    e.fixedAllowance1 = 5'000;
    e.commuteNonTaxable = 12'000;  // left out
    return e;
}

TEST(UnitPrices, MonthlyPayIsDividedByTheMonthsHoursWithTheStatutoryPremiums) {
    UnitPriceBasis basis = unitPriceBasisOf(monthly());
    EXPECT_EQ(basis.wage, 325'000);
    basis.minutesPerMonth = 160 * 60;
    basis.daysPerMonth = 20;
    const auto p = suggestUnitPrices(basis, RoundingSettings{});  // 支給 up, 減額 down
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->overtime, 2'540);          // 325,000 × 1.25 ÷ 160 = 2,539.06
    EXPECT_EQ(p->lateNight, 3'047);         // × 1.50 = 3,046.875
    EXPECT_EQ(p->holidayOvertime, 2'743);   // × 1.35 = 2,742.19
    EXPECT_EQ(p->holidayLateNight, 3'250);  // × 1.60
    EXPECT_EQ(p->absencePerDay, 16'250);
    EXPECT_EQ(p->latePerHour, 2'031);  // 2,031.25 down

    RoundingSettings nearest;
    nearest.payment = RoundingMode::Round;
    nearest.reduction = RoundingMode::Round;
    EXPECT_EQ(suggestUnitPrices(basis, nearest)->overtime, 2'539);
    EXPECT_EQ(suggestUnitPrices(basis, nearest)->lateNight, 3'047);  // .875 up

    basis.minutesPerMonth = 0;  // no hours: nothing to suggest
    EXPECT_FALSE(suggestUnitPrices(basis, RoundingSettings{}).has_value());
}

TEST(UnitPrices, DailyAndHourlyWagesTakeNoAllowancesAndNoAbsenceUnit) {
    EmployeeRecord daily = monthly();
    daily.payForm = 2;
    daily.basePay = 12'000;
    UnitPriceBasis basis = unitPriceBasisOf(daily);
    EXPECT_EQ(basis.wage, 12'000);
    basis.minutesPerDay = 7 * 60 + 30;
    const auto d = suggestUnitPrices(basis, RoundingSettings{});
    EXPECT_EQ(d->overtime, 2'000);  // 1,600 an hour
    EXPECT_EQ(d->absencePerDay, 0);
    EXPECT_EQ(d->latePerHour, 0);

    EmployeeRecord hourly = monthly();
    hourly.payForm = 3;
    hourly.basePay = 1'163;
    const auto h = suggestUnitPrices(unitPriceBasisOf(hourly), RoundingSettings{});
    EXPECT_EQ(h->overtime, 1'454);          // 1,453.75 up
    EXPECT_EQ(h->holidayLateNight, 1'861);  // 1,860.8 up
}

// Against the definition: a unit rounded up is the least whole yen at or above the exact
// product, rounded down the greatest at or below it, for wages and months clerks type.
TEST(UnitPrices, EveryUnitBracketsTheExactProduct) {
    for (std::int64_t wage = 150'000; wage <= 600'000; wage += 997) {
        for (int minutes = 120 * 60; minutes <= 190 * 60; minutes += 15) {
            const UnitPriceBasis basis{1, wage, minutes, 21, 0};
            const auto p = suggestUnitPrices(basis, RoundingSettings{});
            ASSERT_TRUE(p.has_value());
            const std::int64_t exact = wage * 60 * kOvertimePercent;  // ÷ (minutes × 100)
            const std::int64_t per = std::int64_t{minutes} * 100;
            ASSERT_GE(p->overtime * per, exact) << wage << " " << minutes;
            ASSERT_LT((p->overtime - 1) * per, exact) << wage << " " << minutes;
            const std::int64_t late = wage * 60 * 100;
            ASSERT_LE(p->latePerHour * per, late);
            ASSERT_GT((p->latePerHour + 1) * per, late);
        }
    }
}

}  // namespace
}  // namespace keiro::calc
