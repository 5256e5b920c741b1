// The employee CSV: export format, export → import round trip, the slot limit and bad files.
#include "core/employee_csv.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/csv_cells.h"
#include "core/fileio.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

using testing_support::TempFolder;

const KeyTime kNow{2024, 1, 4, 9, 30, 5};

void addEmployee(PeriodBlock& block, int slot, std::string_view code, std::string_view name,
                 std::string_view department) {
    EmployeeRecord& e = block.employee(slot);
    e.recordId.assign("240104_093005");
    e.employeeCode.assign(code);
    e.name.assign(name);
    e.department.assign(department);
    e.payForm = 2;
    e.basePay = 1200;
}

// Imports into `block` opened as salary month 1; the block is left as the import left it.
EmployeeImportResult importInto(PeriodBlock& block, const std::vector<EmployeeCsvRow>& rows,
                                const ConfirmOverwrite& confirm) {
    PayrollPeriod period;
    period.open(1, std::make_unique<PeriodBlock>(block), nullptr, nullptr);
    const EmployeeImportResult result = importEmployees(period, rows, confirm, kNow);
    block = period.block();
    return result;
}

// Imports answering every overwrite question with Yes.
struct YesImport {
    EmployeeImportResult result;
    std::vector<std::string> questions;
};
YesImport importAnsweringYes(PeriodBlock& block, const std::vector<EmployeeCsvRow>& rows) {
    YesImport run;
    run.result = importInto(block, rows, [&](const std::string& question) {
        run.questions.push_back(question);
        return true;
    });
    return run;
}

std::unique_ptr<PeriodBlock> threeEmployees() {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "001", "山田\"太郎\"", "営業部");
    addEmployee(*block, 2, "002", "佐藤 花子", "");
    addEmployee(*block, 3, "A,3", "鈴木", "総務,経理");
    addEmployee(*block, 5, "005", "空きの後", "");  // after an empty slot: not exported
    return block;
}

TEST(EmployeeCsvTest, ExportWritesHeaderAndQuotedTrimmedFieldsUpToFirstEmptySlot) {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, " 001 ", "山田\"太郎\"", "営業部");
    addEmployee(*block, 3, "003", "空きの後", "");
    EXPECT_EQ(text::fromCp932(formatEmployeeCsv(*block)),
              "ユーザーＩＤ,氏名,グループ,\r\n\"001\",\"山田\"\"太郎\"\"\",\"営業部\"\r\n");
}

// A name or department a spreadsheet would run as a formula goes out with a "'" in front and
// comes back without it.
TEST(EmployeeCsvTest, FormulaCellsAreNeutralisedOnExportAndRestoredOnImport) {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "-A01", "=HYPERLINK(\"x\")", "@営業");
    addEmployee(*block, 2, "-002", "+81 山田", "-総務");  // a code that is a number stays
    const std::string csv = formatEmployeeCsv(*block);
    EXPECT_EQ(text::fromCp932(csv),
              "ユーザーＩＤ,氏名,グループ,\r\n\"'-A01\",\"'=HYPERLINK(\"\"x\"\")\",\"'@営業\"\r\n"
              "\"-002\",\"'+81 山田\",\"'-総務\"\r\n");
    const EmployeeCsv parsed = parseEmployeeCsv(csv);
    ASSERT_EQ(parsed.rows.size(), 2u);
    EXPECT_EQ(parsed.rows[0].code, "-A01");
    EXPECT_EQ(text::fromCp932(parsed.rows[0].name), "=HYPERLINK(\"x\")");
    EXPECT_EQ(text::fromCp932(parsed.rows[1].name), "+81 山田");
    // A "'" the clerk typed before ordinary text stays.
    EXPECT_EQ(withoutNeutraliser("'abc"), "'abc");
    EXPECT_EQ(neutralisedCell("-12,000"), "-12,000");  // an amount
    EXPECT_EQ(neutralisedCell("-"), "'-");
}

