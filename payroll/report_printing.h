#pragma once
// ReportPrinting: the main window's reports.  The pay slips of the employees chosen in the
// employee list, the per-employee ledger, the monthly list, the transfer list and the bank's
// transfer file of the same people and amounts, the denomination table, the residence-tax list,
// the withheld tax's payment figures and the roster, each through the one print dialog of the
// run; the lists also as CSV files.

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "print/qt/dialog/print_request.h"
#include "print/slip_data.h"

namespace keiro::print {
class PrintDialog;
struct TextTable;
}  // namespace keiro::print

namespace keiro {
class YearData;
}  // namespace keiro

namespace keiro::payroll {

struct OpenPeriodContext;
struct MainContext;
class EmployeePdfs;

class ReportPrinting {
  public:
    // `chooseEmployees` is the employee list in its choosing mode (ledger or pay slips): the
    // chosen slots in the list's order, none when cancelled.
    ReportPrinting(const OpenPeriodContext& period, EmployeePdfs& pdfs,
                   std::function<std::vector<int>(bool ledger)> chooseEmployees);
    ~ReportPrinting();

    // 給与/賞与明細書: the employees chosen in the employee list, then the print dialog for
    // their pay slips (printed, previewed, saved as pictures or as one PDF per employee).
    void printPaySlips();
    // 社員別給与台帳 (after the question about unsaved changes: it reads the file on disk).
    void printLedger();
    // 月別給与/賞与一覧, 給与/賞与振込一覧 and 給与/賞与支払金種表 of the open period.
    void printMonthlyList();
    void printTransferList();
    void printDenominations();
    // 振込データ作成: the bank transfer file of the transfer list's people, after the
    // recalculation, saved where the clerk chooses; a refusal lists what is missing.
    void writeTransferFile();
    // 住民税納付一覧: the residence tax deducted in the open period per municipality, printed
    // or written as CSV.
    void printResidentTaxList();
    // 所得税徴収高計算書 of a month or a half-year, from the file on disk (after the question
    // about unsaved changes).
    void printTaxPayment();
    // 社員名簿一覧表, from the employee list.
    void printRoster();

    // A list already laid out as a table (the yearly social-insurance lists) through the print
    // dialog.
    void printTextTable(print::TextTable table);
    // A CSV file written where the clerk chooses, proposed in the settings folder (asked before
    // overwriting), and the notice that it was written.
    void writeCsvTable(QWidget* parent, const std::string& proposedName,
                       const std::string& content);

    // The print dialog, made on first use and kept for the run (it keeps the preview's zoom).
    print::PrintDialog& printDialog();

  private:
    void runReport(print::ReportMode mode, const QString& caption, print::ReportBuilder build,
                   print::ReportExport exportFiles);
    // The CSV file the clerk chooses, proposed in the settings folder; and whether a file may be
    // written (asked when it exists).
    std::optional<std::filesystem::path> askCsvFile(QWidget* parent,
                                                    const std::string& proposedName);
    bool mayWriteCsv(QWidget* parent, const std::filesystem::path& file);

    const OpenPeriodContext& period_;
    const MainContext& context_;
    YearData& year_;
    EmployeePdfs& pdfs_;
    std::function<std::vector<int>(bool ledger)> chooseEmployees_;
    std::unique_ptr<print::PrintDialog> printDialog_;
};

// The open period as the pay slips read it.
print::SlipPeriod slipPeriodOf(const OpenPeriodContext& period);

}  // namespace keiro::payroll
