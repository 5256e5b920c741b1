#pragma once
// 給与/賞与振込一覧: the employees in employment paid by bank transfer, with their bank account,
// the net pay and the transfer fee.  No total row.

#include "print/money_table_report.h"

namespace keiro::print {

// The account type as the list prints it: 普通, 当座, 貯蓄 (nothing for another value).
std::string_view accountTypeText(int accountType);

class TransferListReport : public MoneyTableReport {
  public:
    TransferListReport(const PeriodBlock& block, std::string periodCaption,
                       std::chrono::year_month_day printDate);

  protected:
    MoneyTableLayout layout() const override;
    void drawRow(Canvas& canvas, const PaidEmployee& paid, float y) const override;
};

}  // namespace keiro::print
