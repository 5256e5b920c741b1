#pragma once
// Birth dates of the spouse and dependants, as the dependants dialog takes them: one box, typed
// either in the Western calendar or in an era, whichever the clerk has in front of them:
//   1985-04-01  1985/4/1  1985.4.1  19850401          Western year, month, day
//   S60.4.1  s60/4/1  昭和60年4月1日  S600401  H元.1.8  era letter (M T S H R) or era name
// Full-width digits and letters are read as half-width.  The date is stored in the Western
// calendar and shown as "1985-04-01".  A date that does not exist (2/30, 平成31 2/29), a year an
// era does not have (昭和65), or a day after 31 December of the data year is refused with a
// message that says why.

#include <optional>
#include <string>
#include <string_view>

#include "withholding/model/records.h"

namespace keiro::withholding {

struct ParsedBirth {
    std::optional<CalendarDateBytes> date;  // nothing when the box was empty or refused
    std::string error;                      // why it was refused; empty when it was not
    bool ok() const { return error.empty(); }
};

// Reads a birth date typed for a person counted in `dataYear` (the year of the withholding
// file).  An empty (or blank) text is "not entered", not an error.
ParsedBirth parseBirthDate(std::string_view typed, int dataYear);

// "1985-04-01", or empty when not entered.
std::string formatBirthDate(const CalendarDateBytes& date);

bool isBirthEntered(const CalendarDateBytes& date);

}  // namespace keiro::withholding
