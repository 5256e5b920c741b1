#pragma once
// A list of texts in ruled columns on A4 landscape, for the yearly social-insurance reports
// (the April-June decision, the revisions, the bonus report, the labour insurance summary):
// the title, the company, print date and page number at the top, a header row, then the rows,
// 28 to a page, every other one shaded.  Figures are right-aligned in their columns; a text
// wider than its column is drawn smaller to fit.  Notes follow the table on the last page.

#include <chrono>
#include <string>
#include <vector>

#include "print/report.h"

namespace keiro::print {

inline constexpr int kTextTableRowsPerPage = 28;

struct TextTableColumn {
    float widthMm = 10.0f;
    bool right = false;  // figures: right-aligned
};

struct TextTable {
    std::string title;
    std::string subtitle;  // under the title (the months or the period the list is of)
    std::string company;
    std::vector<std::string> headings;
    std::vector<TextTableColumn> columns;  // as many as headings
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> notes;
    std::string unit = "名";  // what a row is, in the dialog's count ("名", "行")
};

// What a list with no row says under its headings, printed and on screen.
inline constexpr const char* kNobodyListed = "該当する社員はいません。";

// A cell of an amount: "1,234,567" as shown and printed, "1234567" in CSV (`plain`).
std::string amountCell(long long yen, bool plain);
// A grade's cell, empty for none.
std::string gradeCell(int grade);

class TextTableReport : public Report {
  public:
    TextTableReport(TextTable table, std::chrono::year_month_day printDate);

    int pageCount() const override;
    std::string countText() const override;
    PaperChoice paper() const override;
    DocumentInfo documentInfo() const override {
        return {table_.subtitle.empty() ? table_.title : table_.title + " " + table_.subtitle,
                table_.company};
    }
    void drawPage(Canvas& canvas, int page, const PageOptions& options) const override;

    const TextTable& table() const { return table_; }

  private:
    void drawRow(Canvas& canvas, const std::vector<std::string>& texts, float top,
                 bool heading) const;

    TextTable table_;
    std::string printDate_;
};

}  // namespace keiro::print
