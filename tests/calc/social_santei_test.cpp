// The July decision of the standard monthly amounts: months counted under each day rule, the
// truncated average, the adjusted average, the grades, and who is left out.
#include <gtest/gtest.h>

#include "calc/social_days.h"
#include "calc/social_santei.h"
#include "tests/support/published_grades.h"

namespace keiro::calc {
namespace {

using testing_support::publishedGrades;

struct Month {
    std::int32_t pay;
    int days;
    bool partial = false;
};

SanteiInput input(DayRule rule, Month apr, Month may, Month jun) {
    SanteiInput in;
    in.rule = rule;
    const Month ms[3] = {apr, may, jun};
    for (int i = 0; i < 3; ++i) {
        in.months[i] = {4 + i, true, ms[i].days, ms[i].pay, ms[i].partial};
    }
    return in;
}

const SocialGrades kPrevious{20, 17, 260'000, 260'000};

SanteiResult decide(const SanteiInput& in) {
    return decideTeiji(in, publishedGrades(), kPrevious);
}

TEST(Teiji, WorkedExamplesOfTheDayRulesAndTheTruncatedAverage) {
    struct Case {
        const char* name;
        SanteiInput in;
        std::array<bool, 3> counted;
        std::int64_t total;
        std::int32_t average;
        SocialGrades grades;
    };
    const Case cases[] = {
        {"T1 June under 17 days",
         input(DayRule::General, {310'000, 20}, {298'000, 21}, {305'000, 16}),
         {true, true, false},
         608'000,
         304'000,
         {22, 19, 300'000, 300'000}},
        {"T2 309,999.67 is cut, not rounded",
         input(DayRule::General, {310'000, 30}, {310'000, 31}, {309'999, 30}),
         {true, true, true},
         929'999,
         309'999,
         {22, 19, 300'000, 300'000}},
        {"T3 part-time: 15 days when none has 17",
         input(DayRule::PartTime, {140'000, 16}, {132'000, 15}, {120'000, 14}),
         {true, true, false},
         272'000,
         136'000,
         {10, 7, 134'000, 134'000}},
        {"T4 part-time: all three of 15 or 16 days",
         input(DayRule::PartTime, {140'000, 16}, {132'000, 15}, {126'000, 16}),
         {true, true, true},
         398'000,
         132'666,
         {10, 7, 134'000, 134'000}},
        {"T6 short-time worker: 11 days",
         input(DayRule::ShortTime, {98'000, 12}, {85'000, 10}, {93'000, 11}),
         {true, false, true},
         191'000,
         95'500,
         {5, 2, 98'000, 98'000}},
        {"T9 quarterly bonuses as 75,000 a month",
         input(DayRule::General, {325'000, 30}, {325'000, 31}, {325'000, 30}),
         {true, true, true},
         975'000,
         325'000,
         {23, 20, 320'000, 320'000}},
    };
    for (const Case& c : cases) {
        const SanteiResult r = decide(c.in);
        EXPECT_FALSE(r.keepPrevious) << c.name;
        EXPECT_EQ(r.counted, c.counted) << c.name;
        EXPECT_EQ(r.total, c.total) << c.name;
        EXPECT_EQ(r.average, c.average) << c.name;
        EXPECT_EQ(r.adjusted, 0) << c.name;
        EXPECT_EQ(r.grades, c.grades) << c.name;
    }
}

TEST(Teiji, EachDayRuleAtItsThresholds) {
    // The same part-timer's months (16, 15, 12 days) under the three rules.
    const auto months = [](DayRule rule) {
        return decide(input(rule, {150'000, 16}, {140'000, 15}, {100'000, 12}));
    };
    EXPECT_TRUE(months(DayRule::General).keepPrevious);  // no month of 17
    EXPECT_EQ(months(DayRule::PartTime).counted, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(months(DayRule::PartTime).average, 145'000);
    EXPECT_EQ(months(DayRule::ShortTime).counted, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(months(DayRule::ShortTime).average, 130'000);
    // A part-timer with one month of 17 days: the 15-day months do not join it.
    const SanteiResult one =
        decide(input(DayRule::PartTime, {170'000, 17}, {140'000, 16}, {140'000, 15}));
    EXPECT_EQ(one.counted, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(one.average, 170'000);
    // 10 days is one short of the short-time rule.
    EXPECT_TRUE(
        decide(input(DayRule::ShortTime, {90'000, 10}, {90'000, 10}, {90'000, 10})).keepPrevious);
}

TEST(Teiji, NoMonthCountedKeepsThePreviousGradesAndAveragesNothing) {
    // T5: a part-timer with no month of 15 days; T10: unpaid leave, 0 days.
    for (const SanteiInput& in :
         {input(DayRule::PartTime, {100'000, 12}, {90'000, 10}, {95'000, 14}),
          input(DayRule::General, {0, 0}, {0, 0}, {0, 0})}) {
        const SanteiResult r = decide(in);
        EXPECT_TRUE(r.keepPrevious);
        EXPECT_EQ(r.average, 0);
        EXPECT_EQ(r.grades, kPrevious);
    }
    // A month with no pay date counts for nothing, whatever days it shows.
    SanteiInput noPay = input(DayRule::General, {300'000, 30}, {300'000, 31}, {600'000, 30});
    noPay.months[2].paid = false;
    EXPECT_EQ(decide(noPay).average, 300'000);
}

TEST(Teiji, AdjustedAverageForAHireInTheMonthAndForBackPay) {
    // T7: joined 4/1 with 20日締め, April pay pro-rated.
    const SanteiResult hire =
        decide(input(DayRule::General, {200'000, 20, true}, {300'000, 30}, {300'000, 31}));
    EXPECT_EQ(hire.total, 800'000);
    EXPECT_EQ(hire.average, 266'666);
    EXPECT_EQ(hire.adjusted, 300'000);
    EXPECT_EQ(hire.grades, (SocialGrades{22, 19, 300'000, 300'000}));  // not H20 on 266,666

    // T8: January raise of 10,000, back-pay for January to March paid in April.
    SanteiInput backPay = input(DayRule::General, {230'000, 30}, {200'000, 31}, {200'000, 30});
    backPay.backPayBeforeApril = 30'000;
    const SanteiResult r = decide(backPay);
    EXPECT_EQ(r.average, 210'000);
    EXPECT_EQ(r.adjusted, 200'000);
    EXPECT_EQ(r.grades, (SocialGrades{17, 14, 200'000, 200'000}));

    // The clerk's own figure wins.
    backPay.enteredAdjusted = 245'000;
    EXPECT_EQ(decide(backPay).grades.health, 19);
}

TEST(Teiji, TheFirstPayAfterAHireNeverDecidesAlone) {
    // Pro-rated April the only month at 17 days: the previous standard continues, rather than
    // a grade from the part-month's pay.
    const SanteiResult general =
        decide(input(DayRule::General, {200'000, 20, true}, {250'000, 16}, {250'000, 16}));
    EXPECT_TRUE(general.keepPrevious);
    EXPECT_EQ(general.grades, kPrevious);

    // A 短時間就労者 falls back to May and June at 15 days; the pro-rated April, at 18 days,
    // stays in the total but not in the 修正平均額 that decides.
    const SanteiResult partTime =
        decide(input(DayRule::PartTime, {90'000, 18, true}, {160'000, 16}, {150'000, 15}));
    EXPECT_FALSE(partTime.keepPrevious);
    EXPECT_EQ(partTime.counted, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(partTime.average, 133'333);
    EXPECT_EQ(partTime.adjusted, 155'000);
    EXPECT_EQ(partTime.grades.health, 13);  // 160,000: from 155,000 up to 165,000
}

TEST(Teiji, GradeTableEdges) {
    struct Case {
        std::int32_t remuneration;
        SocialGrades grades;
    };
    const Case cases[] = {
        {0, {1, 1, 58'000, 88'000}},
        {62'999, {1, 1, 58'000, 88'000}},
        {63'000, {2, 1, 68'000, 88'000}},
        {92'999, {4, 1, 88'000, 88'000}},
        {93'000, {5, 2, 98'000, 98'000}},
        {634'999, {34, 31, 620'000, 620'000}},
        {635'000, {35, 32, 650'000, 650'000}},
        {1'354'999, {49, 32, 1'330'000, 650'000}},
        {1'355'000, {50, 32, 1'390'000, 650'000}},
        {99'999'999, {50, 32, 1'390'000, 650'000}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gradesOf(publishedGrades(), c.remuneration), c.grades) << c.remuneration;
    }
}

TEST(Teiji, ExclusionsByDatesAndRevisions) {
    constexpr int y = 2026;
    EXPECT_EQ(santeiExclusion(true, 20260105, 0, y, 0), SanteiExclusion::None);  // January hire
    EXPECT_EQ(santeiExclusion(true, 20260531, 0, y, 0), SanteiExclusion::None);
    EXPECT_EQ(santeiExclusion(true, 20260601, 0, y, 0), SanteiExclusion::JoinedFromJune);
    EXPECT_EQ(santeiExclusion(true, 20260615, 0, y, 0), SanteiExclusion::JoinedFromJune);
    EXPECT_EQ(santeiExclusion(true, 0, 20260701, y, 0), SanteiExclusion::LeftByJune);
    EXPECT_EQ(santeiExclusion(true, 0, 20260702, y, 0), SanteiExclusion::None);  // left 7/1
    EXPECT_EQ(santeiExclusion(true, 0, 0, y, 7), SanteiExclusion::RevisedJulyToSeptember);
    EXPECT_EQ(santeiExclusion(true, 0, 0, y, 9), SanteiExclusion::RevisedJulyToSeptember);
    EXPECT_EQ(santeiExclusion(true, 0, 0, y, 10), SanteiExclusion::None);
    EXPECT_EQ(santeiExclusion(false, 0, 0, y, 0), SanteiExclusion::NotInsured);
    EXPECT_FALSE(exclusionText(SanteiExclusion::JoinedFromJune).empty());
}

TEST(PayBasisDays, DerivedByPayFormAndCorrectedByTheClerk) {
    EmployeeRecord monthly{};
    monthly.payForm = 1;
    AttendanceRecord a{};
    a.daysWorked = 20;
    EXPECT_EQ(payBasisDays(monthly, a, true, calendarDaysOf(2026, 4)),
              30);  // no absence: the calendar
    // Absence deducted: the scheduled days less the days absent.  21 − 5 = 16 leaves April out
    // under the 17-day rule, which the calendar (30 − 5 = 25) would have counted.
    a.scheduledDays = 21;
    a.absentDays = 5;
    EXPECT_EQ(payBasisDays(monthly, a, true, calendarDaysOf(2026, 4)), 16);
    a.absentDays = 2.5;  // the half day still counts
    EXPECT_EQ(payBasisDays(monthly, a, true, calendarDaysOf(2026, 4)), 19);
    a.scheduledDays = 0;  // never entered: the calendar
    EXPECT_EQ(payBasisDays(monthly, a, true, calendarDaysOf(2026, 4)), 28);
    // Absence recorded but nothing deducted for it: the pay still covers the whole period.
    a.scheduledDays = 21;
    a.absentDays = 5;
    EXPECT_EQ(payBasisDays(monthly, a, false, calendarDaysOf(2026, 4)), 30);
    EXPECT_EQ(calendarDaysOf(2028, 2), 29);
    // The month of a hire counts from the 資格取得日; a hire on the 1st or in another month
    // leaves the whole month.
    EXPECT_EQ(calendarDaysFrom(2026, 4, 20260420), 11);
    EXPECT_EQ(calendarDaysFrom(2026, 4, 20260430), 1);
    EXPECT_EQ(calendarDaysFrom(2026, 4, 20260401), 30);
    EXPECT_EQ(calendarDaysFrom(2026, 4, 20260105), 30);
    EXPECT_EQ(calendarDaysFrom(2026, 4, 20260501), 30);
    EXPECT_EQ(calendarDaysFrom(2026, 4, 0), 30);

    EmployeeRecord hourly{};
    hourly.payForm = 3;
    a.daysWorked = 14;
    a.paidLeaveDays = 2;
    EXPECT_EQ(payBasisDays(hourly, a, false, 30), 16);

    correctPayBasisDays(a, 0);  // a correction to 0 is a correction
    EXPECT_TRUE(payBasisDaysCorrected(a));
    EXPECT_EQ(payBasisDays(hourly, a, false, 30), 0);
    clearPayBasisDaysCorrection(a);
    EXPECT_EQ(payBasisDays(hourly, a, false, 30), 16);
    const AttendanceRecord older{};  // a file written before the correction existed
    EXPECT_FALSE(payBasisDaysCorrected(older));
}

}  // namespace
}  // namespace keiro::calc
