// Date parts with their era limits and month lengths, the status text, moving between slots and
// which later inputs a year shows.
#include "withholding/edit/edit_rules.h"

#include <gtest/gtest.h>

namespace keiro::withholding {
namespace {

DateCheck yearLeft(int era, int year) {
    return checkDatePart(DateField::Year, {era, year, 0, 0});
}
DateCheck dayLeft(int era, int year, int month, int day) {
    return checkDatePart(DateField::Day, {era, year, month, day});
}

TEST(DateParts, YearsBeyondTheirEraAreEmptied) {
    EXPECT_TRUE(yearLeft(kEraShowa, 65).emptyPart);
    EXPECT_FALSE(yearLeft(kEraShowa, 64).emptyPart);
    EXPECT_TRUE(yearLeft(kEraMeiji, 46).emptyPart);
    EXPECT_FALSE(yearLeft(kEraMeiji, 45).emptyPart);
    EXPECT_TRUE(yearLeft(kEraTaisho, 16).emptyPart);
    EXPECT_FALSE(yearLeft(kEraHeisei, 99).emptyPart);
    // A year without an era is emptied and the era is asked for.
    const DateCheck noEra = yearLeft(0, 5);
    EXPECT_TRUE(noEra.emptyPart);
    EXPECT_EQ(noEra.focusBack, DateField::Era);
    // Leaving an empty part is no error.
    EXPECT_FALSE(yearLeft(0, 0).emptyPart);
    EXPECT_FALSE(yearLeft(0, 0).focusBack);
}

TEST(DateParts, DaysFollowTheMonthOfTheGregorianYear) {
    EXPECT_TRUE(dayLeft(kEraHeisei, 31, 2, 29).emptyPart);   // 2019: no leap year
    EXPECT_FALSE(dayLeft(kEraShowa, 63, 2, 29).emptyPart);   // 1988
    EXPECT_FALSE(dayLeft(kEraNew, 2, 2, 29).emptyPart);      // 2020
    EXPECT_TRUE(dayLeft(kEraMeiji, 33, 2, 29).emptyPart);    // 1900: a century, no leap year
    EXPECT_FALSE(dayLeft(kEraHeisei, 12, 2, 29).emptyPart);  // 2000
    EXPECT_TRUE(dayLeft(kEraHeisei, 10, 4, 31).emptyPart);
    EXPECT_FALSE(dayLeft(kEraHeisei, 10, 12, 31).emptyPart);
}

TEST(DateParts, APartWithoutTheOneBeforeSendsTheFocusBack) {
    const DateCheck month = checkDatePart(DateField::Month, {kEraShowa, 0, 5, 0});
    EXPECT_EQ(month.focusBack, DateField::Year);
    EXPECT_FALSE(month.emptyPart);
    EXPECT_EQ(checkDatePart(DateField::Day, {kEraShowa, 50, 0, 3}).focusBack, DateField::Month);
    EXPECT_TRUE(checkDatePart(DateField::Month, {kEraShowa, 50, 13, 0}).emptyPart);
    EXPECT_FALSE(checkDatePart(DateField::Month, {kEraShowa, 50, 12, 0}).emptyPart);
}

TEST(DateParts, EraYearsToGregorianYears) {
    EXPECT_EQ(gregorianYearOf(kEraNew, 8), 2026);
    EXPECT_EQ(gregorianYearOf(kEraHeisei, 27), 2015);
    EXPECT_EQ(gregorianYearOf(0, 8), 0);
}

TEST(EditorStatus, ByTheAdjustmentStatus) {
    EXPECT_EQ(editorStatusText(0), "未処理");
    EXPECT_EQ(editorStatusText(1), "計算済");
    EXPECT_EQ(editorStatusText(2), "年調対象外");
    EXPECT_EQ(editorStatusText(7), "未処理");
}

TEST(EditorSlots, ForwardOnlyToAnOccupiedSlotWithinTheHundred) {
    EXPECT_FALSE(canGoBack(1));
    EXPECT_TRUE(canGoBack(2));
    EXPECT_TRUE(canGoBack(100));
    EXPECT_TRUE(canGoForward(1, true));
    EXPECT_FALSE(canGoForward(1, false));
    EXPECT_FALSE(canGoForward(100, true));
}

TEST(LaterInputs, EachInputIsShownForTheYearsWhoseLawHasIt) {
    const LaterInputs y2015 = laterInputsOf(2015);
    EXPECT_TRUE(y2015.widower);
    EXPECT_FALSE(y2015.singleParent || y2015.incomeEstimate || y2015.specificRelatives);
    const LaterInputs y2019 = laterInputsOf(2019);
    EXPECT_TRUE(y2019.widower);
    EXPECT_FALSE(y2019.singleParent);
    const LaterInputs y2020 = laterInputsOf(2020);
    EXPECT_FALSE(y2020.widower);
    EXPECT_TRUE(y2020.singleParent && y2020.incomeEstimate);
    EXPECT_FALSE(y2020.specificRelatives);
    EXPECT_FALSE(laterInputsOf(2024).specificRelatives);
    EXPECT_TRUE(laterInputsOf(2025).specificRelatives);
    EXPECT_TRUE(laterInputsOf(2030).specificRelatives && laterInputsOf(2030).singleParent);
}

}  // namespace
}  // namespace keiro::withholding
