// The shared heading of the tabular reports: the print date in the era calendar, blank-padded,
// across a change of era, and the page number.
#include <gtest/gtest.h>

#include "print/report_heading.h"

namespace keiro::print {
namespace {

using namespace std::chrono;

TEST(ReportHeadingTest, PrintDateInTheEraCalendar) {
    EXPECT_EQ(printDateText(year(2026) / December / 9), "令和  8年 12月  9日");
    EXPECT_EQ(printDateText(year(2019) / April / 30), "平成 31年  4月 30日");
    EXPECT_EQ(printDateText(year(2019) / May / 1), "令和  1年  5月  1日");
    EXPECT_EQ(pageNumberText(2, 11), "Page 2 / 11");
}

}  // namespace
}  // namespace keiro::print
