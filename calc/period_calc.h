#pragma once
// Recalculation of the whole open period: each employee's column of the main window's grid is
// collected into the period's records, then the pay is computed (calc/pay_calc.h).  For a
// bonus the recalculation also names the employees whose income tax could not be taken from
// the rate table and was worked by the monthly-table method; the window tells the user (text
// in calc/bonus_tax.h).

#include <span>
#include <string>
#include <vector>

#include "calc/pay_calc.h"
#include "core/payroll_period.h"

namespace keiro {
class YearData;
}

namespace keiro::calc {

// One cell of an employee's grid column: the item of its row and the value it stands for
// exactly (not the rounded picture the grid shows: 1:20 is 4/3 hours).
struct GridCell {
    ItemId item;
    double value = 0.0;
};

// What the grid holds for one employee.
struct GridColumn {
    EmployeeId employee;
    std::vector<GridCell> cells;
};

// Where the value of a grid cell of `item` goes in an employee's records, with the collecting
// rules: attendance only in months, except 所定労働日数 and 所定労働時間 (they come from the
// period settings); 変動手当 and 変動控除 only when on the employee's pay slip layout; その他
// (when on the layout) into the payment and the deduction record; 賞与 and 役員報酬 only in
// bonuses; 年調過不足 when on the layout.  Nothing for any other item.
std::vector<ItemId> collectedItems(const ItemId& item, bool bonus, const FormItems& on);

// Stores one grid cell's value for the employee as the recalculation would collect it
// (collectedItems; amounts in whole yen), through the document.  Returns whether anything
// changed.
bool storeGridValue(PayrollPeriod& period, const EmployeeId& employee, const ItemId& item,
                    double value, bool bonus, const FormItems& on);

// Salary month: collects the column into slot 1..100 of the open period, then ComputeMonth.
// A free slot loses its three records, an employee who is not 在職 the payment and deduction
// records.  Otherwise 所定労働日数 and 所定労働時間 come from the period settings, 変動手当,
// 変動控除 and その他 start at 0, and each cell is stored as collectedItems says.
// Bonus: likewise without attendance; 賞与 and 役員報酬 start at 0 and their rows always set
// them.  Returns ComputeBonus's result (false: the tax was worked by the monthly-table method).
bool CalculateBonus(YearData& year, int slot, const GridColumn& column, const CalcContext& ctx,
                    const PeriodInputs& inputs);

// Recalculates slots 1..100 of the open period: tables' file presence refreshed once, the
// bonus inputs from other periods loaded once.  `columns` are the grid's columns of the 在職
// employees, each matched to its employee by EmployeeId, wherever it stands in the list;
// nullptr recomputes from the records as stored, without collecting.  A 在職 employee without a
// column is computed from the records.  Returns, for a bonus, the in-use slots whose income tax was
// worked by the monthly-table method (ascending); empty for a month.  std::logic_error when no
// period is open; IoError when a file the bonus reads cannot be read.
std::vector<int> RecalculatePeriod(YearData& year, const CalcContext& ctx,
                                   const std::vector<GridColumn>* columns);

// The notice naming the employees of these slots whose bonus tax was worked by the
// monthly-table method (calc/bonus_tax.h); empty when there are none.
std::string monthlyTableNotice(const YearData& year, std::span<const int> slots);

}  // namespace keiro::calc
