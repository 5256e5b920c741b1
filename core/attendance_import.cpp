#include "core/attendance_import.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "core/employee_csv.h"
#include "core/fileio.h"
#include "core/item_values.h"
#include "core/text.h"
#include "core/yearfile.h"

namespace keiro {
namespace {

// Fields 2..13 of a line, by the attendance item (AttendanceRecord::kItems index) they fill.
constexpr std::array<int, 12> kItemOfField = {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13};
constexpr int kBalanceField = 13;  // field 14 (index 13): 有休残日数
constexpr int kBalanceItem = 14;
// The names of fields 2..14, for the reasons a line is refused.
constexpr std::array<std::string_view, 13> kFieldNames = {
    "出勤日数",     "有休日数",     "欠勤日数",     "休日出勤日数", "特別休暇日数",
    "実働時間",     "普通残業時間", "深夜残業時間", "休日普通残業", "休日深夜残業",
    "遅刻早退回数", "遅刻早退時間", "有休残日数"};
constexpr int kHoursPerDay = 24;
constexpr std::size_t kEntryCharacters = 9;  // what an attendance edit box holds
constexpr int kShownValueBytes = 20;

constexpr std::string_view kMsgNegative = "負の値は入力できません。";
constexpr std::string_view kMsgColonOutsideHours = "時:分で入力できるのは時間の項目だけです。";

// The values of one accepted line: items by field, and the balance when field 14 has one.
struct RowValues {
    std::array<double, kItemOfField.size()> items{};
    std::optional<double> balance;
};

std::optional<double> valueOf(std::string_view field) {
    const ParsedNumber parsed = parseNumber(field);
    if (parsed.inputError) return std::nullopt;
    return parsed.value;
}

// The edit box's check of a value of attendance item `index` (kItems index): empty and the
// value as the box would keep it, or the box's message.
std::string boxRefusal(std::string_view field, int index, double& value) {
    const ItemFormat format = attendanceItemFormat(index + 1);
    const int code = formatCodeOf(format);
    // The box holds 9 characters; a longer value would be cut, not read.
    const auto significant = std::count_if(
        field.begin(), field.end(), [](char c) { return c != ' ' && c != ',' && c != '\t'; });
    if (static_cast<std::size_t>(significant) > kEntryCharacters) {
        return std::string(kMsgTooManyDigits);
    }
    const EntryCheck check = validateNumericEntry(field, code);
    if (!check.error.empty()) return check.error;
    for (const char c : check.text) {
        if (filterNumericKey(static_cast<unsigned char>(c), code, format == ItemFormat::Hours) !=
            KeyVerdict::Accept) {
            return std::string(c == '-' ? kMsgNegative : kMsgColonOutsideHours);
        }
    }
    value = parseNumber(check.text).value;
    return std::string();
}

// Days beyond the month, or hours beyond all of its hours.
std::string monthRefusal(int index, double value, int monthDays) {
    switch (attendanceItemFormat(index + 1)) {
        case ItemFormat::Days:
            if (value <= monthDays) return std::string();
            return "月の日数(" + std::to_string(monthDays) + "日)を超えています。";
        case ItemFormat::Hours:
            if (value <= kHoursPerDay * monthDays) return std::string();
            return "月の時間(24時間×" + std::to_string(monthDays) +
                   "日=" + std::to_string(kHoursPerDay * monthDays) + "時間)を超えています。";
        case ItemFormat::Amount:
        case ItemFormat::Quantity:
            break;
    }
    return std::string();
}

std::string refusedValueMessage(int lineNumber, std::string_view name, std::string_view field,
                                const std::string& reason) {
    return std::to_string(lineNumber) + "行目の" + std::string(name) + "[" +
           text::fromCp932(truncateToMaxLength(field, kShownValueBytes).cp932) + "]: " + reason +
           "この行は読み込みませんでした。";
}

// Reads the values of a line into `out`; the message saying why the line is refused otherwise.
std::string readRow(const AttendanceCsvRow& row, int monthDays, RowValues& out) {
    const auto& fields = row.fields.fields;
    const bool carryBalance = fields[kBalanceField].empty();
    for (int f = 1; f <= kBalanceField; ++f) {
        if (f == kBalanceField && carryBalance) continue;
        if (!valueOf(fields[f])) return badValueMessage(row.lineNumber);
    }
    for (int f = 1; f <= kBalanceField; ++f) {
        if (f == kBalanceField && carryBalance) continue;
        const int index = f == kBalanceField ? kBalanceItem : kItemOfField[f - 1];
        double value = 0;
        std::string reason = boxRefusal(fields[f], index, value);
        if (reason.empty()) reason = monthRefusal(index, value, monthDays);
        if (!reason.empty()) {
            return refusedValueMessage(row.lineNumber, kFieldNames[f - 1], fields[f], reason);
        }
        if (f == kBalanceField) {
            out.balance = value;
        } else {
            out.items[f - 1] = value;
        }
    }
    // The days of a month are spent once: at work, on paid leave, absent or on special leave
    // (a holiday worked is counted among the days at work, so it is not added again).
    const double spent = out.items[0] + out.items[1] + out.items[2] + out.items[4];
    if (spent > monthDays) {
        char total[32];
        std::snprintf(total, sizeof total, "%g", spent);
        return std::to_string(row.lineNumber) + "行目: 出勤・有休・欠勤・特別休暇の日数の合計(" +
               total + "日)が月の日数(" + std::to_string(monthDays) +
               "日)を超えています。この行は読み込みませんでした。";
    }
    return std::string();
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
    return parseAttendanceCsv(readFile(path, kCsvFileLimit));
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

int attendanceMonthDays(FileYear year, int period) {
    return period >= 1 && period < kFirstBonusPeriod ? daysInMonth(year.calendarYear(), period)
                                                     : 31;
}

AttendanceCheck checkAttendanceRows(const PeriodBlock& block,
                                    const std::vector<AttendanceCsvRow>& rows, int monthDays) {
    AttendanceCheck result;
    std::array<bool, kMaxEmployees> filled{};
    for (const AttendanceCsvRow& row : rows) {
        const int slot = findSlotByCode(block, row.fields.fields[0]);
        RowValues values;
        std::string reason = slot < 0 ? unknownEmployeeMessage(row.fields.fields[0])
                                      : readRow(row, monthDays, values);
        if (reason.empty()) {
            filled[static_cast<std::size_t>(slot)] = true;
        } else {
            result.refused.push_back(std::move(reason));
        }
    }
    result.employees = static_cast<int>(std::count(filled.begin(), filled.end(), true));
    return result;
}

std::string refusedLinesQuestion(const AttendanceCheck& check) {
    constexpr std::size_t kListed = 30;
    std::string text = "次の行は読み込めません。\n";
    for (std::size_t i = 0; i < check.refused.size() && i < kListed; ++i) {
        text += check.refused[i] + "\n";
    }
    if (check.refused.size() > kListed) {
        text += "(ほか" + std::to_string(check.refused.size() - kListed) + "行)\n";
    }
    return text + "\nこれらの行を除いて" + std::to_string(check.employees) +
           "名の勤怠データをインポートしますか？";
}

namespace {

// The import over the records of `block`; each line's new attendance record goes to `store`
// with its slot (0-based), which writes it where `block` is read from.
AttendanceImportResult applyRows(
    const PeriodBlock& block, const std::vector<AttendanceCsvRow>& rows,
    const PreviousBalance& previousBalance, const ReportSkippedLine& reportSkipped, int monthDays,
    const std::function<void(int index, const AttendanceRecord& record)>& store) {
    AttendanceImportResult result;
    std::array<bool, kMaxEmployees> filled{};
    for (const AttendanceCsvRow& row : rows) {
        const auto& fields = row.fields.fields;
        const int slot = findSlotByCode(block, fields[0]);
        if (slot < 0) {
            reportSkipped(unknownEmployeeMessage(fields[0]));
            ++result.refused;
            continue;
        }
        // Every value is read and checked first, so a refused line leaves the record untouched.
        RowValues values;
        const std::string refusal = readRow(row, monthDays, values);
        if (!refusal.empty()) {
            reportSkipped(refusal);
            ++result.refused;
            continue;
        }
        AttendanceRecord record = block.attendance[slot];
        for (std::size_t f = 0; f < kItemOfField.size(); ++f) {
            record.*AttendanceRecord::kItems[kItemOfField[f]] = values.items[f];
        }
        std::optional<double> balance = values.balance;
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
        store(slot, record);
        filled[static_cast<std::size_t>(slot)] = true;
    }
    result.imported = static_cast<int>(std::count(filled.begin(), filled.end(), true));
    result.message = attendanceImportedMessage(result.imported);
    return result;
}

}  // namespace

AttendanceImportResult importAttendance(PayrollPeriod& period,
                                        const std::vector<AttendanceCsvRow>& rows,
                                        const PreviousBalance& previousBalance,
                                        const ReportSkippedLine& reportSkipped, int monthDays) {
    return applyRows(period.block(), rows, previousBalance, reportSkipped, monthDays,
                     [&period](int index, const AttendanceRecord& record) {
                         const EmployeeId employee = period.idAt(index + 1);
                         EmployeeRows employeeRows = period.rows(employee);
                         employeeRows.attendance = record;
                         period.setRows(employee, employeeRows);
                     });
}

AttendanceImportResult importAttendance(PeriodBlock& block,
                                        const std::vector<AttendanceCsvRow>& rows,
                                        const PreviousBalance& previousBalance,
                                        const ReportSkippedLine& reportSkipped, int monthDays) {
    return applyRows(
        block, rows, previousBalance, reportSkipped, monthDays,
        [&block](int index, const AttendanceRecord& record) { block.attendance[index] = record; });
}

}  // namespace keiro
