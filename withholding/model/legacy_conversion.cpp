#include "withholding/model/legacy_conversion.h"

#include <cstring>

namespace keiro::withholding {
namespace {

// Texts are carried as texts: the wider field gets the same length and bytes, and zeros after.
template <std::size_t To, std::size_t From>
void copyText(PStr<To>& to, const PStr<From>& from) {
    static_assert(To >= From);
    to.clear();
    to.assignBytes(from.bytes());
}

}  // namespace

void convertLegacyRecord(const LegacyWithholdingRecord& legacy, WithholdingRecord& out) {
    std::memset(&out, 0, sizeof out);
    copyText(out.postalCode, legacy.postalCode);
    copyText(out.address1, legacy.address1);
    copyText(out.address2, legacy.address2);
    copyText(out.recipientNumber, legacy.recipientNumber);
    copyText(out.furigana, legacy.furigana);
    copyText(out.position, legacy.position);

    out.spouseDeductible = legacy.spouseFlags[LegacyWithholdingRecord::kSpouseYes];
    out.spouseSecondary = legacy.spouseFlags[LegacyWithholdingRecord::kSpouseSecondaryYes];
    out.spouseElderly = legacy.spouseElderly;
    out.spouseSpecial = legacy.spouseSpecial;
    out.dependants = legacy.dependants;
    out.under16 = legacy.under16;
    out.disabled = legacy.disabled;

    out.socialInsurance = legacy.socialInsurance;
    out.lifeInsurance = legacy.lifeInsurance;
    out.earthquakeInsurance = legacy.earthquakeInsurance;
    out.housingLoanCredit = legacy.housingLoanCredit;
    out.spouseIncome = legacy.spouseIncome;
    out.oldLongTermInsurance = legacy.oldLongTermInsurance;
    out.flags = legacy.flags;
    out.joinLeaveBirth = legacy.joinLeaveBirth;

    out.lifeNew = legacy.lifeNew;
    out.lifeOld = legacy.lifeOld;
    out.medicalCare = legacy.medicalCare;
    out.pensionNew = legacy.pensionNew;
    out.pensionOld = legacy.pensionOld;
    out.housingLoanAvailable = legacy.housingLoanAvailable;
    out.nationalPension = legacy.nationalPension;
    out.residenceStart[0] = legacy.residenceStart;
    out.smallBusinessMutualAid = legacy.smallBusinessMutualAid;
}

}  // namespace keiro::withholding
