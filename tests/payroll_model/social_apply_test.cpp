// Decided grades written into a period's employees, and the April-June sheet the clerk works
// on before applying it: a typed 修正平均額 decides the line again, excluded lines take none,
// and only lines decided from their months are written.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "calc/premiums.h"
#include "payroll/model/santei_sheet.h"
#include "payroll/model/social_apply.h"
#include "tests/support/published_grades.h"

namespace keiro::payroll {
namespace {

using testing_support::publishedGrades;

calc::SanteiLine reportedLine(const char* id, std::int32_t monthly) {
    calc::SanteiLine line;
    line.recordId = id;
    line.previous = calc::gradesOf(publishedGrades(), 240'000);
    for (int k = 0; k < 3; ++k) line.months[k] = {4 + k, true, 30, monthly, false};
    calc::SanteiInput in;
    in.months = line.months;
    line.result = calc::decideTeiji(in, publishedGrades(), line.previous);
    return line;
}

TEST(SocialApplyTest, APremiumMonthIsCollectedByTheNextSalaryPeriod) {
    EXPECT_EQ(collectingPeriod(9), 10);
    EXPECT_EQ(collectingPeriod(1), 2);
    EXPECT_EQ(collectingPeriod(12), std::nullopt);  // next year's January
    EXPECT_EQ(collectingPeriod(0), std::nullopt);
    // A grade from May holds until August's premium, collected in September's pay; September's
    // decision then follows.  One from October holds to the year's end.
    EXPECT_EQ(lastCollectingPeriod(5), 9);
    EXPECT_EQ(lastCollectingPeriod(6), 9);
    EXPECT_EQ(lastCollectingPeriod(7), 12);
    EXPECT_EQ(lastCollectingPeriod(9), 12);
}

TEST(SocialApplyTest, WritesGradePremiumsAtThePeriodsRatesAndTheDecisionFacts) {
    auto block = std::make_unique<PeriodBlock>();
    block->settings = testing_support::tokyoRates();
    block->settings.supportRate = 0.115;
    EmployeeRecord& a = block->employee(1);
    a.recordId.assign("A");
    a.insuranceGrade = 20;
    a.healthInsPremium = 1;
    EmployeeRecord& b = block->employee(2);
    b.recordId.assign("B");
    b.nursingInsured = 1;
    EmployeeRecord& c = block->employee(3);
    c.recordId.assign("C");
    c.insuranceGrade = 7;

    const std::vector<GradeDecision> decisions{{"A", 22, 300'000, 0, 202609, kDecidedYearly},
                                               {"B", 22, 301'000, 298'000, 202609, kDecidedYearly},
                                               {"Z", 22, 300'000, 0, 202609, kDecidedYearly},
                                               {"C", 99, 300'000, 0, 202609, kDecidedYearly}};
    PayrollPeriod period;  // the block stays where it is: a, b and c still refer into it
    period.open(10, std::move(block), nullptr, nullptr);
    EXPECT_EQ(applyDecisions(period, decisions, publishedGrades()), 2);
    EXPECT_TRUE(period.isDirty());

    const calc::MonthlyPremiums p =
        calc::SetPremiumsFromGrade(publishedGrades(), 22, period.block().settings);
    EXPECT_EQ(a.insuranceGrade, 22);
    EXPECT_EQ(a.healthInsPremium, 14'775);  // 300,000 × 4.925 %
    EXPECT_EQ(a.pensionPremium, 27'450);    // 300,000 × 9.15 %
    EXPECT_EQ(a.supportPremium, p.support);
    EXPECT_EQ(b.supportPremium, p.supportWithCare);  // pays 介護: the levy rounded with it
    EXPECT_EQ(b.nursingInsPremium, p.nursing);
    EXPECT_EQ(a.social.decidedRemuneration, 300'000);
    EXPECT_EQ(a.social.revisedYearMonth, 202609);
    EXPECT_EQ(a.social.decisionKind, kDecidedYearly);
    EXPECT_EQ(b.social.adjustedAverage, 298'000);
    EXPECT_EQ(c.insuranceGrade, 7);  // a grade the table lacks writes nothing
    EXPECT_EQ(c.social.decisionKind, 0);
}

TEST(SocialApplyTest, ADecisionLandsOnItsEmployeeWhereverTheSlotAndIsTold) {
    // The decisions were made from saved months; since then slot 1 was emptied and A moved to
    // slot 4, behind an employee who came in and took slot 2.
    auto block = std::make_unique<PeriodBlock>();
    block->settings = testing_support::tokyoRates();
    block->employee(2).recordId.assign("NEW");
    block->employee(2).insuranceGrade = 18;
    block->employee(4).recordId.assign("A");
    block->employee(4).insuranceGrade = 20;
    PayrollPeriod period;
    period.open(10, std::move(block), nullptr, nullptr);
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription subscription =
        period.subscribe([&told](const PeriodChange& change) { told.push_back(change); });

    EXPECT_EQ(
        applyDecisions(period, {{"A", 22, 300'000, 0, 202609, kDecidedYearly}}, publishedGrades()),
        1);
    EXPECT_EQ(period.block().employee(4).insuranceGrade, 22);
    EXPECT_EQ(period.block().employee(4).social.decidedRemuneration, 300'000);
    EXPECT_EQ(period.block().employee(2).insuranceGrade, 18);
    EXPECT_EQ(period.block().employee(2).social.decidedRemuneration, 0);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].employee, EmployeeId("A"));
    EXPECT_FALSE(told[0].item.has_value());
}

TEST(SanteiSheetTest, AnAdjustedAverageDecidesTheLineAgainAndOnlyDecidedLinesAreWritten) {
    calc::SanteiLine excluded = reportedLine("X", 500'000);
    excluded.excluded = calc::SanteiExclusion::JoinedFromJune;
    calc::SanteiLine noMonth = reportedLine("N", 200'000);
    for (calc::SanteiMonth& m : noMonth.months) m.days = 10;  // no month reaches 17 days
    calc::SanteiInput in;
    in.months = noMonth.months;
    noMonth.result = calc::decideTeiji(in, publishedGrades(), noMonth.previous);
    ASSERT_TRUE(noMonth.result.keepPrevious);

    SanteiSheet sheet({reportedLine("A", 300'000), excluded, noMonth}, publishedGrades(), 2026);
    std::vector<GradeDecision> d = sheet.decisions();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].recordId, "A");
    EXPECT_EQ(d[0].grade, 22);
    EXPECT_EQ(d[0].remuneration, 300'000);
    EXPECT_EQ(d[0].yearMonth, 202609);
    EXPECT_EQ(d[0].adjustedAverage, 0);

    EXPECT_TRUE(sheet.setAdjusted(0, 420'000));
    EXPECT_EQ(sheet.lines()[0].result.average, 300'000);  // the average stays shown
    d = sheet.decisions();
    EXPECT_EQ(d[0].grade, 27);  // 410,000 - 440,000
    EXPECT_EQ(d[0].remuneration, 420'000);
    EXPECT_EQ(d[0].adjustedAverage, 420'000);

    EXPECT_TRUE(sheet.setAdjusted(0, 0));  // taken away: the average decides again
    EXPECT_EQ(sheet.decisions()[0].grade, 22);
    EXPECT_FALSE(sheet.setAdjusted(0, -1));
    EXPECT_FALSE(sheet.setAdjusted(1, 300'000));  // excluded
    EXPECT_FALSE(sheet.setAdjusted(3, 300'000));  // no such line
    EXPECT_EQ(sheet.lines()[1].enteredAdjusted, 0);
}

TEST(SanteiSheetTest, CorrectedDaysDecideTheMonthsCountedAndAreKeptOncePerMonth) {
    calc::SanteiLine excluded = reportedLine("X", 500'000);
    excluded.excluded = calc::SanteiExclusion::JoinedFromJune;
    calc::SanteiLine unpaidJune = reportedLine("A", 300'000);
    unpaidJune.months[2].paid = false;
    SanteiSheet sheet({unpaidJune, excluded}, publishedGrades(), 2026);

    EXPECT_TRUE(sheet.setDays(0, 1, 16));  // May under 17 days: April alone counts
    EXPECT_EQ(sheet.lines()[0].result.counted, (std::array<bool, 3>{true, false, false}));
    EXPECT_TRUE(sheet.setDays(0, 1, 17));  // corrected again: one correction, the last days
    EXPECT_EQ(sheet.lines()[0].result.counted, (std::array<bool, 3>{true, true, false}));
    ASSERT_EQ(sheet.dayCorrections().size(), 1u);
    EXPECT_EQ(sheet.dayCorrections()[0].month, 5);
    EXPECT_EQ(sheet.dayCorrections()[0].days, 17);

    EXPECT_FALSE(sheet.setDays(0, 2, 20));  // June not paid
    EXPECT_FALSE(sheet.setDays(0, 0, 32));
    EXPECT_FALSE(sheet.setDays(0, 3, 20));
    EXPECT_FALSE(sheet.setDays(1, 0, 20));  // excluded
    EXPECT_EQ(sheet.dayCorrections().size(), 1u);
}

}  // namespace
}  // namespace keiro::payroll
