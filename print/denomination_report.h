#pragma once
// 給与/賞与支払金種表: the employees in employment paid in cash (or all of them, when the
// dialog's 振込支給者も印刷する is checked), each net pay broken into notes and coins, and on
// the last page the totals of every denomination and of the net pay.  A negative net pay is
// paid in nothing and left out of the total.

#include "print/denominations.h"
#include "print/money_table_report.h"

namespace keiro::print {

struct DenominationTotals {
    DenominationCounts counts{};
    long long netPay = 0;
    bool operator==(const DenominationTotals&) const = default;
};

class DenominationReport : public MoneyTableReport {
  public:
    // `use2000YenNotes`: the setting Use2kSatu.
    DenominationReport(const PeriodBlock& block, std::string periodCaption,
                       std::chrono::year_month_day printDate, const PrintChoices& choices,
                       bool use2000YenNotes);

    const DenominationTotals& totals() const { return totals_; }

  protected:
    MoneyTableLayout layout() const override;
    void drawRow(Canvas& canvas, const PaidEmployee& paid, float y) const override;
    void drawLastPageEnd(Canvas& canvas) const override;

  private:
    void drawAmounts(Canvas& canvas, const DenominationCounts& counts, long long netPay,
                     float y) const;

    bool use2000YenNotes_;
    DenominationTotals totals_;
};

}  // namespace keiro::print
