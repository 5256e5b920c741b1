#include "core/employee_csv.h"

#include <cstdio>
#include <ctime>

#include "core/csv_cells.h"
#include "core/employee_master.h"
#include "core/entry.h"
#include "core/fileio.h"
#include "core/text.h"

namespace keiro {
namespace {

constexpr std::size_t kCodeBytes = 10;
constexpr std::size_t kNameBytes = 16;
constexpr std::size_t kDepartmentBytes = 16;

constexpr std::string_view kHeaderFields[3] = {"ユーザーＩＤ", "氏名", "グループ"};

std::string headerLineCp932() {
    std::string line;
    for (std::string_view field : kHeaderFields) line += text::toCp932(field) + ",";
    return line;
}

// Leading and trailing blanks and control bytes; a trail byte of a double-byte character is
// never below 0x40, so this cannot cut a character.
std::string_view trimBlanks(std::string_view bytes) {
    while (!bytes.empty() && static_cast<unsigned char>(bytes.front()) <= 0x20)
        bytes.remove_prefix(1);
    while (!bytes.empty() && static_cast<unsigned char>(bytes.back()) <= 0x20)
        bytes.remove_suffix(1);
    return bytes;
}

// A 社員コード as the employee editor keeps it: without blanks at either end, ideographic
// spaces (code page 932 0x8140) included, so that " 001" is the employee "001".
std::string_view trimCode(std::string_view bytes) {
    constexpr std::string_view kIdeographicSpace = "\x81\x40";
    for (;;) {
        const std::string_view trimmed = trimBlanks(bytes);
        if (trimmed.starts_with(kIdeographicSpace)) {
            bytes = trimmed.substr(kIdeographicSpace.size());
            continue;
        }
        // The last character starts where stepping through the characters from the front ends.
        std::size_t last = 0;
        for (std::size_t i = 0; i < trimmed.size();) {
            last = i;
            i += text::isLeadByte(static_cast<std::uint8_t>(trimmed[i])) ? 2 : 1;
        }
        if (!trimmed.empty() && trimmed.substr(last) == kIdeographicSpace) {
            bytes = trimmed.substr(0, last);
            continue;
        }
        return trimmed;
    }
}

std::string quoted(std::string_view bytes) {
    std::string out = "\"";
    for (char c : neutralisedCell(trimBlanks(bytes))) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

bool isHeader(std::string_view line, bool utf8) {
    const auto fields = splitCsvLine(line);
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string expected =
            utf8 ? std::string(kHeaderFields[i]) : text::toCp932(kHeaderFields[i]);
        if (fields[i] != expected) return false;
    }
    return true;
}

EmployeeRecord newImportedEmployee(const KeyTime& now, int count) {
    EmployeeRecord record = defaultEmployeeTemplate();  // 一般社員, 月給, 在職
    record.recordId.assignBytes(importedEmployeeKey(now, count));
    return record;
}

}  // namespace

bool isBlankText(std::string_view bytes) {
    return trimBlanks(bytes).empty();
}

CsvDataLines csvDataLines(const std::vector<std::string>& lines) {
    CsvDataLines result;
    // Line by line: a file that mixes UTF-8 lines with code page 932 ones (rows pasted from
    // another source) is as unreadable as a UTF-8 file, though the whole is valid in neither.
    bool anyUtf8 = false;
    for (std::size_t i = 1; i < lines.size() && !anyUtf8; ++i) anyUtf8 = looksLikeUtf8(lines[i]);
    if (anyUtf8) {
        result.error = kMsgCsvIsUtf8;
        return result;
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!isBlankText(lines[i])) result.lines.emplace_back(static_cast<int>(i + 1), lines[i]);
    }
    return result;
}

int findSlotByCode(const PeriodBlock& block, std::string_view code) {
    // An empty code is no code: it would otherwise pick the first employee who has none.
    if (code.empty()) return -1;
    for (int i = 0; i < kMaxEmployees && block.employees[i].isUsed(); ++i) {
        if (block.employees[i].employeeCode.bytes() == code) return i;
    }
    return -1;
}

EmployeeId findEmployeeByCode(const PayrollPeriod& period, std::string_view code) {
    const int index = findSlotByCode(period.block(), code);
    return index < 0 ? EmployeeId() : period.idAt(index + 1);
}

