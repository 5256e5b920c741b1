// The attendance import: field mapping, matching by code, the carried paid-leave balance and
// what bad lines and bad files do.
#include "core/attendance_import.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "core/employee_csv.h"
#include "core/era.h"
#include "core/fileio.h"
#include "core/text.h"
#include "core/yearfile.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

using testing_support::TempFolder;

const std::string kHeader = text::toCp932("社員コード,出勤日数,有休日数\r\n");

void addEmployee(PeriodBlock& block, int slot, std::string_view code, std::string_view id) {
    block.employee(slot).recordId.assign(id);
    block.employee(slot).employeeCode.assign(code);
}

std::vector<AttendanceCsvRow> rowsOf(std::string_view body) {
    const AttendanceCsv csv = parseAttendanceCsv(kHeader + std::string(body));
    EXPECT_EQ(csv.error, "");
    return csv.rows;
}

struct ImportRun {
    AttendanceImportResult result;
    std::vector<std::string> skipped;
};

ImportRun applyRows(PeriodBlock& block, std::string_view body, double previous = -999.0) {
    ImportRun out;
    out.result = importAttendance(
        block, rowsOf(body), [&](std::string_view) { return previous; },
        [&](const std::string& message) { out.skipped.push_back(message); });
    return out;
}

TEST(AttendanceImportTest, FieldsGoToTheirItemsAndScheduledItemsStay) {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "E1", "id1");
    block->attendance[0].scheduledDays = 21;
    block->attendance[0].scheduledHours = 168;
    const ImportRun r = applyRows(*block, "E1,20,1.5,0.5,1,2,160:30,10:15,2,3,4,5,1:45,7.5\r\n");
    EXPECT_EQ(r.result.imported, 1);
    EXPECT_EQ(r.result.message, "1名の勤怠データをインポートしました。");
    const AttendanceRecord& a = block->attendance[0];
    const double expected[15] = {21, 20, 1.5, 0.5, 1, 2, 168, 160.5, 10.25, 2, 3, 4, 5, 1.75, 7.5};
    for (int j = 1; j <= 15; ++j) EXPECT_DOUBLE_EQ(a.item(j), expected[j - 1]) << "item " << j;
}

TEST(AttendanceImportTest, UnknownCodesAndEmployeesAfterAnEmptySlotAreReportedAndSkipped) {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "E1", "id1");
    addEmployee(*block, 3, "E3", "id3");  // slot 2 is empty
    const ImportRun r = applyRows(*block, "E3,20\r\nE9,20\r\nE1,18\r\nE1,19\r\n");
    EXPECT_EQ(r.result.imported, 1);  // one employee, on two lines
    EXPECT_EQ(r.result.message, "1名の勤怠データをインポートしました。");
    ASSERT_EQ(r.skipped.size(), 2u);
    EXPECT_EQ(r.skipped[0], "社員コードが[E3]の社員データは存在しません。");
    EXPECT_EQ(r.skipped[1], "社員コードが[E9]の社員データは存在しません。");
    EXPECT_DOUBLE_EQ(block->attendance[0].daysWorked, 19);  // the last line wins
    EXPECT_DOUBLE_EQ(block->attendance[2].daysWorked, 0);
}

TEST(AttendanceImportTest, AnEmptyCodeMatchesNobodyAndFillerRowsAreSkipped) {
    // Slot 1 has no code (as every employee made from the template starts): a row without a
    // code must not zero its attendance.
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "", "id1");
    addEmployee(*block, 2, "E2", "id2");
    block->attendance[0].daysWorked = 21;
    const ImportRun r = applyRows(*block, ",,,,,,,,,,,,,\r\n,20,1\r\n  , ,\r\nE2,18\r\n");
    EXPECT_EQ(r.result.imported, 1);
    ASSERT_EQ(r.skipped.size(), 1u);
    EXPECT_EQ(r.skipped[0], "社員コードが[]の社員データは存在しません。");
    EXPECT_DOUBLE_EQ(block->attendance[0].daysWorked, 21);
    EXPECT_DOUBLE_EQ(block->attendance[1].daysWorked, 18);
}

