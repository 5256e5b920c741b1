#pragma once
// The pay half of the record codec: a period's records of one employee to the calculation's
// plain values (calc/pay_engine.h) and its result back, clamped to the records' 32-bit fields.

#include "calc/pay_engine.h"
#include "calc/pay_history.h"
#include "calc/tax_tables.h"
#include "core/records.h"
#include "core/settings.h"

namespace keiro::calc {

// What the calculation reads of the employee in these records.
PayInput payInputOf(const EmployeeRecord& employee, const AttendanceRecord& attendance,
                    const PaymentRecord& payment, const DeductionRecord& deduction,
                    const FormItems& items);

// The amounts of the result into the records (every amount 1..22 of both; flags and the
// remaining bytes stay as they are).
void storePayResult(const PayResult& result, PaymentRecord& payment, DeductionRecord& deduction);

// The premium rates of a period, read once.
PremiumRates premiumRatesOf(const PeriodSettings& rates);

// The law of a period: its premium rates, the settings of its kind, and the tax tables.
// `june`: the period is June (its 住民税 is the June amount).
Law lawOf(const Settings& settings, const TaxTables& tax, const PeriodSettings& rates, bool bonus,
          bool june);

// What the employee's bonus reads of other periods, and whether its premiums are exempt.
BonusInputs bonusInputsOf(const PeriodInputs& inputs, const EmployeeRecord& employee,
                          const PaymentRecord& bonusPay);

// Takes off the insurances the employee's age has ended by `premiumYearMonth` (yyyymm; 0 leaves
// the flags as they are), whatever the employee's flags still say.
void applyInsuranceAges(PayInput& input, const EmployeeRecord& employee, int premiumYearMonth);

}  // namespace keiro::calc
