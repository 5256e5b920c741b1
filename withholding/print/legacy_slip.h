#pragma once
// The withholding slip of the years before individual numbers (500-byte records): the same
// slip in its older, smaller layout, four copies of one employee to a sheet of A4 landscape —
// the tax office's at the top left, the recipient's under it, two for the municipality on the
// right.  Only the tax office's copy has the box for the office's reference numbers.

#include <vector>

#include "print/canvas.h"
#include "withholding/print/document_pages.h"

namespace keiro::withholding {

enum class LegacyCopy { TaxOffice, Recipient, Municipality };

// "(税務署提出用)", "(受給者交付用)", "(市区町村提出用)".
std::string legacyCopyName(LegacyCopy copy);

// One copy at the canvas's current origin.
void drawLegacySlip(print::Canvas& canvas, LegacyCopy copy, const DocumentSource& source, int slot);

class LegacySlipReport : public DocumentSheets {
  public:
    LegacySlipReport(const DocumentSource& source, std::vector<int> slots)
        : DocumentSheets(source, std::move(slots), DocumentKind::Slip) {}
    void drawPage(print::Canvas& canvas, int page,
                  const print::PageOptions& options) const override;
};

}  // namespace keiro::withholding