TEST(AttendanceImportTest, AnUnreadablePreviousPeriodStopsTheImportKeepingTheLinesBefore) {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "E1", "id1");
    addEmployee(*block, 2, "E2", "id2");
    int asked = 0;
    const AttendanceImportResult result = importAttendance(
        *block,
        rowsOf("E1,20,0,0,0,0,0,0,0,0,0,0,0,5\r\nE2,19\r\nE1,18,0,0,0,0,0,0,0,0,0,0,0,4\r\n"),
        [&](std::string_view) -> double {
            ++asked;
            throw IoError("令和07年給与･賞与.dat", "読み込み", EIO);
        },
        [](const std::string&) {});
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(result.imported, 1);
    EXPECT_NE(result.error.find("令和07年給与･賞与.dat"), std::string::npos);
    EXPECT_DOUBLE_EQ(block->attendance[0].daysWorked, 20);
    EXPECT_DOUBLE_EQ(block->attendance[1].daysWorked, 0);  // the failing line changed nothing
}

TEST(AttendanceImportTest, AnEmptyBalanceIsCarriedFromThePreviousPeriod) {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "E1", "id1");
    applyRows(*block, "E1,20,1.5,,,,,,,,,,,\r\n", 10.0);
    EXPECT_DOUBLE_EQ(block->attendance[0].paidLeaveBalance, 8.5);
    applyRows(*block, "E1,20,1.5\r\n", -999.0);
    EXPECT_DOUBLE_EQ(block->attendance[0].paidLeaveBalance, 0);
}

TEST(AttendanceImportTest, JanuaryTakesTheBalanceFromDecemberOfThePreviousYear) {
    TempFolder folder("attendance");
    const EraNames names{"平成", "令和"};
    const auto thisYear = folder.path() / yearFileName({"令和", 7});
    const auto lastYear = folder.path() / yearFileName({"令和", 6});
    createYearFileIfMissing(thisYear);

    YearData current;
    current.setFile(thisYear, "令和", 7, names);
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "E1", "id1");
    const auto balanceOf = [&](std::string_view id) {
        return current.readPreviousPaidLeaveBalance(1, id);
    };
    const auto ignore = [](const std::string&) {};

    importAttendance(*block, rowsOf("E1,20,2\r\n"), balanceOf, ignore);
    EXPECT_DOUBLE_EQ(block->attendance[0].paidLeaveBalance, 0);  // no previous year's file

    createYearFileIfMissing(lastYear);
    YearData previous;
    previous.setFile(lastYear, "令和", 6, names);
    previous.openPeriod(12, {}, nullptr);
    addEmployee(previous.block(), 4, "OTHER", "id1");  // matched by key, not by code
    previous.block().attendance[3].paidLeaveBalance = 12;
    previous.savePeriod();

    importAttendance(*block, rowsOf("E1,20,2\r\n"), balanceOf, ignore);
    EXPECT_DOUBLE_EQ(block->attendance[0].paidLeaveBalance, 10);
}

TEST(AttendanceImportTest, ALineWithAnUnreadableValueLeavesTheRecordAsItWas) {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "E1", "id1");
    block->attendance[0].daysWorked = 3;
    const auto before = std::make_unique<PeriodBlock>(*block);
    const ImportRun r = applyRows(*block, "E1,20,1,1..5\r\nE1,21,1,0,0,0,0,1:2:3\r\n");
    EXPECT_EQ(r.result.imported, 0);
    ASSERT_EQ(r.skipped.size(), 2u);
    EXPECT_EQ(r.skipped[0], badValueMessage(2));
    EXPECT_EQ(r.skipped[1], badValueMessage(3));
    EXPECT_EQ(std::memcmp(block.get(), before.get(), sizeof(PeriodBlock)), 0);
}

