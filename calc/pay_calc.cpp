#include "calc/pay_calc.h"

#include <optional>
#include <stdexcept>

#include "calc/insurance_ages.h"
#include "calc/pay_records.h"
#include "calc/payroll_tables.h"
#include "core/entry.h"
#include "core/item_values.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

constexpr int kPayOther1 = pay_item::kOther1;

int requireSlot(int slot) {
    if (slot < 1 || slot > kMaxEmployees) {
        throw std::out_of_range("slot " + std::to_string(slot) + " is not 1..100");
    }
    return slot - 1;
}

void requirePeriodKind(const YearData& year, bool bonus) {
    if (year.period() < 1 || year.period() > kPeriodCount ||
        isBonusPeriod(year.period()) != bonus) {
        throw std::logic_error(bonus ? "the open period is not a bonus"
                                     : "the open period is not a salary month");
    }
}

// A free slot loses everything; an employee who is not 在職 keeps attendance only.  Returns
// whether the slot is to be calculated.
bool clearUnpaidSlot(PeriodBlock& block, int index) {
    const EmployeeRecord& e = block.employees[index];
    if (e.isUsed() && isActiveEmployee(e)) return true;
    if (!e.isUsed()) block.attendance[index] = AttendanceRecord{};
    block.payments[index] = PaymentRecord{};
    block.deductions[index] = DeductionRecord{};
    return false;
}

// The index of the slot when it is to be calculated; nullopt when the year is no longer
// calculated or the slot was cleared (free, or the employee not 在職).
std::optional<int> slotToCalculate(YearData& year, int slot, const CalcContext& ctx, bool bonus) {
    const int index = requireSlot(slot);
    requirePeriodKind(year, bonus);
    if (isFrozenYear(year, ctx.currentCalendarYear)) return std::nullopt;
    if (!clearUnpaidSlot(year.block(), index)) return std::nullopt;
    return index;
}

void computeSlotMonth(PeriodBlock& block, int index, const FormItems& on, const Law& law) {
    PaymentRecord& p = block.payments[index];
    DeductionRecord& d = block.deductions[index];
    PayInput input = payInputOf(block.employees[index], block.attendance[index], p, d, on);
    applyInsuranceAges(input, block.employees[index], law.premiumYearMonth);
    storePayResult(computeMonth(input, law), p, d);
}

// Returns false when the income tax was worked by the monthly-table method.
bool computeSlotBonus(PeriodBlock& block, int index, const PeriodInputs& inputs,
                      const FormItems& on, const Law& law) {
    const EmployeeRecord& e = block.employees[index];
    PaymentRecord& p = block.payments[index];
    DeductionRecord& d = block.deductions[index];
    PayInput input = payInputOf(e, block.attendance[index], p, d, on);
    applyInsuranceAges(input, e, law.premiumYearMonth);
    const PayResult result = computeBonus(input, bonusInputsOf(inputs, e, p), law);
    storePayResult(result, p, d);
    return !result.byMonthlyTable;
}

}  // namespace

CalcContext contextFor(const Settings& settings, const ActiveItems& active, PayrollTables& tables,
                       const YearData& year, int currentCalendarYear) {
    return CalcContext{settings, active, tables.taxFor(year).tables, currentCalendarYear};
}

// A bonus is charged without the levy when it is paid before the levy's first premium month
// (or has no pay month).
Law periodLaw(const YearData& year, const CalcContext& ctx) {
    const bool bonus = isBonusPeriod(year.period());
    Law law = lawOf(ctx.settings, ctx.tax, year.block().settings, bonus, year.period() == 6);
    if (bonus && !SupportLevyDueInPeriod(year)) law.rates.support = Rate::fromPercent(0);
    if (const std::optional<CalendarMonth> month = premiumMonthOf(year)) {
        law.premiumYearMonth = month->year * 100 + month->month;
    }
    return law;
}

bool isFrozenYear(const YearData& year, int currentCalendarYear) {
    const FileYear open{year.eraName() != year.eraNames().earlier, year.eraYear()};
    return isUncalculatedEraYear(currentCalendarYear, open);
}

