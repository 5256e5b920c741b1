// Revisions after a change of fixed pay: the two-grade test, the edge grades at both ends of the
// health and pension scales, the direction, the day rule, and the month it applies from.
#include <gtest/gtest.h>

#include "calc/social_revision.h"
#include "tests/support/published_grades.h"

namespace keiro::calc {
namespace {

using testing_support::publishedGrades;

RevisionInput revision(std::int32_t current, int direction, std::int32_t a, std::int32_t b,
                       std::int32_t c, std::array<int, 3> days = {20, 20, 20},
                       DayRule rule = DayRule::General) {
    RevisionInput in;
    in.rule = rule;
    in.direction = direction;
    in.currentRemuneration = current;
    const std::int32_t pays[3] = {a, b, c};
    for (int i = 0; i < 3; ++i) in.months[i] = {4 + i, true, days[i], pays[i], false};
    return in;
}

RevisionResult check(const RevisionInput& in) {
    return checkRevision(in, publishedGrades());
}

TEST(Revision, WorkedExamples) {
    struct Case {
        const char* name;
        RevisionInput in;
        std::int32_t average;
        bool health;
        bool pension;
        int healthGrade;
        int pensionGrade;
    };
    const Case cases[] = {
        {"Z1 one grade", revision(260'000, +1, 285'000, 292'000, 289'000), 288'666, false, false,
         21, 18},
        {"Z2 two grades", revision(260'000, +1, 300'000, 305'000, 298'000), 301'000, true, true, 22,
         19},
        {"Z5 down against a raise", revision(300'000, +1, 245'000, 250'000, 248'000), 247'666,
         false, false, 19, 16},
        {"Z6 pension top edge", revision(620'000, +1, 670'000, 670'000, 670'000), 670'000, true,
         true, 36, 32},
        {"Z7 one grade each", revision(620'000, +1, 650'000, 650'000, 650'000), 650'000, false,
         false, 35, 32},
        {"Z8 health top edge", revision(1'300'000, +1, 1'420'000, 1'420'000, 1'420'000), 1'420'000,
         true, false, 50, 32},
        {"Z9 under the health top edge", revision(1'300'000, +1, 1'400'000, 1'400'000, 1'400'000),
         1'400'000, false, false, 50, 32},
        {"Z10 pension bottom edge", revision(80'000, +1, 95'000, 95'000, 95'000), 95'000, true,
         true, 5, 2},
        {"Z11 health bottom edge", revision(50'000, +1, 65'000, 65'000, 65'000), 65'000, true,
         false, 2, 1},
        {"Z12 health down to grade 1", revision(68'000, -1, 52'000, 52'000, 52'000), 52'000, true,
         false, 1, 1},
        {"Z12 with 55,000", revision(68'000, -1, 55'000, 55'000, 55'000), 55'000, false, false, 1,
         1},
        {"Z13 down from the top edge", revision(1'420'000, -1, 1'300'000, 1'300'000, 1'300'000),
         1'300'000, true, false, 49, 32},
        {"Z13 from 1,380,000", revision(1'380'000, -1, 1'300'000, 1'300'000, 1'300'000), 1'300'000,
         false, false, 49, 32},
        {"Z14 pension capped", revision(830'000, +1, 900'000, 900'000, 900'000), 900'000, false,
         false, 41, 32},
        {"pension down from the top edge", revision(670'000, -1, 610'000, 610'000, 610'000),
         610'000, true, true, 34, 31},
        {"pension down to grade 1", revision(98'000, -1, 82'000, 82'000, 82'000), 82'000, true,
         true, 3, 1},
    };
    for (const Case& c : cases) {
        const RevisionResult r = check(c.in);
        EXPECT_TRUE(r.daysMet) << c.name;
        EXPECT_EQ(r.average, c.average) << c.name;
        EXPECT_EQ(r.health, c.health) << c.name;
        EXPECT_EQ(r.pension, c.pension) << c.name;
        EXPECT_EQ(r.grades.health, c.healthGrade) << c.name;
        EXPECT_EQ(r.grades.pension, c.pensionGrade) << c.name;
    }
}

TEST(Revision, NeedsAFixedPayChangeAndEveryMonthMeetingTheDayRule) {
    // Z3: overtime alone moved the pay.
    EXPECT_FALSE(check(revision(260'000, 0, 300'000, 305'000, 298'000)).any());
    // Z4: May has 16 days.
    EXPECT_FALSE(check(revision(260'000, +1, 300'000, 305'000, 298'000, {17, 16, 20})).daysMet);
    // Z15: a part-timer's 16-day months never count here.
    EXPECT_FALSE(
        check(revision(260'000, +1, 300'000, 305'000, 298'000, {16, 16, 16}, DayRule::PartTime))
            .any());
    // A short-time worker needs 11 days in each.
    EXPECT_TRUE(
        check(revision(100'000, +1, 150'000, 150'000, 150'000, {11, 11, 11}, DayRule::ShortTime))
            .any());
    // A month without pay breaks the series.
    RevisionInput gap = revision(260'000, +1, 300'000, 305'000, 298'000);
    gap.months[1].paid = false;
    EXPECT_FALSE(check(gap).any());
}

TEST(Revision, BackPayForEarlierMonthsIsTakenOut) {
    // A raise of 40,000 decided in June for April, all paid in June: the June pay holds 80,000
    // of back-pay for April and May.
    RevisionInput in = revision(260'000, +1, 300'000, 300'000, 380'000);
    in.backPayBefore = 80'000;
    const RevisionResult r = check(in);
    EXPECT_EQ(r.average, 326'666);
    EXPECT_EQ(r.remuneration, 300'000);
    EXPECT_EQ(r.grades.health, 22);
}

TEST(Revision, AppliesFromTheFourthMonth) {
    EXPECT_EQ(revisionAppliesFrom(202604), 202607);
    EXPECT_EQ(revisionAppliesFrom(202606), 202609);
    EXPECT_EQ(revisionAppliesFrom(202610), 202701);
    EXPECT_EQ(revisionAppliesFrom(202612), 202703);
}

}  // namespace
}  // namespace keiro::calc
