#include "calc/period_calc.h"

#include <array>
#include <optional>
#include <stdexcept>

#include "calc/bonus_tax.h"
#include "calc/rounding.h"
#include "core/item_values.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

constexpr int kScheduledDaysItem = 1;  // 所定労働日数 and 所定労働時間 come from the period
constexpr int kScheduledHoursItem = 7;

// Item numbers in the records.
constexpr int kBonusItem = 1;
constexpr int kDirectorFeeItem = 2;
constexpr int kPayVariable1 = 13;
constexpr int kPayOther1 = 20;
constexpr int kDeductionVariable1 = 13;
constexpr int kDeductionOther1 = 18;
constexpr int kFreeItems = 3;

bool within(int number, int first) {
    return number >= first && number < first + kFreeItems;
}

// At most two places (その他 goes into both records), without allocating: the recalculation
// asks this for every cell of every column.
struct Targets {
    std::array<ItemId, 2> items{};
    int count = 0;

    void add(ItemId item) { items[static_cast<std::size_t>(count++)] = item; }
    const ItemId* begin() const { return items.data(); }
    const ItemId* end() const { return items.data() + count; }
};

Targets targetsOf(const ItemId& item, bool bonus, const FormItems& on) {
    Targets out;
    const int n = item.number;
    switch (item.kind) {
        case ItemId::Kind::Attendance:
            if (!bonus && n >= 1 && n <= 15 && n != kScheduledDaysItem &&
                n != kScheduledHoursItem) {
                out.add(item);
            }
            break;
        case ItemId::Kind::Payment:
            if (within(n, kPayVariable1)) {
                if (on.pay[n - 1]) out.add(item);
            } else if (within(n, kPayOther1)) {
                if (on.other[n - kPayOther1]) {
                    out.add(item);
                    out.add(ItemId::deduction(kDeductionOther1 + n - kPayOther1));
                }
            } else if (n == kBonusItem || n == kDirectorFeeItem) {
                if (bonus) out.add(item);
            }
            break;
        case ItemId::Kind::Deduction:
            if (within(n, kDeductionVariable1)) {
                if (on.deduction[n - 1]) out.add(item);
            } else if (n == DeductionRecord::kSettlementItem) {
                // Unlike the other variable items it is not emptied first: a grid without its
                // row (or an employee whose layout lacks it) leaves the stored settlement alone.
                if (on.settlement) out.add(item);
            }
            break;
        case ItemId::Kind::None:
            break;
    }
    return out;
}

// The value as the records keep it: attendance as it is, amounts in whole yen.
double storedForm(const ItemId& item, double value) {
    return item.isAmount() ? static_cast<double>(TruncYen(value)) : value;
}

void zeroVariableItems(PaymentRecord& p, DeductionRecord& d) {
    for (int k = 0; k < kFreeItems; ++k) {
        p.amount(kPayVariable1 + k) = 0;
        p.amount(kPayOther1 + k) = 0;
        d.amount(kDeductionVariable1 + k) = 0;
        d.amount(kDeductionOther1 + k) = 0;
    }
}

// The columns of a recalculation, each taken by its employee (the first column of the id).
class ColumnFinder {
  public:
    explicit ColumnFinder(const std::vector<GridColumn>& columns)
        : columns_(columns), taken_(columns.size(), false) {}

    const GridColumn* take(const EmployeeId& id) {
        while (first_ < columns_.size() && taken_[first_]) ++first_;
        for (std::size_t i = first_; i < columns_.size(); ++i) {
            if (!taken_[i] && columns_[i].employee == id) {
                taken_[i] = true;
                return &columns_[i];
            }
        }
        return nullptr;
    }

  private:
    const std::vector<GridColumn>& columns_;
    std::vector<bool> taken_;
    std::size_t first_ = 0;
};

void requireSlot(int slot) {
    if (slot < 1 || slot > kMaxEmployees) {
        throw std::out_of_range("slot " + std::to_string(slot) + " is not 1..100");
    }
}

