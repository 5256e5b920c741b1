#include "calc/period_calc.h"

#include <stdexcept>
#include <unordered_map>

#include "calc/bonus_tax.h"
#include "calc/rounding.h"
#include "core/entry.h"
#include "core/items.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

// What a grid row sets, found by its caption.
struct RowTarget {
    enum class Kind {
        Attendance,
        VariableAllowance,
        VariableDeduction,
        Other,
        Bonus,
        DirectorFee,
        Settlement
    };
    Kind kind;
    int number = 0;  // attendance item 1..15, or the free item 0..2
};

constexpr std::string_view kBonusCaption = "賞与";
constexpr std::string_view kDirectorFeeCaption = "役員報酬";

// Items of kItemDefinitions whose rows the grid can hold with values for the records.
constexpr int kFirstVariableAllowance = 29;  // V変動手当１
constexpr int kFirstVariableDeduction = 35;  // V変動控除１
constexpr int kScheduledDaysItem = 0;  // 所定労働日数 and 所定労働時間 come from the period
constexpr int kScheduledHoursItem = 6;

// Item numbers in the records.
constexpr int kBonusItem = 1;
constexpr int kDirectorFeeItem = 2;
constexpr int kPayVariable1 = 13;
constexpr int kPayOther1 = 20;
constexpr int kDeductionVariable1 = 13;
constexpr int kDeductionOther1 = 18;

// Row captions → what they set, by the display names in force.  Two items the user gave the
// same name are both set by a row of that name.
class RowIndex {
  public:
    explicit RowIndex(const ItemNames& names) {
        for (int i = 0; i < kAttendanceItemCount; ++i) {
            if (i == kScheduledDaysItem || i == kScheduledHoursItem) continue;
            add(names[i], {RowTarget::Kind::Attendance, i + 1});
        }
        for (int k = 0; k < 3; ++k) {
            add(names[kFirstVariableAllowance + k], {RowTarget::Kind::VariableAllowance, k});
            add(names[kFirstVariableDeduction + k], {RowTarget::Kind::VariableDeduction, k});
            add(names[kFirstOtherItem + k], {RowTarget::Kind::Other, k});
        }
        add(std::string(kBonusCaption), {RowTarget::Kind::Bonus, 0});
        add(std::string(kDirectorFeeCaption), {RowTarget::Kind::DirectorFee, 0});
        add(std::string(kYearEndSettlementCode.substr(1)), {RowTarget::Kind::Settlement, 0});
    }

    const std::vector<RowTarget>& targetsOf(const std::string& caption) const {
        const auto found = targets_.find(caption);
        return found == targets_.end() ? none_ : found->second;
    }

  private:
    void add(const std::string& caption, RowTarget target) { targets_[caption].push_back(target); }

    std::unordered_map<std::string, std::vector<RowTarget>> targets_;
    std::vector<RowTarget> none_;
};

void zeroVariableItems(PaymentRecord& p, DeductionRecord& d) {
    for (int k = 0; k < 3; ++k) {
        p.amount(kPayVariable1 + k) = 0;
        p.amount(kPayOther1 + k) = 0;
        d.amount(kDeductionVariable1 + k) = 0;
        d.amount(kDeductionOther1 + k) = 0;
    }
}

