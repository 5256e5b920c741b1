// The pay ledger and the monthly list at 100 employees, every page drawn: what the clerk waits for
// between the print button and the printer (or the PDF) getting the pages.  The ledger reads the
// year file once, when it is built, and then draws a page per employee from memory.  The print
// dialog builds a report once into its page document before it counts the pages or opens the
// preview: that build is timed too.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <numeric>
#include <random>

#include "bench/sample_month.h"
#include "core/fileio.h"
#include "print/built_report.h"
#include "print/ledger_report.h"
#include "print/monthly_list_report.h"
#include "print/recording_canvas.h"

namespace keiro::bench {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// June of the sample company at full size.
std::unique_ptr<PeriodBlock> company() {
    return sampleMonth(2026, 6);
}

print::TableOptions withAttendance() {
    print::TableOptions options;
    options.added[1] = options.added[8] = true;
    options.removed[1] = options.removed[2] = true;
    return options;
}

// A year file with the block saved as every period, removed when the benchmark ends.
class FullYear {
  public:
    explicit FullYear(const PeriodBlock& block)
        : folder_(fs::temp_directory_path() /
                  ("keiro-bench-ledger-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(folder_);
        std::string content(kYearFileSize, '\0');
        for (int k = 1; k <= kPeriodCount; ++k) {
            content[8 + k - 1] = 1;
            std::memcpy(content.data() + blockOffset(k), &block, kBlockSize);
        }
        writeFileAtomic(path(), content);
    }
    ~FullYear() { fs::remove_all(folder_); }
    fs::path path() const { return folder_ / "year.dat"; }

  private:
    fs::path folder_;
};

// A page for every employee of the block.
print::LedgerInput ledgerInput(const PeriodBlock& block) {
    std::vector<int> slots(kMaxEmployees);
    std::iota(slots.begin(), slots.end(), 1);
    print::LedgerInput input;
    input.companyName = "株式会社サンプル商事";
    input.year = {"令和", 8};
    input.employees = print::ledgerEmployees(block, slots);
    input.printDate = year_month_day{2026y, December, 9d};
    return input;
}

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
