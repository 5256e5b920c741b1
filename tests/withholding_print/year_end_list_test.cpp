// 年末調整一覧表: the rows of the chosen employees in the order chosen, their status, the totals
// (a record never calculated has no annual tax to add), the pages at 100 employees, the CSV.
#include <gtest/gtest.h>

#include "tests/support/golden.h"
#include "tests/withholding_print/document_fixture.h"
#include "withholding/print/year_end_list.h"

namespace keiro::withholding {
namespace {

using testing::DocumentYear;
using testing_support::expectMatchesGolden;

constexpr std::chrono::year_month_day kPrinted{std::chrono::year{2026}, std::chrono::month{12},
                                               std::chrono::day{20}};

void setFigures(WithholdingRecord& r, int paid, int withheld, int annualTax, std::uint8_t status) {
    r.paid = paid;
    r.withheld = withheld;
    r.annualTax = annualTax;
    r.adjustStatus = status;
}

// A refund, a collection, a 乙欄 employee not adjusted, one never calculated.
void addFourEmployees(DocumentYear& year) {
    const char* names[4] = {"山田 太郎", "鈴木 花子", "佐藤 次郎", "田中 三郎"};
    for (int slot = 1; slot <= 4; ++slot) {
        year.addEmployee(slot, names[slot - 1]);
        year.december->employee(slot).employeeCode.assign("A00" + std::to_string(slot));
    }
    setFigures(year.record(1), 4'800'000, 120'000, 100'000, kCalculated);
    setFigures(year.record(2), 3'000'000, 40'000, 41'500, kCalculated);
    setFigures(year.record(3), 1'200'000, 38'206, 38'206, kNotAdjusted);
    setFigures(year.record(4), 2'000'000, 30'000, 0, kNotProcessed);
}

TEST(YearEndListTest, RowsInTheOrderChosenWithStatusAndDifference) {
    DocumentYear year("令和", 8);
    addFourEmployees(year);
    const auto rows = yearEndListRows(year.file, *year.december, {2, 1});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].slot, 2);
    EXPECT_EQ(rows[0].employeeCode, "A002");
    EXPECT_EQ(rows[0].name, "鈴木 花子");
    EXPECT_EQ(rows[0].difference, 1'500);    // owed: collected
    EXPECT_EQ(rows[1].difference, -20'000);  // refunded
    EXPECT_EQ(adjustStatusText(kCalculated), "計算済");
    EXPECT_EQ(adjustStatusText(kNotAdjusted), "年調対象外");
    EXPECT_EQ(adjustStatusText(kNotProcessed), "未処理");
}

TEST(YearEndListTest, TotalsLeaveTheUncalculatedOutOfTheTaxAndTheDifference) {
    DocumentYear year("令和", 8);
    addFourEmployees(year);
    const auto rows = yearEndListRows(year.file, *year.december, {1, 2, 3, 4});
    const YearEndListTotals totals = yearEndListTotals(rows);
    EXPECT_EQ(totals.paid, 11'000'000);
    EXPECT_EQ(totals.withheld, 228'206);  // everyone's, 未処理 included
    EXPECT_EQ(totals.annualTax, 179'706);
    EXPECT_EQ(totals.difference, -18'500);  // −20,000 + 1,500 + 0

    const print::TextTable table =
        yearEndListTable(rows, "株式会社テスト商会", "令和 8 年分", false);
    ASSERT_EQ(table.rows.size(), 5u);
    EXPECT_EQ(table.rows[3], (std::vector<std::string>{"A004", "田中 三郎", "2,000,000", "30,000",
                                                       "", "", "未処理"}));
    EXPECT_EQ(table.rows[4], (std::vector<std::string>{"", "合計", "11,000,000", "228,206",
                                                       "179,706", "-18,500", ""}));
    EXPECT_EQ(table.notes.size(), 2u);  // the formula, and why the totals leave 未処理 out
}

TEST(YearEndListTest, CsvBytesAndThePrintedPage) {
    DocumentYear year("令和", 8);
    addFourEmployees(year);
    const auto rows = yearEndListRows(year.file, *year.december, {1, 2, 3, 4});
    expectMatchesGolden(yearEndListCsv(rows), "withholding/year_end_list.csv");
    const YearEndListReport report(rows, year.source.companyName(), "令和 8 年分", kPrinted);
    EXPECT_EQ(report.pageCount(), 1);
    EXPECT_EQ(report.countText(), "  1枚 [4名]");
    expectMatchesGolden(testing::drawn(report, 1), "withholding/year_end_list_page.txt");
}

TEST(YearEndListTest, AHundredEmployeesFillFourPagesWithTheTotalsOnTheLast) {
    DocumentYear year("令和", 8);
    std::vector<int> slots;
    for (int slot = 1; slot <= 100; ++slot) {
        year.addEmployee(slot, "社員" + std::to_string(slot));
        setFigures(year.record(slot), 3'000'000, 60'000, 50'000, kCalculated);
        slots.push_back(slot);
    }
    const YearEndListReport report(yearEndListRows(year.file, *year.december, slots), "会社",
                                   "令和 8 年分", kPrinted);
    EXPECT_EQ(report.pageCount(), 4);  // 100 lines and the totals, 28 a page
    EXPECT_EQ(report.countText(), "  4枚 [100名]");
    const std::string last = testing::drawn(report, 4);
    EXPECT_NE(last.find("\"合計\""), std::string::npos);
    EXPECT_NE(last.find("\"-1,000,000\""), std::string::npos);
    EXPECT_NE(last.find("\"Page 4 / 4\""), std::string::npos);
    EXPECT_NE(last.find("\"令和 8 年分\""), std::string::npos);
}

}  // namespace
}  // namespace keiro::withholding
