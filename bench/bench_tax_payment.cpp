// The tax payment figures of a half-year at 100 employees, as the print dialog and keiro-tool
// make them: the year file read and every saved period of July to December summed by pay date.
// The company is the sample's of 9 December 2026 (July to November and the summer bonus saved).
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/sample_files.h"
#include "print/tax_payment_figures.h"

namespace keiro::print {
namespace {

using namespace std::chrono;

void BM_TaxPaymentHalfYear100(benchmark::State& state) {
    const bench::SampleFilesOnDisk sample("tax-payment", year_month_day{2026y, December, 9d});
    const EraNames names{"平成", "令和"};
    for (auto _ : state) {
        const TaxPaymentFiles files =
            TaxPaymentFiles::open(sample.files().yearFiles.back(), names, {true, 2});
        const TaxPaymentFigures figures = files.figures();
        if (figures.salary.people == 0) state.SkipWithError("nobody paid");
        benchmark::DoNotOptimize(figures);
    }
}
BENCHMARK(BM_TaxPaymentHalfYear100)->Unit(benchmark::kMillisecond);

// January: last year's file is read too, for December's salary.
void BM_TaxPaymentFirstHalf100(benchmark::State& state) {
    const bench::SampleFilesOnDisk sample("tax-payment-first", year_month_day{2026y, December, 9d});
    const EraNames names{"平成", "令和"};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            TaxPaymentFiles::open(sample.files().yearFiles.back(), names, {true, 1}).figures());
    }
}
BENCHMARK(BM_TaxPaymentFirstHalf100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keiro::print
