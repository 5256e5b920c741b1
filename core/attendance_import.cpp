#include "core/attendance_import.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/employee_csv.h"
#include "core/fileio.h"
#include "core/text.h"
#include "core/yearfile.h"

namespace keiro {
namespace {

// Fields 2..13 of a line, by the attendance item (AttendanceRecord::kItems index) they fill.
constexpr std::array<int, 12> kItemOfField = {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13};
constexpr int kBalanceField = 13;  // field 14 (index 13): 有休残日数
constexpr int kBalanceItem = 14;

std::optional<double> valueOf(std::string_view field) {
    const ParsedNumber parsed = parseNumber(field);
    if (parsed.inputError) return std::nullopt;
    return parsed.value;
}

}  // namespace

AttendanceCsv parseAttendanceCsv(std::string_view bytes) {
    AttendanceCsv result;
    CsvDataLines data = csvDataLines(splitTextLines(bytes));
    result.error = std::move(data.error);
    for (const auto& [number, line] : data.lines) {
        CsvLine fields = splitCsvLineCounted(line);
        const bool filler = std::all_of(fields.fields.begin(), fields.fields.end(),
                                        [](const std::string& f) { return isBlankText(f); });
        if (!filler) result.rows.push_back({number, std::move(fields)});  // not ",,,,"
    }
    return result;
}

AttendanceCsv readAttendanceCsv(const std::filesystem::path& path) {
    return parseAttendanceCsv(readFile(path));
}

std::string unknownEmployeeMessage(std::string_view codeCp932) {
    return "社員コードが[" + text::fromCp932(codeCp932) + "]の社員データは存在しません。";
}

std::string badValueMessage(int lineNumber) {
    return std::to_string(lineNumber) +
           "行目に数値として読めない値があるため、この行は読み込みませんでした。";
}

std::string attendanceImportedMessage(int count) {
    return std::to_string(count) + "名の勤怠データをインポートしました。";
}

AttendanceImportResult importAttendance(PeriodBlock& block,
                                        const std::vector<AttendanceCsvRow>& rows,
                                        const PreviousBalance& previousBalance,
                                        const ReportSkippedLine& reportSkipped) {
    AttendanceImportResult result;
    for (const AttendanceCsvRow& row : rows) {
        const auto& fields = row.fields.fields;
        const int slot = findSlotByCode(block, fields[0]);
        if (slot < 0) {
            reportSkipped(unknownEmployeeMessage(fields[0]));
            continue;
        }
        // Every value is read into a copy first, so a bad value leaves the record untouched.
        AttendanceRecord record = block.attendance[slot];
        bool readable = true;
        for (std::size_t f = 0; f < kItemOfField.size() && readable; ++f) {
            const std::optional<double> value = valueOf(fields[f + 1]);
            readable = value.has_value();
            if (readable) record.*AttendanceRecord::kItems[kItemOfField[f]] = *value;
        }
        std::optional<double> balance;
        if (readable && !fields[kBalanceField].empty()) {
            balance = valueOf(fields[kBalanceField]);
            readable = balance.has_value();
        }
        if (!readable) {
            reportSkipped(badValueMessage(row.lineNumber));
            continue;
        }
        if (!balance) {
            double previous = YearData::kNoPaidLeaveBalance;
            try {
                previous = previousBalance(block.employees[slot].recordId.bytes());
            } catch (const IoError& e) {
                result.error = e.what();
                break;
            }
            balance =
                previous == YearData::kNoPaidLeaveBalance ? 0.0 : previous - record.paidLeaveDays;
        }
        record.*AttendanceRecord::kItems[kBalanceItem] = *balance;
        block.attendance[slot] = record;
        ++result.imported;
    }
    result.message = attendanceImportedMessage(result.imported);
    return result;
}

}  // namespace keiro
