#include <gtest/gtest.h>

#include "withholding/model/family_ages.h"

namespace keiro::withholding {
namespace {

CalendarDateBytes born(int year, int month, int day) {
    return calendarDateBytes(year, month, day);
}

void name(FamilyEntry& entry, const char* text, CalendarDateBytes birth) {
    entry.name.assign(text);
    entry.birth = birth;
}

// 2025: 16 on 31 December = born on or before 2010-01-01; 19 = 2007-01-01; 23 = 2003-01-01;
// 70 = 1956-01-01.
TEST(FamilyAges, EachClassEdgeFallsOnTheFirstOfJanuary) {
    EXPECT_EQ(ageClassAtYearEnd(born(2010, 1, 2), 2025), AgeClass::Under16);
    EXPECT_EQ(ageClassAtYearEnd(born(2010, 1, 1), 2025), AgeClass::General);
    EXPECT_EQ(ageClassAtYearEnd(born(2007, 1, 2), 2025), AgeClass::General);
    EXPECT_EQ(ageClassAtYearEnd(born(2007, 1, 1), 2025), AgeClass::Specific);
    EXPECT_EQ(ageClassAtYearEnd(born(2003, 1, 2), 2025), AgeClass::Specific);
    EXPECT_EQ(ageClassAtYearEnd(born(2003, 1, 1), 2025), AgeClass::General);
    EXPECT_EQ(ageClassAtYearEnd(born(1956, 1, 2), 2025), AgeClass::General);
    EXPECT_EQ(ageClassAtYearEnd(born(1956, 1, 1), 2025), AgeClass::Elderly);
    EXPECT_EQ(ageClassAtYearEnd(born(2009, 12, 31), 2025), AgeClass::General);  // 16
}

TEST(FamilyAges, LeapDayBirthsAndDatesThatAreNotDates) {
    EXPECT_EQ(ageAtYearEnd(born(2008, 2, 29), 2025), 17);
    EXPECT_EQ(ageAtYearEnd(born(2025, 1, 1), 2025), 1);
    EXPECT_EQ(ageAtYearEnd(born(2025, 12, 31), 2025), 0);
    EXPECT_FALSE(ageAtYearEnd(born(2026, 1, 1), 2025));   // after the year
    EXPECT_FALSE(ageAtYearEnd(born(2007, 2, 29), 2025));  // no such day
    EXPECT_FALSE(ageAtYearEnd(CalendarDateBytes{}, 2025));
    EXPECT_FALSE(ageAtYearEnd(CalendarDateBytes{107, 13, 1}, 2025));
    EXPECT_EQ(ageClassAtYearEnd(CalendarDateBytes{}, 2025), AgeClass::NotEntered);
}

TEST(FamilyAges, NonResidentsAgedThirtyToSixtyNineNeedAReasonFrom2023) {
    EXPECT_FALSE(dependantCounts(45, true, kNonResidentNoReason, 2023));
    EXPECT_TRUE(dependantCounts(45, true, kNonResidentNoReason, 2022));
    EXPECT_TRUE(dependantCounts(45, true, kNonResidentStudent, 2023));
    EXPECT_TRUE(dependantCounts(45, true, kNonResidentNotStated, 2023));
    EXPECT_TRUE(dependantCounts(29, true, kNonResidentNoReason, 2023));
    EXPECT_TRUE(dependantCounts(70, true, kNonResidentNoReason, 2023));
    EXPECT_TRUE(dependantCounts(45, false, kNonResidentNoReason, 2023));
}

TEST(FamilyAges, CountsFollowTheDatesOfEveryNamedDependant) {
    WithholdingRecord record{};
    WithholdingSupplement supplement{};
    name(record.dependantEntries[0], "一郎", born(2008, 5, 1));  // 17: 一般, under 23
    name(record.dependantEntries[1], "次郎", born(2005, 5, 1));  // 20: 特定
    name(record.dependantEntries[2], "祖母", born(1950, 5, 1));  // 75: 老人
    name(record.dependantEntries[3], "叔父", born(1980, 5, 1));  // 45, abroad, no reason
    record.dependantEntries[3].nonResident = 1;
    record.dependantEntries[3].nonResidentReason = kNonResidentNoReason;
    name(record.under16Entries[0], "三郎", born(2015, 5, 1));  // 10
    supplement.moreDependants[0].name.assign("四郎");
    supplement.moreDependants[0].birth = born(1990, 5, 1);  // 35: 一般
    supplement.moreUnder16[0].name.assign("花子");
    supplement.moreUnder16[0].birth = born(2020, 5, 1);
    name(record.spouse, "妻", born(1955, 3, 3));  // 70

    const DerivedFamilyCounts counts = deriveFamilyCounts(record, supplement, 2025);
    EXPECT_TRUE(counts.complete);
    EXPECT_EQ(counts.general, 2);
    EXPECT_EQ(counts.specific, 1);
    EXPECT_EQ(counts.elderly, 1);
    EXPECT_EQ(counts.under16, 2);
    EXPECT_EQ(counts.nonResident, 0);
    EXPECT_TRUE(counts.dependantUnder23);
    EXPECT_TRUE(counts.dependantAged16To22);
    EXPECT_TRUE(counts.spouseAgeKnown);
    EXPECT_TRUE(counts.spouseElderly);
}

TEST(FamilyAges, ANamedDependantWithoutADateLeavesTheTypedCounts) {
    WithholdingRecord record{};
    const WithholdingSupplement supplement{};
    EXPECT_FALSE(deriveFamilyCounts(record, supplement, 2025).complete);  // nobody at all

    name(record.dependantEntries[0], "一郎", born(2008, 5, 1));
    record.dependantEntries[1].myNumber = 123456789012;  // named by number only, no date
    const DerivedFamilyCounts counts = deriveFamilyCounts(record, supplement, 2025);
    EXPECT_FALSE(counts.complete);
    EXPECT_EQ(counts.general, 0);
    EXPECT_TRUE(counts.dependantUnder23);  // the dated 17-year-old is still known
}

TEST(FamilyAges, TypedCountsThatContradictTheDatesAreNamed) {
    WithholdingRecord record{};
    const WithholdingSupplement supplement{};
    name(record.dependantEntries[0], "一郎", born(2005, 5, 1));  // 20 in 2025: 特定
    record.dependants.general = 1;
    record.spouseDeductible = 1;
    name(record.spouse, "妻", born(1980, 1, 1));
    record.spouseElderly = 1;
    const FamilyCountConflict conflict =
        typedCountsConflict(record, deriveFamilyCounts(record, supplement, 2025));
    EXPECT_TRUE(conflict.general);
    EXPECT_TRUE(conflict.specific);
    EXPECT_FALSE(conflict.elderly);
    EXPECT_FALSE(conflict.under16);
    EXPECT_TRUE(conflict.spouseElderly);

    record.dependants.general = 0;
    record.dependants.specific = 1;
    record.spouseElderly = 0;
    EXPECT_FALSE(typedCountsConflict(record, deriveFamilyCounts(record, supplement, 2025)).any());
}

}  // namespace
}  // namespace keiro::withholding
