#include "withholding/print/slip_figures.h"

#include "withholding/print/slip_entries.h"

namespace keiro::withholding {

long long spouseAmountShown(const WithholdingRecord& r, const EraYear& year) {
    if (r.figuresStored == 1) return r.spouseAmountGiven;
    if (r.spouseIncome > 0 || spouseSpecialAlwaysShown(year)) return r.spouseSpecial;
    return 0;
}

long long housingCreditShown(const WithholdingRecord& r) {
    return r.figuresStored == 1 ? r.housingLoanUsed : r.housingLoanCredit;
}

bool personMarkSet(const WithholdingRecord& r, PersonMark mark, const FormEdition& edition) {
    const PersonFlags& f = r.flags;
    switch (mark) {
        case PersonMark::Minor:
            return f.minor == 1;
        case PersonMark::Foreigner:
            return f.foreigner == 1;
        case PersonMark::RetiredByDeath:
            return f.retiredByDeath == 1;
        case PersonMark::DisasterVictim:
            return f.disasterVictim == 1;
        case PersonMark::SecondaryColumn:
            return f.secondaryColumn == 1;
        case PersonMark::DisabledSpecial:
            return f.disabledSpecial == 1;
        case PersonMark::DisabledOther:
            return f.disabledOther == 1;
        case PersonMark::Widow:
            if (edition.from2020)
                return (f.widow == 1 || f.widowSpecial == 1) && r.singleParent != 1;
            return f.widow == 1;
        case PersonMark::WidowSpecial:
            return f.widowSpecial == 1;
        case PersonMark::Widower:
            return f.widower == 1;
        case PersonMark::SingleParent:
            return r.singleParent == 1;
        case PersonMark::WorkingStudent:
            break;
    }
    return f.workingStudent == 1;
}

}  // namespace keiro::withholding
