// Building a year's withholding file the first time for 100 employees: the whole year file read
// once, the yearly totals of every employee from its fifteen periods, and the records filled.
// Then 一括計算 of all 100 (the year-end adjustment of each), and the 年末調整一覧表's rows.
// The year is the sample company's complete 2026 (100 employees), as in January 2027.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "bench/sample_files.h"
#include "withholding/adjust/batch_calculation.h"
#include "withholding/model/opening.h"
#include "withholding/print/year_end_list.h"

namespace keiro::withholding {
namespace {

using namespace std::chrono;

void BM_BuildWithholdingFile100(benchmark::State& state) {
    const bench::SampleFilesOnDisk sample("withholding", year_month_day{2027y, January, 15d});
    const std::filesystem::path& yearFile = sample.files().yearFiles.front();  // 2026
    const EraNames names{"平成", "令和"};
    const WithholdingPaths paths = withholdingPathsFor(yearFile, {"令和", 8}, names);
    for (auto _ : state) {
        YearView year(yearFile);
        std::optional<WithholdingFile> file = openWithholdingFile(year, paths);
        benchmark::DoNotOptimize(file);
    }
}
BENCHMARK(BM_BuildWithholdingFile100)->Unit(benchmark::kMillisecond);

void BM_CalculateAllAndList100(benchmark::State& state) {
    const bench::SampleFilesOnDisk sample("withholding", year_month_day{2027y, January, 15d});
    const std::filesystem::path& yearFile = sample.files().yearFiles.front();  // 2026
    const EraNames names{"平成", "令和"};
    YearView year(yearFile);
    std::optional<WithholdingFile> file =
        openWithholdingFile(year, withholdingPathsFor(yearFile, {"令和", 8}, names));
    const std::vector<int> slots = occupiedSlots(year);
    for (auto _ : state) {
        const BatchResult result = calculateAll(*file, year, slots, 2026, true);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(yearEndListRows(*file, year.block(12), slots));
    }
    state.counters["employees"] = static_cast<double>(slots.size());
}
BENCHMARK(BM_CalculateAllAndList100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keiro::withholding
