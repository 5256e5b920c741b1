#pragma once
// The heading the tabular reports share (ledger, monthly list, transfer list, denomination
// table, roster): the company at the left, the print date in the era calendar and the page
// number at the right, at 10 pt.

#include <chrono>
#include <string>
#include <string_view>

#include "print/canvas.h"

namespace keiro::print {

// The day of printing as the reports show it: the era name, a blank, the era year in two places
// (a leading zero shown as a blank), "年 ", the month, "月 ", the day and "日":
// "令和  8年 12月  9日".
std::string printDateText(std::chrono::year_month_day date);

// "Page %d / %d".
std::string pageNumberText(int page, int pages);

// Where the heading's parts go; the page number is left out when its x is 0.
struct HeadingPlaces {
    float dateX = 220.0f;
    float pageX = 260.0f;
};

// Company (12, 22), print date (dateX, 22) and, when pageX is set, the page number
// (pageX, 22), at 10 pt in the canvas's current face.
void drawHeading(Canvas& canvas, std::string_view company, std::string_view printDate,
                 const HeadingPlaces& places, int page, int pages);

}  // namespace keiro::print
