#include "calc/pay_calc.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "calc/bonus_tax.h"
#include "calc/payroll_tables.h"
#include "calc/rounding.h"
#include "core/entry.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

// Layout codes of the amount items, by item number of the records (index j−1).
constexpr std::array<std::string_view, 17> kPayCodes = {
    "F基本給",       "F役職手当",     "F家族手当",     "F固定手当１",   "F固定手当２",
    "F固定手当３",   "F普通残業手当", "F深夜残業手当", "F休日普通残業", "F休日深夜残業",
    "F非課税通勤費", "F課税通勤費",   "V変動手当１",   "V変動手当２",   "V変動手当３",
    "F欠勤控除",     "F遅刻早退控除"};
constexpr std::string_view kBonusCode = "V賞与";
constexpr std::string_view kDirectorFeeCode = "V役員報酬";
constexpr std::array<std::string_view, 15> kDeductionCodes = {
    "F健康保険料",   "F厚生年金保険", "F厚生年金基金", "F雇用保険料", "F介護保険料",
    "F社会保険料計", "F社保控除後計", "F所得税",       "F住民税",     "F固定控除１",
    "F固定控除２",   "F固定控除３",   "V変動控除１",   "V変動控除２", "V変動控除３"};
constexpr std::array<std::string_view, 3> kOtherCodes = {"Vその他１", "Vその他２", "Vその他３"};
constexpr std::string_view kSupportCode = "F子ども・子育て支援金";

// Payment items (PaymentRecord::amount numbers).
constexpr int kBasePay = 1;   // 賞与 in a bonus
constexpr int kPosition = 2;  // 役員報酬 in a bonus
constexpr int kFamily = 3;
constexpr int kFixedAllowance1 = 4;
constexpr int kOvertime = 7;
constexpr int kLateNight = 8;
constexpr int kHolidayOvertime = 9;
constexpr int kHolidayLateNight = 10;
constexpr int kCommuteNonTaxable = 11;
constexpr int kCommuteTaxable = 12;
constexpr int kVariableAllowance1 = 13;
constexpr int kAbsence = 16;
constexpr int kLateness = 17;
constexpr int kPayOther1 = 20;

// Deduction items (DeductionRecord::amount numbers).
constexpr int kResidentTax = 9;
constexpr int kFixedDeduction1 = 10;
constexpr int kVariableDeduction1 = 13;
constexpr int kDeductionOther1 = 18;

// Positions of the free items in the 課税対象 and 社保算定対象 flags.
constexpr int kFlagFixedAllowance = 0;
constexpr int kFlagVariableAllowance = 3;
constexpr int kFlagFixedDeduction = 6;
constexpr int kFlagVariableDeduction = 9;

enum class PayForm { Monthly = 1, Daily = 2, Hourly = 3 };

