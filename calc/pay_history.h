#pragma once
// What a bonus calculation needs from other periods, read from the year files once per
// recalculation by the caller (never once per employee, never by the calculation itself):
// the 社保控除後計 of each employee in the month before the bonus's pay month, and the
// employee's earlier bonuses of the health insurance year.  This is the only part of the
// calculation that reads year files, and it reads only the periods it uses (with the headers):
// a damaged period that does not count for the bonus cannot stop it.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "calc/premiums.h"

namespace keiro {
class YearData;
}

namespace keiro::calc {

// Empty for a salary month.
struct PeriodInputs {
    // recordId (code page 932 bytes, as stored) → 社保控除後計 of its first slot.
    std::unordered_map<std::string, std::int32_t> previousPay;
    // Whether the month before the pay month is a saved period.  When it is not (the office
    // began with the program later), an employee's last month before the program as the clerk
    // entered it (EmployeeRecord::opening) stands in for it.
    bool previousMonthKept = false;
    BonusHistory history;
    // The bonus's pay month as yyyymm; 0 when it has none.
    std::int32_t payYearMonth = 0;

    // 0 when the employee was not found (or the month's file does not exist).
    std::int32_t previousPayAfterSocialIns(std::string_view recordId) const;
};

// For a bonus period: the month before the pay month M is period M−1 of the open file, or
// December of the previous year's file for M = 1 (nothing when that file does not exist, or
// when the bonus has no pay month).  IoError when a file that exists cannot be read, or when a
// period it uses is damaged.
PeriodInputs loadPeriodInputs(const YearData& year);

}  // namespace keiro::calc
