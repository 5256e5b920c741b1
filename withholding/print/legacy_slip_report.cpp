#include "withholding/print/cutting_guides.h"
#include "withholding/print/document_pages.h"
#include "withholding/print/legacy_slip.h"

namespace keiro::withholding {

LegacySlipReport::LegacySlipReport(const DocumentSource& source, std::vector<int> slots)
    : source_(source), slots_(std::move(slots)) {}

int LegacySlipReport::pageCount() const {
    return documentSheets(DocumentKind::Slip, static_cast<int>(slots_.size()));
}

std::string LegacySlipReport::countText() const {
    return documentCountText(pageCount(), static_cast<int>(slots_.size()));
}

print::PaperChoice LegacySlipReport::paper() const {
    return documentPaper(DocumentKind::Slip);
}

void LegacySlipReport::drawPage(print::Canvas& canvas, int page, const print::PageOptions&) const {
    const int slot = slotsOnSheet(DocumentKind::Slip, slots_, page).first;
    if (slot == 0) return;
    constexpr LegacyCopy kCopies[4] = {LegacyCopy::TaxOffice, LegacyCopy::Recipient,
                                       LegacyCopy::Municipality, LegacyCopy::Municipality};
    for (int i = 0; i < 4; ++i) {
        canvas.transform().setOrigin(kLegacyCopyOrigins[i].x, kLegacyCopyOrigins[i].y);
        drawLegacySlip(canvas, kCopies[i], source_, slot);
    }
    canvas.transform().setOrigin(0.0f, 0.0f);
    if (source_.options.printLine) drawCuttingGuides(canvas, GuideLayout::FourCopies);
}

}  // namespace keiro::withholding
