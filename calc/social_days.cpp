#include "calc/social_days.h"

#include <algorithm>
#include <cmath>

#include "core/entry.h"

namespace keiro::calc {

int calendarDaysOf(int calendarYear, int month) {
    return daysInMonth(calendarYear, month);
}

int calendarDaysFrom(int calendarYear, int month, int insuredSince) {
    const int days = calendarDaysOf(calendarYear, month);
    const int first = calendarYear * 10'000 + month * 100 + 1;
    if (insuredSince <= first || insuredSince >= first + days) return days;
    return days - (insuredSince - first);
}

int derivedPayBasisDays(const EmployeeRecord& employee, const AttendanceRecord& attendance,
                        bool absenceDeducted, int periodCalendarDays) {
    if (employee.payForm == 1) {
        // Without a deduction for absence the pay covers the whole period; with one it is based
        // on the scheduled working days less the days absent.  A month whose scheduled days
        // were never entered falls back to the calendar.
        const double absent = std::floor(std::max(0.0, attendance.absentDays));
        if (absent <= 0 || !absenceDeducted) return periodCalendarDays;
        const double scheduled = attendance.scheduledDays > 0 && attendance.scheduledDays <= 31
                                     ? std::floor(attendance.scheduledDays)
                                     : periodCalendarDays;
        return std::max(0, static_cast<int>(scheduled - absent));
    }
    const double days = std::ceil(std::max(0.0, attendance.daysWorked)) +
                        std::ceil(std::max(0.0, attendance.paidLeaveDays));
    return static_cast<int>(std::min(days, 31.0));
}

bool payBasisDaysCorrected(const AttendanceRecord& attendance) {
    return attendance.payBasisDaysSet == 1.0;
}

int payBasisDays(const EmployeeRecord& employee, const AttendanceRecord& attendance,
                 bool absenceDeducted, int periodCalendarDays) {
    if (payBasisDaysCorrected(attendance) && std::isfinite(attendance.payBasisDays)) {
        return static_cast<int>(std::clamp(attendance.payBasisDays, 0.0, 31.0));
    }
    return derivedPayBasisDays(employee, attendance, absenceDeducted, periodCalendarDays);
}

int uncorrectedMonthDays(const EmployeeRecord& employee, const AttendanceRecord& attendance,
                         bool absenceDeducted, std::int64_t pay, int periodCalendarDays) {
    return pay <= 0
               ? 0
               : derivedPayBasisDays(employee, attendance, absenceDeducted, periodCalendarDays);
}

int monthPayBasisDays(const EmployeeRecord& employee, const AttendanceRecord& attendance,
                      bool absenceDeducted, std::int64_t pay, int periodCalendarDays) {
    return payBasisDaysCorrected(attendance)
               ? payBasisDays(employee, attendance, absenceDeducted, periodCalendarDays)
               : uncorrectedMonthDays(employee, attendance, absenceDeducted, pay,
                                      periodCalendarDays);
}

void correctPayBasisDays(AttendanceRecord& attendance, int days) {
    attendance.payBasisDays = std::clamp(days, 0, 31);
    attendance.payBasisDaysSet = 1.0;
}

void clearPayBasisDaysCorrection(AttendanceRecord& attendance) {
    attendance.payBasisDays = 0;
    attendance.payBasisDaysSet = 0;
}

bool setPayBasisDays(PayrollPeriod& period, const EmployeeId& employee, std::optional<int> days) {
    EmployeeRows rows = period.rows(employee);
    if (days) {
        correctPayBasisDays(rows.attendance, *days);
    } else {
        clearPayBasisDaysCorrection(rows.attendance);
    }
    return period.setRows(employee, rows);
}

}  // namespace keiro::calc
