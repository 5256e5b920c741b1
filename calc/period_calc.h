#pragma once
// Recalculation of the whole open period: each employee's column of the main window's grid is
// collected into the period's records, then the pay is computed (calc/pay_calc.h).  For a
// bonus the recalculation also names the employees whose income tax could not be taken from
// the rate table and was worked by the monthly-table method; the window tells the user (text
// in calc/bonus_tax.h).

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calc/pay_calc.h"

namespace keiro {
class YearData;
}

namespace keiro::calc {

// One cell of an employee's grid column: the row's caption (the item's current display name,
// as the grid shows it: "出勤日数", the user's name of 変動手当１, "賞与") and the cell's text
// (a number, h:mm, or an amount with thousands separators).  `value`, when present, is what the
// cell stands for exactly and is taken instead of reading the text: the text is only a rounded
// picture of it (1:20 shown as 1.33, 7.3333 hours as 7:20).
struct GridCell {
    std::string caption;
    std::string text;
    std::optional<double> value = std::nullopt;
};

// What the grid holds for one employee.
struct GridColumn {
    std::vector<GridCell> cells;
};

// Salary month: collects the column into slot 1..100 of the open period, then ComputeMonth.
// A free slot loses its three records, an employee who is not 在職 the payment and deduction
// records.  Otherwise 所定労働日数 and 所定労働時間 come from the period settings; rows named
// like an attendance item (出勤日数 .. 有休残日数, by current display name) set it; 変動手当,
// 変動控除 and その他 start at 0 and rows of those that are on the employee's pay slip layout set
// them to the whole yen of the cell (その他 into both records).  A cell is its value when it has
// one, else its text read as a number; a text that is not a number counts as 0.
void CalculateMonth(YearData& year, int slot, const GridColumn& column, const CalcContext& ctx);

// Bonus: likewise without attendance; 賞与 and 役員報酬 start at 0 and their rows always set
// them.  Returns ComputeBonus's result (false: the tax was worked by the monthly-table method).
bool CalculateBonus(YearData& year, int slot, const GridColumn& column, const CalcContext& ctx,
                    const PeriodInputs& inputs);

// Recalculates slots 1..100 of the open period: tables' file presence refreshed once, the
// bonus inputs from other periods loaded once.  `columns` are the grid's columns of the 在職
// employees in slot order (column n for the n-th 在職 slot); nullptr recomputes from the
// records as stored, without collecting.  A 在職 employee without a column is computed from
// the records.  Returns, for a bonus, the in-use slots whose income tax was worked by the
// monthly-table method (ascending); empty for a month.  std::logic_error when no period is open;
// IoError when a file the bonus reads cannot be read.
std::vector<int> RecalculatePeriod(YearData& year, const CalcContext& ctx,
                                   const std::vector<GridColumn>* columns);

// The notice naming the employees of these slots whose bonus tax was worked by the
// monthly-table method (calc/bonus_tax.h); empty when there are none.
std::string monthlyTableNotice(const YearData& year, std::span<const int> slots);

// The recalculation for YearData::isPeriodModified.  The context (and the columns, when given)
// must outlive the returned function.
std::function<void(YearData&)> periodRecalculation(
    const CalcContext& ctx, const std::vector<GridColumn>* columns = nullptr);

}  // namespace keiro::calc
