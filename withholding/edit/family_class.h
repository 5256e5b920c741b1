#pragma once
// What the dependants dialog shows beside a birth date: the person's age at 31 December of the
// data year and the class the law gives it (年少, 一般, 特定, 老人).  The age rule itself is the
// year-end calculation's; this only words it.

#include <string>

#include "withholding/model/records.h"

namespace keiro::withholding {

enum class FamilyRole { Spouse, Dependant };

// "17歳 一般（16〜18歳）", "20歳 特定", "8歳 年少", "72歳 老人"; empty when no birth date.
std::string familyClassText(const CalendarDateBytes& birth, int dataYear, FamilyRole role);

// Whether a 特定親族 born then is 19 to 22 at 31 December of the data year (true when no birth
// date is entered: nothing to warn about).
bool fitsSpecificRelativeAge(const CalendarDateBytes& birth, int dataYear);

inline constexpr std::string_view kMsgSpecificRelativeAge =
    "特定親族は12月31日現在で19歳以上23歳未満の方です。";

}  // namespace keiro::withholding
