#pragma once
// The ages at which an employee's social insurance changes, measured against the month a period's
// premiums are for, so the clerk can be told which insurance flags of the employee master no
// longer fit.  Nothing here changes a record: the flags are set by hand in the employee editor.
//
// The rules, by calendar month of the premium (a month's premium is due for the whole month in
// which the insurance begins, and not for the month in which it ends):
//  - 介護保険 is due with health insurance from the month containing the day before the 40th
//    birthday (the age is reached at the end of that day), and no longer from the month
//    containing the day before the 65th birthday (from then on it is collected with the pension).
//  - 厚生年金保険 ends at 70: not due from the month containing the day before the 70th birthday.
//  - 健康保険 ends at 75, when the employee joins 後期高齢者医療 on the 75th birthday itself: not
//  due
//    from the month containing the birthday.
// So a birthday on the 1st moves the changes at 40, 65 and 70 one month earlier than a birthday
// on the 2nd, but not the one at 75.
//
// The premium month is the period's own month for a salary month and the pay month of a bonus.

#include <optional>
#include <string>
#include <vector>

#include "core/records.h"

namespace keiro {
class YearData;
}

namespace keiro::calc {

// A calendar month.
struct CalendarMonth {
    int year = 0;
    int month = 0;  // 1..12

    friend auto operator<=>(const CalendarMonth&, const CalendarMonth&) = default;
};

// A date of the Gregorian calendar.
struct BirthDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// What should change in an employee's insurance flags.
enum class InsuranceAgeChange {
    CareStarts,   // 介護保険 is due (40) but not set
    CareEnds,     // 介護保険 is set but no longer due (65)
    PensionEnds,  // 厚生年金保険 is set but no longer due (70)
    HealthEnds,   // 健康保険 is set but no longer due (75)
};

// The employee's birth date in the Gregorian calendar (era codes 1 明治, 2 大正, 3 昭和, 4 平成);
// nothing when no birth date is recorded or it is not a date.
std::optional<BirthDate> birthDateOf(const EmployeeRecord& employee);

// The flags of `employee` that disagree with the ages above in `premiumMonth`, in the order
// care, pension, health.  Care is due only for an employee in health insurance.
std::vector<InsuranceAgeChange> insuranceAgeChanges(const EmployeeRecord& employee,
                                                    const BirthDate& birth,
                                                    CalendarMonth premiumMonth);

// The insurances the age has ended in `month`: care from the month of the day before the 65th
// birthday, pension (and its fund) from that of the day before the 70th, health (and with it
// care and the 子ども・子育て支援金) from the month of the 75th birthday.
struct InsuranceEnded {
    bool care = false;
    bool pension = false;
    bool health = false;
};
InsuranceEnded insuranceEndedByAge(const BirthDate& birth, CalendarMonth month);

// Whether `employee` is a 70歳以上被用者 in `month`: 70 or over by the pension rule above and
// either marked as one or still carrying the health or pension flag.  Such an employee pays no
// pension premium, and from 75 no health premium either, but is still reported to the pension
// office on the April-June decision, the revisions and the bonus report.
bool isOver70Employee(const EmployeeRecord& employee, CalendarMonth month);

// The month the open period's premiums are for; nothing when no period is open or a bonus has
// no pay month.
std::optional<CalendarMonth> premiumMonthOf(const YearData& year);

// One line per change: "佐藤 健一: 介護保険の対象になりました（40歳）".
std::string insuranceAgeLine(const std::string& name, InsuranceAgeChange change);

// The lines for the open period: every used, 在職 employee in health or pension insurance with a
// birth date whose flags disagree, in slot order.  Empty when nothing disagrees.
std::vector<std::string> insuranceAgeNotices(const YearData& year);

}  // namespace keiro::calc
