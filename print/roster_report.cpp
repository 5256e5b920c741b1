#include "print/roster_report.h"

#include <algorithm>

#include "print/page_count.h"
#include "print/report_heading.h"

namespace keiro::print {
namespace {

constexpr float kLeft = 10.0f;
constexpr float kRight = 288.0f;
constexpr float kTop = 29.0f;
constexpr float kRowHeight = 5.5f;
constexpr float kTextDrop = 1.0f;  // from a row's top to its texts
constexpr float kLabelWidth = 23.0f;
constexpr float kColumnWidth = 25.5f;
constexpr float kTextIndent = 0.5f;    // texts from a column's left line
constexpr float kAmountIndent = 5.0f;  // amounts, nine places right-aligned

float rowTop(int row) {
    return kTop + kRowHeight * static_cast<float>(row);
}

float columnLeft(int column) {
    return kLeft + kLabelWidth + kColumnWidth * static_cast<float>(column);
}

}  // namespace

RosterReport::RosterReport(const PeriodBlock& block, const ItemNames& names,
                           std::chrono::year_month_day printDate)
    : labels_(rosterLabels(names)),
      company_(block.settings.companyName.utf8()),
      printDate_(printDateText(printDate)) {
    for (const EmployeeRecord& e : block.employees) {
        if (!e.isUsed()) break;
        columns_.push_back(rosterColumn(e));
    }
}

int RosterReport::pageCount() const {
    return rosterPages(employeeCount());
}

std::string RosterReport::countText() const {
    return pagesAndPeopleText(pageCount(), employeeCount());
}

PaperChoice RosterReport::paper() const {
    return {Paper::A4, Orientation::Landscape};
}

void RosterReport::drawFrame(Canvas& canvas, int page) const {
    FontInfo font;
    canvas.setFont(font);
    canvas.setFontPt(16);
    canvas.putText("社 員 名 簿 一 覧 表", 100, 20);
    drawHeading(canvas, company_, printDate_, HeadingPlaces{}, page, pageCount());

    for (int row = 0; row < kRosterRows; row += 2) {
        canvas.putShade(kLeft, rowTop(row), kRight, rowTop(row + 1));
    }
    canvas.setPen(Pen::Thick);
    canvas.putBox(kLeft, kTop, kRight, rowTop(kRosterRows));
    canvas.setPen(Pen::Thin);
    for (int column = 0; column < kRosterColumnsPerPage; ++column) {
        canvas.putLine(columnLeft(column), kTop, columnLeft(column), rowTop(kRosterRows));
    }

    font.sizeMm = pointsToMm(10);
    font.narrow = true;
    canvas.setFont(font);
    for (int row = 0; row < kRosterRows; ++row) {
        canvas.putText(labels_[static_cast<std::size_t>(row)], kLeft + 1, rowTop(row) + kTextDrop);
    }
}

void RosterReport::drawPage(Canvas& canvas, int page, const PageOptions& /*options*/) const {
    drawFrame(canvas, page);
    const int first = (page - 1) * kRosterColumnsPerPage;
    const int end = std::min(first + kRosterColumnsPerPage, employeeCount());
    for (int i = std::max(first, 0); i < end; ++i) {
        const float left = columnLeft(i - first);
        const auto& column = columns_[static_cast<std::size_t>(i)];
        for (int row = 0; row < kRosterRows; ++row) {
            const RosterCell& cell = column[static_cast<std::size_t>(row)];
            canvas.putText(cell.text, left + (cell.amount ? kAmountIndent : kTextIndent),
                           rowTop(row) + kTextDrop);
        }
    }
}

}  // namespace keiro::print
