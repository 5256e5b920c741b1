#include "calc/premiums.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

#include "calc/rounding.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

std::int32_t clampYen(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// One premium item: 0 when not on the form, the stored amount when entered by hand, else the
// computed amount.  Returns what the item now holds.
template <typename Compute>
std::int32_t settle(DeductionRecord& deductions, int item, bool onForm, Compute compute) {
    std::int32_t& amount = deductions.amount(item);
    if (!onForm) {
        amount = 0;
    } else if (!deductions.isManual(item)) {
        amount = compute();
    }
    return amount;
}

std::int32_t premiumIf(std::uint8_t insured, std::int32_t premium) {
    return insured != 0 ? premium : 0;
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
                                     const PeriodSettings& rates) {
    const double standard = table.standard(grade);
    const double pensionStandard = table.standard(table.pensionGrade(grade));
    MonthlyPremiums premiums;
    premiums.health = RoundInsurance(PercentOf(standard, rates.healthInsRate));
    premiums.nursing = clampYen(std::int64_t{RoundInsurance(PercentOf(
                                    standard, rates.healthInsRate + rates.nursingInsRate))} -
                                premiums.health);
    premiums.pension = RoundInsurance(PercentOf(pensionStandard, rates.pensionRate));
    premiums.pensionFund = RoundInsurance(PercentOf(pensionStandard, rates.pensionFundRate));
    premiums.support = SupportShare(standard, rates, false);
    premiums.supportWithCare = SupportShare(standard, rates, true);
    return premiums;
}

std::int32_t MonthlyEmploymentInsurance(std::int32_t total, double ratePercent) {
    return RoundEmploymentInsurance(PercentOf(total, ratePercent));
}

std::int32_t ApplyMonthlyPremiums(const EmployeeRecord& e, const PeriodSettings& rates,
                                  std::int32_t payTotal, const DeductionItemsActive& onForm,
                                  DeductionRecord& d) {
    std::int64_t sum = 0;
    sum += settle(d, kHealthInsItem, onForm.health,
                  [&] { return premiumIf(e.healthInsured, e.healthInsPremium); });
    sum += settle(d, kPensionItem, onForm.pension,
                  [&] { return premiumIf(e.pensionInsured, e.pensionPremium); });
    sum += settle(d, kPensionFundItem, onForm.pensionFund,
                  [&] { return premiumIf(e.pensionFundMember, e.pensionFundPremium); });
    sum += settle(d, kEmploymentInsItem, onForm.employment, [&] {
        return premiumIf(e.employmentInsured,
                         MonthlyEmploymentInsurance(payTotal, rates.employmentInsRate));
    });
    sum += settle(d, kNursingInsItem, onForm.nursing,
                  [&] { return premiumIf(e.nursingInsured, e.nursingInsPremium); });
    sum += settle(d, kSupportItem, onForm.support,
                  [&] { return premiumIf(e.healthInsured, e.supportPremium); });
    return clampYen(sum);
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
    const std::int32_t standardBonus = StandardBonus(payment.taxablePayTotal);
    const double healthBase = StandardBonusForHealth(history, e, standardBonus);
    const double pensionBase = PensionStandardBonus(history, e.recordId.bytes(), standardBonus);
    const double employmentBase = static_cast<double>(payment.payTotal) -
                                  static_cast<double>(payment.positionAllowanceAmount);

    std::int64_t sum = 0;
    sum += settle(d, kHealthInsItem, onForm.health, [&] {
        return premiumIf(e.healthInsured,
                         RoundInsurance(PercentOf(healthBase, rates.healthInsRate)));
    });
    sum += settle(d, kPensionItem, onForm.pension, [&] {
        return premiumIf(e.pensionInsured,
                         RoundInsurance(PercentOf(pensionBase, rates.pensionRate)));
    });
    sum += settle(d, kPensionFundItem, onForm.pensionFund, [&] {
        return premiumIf(e.pensionFundMember,
                         RoundInsurance(PercentOf(pensionBase, rates.pensionFundRate)));
    });
    sum += settle(d, kEmploymentInsItem, onForm.employment, [&] {
        return premiumIf(e.employmentInsured, RoundEmploymentInsurance(PercentOf(
                                                  employmentBase, rates.employmentInsRate)));
    });
    sum += settle(d, kNursingInsItem, onForm.nursing, [&] {
        const std::int32_t combined =
            RoundInsurance(PercentOf(healthBase, rates.healthInsRate + rates.nursingInsRate));
        return premiumIf(e.nursingInsured, clampYen(std::int64_t{combined} - d.healthInsAmount));
    });
    sum += settle(d, kSupportItem, onForm.support, [&] {
        return premiumIf(e.healthInsured, SupportShare(healthBase, rates, e.nursingInsured != 0));
    });
    return clampYen(sum);
}

}  // namespace keiro::calc
