#include "print/money_table_frame.h"

#include "print/report_heading.h"

namespace keiro::print {
namespace {

constexpr float kTop = 29.0f;
constexpr float kRowHeight = 5.0f;
constexpr float kTextDrop = 0.7f;  // from a row's top to its texts

float rowTop(int row) {
    return kTop + kRowHeight * static_cast<float>(row);
}

}  // namespace

float moneyRowTextY(int row) {
    return rowTop(row) + kTextDrop;
}

void drawMoneyTableFrame(Canvas& canvas, const MoneyTableLayout& layout,
                         const MoneyTablePage& page) {
    FontInfo font;
    canvas.setFont(font);
    canvas.setFontPt(16);
    canvas.putText(layout.title, 95, 20);
    canvas.setFontPt(12);
    canvas.putText(page.periodCaption, 150, 21);
    drawHeading(canvas, page.company, page.printDate, HeadingPlaces{}, page.page, page.pages);

    for (int row = 0; row <= kMoneyRowsPerPage; row += 2) {
        canvas.putShade(kMoneyTableLeft, rowTop(row), layout.right, rowTop(row + 1));
    }
    canvas.setPen(Pen::Thick);
    canvas.putBox(kMoneyTableLeft, kTop, layout.right, layout.bottom);
    canvas.putLine(kMoneyTableLeft, rowTop(1), layout.right, rowTop(1));
    if (layout.totalLineY != 0.0f) {
        canvas.putLine(kMoneyTableLeft, layout.totalLineY, layout.right, layout.totalLineY);
    }
    canvas.setPen(Pen::Thin);
    for (const float x : layout.columnLines) canvas.putLine(x, kTop, x, layout.bottom);

    font.sizeMm = pointsToMm(10);
    font.narrow = true;
    canvas.setFont(font);
    for (const ColumnHeader& header : layout.headers) {
        canvas.putText(header.text, header.x, moneyRowTextY(0));
    }
}

}  // namespace keiro::print
