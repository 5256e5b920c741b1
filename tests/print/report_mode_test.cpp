// The report number handed to the print dialog and the page counts of each report.
#include <gtest/gtest.h>

#include "print/page_count.h"

namespace keiro::print {
namespace {

TEST(ReportModeTest, TagCarriesKindAndPeriod) {
    EXPECT_EQ(reportModeFromTag(513), (ReportMode{ReportKind::MonthlyList, 13}));
    EXPECT_EQ(reportModeFromTag(299), (ReportMode{ReportKind::PaySlips, 99}));
    EXPECT_EQ(reportModeFromTag(100), (ReportMode{ReportKind::Roster, 0}));
    EXPECT_EQ(reportTag({ReportKind::MonthlyList, 4}), 504);
    EXPECT_EQ(reportTag({ReportKind::Denominations, 0}), 700);
    EXPECT_EQ(reportModeFromTag(800), (ReportMode{ReportKind::SocialList, 0}));
    EXPECT_EQ(reportModeFromTag(1000), (ReportMode{ReportKind::ResidentTax, 0}));
    for (const int tag : {0, 99, 300, 900, -500}) {
        EXPECT_EQ(reportModeFromTag(tag), std::nullopt) << tag;
    }
}

TEST(PageCountTest, ListsBreakAtTheirRowsPerPage) {
    EXPECT_EQ(rosterPages(0), 1);
    EXPECT_EQ(rosterPages(10), 1);
    EXPECT_EQ(rosterPages(11), 2);
    EXPECT_EQ(rosterPages(100), 10);
    // The total column needs a column of its own.
    EXPECT_EQ(monthlyListPages(9), 1);
    EXPECT_EQ(monthlyListPages(10), 2);
    EXPECT_EQ(monthlyListPages(0), 1);
    EXPECT_EQ(transferPages(30), 1);
    EXPECT_EQ(transferPages(31), 2);
    EXPECT_EQ(transferPages(0), 1);
}

TEST(PageCountTest, SlipsOneOrTwoToASheet) {
    for (const int form : {1, 2, 5, 6}) EXPECT_EQ(slipSheets(3, form), 3) << form;
    for (const int form : {0, 3, 4}) EXPECT_EQ(slipSheets(3, form), 2) << form;
    EXPECT_EQ(slipSheets(4, 3), 2);
    EXPECT_EQ(slipSheets(0, 3), 0);  // nobody selected: nothing to draw
    EXPECT_EQ(slipSheets(0, 1), 0);
    EXPECT_EQ(slipsOnSheet(1, 3), (SlipPair{1, 2}));
    EXPECT_EQ(slipsOnSheet(2, 3), (SlipPair{3, 0}));
    EXPECT_EQ(slipsOnSheet(2, 4), (SlipPair{3, 4}));
}

}  // namespace
}  // namespace keiro::print
