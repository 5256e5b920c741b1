#pragma once
// One employee's whole record for the open period as the individual entry window shows it: the
// rows of the four bands (16 attendance, 18 payment, 18 deduction, 3 other) in the order of the
// pay slip layouts of the period's kind, what each row shows and whether it may be typed into,
// the totals, the remarks, and the recalculation of the employee after each entry.
//
// A row's item is the same for every pay form (the layouts order the rows once for all three);
// whether it is shown depends on the employee's pay form.  Kinds of row:
//  - variable items ("V…"): typed by the user;
//  - automatic items ("F…"): computed, read-only, unless switched to hand entry through their
//    manual flag in the payment or deduction record, which makes them typed and kept as typed;
//  - totals (課税支給合計, 社会保険料計, 社保控除後計): computed, never typed.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/pay_calc.h"
#include "core/entry.h"
#include "core/item_values.h"
#include "core/layouts.h"
#include "core/payroll_period.h"
#include "core/records.h"

namespace keiro {
class YearData;
}

namespace keiro::payroll {

enum class SheetRowKind { Blank, Variable, Automatic, Total };

// What a row's box is for the employee shown.
enum class BoxState {
    Hidden,       // no item at this position for the employee's pay form
    Editable,     // a variable item
    ReadOnly,     // an automatic item or a total
    HandEntered,  // an automatic item switched to hand entry: typed, shown in red
};

struct SheetRow {
    LayoutItem item;  // label, where the value is stored, how an entry is checked
    SheetRowKind kind = SheetRowKind::Blank;
    // The number of the item's hand-entry flag in its payment or deduction record (the flag of
    // the amount it stores); 0 for items that have none.
    int manualFlag = 0;
    std::array<bool, kPayFormCount> used{};  // on the pay slip of pay form 1..3

    // Only automatic items can be switched to hand entry (variable items are typed anyway).
    bool switchable() const { return kind == SheetRowKind::Automatic && manualFlag > 0; }
    // The box's format code and whether it takes hours.
    int formatCode() const { return formatCodeOf(item.format); }
};

// The four totals under the bands.
// What the clerk marks on a pay for the yearly social-insurance forms (kept in the pay record).
struct PayFacts {
    std::int32_t backPay = 0;   // 遡及支払額 in this pay for earlier months
    int backPayFirstMonth = 0;  // yyyymm of the months it belongs to; 0 none
    int backPayLastMonth = 0;
    std::uint8_t leaveKind = 0;  // 0 none, 1 休職, 2 産休・育休 with the premiums exempt
    std::int32_t leavePay = 0;   // 休職給
    std::int32_t revisionAdjustedAverage = 0;  // 修正平均額 of a revision from this pay

    friend bool operator==(const PayFacts&, const PayFacts&) = default;
};

// Why `facts` cannot be stored for a pay of month `payYearMonth` (yyyymm); empty when they can.
std::string payFactsProblem(const PayFacts& facts, int payYearMonth, bool bonus);

struct SheetTotals {
    std::int64_t pay = 0;        // 支給合計
    std::int64_t deduction = 0;  // 控除合計
    std::int64_t other = 0;      // その他合計: the その他 items on the employee's layout
    std::int64_t net = 0;  // 差引支給額 = 支給合計 − 控除合計 + その他合計
};

inline constexpr std::string_view kSheetCaption = "詳細入力画面";

// The remarks (備考) hold at most five lines within the record's field; the file separates
// lines with CR LF, the window with LF.
inline constexpr int kMemoMaxLines = 5;
inline constexpr std::size_t kMemoMaxBytes = decltype(EmployeeRecord::remarks)::kCapacity;

// Whether `utf8` (lines separated by LF) may be the remarks: at most five lines (so no line break
// after the fifth), every character with a code page 932 form (or U+FFFD, what damaged bytes of
// the record read as), and within the field's bytes with each line break counted as CR LF.
bool memoFits(std::string_view utf8);
// The remarks of a record as the window shows them (LF between lines).
std::string memoText(const EmployeeRecord& employee);
// Stores remarks that fit (memoFits); a text that does not fit is cut to five lines and to the
// field, characters without a code page 932 form dropped.
void storeMemo(EmployeeRecord& employee, std::string_view utf8);

class EmployeeSheet {
  public:
    // For the open period of `year` with the pay slip layouts of its kind.  The bonus's inputs
    // from other periods are read here, once (IoError when a file cannot be read).  The
    // references must outlive the sheet.
    EmployeeSheet(YearData& year, const PrintTables& tables, const calc::CalcContext& ctx);
    // The same with inputs already at hand (empty ones after a file could not be read: the tax
    // of every bonus then needs hand entry).
    EmployeeSheet(YearData& year, const PrintTables& tables, const calc::CalcContext& ctx,
                  calc::PeriodInputs inputs);

