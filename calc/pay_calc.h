#pragma once
// The pay calculation of one employee for a salary month or a bonus, run on the records of the
// open period (the calculation itself is calc/pay_engine.h, the records' mapping
// calc/pay_records.h): every payment item, 課税支給合計 and 支給合計, the social insurance items,
// 社会保険料計, 社保控除後計, 所得税, 住民税, the fixed and variable deductions and 控除合計.
//
// Rules that hold throughout:
//  - An amount item takes part only when it is on the pay slip layout of the employee's pay
//    form; an item that is not is set to 0 and counts in no total.
//  - An amount entered by hand (its manual flag) keeps its stored value but still counts.
//  - An employee who is not 在職 ends with empty payment and deduction records (attendance is
//    kept); a free slot ends with all three records empty.
//  - The two copies of その他１..３ (payment and deduction record) always end equal: the payment
//    copy is the one entered.
//  - 年調過不足 (the year-end adjustment settled in the period) is carried as stored, whatever
//    the layout says: it is owed to or by the employee, so it always counts in 控除合計 and moves
//    the net pay by exactly its amount (a refund is negative).  It takes no part in the premiums
//    or the income tax of the period.
//  - Sums are formed in 64 bits and stored clamped to the int32 range, so damaged master data
//    gives a capped amount, never a wrapped one.
//  - Data of the earlier era's years 16..24 is no longer calculated once the current year is
//    after 2012: the calculation then changes nothing.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "calc/pay_engine.h"
#include "calc/pay_history.h"
#include "calc/premiums.h"
#include "calc/tax_tables.h"
#include "core/layouts.h"
#include "core/records.h"
#include "core/settings.h"

namespace keiro {
class YearData;
}

namespace keiro::calc {

// What a calculation reads besides the period block.  `active` must be built from the layout
// of the open period's kind (salary layouts for months, bonus layouts for bonuses).  The
// references must outlive the context.
struct CalcContext {
    const Settings& settings;
    const ActiveItems& active;
    TaxTables& tax;
    int currentCalendarYear = 0;  // for the rule on the earlier era's years 16..24
};

struct PayrollTables;

// The one wiring of the context: the settings, the items of the layout of the open period's
// kind, and the tax tables of its pay date's year.  Used by the payroll program, keiro-tool
// and the sample company alike.
CalcContext contextFor(const Settings& settings, const ActiveItems& active, PayrollTables& tables,
                       const YearData& year, int currentCalendarYear);

// Whether the open year is one whose stored amounts are no longer recalculated.
bool isFrozenYear(const YearData& year, int currentCalendarYear);

// Which items of one pay form are on its pay slip layout (FormItems: calc/pay_engine.h), asked
// by the record item each entry of FormItems stands for.  `bonus` is the kind of the period
// calculated; `active` should be of the same kind (payment items 1 and 2 are off otherwise).
FormItems formItems(const ActiveItems& active, int payForm, bool bonus);

// The three pay forms' FormItems of one period kind; a pay form outside 1..3 (damaged data)
// has no items.
class FormItemTable {
  public:
    FormItemTable(const ActiveItems& active, bool bonus);
    const FormItems& of(int payForm) const;

  private:
    std::array<FormItems, kPayFormCount> forms_;
    FormItems none_;
};

// The law of the open period (its premium rates, the settings of its kind, the context's tax
// tables): the same for every employee, so a recalculation of the whole period builds it once
// and passes it to the overloads that take it.
Law periodLaw(const YearData& year, const CalcContext& ctx);

// Salary month (periods 1..12) of slot 1..100.  std::out_of_range for another slot,
// std::logic_error when the open period is not a salary month.
void ComputeMonth(YearData& year, int slot, const CalcContext& ctx);
void ComputeMonth(YearData& year, int slot, const CalcContext& ctx, const FormItems& items);
void ComputeMonth(YearData& year, int slot, const CalcContext& ctx, const FormItems& items,
                  const Law& law);

// Bonus (periods 13..15) of slot 1..100.  Returns false when the bonus income tax could not be
// taken from the rate table and was worked by the monthly-table method (calc/bonus_tax.h); true
// otherwise, also for a free slot, an employee who is not 在職 and an uncalculated year.
bool ComputeBonus(YearData& year, int slot, const CalcContext& ctx, const PeriodInputs& inputs);
bool ComputeBonus(YearData& year, int slot, const CalcContext& ctx, const PeriodInputs& inputs,
                  const FormItems& items);
bool ComputeBonus(YearData& year, int slot, const CalcContext& ctx, const PeriodInputs& inputs,
                  const FormItems& items, const Law& law);

// One slot (index 0..99) of a whole-period recalculation, which has checked once that the open
// period is of the kind `bonus` says and that its year is calculated, so the slot goes straight
// to the calculation: a free slot or an employee not 在職 is cleared as above.  Returns false
// when a bonus's income tax was worked by the monthly-table method.
bool computeCheckedSlot(PeriodBlock& block, int index, bool bonus, const PeriodInputs& inputs,
                        const FormItems& items, const Law& law);

// 差引支給額: 支給合計 − 控除合計 + the その他 items on the layout (`activeOthers`, from
// FormItems::other), from the payment copy.  Exact in 64 bits.
std::int64_t netPay(const PaymentRecord& payment, const DeductionRecord& deduction,
                    const std::array<bool, 3>& activeOthers);

}  // namespace keiro::calc
