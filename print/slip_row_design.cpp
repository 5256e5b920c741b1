#include "print/slip_row_design.h"

#include <cstdio>
#include <string_view>

#include "print/slip_fonts.h"
#include "print/slip_values.h"

namespace keiro::print {
namespace {

constexpr float kFirstRowY = 54.0f;
constexpr float kRowHeight = 4.27f;

// One of the two amount bands (pay, deduction): shaded heading, shaded name column, shaded
// total row, the box and its inner lines.  `left` is the band's left edge.
void drawAmountBand(Canvas& c, float left, std::string_view title, float titleX, float totalX) {
    const float right = left + 46.5f;
    const float divider = left + 23.0f;
    c.putShade(left, 46.5f, right, 52.0f);
    c.putShade(left, 46.5f, divider, 138.0f);
    c.putShade(left, 133.5f, right, 138.0f);
    c.putBox(left, 46.5f, right, 138.0f);
    c.putLine(left, 52.0f, right - 0.5f, 52.0f);
    c.putLine(left, 133.5f, right - 0.5f, 133.5f);
    c.putLine(divider, 52.0f, divider, 137.5f);
    c.putText(title, titleX, 48.0f);
    c.putText("合     計", totalX, 134.0f);
}

void drawHeading(Canvas& c) {
    c.setPen(Pen::Thin);
    c.setFont(slipFrameFont(16));
    c.putText("明細書", 86.0f, 13.0f);
    c.putBox(17.5f, 10.0f, 108.0f, 40.0f);
    c.putBox(114.0f, 13.0f, 178.0f, 35.0f);
    c.putBox(182.0f, 17.0f, 200.0f, 35.0f);
    c.setFont(slipFrameFont(9));
    c.putText("氏　名", 25.0f, 25.2f);
    c.putText("所　属", 25.0f, 29.7f);
    c.putText("コード", 25.0f, 34.2f);
    c.putLine(127.0f, 40.3f, 178.0f, 40.3f);
    c.putText("支給日", 129.0f, 36.6f);
    c.putText("年", 155.0f, 36.6f);
    c.putText("月", 164.0f, 36.6f);
    c.putText("日", 173.5f, 36.6f);
    c.putText("受領印", 190.0f, 36.6f);
}

void drawAttendanceAndTax(Canvas& c) {
    c.putShade(17.5f, 46.5f, 55.0f, 52.0f);
    c.putShade(17.5f, 46.5f, 40.5f, 123.5f);
    c.putBox(17.5f, 46.5f, 55.0f, 123.5f);
    c.putLine(17.5f, 52.0f, 54.5f, 52.0f);
    c.putLine(40.5f, 52.0f, 40.5f, 123.0f);
    c.putText("勤　　　　怠", 27.0f, 48.0f);

    c.putShade(17.5f, 128.5f, 40.5f, 138.0f);
    c.putBox(17.5f, 128.5f, 55.0f, 138.0f);
    c.putLine(17.5f, 133.5f, 54.5f, 133.5f);
    c.putLine(40.5f, 128.5f, 40.5f, 137.5f);
    c.putText("税", 21.0f, 129.5f);
    c.putText("額", 28.1f, 129.5f);
    c.putText("表", 35.2f, 129.5f);
    c.putText("扶 養 人 数", 21.0f, 134.0f);
}

void drawRightColumn(Canvas& c, bool cash) {
    c.putShade(154.0f, 46.5f, 200.5f, 52.0f);
    c.putShade(154.0f, 46.5f, 177.0f, 74.0f);
    c.putBox(154.0f, 46.5f, 200.5f, 74.0f);
    c.putLine(154.0f, 52.0f, 200.0f, 52.0f);
    c.putLine(154.0f, 69.0f, 200.0f, 69.0f);
    c.putLine(177.0f, 52.0f, 177.0f, 73.5f);
    c.putText("そ　　の　　他", 166.0f, 48.0f);
    c.putText("合　　　計", 158.0f, 70.0f);

    c.putShade(154.0f, 78.0f, 177.0f, 83.0f);
    c.putBox(154.0f, 78.0f, 200.5f, 83.0f);
    c.putLine(177.0f, 78.0f, 177.0f, 82.5f);
    c.putText("差引支給額", 157.0f, 79.0f);

    c.putShade(154.0f, 84.0f, 200.5f, 89.5f);
    c.putShade(154.0f, 84.0f, 177.0f, 107.5f);
    c.putShade(154.0f, 102.0f, 200.5f, 107.5f);
    c.putBox(154.0f, 84.0f, 200.5f, 107.5f);
    c.putLine(154.0f, 89.5f, 200.0f, 89.5f);
    c.putLine(154.0f, 102.0f, 200.0f, 102.0f);
    c.putLine(177.0f, 89.5f, 177.0f, 107.0f);
    c.putText(cash ? "現 金 支 給 額" : "振 込 支 給 額", 166.0f, 85.5f);
    c.putText("合　　　計", 158.0f, 103.0f);

    c.putShade(154.0f, 123.8f, 177.0f, 138.0f);
    c.putBox(154.0f, 123.8f, 200.5f, 138.0f);
    c.putLine(159.0f, 128.5f, 200.0f, 128.5f);
    c.putLine(159.0f, 133.0f, 200.0f, 133.0f);
    c.putLine(159.0f, 123.8f, 159.0f, 137.5f);
    c.putLine(177.0f, 123.8f, 177.0f, 137.5f);
    c.putText("累", 155.0f, 127.2f);
    c.putText("計", 155.0f, 131.4f);
    c.putText("支　給　額", 160.0f, 125.0f);
    c.putText("社会保険料", 160.0f, 129.5f);
    c.putText("所　得　税", 160.0f, 134.0f);
}

// The rows of a band: names at `nameX`, values at `valueX`; blank rows stay empty.
void drawRows(Canvas& c, const std::vector<SlipLine>& rows, float nameX, float valueX) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].name.empty()) continue;
        const float y = kFirstRowY + kRowHeight * static_cast<float>(r);
        c.putText(rows[r].name, nameX, y);
        c.putText(rows[r].value, valueX, y);
    }
}

