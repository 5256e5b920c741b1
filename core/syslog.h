#pragma once
// The system log: an audit trail of significant operations, shared by both programs.  One text
// file "システムログ.dat" in the data folder, code page 932 with CR LF line ends, only ever
// appended to: each write opens the file, appends one whole line and closes it, so two programs
// writing at once never interleave inside a line.  A line is the local date and time
// "yyyy/mm/dd hh:nn", two spaces and the operation's text.

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace keiro {

namespace fs = std::filesystem;

// The operations that are logged.
inline constexpr int kLogPayrollStarted = 10;
inline constexpr int kLogEmployeeRegistered = 11;
inline constexpr int kLogEmployeeUpdated = 12;
inline constexpr int kLogEmployeeDeleted = 13;
inline constexpr int kLogWithholdingStarted = 20;
inline constexpr int kLogWithholdingSlipsPrinted = 21;
inline constexpr int kLogPaymentReportsPrinted = 22;
// A data-folder lock whose owner could not be read (left empty by a power cut) was replaced.
inline constexpr int kLogUnreadableLockTakenOver = 30;

// The text of a code; empty for a code that is not one of the above.
std::string_view logText(int code);

// The path of the log in a data folder.
fs::path systemLogPath(const fs::path& dataFolder);

// One line as UTF-8, without the line end, at the given moment in local time.
std::string formatLogLine(int code, std::chrono::system_clock::time_point when);

// Appends one line; the file is created (0600) by the first write.  Throws IoError.
void writeLog(const fs::path& dataFolder, int code, std::chrono::system_clock::time_point when);
void writeLog(const fs::path& dataFolder, int code);

// The log's lines as UTF-8, oldest first.  A missing log is normal on a first start and is not
// an error: `exists` is false and there are no lines.  Any other failure throws IoError.
struct SystemLog {
    bool exists = false;
    std::vector<std::string> lines;
};
SystemLog readLogLines(const fs::path& dataFolder);

// Writes the lines as CSV: the header "日時, 内容", then for each line its date and time (the
// first 16 characters) and its text (from the 19th character on), each in quotes, separated by
// a comma and a space.  Quotes inside the values are written as they are.  Code page 932,
// CR LF, replaced atomically; a character without a code page 932 form becomes "?".
void exportLogCsv(const std::vector<std::string>& lines, const fs::path& outPath);

}  // namespace keiro
