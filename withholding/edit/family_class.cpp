#include "withholding/edit/family_class.h"

#include "withholding/edit/family_birth.h"

namespace keiro::withholding {
namespace {

// TODO(h27a): replace with the age rule of withholding/model/family_ages.h once merged.
// The age at 31 December of `year`: a person born on 1 January is a year older on the 31st.
int ageAtYearEnd(const CalendarDateBytes& birth, int year) {
    const int born = 1900 + birth.yearSince1900;
    return year - born + (birth.month == 1 && birth.day == 1 ? 1 : 0);
}

}  // namespace

std::string familyClassText(const CalendarDateBytes& birth, int dataYear, FamilyRole role) {
    if (!isBirthEntered(birth)) return {};
    const int age = ageAtYearEnd(birth, dataYear);
    std::string text = std::to_string(age) + "歳 ";
    if (age >= 70) return text + "老人";
    if (role == FamilyRole::Spouse) return text + "一般";
    if (age < 16) return text + "年少";
    if (age <= 18) return text + "一般（16〜18歳）";
    if (age <= 22) return text + "特定";
    return text + "一般";
}

bool fitsSpecificRelativeAge(const CalendarDateBytes& birth, int dataYear) {
    if (!isBirthEntered(birth)) return true;
    const int age = ageAtYearEnd(birth, dataYear);
    return age >= 19 && age <= 22;
}

}  // namespace keiro::withholding