std::int32_t clampYen(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The running sums of one employee, in 64 bits.
struct Totals {
    std::int64_t taxable = 0;        // 課税支給合計
    std::int64_t pay = 0;            // 支給合計
    std::int64_t excluded = 0;       // payments outside the social insurance base
    std::int64_t socialIns = 0;      // 社会保険料計
    std::int64_t deductions = 0;     // 控除合計
    std::int64_t baseReduction = 0;  // deductions taken off the social insurance base
};

// One payment item: not on the layout → 0, counted nowhere; otherwise `value()` unless entered
// by hand, counted in 支給合計, in 課税支給合計 when taxable and as excluded when outside the
// social insurance base.
template <typename Value>
void settlePayment(PaymentRecord& p, int item, bool onLayout, bool taxable, bool insuranceBase,
                   Totals& t, Value value) {
    std::int32_t& amount = p.amount(item);
    if (!onLayout) {
        amount = 0;
        return;
    }
    if (!p.isManual(item)) amount = value();
    t.pay += amount;
    if (taxable) t.taxable += amount;
    if (!insuranceBase) t.excluded += amount;
}

// 固定控除 and 変動控除: in 控除合計; with 課税対象 also in 社会保険料計 (it lowers the taxable
// amount like a premium); with 社保算定対象 taken off the social insurance base.
template <typename Value>
void settleFreeDeduction(DeductionRecord& d, int item, bool onLayout, bool taxable,
                         bool insuranceBase, Totals& t, Value value) {
    std::int32_t& amount = d.amount(item);
    if (!onLayout) {
        amount = 0;
        return;
    }
    if (!d.isManual(item)) amount = value();
    t.deductions += amount;
    if (taxable) t.socialIns += amount;
    if (insuranceBase) t.baseReduction += amount;
}

// Kept as entered in the grid (variable items are never recomputed).
auto keep(const std::int32_t& amount) {
    return [&amount] { return amount; };
}

// 固定手当１..３ from the master, taxable and counted for social insurance by their flags.
void fixedAllowances(const EmployeeRecord& e, const Settings& s, const FormItems& on,
                     PaymentRecord& p, Totals& t) {
    const std::int32_t masters[3] = {e.fixedAllowance1, e.fixedAllowance2, e.fixedAllowance3};
    for (int i = 0; i < 3; ++i) {
        const int flag = kFlagFixedAllowance + i;
        settlePayment(p, kFixedAllowance1 + i, on.pay[kFixedAllowance1 + i - 1],
                      s.taxableFlags[flag], s.socialInsBaseFlags[flag], t,
                      [&] { return masters[i]; });
    }
}

// 変動手当１..３ as entered, taxable and counted for social insurance by their flags.
void variableAllowances(const Settings& s, const FormItems& on, PaymentRecord& p, Totals& t) {
    for (int i = 0; i < 3; ++i) {
        const int item = kVariableAllowance1 + i;
        const int flag = kFlagVariableAllowance + i;
        settlePayment(p, item, on.pay[item - 1], s.taxableFlags[flag], s.socialInsBaseFlags[flag],
                      t, keep(p.amount(item)));
    }
}

void freeDeductions(const EmployeeRecord& e, const Settings& s, const FormItems& on,
                    DeductionRecord& d, Totals& t) {
    const std::int32_t masters[3] = {e.fixedDeduction1, e.fixedDeduction2, e.fixedDeduction3};
    for (int i = 0; i < 3; ++i) {
        const int flag = kFlagFixedDeduction + i;
        settleFreeDeduction(d, kFixedDeduction1 + i, on.deduction[kFixedDeduction1 + i - 1],
                            s.taxableFlags[flag], s.socialInsBaseFlags[flag], t,
                            [&] { return masters[i]; });
    }
    for (int i = 0; i < 3; ++i) {
        const int item = kVariableDeduction1 + i;
        const int flag = kFlagVariableDeduction + i;
        settleFreeDeduction(d, item, on.deduction[item - 1], s.taxableFlags[flag],
                            s.socialInsBaseFlags[flag], t, keep(d.amount(item)));
    }
}

// その他１..３: the payment copy as entered, 0 when not on the layout; the deduction copy follows.
void otherItems(const FormItems& on, PaymentRecord& p, DeductionRecord& d) {
    for (int i = 0; i < 3; ++i) {
        std::int32_t& entered = p.amount(kPayOther1 + i);
        if (!on.other[i]) entered = 0;
        d.amount(kDeductionOther1 + i) = entered;
    }
}

void storePayTotals(const Totals& t, PaymentRecord& p) {
    p.taxablePayTotal = clampYen(t.taxable);
    p.payTotal = clampYen(t.pay);
}

// 控除合計 takes the 年調過不足 as it is stored (see the header).
void storeDeductionTotals(const Totals& t, DeductionRecord& d) {
    d.deductionTotal = clampYen(t.deductions + d.yearEndSettlement);
    d.socialInsBase = clampYen(t.pay - t.excluded - t.baseReduction);
}

DeductionItemsActive premiumItems(const FormItems& on) {
    DeductionItemsActive onForm;
    onForm.health = on.deduction[kHealthInsItem - 1];
    onForm.pension = on.deduction[kPensionItem - 1];
    onForm.pensionFund = on.deduction[kPensionFundItem - 1];
    onForm.employment = on.deduction[kEmploymentInsItem - 1];
    onForm.nursing = on.deduction[kNursingInsItem - 1];
    onForm.support = on.support;
    return onForm;
}

bool taxOnLayout(const FormItems& on) {
    return on.deduction[DeductionRecord::kIncomeTaxItem - 1];
}

// 基本給 of a month: the monthly amount, or the daily or hourly wage times the days or hours
// worked plus the paid-leave days at their own rate.  With `Jitudou` the hours worked include
// the overtime, which is paid separately and therefore taken off.
std::int32_t basePayOf(const EmployeeRecord& e, const AttendanceRecord& a,
                       const YenRounding& rounding, bool hoursIncludeOvertime) {
    const auto form = static_cast<PayForm>(e.payForm);
    if (form != PayForm::Daily && form != PayForm::Hourly) return e.basePay;
    double units = a.daysWorked;
    if (form == PayForm::Hourly) {
        units = a.hoursWorked;
        if (hoursIncludeOvertime) {
            units -= a.overtimeHours + a.lateNightHours + a.holidayOvertimeHours +
                     a.holidayLateNightHours;
        }
    }
    return clampYen(std::int64_t{rounding.RoundPayItem(units, e.basePay)} +
                    rounding.RoundPayItem(a.paidLeaveDays, e.paidLeavePay));
}

std::int32_t residentTaxOf(const EmployeeRecord& e, int period) {
    return period == 6 ? e.residentTaxJune : e.residentTax;
}

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

// The rates a bonus is charged at: the period's, without the levy when the bonus is paid
// before the levy's first premium month (or has no pay month).
PeriodSettings bonusRates(const YearData& year) {
    PeriodSettings rates = year.block().settings;
    if (!SupportLevyDueInPeriod(year)) rates.supportRate = 0;
    return rates;
}

// The 社保控除後計 of the month before the bonus; when that month is not in the files, the
// last month paid before the program, as entered with the employee's opening totals.
std::int32_t previousMonthPay(const PeriodInputs& inputs, const EmployeeRecord& e) {
    if (!inputs.previousMonthKept && e.opening.lastPayAfterSocial > 0) {
        return e.opening.lastPayAfterSocial;
    }
    return inputs.previousPayAfterSocialIns(e.recordId.bytes());
}

}  // namespace