FormItems formItems(const ActiveItems& active, int payForm, bool bonus) {
    FormItems items;
    if (payForm < 1 || payForm > kPayFormCount) return items;
    const auto on = [&](Band band, const ItemId& item) {
        return active.isActive(payForm, band, item);
    };
    for (std::size_t j = 0; j < items.pay.size(); ++j) {
        items.pay[j] = on(Band::Pay, ItemId::payment(static_cast<int>(j) + 1));
    }
    // Payment items 1 and 2 are 基本給 and 役職手当 on a salary slip, 賞与 and 役員報酬 on a
    // bonus slip: a layout of the other kind holds neither.
    if (bonus != (active.kind() == LayoutKind::Bonus)) {
        items.pay[pay_item::kBasePay - 1] = items.pay[pay_item::kPosition - 1] = false;
    }
    for (std::size_t j = 0; j < items.deduction.size(); ++j) {
        items.deduction[j] = on(Band::Deduction, ItemId::deduction(static_cast<int>(j) + 1));
    }
    for (std::size_t j = 0; j < items.other.size(); ++j) {
        items.other[j] = on(Band::Other, ItemId::payment(kPayOther1 + static_cast<int>(j)));
    }
    items.support = on(Band::Deduction, ItemId::deduction(deduction_item::kSupport));
    items.settlement = on(Band::Deduction, ItemId::deduction(deduction_item::kSettlement));
    return items;
}

FormItemTable::FormItemTable(const ActiveItems& active, bool bonus) {
    for (int form = 1; form <= kPayFormCount; ++form) {
        forms_[form - 1] = formItems(active, form, bonus);
    }
}

const FormItems& FormItemTable::of(int payForm) const {
    return payForm >= 1 && payForm <= kPayFormCount ? forms_[payForm - 1] : none_;
}

void ComputeMonth(YearData& year, int slot, const CalcContext& ctx) {
    const int index = requireSlot(slot);
    ComputeMonth(year, slot, ctx,
                 formItems(ctx.active, year.block().employees[index].payForm, false));
}

void ComputeMonth(YearData& year, int slot, const CalcContext& ctx, const FormItems& on) {
    if (const std::optional<int> index = slotToCalculate(year, slot, ctx, false)) {
        computeSlotMonth(year.block(), *index, on, periodLaw(year, ctx));
    }
}

void ComputeMonth(YearData& year, int slot, const CalcContext& ctx, const FormItems& on,
                  const Law& law) {
    if (const std::optional<int> index = slotToCalculate(year, slot, ctx, false)) {
        computeSlotMonth(year.block(), *index, on, law);
    }
}

bool ComputeBonus(YearData& year, int slot, const CalcContext& ctx, const PeriodInputs& inputs) {
    const int index = requireSlot(slot);
    return ComputeBonus(year, slot, ctx, inputs,
                        formItems(ctx.active, year.block().employees[index].payForm, true));
}

bool ComputeBonus(YearData& year, int slot, const CalcContext& ctx, const PeriodInputs& inputs,
                  const FormItems& on) {
    const std::optional<int> index = slotToCalculate(year, slot, ctx, true);
    return !index || computeSlotBonus(year.block(), *index, inputs, on, periodLaw(year, ctx));
}

bool ComputeBonus(YearData& year, int slot, const CalcContext& ctx, const PeriodInputs& inputs,
                  const FormItems& on, const Law& law) {
    const std::optional<int> index = slotToCalculate(year, slot, ctx, true);
    return !index || computeSlotBonus(year.block(), *index, inputs, on, law);
}

bool computeCheckedSlot(PeriodBlock& block, int index, bool bonus, const PeriodInputs& inputs,
                        const FormItems& on, const Law& law) {
    if (!clearUnpaidSlot(block, index)) return true;
    if (!bonus) {
        computeSlotMonth(block, index, on, law);
        return true;
    }
    return computeSlotBonus(block, index, inputs, on, law);
}

std::int64_t netPay(const PaymentRecord& payment, const DeductionRecord& deduction,
                    const std::array<bool, 3>& activeOthers) {
    std::int64_t net = std::int64_t{payment.payTotal} - deduction.deductionTotal;
    for (int i = 0; i < 3; ++i) {
        if (activeOthers[i]) net += payment.amount(kPayOther1 + i);
    }
    return net;
}

}  // namespace keiro::calc
