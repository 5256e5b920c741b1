// The first start's set-up: when the pay falls in the next month, which answer is asked for
// first, and what goes into the first period's settings.
#include "payroll/model/first_start.h"

#include <gtest/gtest.h>

#include <cstring>

namespace keiro::payroll {
namespace {

using Field = FirstStartProblem::Field;

calc::RatesOfPeriod tokyoAndOsaka() {
    calc::RatesOfPeriod rates;
    rates.generalEmployment = 0.55;
    rates.otherEmployment = 0.65;
    rates.nursing = 0.81;
    rates.pension = 9.15;
    rates.support = 0.115;
    rates.healthShares = {4.925, 5.12};
    rates.healthPrefectures = {"東京都", "大阪府"};
    return rates;
}

FirstStartAnswers sound() {
    FirstStartAnswers a;
    a.companyName = "山田商店";
    a.address.address1 = "東京都千代田区丸の内１－１－１";
    a.address.closingDay = 20;
    a.healthRateIndex = 1;
    a.payDay = 25;
    return a;
}

TEST(FirstStart, PayFallsInTheNextMonthUnlessPaidAfterTheClosingDay) {
    EXPECT_TRUE(paidNextMonth(25, 31));   // closed at month end, paid on the 25th
    EXPECT_TRUE(paidNextMonth(10, 15));   // closed on the 15th, paid on the 10th
    EXPECT_TRUE(paidNextMonth(20, 20));   // paid on the closing day itself: not yet worked out
    EXPECT_FALSE(paidNextMonth(25, 20));  // closed on the 20th, paid on the 25th
    EXPECT_FALSE(paidNextMonth(31, 15));
}

TEST(FirstStart, EachMissingAnswerIsNamedInTheOrderOfTheWindow) {
    const calc::RatesOfPeriod rates = tokyoAndOsaka();
    EXPECT_EQ(firstStartProblem(sound(), rates).field, Field::None);
    FirstStartAnswers a = sound();
    a.companyName.clear();
    a.healthRateIndex = -1;
    EXPECT_EQ(firstStartProblem(a, rates).field, Field::CompanyName);
    a.companyName = "山田商店";
    EXPECT_EQ(firstStartProblem(a, rates).field, Field::Prefecture);
    a.healthRateIndex = 2;  // past the list
    EXPECT_EQ(firstStartProblem(a, rates).field, Field::Prefecture);
    // Without published rates there is no list to choose from: the settings dialog's rate stays.
    EXPECT_EQ(firstStartProblem(a, calc::RatesOfPeriod{}).field, Field::None);
    a = sound();
    a.address.closingDay = 0;
    a.payDay = 32;
    EXPECT_EQ(firstStartProblem(a, rates).field, Field::ClosingDay);
    a.address.closingDay = 31;
    const FirstStartProblem payDay = firstStartProblem(a, rates);
    EXPECT_EQ(payDay.field, Field::PayDay);
    EXPECT_EQ(payDay.message, "給与支給日は1〜31の範囲で入力してください（月末は31）。");
    a.payDay = 31;
    a.hoursPerDay = 0;
    EXPECT_EQ(firstStartProblem(a, rates).field, Field::HoursPerDay);
}

TEST(FirstStart, SettingsTakeTheCompanyThePayDayAndTheFiscalYearsShares) {
    PeriodSettings settings;
    std::memset(&settings, 0, sizeof settings);
    settings.scheduledDays = 20;  // entered in the data selection: kept
    applyFirstStart(settings, sound(), tokyoAndOsaka());
    EXPECT_EQ(settings.companyName.utf8(), "山田商店");
    EXPECT_EQ(settings.scheduledDays, 20);
    EXPECT_EQ(settings.payDay, 25);
    EXPECT_EQ(settings.payNextMonth, 0);
    EXPECT_EQ(settings.generalBusiness, 1);
    EXPECT_EQ(settings.hoursPerDay, 8.0);
    EXPECT_EQ(settings.healthInsRate, 5.12);
    EXPECT_EQ(settings.employmentInsRate, 0.55);
    EXPECT_EQ(settings.nursingInsRate, 0.81);
    EXPECT_EQ(settings.pensionRate, 9.15);
    EXPECT_EQ(settings.supportRate, 0.115);

    FirstStartAnswers construction = sound();
    construction.generalBusiness = false;
    construction.address.closingDay = 31;
    applyFirstStart(settings, construction, tokyoAndOsaka());
    EXPECT_EQ(settings.generalBusiness, 0);
    EXPECT_EQ(settings.employmentInsRate, 0.65);
    EXPECT_EQ(settings.payNextMonth, 1);
}

}  // namespace
}  // namespace keiro::payroll
