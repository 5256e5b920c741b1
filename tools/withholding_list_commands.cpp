// print withholding-list YEARFILE [--root DIR] [--slots 1,2,…] --pdf OUT.pdf
// export withholding-list YEARFILE [--root DIR] [--slots 1,2,…] OUT.csv
//
// The 年末調整一覧表 of a year: per employee 社員No, 氏名, 支払金額, 徴収税額, 年税額, 過不足 and
// the status (計算済 / 年調対象外 / 未処理), then the totals; as the withholding program prints it
// (A4 landscape, the company and the year at the top, page numbers) or as its CSV file (code
// page 932, CR LF, owner-readable, written atomically).  The withholding data is opened as
// `print withholding` opens it; the slots default to every occupied slot in slot order.
//
// Output: print {"pdf", "pages", "employees"}; export {"csv", "employees"}.  Exit 1 when
// December's salary was never saved.
#include <string>

#include "print/table_csv.h"
#include "tools/args.h"
#include "tools/print_common.h"
#include "tools/withholding_print_commands.h"
#include "withholding/print/year_end_list.h"
#include "withholding/print/year_labels.h"

namespace keiro::tool {
namespace {

using namespace keiro::withholding;

std::vector<YearEndListRow> rowsOf(const WithholdingYear& y) {
    return yearEndListRows(y.file, y.view.block(12), y.chosen);
}

}  // namespace

int runPrintWithholdingList(const Words& words) {
    const Args args(words);
    args.expectOnly({"slots", "root", "pdf"}, 2);
    const std::string pdf = args.required("pdf");
    const WithholdingYear y(args);
    const YearEndListReport report(rowsOf(y), y.source.companyName(),
                                   documentYearLabel(y.year, y.eras), todayInJapan());
    OffscreenApplication application;
    writePdf(report, pdf, y.settings);
    printJson({{"pdf", pdf},
               {"pages", report.pageCount()},
               {"employees", static_cast<int>(y.chosen.size())}});
    return 0;
}

int runExportWithholdingList(const Words& words) {
    const Args args(words);
    args.expectOnly({"slots", "root"}, 3);
    const std::string out = args.positional(2, "OUT.csv");
    const WithholdingYear y(args);
    print::writeCsvFile(out, yearEndListCsv(rowsOf(y)));
    printJson({{"csv", out}, {"employees", static_cast<int>(y.chosen.size())}});
    return 0;
}

}  // namespace keiro::tool
