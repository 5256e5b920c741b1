#include "print/text_table_report.h"

#include <algorithm>
#include <cstdio>

#include "core/entry.h"
#include "print/fitted_text.h"
#include "print/report_heading.h"

namespace keiro::print {
namespace {

constexpr float kLeft = 10.0f;
constexpr float kTop = 29.0f;
constexpr float kHeaderHeight = 6.0f;
constexpr float kRowHeight = 5.5f;
constexpr float kTextDrop = 1.2f;
constexpr float kCellPad = 0.8f;
constexpr float kFontPt = 8.5f;

float rowTop(int row) {
    return kTop + kHeaderHeight + kRowHeight * static_cast<float>(row);
}

}  // namespace

std::string amountCell(long long yen, bool plain) {
    return plain ? std::to_string(yen) : formatAmount(0, yen);
}

std::string gradeCell(int grade) {
    return grade > 0 ? std::to_string(grade) : std::string();
}

TextTableReport::TextTableReport(TextTable table, std::chrono::year_month_day printDate)
    : table_(std::move(table)), printDate_(printDateText(printDate)) {}

int TextTableReport::pageCount() const {
    const int rows = static_cast<int>(table_.rows.size());
    return std::max(1, (rows + kTextTableRowsPerPage - 1) / kTextTableRowsPerPage);
}

std::string TextTableReport::countText() const {
    char text[48];
    std::snprintf(text, sizeof text, " %2d枚 [%d", pageCount(),
                  static_cast<int>(table_.rows.size()));
    return text + table_.unit + "]";
}

PaperChoice TextTableReport::paper() const {
    return {Paper::A4, Orientation::Landscape};
}

void TextTableReport::drawRow(Canvas& canvas, const std::vector<std::string>& texts, float top,
                              bool heading) const {
    float x = kLeft;
    for (std::size_t c = 0; c < table_.columns.size() && c < texts.size(); ++c) {
        const TextTableColumn& column = table_.columns[c];
        const float room = column.widthMm - 2 * kCellPad;
        const std::string& text = texts[c];
        float at = x + kCellPad;
        if (column.right && !heading)
            at = x + kCellPad + std::max(0.0f, room - textWidth(canvas, text));
        putTextWithin(canvas, text, at, top + kTextDrop, room);
        x += column.widthMm;
    }
}

void TextTableReport::drawPage(Canvas& canvas, int page, const PageOptions& /*options*/) const {
    FontInfo font;
    canvas.setFont(font);
    canvas.setFontPt(16);
    canvas.putText(table_.title, kLeft + 2, 9);
    canvas.setFontPt(10);
    drawHeading(canvas, table_.company, printDate_, HeadingPlaces{}, page, pageCount());
    if (!table_.subtitle.empty()) canvas.putText(table_.subtitle, 120, 22);

    const int first = (page - 1) * kTextTableRowsPerPage;
    const int count =
        std::clamp(static_cast<int>(table_.rows.size()) - first, 0, kTextTableRowsPerPage);
    float right = kLeft;
    for (const TextTableColumn& column : table_.columns) right += column.widthMm;
    for (int r = 0; r < count; r += 2) canvas.putShade(kLeft, rowTop(r), right, rowTop(r + 1));
    canvas.putShade(kLeft, kTop, right, rowTop(0));
    canvas.setPen(Pen::Thick);
    canvas.putBox(kLeft, kTop, right, rowTop(count));
    canvas.putLine(kLeft, rowTop(0), right, rowTop(0));
    canvas.setPen(Pen::Thin);
    float x = kLeft;
    for (std::size_t c = 0; c + 1 < table_.columns.size(); ++c) {
        x += table_.columns[c].widthMm;
        canvas.putLine(x, kTop, x, rowTop(count));
    }

    font.sizeMm = pointsToMm(kFontPt);
    font.narrow = true;
    canvas.setFont(font);
    drawRow(canvas, table_.headings, kTop + 0.3f, true);
    for (int r = 0; r < count; ++r) {
        drawRow(canvas, table_.rows[static_cast<std::size_t>(first + r)], rowTop(r), false);
    }
    if (page == pageCount()) {
        float y = rowTop(count) + 3.0f;
        if (table_.rows.empty()) {
            canvas.putText(kNobodyListed, kLeft + 2, y);
            y += kRowHeight;
        }
        for (const std::string& note : table_.notes) {
            canvas.putText(note, kLeft + 2, y);
            y += kRowHeight;
        }
    }
}

}  // namespace keiro::print
