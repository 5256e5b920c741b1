#pragma once
// 還付金通知書: for each employee the year's pay, the tax withheld, the tax the adjustment
// settled and the difference (過不足税額 = 源泉徴収税額 − 徴収税額: negative is refunded to the
// employee), two notices to a sheet of B5 portrait.

#include <vector>

#include "withholding/print/document_pages.h"

namespace keiro::withholding {

// 過不足税額 of a record's figures.
long long taxDifference(long long annualTax, long long withheld);

class RefundNoticeReport : public DocumentSheets {
  public:
    RefundNoticeReport(const DocumentSource& source, std::vector<int> slots)
        : DocumentSheets(source, std::move(slots), DocumentKind::RefundNotice) {}
    void drawPage(print::Canvas& canvas, int page,
                  const print::PageOptions& options) const override;

  private:
    void drawNotice(print::Canvas& canvas, int slot) const;
};

}  // namespace keiro::withholding
