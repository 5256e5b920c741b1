#include "calc/pay_engine.h"

#include <algorithm>

#include "calc/bonus_tax.h"
#include "calc/tax_tables.h"

namespace keiro::calc {
namespace {

using namespace pay_item;
using namespace deduction_item;

// Positions of the free items in the 課税対象 and 社保算定対象 flags.
constexpr int kFlagFixedAllowance = 0;
constexpr int kFlagVariableAllowance = 3;
constexpr int kFlagFixedDeduction = 6;
constexpr int kFlagVariableDeduction = 9;

// An amount as the period keeps it: within the 32-bit range.
Yen held(Yen amount) {
    return Yen(amount.toInt32Clamped());
}

// The running sums of one employee.
struct Totals {
    Yen taxable;        // 課税支給合計
    Yen pay;            // 支給合計
    Yen excluded;       // payments outside the social insurance base
    Yen socialIns;      // 社会保険料計
    Yen deductions;     // 控除合計
    Yen baseReduction;  // deductions taken off the social insurance base
};

// One employee's calculation: the amounts start as the input holds them.
class Slip {
  public:
    // `result` starts as the amounts the input holds (resultOf).
    Slip(const PayInput& in, const Law& law, PayResult& result)
        : in_(in), law_(law), result_(result) {}

    Yen& pay(int item) { return result_.payments[item - 1]; }
    Yen& deduction(int item) { return result_.deductions[item - 1]; }

    // One payment item: not on the layout → 0, counted nowhere; otherwise `value()` unless
    // entered by hand, counted in 支給合計, in 課税支給合計 when taxable and as excluded when
    // outside the social insurance base.
    template <typename Value>
    void settlePayment(int item, bool taxable, bool insuranceBase, Value value) {
        Yen& amount = pay(item);
        if (!in_.items.pay[item - 1]) {
            amount = Yen();
            return;
        }
        if (!in_.paymentManual[item - 1]) amount = value();
        t_.pay += amount;
        if (taxable) t_.taxable += amount;
        if (!insuranceBase) t_.excluded += amount;
    }

    // 固定控除 and 変動控除: in 控除合計; with 課税対象 also in 社会保険料計 (it lowers the taxable
    // amount like a premium); with 社保算定対象 taken off the social insurance base.
    template <typename Value>
    void settleFreeDeduction(int item, bool taxable, bool insuranceBase, Value value) {
        Yen& amount = deduction(item);
        if (!in_.items.deduction[item - 1]) {
            amount = Yen();
            return;
        }
        if (!in_.deductionManual[item - 1]) amount = value();
        t_.deductions += amount;
        if (taxable) t_.socialIns += amount;
        if (insuranceBase) t_.baseReduction += amount;
    }

    // 固定手当１..３ from the master, taxable and counted for social insurance by their flags.
    void fixedAllowances() {
        for (int i = 0; i < 3; ++i) {
            const int flag = kFlagFixedAllowance + i;
            settlePayment(kFixedAllowance1 + i, law_.taxableFlags[flag],
                          law_.socialInsBaseFlags[flag], [&] { return in_.fixedAllowances[i]; });
        }
    }

    // 変動手当１..３ as entered, taxable and counted for social insurance by their flags.
    void variableAllowances() {
        for (int i = 0; i < 3; ++i) {
            const int item = kVariableAllowance1 + i;
            const int flag = kFlagVariableAllowance + i;
            settlePayment(item, law_.taxableFlags[flag], law_.socialInsBaseFlags[flag],
                          [&] { return pay(item); });
        }
    }

    void freeDeductions() {
        for (int i = 0; i < 3; ++i) {
            const int flag = kFlagFixedDeduction + i;
            settleFreeDeduction(kFixedDeduction1 + i, law_.taxableFlags[flag],
                                law_.socialInsBaseFlags[flag],
                                [&] { return in_.fixedDeductions[i]; });
        }
        for (int i = 0; i < 3; ++i) {
            const int item = kVariableDeduction1 + i;
            const int flag = kFlagVariableDeduction + i;
            settleFreeDeduction(item, law_.taxableFlags[flag], law_.socialInsBaseFlags[flag],
                                [&] { return deduction(item); });
        }
    }

    void storePayTotals() {
        pay(kTaxableTotal) = held(t_.taxable);
        pay(kPayTotal) = held(t_.pay);
    }

