// Building a year's withholding file the first time for 100 employees: the whole year file read
// once, the yearly totals of every employee from its fifteen periods, and the records filled.
// The year is the sample company's complete 2026 (100 employees), as in January 2027.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "bench/sample_files.h"
#include "withholding/model/opening.h"

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

}  // namespace
}  // namespace keiro::withholding
