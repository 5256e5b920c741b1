#pragma once
// A complete settings root with a sample company, for trying the program, for screenshots and
// for tests: the configuration file, the data folder and the year file of a given date with
// every month before that date saved (and the summer bonus once it has been paid), each month
// opened, entered, recalculated and saved the way the payroll program does it.  The same date
// always gives byte-identical files.

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "calc/pay_calc.h"
#include "calc/payroll_tables.h"
#include "core/layouts.h"
#include "core/places.h"
#include "core/settings.h"
#include "core/yearfile.h"

namespace keiro::sample {

// Recalculates the open period as the payroll program does before saving: with the settings
// and item layouts of the configuration file and the loaded tables.
class Recalculator {
  public:
    // `tables` must outlive the recalculator; `currentCalendarYear` is the year the program
    // would run in (it decides whether very old years are still calculated).
    Recalculator(const IniFile& ini, calc::PayrollTables& tables, int currentCalendarYear);

    // For a bonus, the slots whose income tax must be entered by hand; empty for a month.
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

// The sample cannot be created; what() is a Japanese message.
class SampleRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct SampleFiles {
    Places places;
    // The year files written, oldest first: the previous year's (only when `date` falls in
    // January, so that its December can be opened) and the current year's.
    std::vector<std::filesystem::path> yearFiles;
};

// Creates root/Vondel/Keiro (folders 0700, files 0600) with the sample company as of `date`.
// The table files are read from `programFolder`.  SampleRefused, before anything is written, when
// the root already has a configuration file or a data folder with files in it, or when the
// table files are missing.
SampleFiles createSampleCompany(const std::filesystem::path& root, std::chrono::year_month_day date,
                                const std::filesystem::path& programFolder);

}  // namespace keiro::sample
