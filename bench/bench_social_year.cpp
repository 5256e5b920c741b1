// The yearly social-insurance lists at 100 employees, from a click on the 印刷 panel to the
// figures: the year file read, the April-June decision, the revisions found from every change
// of fixed pay, and the labour insurance summary over two year files.  The year is the sample
// company's 2026 as in December, with 100 employees and a raise in April for every tenth one,
// so that the revision check has work to do.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "bench/sample_files.h"
#include "calc/payroll_tables.h"
#include "calc/social_year.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

using namespace std::chrono;

// The company of 9 December 2026 with every tenth employee's base pay 100,000 higher from
// April's pay on.
class SampleYear {
  public:
    SampleYear()
        : sample_("social", year_month_day{2026y, December, 9d}),
          tables_(loadPayrollTables(sample_.files().places)) {
        std::vector<std::unique_ptr<PeriodBlock>> raised;
        std::vector<std::pair<int, const PeriodBlock*>> blocks;
        for (int p = 4; p <= 11; ++p) {
            raised.push_back(readPeriodBlock(yearFile(), p));
            for (int i = 0; i < kMaxEmployees; i += 10) {
                raised.back()->payments[i].basePayAmount += 100'000;
                raised.back()->deductions[i].socialInsBase += 100'000;
            }
            blocks.emplace_back(p, raised.back().get());
        }
        rewriteSavedBlocks(yearFile(), blocks);
    }

    const std::filesystem::path& yearFile() const { return sample_.files().yearFiles.back(); }
    std::filesystem::path dataFolder() const { return yearFile().parent_path(); }
    const HealthGradeTable& grades() const { return *tables_.gradesFor(2026, 9); }

  private:
    bench::SampleFilesOnDisk sample_;
    PayrollTables tables_;
};

const std::array<bool, kPaymentFixedFlagCount> kFixedPay = Settings{}.fixedPayFlags;

void BM_SanteiOfYear100(benchmark::State& state) {
    const SampleYear sample;
    for (auto _ : state) {
        const YearView view(sample.yearFile());
        benchmark::DoNotOptimize(santeiOfYear({view, 2026, sample.grades(), kFixedPay}));
    }
}
BENCHMARK(BM_SanteiOfYear100)->Unit(benchmark::kMillisecond);

void BM_RevisionsOfYear100(benchmark::State& state) {
    const SampleYear sample;
    for (auto _ : state) {
        const YearView view(sample.yearFile());
        const std::vector<RevisionLine> lines =
            revisionsOfYear({view, 2026, sample.grades(), kFixedPay});
        if (lines.empty()) state.SkipWithError("no revision found");
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_RevisionsOfYear100)->Unit(benchmark::kMillisecond);

void BM_LabourTotalsOfFiscalYear100(benchmark::State& state) {
    const SampleYear sample;
    const EraNames names{"平成", "令和"};
    const LabourRates rates{300, 1'350, kAsbestosLevyRate};
    for (auto _ : state) {
        benchmark::DoNotOptimize(labourTotalsOfFiscalYear(sample.dataFolder(), names, 2026, rates));
    }
}
BENCHMARK(BM_LabourTotalsOfFiscalYear100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keiro::calc
