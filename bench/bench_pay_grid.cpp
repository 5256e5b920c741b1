// The main window's pay grid with 100 employees: building it from the open period, and
// committing a period as the save button does (grid built, its columns collected and the period
// recalculated, then the year file written on disk).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/june_company.h"
#include "calc/period_calc.h"
#include "core/fileio.h"
#include "core/yearfile.h"
#include "payroll/model/pay_grid.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

JuneCompany& company() {
    static JuneCompany c("grid");
    return c;
}

void BM_BuildGrid(benchmark::State& state) {
    JuneCompany& c = company();
    payroll::PayGrid grid;
    for (auto _ : state) {
        grid.build(c.year(), c.tables(), c.active(), c.settings().itemNames,
                   c.settings().timeStyle);
        benchmark::DoNotOptimize(grid.text(1, 1).data());
    }
}
BENCHMARK(BM_BuildGrid)->Unit(benchmark::kMicrosecond);

void BM_CommitPeriod(benchmark::State& state) {
    JuneCompany& c = company();
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
