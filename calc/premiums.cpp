#include "calc/premiums.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

#include "calc/pay_records.h"
#include "calc/rounding.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

std::int32_t clampYen(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// rate × base by the 50銭 rule, as a record holds it.
std::int32_t premiumOn(const Rate& rate, Yen base) {
    return rate.of(base, Rounding::Premium).toInt32Clamped();
}

// The premium items of the form, and no other item.
FormItems premiumForm(const DeductionItemsActive& onForm) {
    FormItems items;
    items.deduction[kHealthInsItem - 1] = onForm.health;
    items.deduction[kPensionItem - 1] = onForm.pension;
    items.deduction[kPensionFundItem - 1] = onForm.pensionFund;
    items.deduction[kEmploymentInsItem - 1] = onForm.employment;
    items.deduction[kNursingInsItem - 1] = onForm.nursing;
    items.support = onForm.support;
    return items;
}

// The six premium items back into the record.
void storePremiums(const DeductionAmounts& amounts, DeductionRecord& d) {
    for (const int item : {kHealthInsItem, kPensionItem, kPensionFundItem, kEmploymentInsItem,
                           kNursingInsItem, kSupportItem}) {
        d.amount(item) = amounts[item - 1].toInt32Clamped();
    }
}

}  // namespace

bool SupportLevyDue(int calendarYear, int month) {
    return calendarYear > kSupportFirstYear ||
           (calendarYear == kSupportFirstYear && month >= kSupportFirstMonth);
}

bool SupportLevyDueInPeriod(const YearData& year) {
    const int period = year.period();
    if (period < 1 || period > kPeriodCount) return false;
    const int calendarYear = calendarYearOf({year.eraName(), year.eraYear()}, year.eraNames());
    if (isBonusPeriod(period)) {
        const int payMonth = year.header().bonusPayMonth[period - kFirstBonusPeriod];
        return payMonth >= 1 && payMonth <= 12 && SupportLevyDue(calendarYear, payMonth);
    }
    return period == 1 ? SupportLevyDue(calendarYear - 1, 12)
                       : SupportLevyDue(calendarYear, period - 1);
}

std::int32_t SupportShare(double base, const PeriodSettings& rates, bool paysCare) {
    if (rates.supportRate == 0) return 0;
    const double withoutLevy = rates.healthInsRate + (paysCare ? rates.nursingInsRate : 0.0);
    return clampYen(std::int64_t{RoundInsurance(PercentOf(base, withoutLevy + rates.supportRate))} -
                    RoundInsurance(PercentOf(base, withoutLevy)));
}

MonthlyPremiums SetPremiumsFromGrade(const HealthGradeTable& table, int grade,
                                     const PeriodSettings& periodRates) {
    const Yen standard(table.standard(grade));
    const Yen pensionStandard(table.standard(table.pensionGrade(grade)));
    const PremiumRates rates = premiumRatesOf(periodRates);
    MonthlyPremiums premiums;
    premiums.health = premiumOn(rates.health, standard);
    premiums.nursing =
        clampYen(std::int64_t{premiumOn(rates.health + rates.nursing, standard)} - premiums.health);
    premiums.pension = premiumOn(rates.pension, pensionStandard);
    premiums.pensionFund = premiumOn(rates.pensionFund, pensionStandard);
    premiums.support = supportShare(standard, rates, false).toInt32Clamped();
    premiums.supportWithCare = supportShare(standard, rates, true).toInt32Clamped();
    return premiums;
}

std::int32_t MonthlyEmploymentInsurance(std::int32_t total, double ratePercent) {
    return Rate::fromPercent(ratePercent)
        .of(Yen(total), Rounding::EmploymentInsurance)
        .toInt32Clamped();
}

std::int32_t ApplyMonthlyPremiums(const EmployeeRecord& e, const PeriodSettings& rates,
                                  std::int32_t payTotal, const DeductionItemsActive& onForm,
                                  DeductionRecord& d) {
    const PayInput in = payInputOf(e, AttendanceRecord{}, PaymentRecord{}, d, premiumForm(onForm));
    DeductionAmounts amounts = in.deductions;
    const Yen sum = monthlyPremiums(in, premiumRatesOf(rates), Yen(payTotal), amounts);
    storePremiums(amounts, d);
    return sum.toInt32Clamped();
}

