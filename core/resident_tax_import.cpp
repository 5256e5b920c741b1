#include "core/resident_tax_import.h"

#include <algorithm>
#include <map>
#include <optional>

#include "core/employee_csv.h"
#include "core/entry.h"
#include "core/fileio.h"
#include "core/text.h"

namespace keiro {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
constexpr std::size_t kFieldsPerLine = 3;
constexpr std::size_t kShownFieldBytes = 20;

constexpr std::string_view kJuneCaption = "6月分";
constexpr std::string_view kLaterCaption = "7月以降";
const std::string kUnencodableReason = "Shift-JIS(CP932)で表せない文字が含まれています";

// The file's lines as code page 932 bytes.  A UTF-8 file is converted line by line before it
// is split into fields (the splitter knows code page 932 characters only); a line holding a
// character that code page 932 lacks is marked and refused.
struct ImportText {
    std::vector<std::string> lines;
    std::vector<bool> unencodable;
    static std::string shown(std::string_view field) { return text::fromCp932(field); }
};

ImportText importText(std::string_view bytes) {
    bool utf8 = false;
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
        utf8 = true;
    } else {
        utf8 = looksLikeUtf8(bytes);
    }
    ImportText result;
    for (std::string& line : splitTextLines(bytes)) {
        bool bad = false;
        if (utf8) {
            try {
                line = text::toCp932(line);
            } catch (const text::EncodingError&) {
                bad = true;
                line.clear();
            }
        }
        result.lines.push_back(std::move(line));
        result.unencodable.push_back(bad);
    }
    return result;
}

// UTF-8 text without blanks (ideographic spaces included) at either end.
std::string trimmed(std::string_view utf8) {
    for (;;) {
        const std::size_t before = utf8.size();
        while (!utf8.empty() && static_cast<unsigned char>(utf8.front()) <= 0x20)
            utf8.remove_prefix(1);
        while (!utf8.empty() && static_cast<unsigned char>(utf8.back()) <= 0x20)
            utf8.remove_suffix(1);
        if (utf8.starts_with(kIdeographicSpace)) utf8.remove_prefix(kIdeographicSpace.size());
        if (utf8.ends_with(kIdeographicSpace)) utf8.remove_suffix(kIdeographicSpace.size());
        if (utf8.size() == before) return std::string(utf8);
    }
}

// A field as it is quoted in a reason: cut so that a long mistake cannot flood the list.
std::string quotedField(std::string_view utf8) {
    return "[" + text::truncateToWidth(utf8, kShownFieldBytes) + "]";
}

// Full-width digits, comma and minus signs as their ASCII forms.
std::string asciiNumber(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::string_view rest = utf8.substr(i);
        if (rest.size() >= 3 && rest.starts_with("\xEF\xBC")) {
            const auto third = static_cast<unsigned char>(rest[2]);
            if (third >= 0x90 && third <= 0x99) {  // ０..９
                out += static_cast<char>('0' + (third - 0x90));
                i += 3;
                continue;
            }
            if (third == 0x8C || third == 0x8D) {  // ，－
                out += third == 0x8C ? ',' : '-';
                i += 3;
                continue;
            }
        }
        if (rest.starts_with("\xE2\x88\x92")) {  // − U+2212
            out += '-';
            i += 3;
            continue;
        }
        out += utf8[i++];
    }
    return out;
}

bool isDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The digits of a whole number written plainly or with a comma before every third digit from
// the right ("12,300", "1,234,567"); nullopt for anything else ("1,23", "12.5", "abc").
std::optional<std::string> digitsOf(std::string_view s) {
    if (s.find(',') == std::string_view::npos) {
        return isDigits(s) ? std::optional<std::string>(s) : std::nullopt;
    }
    std::string digits;
    const std::size_t first = s.find(',');
    if (first == 0 || first > 3 || !isDigits(s.substr(0, first))) return std::nullopt;
    digits += s.substr(0, first);
    for (std::size_t pos = first; pos < s.size(); pos += 4) {
        if (s[pos] != ',' || pos + 4 > s.size() || !isDigits(s.substr(pos + 1, 3)))
            return std::nullopt;
        digits += s.substr(pos + 1, 3);
    }
    return digits;
}

