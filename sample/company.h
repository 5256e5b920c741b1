#pragma once
// The sample company "株式会社サンプル商事": its settings, its employees (sample/roster.h) and
// what its clerk enters each month and for each bonus.  Everything is a fixed function of the
// year, the month and the head count, so the same date always gives the same files.

#include <chrono>
#include <string_view>

#include "calc/premium_tables.h"
#include "core/ini.h"
#include "core/layouts.h"
#include "core/payroll_period.h"
#include "core/records.h"
#include "core/settings.h"
#include "core/yearfile.h"

namespace keiro::sample {

inline constexpr std::string_view kCompanyName = "株式会社サンプル商事";

// A bonus the company pays every year on a fixed day.
struct BonusDate {
    int period;  // 13..15
    int month;
    int day;
};
inline constexpr BonusDate kSummerBonus{13, 7, 10};
inline constexpr BonusDate kWinterBonus{14, 12, 10};

// Whether a bonus has been paid by `date`: only after its pay day.
bool isPaidBy(const BonusDate& bonus, std::chrono::year_month_day date);

// The common settings the company stores: its name, 8 hours a day and three renamed free items
// (住宅手当, 精勤手当, 親睦会費).
Settings sampleSettings();
// The salary slip layout that shows the renamed items on the slips of every pay form.
ItemLayout salaryLayout();
// Keiro.ini as the common settings dialog and the salary slip layout window store the two.
void writeSampleSettings(IniFile& ini);

// What the data-selection window is given for a month: its working days (weekdays less the
// usual holidays of that month) and 8 hours for each.
PeriodEntry monthEntry(int year, int month);

// The company settings in force for a month: the health and care rates of the premium the
// month's pay collects (the month before's: 東京都's rates of 協会けんぽ change with the March
// premiums, so April's pay is the first at a new fiscal year's rates), employment insurance
// 0.55 %, from April 2026 0.50 %; scheduled days and hours are left to the period entry.
PeriodSettings companySettings(int year, int month);
// What the clerk changes in the settings when a month opens: the rates on their change (the
// 子ども・子育て支援金 rate from the pay of May 2026, which collects the April premium).  Returns
// whether a health, care or levy rate changed, when the clerk also sets every employee's
// premiums again from the grade (updatePremiums).
bool updateCompanySettings(PeriodSettings& settings, int year, int month);
// 等級表から入力 for every insured employee of the period, with the period's rates: health, care
// and the levy.
void updatePremiums(PayrollPeriod& period, const calc::HealthGradeTable& grades);

// The employee master of slots 1..`employees` as the employee editor stores it, premiums set
// from each employee's grade with the period's rates.  `beforeTheSampleYear`: the master of the
// year before the sample year, when the employee who left at that year's end was still employed.
void enterEmployees(PeriodBlock& block, const calc::HealthGradeTable& grades, int employees,
                    bool beforeTheSampleYear);

// What the clerk changes in the employee master when the sample year's January was opened from
// the December before: the employee who left at the end of that year becomes 退職, and the
// paid-leave days that can no longer be taken are cleared.
void recordLeavers(PayrollPeriod& period);

// Where the paid-leave balances of an opened month start from.
enum class LeaveStart {
    Carried,     // from the month before, as opening the period carried them
    SampleYear,  // typed in the sample year's first month: one year's grant each
    // typed in the first month of the year before the sample year: the days each employee
    // takes in that year, so that after April's grant December ends with one year's grant,
    // the very balance the sample year starts from
    YearBefore,
};

// The clerk's entries for an opened month: attendance, paid leave taken and left (April grants
// the year's days), and 精勤手当.
void enterMonth(PayrollPeriod& period, int month, LeaveStart start);

// The one amount entered by hand in the sample year's January: a 健康保険料 that also collects
// an earlier month's premium (slot 5, when the company is that large).
void enterHandEnteredPremium(PayrollPeriod& period);

// The bonus of every employed slot.
void enterBonus(PayrollPeriod& period, const BonusDate& bonus);

// A month of the sample year held in memory: the company with `employees` employees (1..100)
// as the clerk has entered it, before recalculation.  For benchmarks, which need the company
// at full size without files.
void fillMonth(PeriodBlock& block, const calc::HealthGradeTable& grades, int year, int month,
               int employees);

}  // namespace keiro::sample