    // Premiums (already held to the 32-bit range) count in 社会保険料計 and 控除合計.
    void addPremiums(Yen premiums) {
        t_.socialIns += premiums;
        t_.deductions += premiums;
    }

    void storeSocialInsurance() {
        deduction(kSocialInsTotal) = held(t_.socialIns);
        deduction(kPayAfterSocialIns) = held(pay(kTaxableTotal) - deduction(kSocialInsTotal));
    }

    // 控除合計 takes the 年調過不足 as it is stored.
    void storeDeductionTotals() {
        deduction(kDeductionTotal) = held(t_.deductions + deduction(kSettlement));
        deduction(kSocialInsBase) = held(t_.pay - t_.excluded - t_.baseReduction);
    }

    // その他１..３: the payment copy as entered, 0 when not on the layout; the deduction copy
    // follows.
    void otherItems() {
        for (int i = 0; i < 3; ++i) {
            Yen& entered = pay(pay_item::kOther1 + i);
            if (!in_.items.other[i]) entered = Yen();
            deduction(deduction_item::kOther1 + i) = entered;
        }
    }

    Totals& totals() { return t_; }
    PayResult& result() { return result_; }
    const PayInput& input() const { return in_; }

  private:
    const PayInput& in_;
    const Law& law_;
    PayResult& result_;
    Totals t_;
};

// A premium item: 0 when not on the layout, the stored amount when entered by hand, else the
// computed amount.  Returns what the item now holds.
template <typename Compute>
Yen settlePremium(const PayInput& in, DeductionAmounts& deductions, int item, bool onLayout,
                  Compute compute) {
    Yen& amount = deductions[item - 1];
    if (!onLayout) {
        amount = Yen();
    } else if (!in.deductionManual[item - 1]) {
        amount = compute();
    }
    return amount;
}

Yen premiumIf(bool insured, Yen premium) {
    return insured ? premium : Yen();
}

// The result before the calculation: the amounts as the input holds them.  Built in one step, so
// the amounts are written once, not zeroed first.
PayResult resultOf(const PayInput& in) {
    return PayResult{in.payments, in.deductions, false};
}

// days or hours × a unit price by the rounding, as the period keeps it.  Most of them are 0 (no
// overtime, no absence), and 0 × anything is 0 by every rounding: that needs no reading of the
// factor as a decimal.
Yen factorTimes(double factor, Yen unit, Rounding rounding) {
    if (factor == 0) return Yen();
    return held(Rate::fromDouble(factor).of(unit, rounding));
}

// rate × base by the 50銭 rule, as the period keeps it.
Yen premiumOn(const Rate& rate, Yen base) {
    return held(rate.of(base, Rounding::Premium));
}

// 基本給 of a month: the monthly amount, or the daily or hourly wage times the days or hours
// worked plus the paid-leave days at their own rate.  When the hours worked include the
// overtime, the overtime is paid separately and therefore taken off.
Yen basePayOf(const PayInput& in, const Law& law) {
    const auto form = static_cast<PayForm>(in.payForm);
    if (form != PayForm::Daily && form != PayForm::Hourly) return in.basePay;
    double units = in.daysWorked;
    if (form == PayForm::Hourly) {
        units = in.hoursWorked;
        if (law.hoursWorkedIncludeOvertime) {
            units -= in.overtimeHours + in.lateNightHours + in.holidayOvertimeHours +
                     in.holidayLateNightHours;
        }
    }
    const Rounding rounding = law.rounding.payment();
    return held(factorTimes(units, in.basePay, rounding) +
                factorTimes(in.paidLeaveDays, in.paidLeavePay, rounding));
}

bool taxOnLayout(const FormItems& on) {
    return on.deduction[kIncomeTax - 1];
}

std::int32_t int32Of(Yen amount) {
    return amount.toInt32Clamped();
}

}  // namespace

Yen PayResult::netPay(const std::array<bool, 3>& activeOthers) const {
    Yen net = payment(kPayTotal) - deduction(kDeductionTotal);
    for (int i = 0; i < 3; ++i) {
        if (activeOthers[i]) net += payment(pay_item::kOther1 + i);
    }
    return net;
}

Yen standardBonus(Yen taxablePayTotal, const Law& law) {
    return taxablePayTotal.truncatedTo(law.standardBonusUnit);
}

Yen supportShare(Yen base, const PremiumRates& rates, bool paysCare) {
    if (rates.support.isZero()) return Yen();
    const Rate withoutLevy = paysCare ? rates.health + rates.nursing : rates.health;
    return held(premiumOn(withoutLevy + rates.support, base) - premiumOn(withoutLevy, base));
}

Yen monthlyPremiums(const PayInput& in, const PremiumRates& rates, Yen payTotal,
                    DeductionAmounts& d) {
    const FormItems& on = in.items;
    Yen sum;
    sum += settlePremium(in, d, kHealth, on.deduction[kHealth - 1],
                         [&] { return premiumIf(in.healthInsured, in.healthPremium); });
    sum += settlePremium(in, d, kPension, on.deduction[kPension - 1],
                         [&] { return premiumIf(in.pensionInsured, in.pensionPremium); });
    sum += settlePremium(in, d, kPensionFund, on.deduction[kPensionFund - 1],
                         [&] { return premiumIf(in.pensionFundMember, in.pensionFundPremium); });
    sum += settlePremium(in, d, kEmployment, on.deduction[kEmployment - 1], [&] {
        return premiumIf(in.employmentInsured,
                         held(rates.employment.of(payTotal, Rounding::EmploymentInsurance)));
    });
    sum += settlePremium(in, d, kNursing, on.deduction[kNursing - 1],
                         [&] { return premiumIf(in.nursingInsured, in.nursingPremium); });
    sum += settlePremium(in, d, kSupport, on.support,
                         [&] { return premiumIf(in.healthInsured, in.supportPremium); });
    return held(sum);
}

Yen bonusPremiums(const PayInput& in, const Law& law, Yen taxablePayTotal, Yen employmentBase,
                  const BonusInputs& history, DeductionAmounts& d) {
    const FormItems& on = in.items;
    const PremiumRates& rates = law.rates;
    const Yen standard = standardBonus(taxablePayTotal, law);
    const auto withinCap = [](Yen earlier, Yen bonus, std::int64_t cap) {
        return earlier.value() + bonus.value() > cap ? Yen(cap) - earlier : bonus;
    };
    const Yen healthBase = withinCap(history.earlierHealthYear, standard, law.healthBonusYearCap);
    const Yen pensionBase = withinCap(history.earlierThisMonth, standard, law.pensionBonusCap);
    // No social insurance premium is due on a bonus of the 資格喪失 month or of an exempt leave.
    const bool covered = !history.premiumExempt;
    const bool health = covered && in.healthInsured;
    const bool nursing = covered && in.nursingInsured;
    const bool pension = covered && in.pensionInsured;
    const bool fund = covered && in.pensionFundMember;

    Yen sum;
    sum += settlePremium(in, d, kHealth, on.deduction[kHealth - 1],
                         [&] { return premiumIf(health, premiumOn(rates.health, healthBase)); });
    sum += settlePremium(in, d, kPension, on.deduction[kPension - 1],
                         [&] { return premiumIf(pension, premiumOn(rates.pension, pensionBase)); });
    sum += settlePremium(in, d, kPensionFund, on.deduction[kPensionFund - 1], [&] {
        return premiumIf(fund, premiumOn(rates.pensionFund, pensionBase));
    });
    sum += settlePremium(in, d, kEmployment, on.deduction[kEmployment - 1], [&] {
        return premiumIf(in.employmentInsured,
                         held(rates.employment.of(employmentBase, Rounding::EmploymentInsurance)));
    });
    sum += settlePremium(in, d, kNursing, on.deduction[kNursing - 1], [&] {
        const Yen combined = premiumOn(rates.health + rates.nursing, healthBase);
        return premiumIf(nursing, held(combined - d[kHealth - 1]));
    });
    sum += settlePremium(in, d, kSupport, on.support, [&] {
        return premiumIf(health, supportShare(healthBase, rates, in.nursingInsured));
    });
    return held(sum);
}

PayResult computeMonth(const PayInput& in, const Law& law) {
    PayResult result = resultOf(in);
    Slip slip(in, law, result);
    const FormItems& on = in.items;
    const Rounding payment = law.rounding.payment();
    const Rounding reduction = law.rounding.reduction();

    // Payments, in order.
    slip.settlePayment(kBasePay, true, true, [&] { return basePayOf(in, law); });
    slip.settlePayment(kPosition, true, true, [&] { return in.positionAllowance; });
    slip.settlePayment(kFamily, true, true, [&] { return in.familyAllowance; });
    slip.fixedAllowances();
    const struct {
        int item;
        double hours;
        Yen unit;
    } overtime[] = {{kOvertime, in.overtimeHours, in.overtimeRate},
                    {kLateNight, in.lateNightHours, in.lateNightRate},
                    {kHolidayOvertime, in.holidayOvertimeHours, in.holidayOvertimeRate},
                    {kHolidayLateNight, in.holidayLateNightHours, in.holidayLateNightRate}};
    for (const auto& o : overtime) {
        slip.settlePayment(o.item, true, true,
                           [&] { return factorTimes(o.hours, o.unit, payment); });
    }
    slip.settlePayment(kCommuteNonTaxable, false, true, [&] { return in.commuteNonTaxable; });
    slip.settlePayment(kCommuteTaxable, true, true, [&] { return in.commuteTaxable; });
    slip.variableAllowances();
    slip.settlePayment(kAbsence, true, true, [&] {
        return factorTimes(in.absentDays, -in.absenceDeductionRate, reduction);
    });
    slip.settlePayment(kLateness, true, true,
                       [&] { return factorTimes(in.lateHours, -in.lateDeductionRate, reduction); });
    slip.storePayTotals();

    // Social insurance: the master's premiums, employment insurance on 支給合計.
    slip.addPremiums(monthlyPremiums(in, law.rates, slip.pay(kPayTotal), slip.result().deductions));

    // 住民税, the free deductions.
    Yen& residentTax = slip.deduction(kResidentTax);
    if (!on.deduction[kResidentTax - 1]) {
        residentTax = Yen();
    } else {
        if (!in.deductionManual[kResidentTax - 1]) {
            residentTax = law.june ? in.residentTaxJune : in.residentTax;
        }
        slip.totals().deductions += residentTax;
    }
    slip.freeDeductions();
    slip.storeSocialInsurance();

    // 所得税 from the salary table.
    Yen& tax = slip.deduction(kIncomeTax);
    if (!taxOnLayout(on)) {
        tax = Yen();
    } else if (!in.deductionManual[kIncomeTax - 1]) {
        tax = Yen(law.tax->salary.LookupSalaryTax(int32Of(slip.deduction(kPayAfterSocialIns)),
                                                  in.taxColumn, in.dependents, law.rounding));
    }
    slip.totals().deductions += tax;
    slip.storeDeductionTotals();
    slip.otherItems();
    return result;
}

PayResult computeBonus(const PayInput& in, const BonusInputs& history, const Law& law) {
    PayResult result = resultOf(in);
    Slip slip(in, law, result);
    const FormItems& on = in.items;

    // 賞与 and 役員報酬 as entered; one that is not on the layout keeps its value but counts
    // nowhere.
    for (const int item : {kBasePay, kPosition}) {
        if (!on.pay[item - 1]) continue;
        slip.totals().pay += slip.pay(item);
        slip.totals().taxable += slip.pay(item);
    }
    slip.fixedAllowances();
    slip.variableAllowances();
    slip.storePayTotals();

    // The premiums see 役員報酬 only when it counts in 支給合計: employment insurance is on
    // 支給合計 less the director's fee, and a fee outside the total must not be taken off it.
    const Yen fee = on.pay[kPosition - 1] ? slip.pay(kPosition) : Yen();
    slip.addPremiums(bonusPremiums(in, law, slip.pay(kTaxableTotal), slip.pay(kPayTotal) - fee,
                                   history, slip.result().deductions));
    slip.freeDeductions();
    slip.storeSocialInsurance();

    BonusTaxInput taxInput;
    taxInput.taxItemActive = taxOnLayout(on);
    taxInput.manual = in.deductionManual[kIncomeTax - 1];
    taxInput.storedTax = int32Of(slip.deduction(kIncomeTax));
    taxInput.previousMonthAmount = int32Of(history.previousMonthPay);
    taxInput.bonusAmount = int32Of(slip.deduction(kPayAfterSocialIns));
    taxInput.dependents = in.dependents;
    taxInput.column = in.taxColumn;
    const BonusTaxResult tax =
        BonusIncomeTax(taxInput, law.tax->salary, law.tax->bonus, law.rounding);
    slip.deduction(kIncomeTax) = Yen(tax.tax);
    slip.totals().deductions += Yen(tax.tax);
    slip.storeDeductionTotals();
    slip.otherItems();
    result.byMonthlyTable = tax.byMonthlyTable;
    return result;
}

}  // namespace keiro::calc
