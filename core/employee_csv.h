#pragma once
// The employee CSV exchanged with other software: a header line and one line per employee with
// the three identity fields 社員コード, 氏名 and 部署.  Files are code page 932 with CR LF.
//
// The import is split into a pure parse of the whole file and a step that applies the rows to
// the period one by one.  The questions the user must answer come back through a callback, and
// each row either changes its one slot completely or leaves the period as it was.

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/payroll_period.h"
#include "core/records.h"

namespace keiro {

inline constexpr std::string_view kMsgCsvExported = "指定ファイルに出力しました。";
inline constexpr std::string_view kMsgCsvCannotOpen = "指定されたファイルが開けません。";
inline constexpr std::string_view kMsgCsvInvalidFile =
    "不正なデータファイルなので処理を中断しました。";
inline constexpr std::string_view kMsgCsvIsUtf8 =
    "ファイルの文字コードがUTF-8になっています。\n"
    "Shift-JIS(CP932)で保存したファイルを指定して下さい。";
inline constexpr std::string_view kMsgEmployeeLimit = "社員情報の登録上限に達したので中断します。";

// The file's text as lines of code page 932 bytes without their line ends (CR LF, LF or a lone
// CR); a last line without a line end counts, nothing after the final line end does.
std::vector<std::string> splitTextLines(std::string_view bytes);

// Whether bytes that should be code page 932 are really UTF-8: they hold non-ASCII bytes and
// all of them form valid UTF-8 sequences (Japanese code page 932 text almost never does).
bool looksLikeUtf8(std::string_view bytes);

// Whether the bytes hold nothing but blanks and control bytes.
bool isBlankText(std::string_view bytes);

// The lines after a CSV file's header line, with their line numbers in the file (the header is
// line 1), blank lines left out.  `error` is kMsgCsvIsUtf8 when any of those lines is UTF-8.
struct CsvDataLines {
    std::string error;
    std::vector<std::pair<int, std::string>> lines;
};
CsvDataLines csvDataLines(const std::vector<std::string>& lines);

// The index (0..99) of the used slot holding this 社員コード (code page 932), scanning from slot
// 1 up to the first empty slot; -1 when there is none, and always for an empty code.
int findSlotByCode(const PeriodBlock& block, std::string_view code);
// The employee found so; the empty id when there is none.
EmployeeId findEmployeeByCode(const PayrollPeriod& period, std::string_view code);

// The export: the header, then one line per slot from 1 up to the first empty slot.
std::string formatEmployeeCsv(const PeriodBlock& block);
// Writes formatEmployeeCsv atomically (mode 0600).  Throws IoError.
void exportEmployeeCsv(const PeriodBlock& block, const std::filesystem::path& outPath);

// One employee line of an import file, as code page 932 bytes.
struct EmployeeCsvRow {
    int lineNumber = 0;  // in the file, the header being line 1
    std::string code, name, department;
};

// The parsed file: `error` is the message to show (and `rows` is empty) when the file cannot be
// imported: no header line or another header (kMsgCsvInvalidFile), a header or employee lines in
// UTF-8 (kMsgCsvIsUtf8).  Blank lines, and lines whose three fields are blank, are skipped;
// fields after the third are ignored.
struct EmployeeCsv {
    std::string error;
    std::vector<EmployeeCsvRow> rows;
};
EmployeeCsv parseEmployeeCsv(std::string_view bytes);
// Reads and parses the file.  A file that cannot be read (gone since it was chosen, no rights)
// throws IoError with the file's name and the reason; the window shows kMsgCsvCannotOpen.
EmployeeCsv readEmployeeCsv(const std::filesystem::path& path);

// The moment the keys of new employees are made from (local time).
struct KeyTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
KeyTime keyTimeOf(std::chrono::system_clock::time_point when);

// The key of an imported new employee, e.g. "4AD_I3005_001": the year's last digit, the month
// as "A".."L", the day and the hour as the character 64 + n, minutes, seconds, the line count.
std::string importedEmployeeKey(const KeyTime& time, int count);

// "社員コードが[%s]のデータは既に存在します。\n上書きされますがよろしいですか？" (code as UTF-8).
std::string overwriteQuestion(std::string_view codeCp932);
// "%d件のデータで社員情報を更新しました。"
std::string employeesImportedMessage(int count);

// Answers Yes (true) or No to overwriting the employee with this code (UTF-8).
using ConfirmOverwrite = std::function<bool(const std::string& question)>;

struct EmployeeImportResult {
    int count = 0;              // lines applied
    bool limitReached = false;  // stopped at the limit; show kMsgEmployeeLimit
    std::string message;        // employeesImportedMessage(count)
};

// Applies the rows to the open period: an existing code (searched up to the first empty slot,
// compared as it would be stored, at most 10 bytes) is updated after a Yes; an unknown code
// becomes a new employee (一般社員, 月給, 在職) stored like one entered in the employee editor: in
// the first free slot, and in a salary month with the month's scheduled days and hours.  When
// no slot is free the import stops there with limitReached.
EmployeeImportResult importEmployees(PayrollPeriod& period, const std::vector<EmployeeCsvRow>& rows,
                                     const ConfirmOverwrite& confirmOverwrite, const KeyTime& now);

}  // namespace keiro
