// report tax-payment FILE (--month M | --half 1|2) [--root DIR] (--pdf OUT | --csv OUT)
//
// The figures of the withheld income tax's payment for a month of the year file, or for a
// half-year under 納期の特例, written as the page of the print dialog (PDF) or as its CSV, and
// printed as JSON:
//   {"salary":{"people":N,"paid":N,"tax":N},"bonus":{…},"yearEnd":{"refund":N,"collect":N},
//    "total":N}
#include <optional>
#include <string>

#include "core/era.h"
#include "core/ini.h"
#include "core/settings.h"
#include "print/table_csv.h"
#include "print/tax_payment_report.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/print_common.h"

namespace keiro::tool {
namespace {

print::TaxPaymentChoice choiceFrom(const Args& args) {
    const std::optional<std::string> month = args.option("month");
    const std::optional<std::string> half = args.option("half");
    if (month.has_value() == half.has_value())
        throw UsageError("give either --month M or --half 1|2");
    if (month) return {false, args.requiredInt("month", 1, 12)};
    return {true, args.requiredInt("half", 1, 2)};
}

nlohmann::ordered_json kindJson(const print::PaidKind& kind) {
    return {{"people", kind.people}, {"paid", kind.paid}, {"tax", kind.tax}};
}

}  // namespace

int runTaxPaymentReport(const Args& args) {
    args.expectOnly({"month", "half", "root", "pdf", "csv"}, 2);
    const print::TaxPaymentChoice choice = choiceFrom(args);
    const std::optional<std::string> pdf = args.option("pdf");
    const std::optional<std::string> csv = args.option("csv");
    if (pdf.has_value() == csv.has_value()) throw UsageError("give either --pdf OUT or --csv OUT");
    const std::filesystem::path file = args.positional(1, "FILE");
    if (!parseYearFileName(file.filename().string()))
        throw UsageError("not a year file name: " + file.filename().string());

    IniFile ini(placesFromArgs(args).iniFile);
    const Settings settings = loadSettings(ini);
    const EraNames names = eraNamesFor(todayInJapan(), settings.newEraName);
    const print::TaxPaymentFiles files = print::TaxPaymentFiles::open(file, names, choice);
    print::TaxPaymentFigures figures = files.figures();

    const nlohmann::ordered_json out = {
        {"salary", kindJson(figures.salary)},
        {"bonus", kindJson(figures.bonus)},
        {"yearEnd", {{"refund", figures.yearEnd.refund}, {"collect", figures.yearEnd.collect}}},
        {"total", figures.total}};
    if (csv) {
        print::writeCsvFile(*csv, print::taxPaymentCsv(figures));
    } else {
        print::TaxPaymentHeading heading{{}, 0, todayInJapan()};
        if (const PeriodSettings* company = files.company()) {
            heading.company = company->companyName.utf8();
            heading.corporateNumber = company->corporateNumber;
        }
        OffscreenApplication application;
        writePdf(print::TaxPaymentReport(std::move(figures), std::move(heading)), *pdf, settings);
    }
    printJson(out);
    return 0;
}

}  // namespace keiro::tool
