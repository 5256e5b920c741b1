#pragma once
// The calendar day a salary month is paid, for what goes by pay date rather than by period (the
// withheld tax's payment figures) and for the pay date boxes, which show it in era years.

#include "core/records.h"

namespace keiro {

struct SalaryPayDay {
    int year = 0;  // calendar year
    int month = 0;
    int day = 0;
};

// Salary month `period` (1..12) of the year file of `calendarYear` is paid on the period's
// `payDay` in that month, or in the next when `payNextMonth` is 1 (December's pay then falls in
// January of the next year).  A pay day of 0 is the 1st; 31, or any day past the end of its
// month, is the month end (2/29 in leap years).
SalaryPayDay salaryPayDay(int calendarYear, int period, const PeriodSettings& settings);

}  // namespace keiro
