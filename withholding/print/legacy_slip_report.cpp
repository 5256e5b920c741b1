#include "withholding/print/cutting_guides.h"
#include "withholding/print/legacy_slip.h"

namespace keiro::withholding {

void LegacySlipReport::drawPage(print::Canvas& canvas, int page, const print::PageOptions&) const {
    const int slot = sheet(page).first;
    if (slot == 0) return;
    constexpr LegacyCopy kCopies[4] = {LegacyCopy::TaxOffice, LegacyCopy::Recipient,
                                       LegacyCopy::Municipality, LegacyCopy::Municipality};
    for (int i = 0; i < 4; ++i) {
        canvas.transform().setOrigin(kLegacyCopyOrigins[i].x, kLegacyCopyOrigins[i].y);
        drawLegacySlip(canvas, kCopies[i], source(), slot);
    }
    canvas.transform().setOrigin(0.0f, 0.0f);
    if (source().options.printLine) drawCuttingGuides(canvas, GuideLayout::FourCopies);
}

}  // namespace keiro::withholding
