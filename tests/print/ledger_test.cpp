// The pay ledger: a year of one employee read from the file on disk, drawn one page per
// employee and written one CSV file per employee.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "core/text.h"
#include "core/yearfile.h"
#include "print/ledger_report.h"
#include "print/recording_canvas.h"
#include "print/table_csv.h"
#include "print/table_frame.h"
#include "tests/print/ledger_fixture.h"
#include "tests/support/built_page.h"
#include "tests/support/golden.h"
#include "tests/support/temp_folder.h"

namespace keiro::print {
namespace {

using namespace std::chrono;
using testing_support::addEmployee;
using testing_support::newBlock;

constexpr std::string_view kTaro = "260105_090000";
constexpr std::string_view kHanako = "260105_090100";

// January: 太郎 in slot 1 and, by a damaged copy, again in slot 4 (the later slot counts);
// February: only 花子; March never saved; July: 太郎 again; the summer bonus: 太郎 with
// attendance figures the ledger must not show.
struct LedgerYear {
    testing_support::TempFolder folder{"keiro-ledger"};
    std::filesystem::path path = folder.path() / "令和08年給与･賞与.dat";
    std::unique_ptr<PeriodBlock> open = newBlock();

    LedgerYear() {
        auto january = newBlock();
        addEmployee(*january, 1, kTaro, "山田 太郎", 100000);
        addEmployee(*january, 2, kHanako, "佐藤 花子", 200000);
        addEmployee(*january, 4, kTaro, "山田 太郎", 300000);
        auto february = newBlock();
        addEmployee(*february, 2, kHanako, "佐藤 花子", 200000);
        auto july = newBlock();
        addEmployee(*july, 1, kTaro, "山田 太郎", 110000);
        july->attendance[0].overtimeHours = 2.25;
        auto summer = newBlock();
        addEmployee(*summer, 1, kTaro, "山田 太郎", 50000);
        std::array<const PeriodBlock*, kPeriodCount> periods{};
        periods[0] = january.get();
        periods[1] = february.get();
        periods[6] = july.get();
        periods[12] = summer.get();
        testing_support::writeYearFile(path, periods);

        addEmployee(*open, 1, kTaro, "山田 太郎", 110000);
        addEmployee(*open, 2, kHanako, "佐藤 花子", 200000);
    }

    LedgerReport report(const TableOptions& options, std::vector<int> slots = {1, 2}) const {
        return LedgerReport(options, YearView(path),
                            {"有限会社テスト商会",
                             {"令和", 8},
                             ledgerEmployees(*open, slots),
                             year_month_day{2026y, December, 9d}});
    }
};

TableOptions withAttendance() {
    TableOptions options;
    options.added[1] = true;    // 出勤日数
    options.added[8] = true;    // 普通残業時間
    options.removed[2] = true;  // 固定手当３
    options.removed[5] = true;  // 変動手当３
    return options;
}

std::size_t rowOf(const std::vector<TableRow>& rows, std::string_view label) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].label == label) return i;
    ADD_FAILURE() << label;
    return 0;
}

