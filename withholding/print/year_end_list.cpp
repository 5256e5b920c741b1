#include "withholding/print/year_end_list.h"

#include <cstdio>

#include "print/social_rows.h"
#include "print/table_csv.h"

namespace keiro::withholding {
namespace {

std::string amountOrEmpty(long long yen, bool shown, bool plain) {
    return shown ? print::amountCell(yen, plain) : std::string();
}

}  // namespace

std::vector<YearEndListRow> yearEndListRows(const WithholdingFile& file,
                                            const PeriodBlock& december,
                                            const std::vector<int>& slots) {
    std::vector<YearEndListRow> rows;
    rows.reserve(slots.size());
    for (int slot : slots) {
        const YearEndFigures figures = yearEndFiguresOf(file, slot);
        YearEndListRow row;
        row.paid = figures.paid;
        row.withheld = figures.withheld;
        row.annualTax = figures.annualTax;
        row.difference = figures.difference();
        row.status = figures.status;
        row.slot = slot;
        row.employeeCode = december.employee(slot).employeeCode.utf8();
        row.name = december.employee(slot).name.utf8();
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string adjustStatusText(std::uint8_t status) {
    switch (status) {
        case kCalculated:
            return "計算済";
        case kNotAdjusted:
            return "年調対象外";
        default:
            return "未処理";
    }
}

YearEndListTotals yearEndListTotals(const std::vector<YearEndListRow>& rows) {
    YearEndListTotals totals;
    for (const YearEndListRow& row : rows) {
        totals.paid += row.paid;
        totals.withheld += row.withheld;
        if (!row.settled()) continue;
        totals.annualTax += row.annualTax;
        totals.difference += row.difference;
    }
    return totals;
}

print::TextTable yearEndListTable(const std::vector<YearEndListRow>& rows, std::string company,
                                  std::string yearLabel, bool plain) {
    print::TextTable t;
    t.title = "年末調整一覧表";
    t.subtitle = std::move(yearLabel);
    t.company = std::move(company);
    t.headings = {"社員No", "氏名", "支払金額", "徴収税額", "年税額", "過不足", "状態"};
    t.columns = {{22, false}, {55, false}, {35, true}, {35, true},
                 {35, true},  {35, true},  {25, false}};
    for (const YearEndListRow& row : rows) {
        t.rows.push_back({row.employeeCode, row.name, print::amountCell(row.paid, plain),
                          print::amountCell(row.withheld, plain),
                          amountOrEmpty(row.annualTax, row.settled(), plain),
                          amountOrEmpty(row.difference, row.settled(), plain),
                          adjustStatusText(row.status)});
    }
    const YearEndListTotals totals = yearEndListTotals(rows);
    t.rows.push_back({"", "合計", print::amountCell(totals.paid, plain),
                      print::amountCell(totals.withheld, plain),
                      print::amountCell(totals.annualTax, plain),
                      print::amountCell(totals.difference, plain), ""});
    bool unsettled = false;
    for (const YearEndListRow& row : rows) unsettled = unsettled || !row.settled();
    t.notes.push_back("過不足 = 年税額 − 徴収税額 (マイナスは還付)");
    if (unsettled) t.notes.push_back("未処理の社員の年税額と過不足は合計に含みません。");
    return t;
}

std::string yearEndListCsv(const std::vector<YearEndListRow>& rows) {
    return print::csvTable(print::csvRowsOf(yearEndListTable(rows, {}, {}, true)));
}

YearEndListReport::YearEndListReport(const std::vector<YearEndListRow>& rows, std::string company,
                                     std::string yearLabel, std::chrono::year_month_day printDate)
    : table_(yearEndListTable(rows, std::move(company), std::move(yearLabel), false), printDate),
      employees_(static_cast<int>(rows.size())) {}

std::string YearEndListReport::countText() const {
    char text[48];
    std::snprintf(text, sizeof text, " %2d枚 [%d名]", pageCount(), employees_);
    return text;
}

}  // namespace keiro::withholding
