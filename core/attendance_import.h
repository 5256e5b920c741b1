#pragma once
// The attendance import: a CSV file of monthly attendance figures, one line per employee after
// a header line, written into the attendance records of the open period.  Employees are matched
// by 社員コード.  The file is parsed whole first; the rows are then applied one at a time, and
// a row that cannot be applied leaves the period exactly as it was before it.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/entry.h"
#include "core/payroll_period.h"
#include "core/records.h"

namespace keiro {

// One data line of the file (code page 932 fields; the header line is not kept).
struct AttendanceCsvRow {
    int lineNumber = 0;  // in the file, the header being line 1
    CsvLine fields;
};

// `error` is the message to show (and `rows` is empty) when the file cannot be imported.
struct AttendanceCsv {
    std::string error;
    std::vector<AttendanceCsvRow> rows;
};
// The header line is skipped unread; blank lines, and lines whose fields are all blank, are
// skipped.  A line with values but no 社員コード matches nobody.  Data lines that are UTF-8 make
// the whole file refused with kMsgCsvIsUtf8.
AttendanceCsv parseAttendanceCsv(std::string_view bytes);
// Reads and parses the file.  A file that cannot be read (gone since it was chosen, no rights)
// throws IoError with the file's name and the reason; the window shows kMsgCsvCannotOpen.
AttendanceCsv readAttendanceCsv(const std::filesystem::path& path);

// "社員コードが[%s]の社員データは存在しません。" (code as UTF-8).
std::string unknownEmployeeMessage(std::string_view codeCp932);
// "%d行目に数値として読めない値があるため、この行は読み込みませんでした。"
std::string badValueMessage(int lineNumber);
// "%d名の勤怠データをインポートしました。"
std::string attendanceImportedMessage(int count);

// The most days a value of the open period may hold: the days of its month for periods 1..12
// (February by the file's year), 31 for the bonus periods.
int attendanceMonthDays(FileYear year, int period);

// Every line that would not be imported, with its reason, in file order: an unknown 社員コード,
// a value that cannot be read, a value the attendance edit boxes would refuse (too many digits,
// a sign, minutes over 59, h:mm in an item that is not hours) and a value no month can hold (a
// day count over `monthDays`, hours over 24 × `monthDays`).  `employees` counts the distinct
// employees the other lines fill.  Nothing is written.
struct AttendanceCheck {
    std::vector<std::string> refused;
    int employees = 0;
};
// The question shown before anything is imported when lines are refused: the reasons (the
// first 30, then how many more) and whether the other employees' lines are to be imported.
std::string refusedLinesQuestion(const AttendanceCheck& check);
AttendanceCheck checkAttendanceRows(const PeriodBlock& block,
                                    const std::vector<AttendanceCsvRow>& rows, int monthDays);

// The 有休残日数 of the period before, for an employee's recordId (code page 932 bytes):
// YearData::readPreviousPaidLeaveBalance, −999 when unknown.
using PreviousBalance = std::function<double(std::string_view recordId)>;
// Called once per skipped line with the message to show; the import then goes on.
using ReportSkippedLine = std::function<void(const std::string& message)>;

struct AttendanceImportResult {
    int imported = 0;     // employees, an employee on several lines counting once
    int refused = 0;      // lines reported and left out
    std::string message;  // attendanceImportedMessage(imported)
    // Why the import stopped early (the previous period's file could not be read); the lines
    // before stay imported.  Empty when every line was handled.
    std::string error;
};

// Applies the rows to the employees of the period's used slots (slot 1 up to the first empty
// slot), each line's attendance stored at once (PayrollPeriod::setRows: the period is then
// modified, and the subscribers told).  A later line for the same employee replaces the values
// of an earlier one.  The lines checkAttendanceRows refuses are reported and change nothing.
// An IoError from `previousBalance` stops the import at that line (result.error).
AttendanceImportResult importAttendance(PayrollPeriod& period,
                                        const std::vector<AttendanceCsvRow>& rows,
                                        const PreviousBalance& previousBalance,
                                        const ReportSkippedLine& reportSkipped, int monthDays = 31);
// The same into a block that is no open period (a fuzzing or benchmark harness's).
AttendanceImportResult importAttendance(PeriodBlock& block,
                                        const std::vector<AttendanceCsvRow>& rows,
                                        const PreviousBalance& previousBalance,
                                        const ReportSkippedLine& reportSkipped, int monthDays = 31);

}  // namespace keiro
