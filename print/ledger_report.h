#pragma once
// 社員別給与台帳: one A4 landscape page per chosen employee, one column per period of the year
// and a total column, the rows of table_rows.h.  The year file is read once, when the report is
// built (a file that cannot be read is an IoError then), so drawing a page never touches the
// disk.

#include <chrono>
#include <string>
#include <vector>

#include "core/era.h"
#include "core/year_view.h"
#include "print/ledger_sheet.h"
#include "print/report.h"
#include "print/table_rows.h"

namespace keiro::print {

struct LedgerInput {
    std::string companyName;                // of the open period
    EraYear year;                           // the year file's era and year
    std::vector<LedgerEmployee> employees;  // one page each, in this order
    std::chrono::year_month_day printDate{};
};

class LedgerReport : public Report {
  public:
    LedgerReport(const TableOptions& options, const YearView& year, LedgerInput input);

    int pageCount() const override { return static_cast<int>(input_.employees.size()); }
    DocumentInfo documentInfo() const override {
        return {
            "社員別給与台帳 " + input_.year.eraName + std::to_string(input_.year.eraYear) + "年",
            input_.companyName};
    }
    // " %d枚"
    std::string countText() const override;
    PaperChoice paper() const override;
    void drawPage(Canvas& canvas, int page, const PageOptions& options) const override;

    // What the pages show, for the CSV files: the rows, and per page its employee and sheet.
    const std::vector<TableRow>& rows() const { return rows_; }
    const LedgerEmployee& employee(int page) const;
    const LedgerSheet& sheet(int page) const;

  private:
    void drawHeading(Canvas& canvas, int page) const;
    void drawTable(Canvas& canvas, int page) const;

    TableOptions options_;
    LedgerInput input_;
    std::vector<TableRow> rows_;
    std::vector<LedgerSheet> sheets_;
    std::string printDate_;
};

}  // namespace keiro::print
