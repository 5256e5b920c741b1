#pragma once
// 還付金通知書: for each employee the year's pay, the tax withheld, the tax the adjustment
// settled and the difference (過不足税額 = 源泉徴収税額 − 徴収税額: negative is refunded to the
// employee), two notices to a sheet of B5 portrait.

#include <string>
#include <vector>

#include "withholding/print/document_pages.h"

namespace keiro::withholding {

// 過不足税額 of a record's figures.
long long taxDifference(long long annualTax, long long withheld);

// What the notice tells the employee, by the sign of 過不足税額: a refund ("還付金通知書"), an
// amount still owed and collected from pay, or nothing either way (also for an employee the
// year-end adjustment does not cover, whose tax withheld stands as the year's tax).  The title
// ends where the refund's title ends, beside the year label.
struct NoticeWording {
    std::string title;
    std::string sentence;  // under the table
    bool operator==(const NoticeWording&) const = default;
};
NoticeWording noticeWording(long long difference, bool adjusted);

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
