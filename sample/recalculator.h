#pragma once
// The recalculation the payroll program runs before saving a period, with the settings and item
// layouts of a configuration file: used by the sample company and by keiro-tool calc period.

#include <vector>

#include "calc/pay_calc.h"
#include "calc/payroll_tables.h"
#include "core/ini.h"
#include "core/layouts.h"
#include "core/settings.h"
#include "core/yearfile.h"

namespace keiro::sample {

class Recalculator {
  public:
    // `tables` must outlive the recalculator; each period is calculated with the tax tables of
    // its pay date's year.  `currentCalendarYear` is the year the program would run in (it
    // decides whether very old years are still calculated).
    Recalculator(const IniFile& ini, calc::PayrollTables& tables, int currentCalendarYear);

    // For a bonus, the slots whose income tax was worked by the monthly-table method; empty for
    // a month.
    std::vector<int> recalculate(YearData& year) const;

    const Settings& settings() const { return settings_; }
    const ActiveItems& activeItems(bool bonus) const { return bonus ? bonus_ : salary_; }

  private:
    Settings settings_;
    ActiveItems salary_;
    ActiveItems bonus_;
    calc::PayrollTables& tables_;
    int currentCalendarYear_;
};

}  // namespace keiro::sample