// The collecting common to months and bonuses.  Returns whether the slot holds a 在職
// employee whose records were collected (otherwise they have been emptied).
bool collect(YearData& year, int slot, const GridColumn& column, const FormItems& on) {
    requireSlot(slot);
    PeriodBlock& block = year.block();
    const int index = slot - 1;
    const EmployeeRecord& e = block.employees[index];
    AttendanceRecord& a = block.attendance[index];
    PaymentRecord& p = block.payments[index];
    DeductionRecord& d = block.deductions[index];
    if (!e.isUsed()) a = AttendanceRecord{};
    if (!e.isUsed() || !isActiveEmployee(e)) {
        p = PaymentRecord{};
        d = DeductionRecord{};
        return false;
    }

    const bool bonus = isBonusPeriod(year.period());
    if (bonus) {
        p.amount(kBonusItem) = 0;
        p.amount(kDirectorFeeItem) = 0;
    } else {
        a.scheduledDays = block.settings.scheduledDays;
        a.scheduledHours = block.settings.scheduledHours;
    }
    zeroVariableItems(p, d);
    for (const GridCell& cell : column.cells) {
        for (const ItemId& target : targetsOf(cell.item, bonus, on)) {
            storeValue(target, block, slot, storedForm(target, cell.value));
        }
    }
    return true;
}

int payFormOf(const YearData& year, int slot) {
    requireSlot(slot);
    return year.block().employee(slot).payForm;
}

void requireKind(const YearData& year, bool bonus) {
    if (year.period() < 1 || year.period() > kPeriodCount ||
        isBonusPeriod(year.period()) != bonus) {
        throw std::logic_error(bonus ? "the open period is not a bonus"
                                     : "the open period is not a salary month");
    }
}

}  // namespace

void CalculateMonth(YearData& year, int slot, const GridColumn& column, const CalcContext& ctx) {
    requireKind(year, false);
    const FormItems on = formItems(ctx.active, payFormOf(year, slot), false);
    if (collect(year, slot, column, on)) {
        ComputeMonth(year, slot, ctx, on);
    }
}

bool CalculateBonus(YearData& year, int slot, const GridColumn& column, const CalcContext& ctx,
                    const PeriodInputs& inputs) {
    requireKind(year, true);
    const FormItems on = formItems(ctx.active, payFormOf(year, slot), true);
    if (!collect(year, slot, column, on)) return true;
    return ComputeBonus(year, slot, ctx, inputs, on);
}

std::vector<int> RecalculatePeriod(YearData& year, const CalcContext& ctx,
                                   const std::vector<GridColumn>* columns) {
    const int period = year.period();
    if (period < 1 || period > kPeriodCount) throw std::logic_error("no period is open");
    const bool bonus = isBonusPeriod(period);
    ctx.tax.refreshFilePresence();
    // An uncalculated year reads nothing from other periods, and its slots are left as they are
    // once collected.
    const bool frozen = isFrozenYear(year, ctx.currentCalendarYear);
    const bool needsInputs = bonus && !frozen;
    const PeriodInputs inputs = needsInputs ? loadPeriodInputs(year) : PeriodInputs{};
    const FormItemTable forms(ctx.active, bonus);
    const Law law = periodLaw(year, ctx);
    std::optional<ColumnFinder> finder;
    std::vector<EmployeeId> ids;
    if (columns != nullptr) {
        finder.emplace(*columns);
        ids = year.document().employeeIds();
    }

    std::vector<int> byMonthlyTable;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& e = year.block().employee(slot);
        const FormItems& on = forms.of(e.payForm);
        const GridColumn* column = nullptr;
        if (finder && e.isUsed() && isActiveEmployee(e)) column = finder->take(ids[slot - 1]);
        if (column != nullptr) collect(year, slot, *column, on);
        if (frozen) continue;
        if (!computeCheckedSlot(year.block(), slot - 1, bonus, inputs, on, law)) {
            byMonthlyTable.push_back(slot);  // never free slots nor employees not at work
        }
    }
    return byMonthlyTable;
}

std::string monthlyTableNotice(const YearData& year, std::span<const int> slots) {
    if (slots.empty()) return {};
    std::vector<std::string> names;
    for (const int slot : slots) {
        requireSlot(slot);
        names.push_back(year.block().employee(slot).name.utf8());
    }
    return bonusTaxMonthlyTableNotice(names);
}

std::vector<ItemId> collectedItems(const ItemId& item, bool bonus, const FormItems& on) {
    const Targets targets = targetsOf(item, bonus, on);
    return std::vector<ItemId>(targets.begin(), targets.end());
}

bool storeGridValue(PayrollPeriod& period, const EmployeeId& employee, const ItemId& item,
                    double value, bool bonus, const FormItems& on) {
    bool changed = false;
    for (const ItemId& target : targetsOf(item, bonus, on)) {
        changed = period.setValue(employee, target, storedForm(target, value)) || changed;
    }
    return changed;
}

}  // namespace keiro::calc
