#include "print/table_frame.h"

#include "print/fitted_text.h"

namespace keiro::print {
namespace {

// What a text keeps clear of the line after it.
constexpr float kTextGap = 0.5f;

}  // namespace

float rowTop(int row) {
    return kTableTop + kRowHeight * static_cast<float>(row);
}

float rowTextY(int row) {
    // A 9 pt cell is 3.2 mm high: centred in the row, near enough.
    return rowTop(row) + 0.6f;
}

void drawTableFrame(Canvas& canvas, int rowCount, const TableGeometry& geometry) {
    const float bottom = rowTop(rowCount);
    for (int row = 0; row < rowCount; row += 2) {
        canvas.putShade(kTableLeft, rowTop(row), geometry.right, rowTop(row + 1));
    }
    canvas.setPen(Pen::Thin);
    for (int k = 0; k < geometry.columnLines; ++k) {
        const float x = geometry.columnX(k);
        canvas.putLine(x, kTableTop, x, bottom);
    }
    canvas.setPen(Pen::Thick);
    canvas.putBox(kTableLeft, kTableTop, geometry.right, bottom);
    canvas.putLine(kTableLeft, rowTop(1), geometry.right, rowTop(1));
    canvas.setPen(Pen::Thin);
}

void drawRowLabels(Canvas& canvas, const std::vector<TableRow>& rows,
                   const TableGeometry& geometry) {
    FontInfo font;
    font.narrow = true;
    font.sizeMm = pointsToMm(geometry.fontPt);
    canvas.setFont(font);
    const float room = geometry.firstColumnX - kRowLabelX;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        putTextWithin(canvas, rows[i].label, kRowLabelX, rowTextY(static_cast<int>(i)),
                      room - kTextGap);
    }
}

void drawColumnTexts(Canvas& canvas, const std::vector<std::string>& texts, float x,
                     float widthMm) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!texts[i].empty())
            putTextWithin(canvas, texts[i], x, rowTextY(static_cast<int>(i)), widthMm);
    }
}

}  // namespace keiro::print
