#include "print/slip_grid_design.h"

#include "print/slip_drawing.h"
#include "print/slip_grid_items.h"

namespace keiro::print {
namespace {

constexpr float kLeft = 12.0f;
constexpr float kRight = 202.0f;
constexpr float kFirstCellX = 16.5f;
constexpr float kCellWidth = 20.6f;
constexpr float kCellHeight = 8.4f;
constexpr float kStrip = 4.2f;  // the name strip, the upper half of a cell
constexpr float kTotalColumnX = 181.3f;

constexpr float kItemX = 17.0f;  // the name in the first cell

// The band of cells from `top` to `bottom`.
void drawBand(Canvas& c, float top, float bottom) {
    const int strips = static_cast<int>((bottom - top) / kStrip + 0.5f);
    for (int s = 0; s < strips; s += 2) {
        const float y = top + kStrip * static_cast<float>(s);
        c.putShade(kFirstCellX, y, kRight, y + kStrip);
    }
    c.setPen(Pen::Thin);
    c.putBox(kLeft, top, kRight, bottom);
    for (int s = 1; s < strips; ++s) {
        const float y = top + kStrip * static_cast<float>(s);
        c.putLine(kFirstCellX, y, kRight, y);
    }
    for (int k = 0; k < kGridColumns; ++k) {
        const float x = kFirstCellX + kCellWidth * static_cast<float>(k);
        c.putLine(x, top, x, bottom);
    }
    c.setPen(Pen::Thick);
    c.putBox(kTotalColumnX, top, kRight, bottom);
    c.setPen(Pen::Thin);
}

// The cells of a band whose first line's names stand at `top`; values sit `valueDx` right of
// their names, in the lower half of the cell.
void drawCells(Canvas& c, const std::vector<GridCell>& cells, float top, float valueDx) {
    for (const GridCell& cell : cells) {
        const float x = kItemX + kCellWidth * static_cast<float>(cell.column);
        const float y = top + kCellHeight * static_cast<float>(cell.line);
        c.putText(cell.item.name, x, y);
        c.putText(cell.item.value, x + valueDx, y + kStrip);
    }
}

}  // namespace

void drawGridFrame(Canvas& canvas) {
    canvas.setPen(Pen::Thin);
    canvas.putBox(12.0f, 13.0f, 95.0f, 34.0f);
    canvas.putBox(102.0f, 13.0f, 165.0f, 34.0f);
    canvas.putBox(182.0f, 15.0f, 202.0f, 28.0f);
    drawBand(canvas, 45.0f, 70.2f);
    drawBand(canvas, 74.5f, 99.7f);
    drawBand(canvas, 104.0f, 129.2f);
    canvas.putLine(kLeft, 120.8f, kRight, 120.8f);
}

void drawGridPayDateLine(Canvas& canvas) {
    canvas.setPen(Pen::Thin);
    canvas.setFont(slipFrameFont(10));
    canvas.putLine(110.0f, 40.5f, 163.0f, 40.5f);
    canvas.putText("支給日", 112.0f, 37.0f);
    canvas.putText("年", 140.0f, 37.0f);
    canvas.putText("月", 149.0f, 37.0f);
    canvas.putText("日", 158.5f, 37.0f);
}

void drawGridLabels(Canvas& canvas) {
    canvas.setFont(slipFrameFont(10));
    canvas.putText("氏名", 15.0f, 24.0f);
    canvas.putText("所属", 15.0f, 28.0f);
    canvas.putText("支", 12.5f, 50.0f);
    canvas.putText("給", 12.5f, 61.0f);
    canvas.putText("控", 12.5f, 79.5f);
    canvas.putText("除", 12.5f, 90.5f);
    canvas.putText("勤", 12.5f, 107.0f);
    canvas.putText("怠", 12.5f, 114.0f);
    canvas.putText("他", 12.5f, 123.0f);
}

void drawGridValues(Canvas& canvas, const SlipData& slip) {
    canvas.setFont(slipValueFont(12));
    canvas.putText(slip.title + "明細書", 15.0f, 14.0f);
    canvas.setFont(slipValueFont(10));
    canvas.putText(slip.company, 15.0f, 20.0f);
    canvas.putText(slip.name, 25.0f, 24.0f);
    canvas.putText(slip.section, 25.0f, 28.0f);
    drawSlipComment(canvas, slip, 103.5f, 14.0f);
    drawSlipPayDate(canvas, slip, {124.0f, 144.0f, 153.0f, 36.7f});

    canvas.setFont(slipValueFont(9));
    constexpr float kAmountDx = 3.5f;
    drawCells(canvas, slip.grid.pay, 45.5f, kAmountDx);
    drawCells(canvas, slip.grid.deduction, 75.0f, kAmountDx);
    drawCells(canvas, slip.grid.attendance, 104.5f, 10.0f);
    drawCells(canvas, slip.grid.other, 121.3f, kAmountDx);
}

}  // namespace keiro::print
