#include "print/report_heading.h"

#include <cstdio>

#include "core/era.h"

namespace keiro::print {
namespace {

std::string twoPlaces(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%2d", value);
    return text;
}

}  // namespace

std::string printDateText(std::chrono::year_month_day date) {
    const EraDate era = eraDateOf(date);
    return era.eraName + " " + twoPlaces(era.eraYear) + "年 " + twoPlaces(era.month) + "月 " +
           twoPlaces(era.day) + "日";
}

std::string pageNumberText(int page, int pages) {
    return "Page " + std::to_string(page) + " / " + std::to_string(pages);
}

void drawHeading(Canvas& canvas, std::string_view company, std::string_view printDate,
                 const HeadingPlaces& places, int page, int pages) {
    canvas.setFontPt(10);
    canvas.putText(company, 12, 22);
    canvas.putText(printDate, places.dateX, 22);
    if (places.pageX != 0.0f) canvas.putText(pageNumberText(page, pages), places.pageX, 22);
}

}  // namespace keiro::print
