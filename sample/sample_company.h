#pragma once
// A complete settings root with a sample company, for trying the program, for screenshots, for
// tests and benchmarks: the configuration file, the data folder and the year file of a given
// date with every month before that date saved (and each bonus once it has been paid), each
// month opened, entered, recalculated and saved the way the payroll program does it.  From
// January to March the year before is still being worked on (its year-end adjustment, and the
// new January opens from its December), so its file is written complete: twelve months and both
// bonuses.  The same date and head count always give byte-identical files.

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "core/places.h"
#include "sample/roster.h"

namespace keiro::sample {

// The sample cannot be created; what() is a Japanese message.
class SampleRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct SampleFiles {
    Places places;
    // The year files written, oldest first: the previous year's (only when `date` falls in
    // January to March) and the current year's.
    std::vector<std::filesystem::path> yearFiles;
};

// Creates root/Vondel/Keiro (folders 0700, files 0600) with the sample company as of `date`,
// `employees` strong (1..kMaxEmployees; std::invalid_argument otherwise): the first ten are the
// sample's own people, the rest generated (sample/roster.h).  The table files are read from
// `programFolder`.  SampleRefused, before anything is written, when the root already has a
// configuration file or a data folder with files in it, or when the table files are missing.
SampleFiles createSampleCompany(const std::filesystem::path& root, std::chrono::year_month_day date,
                                const std::filesystem::path& programFolder,
                                int employees = kSampleEmployees);

}  // namespace keiro::sample
