// The pay ledger and the monthly list at 100 employees, every page drawn: what the clerk waits for
// between the print button and the printer (or the PDF) getting the pages.  The ledger reads the
// year file once, when it is built, and then draws a page per employee from memory.  The print
// dialog builds a report once into its page document before it counts the pages or opens the
// preview: that build is timed too.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/ledger_year.h"
#include "print/built_report.h"
#include "print/monthly_list_report.h"
#include "print/recording_canvas.h"

namespace keiro::bench {
namespace {

void BM_LedgerOf100Employees(benchmark::State& state) {
    const auto block = company();
    const FullYear year(*block);
    const print::LedgerInput input = ledgerInput(*block);
    for (auto _ : state) {
        const print::LedgerReport report(withAttendance(), YearView(year.path()), input);
        print::RecordingCanvas canvas;
        for (int page = 1; page <= report.pageCount(); ++page) {
            report.drawPage(canvas, page, {});
            canvas.clear();
        }
    }
}
BENCHMARK(BM_LedgerOf100Employees)->Unit(benchmark::kMillisecond);

// What the print dialog does before its page count and preview: read the year and build every
// page into the document.
void BM_LedgerOf100EmployeesBuiltForThePreview(benchmark::State& state) {
    const auto block = company();
    const FullYear year(*block);
    const print::LedgerInput input = ledgerInput(*block);
    for (auto _ : state) {
        const print::BuiltReport built(
            std::make_unique<print::LedgerReport>(withAttendance(), YearView(year.path()), input));
        benchmark::DoNotOptimize(built.pageCount());
    }
}
BENCHMARK(BM_LedgerOf100EmployeesBuiltForThePreview)->Unit(benchmark::kMillisecond);

void BM_MonthlyListOf100Employees(benchmark::State& state) {
    const auto block = company();
    print::ListInput input;
    input.period = print::listPeriod(6, 6, {"令和", 8}, {"平成", "令和"}, ItemNames{});
    input.method = print::ListMethod::ByDepartment;
    input.printDate = year_month_day{2026y, December, 9d};
    for (auto _ : state) {
        const print::MonthlyListReport report(withAttendance(), *block, input);
        print::RecordingCanvas canvas;
        for (int page = 1; page <= report.pageCount(); ++page) {
            report.drawPage(canvas, page, {});
            canvas.clear();
        }
    }
}
BENCHMARK(BM_MonthlyListOf100Employees)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keiro::bench