TEST(AttendanceImportTest, ValuesTheBoxesOrTheMonthCannotHoldAreRefusedWithTheirReasons) {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "E1", "id1");
    addEmployee(*block, 2, "E2", "id2");
    block->attendance[0].hoursWorked = 160;
    const auto before = std::make_unique<PeriodBlock>(*block);
    const std::string body =
        "E1,20,0,0,0,0,16000\r\n"             // 2: more digits than the box takes
        "E1,20,0,0,0,0,1e29\r\n"              // 3: not a number for the box
        "E1,20,0,-3\r\n"                      // 4: negative absence raises pay
        "E1,20,0,0,0,0,160:75\r\n"            // 5: minutes over 59
        "E1,20:30\r\n"                        // 6: h:mm in a day count
        "E1,32\r\n"                           // 7: more days than the month
        "E1,20,0,0,0,0,745\r\n"               // 8: more hours than 24 × 31
        "E1,20,0,0,0,0,0000000000160\r\n"     // 9: longer than the box
        "E1,20,0,0,0,0,0,0,0,0,0,0,0,-1\r\n"  // 10: a negative balance
        "E1,31,31,31,31,31\r\n"               // 11: 155 days in a month of 31
        "E1,20,5,5,9,2\r\n";                  // 12: 32 days spent (the 9 holidays aside)
    const ImportRun r = applyRows(*block, body);
    EXPECT_EQ(r.result.imported, 0);
    EXPECT_EQ(r.result.refused, 11);
    EXPECT_EQ(std::memcmp(block.get(), before.get(), sizeof(PeriodBlock)), 0);
    ASSERT_EQ(r.skipped.size(), 11u);
    const std::string expected[11] = {
        "2行目の実働時間[16000]: 入力した数値が上限を超えました。",
        "3行目の実働時間[1e29]: 数値以外の文字が含まれています。",
        "4行目の欠勤日数[-3]: 負の値は入力できません。",
        "5行目の実働時間[160:75]: 分の入力が59を超えています。",
        "6行目の出勤日数[20:30]: 時:分で入力できるのは時間の項目だけです。",
        "7行目の出勤日数[32]: 月の日数(31日)を超えています。",
        "8行目の実働時間[745]: 月の時間(24時間×31日=744時間)を超えています。",
        "9行目の実働時間[0000000000160]: 入力した数値が上限を超えました。",
        "10行目の有休残日数[-1]: 負の値は入力できません。",
        "11行目: 出勤・有休・欠勤・特別休暇の日数の合計(124日)が月の日数(31日)を超えています。",
        "12行目: 出勤・有休・欠勤・特別休暇の日数の合計(32日)が月の日数(31日)を超えています。"};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(r.skipped[i], expected[i] + "この行は読み込みませんでした。");
    }

    // The limits themselves are accepted, and the month is the open period's: February of a
    // leap year has 29 days, a bonus period is given the longest month.
    const ImportRun full = applyRows(*block, "E1,31,0,0,0,0,744:00\r\nE2,-0,,,,,,,,,,,1:59\r\n");
    EXPECT_EQ(full.result.imported, 2);
    EXPECT_DOUBLE_EQ(block->attendance[0].hoursWorked, 744);
    EXPECT_DOUBLE_EQ(block->attendance[1].lateHours, 1 + 59.0 / 60);
    EXPECT_EQ(attendanceMonthDays({true, 6}, 2), 29);  // 2024
    EXPECT_EQ(attendanceMonthDays({true, 7}, 2), 28);  // 2025
    EXPECT_EQ(attendanceMonthDays({false, 30}, 4), 30);
    EXPECT_EQ(attendanceMonthDays({true, 7}, 13), 31);
    const auto rows = rowsOf("E1,29\r\n");
    EXPECT_EQ(importAttendance(
                  *block, rows, [](std::string_view) { return 0.0; }, [](const std::string&) {}, 28)
                  .imported,
              0);
}

TEST(AttendanceImportTest, AnImportIntoThePeriodMarksItModifiedAndTellsEachEmployeeOnce) {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "E1", "id1");
    addEmployee(*block, 2, "E2", "id2");
    addEmployee(*block, 3, "E3", "id2");  // a damaged file's twin of E2
    block->payments[1].basePayAmount = 200'000;
    const PeriodBlock saved = *block;
    PayrollPeriod period;
    period.open(4, std::move(block), &saved, nullptr);
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription subscription =
        period.subscribe([&told](const PeriodChange& change) { told.push_back(change); });
    const auto balance = [](std::string_view) { return 10.0; };
    const auto ignore = [](const std::string&) {};

    // Refused and unknown lines change nothing.
    importAttendance(period, rowsOf("E1,32\r\nE9,20\r\n"), balance, ignore);
    EXPECT_FALSE(period.isModified());
    EXPECT_TRUE(told.empty());

    const AttendanceImportResult result =
        importAttendance(period, rowsOf("E3,18,1\r\nE1,20\r\nE1,19\r\n"), balance, ignore);
    EXPECT_EQ(result.imported, 2);
    EXPECT_TRUE(period.isDirty());
    ASSERT_EQ(told.size(), 3u);  // one change per line taken in
    EXPECT_EQ(told[0].employee, EmployeeId("id2", 1));
    EXPECT_FALSE(told[0].item.has_value());
    EXPECT_EQ(told[1].employee, EmployeeId("id1"));
    EXPECT_DOUBLE_EQ(period.value(EmployeeId("id2", 1), ItemId::attendance(2)), 18);
    EXPECT_DOUBLE_EQ(period.value(EmployeeId("id2", 1), ItemId::attendance(15)), 9);
    EXPECT_DOUBLE_EQ(period.value(EmployeeId("id2"), ItemId::attendance(2)), 0);
    EXPECT_DOUBLE_EQ(period.value(EmployeeId("id1"), ItemId::attendance(2)), 19);
    EXPECT_EQ(int(period.block().payments[1].basePayAmount), 200'000);  // the pay stays
}

