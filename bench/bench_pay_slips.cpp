// Printing the pay slips of 100 employees: gathering every slip's figures (the year-to-date
// block reads the year file once) and drawing the 50 sheets of two slips onto a recording
// canvas, in both designs.  The company is the sample company at 100 employees, November 2026.
#include <benchmark/benchmark.h>

#include "bench/slip_company.h"
#include "print/recording_canvas.h"

namespace keiro::print {
namespace {

const SlipCompany& company() {
    static const SlipCompany shared;
    return shared;
}

void BM_GatherPaySlips(benchmark::State& state) {
    const SlipCompany& c = company();
    for (auto _ : state) {
        benchmark::DoNotOptimize(c.report(static_cast<int>(state.range(0))).pageCount());
    }
}
BENCHMARK(BM_GatherPaySlips)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);

void BM_DrawPaySlips(benchmark::State& state) {
    const PaySlipReport report = company().report(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RecordingCanvas canvas;
        for (int page = 1; page <= report.pageCount(); ++page) {
            report.drawPage(canvas, page, PageOptions{});
        }
        benchmark::DoNotOptimize(canvas.recording().size());
    }
}
BENCHMARK(BM_DrawPaySlips)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keiro::print
