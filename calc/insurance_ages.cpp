#include "calc/insurance_ages.h"

#include <chrono>

#include "core/entry.h"
#include "core/era.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

// The Gregorian year before year 1 of each birth era code 1..4 (明治, 大正, 昭和, 平成).
constexpr int kEraBase[] = {1867, 1911, 1925, 1988};

int monthNumber(CalendarMonth m) {
    return m.year * 12 + m.month - 1;
}

// The month of the `age`th birthday, or of the day before it: a birthday on the 1st has its day
// before in the previous month.
int birthdayMonth(const BirthDate& birth, int age, bool dayBefore) {
    const int month = monthNumber({birth.year + age, birth.month});
    return dayBefore && birth.day == 1 ? month - 1 : month;
}

}  // namespace

std::optional<BirthDate> birthDateOf(const EmployeeRecord& employee) {
    if (employee.birthYear == 0 || employee.birthEra < 1 || employee.birthEra > 4) {
        return std::nullopt;
    }
    const BirthDate birth{kEraBase[employee.birthEra - 1] + employee.birthYear, employee.birthMonth,
                          employee.birthDay};
    const std::chrono::year_month_day date{std::chrono::year(birth.year),
                                           std::chrono::month(employee.birthMonth),
                                           std::chrono::day(employee.birthDay)};
    if (!date.ok()) return std::nullopt;
    return birth;
}

std::vector<InsuranceAgeChange> insuranceAgeChanges(const EmployeeRecord& employee,
                                                    const BirthDate& birth,
                                                    CalendarMonth premiumMonth) {
    const int now = monthNumber(premiumMonth);
    const bool careAge =
        now >= birthdayMonth(birth, 40, true) && now < birthdayMonth(birth, 65, true);
    std::vector<InsuranceAgeChange> changes;
    if (employee.nursingInsured == 0 && employee.healthInsured != 0 && careAge) {
        changes.push_back(InsuranceAgeChange::CareStarts);
    }
    // Set before 40 is left alone: some health insurance societies collect care premiums from
    // younger members with a dependant of 40..64.
    if (employee.nursingInsured != 0 && now >= birthdayMonth(birth, 65, true)) {
        changes.push_back(InsuranceAgeChange::CareEnds);
    }
    if (employee.pensionInsured != 0 && now >= birthdayMonth(birth, 70, true)) {
        changes.push_back(InsuranceAgeChange::PensionEnds);
    }
    if (employee.healthInsured != 0 && now >= birthdayMonth(birth, 75, false)) {
        changes.push_back(InsuranceAgeChange::HealthEnds);
    }
    return changes;
}

InsuranceEnded insuranceEndedByAge(const BirthDate& birth, CalendarMonth month) {
    const int now = monthNumber(month);
    return {now >= birthdayMonth(birth, 65, true), now >= birthdayMonth(birth, 70, true),
            now >= birthdayMonth(birth, 75, false)};
}

bool isOver70Employee(const EmployeeRecord& employee, CalendarMonth month) {
    const std::optional<BirthDate> birth = birthDateOf(employee);
    if (!birth || monthNumber(month) < birthdayMonth(*birth, 70, true)) return false;
    return employee.social.over70Employee == 1 || employee.healthInsured != 0 ||
           employee.pensionInsured != 0;
}

std::optional<CalendarMonth> premiumMonthOf(const YearData& year) {
    const int period = year.period();
    if (period < 1 || period > kPeriodCount) return std::nullopt;
    const int month =
        isBonusPeriod(period) ? year.header().bonusPayMonth[period - kFirstBonusPeriod] : period;
    if (month < 1 || month > 12) return std::nullopt;
    const int calendarYear =
        calendarYearOf(EraYear{year.eraName(), year.eraYear()}, year.eraNames());
    return CalendarMonth{calendarYear, month};
}

std::string insuranceAgeLine(const std::string& name, InsuranceAgeChange change) {
    // In the order of InsuranceAgeChange.
    static constexpr const char* kTexts[] = {
        "介護保険の対象になりました（40歳）",
        "介護保険の対象外になりました（65歳）",
        "厚生年金保険の対象外になりました（70歳）",
        "健康保険の対象外になりました（75歳）",
    };
    return name + ": " + kTexts[static_cast<int>(change)];
}

std::vector<std::string> insuranceAgeNotices(const YearData& year) {
    std::vector<std::string> lines;
    const std::optional<CalendarMonth> premiumMonth = premiumMonthOf(year);
    if (!premiumMonth) return lines;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& e = year.block().employee(slot);
        if (!e.isUsed() || !isActiveEmployee(e)) continue;
        if (e.healthInsured == 0 && e.pensionInsured == 0) continue;
        const std::optional<BirthDate> birth = birthDateOf(e);
        if (!birth) continue;
        for (const InsuranceAgeChange change : insuranceAgeChanges(e, *birth, *premiumMonth)) {
            lines.push_back(insuranceAgeLine(e.name.utf8(), change));
        }
    }
    return lines;
}

}  // namespace keiro::calc