TEST(EmployeeCsvTest, ExportThenImportAsksOncePerEmployeeAndChangesNothing) {
    TempFolder folder("employee-csv");
    auto block = threeEmployees();
    const auto before = std::make_unique<PeriodBlock>(*block);
    const auto csvPath = folder.path() / "社員.csv";
    exportEmployeeCsv(*block, csvPath);
    EXPECT_EQ(std::filesystem::status(csvPath).permissions() & std::filesystem::perms::all,
              kPrivateFile);

    const EmployeeCsv csv = readEmployeeCsv(csvPath);
    ASSERT_EQ(csv.error, "");
    ASSERT_EQ(csv.rows.size(), 3u);
    EXPECT_EQ(text::fromCp932(csv.rows[0].name), "山田\"太郎\"");
    EXPECT_EQ(text::fromCp932(csv.rows[2].department), "総務,経理");

    const auto [result, questions] = importAnsweringYes(*block, csv.rows);
    EXPECT_EQ(result.count, 3);
    EXPECT_FALSE(result.limitReached);
    EXPECT_EQ(result.message, "3件のデータで社員情報を更新しました。");
    ASSERT_EQ(questions.size(), 3u);
    EXPECT_EQ(questions[0],
              "社員コードが[001]のデータは既に存在します。\n上書きされますがよろしいですか？");
    EXPECT_EQ(std::memcmp(block.get(), before.get(), sizeof(PeriodBlock)), 0);
}

TEST(EmployeeCsvTest, NoToOverwriteSkipsTheLineAndNewCodesGetKeyedSlots) {
    auto block = threeEmployees();
    block->employee(5) = EmployeeRecord{};
    const std::string header = text::toCp932("ユーザーＩＤ,氏名,グループ,\r\n");
    const EmployeeCsv csv =
        parseEmployeeCsv(header + text::toCp932("\"001\",\"別人\",\"\"\r\n\r\n009,新人,開発\r\n"));
    ASSERT_EQ(csv.rows.size(), 2u);
    block->settings.scheduledDays = 20;
    block->settings.scheduledHours = 160;
    block->attendance[3].overtimeHours = 9;  // left behind in the free slot
    const EmployeeImportResult result =
        importInto(*block, csv.rows, [](const std::string&) { return false; });
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(block->employee(1).name.utf8(), "山田\"太郎\"");
    const EmployeeRecord& added = block->employee(4);
    EXPECT_EQ(added.recordId.utf8(), "4AD_I3005_001");
    EXPECT_EQ(added.employeeCode.utf8(), "009");
    EXPECT_EQ(added.name.utf8(), "新人");
    EXPECT_EQ(added.department.utf8(), "開発");
    EXPECT_EQ(added.workStatus, 1);
    EXPECT_EQ(added.category, 2);
    EXPECT_EQ(added.payForm, 1);
    // Like a new employee of the editor: a 月給 employee starts with the month's schedule.
    EXPECT_EQ(block->attendance[3].daysWorked, 20);
    EXPECT_EQ(block->attendance[3].hoursWorked, 160);
    EXPECT_EQ(block->attendance[3].overtimeHours, 0);
}

TEST(EmployeeCsvTest, RowsWithoutACodeAreNewEmployeesAndFillerRowsAreSkipped) {
    auto block = threeEmployees();
    block->employee(5) = EmployeeRecord{};
    block->employee(2).employeeCode.assign("");  // 佐藤 has no code
    const std::string header = text::toCp932("ユーザーＩＤ,氏名,グループ,\r\n");
    const EmployeeCsv csv =
        parseEmployeeCsv(header + text::toCp932(",,\r\n\"\",\"\",\"\"\r\n,新人,開発\r\n"));
    ASSERT_EQ(csv.rows.size(), 1u);
    const auto [result, questions] = importAnsweringYes(*block, csv.rows);
    EXPECT_EQ(result.count, 1);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(block->employee(2).name.utf8(), "佐藤 花子");
    EXPECT_EQ(block->employee(4).name.utf8(), "新人");
}

// The editor keeps codes without surrounding blanks and compares them so; an import must too,
// or " 001" would become a second employee with the code 001.
TEST(EmployeeCsvTest, CodesAreTrimmedAsTheEditorTrimsThem) {
    auto block = threeEmployees();
    block->employee(5) = EmployeeRecord{};
    const std::string header = text::toCp932("ユーザーＩＤ,氏名,グループ,\r\n");
    const EmployeeCsv csv = parseEmployeeCsv(
        header +
        text::toCp932(" 001 ,山田一郎,営業部\r\n\t002\u3000,佐藤,\r\n\u3000\u3000,空白,\r\n"
                      "ア\u3000,全角,\r\nメ@,末尾,\r\n"));
    ASSERT_EQ(csv.rows.size(), 5u);
    const auto [result, questions] = importAnsweringYes(*block, csv.rows);
    EXPECT_EQ(questions.size(), 2u);  // 001 and 002 exist: overwritten after the question
    EXPECT_EQ(block->employee(1).name.utf8(), "山田一郎");
    EXPECT_EQ(block->employee(1).employeeCode.utf8(), "001");
    EXPECT_EQ(block->employee(2).name.utf8(), "佐藤");
    EXPECT_EQ(block->employee(4).employeeCode.utf8(), "");  // nothing but blanks: no code
    EXPECT_EQ(block->employee(5).employeeCode.utf8(), "ア");
    // メ is 0x83 0x81: with the "@" after it the bytes end in 0x81 0x40 but hold no blank.
    EXPECT_EQ(block->employee(6).employeeCode.utf8(), "メ@");
    EXPECT_EQ(result.count, 5);
}