// --- bonuses ------------------------------------------------------------------------------

std::int32_t StandardBonus(std::int32_t taxablePayTotal) {
    return taxablePayTotal / kStandardBonusUnit * kStandardBonusUnit;
}

std::int32_t PensionStandardBonus(std::int32_t standardBonus) {
    return std::min(standardBonus, kPensionBonusCap);
}

// Each earlier bonus counts with its own standard bonus as it was capped when paid.  Taken in
// payment order, the capped amounts add up to the uncapped standard bonuses' sum held to the
// cap, so the order of adding does not matter: the cap is applied on reading.
void BonusHistory::add(const PeriodBlock& block, bool sameMonth) {
    std::unordered_set<std::string_view> seen;  // the first slot of an employee counts
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const std::string_view id = block.employee(slot).recordId.bytes();
        if (id.empty() || !seen.insert(id).second) continue;
        const std::int32_t standard = StandardBonus(block.payments[slot - 1].taxablePayTotal);
        totals_[std::string(id)] += std::max(standard, 0);  // a negative bonus has none
        if (sameMonth) sameMonth_[std::string(id)] += std::max(standard, 0);
    }
}

std::int64_t BonusHistory::earlierTotal(std::string_view recordId) const {
    const auto found = totals_.find(std::string(recordId));
    return found == totals_.end() ? 0 : std::min<std::int64_t>(found->second, kHealthBonusYearCap);
}

std::int64_t BonusHistory::earlierTotal(const EmployeeRecord& employee) const {
    const SocialInsuranceFields& social = employee.social;
    const std::int64_t carried = healthYear_ != 0 && social.carriedBonusYear == healthYear_
                                     ? std::max<std::int64_t>(social.carriedBonus, 0)
                                     : 0;
    return std::min<std::int64_t>(earlierTotal(employee.recordId.bytes()) + carried,
                                  kHealthBonusYearCap);
}

std::int64_t BonusHistory::earlierThisMonth(std::string_view recordId) const {
    const auto found = sameMonth_.find(std::string(recordId));
    return found == sameMonth_.end() ? 0 : std::min<std::int64_t>(found->second, kPensionBonusCap);
}

namespace {

std::int32_t withinCap(std::int64_t earlier, std::int32_t standardBonus, std::int64_t cap) {
    if (earlier + standardBonus > cap) return static_cast<std::int32_t>(cap - earlier);
    return standardBonus;
}

}  // namespace

std::int32_t StandardBonusForHealth(const BonusHistory& history, std::string_view recordId,
                                    std::int32_t standardBonus) {
    return withinCap(history.earlierTotal(recordId), standardBonus, kHealthBonusYearCap);
}

std::int32_t StandardBonusForHealth(const BonusHistory& history, const EmployeeRecord& employee,
                                    std::int32_t standardBonus) {
    return withinCap(history.earlierTotal(employee), standardBonus, kHealthBonusYearCap);
}

std::int32_t PensionStandardBonus(const BonusHistory& history, std::string_view recordId,
                                  std::int32_t standardBonus) {
    return withinCap(history.earlierThisMonth(recordId), standardBonus, kPensionBonusCap);
}

std::int32_t BonusSocialInsurance(const EmployeeRecord& e, const PeriodSettings& rates,
                                  const PaymentRecord& payment, const BonusHistory& history,
                                  const DeductionItemsActive& onForm, DeductionRecord& d) {
    const PayInput in = payInputOf(e, AttendanceRecord{}, payment, d, premiumForm(onForm));
    Law law;
    law.rates = premiumRatesOf(rates);
    BonusInputs earlier;
    earlier.earlierHealthYear = Yen(history.earlierTotal(e));
    earlier.earlierThisMonth = Yen(history.earlierThisMonth(e.recordId.bytes()));
    DeductionAmounts amounts = in.deductions;
    const Yen sum = bonusPremiums(in, law, Yen(payment.taxablePayTotal),
                                  Yen(payment.payTotal) - Yen(payment.positionAllowanceAmount),
                                  earlier, amounts);
    storePremiums(amounts, d);
    return sum.toInt32Clamped();
}

}  // namespace keiro::calc
