#include "print/table_csv.h"

#include <cstdio>
#include <vector>

#include "core/csv_cells.h"
#include "core/fileio.h"
#include "core/text.h"
#include "print/pictures.h"

namespace keiro::print {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A field of code page 932 bytes.  No trail byte of a double-byte character is a comma, a quote
// or a line break, so looking at single bytes is enough.
std::string field(std::string_view cell) {
    const std::string bytes = neutralisedCell(cell);
    if (bytes.find_first_of(",\"\r\n") == std::string_view::npos) return bytes;
    std::string quoted = "\"";
    for (const char c : bytes) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

std::string label(const TableRow& row) {
    return field(text::toCp932(row.label));
}

std::string joined(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += fields[i];
    }
    return line + std::string(kLineEnd);
}

// The name without the blanks around it (control characters count as blanks).
std::string trimmed(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

std::string csvOverwriteQuestion(std::string_view fileName) {
    return std::string(kMsgCsvOverwrite) + "\n\n" + std::string(fileName);
}

std::string monthlyListCsv(const MonthlyListReport& report, TimeStyle style) {
    const std::vector<TableRow>& rows = report.rows();
    std::string csv = text::toCp932("氏名,");
    for (std::size_t i = 1; i < rows.size(); ++i) csv += label(rows[i]) + ",";
    csv += kLineEnd;

    for (const ListedGroup& group : report.groups()) {
        for (const ListMember& member : group.members) {
            std::vector<std::string> fields{field(member.nameBytes)};
            for (std::size_t i = 1; i < rows.size(); ++i) {
                fields.push_back(csvCellText(rows[i], member.values[i], style));
            }
            csv += joined(fields);
        }
        if (group.members.empty()) continue;
        std::vector<std::string> fields{group.named ? text::toCp932("合計[") + group.nameBytes + "]"
                                                    : text::toCp932("合計")};
        fields.front() = field(fields.front());
        for (std::size_t i = 1; i < rows.size(); ++i) {
            fields.push_back(rows[i].isAttendance() ? std::string()
                                                    : csvCellText(rows[i], group.total[i], style));
        }
        csv += joined(fields);
    }
    return csv;
}

std::string ledgerCsv(const LedgerReport& report, int page, const ItemNames& names,
                      TimeStyle style) {
    const std::vector<TableRow>& rows = report.rows();
    const LedgerSheet& sheet = report.sheet(page);
    std::vector<std::string> heading{""};
    for (int period = 1; period <= kPeriodCount; ++period) {
        heading.push_back(field(text::toCp932(ledgerPeriodLabel(period, names))));
    }
    heading.push_back(text::toCp932("合計"));
    std::string csv = joined(heading);

    for (std::size_t i = 1; i < rows.size(); ++i) {
        std::vector<std::string> fields{label(rows[i])};
        for (const LedgerColumn& column : sheet.periods) {
            fields.push_back(column[i] ? csvCellText(rows[i], *column[i], style) : std::string());
        }
        fields.push_back(csvCellText(rows[i], sheet.total[i], style));
        csv += joined(fields);
    }
    return csv;
}

std::string ledgerCsvFileName(const LedgerEmployee& employee, std::string_view chosenFileName) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", employee.slot);
    return safeFileName(number + trimmed(employee.name) + "_" + std::string(chosenFileName));
}

void writeCsvFile(const std::filesystem::path& path, std::string_view content) {
    writeFileAtomic(path, content);
}

std::string csvTable(const std::vector<std::vector<std::string>>& rows) {
    std::string csv;
    for (const std::vector<std::string>& row : rows) {
        std::vector<std::string> fields;
        fields.reserve(row.size());
        for (const std::string& text : row) fields.push_back(field(text::toCp932(text)));
        csv += joined(fields);
    }
    return csv;
}

}  // namespace keiro::print
