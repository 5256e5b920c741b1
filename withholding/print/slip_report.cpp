#include "withholding/print/slip_report.h"

#include "withholding/print/cutting_guides.h"
#include "withholding/print/slip_entries.h"
#include "withholding/print/slip_frame.h"

namespace keiro::withholding {

void SlipReport::drawPage(print::Canvas& canvas, int page, const print::PageOptions&) const {
    const int slot = sheet(page).first;
    if (slot == 0) return;
    const bool report = kind() == DocumentKind::PaymentReport;
    const int year = source().calendarYear();
    const LawItems law = lawItemsFor(source().file->record(slot), year);
    const CopyName names[2] = {report ? CopyName::Municipality : CopyName::Recipient,
                               report ? CopyName::Municipality : CopyName::TaxOffice};
    for (int i = 0; i < 2; ++i) {
        const SlipCopy copy{report, names[i], formEdition(year)};
        canvas.transform().setOrigin(kCurrentCopyOrigins[i].x, kCurrentCopyOrigins[i].y);
        drawSlipFrame(canvas, copy);
        drawSlipEntries(canvas, copy, source(), slot, law);
    }
    canvas.transform().setOrigin(0.0f, 0.0f);
    if (source().options.printLine) drawCuttingGuides(canvas, GuideLayout::SideBySide);
}

}  // namespace keiro::withholding
