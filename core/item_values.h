#pragma once
// The items of a layout as every window and report sees them: given an item code of a pay slip
// layout, its display name, where its value is stored in a period block (an attendance item, a
// payment amount or a deduction amount), the stored value for an employee's slot, and the text
// of that value in the item's format.
//
// Layouts may store the user's name of a renamed item instead of its standard code, so an item
// is found by its code first and otherwise by its display name among the items of the same kind
// letter.  A position of an attendance band always shows its value as a quantity (hours or
// days), any other band as whole yen.

#include <string>
#include <string_view>

#include "core/entry.h"
#include "core/layouts.h"
#include "core/records.h"

namespace keiro {

// An item by where its value lives in the records of an employee: the identity of an item,
// whatever the user calls it.  Two items given the same display name are still two items.
struct ItemId {
    enum class Kind { None, Attendance, Payment, Deduction };
    Kind kind = Kind::None;
    // AttendanceRecord::item, PaymentRecord::amount or DeductionRecord::amount number (from 1)
    int number = 0;

    static constexpr ItemId attendance(int number) { return {Kind::Attendance, number}; }
    static constexpr ItemId payment(int number) { return {Kind::Payment, number}; }
    static constexpr ItemId deduction(int number) { return {Kind::Deduction, number}; }

    bool isAmount() const { return kind == Kind::Payment || kind == Kind::Deduction; }
    bool operator==(const ItemId&) const = default;
};

// How an item's value is shown, and how an entry of it is checked.
enum class ItemFormat {
    Amount,  // format code 90, formatAmount(7, …)
    Days,  // format code 52 (出勤日数, 有休日数, 欠勤日数, 休日出勤日数, 特別休暇日数), "%6.2f"
    Hours,  // format code 62, formatHours (実働時間 … 休日深夜残業, 遅刻早退時間)
    Quantity,  // format code 62, "%6.2f" (遅刻早退回数, 有休残日数, anything unknown)
};

// The item at one position of a band of a layout.
struct LayoutItem {
    Band band = Band::Attendance;
    int position = 0;         // row of the band in the layout, from 0
    std::string label;        // display name of the item, without its kind letter
    bool attendance = false;  // in the attendance band: the value is a quantity, not yen
    // The label names an hours item ("時間" or "残業"): shown with formatHours, takes ":".
    bool hoursLabel = false;
    ItemId source;
    ItemFormat format = ItemFormat::Quantity;
};

// Whether a layout code names an item entered per period (a kind letter other than "F").
bool isVariableCode(std::string_view code);

// The description of the item with layout code `code` at a position of a band: its label (the
// display name without the kind letter), whether it names hours, where its value lives (every
// item the records hold: attendance, payments with 課税支給合計, deductions with 社会保険料計 and
// 社保控除後計, その他; 賞与 and 役員報酬 in bonus layouts) and its format.  A blank row or a
// code that names no item stores nowhere.
LayoutItem describeLayoutItem(const ItemNames& names, LayoutKind kind, Band band, int position,
                              std::string_view code);

// The format of attendance item `number` (AttendanceRecord::item numbering, from 1).
ItemFormat attendanceItemFormat(int number);

// The format code of the boxes of a format: 90 amounts, 52 day counts, 62 the other attendance.
int formatCodeOf(ItemFormat format);

// The value stored at `source` for slot 1..100 of the block (0 when it stores nowhere).
double storedValue(const ItemId& source, const PeriodBlock& block, int slot);

// Stores `value` at `item` for slot 1..100: an attendance item as it is, an amount as the whole
// yen it must already be (the caller rounds; the record keeps 32 bits).  Returns whether the
// stored value changed; false for an item that stores nowhere.
bool storeValue(const ItemId& item, PeriodBlock& block, int slot, double value);

// The whole yen of the value stored at `source`: the record's amount as it is, or, for an
// attendance value among the amounts (a layout edited outside the program), its whole part
// within the range of the amounts.
long long storedYen(const ItemId& source, const PeriodBlock& block, int slot);

// The text of the item's stored value for slot 1..100: attendance items "%6.2f", or formatHours
// when the label names hours; amounts with thousands separators in 7 characters; "" for an item
// that stores nowhere.  Amounts are the records' whole yen; an attendance item that a layout
// puts among the amounts shows the whole part of its value.
std::string storedText(const LayoutItem& item, const PeriodBlock& block, int slot, TimeStyle style);

}  // namespace keiro
