// print slips FILE --period K [--root DIR] [--form-type N] [--slots 1,2,…] (--pdf OUT | --jpeg DIR)
// print ledger|list|transfer|denomination|roster … (table_print_commands.cpp)
//
// The pay slips of a saved period drawn by the same code as the print dialog: into a PDF with
// the report fonts embedded, or as one JPEG picture per employee.  Only the print commands start
// a (window-less) Qt application; the rest of keiro-tool needs none.
#include <optional>
#include <string>
#include <vector>

#include "core/layouts.h"
#include "print/dialog_texts.h"
#include "print/pay_date.h"
#include "print/pay_slip_report.h"
#include "print/qt/picture_export.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/print_common.h"
#include "tools/table_print_commands.h"

namespace keiro::tool {
namespace {

namespace fs = std::filesystem;

int printSlips(const Args& args) {
    args.expectOnly({"period", "root", "form-type", "slots", "pdf", "jpeg"}, 2);
    const int period = args.requiredInt("period", 1, kPeriodCount);
    const std::optional<std::string> pdf = args.option("pdf");
    const std::optional<std::string> jpeg = args.option("jpeg");
    if (pdf.has_value() == jpeg.has_value()) throw UsageError("give one of --pdf and --jpeg");

    const SavedPeriod saved = openSavedPeriod(args, period);
    const PrintTables tables = buildPrintTables(
        loadLayout(saved.ini, isBonusPeriod(period) ? LayoutKind::Bonus : LayoutKind::Salary));

    print::PrintChoices choices;
    choices.formType = args.option("form-type") ? args.requiredInt("form-type", 0, 7)
                                                : print::validFormType(saved.settings.formType);
    choices.payDate = print::payDateEntryOf(
        print::proposedPayDate(saved.fileYear, saved.eraNames, period, saved.header,
                               saved.block->settings, eraDateOf(todayInJapan()).eraYear));
    const std::vector<int> chosen = chosenSlots(args, *saved.block);

    OffscreenApplication application;
    const print::SlipPeriod slipPeriod{saved.block.get(), &saved.header,  period,
                                       saved.fileYear,    saved.eraNames, &saved.settings.itemNames,
                                       &tables,           &saved.settings};
    const print::PaySlipReport report(slipPeriod, chosen, saved.file, choices);
    if (pdf) {
        writePdf(report, *pdf, saved.settings);
        printJson({{"pdf", *pdf},
                   {"sheets", report.pageCount()},
                   {"slips", static_cast<int>(chosen.size())}});
    } else {
        auto files = nlohmann::ordered_json::array();
        for (const fs::path& picture : print::writePictures(report, *jpeg))
            files.push_back(picture.string());
        printJson({{"folder", *jpeg}, {"files", files}});
    }
    return 0;
}

}  // namespace

int runPrint(const Words& words) {
    const Args args(words, {"all"});
    const std::string& kind = args.positional(0, "command");
    if (kind == "slips") return printSlips(args);
    if (isTableReportKind(kind)) return printTableReport(kind, args);
    throw UsageError("unknown print command");
}

}  // namespace keiro::tool
