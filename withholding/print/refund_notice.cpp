#include "withholding/print/refund_notice.h"

#include <algorithm>

#include "core/entry.h"
#include "core/text.h"
#include "withholding/print/cutting_guides.h"
#include "withholding/print/form_drawing.h"
#include "withholding/print/year_labels.h"

namespace keiro::withholding {
namespace {

constexpr int kAmountWidth = 11;
constexpr float kTitlePt = 20.0f;
constexpr float kTitleX = 50.0f;
// The refund's title, whose end the longer titles keep.
constexpr int kRefundTitleCharacters = 6;

struct NoticeFigures {
    long long amounts[4] = {};  // 総支給額, 徴収税額, 確定税額, 過不足税額
    NoticeWording wording;
};

// The figures of either record format.
template <typename Record>
NoticeFigures figuresOf(const Record& r) {
    const long long difference = taxDifference(r.annualTax, r.withheld);
    return {{r.paid, r.withheld, r.annualTax, difference},
            noticeWording(difference, r.adjustStatus != kNotAdjusted)};
}

// The title at (50, 20), a longer one moved left by its extra characters so that it still ends
// before the year label.
void drawTitle(print::Canvas& c, const std::string& title) {
    const int extra = static_cast<int>(text::cp932Width(title) / 2) - kRefundTitleCharacters;
    const float x = kTitleX - static_cast<float>(std::max(0, extra)) * print::pointsToMm(kTitlePt);
    putLabel(c, title, x, 20.0f, kTitlePt);
}

}  // namespace

long long taxDifference(long long annualTax, long long withheld) {
    return annualTax - withheld;
}

NoticeWording noticeWording(long long difference, bool adjusted) {
    if (!adjusted) {
        return {"年末調整通知書",
                "年末調整の対象とならないため、還付又は徴収する税額はありません。"};
    }
    if (difference < 0) {
        return {"還付金通知書",
                "年末調整の結果、過不足税額 " + formatAmount(0, -difference) + "円を還付します。"};
    }
    if (difference > 0) {
        return {"不足額徴収通知書", "年末調整の結果、不足額 " + formatAmount(0, difference) +
                                        "円を給与から徴収します。"};
    }
    return {"年末調整通知書", "年末調整の結果、還付又は徴収する税額はありません。"};
}

void RefundNoticeReport::drawNotice(print::Canvas& c, int slot) const {
    const NoticeFigures figures = source().file->currentFormat()
                                      ? figuresOf(source().file->record(slot))
                                      : figuresOf(source().file->legacyRecord(slot));
    drawTitle(c, figures.wording.title);
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
    const float xs[4] = {38.0f, 68.0f, 98.0f, 128.0f};
    for (int i = 0; i < 4; ++i) {
        c.putText(formatAmount(kAmountWidth, figures.amounts[i]), xs[i], 64.0f);
    }
    c.putText(figures.wording.sentence, 30.0f, 73.0f);
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