struct AmountRead {
    std::int32_t value = 0;
    std::string problem;  // empty when the amount is good
};

AmountRead readAmount(std::string_view caption, std::string_view fieldUtf8) {
    const std::string field = trimmed(fieldUtf8);
    const std::string number = asciiNumber(field);
    const std::string named = std::string(caption) + quotedField(field);
    if (number.empty()) return {0, std::string(caption) + "が空欄です"};
    const bool negative = number.front() == '-';
    const std::optional<std::string> digits =
        digitsOf(negative ? std::string_view(number).substr(1) : std::string_view(number));
    if (!digits) return {0, named + "が円単位の数値ではありません"};
    if (negative && digits->find_first_not_of('0') != std::string::npos)
        return {0, named + "が負の値です"};
    const std::size_t significant = digits->find_first_not_of('0');
    if (significant == std::string::npos) return {0, ""};
    const std::string_view value = std::string_view(*digits).substr(significant);
    if (value.size() > 6 || std::stol(std::string(value)) > kMaxResidentTaxAmount)
        return {0, named + "が上限(999,999円)を超えています"};
    return {static_cast<std::int32_t>(std::stol(std::string(value))), ""};
}

// The number of fields a line holds, blank fields at its end not counted (a spreadsheet may
// save a row as "001,12300,12000,,").
std::size_t usedFieldCount(const CsvLine& fields) {
    std::size_t count = fields.count;
    while (count > 0 && isBlankText(fields.fields[count - 1])) --count;
    return count;
}

std::string fieldCountReason(std::size_t count) {
    std::string reason =
        "項目の数が" + std::to_string(count) + "個です(社員コード,6月分,7月以降の3項目が必要です)";
    if (count > kFieldsPerLine) {
        reason += "。桁区切りのカンマを含む金額は\"12,300\"のように二重引用符で囲んで下さい";
    }
    return reason;
}

// The stored form of a 社員コード of the file; empty when it cannot be a stored code.
std::string storedCode(const std::string& codeUtf8) {
    try {
        return text::toCp932(codeUtf8);
    } catch (const text::EncodingError&) {
        return std::string();
    }
}

// One data line as read: its fields, the employee it names and the reasons it is refused.
struct CheckedLine {
    int line = 0;
    std::string code;  // UTF-8, trimmed
    int slot = 0;      // 0 when no employee has the code
    AmountRead june, later;
    std::vector<std::string> reasons;
};

CheckedLine checkLine(const PeriodBlock& block, const ImportText& text, int number,
                      std::string_view line) {
    CheckedLine checked;
    checked.line = number;
    const CsvLine fields = splitCsvLineCounted(line);
    const std::size_t count = usedFieldCount(fields);
    if (count != kFieldsPerLine) {
        checked.reasons.push_back(fieldCountReason(count));
        return checked;
    }
    checked.code = trimmed(text.shown(fields.fields[0]));
    if (checked.code.empty()) {
        checked.reasons.emplace_back("社員コードが空欄です");
    } else {
        const int index = findSlotByCode(block, storedCode(checked.code));
        if (index < 0) {
            checked.reasons.push_back("社員コード" + quotedField(checked.code) +
                                      "の社員は登録されていません");
        }
        checked.slot = index + 1;
    }
    checked.june = readAmount(kJuneCaption, text.shown(fields.fields[1]));
    checked.later = readAmount(kLaterCaption, text.shown(fields.fields[2]));
    for (const AmountRead* amount : {&checked.june, &checked.later}) {
        if (!amount->problem.empty()) checked.reasons.push_back(amount->problem);
    }
    return checked;
}

