#include "withholding/adjust/record_input.h"

#include <algorithm>

#include "withholding/calc/year_end_law.h"
#include "withholding/model/declaration_limits.h"
#include "withholding/model/family_ages.h"

namespace keiro::withholding {
namespace {

Widow widowOf(const PersonFlags& flags) {
    if (flags.widowSpecial != 0) return Widow::Special;
    return flags.widow != 0 ? Widow::General : Widow::None;
}

template <typename Record>
std::optional<std::int64_t> handValue(const Record& record, int item, std::int32_t value) {
    if (!record.isManual(item)) return std::nullopt;
    return value;
}

// The premiums of the three life insurance categories, when any is given.
template <typename Record>
std::optional<LifePremiums> lifePremiumsOf(const Record& r) {
    const LifePremiums premiums{r.lifeNew, r.lifeOld, r.medicalCare, r.pensionNew, r.pensionOld};
    if (premiums.generalNew == 0 && premiums.generalOld == 0 && premiums.careMedical == 0 &&
        premiums.pensionNew == 0 && premiums.pensionOld == 0) {
        return std::nullopt;
    }
    return premiums;
}

// The inputs both formats hold; the spouse flag is the caller's, since its byte differs.
template <typename Record>
YearEndInput commonInput(const Record& r, const RecordContext& context) {
    YearEndInput in;
    in.dataYear = context.dataYear;
    in.paid = r.paid;
    in.withheld = r.withheld;
    in.socialInsurance = r.socialInsurance;
    in.lifeInsurance = limitLifeInsuranceDeduction(r.lifeInsurance, context.dataYear).value;
    in.earthquakeInsurance =
        limitEarthquakeDeduction(r.earthquakeInsurance, context.dataYear).value;
    in.housingLoanCredit = r.housingLoanCredit;
    in.lifePremiums = lifePremiumsOf(r);

    in.elderlySpouse = r.spouseElderly != 0;
    in.spouseIncome = r.spouseIncome;
    in.spouseSpecialEntered = r.spouseSpecial;

    in.specificDependants = r.dependants.specific;
    in.elderlyDependants = r.dependants.elderly;
    in.cohabitingParents = r.dependants.elderlyLivingTogether;
    in.generalDependants = r.dependants.general;
    in.under16Dependants = r.under16;
    in.specialDisabled = r.disabled.special;
    in.cohabitingSpecialDisabled = r.disabled.specialLivingTogether;
    in.otherDisabled = r.disabled.other;

    in.selfSpecialDisabled = r.flags.disabledSpecial != 0;
    in.selfDisabled = r.flags.disabledOther != 0;
    in.widow = widowOf(r.flags);
    in.widower = r.flags.widower != 0;
    in.workingStudent = r.flags.workingStudent != 0;

    in.otsu = r.flags.secondaryColumn != 0;
    in.roundTaxTo100 = context.roundTaxTo100;

    in.manualIncomeAfterDeduction =
        handValue(r, kManualIncomeAfterDeduction, r.incomeAfterDeduction);
    in.manualTotalDeductions = handValue(r, kManualTotalDeductions, r.totalDeductions);
    in.manualAnnualTax = handValue(r, kManualAnnualTax, r.annualTax);
    in.manualSpouseSpecial = handValue(r, kManualSpouseSpecial, r.spouseSpecial);
    return in;
}

// The counts the birth dates give, where they are complete and the clerk did not keep typed
// counts against them.  同居老親等 cannot be seen in a date: the typed part stays, at most the
// elderly the dates give.
void applyFamilyDates(YearEndInput& in, const DerivedFamilyCounts& family, bool typedKept) {
    if (family.complete && !typedKept) {
        in.generalDependants = family.general;
        in.specificDependants = family.specific;
        in.elderlyDependants = family.elderly;
        in.cohabitingParents = std::min(in.cohabitingParents, family.elderly);
        in.under16Dependants = family.under16;
        in.nonResidentDependants = family.nonResident;
    }
    in.youngDependantDeclared = in.youngDependantDeclared || family.dependantUnder23;
    if (family.spouseAgeKnown && !typedKept) in.elderlySpouse = family.spouseElderly;
}

}  // namespace

void raiseCountsToCohabiting(DependantCounts& dependants, DisabledCounts& disabled) {
    dependants.elderly = std::max(dependants.elderly, dependants.elderlyLivingTogether);
    disabled.special = std::max(disabled.special, disabled.specialLivingTogether);
}

YearEndInput yearEndInputOf(const WithholdingRecord& r, const WithholdingSupplement& supplement,
                            const RecordContext& context) {
    YearEndInput in = commonInput(r, context);
    in.spouse = r.spouseDeductible != 0;
    in.spouseNonResident = r.spouse.nonResident != 0;
    in.smallEnterprise = r.smallBusinessMutualAid;
    in.nonResidentDependants = r.nonResidentRelatives;
    if (r.incomeEstimateEntered == 1) in.incomeEstimate = r.incomeEstimate;
    in.singleParent = r.singleParent != 0;
    in.left = context.left || r.joinLeaveBirth.left != 0;
    in.leaveExceptionStated = leaveExceptionStated(r);
    for (std::int32_t income : r.specificRelativeIncome) {
        if (income != 0) in.specificRelativeIncomes.push_back(income);
    }
    if (r.earthquakePremium != 0 || r.oldLongTermInsurance != 0) {
        in.earthquakePremiums = EarthquakePremiums{r.earthquakePremium, r.oldLongTermInsurance};
    }
    applyFamilyDates(in, deriveFamilyCounts(r, supplement, context.dataYear),
                     r.typedCountsKept == 1);
    return in;
}

YearEndInput yearEndInputOf(const WithholdingRecord& r, const RecordContext& context) {
    static const WithholdingSupplement kNone{};
    return yearEndInputOf(r, kNone, context);
}

YearEndInput yearEndInputOf(const LegacyWithholdingRecord& r, const RecordContext& context) {
    YearEndInput in = commonInput(r, context);
    in.spouse = r.spouseFlags[LegacyWithholdingRecord::kSpouseYes] != 0;
    return in;
}

bool spouseSpecialComputed(int dataYear, bool currentFormat) {
    const YearEndLaw& law = yearEndLaw(dataYear);
    return !(currentFormat && law.method == YearEndMethod::Traditional &&
             dataYear >= law.spouseSpecialTypedFrom);
}

bool leaveExceptionStated(const WithholdingRecord& record) {
    return (record.leaveException >= kLeaveByDeath && record.leaveException <= kLeavePartTimer) ||
           record.flags.retiredByDeath != 0;
}

}  // namespace keiro::withholding