const std::vector<SlipLine>& rowsOf(const SlipData& slip, Band band) {
    return slip.rows[static_cast<int>(band)];
}

void drawHeadingValues(Canvas& c, const SlipData& slip) {
    c.setFont(slipValueFont(12));
    c.putText(slip.title, 35.0f, 14.0f);
    c.setFont(slipValueFont(10));
    c.putText(slip.company, 25.0f, 20.0f);
    c.putText(slip.name + "  様", 40.0f, 25.0f);
    c.putText(slip.section, 40.0f, 29.5f);
    c.putText(slip.code, 40.0f, 34.0f);
    for (std::size_t i = 0; i < slip.comment.size(); ++i) {
        c.putText(slip.comment[i], 115.0f, 15.0f + 3.8f * static_cast<float>(i));
    }
    c.putText(slip.payDateEra, 141.0f, 36.6f);
    c.putText(slip.payDateMonth, 159.0f, 36.6f);
    c.putText(slip.payDateDay, 168.0f, 36.6f);
}

void drawPayment(Canvas& c, const SlipData& slip, bool preprinted) {
    const std::string net = slipAmount(slip.netPay);
    if (preprinted && slip.cash) {
        c.putText(net, 181.5f, 109.5f);
        return;
    }
    c.putText(slip.cash ? "現金支給" : "振込支給", 155.0f, 90.0f);
    c.putText(net, 181.5f, 90.0f);
    c.putText(net, 181.5f, 103.0f);
}

}  // namespace

void drawRowFrame(Canvas& canvas, bool cash) {
    drawHeading(canvas);
    canvas.setPen(Pen::Thick);
    drawAttendanceAndTax(canvas);
    drawAmountBand(canvas, 57.0f, "支　　　　　給", 70.0f, 62.0f);
    drawAmountBand(canvas, 105.5f, "控　　　　　除", 118.0f, 110.0f);
    drawRightColumn(canvas, cash);
    canvas.setPen(Pen::Thin);
}

void drawRowValues(Canvas& canvas, const SlipData& slip, bool preprinted) {
    drawHeadingValues(canvas, slip);

    drawRows(canvas, rowsOf(slip, Band::Attendance), 18.5f, 43.5f);
    canvas.putText(slip.secondaryColumn ? "乙欄" : "甲欄", 47.0f, 129.2f);
    char dependents[16];
    std::snprintf(dependents, sizeof dependents, "%2d人", slip.dependents);
    canvas.putText(dependents, 47.0f, 134.0f);

    drawRows(canvas, rowsOf(slip, Band::Pay), 58.0f, 84.5f);
    canvas.putText(slipAmount(slip.payTotal), 84.5f, 134.0f);
    drawRows(canvas, rowsOf(slip, Band::Deduction), 106.5f, 133.0f);
    canvas.putText(slipAmount(slip.deductionTotal), 133.0f, 134.0f);
    drawRows(canvas, rowsOf(slip, Band::Other), 155.0f, 181.5f);
    canvas.putText(slipAmount(slip.otherTotal), 181.5f, 69.5f);
    canvas.putText(slipAmount(slip.netPay), 181.5f, 79.0f);
    drawPayment(canvas, slip, preprinted);

    if (slip.yearToDate) {
        canvas.putText(slipAmount(slip.yearToDate->taxablePay), 181.5f, 124.5f);
        canvas.putText(slipAmount(slip.yearToDate->socialInsurance), 181.5f, 129.2f);
        canvas.putText(slipAmount(slip.yearToDate->incomeTax), 181.5f, 134.0f);
    }
}

}  // namespace keiro::print