bool isFrozenYear(const YearData& year, int currentCalendarYear) {
    const FileYear open{year.eraName() != year.eraNames().earlier, year.eraYear()};
    return isUncalculatedEraYear(currentCalendarYear, open);
}

FormItems formItems(const ActiveItems& active, int payForm, bool bonus) {
    FormItems items;
    if (payForm < 1 || payForm > kPayFormCount) return items;
    for (std::size_t j = 0; j < kPayCodes.size(); ++j) {
        std::string_view code = kPayCodes[j];
        if (bonus && j + 1 == kBasePay) code = kBonusCode;
        if (bonus && j + 1 == kPosition) code = kDirectorFeeCode;
        items.pay[j] = active.isActive(payForm, Band::Pay, code);
    }
    for (std::size_t j = 0; j < kDeductionCodes.size(); ++j) {
        items.deduction[j] = active.isActive(payForm, Band::Deduction, kDeductionCodes[j]);
    }
    for (std::size_t j = 0; j < kOtherCodes.size(); ++j) {
        items.other[j] = active.isActive(payForm, Band::Other, kOtherCodes[j]);
    }
    items.support = active.isActive(payForm, Band::Deduction, kSupportCode);
    items.settlement = active.isActive(payForm, Band::Deduction, kYearEndSettlementCode);
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
    const int index = requireSlot(slot);
    requirePeriodKind(year, false);
    if (isFrozenYear(year, ctx.currentCalendarYear)) return;
    PeriodBlock& block = year.block();
    if (!clearUnpaidSlot(block, index)) return;

    const EmployeeRecord& e = block.employees[index];
    const AttendanceRecord& a = block.attendance[index];
    PaymentRecord& p = block.payments[index];
    DeductionRecord& d = block.deductions[index];
    const Settings& s = ctx.settings;
    const YenRounding rounding(s.rounding(false));
    Totals t;

    // Payments, in order.
    settlePayment(p, kBasePay, on.pay[kBasePay - 1], true, true, t,
                  [&] { return basePayOf(e, a, rounding, s.hoursWorkedIncludeOvertime); });
    settlePayment(p, kPosition, on.pay[kPosition - 1], true, true, t,
                  [&] { return e.positionAllowance; });
    settlePayment(p, kFamily, on.pay[kFamily - 1], true, true, t,
                  [&] { return e.familyAllowance; });
    fixedAllowances(e, s, on, p, t);
    const struct {
        int item;
        double hours;
        std::int32_t unit;
    } overtime[] = {{kOvertime, a.overtimeHours, e.overtimeRate},
                    {kLateNight, a.lateNightHours, e.lateNightRate},
                    {kHolidayOvertime, a.holidayOvertimeHours, e.holidayOvertimeRate},
                    {kHolidayLateNight, a.holidayLateNightHours, e.holidayLateNightRate}};
    for (const auto& o : overtime) {
        settlePayment(p, o.item, on.pay[o.item - 1], true, true, t,
                      [&] { return rounding.RoundPayItem(o.hours, o.unit); });
    }
    settlePayment(p, kCommuteNonTaxable, on.pay[kCommuteNonTaxable - 1], false, true, t,
                  [&] { return e.commuteNonTaxable; });
    settlePayment(p, kCommuteTaxable, on.pay[kCommuteTaxable - 1], true, true, t,
                  [&] { return e.commuteTaxable; });
    variableAllowances(s, on, p, t);
    settlePayment(p, kAbsence, on.pay[kAbsence - 1], true, true, t, [&] {
        return rounding.RoundReduction(a.absentDays, -static_cast<double>(e.absenceDeductionRate));
    });
    settlePayment(p, kLateness, on.pay[kLateness - 1], true, true, t, [&] {
        return rounding.RoundReduction(a.lateHours, -static_cast<double>(e.lateDeductionRate));
    });
    storePayTotals(t, p);

    // Social insurance, 住民税, the free deductions.
    const std::int32_t premiums =
        ApplyMonthlyPremiums(e, block.settings, p.payTotal, premiumItems(on), d);
    t.socialIns += premiums;
    t.deductions += premiums;
    std::int32_t& residentTax = d.amount(kResidentTax);
    if (!on.deduction[kResidentTax - 1]) {
        residentTax = 0;
    } else {
        if (!d.isManual(kResidentTax)) residentTax = residentTaxOf(e, year.period());
        t.deductions += residentTax;
    }
    freeDeductions(e, s, on, d, t);
    d.socialInsTotal = clampYen(t.socialIns);
    d.payAfterSocialIns = clampYen(std::int64_t{p.taxablePayTotal} - d.socialInsTotal);

    // 所得税 from the salary table.
    std::int32_t& tax = d.incomeTax;
    if (!taxOnLayout(on)) {
        tax = 0;
    } else if (!d.isManual(DeductionRecord::kIncomeTaxItem)) {
        tax = ctx.tax.salary.LookupSalaryTax(d.payAfterSocialIns, e.taxColumn, e.dependentRelatives,
                                             rounding);
    }
    t.deductions += tax;
    storeDeductionTotals(t, d);
    otherItems(on, p, d);
}

