#include "print/pay_slip_report.h"

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/year_view.h"
#include "print/page_count.h"
#include "print/slip_grid_design.h"
#include "print/slip_row_design.h"

namespace keiro::print {
namespace {

constexpr float kSecondSlipDy = 148.5f;
constexpr float kPreviewSecondSlipDy = 1.0f;

bool onB5(int formType) {
    return formType == 1 || formType == 5;
}

// Gives the canvas back with the layout origin it came with, whatever the slips set.
class KeptOrigin {
  public:
    explicit KeptOrigin(Canvas& canvas)
        : transform_(canvas.transform()), x_(transform_.originX()), y_(transform_.originY()) {}
    ~KeptOrigin() { transform_.setOrigin(x_, y_); }
    KeptOrigin(const KeptOrigin&) = delete;
    KeptOrigin& operator=(const KeptOrigin&) = delete;

  private:
    PageTransform& transform_;
    float x_, y_;
};

}  // namespace

bool isGridDesign(int formType) {
    return formType >= 4;
}

bool isPreprintedForm(int formType) {
    return formType == 0 || formType == 4;
}

SlipOrigin slipOrigin(int formType, bool secondOnSheet, const PageOptions& options) {
    SlipOrigin origin = onB5(formType) ? SlipOrigin{23.0f, 17.0f} : SlipOrigin{0.0f, -0.5f};
    if (secondOnSheet) {
        origin.y += kSecondSlipDy;
        if (options.previewAtZoomOne) origin.y += kPreviewSecondSlipDy;
    }
    return origin;
}

PaySlipReport::PaySlipReport(const SlipPeriod& period, const std::vector<int>& selected,
                             const std::filesystem::path& yearFile, const PrintChoices& choices)
    : formType_(choices.formType),
      periodLabel_(slipPeriodLabel(period)),
      info_{slipTitle(period, false) + " 明細書", period.block->settings.companyName.utf8()} {
    const bool rowDesign = !isGridDesign(formType_);
    std::optional<YearView> earlier;
    if (rowDesign && period.settings->printCumulative && !selected.empty())
        earlier.emplace(yearFile);
    for (int slot : selected) {
        if (slot < 1 || slot > kMaxEmployees) {
            throw std::out_of_range("pay slip of slot " + std::to_string(slot));
        }
    }
    slips_.reserve(selected.size());
    for (int slot : selected) {
        slips_.push_back(
            collectSlip(period, slot, choices, rowDesign, earlier ? &*earlier : nullptr));
    }
}

int PaySlipReport::pageCount() const {
    return slipSheets(static_cast<int>(slips_.size()), formType_);
}

std::string PaySlipReport::countText() const {
    char text[48];
    std::snprintf(text, sizeof text, " %d枚 [%d名]", pageCount(), static_cast<int>(slips_.size()));
    return text;
}

PaperChoice PaySlipReport::paper() const {
    return paperFor(ReportKind::PaySlips, formType_);
}

void PaySlipReport::drawSlip(Canvas& canvas, int index, SlipOrigin origin) const {
    const SlipData& slip = slips_[static_cast<std::size_t>(index)];
    canvas.transform().setOrigin(origin.x, origin.y);
    const bool plainPaper = !isPreprintedForm(formType_);
    if (isGridDesign(formType_)) {
        if (plainPaper) {
            drawGridFrame(canvas);
            drawGridPayDateLine(canvas);
        }
        drawGridLabels(canvas);
        drawGridValues(canvas, slip);
    } else {
        if (plainPaper) drawRowFrame(canvas, slip.cash);
        drawRowValues(canvas, slip, !plainPaper);
    }
}

void PaySlipReport::drawPage(Canvas& canvas, int page, const PageOptions& options) const {
    if (page < 1 || page > pageCount()) return;
    const KeptOrigin kept(canvas);
    if (oneSlipPerSheet(formType_)) {
        drawSlip(canvas, page - 1, slipOrigin(formType_, false, options));
        return;
    }
    const SlipPair pair = slipsOnSheet(page, static_cast<int>(slips_.size()));
    drawSlip(canvas, pair.first - 1, slipOrigin(formType_, false, options));
    if (pair.second != 0) drawSlip(canvas, pair.second - 1, slipOrigin(formType_, true, options));
}

bool PaySlipReport::hasFormPicture() const {
    return isPreprintedForm(formType_);
}

void PaySlipReport::drawFormPicture(Canvas& canvas) const {
    if (!hasFormPicture()) return;
    const KeptOrigin kept(canvas);
    for (const bool second : {false, true}) {
        const SlipOrigin origin = slipOrigin(formType_, second, PageOptions{});
        canvas.transform().setOrigin(origin.x, origin.y);
        if (isGridDesign(formType_)) {
            drawGridFrame(canvas);
            drawGridPayDateLine(canvas);
        } else {
            drawRowFrame(canvas, false);
        }
    }
}

int PaySlipReport::pictureCount() const {
    return static_cast<int>(slips_.size());
}

PaperChoice PaySlipReport::picturePaper() const {
    return {onB5(formType_) ? Paper::B5 : Paper::A5, Orientation::Landscape};
}

std::string PaySlipReport::pictureName(int index) const {
    if (index < 0 || index >= pictureCount()) return {};
    return periodLabel_ + "[" + slips_[static_cast<std::size_t>(index)].name + "]";
}

void PaySlipReport::drawPicture(Canvas& canvas, int index) const {
    if (index < 0 || index >= pictureCount()) return;
    const KeptOrigin kept(canvas);
    drawSlip(canvas, index, slipOrigin(formType_, false, PageOptions{}));
}

}  // namespace keiro::print
