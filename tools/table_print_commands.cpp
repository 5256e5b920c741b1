// The ledger, the monthly list, the transfer list, the denomination table and the roster of a
// saved period as PDF files, drawn by the same code as the print dialog.  Each kind takes only
// the options that change it: --slots the ledger, --method the list, --all the denomination
// table.
#include "tools/table_print_commands.h"

#include <functional>
#include <map>
#include <memory>

#include "print/denomination_report.h"
#include "print/list_period.h"
#include "print/period_caption.h"
#include "print/roster_report.h"
#include "print/transfer_list_report.h"
#include "print/zengin_file.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/table_reports.h"

namespace keiro::tool {
namespace {

// A report and the number of people it lists, when it counts them.
struct Made {
    std::unique_ptr<print::Report> report;
    std::optional<int> people;
};

// "[令和8年 12月分給与]" beside the money tables' titles.
std::string captionOf(const SavedPeriod& saved) {
    return print::periodCaption(saved.fileYear, saved.eraNames, saved.period,
                                print::periodMonth(saved.period, saved.header),
                                saved.settings.itemNames.extraBonusCaption);
}

Made ledger(const SavedPeriod& saved, const Args& args) {
    const std::vector<int> chosen = chosenSlots(args, *saved.block);
    return {std::make_unique<print::LedgerReport>(ledgerReport(saved, chosen)), std::nullopt};
}

Made monthlyList(const SavedPeriod& saved, const Args& args) {
    auto report =
        std::make_unique<print::MonthlyListReport>(monthlyListReport(saved, listMethodFrom(args)));
    const int people = report->employeeCount();
    return {std::move(report), people};
}

Made transferList(const SavedPeriod& saved, const Args&) {
    auto report = std::make_unique<print::TransferListReport>(
        *saved.block, captionOf(saved),
        print::periodPayDate(saved.header, saved.block->settings, saved.fileYear, saved.eraNames,
                             saved.period)
            .value_or(todayInJapan()));
    const int people = static_cast<int>(report->employees().size());
    return {std::move(report), people};
}

Made denominations(const SavedPeriod& saved, const Args& args) {
    print::PrintChoices choices;
    choices.allEmployees = args.flag("all");
    auto report = std::make_unique<print::DenominationReport>(
        *saved.block, captionOf(saved), todayInJapan(), choices, saved.settings.use2000YenNotes);
    const int people = static_cast<int>(report->employees().size());
    return {std::move(report), people};
}

Made roster(const SavedPeriod& saved, const Args&) {
    auto report = std::make_unique<print::RosterReport>(*saved.block, saved.settings.itemNames,
                                                        todayInJapan());
    const int people = report->employeeCount();
    return {std::move(report), people};
}

struct Kind {
    std::string option;  // the one option of the kind beside --period, --root and --pdf
    std::function<Made(const SavedPeriod&, const Args&)> make;
};

const std::map<std::string, Kind>& kinds() {
    static const std::map<std::string, Kind> all = {
        {"ledger", {"slots", ledger}},    {"list", {"method", monthlyList}},
        {"transfer", {"", transferList}}, {"denomination", {"all", denominations}},
        {"roster", {"", roster}},
    };
    return all;
}

}  // namespace

bool isTableReportKind(const std::string& kind) {
    return kinds().count(kind) != 0;
}

int printTableReport(const std::string& kind, const Args& args) {
    const Kind& chosen = kinds().at(kind);
    std::vector<std::string> known = {"period", "root", "pdf"};
    if (!chosen.option.empty()) known.push_back(chosen.option);
    args.expectOnly(known, 2);
    const int period = args.requiredInt("period", 1, kPeriodCount);
    const std::string pdf = args.required("pdf");
    if (kind == "list") listMethodFrom(args);  // a wrong --method is wrong usage, before any I/O

    const SavedPeriod saved = openSavedPeriod(args, period);
    OffscreenApplication application;
    const Made made = chosen.make(saved, args);
    writePdf(*made.report, pdf, saved.settings);
    nlohmann::ordered_json out = {{"pdf", pdf}, {"pages", made.report->pageCount()}};
    if (made.people) out["people"] = *made.people;
    printJson(out);
    return 0;
}

}  // namespace keiro::tool
