#include "print/table_frame.h"

namespace keiro::print {

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
    for (const float x : geometry.columnLines) canvas.putLine(x, kTableTop, x, bottom);
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
    for (std::size_t i = 1; i < rows.size(); ++i) {
        canvas.putText(rows[i].label, kRowLabelX, rowTextY(static_cast<int>(i)));
    }
}

void drawColumnTexts(Canvas& canvas, const std::vector<std::string>& texts, float x) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!texts[i].empty()) canvas.putText(texts[i], x, rowTextY(static_cast<int>(i)));
    }
}

}  // namespace keiro::print
