#include "calc/pay_records.h"

#include <cstddef>
#include <cstring>

#include "calc/insurance_ages.h"

namespace keiro::calc {
namespace {

// The amounts 1..22 of both records are their first 22 fields, in item order; the hand-entry
// flags one byte each, 1 when set.  Read and written as blocks: a recalculation does this for
// every employee.
static_assert(PaymentRecord::kAmountCount == kPayItemCount);
static_assert(DeductionRecord::kAmountCount == kDeductionItemCount);
static_assert(offsetof(PaymentRecord, basePayAmount) == 0);
static_assert(offsetof(PaymentRecord, otherItem3) == 4 * (kPayItemCount - 1));
static_assert(offsetof(DeductionRecord, healthInsAmount) == 0);
static_assert(offsetof(DeductionRecord, yearEndSettlement) == 4 * (kDeductionItemCount - 1));

template <std::size_t N, typename Record>
std::array<Yen, N> amountsOf(const Record& record) {
    std::int32_t raw[N];
    std::memcpy(raw, &record, sizeof raw);
    std::array<Yen, N> amounts;
    for (std::size_t j = 0; j < N; ++j) amounts[j] = Yen(raw[j]);
    return amounts;
}

template <std::size_t N, typename Record>
std::array<bool, N> manualOf(const Record& record) {
    static_assert(N <= kManualFlagCount);
    std::array<bool, N> manual;
    for (std::size_t j = 0; j < N; ++j) manual[j] = record.manualFlags[j] == 1;
    return manual;
}

// Every amount is narrowed, and whether any lay outside the 32-bit range noted on the way (v
// is within it exactly when v + 2^31 has nothing above its low 32 bits), so the common case is
// one pass without branches; only a record with an amount outside the range is clamped.
template <typename Record, std::size_t N>
void writeAmounts(const std::array<Yen, N>& amounts, Record& record) {
    std::int32_t raw[N];
    std::uint64_t outside = 0;
    for (std::size_t j = 0; j < N; ++j) {
        const std::int64_t v = amounts[j].value();
        raw[j] = static_cast<std::int32_t>(v);
        outside |= (static_cast<std::uint64_t>(v) + 0x8000'0000u) >> 32;
    }
    if (outside != 0) {
        for (std::size_t j = 0; j < N; ++j) raw[j] = amounts[j].toInt32Clamped();
    }
    std::memcpy(&record, raw, sizeof raw);
}

}  // namespace

// Every member is named, so the input is written once and never zeroed first.
PayInput payInputOf(const EmployeeRecord& e, const AttendanceRecord& a, const PaymentRecord& p,
                    const DeductionRecord& d, const FormItems& items) {
    return PayInput{
        .payForm = e.payForm,
        .basePay = Yen(e.basePay),
        .paidLeavePay = Yen(e.paidLeavePay),
        .positionAllowance = Yen(e.positionAllowance),
        .familyAllowance = Yen(e.familyAllowance),
        .fixedAllowances = {Yen(e.fixedAllowance1), Yen(e.fixedAllowance2), Yen(e.fixedAllowance3)},
        .commuteNonTaxable = Yen(e.commuteNonTaxable),
        .commuteTaxable = Yen(e.commuteTaxable),
        .overtimeRate = Yen(e.overtimeRate),
        .lateNightRate = Yen(e.lateNightRate),
        .holidayOvertimeRate = Yen(e.holidayOvertimeRate),
        .holidayLateNightRate = Yen(e.holidayLateNightRate),
        .absenceDeductionRate = Yen(e.absenceDeductionRate),
        .lateDeductionRate = Yen(e.lateDeductionRate),
        .fixedDeductions = {Yen(e.fixedDeduction1), Yen(e.fixedDeduction2), Yen(e.fixedDeduction3)},
        .residentTax = Yen(e.residentTax),
        .residentTaxJune = Yen(e.residentTaxJune),
        .healthInsured = e.healthInsured != 0,
        .nursingInsured = e.nursingInsured != 0,
        .pensionInsured = e.pensionInsured != 0,
        .pensionFundMember = e.pensionFundMember != 0,
        .employmentInsured = e.employmentInsured != 0,
        .healthPremium = Yen(e.healthInsPremium),
        .nursingPremium = Yen(e.nursingInsPremium),
        .pensionPremium = Yen(e.pensionPremium),
        .pensionFundPremium = Yen(e.pensionFundPremium),
        .supportPremium = Yen(e.supportPremium),
        .taxColumn = e.taxColumn,
        .dependents = e.dependentRelatives,

        .daysWorked = a.daysWorked,
        .paidLeaveDays = a.paidLeaveDays,
        .absentDays = a.absentDays,
        .hoursWorked = a.hoursWorked,
        .overtimeHours = a.overtimeHours,
        .lateNightHours = a.lateNightHours,
        .holidayOvertimeHours = a.holidayOvertimeHours,
        .holidayLateNightHours = a.holidayLateNightHours,
        .lateHours = a.lateHours,

        .payments = amountsOf<kPayItemCount>(p),
        .deductions = amountsOf<kDeductionItemCount>(d),
        .paymentManual = manualOf<kPayItemCount>(p),
        .deductionManual = manualOf<kDeductionItemCount>(d),
        .items = items,
    };
}

void storePayResult(const PayResult& result, PaymentRecord& p, DeductionRecord& d) {
    writeAmounts(result.payments, p);
    writeAmounts(result.deductions, d);
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

void applyInsuranceAges(PayInput& input, const EmployeeRecord& e, int premiumYearMonth) {
    const std::optional<BirthDate> birth = birthDateOf(e);
    if (premiumYearMonth == 0 || !birth) return;
    const InsuranceEnded ended =
        insuranceEndedByAge(*birth, {premiumYearMonth / 100, premiumYearMonth % 100});
    if (ended.care) input.nursingInsured = false;
    if (ended.pension) input.pensionInsured = input.pensionFundMember = false;
    if (ended.health) input.healthInsured = input.nursingInsured = false;
}

BonusInputs bonusInputsOf(const PeriodInputs& inputs, const EmployeeRecord& e,
                          const PaymentRecord& bonusPay) {
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
    const std::int32_t lossDate = e.social.insuredUntil;
    constexpr std::uint8_t kExemptLeave = 2;  // 産前産後休業・育児休業 with the premiums exempt
    bonus.premiumExempt =
        (inputs.payYearMonth != 0 && lossDate != 0 && lossDate / 100 == inputs.payYearMonth) ||
        bonusPay.leaveKind == kExemptLeave;
    return bonus;
}

}  // namespace keiro::calc
