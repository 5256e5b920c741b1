#pragma once
// What the transfer list and the denomination table have in common as reports: the employees
// they pay, gathered when the report is built, thirty to a page on A4 landscape, drawn into the
// shared frame.

#include <chrono>
#include <string>
#include <vector>

#include "core/records.h"
#include "print/money_selection.h"
#include "print/money_table_frame.h"
#include "print/report.h"

namespace keiro::print {

class MoneyTableReport : public Report {
  public:
    int pageCount() const override;
    std::string countText() const override;  // " %2d枚 [%d名]"
    PaperChoice paper() const override;
    DocumentInfo documentInfo() const override;
    void drawPage(Canvas& canvas, int page, const PageOptions& options) const override;

    const std::vector<PaidEmployee>& employees() const { return employees_; }

  protected:
    // `periodCaption` as periodCaption() gives it; the company is the block's.
    MoneyTableReport(const PeriodBlock& block, PaidBy paidBy, std::string periodCaption,
                     std::chrono::year_month_day printDate);

    virtual MoneyTableLayout layout() const = 0;
    // One employee's texts on the line at y.
    virtual void drawRow(Canvas& canvas, const PaidEmployee& paid, float y) const = 0;
    // What the last page has below its rows.
    virtual void drawLastPageEnd(Canvas&) const {}

  private:
    std::vector<PaidEmployee> employees_;
    std::string company_;
    std::string periodCaption_;
    std::string printDate_;
};

}  // namespace keiro::print
