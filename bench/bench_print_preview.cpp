// Opening the print preview of a 100-employee report, offscreen: what the clerk waits for between
// the preview button and the first page on the screen.  The report is built into its page
// document as the print dialog builds it, the preview is laid out on the screen and its first
// page painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QPrinter>
#include <memory>

#include "bench/ledger_year.h"
#include "bench/slip_company.h"
#include "print/built_report.h"
#include "print/qt/dialog/preview_window.h"
#include "widgets/message_service.h"

namespace keiro::print {
namespace {

// Builds the report and shows its preview's first page, as the dialog does on プレビュー.
template <typename MakeReport>
void openPreview(benchmark::State& state, MakeReport make) {
    ui::QtMessageService messages;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    for (auto _ : state) {
        const std::unique_ptr<Report> report = buildReport(make());
        usePaper(printer, report->paper());
        PreviewWindow preview(messages);
        preview.prepare(*report, printer, Correction{});
        preview.show();
        benchmark::DoNotOptimize(preview.grab().cacheKey());
        preview.done(QDialog::Rejected);
    }
}

void BM_PreviewOf100PaySlips(benchmark::State& state) {
    static const SlipCompany company;
    const int formType = static_cast<int>(state.range(0));
    openPreview(state, [&] { return std::make_unique<PaySlipReport>(company.report(formType)); });
}
BENCHMARK(BM_PreviewOf100PaySlips)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);

void BM_PreviewOfTheLedgerOf100Employees(benchmark::State& state) {
    const auto block = bench::company();
    const bench::FullYear year(*block);
    const LedgerInput input = bench::ledgerInput(*block);
    openPreview(state, [&] {
        return std::make_unique<LedgerReport>(bench::withAttendance(), YearView(year.path()),
                                              input);
    });
}
BENCHMARK(BM_PreviewOfTheLedgerOf100Employees)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keiro::print

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
