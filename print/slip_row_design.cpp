#include "print/slip_row_design.h"

#include <cstdio>
#include <span>
#include <string_view>

#include "print/slip_drawing.h"
#include "print/slip_values.h"

namespace keiro::print {
namespace {

constexpr float kFirstRowY = 54.0f;
constexpr float kRowHeight = 4.27f;

struct Area {
    float x1, y1, x2, y2;
};
struct Label {
    std::string_view text;
    float x, y;
};

// One boxed part of the frame, drawn with the thick pen: its shaded strips, its outline, the
// lines inside and its labels.
struct FramePart {
    std::span<const Area> shades;
    Area box;
    std::span<const Area> lines;
    std::span<const Label> labels;
};

void drawPart(Canvas& c, const FramePart& part) {
    for (const Area& a : part.shades) c.putShade(a.x1, a.y1, a.x2, a.y2);
    c.putBox(part.box.x1, part.box.y1, part.box.x2, part.box.y2);
    for (const Area& a : part.lines) c.putLine(a.x1, a.y1, a.x2, a.y2);
    for (const Label& l : part.labels) c.putText(l.text, l.x, l.y);
}

// clang-format off
constexpr Area kAttendanceShades[] = {{17.5f, 46.5f, 55.0f, 52.0f}, {17.5f, 46.5f, 40.5f, 123.5f}};
constexpr Area kAttendanceLines[] = {{17.5f, 52.0f, 54.5f, 52.0f}, {40.5f, 52.0f, 40.5f, 123.0f}};
constexpr Label kAttendanceLabels[] = {{"勤　　　　怠", 27.0f, 48.0f}};

constexpr Area kTaxShades[] = {{17.5f, 128.5f, 40.5f, 138.0f}};
constexpr Area kTaxLines[] = {{17.5f, 133.5f, 54.5f, 133.5f}, {40.5f, 128.5f, 40.5f, 137.5f}};
constexpr Label kTaxLabels[] = {{"税", 21.0f, 129.5f}, {"額", 28.1f, 129.5f}, {"表", 35.2f, 129.5f},
                                {"扶 養 人 数", 21.0f, 134.0f}};

constexpr Area kPayShades[] = {{57.0f, 46.5f, 103.5f, 52.0f}, {57.0f, 46.5f, 80.0f, 138.0f},
                               {57.0f, 133.5f, 103.5f, 138.0f}};
constexpr Area kPayLines[] = {{57.0f, 52.0f, 103.0f, 52.0f}, {57.0f, 133.5f, 103.0f, 133.5f},
                              {80.0f, 52.0f, 80.0f, 137.5f}};
constexpr Label kPayLabels[] = {{"支　　　　　給", 70.0f, 48.0f}, {"合     計", 62.0f, 134.0f}};

constexpr Area kDeductionShades[] = {{105.5f, 46.5f, 152.0f, 52.0f},
                                     {105.5f, 46.5f, 128.5f, 138.0f},
                                     {105.5f, 133.5f, 152.0f, 138.0f}};
constexpr Area kDeductionLines[] = {{105.5f, 52.0f, 151.5f, 52.0f},
                                    {105.5f, 133.5f, 151.5f, 133.5f},
                                    {128.5f, 52.0f, 128.5f, 137.5f}};
constexpr Label kDeductionLabels[] = {{"控　　　　　除", 118.0f, 48.0f},
                                      {"合     計", 110.0f, 134.0f}};

constexpr Area kOtherShades[] = {{154.0f, 46.5f, 200.5f, 52.0f}, {154.0f, 46.5f, 177.0f, 74.0f}};
constexpr Area kOtherLines[] = {{154.0f, 52.0f, 200.0f, 52.0f}, {154.0f, 69.0f, 200.0f, 69.0f},
                                {177.0f, 52.0f, 177.0f, 73.5f}};
constexpr Label kOtherLabels[] = {{"そ　　の　　他", 166.0f, 48.0f}, {"合　　　計", 158.0f, 70.0f}};

constexpr Area kNetShades[] = {{154.0f, 78.0f, 177.0f, 83.0f}};
constexpr Area kNetLines[] = {{177.0f, 78.0f, 177.0f, 82.5f}};
constexpr Label kNetLabels[] = {{"差引支給額", 157.0f, 79.0f}};

constexpr Area kPaymentShades[] = {{154.0f, 84.0f, 200.5f, 89.5f}, {154.0f, 84.0f, 177.0f, 107.5f},
                                   {154.0f, 102.0f, 200.5f, 107.5f}};
constexpr Area kPaymentLines[] = {{154.0f, 89.5f, 200.0f, 89.5f}, {154.0f, 102.0f, 200.0f, 102.0f},
                                  {177.0f, 89.5f, 177.0f, 107.0f}};
constexpr Label kCashPaymentLabels[] = {{"現 金 支 給 額", 166.0f, 85.5f},
                                        {"合　　　計", 158.0f, 103.0f}};
constexpr Label kTransferPaymentLabels[] = {{"振 込 支 給 額", 166.0f, 85.5f},
                                            {"合　　　計", 158.0f, 103.0f}};

constexpr Area kYearShades[] = {{154.0f, 123.8f, 177.0f, 138.0f}};
constexpr Area kYearLines[] = {{159.0f, 128.5f, 200.0f, 128.5f}, {159.0f, 133.0f, 200.0f, 133.0f},
                               {159.0f, 123.8f, 159.0f, 137.5f}, {177.0f, 123.8f, 177.0f, 137.5f}};
constexpr Label kYearLabels[] = {{"累", 155.0f, 127.2f}, {"計", 155.0f, 131.4f},
                                 {"支　給　額", 160.0f, 125.0f}, {"社会保険料", 160.0f, 129.5f},
                                 {"所　得　税", 160.0f, 134.0f}};

const FramePart kBands[] = {
    {kAttendanceShades, {17.5f, 46.5f, 55.0f, 123.5f}, kAttendanceLines, kAttendanceLabels},
    {kTaxShades, {17.5f, 128.5f, 55.0f, 138.0f}, kTaxLines, kTaxLabels},
    {kPayShades, {57.0f, 46.5f, 103.5f, 138.0f}, kPayLines, kPayLabels},
    {kDeductionShades, {105.5f, 46.5f, 152.0f, 138.0f}, kDeductionLines, kDeductionLabels},
    {kOtherShades, {154.0f, 46.5f, 200.5f, 74.0f}, kOtherLines, kOtherLabels},
    {kNetShades, {154.0f, 78.0f, 200.5f, 83.0f}, kNetLines, kNetLabels},
};
const Area kPaymentBox{154.0f, 84.0f, 200.5f, 107.5f};
const FramePart kYearToDate{kYearShades, {154.0f, 123.8f, 200.5f, 138.0f}, kYearLines, kYearLabels};

constexpr Label kHeadingLabels[] = {
    {"氏　名", 25.0f, 25.2f}, {"所　属", 25.0f, 29.7f}, {"コード", 25.0f, 34.2f},
    {"支給日", 129.0f, 36.6f}, {"年", 155.0f, 36.6f}, {"月", 164.0f, 36.6f},
    {"日", 173.5f, 36.6f}, {"受領印", 190.0f, 36.6f}};
// clang-format on

void drawHeading(Canvas& c) {
    c.setPen(Pen::Thin);
    c.setFont(slipFrameFont(16));
    c.putText("明細書", 86.0f, 13.0f);
    c.putBox(17.5f, 10.0f, 108.0f, 40.0f);
    c.putBox(114.0f, 13.0f, 178.0f, 35.0f);
    c.putBox(182.0f, 17.0f, 200.0f, 35.0f);
    c.setFont(slipFrameFont(9));
    c.putLine(127.0f, 40.3f, 178.0f, 40.3f);
    for (const Label& l : kHeadingLabels) c.putText(l.text, l.x, l.y);
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
    drawSlipComment(c, slip, 115.0f, 15.0f);
    drawSlipPayDate(c, slip, {141.0f, 159.0f, 168.0f, 36.6f});
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
    for (const FramePart& part : kBands) drawPart(canvas, part);
    drawPart(canvas, {kPaymentShades, kPaymentBox, kPaymentLines,
                      cash ? std::span<const Label>(kCashPaymentLabels)
                           : std::span<const Label>(kTransferPaymentLabels)});
    drawPart(canvas, kYearToDate);
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
