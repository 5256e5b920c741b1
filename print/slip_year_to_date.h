#pragma once
// The year-to-date block of a pay slip: the taxable pay, social insurance and income tax of the
// periods paid so far this year, the slip's own period included.  Earlier periods come from the
// data file as saved on disk (so unsaved changes to them are missing), the slip's own period
// from memory.

#include <vector>

#include "core/records.h"
#include "core/year_view.h"

namespace keiro::print {

struct YearToDate {
    long long taxablePay = 0;
    long long socialInsurance = 0;
    long long incomeTax = 0;
    bool operator==(const YearToDate&) const = default;
};

// The periods paid before the slip's own, in period order.
//  - Salary month m: months 1 .. m−1, and each bonus paid in an earlier month, or in month m on
//    a day not after the slip's pay day.
//  - A bonus paid on month M, day D: months 1 .. M, month M only when its salary is paid on or
//    before D; and each other bonus paid in an earlier month, or in month M before day D.
// `salaryPayDay` is the period's pay day of salaries, `slipPayDay` the pay day printed on the
// slip (0 when none is given).  A bonus without a pay month is not counted.
std::vector<int> yearToDatePeriods(int period, const YearFileHeader& header, int salaryPayDay,
                                   int slipPayDay);

// The sums for the employee of `slot` in `current`: every slot of each earlier period whose
// recordId is the employee's, plus the current period's own figures.
YearToDate sumYearToDate(const YearView& file, const std::vector<int>& periods,
                         const PeriodBlock& current, int slot);

}  // namespace keiro::print
