#pragma once
// 給与/賞与振込一覧: the employees in employment paid by bank transfer, with their bank account,
// the net pay and the transfer fee, and on the last page the total of both.  The heading's date
// is the pay date, the day the transfers must reach the accounts.

#include "print/money_table_report.h"

namespace keiro::print {

// The account type as the list prints it: 普通, 当座, 貯蓄 (nothing for another value).
std::string_view accountTypeText(int accountType);

class TransferListReport : public MoneyTableReport {
  public:
    TransferListReport(const PeriodBlock& block, std::string periodCaption,
                       std::chrono::year_month_day payDate);

  protected:
    MoneyTableLayout layout() const override;
    void drawRow(Canvas& canvas, const PaidEmployee& paid, float y) const override;
    void drawLastPageEnd(Canvas& canvas) const override;

  private:
    long long netPayTotal_ = 0;
    long long feeTotal_ = 0;
};

}  // namespace keiro::print
