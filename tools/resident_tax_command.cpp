// report resident-tax FILE --period K [--root DIR] (--pdf OUT | --csv OUT)
//
// The residence tax deducted in the saved period's pay, per municipality, written as the
// 住民税納付一覧 (PDF, A4 landscape) or its CSV; prints
//   {"period":K,"municipalities":[{"code":"131016","name":"千代田区","people":N,"amount":N},…],
//    "total":{"people":N,"amount":N}}
// The employees without a municipality are the last entry, with code "" and the name
// "納付先未設定".
#include <string>

#include "core/era.h"
#include "core/municipality.h"
#include "print/list_period.h"
#include "print/period_caption.h"
#include "print/resident_tax_list.h"
#include "print/table_csv.h"
#include "print/text_table_report.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/print_common.h"

namespace keiro::tool {

int runResidentTaxReport(const Args& args) {
    args.expectOnly({"period", "root", "pdf", "csv"}, 2);
    const int period = args.requiredInt("period", 1, kPeriodCount);
    const std::optional<std::string> pdf = args.option("pdf");
    const std::optional<std::string> csv = args.option("csv");
    if (pdf.has_value() == csv.has_value()) throw UsageError("give one of --pdf and --csv");

    const SavedPeriod saved = openSavedPeriod(args, period);
    const print::ResidentTaxList list = print::residentTaxList(*saved.block);
    if (pdf) {
        OffscreenApplication application;
        const std::string caption = print::periodCaption(
            saved.fileYear, saved.eraNames, period, print::periodMonth(period, saved.header),
            saved.settings.itemNames.extraBonusCaption);
        const print::TextTableReport report(
            print::residentTaxTable(list, saved.block->settings.companyName.utf8(), caption, false),
            todayInJapan());
        writePdf(report, *pdf, saved.settings);
    } else {
        print::writeCsvFile(*csv, print::residentTaxCsv(list));
    }

    auto municipalities = nlohmann::ordered_json::array();
    for (const print::ResidentTaxLine& line : list.lines) {
        municipalities.push_back({{"code", municipalityCodeText(line.code)},
                                  {"name", line.name},
                                  {"people", line.people},
                                  {"amount", line.amount}});
    }
    printJson({{"period", period},
               {"municipalities", municipalities},
               {"total", {{"people", list.people}, {"amount", list.amount}}}});
    return 0;
}

}  // namespace keiro::tool