// Sets what one row holds for this employee.  Attendance only in months, 賞与 and 役員報酬 only
// in bonuses; variable free items only when on the employee's layout.
void collectRow(const RowTarget& target, double value, bool bonus, const FormItems& on,
                AttendanceRecord& a, PaymentRecord& p, DeductionRecord& d) {
    switch (target.kind) {
        case RowTarget::Kind::Attendance:
            if (!bonus) a.item(target.number) = value;
            break;
        case RowTarget::Kind::VariableAllowance:
            if (on.pay[kPayVariable1 + target.number - 1]) {
                p.amount(kPayVariable1 + target.number) = TruncYen(value);
            }
            break;
        case RowTarget::Kind::VariableDeduction:
            if (on.deduction[kDeductionVariable1 + target.number - 1]) {
                d.amount(kDeductionVariable1 + target.number) = TruncYen(value);
            }
            break;
        case RowTarget::Kind::Other:
            if (on.other[target.number]) {
                p.amount(kPayOther1 + target.number) = TruncYen(value);
                d.amount(kDeductionOther1 + target.number) = TruncYen(value);
            }
            break;
        case RowTarget::Kind::Bonus:
            if (bonus) p.amount(kBonusItem) = TruncYen(value);
            break;
        case RowTarget::Kind::DirectorFee:
            if (bonus) p.amount(kDirectorFeeItem) = TruncYen(value);
            break;
        case RowTarget::Kind::Settlement:
            // Unlike the other variable items it is not emptied first: a grid without its row
            // (or an employee whose layout lacks it) leaves the stored settlement alone.
            if (on.settlement) d.yearEndSettlement = TruncYen(value);
            break;
    }
}

void requireSlot(int slot) {
    if (slot < 1 || slot > kMaxEmployees) {
        throw std::out_of_range("slot " + std::to_string(slot) + " is not 1..100");
    }
}

// The collecting common to months and bonuses.  Returns whether the slot holds a 在職
// employee whose records were collected (otherwise they have been emptied).
bool collect(YearData& year, int slot, const GridColumn& column, const RowIndex& rows,
             const FormItems& on) {
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
        const double value = cell.value ? *cell.value : parseNumber(cell.text).value;
        for (const RowTarget& target : rows.targetsOf(cell.caption)) {
            collectRow(target, value, bonus, on, a, p, d);
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
    if (collect(year, slot, column, RowIndex(ctx.settings.itemNames), on)) {
        ComputeMonth(year, slot, ctx, on);
    }
}

bool CalculateBonus(YearData& year, int slot, const GridColumn& column, const CalcContext& ctx,
                    const PeriodInputs& inputs) {
    requireKind(year, true);
    const FormItems on = formItems(ctx.active, payFormOf(year, slot), true);
    if (!collect(year, slot, column, RowIndex(ctx.settings.itemNames), on)) return true;
    return ComputeBonus(year, slot, ctx, inputs, on);
}

std::vector<int> RecalculatePeriod(YearData& year, const CalcContext& ctx,
                                   const std::vector<GridColumn>* columns) {
    const int period = year.period();
    if (period < 1 || period > kPeriodCount) throw std::logic_error("no period is open");
    const bool bonus = isBonusPeriod(period);
    ctx.tax.refreshFilePresence();
    // An uncalculated year reads nothing from other periods.
    const bool needsInputs = bonus && !isFrozenYear(year, ctx.currentCalendarYear);
    const PeriodInputs inputs = needsInputs ? loadPeriodInputs(year) : PeriodInputs{};
    const FormItemTable forms(ctx.active, bonus);
    const RowIndex rows(ctx.settings.itemNames);

    std::vector<int> byMonthlyTable;
    std::size_t nextColumn = 0;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& e = year.block().employee(slot);
        const FormItems& on = forms.of(e.payForm);
        const GridColumn* column = nullptr;
        if (columns != nullptr && e.isUsed() && isActiveEmployee(e)) {
            if (nextColumn < columns->size()) column = &(*columns)[nextColumn];
            ++nextColumn;
        }
        if (column != nullptr) collect(year, slot, *column, rows, on);
        if (!bonus) {
            ComputeMonth(year, slot, ctx, on);
        } else if (!ComputeBonus(year, slot, ctx, inputs, on)) {
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

std::function<void(YearData&)> periodRecalculation(const CalcContext& ctx,
                                                   const std::vector<GridColumn>* columns) {
    return [ctx, columns](YearData& year) { RecalculatePeriod(year, ctx, columns); };
}

}  // namespace keiro::calc
