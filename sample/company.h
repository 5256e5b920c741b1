#pragma once
// The sample company "株式会社サンプル商事": its settings, its ten employees and what its clerk
// enters each month.  Everything is a fixed function of the year and month, so the same date
// always gives the same files.

#include "calc/premium_tables.h"
#include "core/ini.h"
#include "core/records.h"
#include "core/yearfile.h"

namespace keiro::sample {

inline constexpr std::string_view kCompanyName = "株式会社サンプル商事";
inline constexpr int kSummerBonusPeriod = 13;
inline constexpr int kSummerBonusMonth = 7;
inline constexpr int kSummerBonusDay = 10;
inline constexpr int kEmployeeCount = 10;

// Keiro.ini as the common settings dialog and the salary slip layout window store it: company
// name, 8 hours a day, renamed free items (住宅手当, 精勤手当, 親睦会費) and a salary layout
// that shows them.
void writeSampleSettings(IniFile& ini);

// What the data-selection window is given for a month: its working days (weekdays less the
// usual holidays of that month) and 8 hours for each.
PeriodEntry monthEntry(int year, int month);

// The company settings in force for a month (employment insurance 0.55 %, from April 2026
// 0.50 %); scheduled days and hours are left to the period entry.
PeriodSettings companySettings(int year, int month);
// What the clerk changes in the settings when a month opens: the employment insurance rate
// on its change.
void updateCompanySettings(PeriodSettings& settings, int year, int month);

// The employee master as the employee editor stores it, premiums set from each employee's
// grade with the period's rates.  `beforeTheSampleYear`: the master of the December before
// the sample year, when the employee who left at that year's end was still employed.
void enterEmployees(PeriodBlock& block, const calc::HealthGradeTable& grades,
                    bool beforeTheSampleYear);

// The clerk's entries for an opened month: attendance, paid leave taken and left (the first
// month of the sample sets the balances, April grants the year's days), and 精勤手当.
void enterMonth(PeriodBlock& block, int month, bool firstMonth);

// The one amount entered by hand: a 健康保険料 that also collects an earlier month's premium.
void enterHandEnteredPremium(PeriodBlock& block);

// The summer bonus of every employed slot.
void enterSummerBonus(PeriodBlock& block);

}  // namespace keiro::sample
