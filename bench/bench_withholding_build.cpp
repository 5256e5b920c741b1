// Building a year's withholding file the first time for 100 employees: the whole year file read
// once, the yearly totals of every employee from its fifteen periods, and the records filled.
// The year is the sample company's complete 2026 (100 employees), as in January 2027.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "sample/sample_company.h"
#include "withholding/model/opening.h"

namespace keiro::withholding {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

class SampleYear {
  public:
    SampleYear()
        : root_(fs::temp_directory_path() /
                ("keiro-bench-withholding-" + std::to_string(std::random_device{}()))) {
        const sample::SampleFiles files = sample::createSampleCompany(
            root_, year_month_day{2027y, January, 15d}, KEIRO_PROGRAM_FOLDER, kMaxEmployees);
        yearFile_ = files.yearFiles.front();
    }
    ~SampleYear() { fs::remove_all(root_); }

    const fs::path& yearFile() const { return yearFile_; }

  private:
    fs::path root_;
    fs::path yearFile_;
};

void BM_BuildWithholdingFile100(benchmark::State& state) {
    const SampleYear sample;
    const EraNames names{"平成", "令和"};
    const WithholdingPaths paths = withholdingPathsFor(sample.yearFile(), {"令和", 8}, names);
    for (auto _ : state) {
        const YearView year(sample.yearFile());
        std::optional<WithholdingFile> file = openWithholdingFile(year, paths);
        benchmark::DoNotOptimize(file);
    }
}
BENCHMARK(BM_BuildWithholdingFile100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keiro::withholding
