#include "core/syslog.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "core/file_upkeep.h"
#include "core/fileio.h"
#include "core/places.h"
#include "core/text.h"

namespace keiro {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kCsvHeader = "日時, 内容";
constexpr std::size_t kDateTimeLength = 16;  // "yyyy/mm/dd hh:nn"
constexpr std::size_t kTextStart = 18;       // after the two spaces

// The UTF-8 characters of a text, each as its own piece (a stray byte counts as one).
std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0xC0   ? 1
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF8 ? 4
                                           : 1;
        length = std::min(length, text.size() - i);
        out.push_back(text.substr(i, length));
        i += length;
    }
    return out;
}

std::string joinCharacters(const std::vector<std::string_view>& chars, std::size_t from,
                           std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < std::min(to, chars.size()); ++i) out += chars[i];
    return out;
}

// Code page 932 bytes of the text; a character without a form becomes "?", so that a damaged
// log line is still exported.
std::string toCp932Lenient(std::string_view utf8) {
    try {
        return text::toCp932(utf8);
    } catch (const text::EncodingError&) {
        std::string out;
        for (std::string_view c : characters(utf8)) {
            try {
                const std::string bytes = text::toCp932(c);
                out += bytes.empty() ? std::string("?") : bytes;
            } catch (const text::EncodingError&) {
                out += '?';
            }
        }
        return out;
    }
}

// The file's text split at line ends (CR LF, or a lone LF); a last line without an end counts.
std::vector<std::string> splitLines(std::string_view content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? content.size() : end + 1;
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(text::fromCp932(line));
        start = next;
    }
    return lines;
}

}  // namespace

std::string_view logText(int code) {
    switch (code) {
        case kLogPayrollStarted:
            return "Keiroを起動";
        case kLogEmployeeRegistered:
            return "従業員情報の登録";
        case kLogEmployeeUpdated:
            return "従業員情報の更新";
        case kLogEmployeeDeleted:
            return "従業員情報の削除";
        case kLogWithholdingStarted:
            return "KeiroLG・源泉徴収印刷を起動";
        case kLogWithholdingSlipsPrinted:
            return "源泉徴収票の印刷";
        case kLogPaymentReportsPrinted:
            return "給与支払報告書の印刷";
        case kLogUnreadableLockTakenOver:
            return "読めないロックファイルを引き継ぎ";
        default:
            return {};
    }
}

fs::path systemLogPath(const fs::path& dataFolder) {
    return dataFolder / kSystemLogFileName;
}

std::string formatLogLine(int code, std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d  ", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
    return std::string(stamp) + std::string(logText(code));
}

void writeLog(const fs::path& dataFolder, int code, std::chrono::system_clock::time_point when) {
    const fs::path log = systemLogPath(dataFolder);
    appendToFile(log, text::toCp932(formatLogLine(code, when)) + std::string(kLineEnd));
    tightenPermissions(log);  // a log made readable by others before is made private again
}

void writeLog(const fs::path& dataFolder, int code) {
    writeLog(dataFolder, code, std::chrono::system_clock::now());
}

SystemLog readLogLines(const fs::path& dataFolder) {
    SystemLog log;
    try {
        log.lines = splitLines(readFile(systemLogPath(dataFolder)));
        log.exists = true;
    } catch (const IoError& error) {
        if (error.errorNumber() != ENOENT) throw;
    }
    return log;
}

void exportLogCsv(const std::vector<std::string>& lines, const fs::path& outPath) {
    std::string csv = text::toCp932(kCsvHeader) + std::string(kLineEnd);
    for (const std::string& line : lines) {
        const std::vector<std::string_view> chars = characters(line);
        const std::string dateTime = joinCharacters(chars, 0, kDateTimeLength);
        const std::string operation = joinCharacters(chars, kTextStart, chars.size());
        csv += toCp932Lenient("\"" + dateTime + "\", \"" + operation + "\"");
        csv += kLineEnd;
    }
    writeFileAtomic(outPath, csv);
}

}  // namespace keiro