TEST(LedgerTest, PeriodsComeFromTheFileByTheEmployeesKey) {
    const LedgerYear year;
    const LedgerReport report = year.report(withAttendance());
    ASSERT_EQ(report.pageCount(), 2);
    EXPECT_EQ(report.countText(), " 2枚");
    EXPECT_EQ(report.paper(), (PaperChoice{Paper::A4, Orientation::Landscape}));

    const std::vector<TableRow>& rows = report.rows();
    const std::size_t base = rowOf(rows, "基本給");
    const std::size_t days = rowOf(rows, "出勤日数");
    const std::size_t overtime = rowOf(rows, "普通残業時間");
    const LedgerSheet& taro = report.sheet(1);
    // January: the later of the two slots with the key.
    ASSERT_TRUE(taro.periods[0][base]);
    EXPECT_EQ(taro.periods[0][base]->yen, 300000);
    // February was saved without him: zeros, attendance included.
    ASSERT_TRUE(taro.periods[1][base] && taro.periods[1][days]);
    EXPECT_EQ(taro.periods[1][base]->yen, 0);
    EXPECT_EQ(taro.periods[1][days]->quantity, 0.0);
    // March was never saved: every cell empty.
    EXPECT_TRUE(std::none_of(taro.periods[2].begin(), taro.periods[2].end(),
                             [](const auto& cell) { return cell.has_value(); }));
    // The summer bonus shows its amounts but no attendance.
    EXPECT_EQ(taro.periods[12][base]->yen, 50000);
    EXPECT_FALSE(taro.periods[12][days]);
    EXPECT_FALSE(taro.periods[12][0]);  // the header row holds no value
    // Totals: only what is shown.
    EXPECT_EQ(taro.total[base].yen, 300000 + 110000 + 50000);
    EXPECT_EQ(taro.total[days].quantity, 40.0);
    EXPECT_EQ(taro.total[overtime].quantity, 1.5 + 2.25);
    EXPECT_EQ(report.sheet(2).total[base].yen, 400000);

    // Pages follow the order of the choice; a slot nobody uses is passed over.
    const LedgerReport reordered = year.report(withAttendance(), {2, 5, 1});
    ASSERT_EQ(reordered.pageCount(), 2);
    EXPECT_EQ(reordered.employee(1).name, "佐藤 花子");
    EXPECT_EQ(reordered.employee(2).slot, 1);
}

TEST(LedgerTest, PageDrawing) {
    const LedgerYear year;
    const LedgerReport report = year.report(withAttendance());
    testing_support::expectMatchesGolden(testing_support::builtPageRecording(report, 1),
                                         "print/ledger_page.txt");

    // The heading and the table are drawn higher; the layout's own offset is back afterwards.
    RecordingCanvas moved;
    moved.transform().setOrigin(1.0f, 2.0f);
    report.drawPage(moved, 1, {});
    EXPECT_EQ(moved.transform().originX(), 1.0f);
    EXPECT_EQ(moved.transform().originY(), 2.0f);

    // A page outside the report draws nothing.
    RecordingCanvas none;
    report.drawPage(none, 3, {});
    EXPECT_EQ(none.recording(), "");
}

TEST(LedgerTest, RemovingAnAllowanceTakesItsRowOffThePageAndTheCsv) {
    const LedgerYear year;
    TableOptions options;
    options.names.names[27] = "住宅手当";  // 固定手当２
    RecordingCanvas kept;
    year.report(options).drawPage(kept, 1, {});
    EXPECT_NE(kept.recording().find("\"住宅手当\""), std::string::npos);
    EXPECT_NE(ledgerCsv(year.report(options), 1, options.names, options.timeStyle)
                  .find(text::toCp932("住宅手当,")),
              std::string::npos);

    options.removed[1] = true;
    const LedgerReport report = year.report(options);
    RecordingCanvas removed;
    report.drawPage(removed, 1, {});
    EXPECT_EQ(removed.recording().find("住宅手当"), std::string::npos);
    const std::string csv = ledgerCsv(report, 1, options.names, options.timeStyle);
    EXPECT_EQ(csv.find(text::toCp932("住宅手当")), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), kMaxTableRows - 1);
}