TEST(EmployeeCsvTest, ThreeNewEmployeesIntoNinetyNineSlotsAddOneAndStop) {
    auto block = std::make_unique<PeriodBlock>();
    for (int slot = 1; slot <= 99; ++slot)
        addEmployee(*block, slot, std::to_string(slot), "社員", "");
    std::vector<EmployeeCsvRow> rows = {{2, "N1", "", ""}, {3, "N2", "", ""}, {4, "N3", "", ""}};
    const auto before = std::make_unique<PeriodBlock>(*block);
    const EmployeeImportResult result =
        importInto(*block, rows, [](const std::string&) { return true; });
    EXPECT_EQ(result.count, 1);
    EXPECT_TRUE(result.limitReached);
    EXPECT_EQ(result.message, "1件のデータで社員情報を更新しました。");
    EXPECT_EQ(block->employee(100).employeeCode.utf8(), "N1");
    EXPECT_EQ(std::memcmp(block->employees, before->employees, 99 * sizeof(EmployeeRecord)), 0);
}

TEST(EmployeeCsvTest, BadFilesAreRefusedWithAMessage) {
    const std::string goodHeader = text::toCp932("ユーザーＩＤ,氏名,グループ,\r\n");
    struct Case {
        const char* what;
        std::string bytes;
        std::string_view error;
    } cases[] = {
        {"empty file", "", kMsgCsvInvalidFile},
        {"wrong header", text::toCp932("コード,氏名,部署\r\n001,a,b\r\n"), kMsgCsvInvalidFile},
        {"UTF-8 file", "ユーザーＩＤ,氏名,グループ,\r\n001,山田,営業\r\n", kMsgCsvIsUtf8},
        {"UTF-8 with BOM", "\xEF\xBB\xBFユーザーＩＤ,氏名,グループ,\n", kMsgCsvIsUtf8},
        {"UTF-8 lines under a good header", goodHeader + "001,山田,営業\r\n", kMsgCsvIsUtf8},
        {"header only", goodHeader, ""},
    };
    for (const Case& c : cases) {
        const EmployeeCsv csv = parseEmployeeCsv(c.bytes);
        EXPECT_EQ(csv.error, c.error) << c.what;
        EXPECT_TRUE(csv.rows.empty()) << c.what;
    }
}

TEST(EmployeeCsvTest, OverlongLinesAndExtraFieldsAreCutToTheRecordFields) {
    const std::string header = text::toCp932("ユーザーＩＤ,氏名,グループ,\r\n");
    const std::string longCode(10000, '7');
    std::string manyFields = "X1,名前,部署";
    for (int i = 0; i < 20; ++i) manyFields += ",extra";
    const EmployeeCsv csv =
        parseEmployeeCsv(header + longCode + "," + std::string(5000, 'n') + "\r\n" +
                         text::toCp932(manyFields) + "\n" + longCode + ",again\r\n");
    ASSERT_EQ(csv.error, "");
    ASSERT_EQ(csv.rows.size(), 3u);
    auto block = std::make_unique<PeriodBlock>();
    const auto [result, questions] = importAnsweringYes(*block, csv.rows);
    EXPECT_EQ(result.count, 3);
    EXPECT_EQ(block->employee(1).employeeCode.bytes(), std::string(10, '7'));
    EXPECT_EQ(block->employee(1).name.bytes(), "again");
    EXPECT_EQ(block->employee(2).department.utf8(), "部署");
    EXPECT_EQ(questions.size(), 1u);  // the cut code matches the employee just added
    EXPECT_FALSE(block->employee(3).isUsed());
}

TEST(EmployeeCsvTest, AVanishedFileIsAnIoErrorWithTheOpenMessage) {
    TempFolder folder("employee-csv");
    try {
        readEmployeeCsv(folder.path() / "消えた.csv");
        FAIL() << "no IoError";
    } catch (const IoError& error) {
        EXPECT_EQ(error.errorNumber(), ENOENT);
        EXPECT_NE(std::string(error.what()).find("読み込み"), std::string::npos);
    }
}

}  // namespace
}  // namespace keiro
