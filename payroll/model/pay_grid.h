#pragma once
// The main window's pay grid as data: one column per employee at work, one row per item entered
// per period, the cell texts, which cells may be edited, what a typed key or a finished entry
// does, and the columns the recalculation collects.  The window only displays it and passes the
// user's actions on.
//
// A cell shows its value formatted, but the value itself is kept beside the text: the value
// stored in the period for a cell nobody typed into (so values imported or typed in the
// individual entry window keep every digit), the value the entry was read as for a cell that
// was typed into and checked (1:20 stays 4/3 hours where decimal hours show 1.33).
//
// The grid edits the period through its document (core/payroll_period.h): every entry goes into
// the employee's records as the recalculation collects it (calc::storeGridValue), so the
// document knows at once that something changed; a change made elsewhere (the individual entry
// window) is shown in the grid when the document tells of it.
//
// Column 0 holds the row labels, row 0 the employees' names.  Columns 1..n are the employees
// who are 在職, in slot order; the grid always has 101 columns, and a column without an
// employee stands for no slot (kNoSlot).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/period_calc.h"
#include "core/entry.h"
#include "core/layouts.h"
#include "core/product.h"
#include "payroll/model/grid_rows.h"

namespace keiro {
class YearData;
}

namespace keiro::payroll {

inline constexpr int kGridColumnCount = kMaxEmployees + 1;
inline constexpr int kNoSlot = kMaxEmployees + 1;

// How a cell is painted: the caption row and column, a cell the user may type into, and a cell
// that is not for its employee (or has none), painted in the disabled colour without its text.
enum class GridCellKind { Header, Editable, Disabled };

class PayGrid {
  public:
    PayGrid() = default;
    PayGrid(const PayGrid&) = delete;  // subscribed to its document by address
    PayGrid& operator=(const PayGrid&) = delete;

    // Rebuilds rows, columns and texts from the open period, whose document it edits from then
    // on.  `tables` are the pay slip layouts of the period's kind (salary for months, bonus for
    // bonuses) and `active` the items on them as the recalculation sees them (whose rules the
    // entries are stored by); `style` decides how hours are shown.  `year` and `active` must
    // outlive the grid or its next build.  The 年調過不足 row is left out of months 2..11 unless
    // an employee of the period has a settlement.
    void build(YearData& year, const PrintTables& tables, const ActiveItems& active,
               const ItemNames& names, TimeStyle style);

    // Called with grid cell (row, col) after the document changed it from elsewhere.
    void onCellChanged(std::function<void(int row, int col)> changed) {
        cellChanged_ = std::move(changed);
    }

    int rowCount() const { return static_cast<int>(rows_.size()) + 1; }  // with row 0
    int columnCount() const { return kGridColumnCount; }
    int employeeCount() const { return static_cast<int>(slots_.size()); }

    // "" outside the grid.
    const std::string& text(int row, int col) const;
    // Slot 1..100 of the column's employee, kNoSlot for column 0 and columns without one.
    int slotOf(int col) const;
    // The column's employee; the empty id for column 0 and columns without one.
    EmployeeId employeeOf(int col) const;
    bool isEditable(int row, int col) const;
    bool isAttendanceRow(int row) const;
    // An attendance row whose label names hours: shown with formatHours and takes ":".
    bool isHoursRow(int row) const;
    GridCellKind cellKind(int row, int col) const;
    // The description of item row 1..rowCount()−1; nullptr for row 0 and outside.
    const GridRow* rowInfo(int row) const;
    // The row that shows attendance item `item` (AttendanceRecord::item number); 0 when none.
    int attendanceRow(int item) const;

    // --- editing ------------------------------------------------------------------------------

    // Puts what the user typed into an editable cell; false (nothing changed) for any other.
    // Until commitCell the cell stands for its text as it reads (and the document holds that).
    bool setText(int row, int col, std::string text);

    // Leaving a cell whose text changed: checks it (format code 52 for the day counts, 62 for
    // other attendance, 90 for amounts) and shows it in the row's format.  Returns the message
    // to show, with the cell emptied, or "" when the entry is fine.  Nothing happens for a cell
    // that cannot be edited.  A cell not typed into since it was built or last checked keeps
    // its text and its exact value.
    std::string commitCell(int row, int col);

    // Leaving a cell in the 有休日数 row: the employee's paid-leave balance of the previous
    // period (read when the period was opened) less the days entered goes "%6.2f" into the
    // 有休残日数 row of the column.  Nothing when there is no such row, the column has no
    // employee, no period is open or the previous period holds no balance for the employee.
    // Returns whether the balance was written.  IoError when the previous period's file could
    // not be read.
    bool leaveCell(int row, int col);

    // Where Enter moves: the next row below that is editable in this column, wrapping from the
    // last row to row 1; `row` itself when there is none.
    int nextEditableRow(int row, int col) const;

    // What a key typed in a row does: Enter moves on (swallowed), Backspace and Tab pass; hours
    // rows take "-", ".", ":" and digits, other attendance rows "-", "." and digits, amount
    // rows "-" and digits; anything else is refused (beep, swallowed).
    KeyVerdict keyVerdict(int row, char32_t typed) const;

    // --- recalculation -------------------------------------------------------------------------

    // The employees' columns 1..n, each with its employee and every row's item and value (an
    // unchecked entry read from its text), for calc::RecalculatePeriod.
    std::vector<calc::GridColumn> columns() const;

  private:
    bool isItemCell(int row, int col) const;
    std::string& cell(int row, int col) { return texts_[index(row, col)]; }
    // What the cell stands for: its kept value, or its text read as a number while it holds an
    // unchecked entry.
    double cellValue(int row, int col) const;
    // Stores the cell's value through the document, as the recalculation collects it.
    void store(int row, int col, double value);
    // The document changed an item of an employee: the cells that show it again.
    void showChange(const PeriodChange& change);
    static std::size_t index(int row, int col) {
        return static_cast<std::size_t>(row) * kGridColumnCount + static_cast<std::size_t>(col);
    }

    std::vector<GridRow> rows_;
    std::vector<int> slots_;             // column c (1..n) shows slot slots_[c − 1]
    std::vector<int> payForms_;          // the employee's pay form, per column like slots_
    std::vector<EmployeeId> employees_;  // per column like slots_
    std::vector<std::string> texts_;     // rowCount() × kGridColumnCount, row by row
    std::vector<double> values_;         // the value of each cell, indexed like texts_
    std::vector<bool> typed_;            // typed into and not yet checked: the text is the value
    TimeStyle style_ = TimeStyle::Sexagesimal;
    PayrollPeriod* period_ = nullptr;  // the document the grid edits; null before a build
    bool bonus_ = false;
    const ActiveItems* active_ = nullptr;
    // Who gets what, as the recalculation collects: made at the first entry, not at every build.
    std::optional<calc::FormItemTable> forms_;
    PayrollPeriod::Subscription subscription_;
    bool storing_ = false;  // the grid's own change: no need to show it again
    std::function<void(int, int)> cellChanged_;
};

// The period as the caption names it: era name and year, then "4月分給与", "・夏期賞与",
// "・冬期賞与" or "・" with the extra bonus's caption.  A bonus goes by its pay month, so the
// earlier era's 31 paid after April shows as year 1 of the new era.  "" when no period is open.
std::string periodText(const YearData& year, const ItemNames& names);

// The main window's caption: "%s 【%s %s】" of the application title, the period's company name
// and periodText.
std::string periodTitle(const YearData& year, const ItemNames& names,
                        std::string_view applicationTitle = kApplicationTitle);

}  // namespace keiro::payroll
