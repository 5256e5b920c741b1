#pragma once
// The current-format withholding slip (源泉徴収票: the recipient's and the tax office's copies)
// and the salary payment report (給与支払報告書: two copies for the municipality), one employee
// a sheet of A4 landscape, the two copies side by side.

#include "withholding/print/document_pages.h"

namespace keiro::withholding {

class SlipReport : public DocumentSheets {
  public:
    using DocumentSheets::DocumentSheets;
    void drawPage(print::Canvas& canvas, int page,
                  const print::PageOptions& options) const override;
};

}  // namespace keiro::withholding
