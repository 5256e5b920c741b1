// export list FILE --period K [--root DIR] [--method 0|1|2] OUT.csv
// export ledger FILE --slots 1,2,… [--root DIR] --out DIR BASE.csv
// export zengin FILE --period K [--root DIR] [--date YYYY-MM-DD] OUT.txt
// export withholding-list YEARFILE [--root DIR] [--slots 1,2,…] OUT.csv (withholding_list_commands)
//
// The CSV files of the monthly list and of the pay ledger, as the print dialog's CSV button
// writes them (code page 932, CR LF, written whole and readable by the owner only), and the
// bank transfer file of a period as the main window's button writes it (取組日: --date, which
// must be a bank business day, else the pay date or the business day before it).  Nothing is
// drawn, so no Qt application is started.
#include <filesystem>
#include <set>
#include <stdexcept>

#include "core/bank_calendar.h"
#include "core/yearfile.h"
#include "print/table_csv.h"
#include "print/zengin_file.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/table_reports.h"
#include "tools/withholding_print_commands.h"

namespace keiro::tool {
namespace {

namespace fs = std::filesystem;

int exportList(const Args& args) {
    args.expectOnly({"period", "root", "method"}, 3);
    const int period = args.requiredInt("period", 1, kPeriodCount);
    const print::ListMethod method = listMethodFrom(args);
    const std::string out = args.positional(2, "OUT.csv");

    const SavedPeriod saved = openSavedPeriod(args, period);
    print::writeCsvFile(
        out, print::monthlyListCsv(monthlyListReport(saved, method), saved.settings.timeStyle));
    printJson({{"csv", out}});
    return 0;
}

// The period whose employee list the slots number: the latest saved month, or when no month is
// saved the latest saved bonus.
int periodOfTheSlots(const fs::path& file) {
    const YearFileHeader header = readYearFileHeader(file);
    for (int period = kFirstBonusPeriod - 1; period >= 1; --period)
        if (header.isSaved(period)) return period;
    for (int period = kPeriodCount; period >= kFirstBonusPeriod; --period)
        if (header.isSaved(period)) return period;
    throw std::runtime_error("給与/賞与のデータが保存されていません: " + file.string());
}

int exportLedger(const Args& args) {
    args.expectOnly({"slots", "root", "out"}, 3);
    const std::string slotText = args.required("slots");
    const fs::path folder = args.required("out");
    const std::string chosenName = args.positional(2, "BASE.csv");
    if (!fs::is_directory(folder))
        throw std::runtime_error("出力先のフォルダがありません: " + folder.string());

    const SavedPeriod saved = openSavedPeriod(args, periodOfTheSlots(args.positional(1, "FILE")));
    const print::LedgerReport report = ledgerReport(saved, slotsFrom(slotText, *saved.block));
    auto files = nlohmann::ordered_json::array();
    std::set<std::string> written;  // a slot given twice is written once
    for (int page = 1; page <= report.pageCount(); ++page) {
        const std::string name = print::ledgerCsvFileName(report.employee(page), chosenName);
        if (!written.insert(name).second) continue;
        const fs::path path = folder / name;
        print::writeCsvFile(path, print::ledgerCsv(report, page, saved.settings.itemNames,
                                                   saved.settings.timeStyle));
        files.push_back(path.string());
    }
    printJson({{"files", files}});
    return 0;
}

// A refused file (a --date on which banks are closed among the reasons) exits 1 with the
// message, which lists every employee concerned, on stderr.  Employees left out for a net pay
// below zero are listed in "negativeNetPay" when there are any.
int exportZengin(const Args& args) {
    args.expectOnly({"period", "root", "date"}, 3);
    const int period = args.requiredInt("period", 1, kPeriodCount);
    std::optional<CalendarDate> date;
    if (const std::optional<std::string> text = args.option("date"))
        date = parseDateArgument(*text, "--date");
    const std::string out = args.positional(2, "OUT.txt");

    const SavedPeriod saved = openSavedPeriod(args, period);
    const BankCalendar calendar = loadBankCalendar(placesFromArgs(args));
    const print::ZenginFile file =
        print::buildPeriodZenginFile(*saved.block, saved.header, saved.fileYear, saved.eraNames,
                                     period, saved.settings.transfer, calendar, date);
    if (!file.ok()) throw std::runtime_error(print::zenginRefusalMessage(file));
    print::writeZenginFile(out, file);
    nlohmann::ordered_json result{{"file", out}, {"records", file.count}, {"total", file.total}};
    if (!file.negative.empty()) {
        auto negative = nlohmann::ordered_json::array();
        for (const print::ZenginNegativePay& n : file.negative)
            negative.push_back({{"code", n.code}, {"name", n.name}, {"netPay", n.netPay}});
        result["negativeNetPay"] = negative;
    }
    printJson(result);
    return 0;
}

}  // namespace

int runExport(const Words& words) {
    const Args args(words);
    const std::string& kind = args.positional(0, "command");
    if (kind == "list") return exportList(args);
    if (kind == "ledger") return exportLedger(args);
    if (kind == "zengin") return exportZengin(args);
    if (kind == "withholding-list") return runExportWithholdingList(words);
    throw UsageError("unknown export command");
}

}  // namespace keiro::tool
