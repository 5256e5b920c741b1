#pragma once
// The monthly premiums kept in the employee master, worked out again from each employee's grade
// at the period's rates: after a grade is decided, and after the period's rates changed.

#include "calc/premium_tables.h"
#include "core/payroll_period.h"
#include "core/records.h"

namespace keiro::payroll {

// Sets the health, 介護, pension, fund and levy premiums of grade `grade` (one the table has) at
// the rates of `settings`, the levy for whether the employee pays 介護保険料, and keeps the grade.
void setGradePremiums(EmployeeRecord& employee, int grade, const calc::HealthGradeTable& table,
                      const PeriodSettings& settings);

// Every employee of the period whose record keeps a grade of the table, at the period's rates;
// an employee without one (premiums typed by hand) keeps his amounts.  Returns how many were
// set.
int recalculateGradePremiums(PayrollPeriod& period, const calc::HealthGradeTable& table);

}  // namespace keiro::payroll
