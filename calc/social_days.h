#pragma once
// 支払基礎日数: the days a month's pay was based on, which decide whether the month counts in
// the decisions of the standard monthly amount.
//  - monthly pay: the calendar days of the pay period the pay covers (from the 資格取得日 in the
//    month of a hire); when absence is deducted, the scheduled working days (所定労働日数) less
//    the days absent (a part-day absence still leaves the day counted);
//  - daily and hourly pay: the days worked plus the paid-leave days (a day with only a few hours
//    worked is a day).
// A figure the clerk corrected in the attendance record replaces the derived one.

#include <cstdint>
#include <optional>

#include "core/payroll_period.h"
#include "core/records.h"

namespace keiro::calc {

// The 1-based month's days of a calendar year.
int calendarDaysOf(int calendarYear, int month);
// The calendar days of that month's pay period an employee insured from `insuredSince`
// (yyyymmdd; 0 not set) was paid for: from the 資格取得日 when it falls inside the month, else
// the whole month.
int calendarDaysFrom(int calendarYear, int month, int insuredSince);
// The derived days (never below 0), ignoring any correction.  `absenceDeducted`: the month's
// pay was reduced for the days absent (欠勤控除); monthly pay that was not is based on the
// whole period, absent days or not.
int derivedPayBasisDays(const EmployeeRecord& employee, const AttendanceRecord& attendance,
                        bool absenceDeducted, int periodCalendarDays);
// The corrected days when the clerk set them, else the derived days.
int payBasisDays(const EmployeeRecord& employee, const AttendanceRecord& attendance,
                 bool absenceDeducted, int periodCalendarDays);
bool payBasisDaysCorrected(const AttendanceRecord& attendance);

// A month whose pay (the social-insurance base) was `pay`, as the decisions count it.  A month
// that paid nothing (unpaid leave, 休職 without 休職給) was based on no paid day, whatever the
// calendar says; a figure the clerk corrected stands.
int uncorrectedMonthDays(const EmployeeRecord& employee, const AttendanceRecord& attendance,
                         bool absenceDeducted, std::int64_t pay, int periodCalendarDays);
int monthPayBasisDays(const EmployeeRecord& employee, const AttendanceRecord& attendance,
                      bool absenceDeducted, std::int64_t pay, int periodCalendarDays);
void correctPayBasisDays(AttendanceRecord& attendance, int days);
void clearPayBasisDaysCorrection(AttendanceRecord& attendance);
// Corrects the employee's days in the period (nullopt: takes the correction back); false when
// there is no such employee or nothing changed.
bool setPayBasisDays(PayrollPeriod& period, const EmployeeId& employee, std::optional<int> days);

}  // namespace keiro::calc
