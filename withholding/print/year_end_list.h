#pragma once
// 年末調整一覧表: one line per employee with the year's pay, the tax withheld during the year
// (徴収税額), the tax the adjustment settled (年税額), the difference (過不足 = 年税額 − 徴収税額;
// negative is refunded) and how far the employee's year-end has got, with the totals at the end;
// printed on A4 landscape and written as CSV.
//
// The window shows the same rows: yearEndListRows gives them, YearEndListReport prints them
// through the print dialog, yearEndListCsv gives the CSV file's bytes (write them with
// print::writeCsvFile).

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/records.h"
#include "print/report.h"
#include "print/text_table_report.h"
#include "withholding/model/withholding_file.h"

namespace keiro::withholding {

struct YearEndListRow {
    int slot = 0;
    std::string employeeCode;  // 社員No of the December master
    std::string name;
    long long paid = 0;      // 支払金額
    long long withheld = 0;  // 徴収税額
    long long annualTax = 0;
    long long difference = 0;             // 年税額 − 徴収税額
    std::uint8_t status = kNotProcessed;  // AdjustStatus

    // A record never calculated has no annual tax yet: its 年税額 and 過不足 stay empty and out
    // of the totals.
    bool settled() const { return status == kCalculated || status == kNotAdjusted; }
    bool operator==(const YearEndListRow&) const = default;
};

// The rows of the given slots, in that order, from the withholding file of either format and
// the names and codes of December.
std::vector<YearEndListRow> yearEndListRows(const WithholdingFile& file,
                                            const PeriodBlock& december,
                                            const std::vector<int>& slots);

// "計算済", "年調対象外", "未処理".
std::string adjustStatusText(std::uint8_t status);

struct YearEndListTotals {
    long long paid = 0;
    long long withheld = 0;
    long long annualTax = 0;   // of the settled rows
    long long difference = 0;  // of the settled rows
    bool operator==(const YearEndListTotals&) const = default;
};
YearEndListTotals yearEndListTotals(const std::vector<YearEndListRow>& rows);

// The list as a table: a line per employee, then the totals line.  `plain` leaves the thousands
// separators out (CSV).  The year label is the documents' ("令和 8 年分").
print::TextTable yearEndListTable(const std::vector<YearEndListRow>& rows, std::string company,
                                  std::string yearLabel, bool plain);

// The CSV file: the heading line, the employees and the totals, code page 932, CR LF.
// text::EncodingError for a name with no code page 932 form.
std::string yearEndListCsv(const std::vector<YearEndListRow>& rows);

class YearEndListReport : public print::Report {
  public:
    YearEndListReport(const std::vector<YearEndListRow>& rows, std::string company,
                      std::string yearLabel, std::chrono::year_month_day printDate);

    int pageCount() const override { return table_.pageCount(); }
    // " %2d枚 [%d名]": the employees, not counting the totals line.
    std::string countText() const override;
    print::PaperChoice paper() const override { return table_.paper(); }
    print::DocumentInfo documentInfo() const override { return table_.documentInfo(); }
    void drawPage(print::Canvas& canvas, int page,
                  const print::PageOptions& options) const override {
        table_.drawPage(canvas, page, options);
    }

  private:
    print::TextTableReport table_;
    int employees_ = 0;
};

}  // namespace keiro::withholding
