#pragma once
// The rows of the main window's pay grid: one row per layout position whose item is entered per
// period ("V…") on the pay slip of at least one pay form, with what the row needs to show, check
// and store its cells.

#include <array>
#include <string>
#include <vector>

#include "core/entry.h"
#include "core/layouts.h"
#include "core/records.h"

namespace keiro::calc {

// Where the values of a row live in the records of an employee.
struct CellSource {
    enum class Kind { None, Attendance, Payment, Deduction };
    Kind kind = Kind::None;
    // AttendanceRecord::item, PaymentRecord::amount or DeductionRecord::amount number (from 1)
    int number = 0;

    bool operator==(const CellSource&) const = default;
};

// How an entry in a row is checked and shown once the user leaves the cell.
enum class EntryRule {
    Amount,  // format code 90, formatAmount(7, …)
    Days,  // format code 52 (出勤日数, 有休日数, 欠勤日数, 休日出勤日数, 特別休暇日数), "%6.2f"
    Hours,  // format code 62, formatHours (実働時間 … 休日深夜残業, 遅刻早退時間)
    Quantity,  // format code 62, "%6.2f" (遅刻早退回数, 有休残日数, anything unknown)
};

struct GridRow {
    Band band = Band::Attendance;
    int position = 0;   // row of the band in the layout, from 0
    std::string label;  // display name of the item, without its kind letter
    bool attendance = false;
    // The label names an hours item ("時間" or "残業"): shown with formatHours, takes ":".
    bool hoursLabel = false;
    std::array<bool, kPayFormCount> editable{};  // index payForm − 1
    CellSource source;
    EntryRule rule = EntryRule::Quantity;

    // False for a pay form outside 1..3 (a damaged employee record).
    bool editableFor(int payForm) const {
        return payForm >= 1 && payForm <= kPayFormCount && editable[payForm - 1];
    }
};

inline constexpr int kMaxGridItemRows = 52;

// The description of the item with layout code `code` at a position of a band: its label (the
// display name without the kind letter), whether it names hours, where its value lives (every
// item the records hold: attendance, payments with 課税支給合計, deductions with 社会保険料計 and
// 社保控除後計, その他) and how an entry is checked.  Editable for no pay form.
GridRow describeLayoutItem(const ItemNames& names, LayoutKind kind, Band band, int position,
                           std::string_view code);

// The format code of the boxes of a rule: 90 amounts, 52 day counts, 62 the other attendance.
int formatCodeOf(EntryRule rule);

// For each layout position in turn (16 attendance, 18 pay, 18 deduction, 3 other) a row when the
// item at that position is used and variable on the pay slip of at least one pay form; labelled
// after the last of 月給, 日給, 時間給 that has it.  At most kMaxGridItemRows rows.
std::vector<GridRow> buildGridRows(const PrintTables& tables, const ItemNames& names);

// The stored value of a row for one employee (0 when the row stores nowhere).
double storedValue(const GridRow& row, const PeriodBlock& block, int slot);

// What a cell shows: attendance rows "%6.2f", or formatHours when the label names hours;
// amounts with thousands separators in 7 characters; "" for a row that stores nowhere.
std::string cellText(const GridRow& row, double value, TimeStyle style);

// The check made on leaving a cell: the text as it is to stay, or an empty text and the message.
EntryCheck checkCellEntry(const GridRow& row, std::string_view text, TimeStyle style);

}  // namespace keiro::calc