// Whether a first line reads as an employee's amounts rather than as captions.
bool looksLikeData(const ImportText& text, std::string_view line) {
    const CsvLine fields = splitCsvLineCounted(line);
    return !isBlankText(fields.fields[0]) &&
           readAmount(kJuneCaption, text.shown(fields.fields[1])).problem.empty() &&
           readAmount(kLaterCaption, text.shown(fields.fields[2])).problem.empty();
}

std::string joined(const std::vector<std::string>& reasons) {
    std::string all;
    for (const std::string& reason : reasons) all += (all.empty() ? "" : "、") + reason;
    return all;
}

std::string lineList(const std::vector<int>& lines) {
    std::string list;
    for (const int line : lines) list += (list.empty() ? "" : ",") + std::to_string(line);
    return list;
}

}  // namespace

std::string refusedLineText(const RefusedResidentTaxLine& refused) {
    return std::to_string(refused.line) + "行目: " + refused.reason;
}

ResidentTaxImport previewResidentTaxImport(const PeriodBlock& block, std::string_view bytes) {
    ResidentTaxImport result;
    const ImportText text = importText(bytes);
    if (text.lines.empty() || isBlankText(text.lines.front())) {
        result.error = kMsgCsvInvalidFile;
        return result;
    }
    if (looksLikeData(text, text.lines.front())) {
        result.error = kMsgResidentTaxNoHeader;
        return result;
    }

    std::vector<CheckedLine> lines;
    std::map<int, std::vector<int>> linesOfSlot;
    for (std::size_t i = 1; i < text.lines.size(); ++i) {
        const std::string& line = text.lines[i];
        if (text.unencodable[i]) {
            result.refused.push_back({static_cast<int>(i + 1), kUnencodableReason});
            continue;
        }
        const CsvLine fields = splitCsvLineCounted(line);
        if (usedFieldCount(fields) == 0) continue;  // blank, or a filler row ",,"
        lines.push_back(checkLine(block, text, static_cast<int>(i + 1), line));
        if (lines.back().slot > 0) linesOfSlot[lines.back().slot].push_back(lines.back().line);
    }

    for (CheckedLine& line : lines) {
        if (line.slot > 0 && linesOfSlot[line.slot].size() > 1) {
            line.reasons.push_back("社員コード" + quotedField(line.code) + "が複数の行(" +
                                   lineList(linesOfSlot[line.slot]) + "行目)にあります");
        }
        if (!line.reasons.empty()) {
            result.refused.push_back({line.line, joined(line.reasons)});
            continue;
        }
        const EmployeeRecord& employee = block.employee(line.slot);
        result.changes.push_back({line.line, line.slot, std::string(employee.employeeCode.bytes()),
                                  employee.employeeCode.utf8(), employee.name.utf8(),
                                  employee.residentTaxJune, line.june.value, employee.residentTax,
                                  line.later.value});
    }
    return result;
}

ResidentTaxImport readResidentTaxImport(const PeriodBlock& block,
                                        const std::filesystem::path& path) {
    return previewResidentTaxImport(block, readFile(path, kCsvFileLimit));
}

bool isResidentTaxImportPeriod(int period) {
    return period >= 6 && period <= 12;
}

int applyResidentTaxImport(PayrollPeriod& period, const ResidentTaxImport& preview) {
    int changed = 0;
    for (const ResidentTaxChange& change : preview.changes) {
        const EmployeeId id = period.idAt(change.slot);
        const EmployeeRecord* stored = period.employee(id);
        if (stored == nullptr || stored->employeeCode.bytes() != change.codeCp932) continue;
        EmployeeRecord employee = *stored;
        if (int(employee.residentTaxJune) != change.newJune ||
            int(employee.residentTax) != change.newLater) {
            ++changed;
        }
        employee.residentTaxJune = change.newJune;
        employee.residentTax = change.newLater;
        period.setEmployee(id, employee);
    }
    return changed;
}

std::string residentTaxImportedMessage(int count) {
    return std::to_string(count) + "名の住民税額を更新しました。";
}

}  // namespace keiro
