// print withholding YEARFILE --kind 1|2|5 [--slots 1,2,…] [--include-unprocessed] [--root DIR]
//   --pdf OUT.pdf
//
// The withholding slips (kind 1), refund notices (2) or salary payment reports (5) of a year,
// drawn by the same code as the withholding program's print dialog, into a PDF.  The year's
// withholding file beside the year file is used when it exists; otherwise it is built in memory
// as the program would build it on first opening (nothing is written).  --slots names the
// employees in the order wanted; without it every occupied slot of December is printed, in slot
// order.  The settings (種別 text, cutting guides, print position correction) are those of
// --root DIR or of the installation.
//
// An employee whose year-end was never calculated (未処理) would print a tax of 0 and a refund of
// everything withheld: such slots are refused (exit 1, nothing written, each slot and name on
// stderr) unless --include-unprocessed asks for them as they stand.
//
// Output: {"pdf", "kind", "sheets", "employees"}.  Exit 1 when December's salary was never saved,
// the year has no such document (payment reports before 平成28) or a slot is 未処理.
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/args.h"
#include "tools/print_common.h"
#include "tools/withholding_print_commands.h"
#include "withholding/model/opening.h"
#include "withholding/print/document_report.h"
#include "withholding/print/year_end_list.h"

namespace keiro::tool {
namespace {

using namespace keiro::withholding;

DocumentKind kindFrom(const Args& args) {
    const int kind = args.requiredInt("kind", 1, 5);
    if (kind != 1 && kind != 2 && kind != 5) throw UsageError("--kind: 1, 2 or 5");
    return static_cast<DocumentKind>(kind);
}

EraYear yearOfName(const std::filesystem::path& yearFile) {
    const std::optional<EraYear> year = parseYearFileName(yearFile.filename().string());
    if (!year) {
        throw std::runtime_error("データファイル名から年号と年を読み取れません: " +
                                 yearFile.filename().string());
    }
    return *year;
}

WithholdingFile openedFile(YearView& view, const std::filesystem::path& yearFile,
                           const EraYear& year, const EraNames& eras) {
    std::optional<WithholdingFile> file =
        openWithholdingFile(view, withholdingPathsFor(yearFile, year, eras));
    if (!file) throw std::runtime_error("12月分の給与が入力されていません。");
    return std::move(*file);
}

// Names the 未処理 slots on stderr; whether there were any.
bool reportUnprocessed(const WithholdingYear& y) {
    bool any = false;
    for (const YearEndListRow& row : yearEndListRows(y.file, y.view.block(12), y.chosen)) {
        if (row.status != kNotProcessed) continue;
        if (!any) {
            std::cerr << "keiro-tool: 年末調整の計算をしていない社員があります"
                         " (--include-unprocessed で印刷できます):\n";
        }
        any = true;
        std::cerr << "  " << row.slot << ' ' << row.name << '\n';
    }
    return any;
}

}  // namespace

WithholdingYear::WithholdingYear(const Args& args)
    : yearFile(args.positional(1, "YEARFILE")),
      year(yearOfName(yearFile)),
      ini(placesFromArgs(args).iniFile),
      settings(loadSettings(ini)),
      eras(eraNamesFor(todayInJapan(), settings.newEraName)),
      view(yearFile),
      file(openedFile(view, yearFile, year, eras)),
      source{&file, &view.block(12), year, eras, {}},
      chosen(chosenSlots(args, view.block(12))) {
    source.options.kindText = ini.readString("Option", "Syubetu", source.options.kindText);
    source.options.printLine = ini.readBool("Option", "PrintLine", true);
}

int runPrintWithholding(const Words& words) {
    const Args args(words, {"include-unprocessed"});
    args.expectOnly({"kind", "slots", "root", "pdf", "include-unprocessed"}, 2);
    const DocumentKind kind = kindFrom(args);
    const std::string pdf = args.required("pdf");
    const WithholdingYear y(args);
    if (!args.flag("include-unprocessed") && reportUnprocessed(y)) return 1;

    const int employees = static_cast<int>(y.chosen.size());
    const std::unique_ptr<print::Report> report = makeDocumentReport(y.source, y.chosen, kind);
    OffscreenApplication application;
    writePdf(*report, pdf, y.settings);
    printJson({{"pdf", pdf},
               {"kind", static_cast<int>(kind)},
               {"sheets", report->pageCount()},
               {"employees", employees}});
    return 0;
}

}  // namespace keiro::tool