    bool isBonus() const { return bonus_; }

    EmployeeSheet(const EmployeeSheet&) = delete;  // subscribed to the document by address
    EmployeeSheet& operator=(const EmployeeSheet&) = delete;

    // Called when the document tells of a change to the employee shown that the sheet did not
    // make itself (the window then shows the employee again).
    void onChangedElsewhere(std::function<void()> changed) {
        changedElsewhere_ = std::move(changed);
    }

    // Shows slot 1..100 (std::out_of_range for another).
    void show(int slot);
    int slot() const { return slot_; }
    int payForm() const;
    const EmployeeRecord& employee() const;
    // "詳細入力画面 【name】".
    std::string title() const;

    const SheetRow& row(Band band, int position) const;
    int rowCount(Band band) const;
    // The row's caption: the item's display name, the base pay row named by pay form (基本給,
    // 日給計, 時給計) in a salary month.
    std::string caption(Band band, int position) const;
    BoxState state(Band band, int position) const;
    // The value from the records: hours items as formatHours, other attendance "%.2f", amounts
    // with thousands separators; no padding.  "" for a hidden row.
    std::string text(Band band, int position) const;

    // The check made when the user leaves a box: the text as it is to stay (same format as
    // text()), or an empty text and the message.
    EntryCheck check(Band band, int position, std::string_view typed) const;
    // Stores the text of a box that may be typed into, through the period's document, when it
    // differs from text(); returns whether it was stored.  A text that is not a number stores 0.
    bool enter(Band band, int position, std::string_view typed);

    // Whether the row holds 有休日数.
    bool isPaidLeaveDays(Band band, int position) const;
    // 有休残日数 = the employee's balance of the period before (read when the period was
    // opened), less 有休日数.  False (nothing changed) when that balance is not known.  IoError
    // when the previous period's file could not be read.
    bool carryPaidLeave();

    // ComputeMonth or ComputeBonus of the employee; false when the bonus's income tax could not
    // be taken from the rate table and was worked by the monthly-table method.
    bool recalculate();
    // The notice naming this employee for that case.
    std::string monthlyTableNotice() const;

    // Switches a row's item to hand entry or back; false (nothing changed) for a row that
    // cannot be switched.
    bool toggleManual(Band band, int position);

    SheetTotals totals() const;

    // 支払基礎日数 of a salary month: the employee's attendance record (whether the clerk
    // corrected the days, and to what) and the days the month's pay gives without a correction.
    const AttendanceRecord& attendance() const;
    int uncorrectedPayBasisDays() const;
    // Corrects the days (nullopt: takes the correction back); false when nothing changed.
    bool setPayBasisDays(std::optional<int> days);

    // The facts marked on this pay, the month it is paid in (yyyymm), and storing them (false
    // when nothing changed; std::invalid_argument with payFactsProblem's text when refused).
    PayFacts payFacts() const;
    int payYearMonth() const;
    bool setPayFacts(const PayFacts& facts);

    std::string memo() const { return memoText(employee()); }
    // Stores the remarks when they differ from memo() (remarks left alone keep their bytes).
    void setMemo(std::string_view utf8);

    // The previous (direction −1) or next (+1) slot of an employee who is 在職; 0 when none.
    int neighbour(int direction) const;

  private:
    const PaymentRecord& payment() const;
    const DeductionRecord& deduction() const;
    bool isManual(const SheetRow& row) const;
    EmployeeId employeeId() const;
    void store(const ItemId& item, double value);
    void showChange(const PeriodChange& change);

    YearData& year_;
    const calc::CalcContext& ctx_;
    calc::PeriodInputs inputs_;
    bool bonus_ = false;
    std::array<std::vector<SheetRow>, kBandCount> rows_;
    int slot_ = 1;
    calc::FormItems items_;  // of the employee's pay form
    PayrollPeriod::Subscription subscription_;
    bool storing_ = false;  // the sheet's own change
    std::function<void()> changedElsewhere_;
};

}  // namespace keiro::payroll
