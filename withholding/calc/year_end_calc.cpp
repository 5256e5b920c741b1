#include "withholding/calc/year_end_calc.h"

#include <algorithm>
#include <cstddef>
#include <span>

#include "core/money.h"
#include "withholding/calc/employment_income.h"
#include "withholding/calc/year_end_law.h"

namespace keiro::withholding {
namespace {

constexpr std::int64_t kTaxableUnit = 1'000;
constexpr std::int64_t kTaxUnit = 100;

std::int64_t floorTo(std::int64_t value, std::int64_t unit) {
    return Yen(value).truncatedTo(unit).value();
}

// amount × rate, fractions of a yen cut off or rounded up.
std::int64_t cut(const Rate& rate, std::int64_t amount) {
    return rate.of(Yen(amount), Rounding::Down).value();
}
std::int64_t roundedUp(const Rate& rate, std::int64_t amount) {
    return rate.of(Yen(amount), Rounding::Up).value();
}

// The surtax rate: the tax and 2.1 % of it.
constexpr Rate kWithSurtax = Rate::units(1'021'000);

// The tax of the first row whose bound the taxable amount does not exceed; none past the last.
std::optional<std::int64_t> taxByRates(std::span<const RateBand> rates, std::int64_t taxable) {
    for (const RateBand& band : rates) {
        if (taxable <= band.upTo) return cut(Rate::percent(band.percent), taxable) - band.subtract;
    }
    return std::nullopt;
}

// The reconstruction surtax of 2.1 %, fractions of a yen cut off.
std::int64_t withSurtax(std::int64_t tax) {
    return cut(kWithSurtax, tax);
}

std::int64_t dependantAmount(const PersonAmounts& amounts, const YearEndInput& in) {
    return std::int64_t{in.generalDependants} * amounts.general +
           std::int64_t{in.specificDependants} * amounts.specific +
           std::int64_t{in.elderlyDependants} * amounts.elderly +
           std::int64_t{in.cohabitingParents} * amounts.cohabitingParentExtra;
}

std::int64_t disabilityAmount(const PersonAmounts& amounts, const YearEndInput& in) {
    std::int64_t total =
        std::int64_t{in.specialDisabled} * amounts.specialDisabled +
        std::int64_t{in.cohabitingSpecialDisabled} * amounts.cohabitingSpecialDisabledExtra +
        std::int64_t{in.otherDisabled} * amounts.disabled;
    if (in.selfSpecialDisabled) {
        total += amounts.specialDisabled;
    } else if (in.selfDisabled) {
        total += amounts.disabled;
    }
    return total;
}

std::int64_t sumOfDeductions(const YearEndInput& in, const YearEndResult& r,
                             bool withSmallEnterprise) {
    return in.socialInsurance + (withSmallEnterprise ? in.smallEnterprise : 0) + r.lifeInsurance +
           r.earthquakeInsurance + r.spouseDeduction + r.spouseSpecial + r.specificRelative +
           r.dependants + r.disability + r.widowOrSingleParent + r.workingStudent + r.basic;
}

// ---- up to 2019 ----------------------------------------------------------------------------

void traditionalTax(const YearEndInput& in, const YearEndLaw& law, YearEndResult& r) {
    const std::int64_t taxable = floorTo(
        std::max<std::int64_t>(0, r.incomeAfterDeduction - r.totalDeductions), kTaxableUnit);
    r.taxable = taxable;
    const std::optional<std::int64_t> computed = taxByRates(law.taxRates, taxable);
    if (!computed) {  // above the table: not adjusted here
        r.status = YearEndStatus::NotAdjusted;
        return;
    }
    r.computedTax = *computed;
    r.housingLoanUsed = std::min(in.housingLoanCredit, r.computedTax);
    const std::int64_t afterLoan = r.computedTax - r.housingLoanUsed;
    const bool surtaxFree = in.dataYear >= law.surtaxFreeFrom && in.dataYear <= law.surtaxFreeTo;
    std::int64_t tax = surtaxFree ? afterLoan : withSurtax(afterLoan);
    if (in.roundTaxTo100) tax = floorTo(tax, kTaxUnit);
    r.annualTax = tax;
    r.status = YearEndStatus::Calculated;
}

YearEndResult traditional(const YearEndInput& in, const YearEndLaw& law) {
    YearEndResult r;
    const bool legacy = in.dataYear < kFirstCurrentFormatYear;
    const PersonAmounts& amounts = law.amounts;

    if (in.manualSpouseSpecial) {
        r.spouseSpecial = *in.manualSpouseSpecial;
    } else if (!legacy && in.dataYear >= law.spouseSpecialTypedFrom) {
        r.spouseSpecial = in.spouseSpecialEntered;
    } else if (!in.spouse) {
        r.spouseSpecial = amountFor(law.spouseSpecialBySpouse, in.spouseIncome);
    }
    if (in.spouse) r.spouseDeduction = in.elderlySpouse ? amounts.elderlySpouse : amounts.spouse;
    // With the spouse flag set the special amount is not part of the total.
    const std::int64_t specialCounted = in.spouse ? 0 : r.spouseSpecial;

    r.employmentIncome = traditionalEmploymentIncome(in.paid, legacy);
    r.incomeAfterDeduction = in.manualIncomeAfterDeduction.value_or(r.employmentIncome);
    r.totalIncome = r.incomeAfterDeduction;

    r.lifeInsurance = in.lifeInsurance;
    r.earthquakeInsurance = in.earthquakeInsurance;
    r.dependants = dependantAmount(amounts, in);
    r.disability = disabilityAmount(amounts, in);
    if (in.widow == Widow::Special) {
        r.widowOrSingleParent = amounts.specialWidow;
    } else if (in.widow == Widow::General) {
        r.widowOrSingleParent = amounts.widow;
    } else if (in.widower) {
        r.widowOrSingleParent = amounts.widower;
    }
    if (in.workingStudent) r.workingStudent = amounts.workingStudent;
    r.basic = law.fixedBasic;
    r.spouseGiven = r.spouseDeduction + specialCounted;
    YearEndResult counted = r;
    counted.spouseSpecial = specialCounted;
    r.totalDeductions = in.manualTotalDeductions.value_or(sumOfDeductions(in, counted, !legacy));

    // The tax is worked out even when typed in, for the credit actually used.
    traditionalTax(in, law, r);
    if (in.manualAnnualTax) {
        r.annualTax = *in.manualAnnualTax;
        r.status = YearEndStatus::Calculated;
    }
    return r;
}

// ---- from 2020 -----------------------------------------------------------------------------

bool hasDependantUnder23(const YearEndInput& in) {
    return in.under16Dependants > 0 || in.specificDependants > 0 || in.youngDependantDeclared;
}

// 所得金額調整控除: above 8,500,000 of pay, for an employee who is specially disabled or has a
// dependant under 23 or a specially disabled spouse or dependant; 10 % of the pay above
// 8,500,000 up to 10,000,000, a fraction of a yen rounded up.
std::int64_t incomeAdjustment(const YearEndInput& in) {
    constexpr std::int64_t kFrom = 8'500'000;
    constexpr std::int64_t kTo = 10'000'000;
    const bool qualifies =
        in.selfSpecialDisabled || hasDependantUnder23(in) || in.specialDisabled > 0;
    if (!qualifies || in.paid <= kFrom) return 0;
    return roundedUp(Rate::percent(10), std::min(in.paid, kTo) - kFrom);
}

bool spouseCounted(const YearEndInput& in) {
    return in.spouse || in.spouseIncome > 0;
}

// The spouse deduction or the spouse special deduction by both incomes.
void statutorySpouse(const YearEndInput& in, const YearEndLaw& law, YearEndResult& r) {
    if (spouseCounted(in)) {
        const auto& bands = law.spouseEmployeeBands;
        const auto band = static_cast<std::size_t>(
            std::find_if(bands.begin(), bands.end(),
                         [&](std::int64_t upTo) { return r.totalIncome <= upTo; }) -
            bands.begin());
        if (band < bands.size()) {
            if (in.spouseIncome <= law.dependantIncomeLimit) {
                r.spouseDeduction =
                    (in.elderlySpouse ? law.elderlySpouseByBand : law.spouseByBand)[band];
            } else {
                for (const SpouseSpecialRow& row : law.spouseSpecial) {
                    if (in.spouseIncome <= row.upTo) {
                        r.spouseSpecial = row.byBand[band];
                        break;
                    }
                }
            }
        }
    }
    if (in.manualSpouseSpecial) r.spouseSpecial = *in.manualSpouseSpecial;
}

std::int64_t specificRelativeAmount(const YearEndInput& in, const YearEndLaw& law) {
    std::int64_t total = 0;
    for (std::int64_t income : in.specificRelativeIncomes) {
        if (income > law.dependantIncomeLimit) total += amountFor(law.specificRelative, income);
    }
    return total;
}

// The 2024 flat cut: 30,000 yen for the employee and each resident 同一生計配偶者 and dependant,
// under-16s included, while the employee's income is within the limit.  Also notes whether
// the spouse counted is one the monthly withholding did not count (not the 源泉控除対象配偶者:
// the employee's income or the spouse's above that spouse's limits).
void flatCut(const YearEndInput& in, const YearEndLaw& law, YearEndResult& r) {
    if (law.flatCutPerPerson == 0 || r.totalIncome > law.flatCutIncomeLimit) return;
    const bool spouse =
        spouseCounted(in) && !in.spouseNonResident && in.spouseIncome <= law.dependantIncomeLimit;
    const int dependants =
        std::max(0, in.generalDependants + in.specificDependants + in.elderlyDependants +
                        in.under16Dependants - in.nonResidentDependants);
    r.flatCutDue = std::int64_t{law.flatCutPerPerson} * (1 + (spouse ? 1 : 0) + dependants);
    r.flatCutSpouseNotDeductible = spouse && (r.totalIncome > law.withholdingSpouseEmployeeLimit ||
                                              in.spouseIncome > law.withholdingSpouseIncomeLimit);
}

void statutoryTax(const YearEndInput& in, const YearEndLaw& law, YearEndResult& r) {
    r.taxable = floorTo(std::max<std::int64_t>(0, r.incomeAfterDeduction - r.totalDeductions),
                        kTaxableUnit);
    // The table runs to the statutory top rate: every taxable amount has a row.
    r.computedTax = taxByRates(law.taxRates, r.taxable).value_or(0);
    r.housingLoanUsed = std::min(in.housingLoanCredit, r.computedTax);
    const std::int64_t afterLoan = r.computedTax - r.housingLoanUsed;
    flatCut(in, law, r);
    r.flatCut = std::min(afterLoan, r.flatCutDue);
    r.annualTax = floorTo(withSurtax(afterLoan - r.flatCut), kTaxUnit);
}

YearEndResult statutory(const YearEndInput& in, const YearEndLaw& law) {
    YearEndResult r;
    const PersonAmounts& amounts = law.amounts;
    r.employmentIncome = statutoryEmploymentIncome(in.paid, law.employment);
    r.incomeAdjustment = std::min(incomeAdjustment(in), r.employmentIncome);
    r.incomeAfterDeduction =
        in.manualIncomeAfterDeduction.value_or(r.employmentIncome - r.incomeAdjustment);
    r.totalIncome = std::max(in.incomeEstimate.value_or(0), r.incomeAfterDeduction);

    r.lifeInsurance = in.lifePremiums
                          ? lifeInsuranceDeduction(*in.lifePremiums, law.youngFamilyLifeInsurance &&
                                                                         hasDependantUnder23(in))
                          : in.lifeInsurance;
    r.earthquakeInsurance = in.earthquakePremiums
                                ? earthquakeInsuranceDeduction(*in.earthquakePremiums)
                                : in.earthquakeInsurance;
    statutorySpouse(in, law, r);
    r.spouseGiven = r.spouseDeduction + r.spouseSpecial;
    r.specificRelative = specificRelativeAmount(in, law);
    r.dependants = dependantAmount(amounts, in);
    r.disability = disabilityAmount(amounts, in);
    if (r.totalIncome <= law.singleParentIncomeLimit) {
        if (in.singleParent) {
            r.widowOrSingleParent = amounts.singleParent;
        } else if (in.widow != Widow::None) {
            r.widowOrSingleParent = amounts.widow;
        }
    }
    if (in.workingStudent && r.totalIncome <= law.workingStudentIncomeLimit) {
        r.workingStudent = amounts.workingStudent;
    }
    r.basic = basicDeduction(law, r.totalIncome);
    r.totalDeductions = in.manualTotalDeductions.value_or(sumOfDeductions(in, r, true));

    // The tax is worked out even when typed in, for the credit and the flat cut actually used.
    statutoryTax(in, law, r);
    if (in.manualAnnualTax) r.annualTax = *in.manualAnnualTax;
    r.status = YearEndStatus::Calculated;
    return r;
}

// Not adjusted: nothing is computed; the tax of the year is the tax withheld, so no
// difference arises.  Amounts typed in by hand stay as typed.
YearEndResult notAdjusted(const YearEndInput& in, NotAdjustedReason reason) {
    YearEndResult r;
    r.notNeeded = true;
    r.reason = reason;
    r.status = YearEndStatus::NotAdjusted;
    r.incomeAfterDeduction = in.manualIncomeAfterDeduction.value_or(0);
    r.totalDeductions = in.manualTotalDeductions.value_or(0);
    r.spouseSpecial = in.manualSpouseSpecial.value_or(0);
    r.annualTax = in.manualAnnualTax.value_or(in.withheld);
    return r;
}

}  // namespace

YearEndResult calculateYearEnd(const YearEndInput& input) {
    const NotAdjustedReason reason = whyNotAdjusted(
        {input.dataYear, input.paid, input.otsu, input.left, input.leaveExceptionStated});
    const YearEndLaw& law = yearEndLaw(input.dataYear);
    YearEndResult result;
    if (reason != NotAdjustedReason::None) {
        result = notAdjusted(input, reason);
    } else if (law.method == YearEndMethod::Traditional) {
        result = traditional(input, law);
    } else {
        result = statutory(input, law);
    }
    result.difference = result.annualTax - input.withheld;
    return result;
}

}  // namespace keiro::withholding
