#pragma once
// Suggested overtime and absence units for an employee: the wage that overtime is paid on
// (基本給 with 役職手当 and 固定手当１..３; 家族手当 and the commuting allowances are left out
// of it, as the law leaves them out of the basis of 割増賃金) per hour of the month's scheduled
// time, times the statutory premium.  The clerk sees them and may still type his own.

#include <cstdint>
#include <optional>

#include "core/records.h"
#include "core/settings.h"

namespace keiro::calc {

// Premiums in hundredths: 時間外 ×1.25, 深夜の時間外 ×1.50 (1.25 + 深夜 0.25), 休日 ×1.35,
// 休日の深夜 ×1.60 (1.35 + 0.25).
inline constexpr int kOvertimePercent = 125;
inline constexpr int kLateNightOvertimePercent = 150;
inline constexpr int kHolidayPercent = 135;
inline constexpr int kHolidayLateNightPercent = 160;

struct UnitPriceBasis {
    int payForm = 1;          // 1 月給, 2 日給, 3 時間給
    std::int64_t wage = 0;    // per month, per day or per hour by the pay form
    int minutesPerMonth = 0;  // 月平均所定労働時間 (月給)
    int daysPerMonth = 0;     // 所定労働日数 (月給: the absence unit)
    int minutesPerDay = 0;    // 日労働時間数 (日給)
};

struct UnitPrices {
    int overtime = 0;
    int lateNight = 0;
    int holidayOvertime = 0;
    int holidayLateNight = 0;
    int absencePerDay = 0;  // 月給 only; 0 for the others
    int latePerHour = 0;
};

// Hours as typed (or stored) in whole minutes; 0 for none, a negative or an absurd figure.
int minutesOfHours(double hours);

// The wage overtime is paid on, from the employee's record as entered.
UnitPriceBasis unitPriceBasisOf(const EmployeeRecord& employee);

// Overtime units rounded as 支給項目 are, the absence and lateness units as 減額項目; nothing
// when the wage or the time it is divided by is missing.
std::optional<UnitPrices> suggestUnitPrices(const UnitPriceBasis& basis,
                                            const RoundingSettings& rounding);

}  // namespace keiro::calc
