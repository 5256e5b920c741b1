#include "print/table_frame.h"

#include "print/fitted_text.h"
#include "print/table_rows.h"

namespace keiro::print {
namespace {

// What a text keeps clear of the line after it.
constexpr float kTextGap = 0.5f;

}  // namespace

float rowPitch(int rowCount) {
    if (rowCount <= kMaxTableRows) return kRowHeight;
    return kRowHeight * static_cast<float>(kMaxTableRows) / static_cast<float>(rowCount);
}

float rowTop(int row, int rowCount) {
    return kTableTop + rowPitch(rowCount) * static_cast<float>(row);
}

float rowTextY(int row, int rowCount) {
    // A 9 pt cell is 3.2 mm high: centred in the row, near enough.
    return rowTop(row, rowCount) + 0.6f;
}

void drawTableFrame(Canvas& canvas, int rowCount, const TableGeometry& geometry) {
    const float bottom = rowTop(rowCount, rowCount);
    for (int row = 0; row < rowCount; row += 2) {
        canvas.putShade(kTableLeft, rowTop(row, rowCount), geometry.right,
                        rowTop(row + 1, rowCount));
    }
    canvas.setPen(Pen::Thin);
    for (int k = 0; k < geometry.columnLines; ++k) {
        const float x = geometry.columnX(k);
        canvas.putLine(x, kTableTop, x, bottom);
    }
    canvas.setPen(Pen::Thick);
    canvas.putBox(kTableLeft, kTableTop, geometry.right, bottom);
    canvas.putLine(kTableLeft, rowTop(1, rowCount), geometry.right, rowTop(1, rowCount));
    canvas.setPen(Pen::Thin);
}

void drawRowLabels(Canvas& canvas, const std::vector<TableRow>& rows,
                   const TableGeometry& geometry) {
    FontInfo font;
    font.narrow = true;
    font.sizeMm = pointsToMm(geometry.fontPt);
    canvas.setFont(font);
    const float room = geometry.firstColumnX - kRowLabelX;
    const int count = static_cast<int>(rows.size());
    for (int i = 1; i < count; ++i) {
        putTextWithin(canvas, rows[static_cast<std::size_t>(i)].label, kRowLabelX,
                      rowTextY(i, count), room - kTextGap);
    }
}

void drawColumnTexts(Canvas& canvas, const std::vector<std::string>& texts, float x,
                     float widthMm) {
    const int count = static_cast<int>(texts.size());
    for (int i = 0; i < count; ++i) {
        const std::string& text = texts[static_cast<std::size_t>(i)];
        if (!text.empty()) putTextWithin(canvas, text, x, rowTextY(i, count), widthMm);
    }
}

}  // namespace keiro::print
