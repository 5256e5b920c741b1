// Reports as PDF files, end to end as a clerk's script gets them: `keiro-tool print … --pdf`,
// including the start of the program and its fonts, for the 100-employee sample company.
//
// The yardstick is Qt's own PDF engine writing the same number of dense A4 pages of Japanese
// text (80 lines of 58 characters, one drawText a line) with the same embedded font, also as a
// whole process: this program started again with --dense-pdf PAGES OUT.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/tool_company.h"
#include "fonts/report_fonts.h"

namespace {

using keiro::bench::quoted;
using keiro::bench::ToolCompany;

std::filesystem::path self;  // this program, for the yardstick's process

int writeDensePdf(int pages, const char* path) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "bench_report_pdf";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    keiro::fonts::useReportFonts();
    QPdfWriter writer(QString::fromLocal8Bit(path));
    writer.setResolution(1200);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    QFont font(QStringLiteral("ＭＳ 明朝"));
    font.setPixelSize(166);  // 10 pt of the reports at 1200 dpi
    painter.setFont(font);
    const QString line = QString(QStringLiteral("給与明細書支給控除差引額")).repeated(5).left(58);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        for (int row = 0; row < 80; ++row) painter.drawText(100, 200 + row * 168, line);
    }
    return painter.end() ? 0 : 1;
}

const ToolCompany& company() {
    static const ToolCompany shared("2026-12-08", 100);
    return shared;
}

void run(benchmark::State& state, const std::string& command) {
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError(("failed: " + command).c_str());
            return;
        }
    }
}

void BM_QtPdfOfDensePages(benchmark::State& state) {
    run(state, quoted(self) + " --dense-pdf " + std::to_string(state.range(0)) + " " +
                   quoted(company().root() / "dense.pdf"));
}
// As many pages as the slips' sheets and the ledger's pages.
BENCHMARK(BM_QtPdfOfDensePages)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

std::string printCommand(const std::string& words) {
    return company().command("print " + words + " " +
                             quoted(company().dataFile("令和08年給与･賞与.dat")) +
                             " --period 11 --pdf " + quoted(company().root() / "out.pdf"));
}

// Form type 3 (row design, two a sheet: 50 sheets) and 7 (grid design).
void BM_SlipPdfThroughKeiroTool(benchmark::State& state) {
    run(state, printCommand("slips --form-type " + std::to_string(state.range(0))));
}
BENCHMARK(BM_SlipPdfThroughKeiroTool)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);

// A page per employee: 100 pages.
void BM_LedgerPdfThroughKeiroTool(benchmark::State& state) {
    run(state, printCommand("ledger"));
}
BENCHMARK(BM_LedgerPdfThroughKeiroTool)->Unit(benchmark::kMillisecond);

void BM_MonthlyListPdfThroughKeiroTool(benchmark::State& state) {
    run(state, printCommand("list"));
}
BENCHMARK(BM_MonthlyListPdfThroughKeiroTool)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--dense-pdf") == 0)
        return writeDensePdf(std::atoi(argv[2]), argv[3]);
    self = argv[0];
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!company().ok()) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
