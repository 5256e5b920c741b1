#include "withholding/print/refund_notice.h"

#include "core/entry.h"
#include "withholding/print/cutting_guides.h"
#include "withholding/print/form_drawing.h"
#include "withholding/print/year_labels.h"

namespace keiro::withholding {
namespace {

constexpr int kAmountWidth = 11;

// The withheld and settled taxes of either record format.
template <typename Record>
void drawAmounts(print::Canvas& canvas, const Record& r) {
    const long long amounts[4] = {r.paid, r.withheld, r.annualTax,
                                  taxDifference(r.annualTax, r.withheld)};
    const float xs[4] = {38.0f, 68.0f, 98.0f, 128.0f};
    for (int i = 0; i < 4; ++i)
        canvas.putText(formatAmount(kAmountWidth, amounts[i]), xs[i], 64.0f);
}

}  // namespace

long long taxDifference(long long annualTax, long long withheld) {
    return annualTax - withheld;
}

void RefundNoticeReport::drawNotice(print::Canvas& c, int slot) const {
    putLabel(c, "還付金通知書", 50.0f, 20.0f, 20.0f);
    putLabel(c, noticeYearLabel(source().year, source().eras), 95.0f, 21.0f, 16.0f);
    putLabel(c, "会社名", 40.0f, 34.0f, 10.0f, kGothic);
    c.putText("氏  名", 40.0f, 42.0f);
    c.putText("殿", 100.0f, 42.0f);
    putLabel(c, source().companyName(), 55.0f, 34.0f, 10.0f);
    c.putText(source().employeeName(slot), 55.0f, 42.0f);

    c.setPen(print::Pen::Thin);
    c.putBox(30.0f, 55.0f, 150.0f, 69.0f);
    for (float x : {60.0f, 90.0f, 120.0f}) c.putLine(x, 55.0f, x, 69.0f);
    c.putLine(30.0f, 62.0f, 150.0f, 62.0f);
    c.putText("総 支 給 額", 35.0f, 57.0f);
    c.putText("徴 収 税 額", 65.0f, 57.0f);
    c.putText("確 定 税 額", 95.0f, 57.0f);
    c.putText("過不足税額", 127.0f, 57.0f);
    if (source().file->currentFormat()) {
        drawAmounts(c, source().file->record(slot));
    } else {
        drawAmounts(c, source().file->legacyRecord(slot));
    }
}

void RefundNoticeReport::drawPage(print::Canvas& canvas, int page,
                                  const print::PageOptions&) const {
    const SheetSlots onSheet = sheet(page);
    const int people[2] = {onSheet.first, onSheet.second};
    for (int i = 0; i < 2; ++i) {
        if (people[i] == 0) continue;
        canvas.transform().setOrigin(kNoticeOrigins[i].x, kNoticeOrigins[i].y);
        drawNotice(canvas, people[i]);
    }
    canvas.transform().setOrigin(0.0f, 0.0f);
    if (onSheet.first != 0 && source().options.printLine) {
        drawCuttingGuides(canvas, GuideLayout::Notices);
    }
}

}  // namespace keiro::withholding
