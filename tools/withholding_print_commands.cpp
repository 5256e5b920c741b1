// print withholding YEARFILE --kind 1|2|5 [--slots 1,2,…] [--root DIR] --pdf OUT.pdf
//
// The withholding slips (kind 1), refund notices (2) or salary payment reports (5) of a year,
// drawn by the same code as the withholding program's print dialog, into a PDF.  The year's
// withholding file beside the year file is used when it exists; otherwise it is built in memory
// as the program would build it on first opening (nothing is written).  --slots names the
// employees in the order wanted; without it every occupied slot of December is printed, in slot
// order.  The settings (種別 text, cutting guides, print position correction) are those of
// --root DIR or of the installation.
//
// Output: {"pdf", "kind", "sheets", "employees"}.  Exit 1 when December's salary was never saved
// or the year has no such document (payment reports before 平成28).
#include <stdexcept>
#include <string>
#include <vector>

#include "core/era.h"
#include "core/year_view.h"
#include "tools/args.h"
#include "tools/print_common.h"
#include "tools/withholding_print_commands.h"
#include "withholding/model/opening.h"
#include "withholding/print/document_report.h"

namespace keiro::tool {
namespace {

using namespace keiro::withholding;

DocumentKind kindFrom(const Args& args) {
    const int kind = args.requiredInt("kind", 1, 5);
    if (kind != 1 && kind != 2 && kind != 5) throw UsageError("--kind: 1, 2 or 5");
    return static_cast<DocumentKind>(kind);
}

std::vector<int> occupiedSlots(const PeriodBlock& december) {
    std::vector<int> occupied;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (december.employee(slot).isUsed()) occupied.push_back(slot);
    }
    return occupied;
}

}  // namespace

int runPrintWithholding(const Words& words) {
    const Args args(words);
    args.expectOnly({"kind", "slots", "root", "pdf"}, 2);
    const DocumentKind kind = kindFrom(args);
    const std::string pdf = args.required("pdf");
    const std::filesystem::path yearFile = args.positional(1, "YEARFILE");
    const std::optional<EraYear> year = parseYearFileName(yearFile.filename().string());
    if (!year) {
        throw std::runtime_error("データファイル名から年号と年を読み取れません: " +
                                 yearFile.filename().string());
    }

    const IniFile ini(placesFromArgs(args).iniFile);
    const Settings settings = loadSettings(ini);
    const EraNames eras = eraNamesFor(todayInJapan(), settings.newEraName);
    YearView view(yearFile);
    const std::optional<WithholdingFile> file =
        openWithholdingFile(view, withholdingPathsFor(yearFile, *year, eras));
    if (!file) throw std::runtime_error("12月分の給与が入力されていません。");

    const PeriodBlock& december = view.block(12);
    DocumentSource source{&*file, &december, *year, eras, {}};
    source.options.kindText = ini.readString("Option", "Syubetu", source.options.kindText);
    source.options.printLine = ini.readBool("Option", "PrintLine", true);
    const std::optional<std::string> chosen = args.option("slots");
    std::vector<int> people = chosen ? slotsFrom(*chosen, december) : occupiedSlots(december);
    const int employees = static_cast<int>(people.size());

    const std::unique_ptr<print::Report> report =
        makeDocumentReport(source, std::move(people), kind);
    OffscreenApplication application;
    writePdf(*report, pdf, settings);
    printJson({{"pdf", pdf},
               {"kind", static_cast<int>(kind)},
               {"sheets", report->pageCount()},
               {"employees", employees}});
    return 0;
}

}  // namespace keiro::tool
