#pragma once
// The current-format withholding slip (源泉徴収票: the recipient's and the tax office's copies)
// and the salary payment report (給与支払報告書: two copies for the municipality), one employee
// a sheet of A4 landscape, the two copies side by side.

#include <vector>

#include "print/report.h"
#include "withholding/print/document_source.h"
#include "withholding/print/law_items.h"

namespace keiro::withholding {

class SlipReport : public print::Report {
  public:
    // `slots` are the employees in the order chosen; the source must outlive the report.
    SlipReport(const DocumentSource& source, std::vector<int> slots, DocumentKind kind);

    int pageCount() const override;
    std::string countText() const override;
    print::PaperChoice paper() const override;
    void drawPage(print::Canvas& canvas, int page, const print::PageOptions& options) const override;

  private:
    const DocumentSource& source_;
    std::vector<int> slots_;
    DocumentKind kind_;
};

}  // namespace keiro::withholding