TEST(AttendanceImportTest, TheCheckListsEveryRefusedLineBeforeAnythingIsWritten) {
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "E1", "id1");
    addEmployee(*block, 2, "E2", "id2");
    const auto before = std::make_unique<PeriodBlock>(*block);
    const AttendanceCheck check =
        checkAttendanceRows(*block, rowsOf("E1,20\r\nE9,20\r\nE2,99\r\nE1,21\r\n"), 30);
    EXPECT_EQ(std::memcmp(block.get(), before.get(), sizeof(PeriodBlock)), 0);
    EXPECT_EQ(check.employees, 1);
    ASSERT_EQ(check.refused.size(), 2u);
    EXPECT_EQ(check.refused[0], unknownEmployeeMessage("E9"));
    EXPECT_EQ(check.refused[1],
              "4行目の出勤日数[99]: 月の日数(30日)を超えています。この行は読み込みませんでした。");
    const std::string question = refusedLinesQuestion(check);
    EXPECT_NE(question.find(check.refused[0]), std::string::npos);
    EXPECT_NE(question.find(check.refused[1]), std::string::npos);
    EXPECT_NE(question.find("これらの行を除いて1名の勤怠データをインポートしますか？"),
              std::string::npos);

    AttendanceCheck many;
    many.refused.assign(45, "x");
    EXPECT_NE(refusedLinesQuestion(many).find("(ほか15行)"), std::string::npos);
}

TEST(AttendanceImportTest, BadFiles) {
    // Header only, an empty file and blank lines import nothing.
    for (std::string bytes : {kHeader, std::string(), kHeader + "\r\n  \r\n"}) {
        const AttendanceCsv csv = parseAttendanceCsv(bytes);
        EXPECT_EQ(csv.error, "");
        EXPECT_TRUE(csv.rows.empty());
    }
    // UTF-8 data lines are refused as a whole.
    const AttendanceCsv utf8 = parseAttendanceCsv("社員コード\r\n山田,20\r\n");
    EXPECT_EQ(utf8.error, kMsgCsvIsUtf8);
    EXPECT_TRUE(utf8.rows.empty());
    // So is a file mixing UTF-8 lines with code page 932 ones.
    const AttendanceCsv mixed =
        parseAttendanceCsv(kHeader + text::toCp932("山田,20\r\n") + "山田,20\r\n");
    EXPECT_EQ(mixed.error, kMsgCsvIsUtf8);
    EXPECT_TRUE(mixed.rows.empty());
    // A very long line and extra fields: the code never matches, nothing else is touched.
    auto block = std::make_unique<PeriodBlock>();
    addEmployee(*block, 1, "E1", "id1");
    std::string extra = "E1";
    for (int i = 0; i < 20; ++i) extra += ",1";
    const ImportRun r = applyRows(*block, std::string(10000, 'E') + ",5\r\n" + extra + "\r\n");
    EXPECT_EQ(r.result.imported, 1);
    EXPECT_EQ(r.skipped.size(), 1u);
    EXPECT_DOUBLE_EQ(block->attendance[0].paidLeaveBalance, 1);
}

TEST(AttendanceImportTest, AVanishedFileIsAnIoError) {
    TempFolder folder("attendance");
    try {
        readAttendanceCsv(folder.path() / "消えた.csv");
        FAIL() << "no IoError";
    } catch (const IoError& error) {
        EXPECT_EQ(error.errorNumber(), ENOENT);
    }
}

}  // namespace
}  // namespace keiro
