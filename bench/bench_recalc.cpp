// Recalculating a whole period of 100 employees, as the main window does before every save,
// print and unsaved-change test: a salary month from the records and from the grid's columns,
// and a bonus, which also reads the month before its pay month and the earlier bonuses of the
// health insurance year from the files (January: from the previous year's file).  The company is
// the sample company at 100 employees as of January 2027: 2026 complete, 2027 just begun.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "calc/payroll_tables.h"
#include "calc/period_calc.h"
#include "core/fileio.h"
#include "core/ini.h"
#include "core/yearfile.h"
#include "payroll/model/employee_sheet.h"
#include "payroll/model/pay_grid.h"
#include "sample/company.h"
#include "sample/recalculator.h"
#include "sample/sample_company.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

const EraNames kNames{"平成", "令和"};
const EraYear kCompleteYear{"令和", 8};  // 2026, every month and both bonuses saved
const EraYear kNewYear{"令和", 9};       // 2027, nothing saved yet
constexpr sample::BonusDate kJanuaryBonus{15, 1, 20};

class Company {
  public:
    Company()
        : root_(fs::temp_directory_path() /
                ("keiro-bench-recalc-" + std::to_string(std::random_device{}()))),
          files_(sample::createSampleCompany(root_, year_month_day{2027y, January, 20d},
                                             KEIRO_PROGRAM_FOLDER, kMaxEmployees)),
          tables_(loadPayrollTables(files_.places)),
          ini_(files_.places.iniFile),
          recalculator_(ini_, tables_, 2027) {}
    ~Company() { fs::remove_all(root_); }

    // A saved period of 2026 as the data-selection window opens it.
    YearData openSaved(int period) const {
        YearData year = yearOf(kCompleteYear);
        const YearFileHeader header = readYearFileHeader(year.path());
        PeriodEntry entry{};
        if (isBonusPeriod(period)) {
            entry.bonusPayMonth = header.bonusPayMonth[period - kFirstBonusPeriod];
            entry.bonusPayDay = header.bonusPayDay[period - kFirstBonusPeriod];
        } else {
            entry = sample::monthEntry(2026, period);
        }
        year.openPeriod(period, entry, nullptr);
        return year;
    }

    // A bonus paid in January 2027: opened from December 2026, the bonuses entered.
    YearData openJanuaryBonus() const {
        YearData year = yearOf(kNewYear);
        year.openPeriod(kJanuaryBonus.period, {0, 0.0, kJanuaryBonus.month, kJanuaryBonus.day},
                        nullptr);
        sample::enterBonus(year.document(), kJanuaryBonus);
        return year;
    }

    CalcContext context(bool bonus) {
        return CalcContext{recalculator_.settings(), recalculator_.activeItems(bonus), tables_.tax,
                           2027};
    }
    PrintTables salaryLayout() const {
        return buildPrintTables(loadLayout(ini_, LayoutKind::Salary));
    }
    const Settings& settings() const { return recalculator_.settings(); }

  private:
    YearData yearOf(const EraYear& eraYear) const {
        YearData year;
        year.setFile(files_.places.dataFolder / yearFileName(eraYear), eraYear.eraName,
                     eraYear.eraYear, kNames);
        return year;
    }

    fs::path root_;
    sample::SampleFiles files_;
    PayrollTables tables_;
    IniFile ini_;
    sample::Recalculator recalculator_;
};

Company& company() {
    static Company c;
    return c;
}

// The grid's columns as the main window collects them from what it shows.
std::vector<GridColumn> gridColumns(YearData& year) {
    const Settings& settings = company().settings();
    payroll::PayGrid grid;
    grid.build(year, company().salaryLayout(), company().context(false).active, settings.itemNames,
               settings.timeStyle);
    return grid.columns();
}

void BM_RecalculateMonthFromRecords(benchmark::State& state) {
    YearData year = company().openSaved(6);
    const CalcContext ctx = company().context(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecalculatePeriod(year, ctx, nullptr));
    }
}
BENCHMARK(BM_RecalculateMonthFromRecords)->Unit(benchmark::kMicrosecond);

void BM_RecalculateMonthFromGrid(benchmark::State& state) {
    YearData year = company().openSaved(6);
    const std::vector<GridColumn> columns = gridColumns(year);
    const CalcContext ctx = company().context(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecalculatePeriod(year, ctx, &columns));
    }
}
BENCHMARK(BM_RecalculateMonthFromGrid)->Unit(benchmark::kMicrosecond);

// A bonus paid in January: December and the bonuses of the previous year's file.
void BM_RecalculateJanuaryBonus(benchmark::State& state) {
    YearData year = company().openJanuaryBonus();
    const CalcContext ctx = company().context(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecalculatePeriod(year, ctx, nullptr));
    }
}
BENCHMARK(BM_RecalculateJanuaryBonus)->Unit(benchmark::kMicrosecond);

// A bonus paid in December: November and the July bonus of this year's file.
void BM_RecalculateDecemberBonus(benchmark::State& state) {
    YearData year = company().openSaved(14);
    const CalcContext ctx = company().context(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecalculatePeriod(year, ctx, nullptr));
    }
}
BENCHMARK(BM_RecalculateDecemberBonus)->Unit(benchmark::kMicrosecond);

// Leaving one box of the individual entry window: the typed value stored, the employee
// recalculated, and every box's text made again for the redisplay.
void BM_DetailEntryBox(benchmark::State& state) {
    YearData year = company().openSaved(6);
    const CalcContext ctx = company().context(false);
    const PrintTables tables = company().salaryLayout();
    payroll::EmployeeSheet sheet(year, tables, ctx);
    sheet.show(1);
    int position = 0;  // the 普通残業時間 row
    while (sheet.caption(Band::Attendance, position) != "普通残業時間") ++position;
    int hours = 0;
    for (auto _ : state) {
        sheet.enter(Band::Attendance, position, std::to_string(10 + hours++ % 5) + ":30");
        benchmark::DoNotOptimize(sheet.recalculate());
        for (int b = 0; b < kBandCount; ++b) {
            const Band band = static_cast<Band>(b);
            for (int p = 0; p < sheet.rowCount(band); ++p) {
                benchmark::DoNotOptimize(sheet.text(band, p));
            }
        }
        benchmark::DoNotOptimize(sheet.totals());
    }
}
BENCHMARK(BM_DetailEntryBox)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace keiro::calc