bool ComputeBonus(YearData& year, int slot, const CalcContext& ctx, const PeriodInputs& inputs) {
    const int index = requireSlot(slot);
    return ComputeBonus(year, slot, ctx, inputs,
                        formItems(ctx.active, year.block().employees[index].payForm, true));
}

bool ComputeBonus(YearData& year, int slot, const CalcContext& ctx, const PeriodInputs& inputs,
                  const FormItems& on) {
    const int index = requireSlot(slot);
    requirePeriodKind(year, true);
    if (isFrozenYear(year, ctx.currentCalendarYear)) return true;
    PeriodBlock& block = year.block();
    if (!clearUnpaidSlot(block, index)) return true;

    const EmployeeRecord& e = block.employees[index];
    PaymentRecord& p = block.payments[index];
    DeductionRecord& d = block.deductions[index];
    const Settings& s = ctx.settings;
    const YenRounding rounding(s.rounding(true));
    Totals t;

    // 賞与 and 役員報酬 as entered; one that is not on the layout keeps its value but counts
    // nowhere.
    for (const int item : {kBasePay, kPosition}) {
        if (!on.pay[item - 1]) continue;
        t.pay += p.amount(item);
        t.taxable += p.amount(item);
    }
    fixedAllowances(e, s, on, p, t);
    variableAllowances(s, on, p, t);
    storePayTotals(t, p);

    // The premiums see 役員報酬 only when it counts in 支給合計: employment insurance is on
    // 支給合計 less the director's fee, and a fee outside the total must not be taken off it.
    PaymentRecord counted = p;
    if (!on.pay[kPosition - 1]) counted.positionAllowanceAmount = 0;
    const std::int32_t premiums =
        BonusSocialInsurance(e, bonusRates(year), counted, inputs.history, premiumItems(on), d);
    t.socialIns += premiums;
    t.deductions += premiums;
    freeDeductions(e, s, on, d, t);
    d.socialInsTotal = clampYen(t.socialIns);
    d.payAfterSocialIns = clampYen(std::int64_t{p.taxablePayTotal} - d.socialInsTotal);

    BonusTaxInput taxInput;
    taxInput.taxItemActive = taxOnLayout(on);
    taxInput.manual = d.isManual(DeductionRecord::kIncomeTaxItem);
    taxInput.storedTax = d.incomeTax;
    taxInput.previousMonthAmount = previousMonthPay(inputs, e);
    taxInput.bonusAmount = d.payAfterSocialIns;
    taxInput.dependents = e.dependentRelatives;
    taxInput.column = e.taxColumn;
    const BonusTaxResult tax = BonusIncomeTax(taxInput, ctx.tax.salary, ctx.tax.bonus, rounding);
    d.incomeTax = tax.tax;
    t.deductions += tax.tax;
    storeDeductionTotals(t, d);
    otherItems(on, p, d);
    return !tax.byMonthlyTable;
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
