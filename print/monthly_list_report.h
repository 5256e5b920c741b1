#pragma once
// 月別給与/賞与一覧: the open period's employees side by side, ten columns to an A4 landscape
// page, the rows of table_rows.h, grouped as the print dialog's method says (list_groups.h),
// with each group's total in the first free column of its last page.  Everything is taken from
// the period block when the report is built.

#include <chrono>
#include <string>
#include <vector>

#include "core/records.h"
#include "print/list_groups.h"
#include "print/list_period.h"
#include "print/report.h"
#include "print/table_rows.h"

namespace keiro::print {

struct ListMember {
    std::string name;       // UTF-8
    std::string nameBytes;  // as stored (code page 932), for the CSV file
    std::vector<CellValue> values;
};

struct ListedGroup {
    std::string name;       // UTF-8
    std::string nameBytes;  // as stored, for the CSV file
    bool named = false;
    std::vector<ListMember> members;
    std::vector<CellValue> total;
};

struct ListInput {
    ListPeriod period;
    ListMethod method = ListMethod::Normal;
    std::chrono::year_month_day printDate{};
};

class MonthlyListReport : public Report {
  public:
    MonthlyListReport(const TableOptions& options, const PeriodBlock& block, ListInput input);

    int pageCount() const override { return static_cast<int>(pages_.size()); }
    DocumentInfo documentInfo() const override;
    // " %2d枚 [%d名、%s]": pages, employees listed, the period's name.
    std::string countText() const override;
    PaperChoice paper() const override;
    void drawPage(Canvas& canvas, int page, const PageOptions& options) const override;

    // What the pages show, for the CSV file.
    const std::vector<TableRow>& rows() const { return rows_; }
    const std::vector<ListedGroup>& groups() const { return groups_; }
    int employeeCount() const;

  private:
    void drawHeading(Canvas& canvas, int page, const ListedGroup& group) const;
    void drawTable(Canvas& canvas, const ListPage& page) const;

    TableOptions options_;
    ListInput input_;
    std::string companyName_;
    std::string printDate_;
    std::vector<TableRow> rows_;
    std::vector<ListedGroup> groups_;
    std::vector<ListPage> pages_;
};

}  // namespace keiro::print
