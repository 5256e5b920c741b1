#pragma once
// What the caller of the print dialog hands over, and what it gets back.
//
// The caller names the report (kind and period), the caption, how to build the report from the
// dialog's choices, and optionally how to export it instead of printing (pictures of pay
// slips, CSV of the ledger and the monthly list).  The dialog shows the proposed pay date, lets
// the user choose, and prints, previews or exports.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "print/pay_date.h"
#include "print/report.h"
#include "print/report_mode.h"

class QPrinter;
class QWidget;

namespace keiro {
class IniFile;
struct Settings;
}  // namespace keiro

namespace keiro::ui {
class FileDialogs;
class MessageService;
}  // namespace keiro::ui

namespace keiro::print {

using ReportBuilder = std::function<std::unique_ptr<Report>(const PrintChoices&)>;
// Exports the report with these choices (asking the user where); true when it was written.
using ReportExport = std::function<bool(QWidget* parent, const PrintChoices&)>;

// The withholding program's preview has its buttons on a tool bar the user may hide (and a
// context menu that repeats them); the payroll program's shows its buttons always.
struct PreviewStyle {
    bool toolBar = false;
    bool buttonsShown = true;                        // the tool bar is shown
    std::function<void(bool shown)> buttonsToggled;  // the user showed or hid it
};

struct PrintRequest {
    ReportMode mode;  // the payroll program's reports; not read for documents
    QString caption;  // "給与明細書": the dialog adds "の印刷"
    ReportBuilder buildReport;
    ReportExport exportReport;  // empty: the report has no export
    PayDateTexts payDate;       // the proposed pay date (pay slips)
    // Pay slips: one PDF per employee for electronic delivery (empty: not offered).
    ReportExport exportEmployeePdfs;
    // The withholding program's documents are printed without the report choices (form type,
    // pay date, comment) and without export; each document keeps its own printer in
    // PrintInfo<documentPrinter> and only the position correction in Option.  0: a report of
    // the payroll program, whose printer is PrintInfo's.
    int documentPrinter = 0;
    PreviewStyle preview;

    bool isDocument() const { return documentPrinter > 0; }
};

enum class PrintOutcome { Cancelled, Printed, Exported };

// The installed printers' names.
QStringList installedPrinterNames();
// The system's printer set-up dialog on the printer; true when the user closed it with OK.
bool runPrinterSetup(QPrinter& printer, QWidget* parent);

// What the dialog works with.  Settings hold FormType, PrAdjustH, PrAdjustV and the remembered
// printer, read when the dialog is created; every print writes them back to the ini.
struct PrintServices {
    ui::MessageService& messages;
    ui::FileDialogs& files;
    IniFile& ini;
    Settings& settings;
    std::function<QStringList()> installedPrinters = installedPrinterNames;
    std::function<bool(QPrinter&, QWidget*)> printerSetup = runPrinterSetup;
};

}  // namespace keiro::print
