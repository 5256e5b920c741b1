#include "withholding/edit/family_class.h"

#include "withholding/model/family_ages.h"

namespace keiro::withholding {

std::string familyClassText(const CalendarDateBytes& birth, int dataYear, FamilyRole role) {
    const std::optional<int> age = ageAtYearEnd(birth, dataYear);
    if (!age) return {};
    const std::string text = std::to_string(*age) + "歳 ";
    const AgeClass ageClass = ageClassOf(*age);
    if (ageClass == AgeClass::Elderly) return text + "老人";
    if (role == FamilyRole::Spouse) return text + "一般";
    switch (ageClass) {
        case AgeClass::Under16:
            return text + "年少";
        case AgeClass::Specific:
            return text + "特定";
        case AgeClass::General:
            return text + (*age < 19 ? "一般（16〜18歳）" : "一般");
        case AgeClass::Elderly:
        case AgeClass::NotEntered:
            break;
    }
    return {};
}

bool fitsSpecificRelativeAge(const CalendarDateBytes& birth, int dataYear) {
    const std::optional<int> age = ageAtYearEnd(birth, dataYear);
    return !age || ageClassOf(*age) == AgeClass::Specific;
}

}  // namespace keiro::withholding
