// Printing the pay slips of 100 employees: gathering every slip's figures (the year-to-date
// block reads the year file once) and drawing the 50 sheets of two slips onto a recording
// canvas, in both designs.  The company is the sample company at 100 employees, November 2026.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <numeric>
#include <vector>

#include "bench/sample_files.h"
#include "core/ini.h"
#include "core/layouts.h"
#include "core/settings.h"
#include "core/yearfile.h"
#include "print/pay_slip_report.h"
#include "print/recording_canvas.h"

namespace keiro::print {
namespace {

using namespace std::chrono;

class Company {
  public:
    Company() : sample_("slips", year_month_day{2026y, December, 8d}) {
        const IniFile ini(sample_.files().places.iniFile);
        settings_ = loadSettings(ini);
        tables_ = buildPrintTables(loadLayout(ini, LayoutKind::Salary));
        year_.setFile(sample_.files().yearFiles.back(), "令和", 8, {"平成", "令和"});
        PeriodEntry entry;
        entry.scheduledDays = 19;
        entry.scheduledHours = 152;
        year_.openPeriod(11, entry, nullptr);
        everyone_.resize(kMaxEmployees);
        std::iota(everyone_.begin(), everyone_.end(), 1);
    }
    PaySlipReport report(int formType) const {
        const SlipPeriod period{.block = &year_.block(),
                                .header = &year_.header(),
                                .period = 11,
                                .fileYear = {"令和", 8},
                                .eraNames = {"平成", "令和"},
                                .names = &settings_.itemNames,
                                .tables = &tables_,
                                .settings = &settings_};
        PrintChoices choices;
        choices.formType = formType;
        choices.payDate = {"令和", 8, 11, 25};
        return PaySlipReport(period, everyone_, year_.path(), choices);
    }

  private:
    bench::SampleFilesOnDisk sample_;
    Settings settings_;
    PrintTables tables_;
    YearData year_;
    std::vector<int> everyone_;
};

const Company& company() {
    static const Company shared;
    return shared;
}

void BM_GatherPaySlips(benchmark::State& state) {
    const Company& c = company();
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
