// The main window's pay grid with 100 employees: building it from the open period, and
// committing a period as the save button does (grid built, its columns collected and the period
// recalculated, then the year file written on disk).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "calc/data_csv.h"
#include "calc/period_calc.h"
#include "calc/premium_tables.h"
#include "calc/tax_table_build.h"
#include "core/fileio.h"
#include "core/yearfile.h"
#include "payroll/model/pay_grid.h"
#include "sample/company.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

const fs::path kDataFolder = fs::path(__FILE__).parent_path().parent_path() / "data";
const EraYear kYear{"令和", 8};

DataCsv dataCsv(const std::string& name) {
    return DataCsv(readFile(kDataFolder / name), name);
}

class Company {
  public:
    Company()
        : folder_(fs::temp_directory_path() /
                  ("keiro-bench-grid-" + std::to_string(std::random_device{}()))),
          settings_(sample::sampleSettings()),
          tables_(buildPrintTables(sample::salaryLayout())),
          active_(tables_, settings_.itemNames) {
        createPrivateDirectories(folder_);
        const fs::path file = folder_ / yearFileName(kYear);
        createYearFileIfMissing(file);
        year_.setFile(file, kYear.eraName, kYear.eraYear, {"平成", "令和"});
        year_.openPeriod(6, sample::monthEntry(2026, 6), nullptr);
        const HealthGradeTable grades = HealthGradeTable::fromBytes(
            buildHealthGradeTable(dataCsv("health_grades.csv")), "health_grades.csv");
        sample::fillMonth(year_.block(), grades, 2026, 6, kMaxEmployees);

        const fs::path taxTable = folder_ / kSalaryTaxTableFileName;
        writeFileAtomic(taxTable,
                        buildSalaryTaxTable(dataCsv("withholding_monthly_2026.csv"),
                                            dataCsv("withholding_monthly_2026_rules.csv"),
                                            dataCsv("withholding_monthly_params.csv"), "2026"));
        tax_.salary = SalaryTaxTable::fromFile(taxTable);
    }
    ~Company() { fs::remove_all(folder_); }

    YearData& year() { return year_; }
    const PrintTables& tables() const { return tables_; }
    const Settings& settings() const { return settings_; }
    const ActiveItems& active() const { return active_; }
    CalcContext context() { return CalcContext{settings_, active_, tax_, 2026}; }

  private:
    fs::path folder_;
    Settings settings_;
    PrintTables tables_;
    ActiveItems active_;
    TaxTables tax_;
    YearData year_;
};

Company& company() {
    static Company c;
    return c;
}

void BM_BuildGrid(benchmark::State& state) {
    Company& c = company();
    payroll::PayGrid grid;
    for (auto _ : state) {
        grid.build(c.year(), c.tables(), c.active(), c.settings().itemNames,
                   c.settings().timeStyle);
        benchmark::DoNotOptimize(grid.text(1, 1).data());
    }
}
BENCHMARK(BM_BuildGrid)->Unit(benchmark::kMicrosecond);

void BM_CommitPeriod(benchmark::State& state) {
    Company& c = company();
    const CalcContext ctx = c.context();
    payroll::PayGrid grid;
    for (auto _ : state) {
        grid.build(c.year(), c.tables(), c.active(), c.settings().itemNames,
                   c.settings().timeStyle);
        grid.setText(1, 1, "21");
        grid.commitCell(1, 1);
        const std::vector<GridColumn> columns = grid.columns();
        benchmark::DoNotOptimize(RecalculatePeriod(c.year(), ctx, &columns));
        c.year().savePeriod();
    }
}
BENCHMARK(BM_CommitPeriod)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace keiro::calc
