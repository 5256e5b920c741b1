#include "withholding/print/slip_report.h"

#include "withholding/print/cutting_guides.h"
#include "withholding/print/document_pages.h"
#include "withholding/print/slip_entries.h"
#include "withholding/print/slip_frame.h"

namespace keiro::withholding {

SlipReport::SlipReport(const DocumentSource& source, std::vector<int> slots, DocumentKind kind)
    : source_(source), slots_(std::move(slots)), kind_(kind) {}

int SlipReport::pageCount() const {
    return documentSheets(kind_, static_cast<int>(slots_.size()));
}

std::string SlipReport::countText() const {
    return documentCountText(pageCount(), static_cast<int>(slots_.size()));
}

print::PaperChoice SlipReport::paper() const {
    return documentPaper(kind_);
}

void SlipReport::drawPage(print::Canvas& canvas, int page, const print::PageOptions&) const {
    const int slot = slotsOnSheet(kind_, slots_, page).first;
    if (slot == 0) return;
    const bool report = kind_ == DocumentKind::PaymentReport;
    const int year = source_.calendarYear();
    const LawItems law = lawItemsFor(source_.file->record(slot), year);
    const CopyName names[2] = {report ? CopyName::Municipality : CopyName::Recipient,
                               report ? CopyName::Municipality : CopyName::TaxOffice};
    for (int i = 0; i < 2; ++i) {
        const SlipCopy copy{report, names[i], formEdition(year)};
        canvas.transform().setOrigin(kCurrentCopyOrigins[i].x, kCurrentCopyOrigins[i].y);
        drawSlipFrame(canvas, copy);
        drawSlipEntries(canvas, copy, source_, slot, law);
    }
    canvas.transform().setOrigin(0.0f, 0.0f);
    if (source_.options.printLine) drawCuttingGuides(canvas, GuideLayout::SideBySide);
}

}  // namespace keiro::withholding