// A year with a settlement in the summer bonus: the row joins the deductions on every page and
// in the CSV, in the bonus's column and the year's total, and the table still ends where the
// longest table without it ends.
TEST(LedgerTest, ASettlementInTheYearAddsItsRowWithinTheSamePage) {
    const LedgerYear year;
    auto summer = newBlock();
    addEmployee(*summer, 1, kTaro, "山田 太郎", 50000);
    summer->deductions[0].yearEndSettlement = -7'500;
    summer->deductions[0].deductionTotal -= 7'500;
    const std::unique_ptr<PeriodBlock> january = readPeriodBlock(year.path, 1);
    std::array<const PeriodBlock*, kPeriodCount> periods{};
    periods[0] = january.get();
    periods[12] = summer.get();
    testing_support::writeYearFile(year.path, periods);

    const TableOptions options;
    const LedgerReport report = year.report(options);
    ASSERT_EQ(report.rows().size(), static_cast<std::size_t>(kMaxTableRowsWithSettlement));
    const std::size_t row = rowOf(report.rows(), "年調過不足");
    EXPECT_EQ(report.rows()[row + 1].label, "控除項目合計");
    EXPECT_EQ(report.sheet(1).periods[12][row]->yen, -7'500);
    EXPECT_EQ(report.sheet(1).total[row].yen, -7'500);
    EXPECT_EQ(report.sheet(1).total[row + 1].yen, 14'300 + 14'300 - 7'500);
    EXPECT_EQ(report.sheet(2).total[row].yen, 0);  // 花子 has none: zeros, not blanks

    const std::string csv = ledgerCsv(report, 1, options.names, options.timeStyle);
    EXPECT_NE(csv.find(text::toCp932("年調過不足,0,,,,,,,,,,,,-7500,,,-7500\r\n")),
              std::string::npos);
    EXPECT_FLOAT_EQ(rowTop(kMaxTableRowsWithSettlement, kMaxTableRowsWithSettlement),
                    rowTop(kMaxTableRows, kMaxTableRows));
    EXPECT_FLOAT_EQ(rowTop(kMaxTableRows, kMaxTableRows), kTableTop + kRowHeight * kMaxTableRows);

    const LedgerYear plain;  // a year without one keeps the table it always had
    EXPECT_EQ(plain.report(options).rows().size(), static_cast<std::size_t>(kMaxTableRows));
}

TEST(LedgerTest, CsvFileOfAnEmployee) {
    const LedgerYear year;
    const TableOptions options = withAttendance();
    const LedgerReport report = year.report(options);
    testing_support::expectMatchesGolden(ledgerCsv(report, 1, options.names, TimeStyle::Decimal),
                                         "print/ledger.csv");
}

TEST(LedgerTest, CsvFileNamesHoldTheListNumberAndAreSafe) {
    EXPECT_EQ(ledgerCsvFileName({7, "x", "  山田 太郎  "}, kLedgerCsvDefaultName),
              "007山田 太郎_給与台帳.csv");
    EXPECT_EQ(ledgerCsvFileName({12, "x", "../../etc/passwd"}, "a.csv"),
              "012.._.._etc_passwd_a.csv");
    EXPECT_EQ(ledgerCsvFileName({100, "x", ""}, "b.csv"), "100_b.csv");
}

TEST(LedgerTest, NamesAndCompanyComeFromTheFileLikeTheFigures) {
    // The open period (January) renamed the company and an employee and took on a new one,
    // none of it saved: the ledger reads the file, so it shows the saved names throughout.
    const testing_support::TempFolder folder{"keiro-ledger-names"};
    const std::filesystem::path path = folder.path() / "year.dat";
    auto saved = newBlock("有限会社テスト商会");
    addEmployee(*saved, 1, kTaro, "山田 太郎", 300000);
    std::array<const PeriodBlock*, kPeriodCount> periods{};
    periods[0] = saved.get();
    testing_support::writeYearFile(path, periods);
    auto open = newBlock("株式会社テスト");
    addEmployee(*open, 1, kTaro, "山田 太郎（改）", 300000);
    addEmployee(*open, 2, kHanako, "佐藤 花子", 200000);

    const YearView file(path);
    EXPECT_EQ(ledgerCompanyAsSaved(*open, file, 1), "有限会社テスト商会");
    const std::vector<LedgerEmployee> employees = ledgerEmployeesAsSaved(*open, {1, 2}, file, 1);
    ASSERT_EQ(employees.size(), 2u);
    EXPECT_EQ(employees[0].name, "山田 太郎");
    EXPECT_EQ(employees[0].slot, 1);
    EXPECT_EQ(employees[1].name, "佐藤 花子");  // not in the file: the open records' name
    // A period never saved takes everything from the open records.
    EXPECT_EQ(ledgerCompanyAsSaved(*open, file, 2), "株式会社テスト");
    EXPECT_EQ(ledgerEmployeesAsSaved(*open, {1}, file, 2)[0].name, "山田 太郎（改）");
}

}  // namespace
}  // namespace keiro::print
