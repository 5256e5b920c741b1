// The benchmarks' company of 100 employees in June 2026, in a year file of its own under the
// temporary folder, with the 2026 salary tax table built from the project's data.  Nothing in
// it is recalculated: a benchmark does what it measures.
#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "calc/data_csv.h"
#include "calc/pay_calc.h"
#include "calc/premium_tables.h"
#include "calc/tax_table_build.h"
#include "core/fileio.h"
#include "core/yearfile.h"
#include "sample/company.h"

namespace keiro::calc {

class JuneCompany {
  public:
    explicit JuneCompany(const std::string& name)
        : folder_(std::filesystem::temp_directory_path() /
                  ("keiro-bench-" + name + "-" + std::to_string(std::random_device{}()))),
          settings_(sample::sampleSettings()),
          tables_(buildPrintTables(sample::salaryLayout())),
          active_(tables_, settings_.itemNames) {
        createPrivateDirectories(folder_);
        const EraYear era{"令和", 8};
        const std::filesystem::path file = folder_ / yearFileName(era);
        createYearFileIfMissing(file);
        year_.setFile(file, era.eraName, era.eraYear, {"平成", "令和"});
        year_.openPeriod(6, sample::monthEntry(2026, 6), nullptr);
        const HealthGradeTable grades = HealthGradeTable::fromBytes(
            buildHealthGradeTable(dataCsv("health_grades.csv")), "health_grades.csv");
        sample::fillMonth(year_.block(), grades, 2026, 6, kMaxEmployees);

        const std::filesystem::path taxTable = folder_ / kSalaryTaxTableFileName;
        writeFileAtomic(taxTable,
                        buildSalaryTaxTable(dataCsv("withholding_monthly_2026.csv"),
                                            dataCsv("withholding_monthly_2026_rules.csv"),
                                            dataCsv("withholding_monthly_params.csv"), "2026"));
        tax_.salary = SalaryTaxTable::fromFile(taxTable);
    }
    ~JuneCompany() { std::filesystem::remove_all(folder_); }
    JuneCompany(const JuneCompany&) = delete;
    JuneCompany& operator=(const JuneCompany&) = delete;

    YearData& year() { return year_; }
    const PrintTables& tables() const { return tables_; }
    const Settings& settings() const { return settings_; }
    const ActiveItems& active() const { return active_; }
    CalcContext context() { return CalcContext{settings_, active_, tax_, 2026}; }

  private:
    static DataCsv dataCsv(const std::string& name) {
        return DataCsv(readFile(std::filesystem::path(KEIRO_DATA_FOLDER) / name), name);
    }

    std::filesystem::path folder_;
    Settings settings_;
    PrintTables tables_;
    ActiveItems active_;
    TaxTables tax_;
    YearData year_;
};

}  // namespace keiro::calc