std::vector<std::string> splitTextLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

bool looksLikeUtf8(std::string_view bytes) {
    bool multibyte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 1;
        if (b < 0x80) {
            ++i;
            continue;
        }
        if (b >= 0xC2 && b <= 0xDF)
            length = 2;
        else if (b >= 0xE0 && b <= 0xEF)
            length = 3;
        else if (b >= 0xF0 && b <= 0xF4)
            length = 4;
        else
            return false;
        if (i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        multibyte = true;
        i += length;
    }
    return multibyte;
}

std::string formatEmployeeCsv(const PeriodBlock& block) {
    std::string out = headerLineCp932() + "\r\n";
    for (const EmployeeRecord& employee : block.employees) {
        if (!employee.isUsed()) break;
        out += quoted(employee.employeeCode.bytes()) + "," + quoted(employee.name.bytes()) + "," +
               quoted(employee.department.bytes()) + "\r\n";
    }
    return out;
}

void exportEmployeeCsv(const PeriodBlock& block, const std::filesystem::path& outPath) {
    writeFileAtomic(outPath, formatEmployeeCsv(block));
}

EmployeeCsv parseEmployeeCsv(std::string_view bytes) {
    EmployeeCsv result;
    const std::vector<std::string> lines = splitTextLines(bytes);
    if (lines.empty() || !isHeader(lines[0], false)) {
        std::string_view first = lines.empty() ? std::string_view() : lines[0];
        if (first.starts_with("\xEF\xBB\xBF")) first.remove_prefix(3);
        const bool utf8 = (!lines.empty() && isHeader(first, true)) || looksLikeUtf8(bytes);
        result.error = utf8 ? kMsgCsvIsUtf8 : kMsgCsvInvalidFile;
        return result;
    }
    CsvDataLines data = csvDataLines(lines);
    result.error = std::move(data.error);
    for (const auto& [number, line] : data.lines) {
        const auto fields = splitCsvLine(line);
        if (isBlankText(fields[0]) && isBlankText(fields[1]) && isBlankText(fields[2])) {
            continue;  // a filler row of a spreadsheet: ",,"
        }
        result.rows.push_back({number, std::string(withoutNeutraliser(fields[0])),
                               std::string(withoutNeutraliser(fields[1])),
                               std::string(withoutNeutraliser(fields[2]))});
    }
    return result;
}

EmployeeCsv readEmployeeCsv(const std::filesystem::path& path) {
    return parseEmployeeCsv(readFile(path, kCsvFileLimit));
}

KeyTime keyTimeOf(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string importedEmployeeKey(const KeyTime& time, int count) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d%c%c_%c%.2d%.2d_%.3d", time.year % 10,
                  static_cast<char>('A' + time.month - 1), static_cast<char>(64 + time.day),
                  static_cast<char>(64 + time.hour), time.minute, time.second, count);
    return buffer;
}

std::string overwriteQuestion(std::string_view codeCp932) {
    return "社員コードが[" + text::fromCp932(codeCp932) +
           "]のデータは既に存在します。\n上書きされますがよろしいですか？";
}

std::string employeesImportedMessage(int count) {
    return std::to_string(count) + "件のデータで社員情報を更新しました。";
}

EmployeeImportResult importEmployees(PayrollPeriod& period, const std::vector<EmployeeCsvRow>& rows,
                                     const ConfirmOverwrite& confirmOverwrite, const KeyTime& now) {
    EmployeeImportResult result;
    for (const EmployeeCsvRow& row : rows) {
        const std::string_view code = text::truncateBytes(trimCode(row.code), kCodeBytes);
        const EmployeeId existing = findEmployeeByCode(period, code);
        if (!existing.empty() && !confirmOverwrite(overwriteQuestion(code))) continue;

        EmployeeRecord record = !existing.empty() ? *period.employee(existing)
                                                  : newImportedEmployee(now, result.count + 1);
        record.employeeCode.assignBytes(code);
        record.name.assignBytes(text::truncateBytes(row.name, kNameBytes));
        record.department.assignBytes(text::truncateBytes(row.department, kDepartmentBytes));
        if (!storeEmployee(period, existing, record, {})) {
            result.limitReached = true;
            break;
        }
        ++result.count;
    }
    result.message = employeesImportedMessage(result.count);
    return result;
}

}  // namespace keiro
