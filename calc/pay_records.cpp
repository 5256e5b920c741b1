#include "calc/pay_records.h"

namespace keiro::calc {

static_assert(PaymentRecord::kAmountCount == kPayItemCount);
static_assert(DeductionRecord::kAmountCount == kDeductionItemCount);

PayInput payInputOf(const EmployeeRecord& e, const AttendanceRecord& a, const PaymentRecord& p,
                    const DeductionRecord& d, const FormItems& items) {
    PayInput in;
    in.payForm = e.payForm;
    in.basePay = Yen(e.basePay);
    in.paidLeavePay = Yen(e.paidLeavePay);
    in.positionAllowance = Yen(e.positionAllowance);
    in.familyAllowance = Yen(e.familyAllowance);
    in.fixedAllowances = {Yen(e.fixedAllowance1), Yen(e.fixedAllowance2), Yen(e.fixedAllowance3)};
    in.commuteNonTaxable = Yen(e.commuteNonTaxable);
    in.commuteTaxable = Yen(e.commuteTaxable);
    in.overtimeRate = Yen(e.overtimeRate);
    in.lateNightRate = Yen(e.lateNightRate);
    in.holidayOvertimeRate = Yen(e.holidayOvertimeRate);
    in.holidayLateNightRate = Yen(e.holidayLateNightRate);
    in.absenceDeductionRate = Yen(e.absenceDeductionRate);
    in.lateDeductionRate = Yen(e.lateDeductionRate);
    in.fixedDeductions = {Yen(e.fixedDeduction1), Yen(e.fixedDeduction2), Yen(e.fixedDeduction3)};
    in.residentTax = Yen(e.residentTax);
    in.residentTaxJune = Yen(e.residentTaxJune);
    in.healthInsured = e.healthInsured != 0;
    in.nursingInsured = e.nursingInsured != 0;
    in.pensionInsured = e.pensionInsured != 0;
    in.pensionFundMember = e.pensionFundMember != 0;
    in.employmentInsured = e.employmentInsured != 0;
    in.healthPremium = Yen(e.healthInsPremium);
    in.nursingPremium = Yen(e.nursingInsPremium);
    in.pensionPremium = Yen(e.pensionPremium);
    in.pensionFundPremium = Yen(e.pensionFundPremium);
    in.supportPremium = Yen(e.supportPremium);
    in.taxColumn = e.taxColumn;
    in.dependents = e.dependentRelatives;

    in.daysWorked = a.daysWorked;
    in.paidLeaveDays = a.paidLeaveDays;
    in.absentDays = a.absentDays;
    in.hoursWorked = a.hoursWorked;
    in.overtimeHours = a.overtimeHours;
    in.lateNightHours = a.lateNightHours;
    in.holidayOvertimeHours = a.holidayOvertimeHours;
    in.holidayLateNightHours = a.holidayLateNightHours;
    in.lateHours = a.lateHours;

    for (int j = 1; j <= kPayItemCount; ++j) {
        in.payments[j - 1] = Yen(p.amount(j));
        in.paymentManual[j - 1] = p.isManual(j);
    }
    for (int j = 1; j <= kDeductionItemCount; ++j) {
        in.deductions[j - 1] = Yen(d.amount(j));
        in.deductionManual[j - 1] = d.isManual(j);
    }
    in.items = items;
    return in;
}

void storePayResult(const PayResult& result, PaymentRecord& p, DeductionRecord& d) {
    for (int j = 1; j <= kPayItemCount; ++j) {
        p.amount(j) = result.payments[j - 1].toInt32Clamped();
    }
    for (int j = 1; j <= kDeductionItemCount; ++j) {
        d.amount(j) = result.deductions[j - 1].toInt32Clamped();
    }
}

PremiumRates premiumRatesOf(const PeriodSettings& rates) {
    PremiumRates r;
    r.health = Rate::fromPercent(rates.healthInsRate);
    r.nursing = Rate::fromPercent(rates.nursingInsRate);
    r.pension = Rate::fromPercent(rates.pensionRate);
    r.pensionFund = Rate::fromPercent(rates.pensionFundRate);
    r.employment = Rate::fromPercent(rates.employmentInsRate);
    r.support = Rate::fromPercent(rates.supportRate);
    return r;
}

Law lawOf(const Settings& settings, const TaxTables& tax, const PeriodSettings& rates, bool bonus,
          bool june) {
    Law law;
    law.tax = &tax;
    law.rates = premiumRatesOf(rates);
    law.rounding = YenRounding(settings.rounding(bonus));
    law.taxableFlags = settings.taxableFlags;
    law.socialInsBaseFlags = settings.socialInsBaseFlags;
    law.hoursWorkedIncludeOvertime = settings.hoursWorkedIncludeOvertime;
    law.june = june;
    return law;
}

BonusInputs bonusInputsOf(const PeriodInputs& inputs, const EmployeeRecord& e) {
    BonusInputs bonus;
    // The 社保控除後計 of the month before the bonus; when that month is not in the files, the
    // last month paid before the program, as entered with the employee's opening totals.
    if (!inputs.previousMonthKept && e.opening.lastPayAfterSocial > 0) {
        bonus.previousMonthPay = Yen(e.opening.lastPayAfterSocial);
    } else {
        bonus.previousMonthPay = Yen(inputs.previousPayAfterSocialIns(e.recordId.bytes()));
    }
    bonus.earlierHealthYear = Yen(inputs.history.earlierTotal(e));
    bonus.earlierThisMonth = Yen(inputs.history.earlierThisMonth(e.recordId.bytes()));
    return bonus;
}

}  // namespace keiro::calc
