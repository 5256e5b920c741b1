#pragma once
// The tax payment figures (print/tax_payment_figures.h) on one A4 page laid out like the boxes
// of the 納付書 they are copied onto: a row for 俸給・給料等 and one for 賞与 with the pay dates,
// the people, the amount paid and the tax; the year-end adjustment's 不足税額 and 超過税額; and
// the total (本税).  A half-year adds the figures of each of its months below, so the clerk can
// check them against the monthly lists.  The same rows make the CSV file.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "print/report.h"
#include "print/tax_payment_figures.h"

namespace keiro::print {

struct TaxPaymentHeading {
    std::string company;
    std::int64_t corporateNumber = 0;  // 13 digits; 0 = none
    std::chrono::year_month_day printDate;
};

// The months paid for as the heading names them: "令和8年11月分", "令和8年7月〜12月分".
std::string taxPaymentSpanText(const TaxPaymentSpan& span);
// The pay dates of a kind: every date of a month ("令和8年11月25日"), the first and the last of
// a half-year ("令和8年7月10日〜12月10日"); empty when nothing was paid.
std::string payDatesText(const std::vector<std::chrono::year_month_day>& dates, bool halfYear);

// The table of the 納付書's boxes: a heading row and the rows 俸給・給料等, 賞与, 年末調整による
// 不足税額, 年末調整による超過税額 and 本税合計.  `plain` gives amounts without separators (CSV);
// on paper the refund reads "△1,234" as it is taken off.
std::vector<std::vector<std::string>> taxPaymentRows(const TaxPaymentFigures& figures, bool plain);
// The months of a half-year, a heading row first.
std::vector<std::vector<std::string>> taxPaymentMonthRows(const TaxPaymentFigures& figures);
// What the page says under the table: what the amounts are, and a carried refund or a bonus left
// out when there is one.
std::vector<std::string> taxPaymentNotes(const TaxPaymentFigures& figures);

// The CSV file (code page 932, CR LF) and the name proposed for it.
std::string taxPaymentCsv(const TaxPaymentFigures& figures);
std::string taxPaymentCsvFileName(const TaxPaymentSpan& span);

class TaxPaymentReport : public Report {
  public:
    TaxPaymentReport(TaxPaymentFigures figures, TaxPaymentHeading heading);

    int pageCount() const override { return 1; }
    std::string countText() const override;
    PaperChoice paper() const override;
    DocumentInfo documentInfo() const override;
    void drawPage(Canvas& canvas, int page, const PageOptions& options) const override;

    const TaxPaymentFigures& figures() const { return figures_; }

  private:
    float drawHeading(Canvas& canvas) const;
    float drawMainTable(Canvas& canvas, float top) const;
    float drawMonthTable(Canvas& canvas, float top) const;

    TaxPaymentFigures figures_;
    TaxPaymentHeading heading_;
};

}  // namespace keiro::print
