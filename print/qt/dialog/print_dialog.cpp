#include "print/qt/dialog/print_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <exception>
#include <filesystem>

#include "core/ini.h"
#include "core/settings.h"
#include "print/built_report.h"
#include "print/dialog_texts.h"
#include "print/employee_pdf_names.h"
#include "print/position_correction.h"
#include "print/qt/dialog/comment_memo.h"
#include "print/qt/dialog/correction_panel.h"
#include "print/qt/dialog/pay_date_row.h"
#include "print/qt/dialog/preview_window.h"
#include "print/qt/dialog/printer_choice.h"
#include "widgets/command_runner.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::print {
namespace {

constexpr const char* kCaptionSuffix = "の印刷";

// The lists of their own dates export only when their caller hands over a way to.
bool hasExport(ReportKind kind) {
    return kind == ReportKind::PaySlips || kind == ReportKind::Ledger ||
           kind == ReportKind::MonthlyList || kind == ReportKind::SocialList ||
           kind == ReportKind::ResidentTax;
}

}  // namespace

PrintDialog::PrintDialog(const PrintServices& services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      printer_(std::make_unique<PrinterChoice>(services.installedPrinters)),
      formType_(validFormType(services.settings.formType)),
      pdfFolder_(QString::fromStdString(
          services.ini.readString("Option", "PdfFolder", QDir::homePath().toStdString()))) {
    setObjectName(QStringLiteral("fmInji"));
    setWindowTitle(QStringLiteral("帳票の印刷"));
    setModal(true);
    buildControls();
    corrections_->setTenths(services_.settings.printOffsetXTenths,
                            services_.settings.printOffsetYTenths);
    preview_ = new PreviewWindow(services_.messages, this);
}

PrintDialog::~PrintDialog() = default;

PrintOutcome PrintDialog::run(const PrintRequest& request) {
    prepare(request);
    exec();
    return outcome_;
}

void PrintDialog::prepare(const PrintRequest& request) {
    request_ = request;
    outcome_ = PrintOutcome::Cancelled;
    report_.reset();
    builtChoices_.reset();
    setWindowTitle(request.caption + QString::fromUtf8(kCaptionSuffix));
    payDate_->setDate(request.payDate);
    printer_->restore(request.isDocument() ? loadPrintInfo(services_.ini, request.documentPrinter)
                                           : printInfoFrom(services_.settings.printer));
    formTypeCombo_->setCurrentIndex(formType_);
    normalOrderRadio_->setChecked(true);
    includeTransferPaidCheck_->setChecked(false);
    showControlsForKind();
    showControlsForDocument();
    corrections_->setTenths(services_.settings.printOffsetXTenths,
                            services_.settings.printOffsetYTenths);
    ui::runCommand(this, services_.messages, [this] { countPages(); });
    showPrinter();
    printButton_->setFocus();
}

void PrintDialog::showControlsForKind() {
    const ReportKind kind = request_.mode.kind;
    const bool slips = kind == ReportKind::PaySlips;
    const bool monthlyList = kind == ReportKind::MonthlyList;
    formTypeLabel_->setVisible(slips);
    formTypeCombo_->setVisible(slips);
    // Only the slips print the pay date typed here; the other reports take theirs from the
    // period, so the row is not shown for them.
    payDateLabel_->setText(monthlyList ? QStringLiteral("印刷方法") : QStringLiteral("支給日"));
    payDateLabel_->setVisible(slips || monthlyList);
    payDate_->setVisible(slips);
    methods_->setVisible(monthlyList);
    memoEdit_->setEnabled(slips);
    printRemarksCheck_->setChecked(false);
    printRemarksCheck_->setVisible(slips);
    printRemarksCheck_->setEnabled(slips);
    includeTransferPaidCheck_->setVisible(kind == ReportKind::Denominations);
    csvButton_->setText(slips ? QStringLiteral("画像に保存") : QStringLiteral("CSV書き出し"));
    csvButton_->setEnabled(hasExport(kind) && static_cast<bool>(request_.exportReport));
    employeePdfsButton_->setVisible(slips && static_cast<bool>(request_.exportEmployeePdfs));
}

// A withholding document has nothing to choose but the printer and the correction.
void PrintDialog::showControlsForDocument() {
    const bool document = request_.isDocument();
    reportGroup_->setVisible(!document);
    csvButton_->setVisible(!document);
    printerSetupButton_->setText(document ? QStringLiteral("ﾌﾟﾘﾝﾀ設定")
                                          : QStringLiteral("プリンタの設定..."));
    cancelButton_->setText(document ? QStringLiteral("中止") : QStringLiteral("キャンセル"));
    corrections_->setDocumentStyle(document);
    adjustSize();
}

PrintChoices PrintDialog::choices() const {
    PrintChoices choices;
    choices.formType = formType_;
    choices.payDate = payDate_->entry();
    choices.comment = memoLines(memoEdit_);
    choices.printRemarks = printRemarksCheck_->isChecked();
    choices.listMethod = byCategoryRadio_->isChecked()     ? ListMethod::ByCategory
                         : byDepartmentRadio_->isChecked() ? ListMethod::ByDepartment
                                                           : ListMethod::Normal;
    choices.allEmployees = includeTransferPaidCheck_->isChecked();
    return choices;
}

void PrintDialog::countPages() {
    // The report is built once for a set of choices: its pages are then counted, previewed and
    // printed from the same build.
    const PrintChoices now = choices();
    if (!report_ || !builtChoices_ || *builtChoices_ != now) {
        // A build that fails (a data file that cannot be read) leaves no report behind.
        report_.reset();
        builtChoices_.reset();
        pagesPanel_->clear();
        paperPanel_->clear();
        report_ = buildReport(request_.buildReport ? request_.buildReport(now) : nullptr);
        builtChoices_ = now;
    }
    if (!report_) {
        pagesPanel_->clear();
        paperPanel_->clear();
        return;
    }
    printer_->usePaper(report_->paper());
    pagesPanel_->setText(QString::fromStdString(report_->countText()));
    QString paper = QString::fromStdString(paperPanelText(report_->paper()));
    // The withholding program's panel sets the size two blanks apart.
    if (request_.isDocument()) paper.replace(QStringLiteral(" ["), QStringLiteral("  ["));
    paperPanel_->setText(paper);
}

void PrintDialog::showPrinter() {
    printerPanel_->setText(QStringLiteral(" ") + printer_->deviceName());
}

void PrintDialog::chooseFormType() {
    formType_ = validFormType(formTypeCombo_->currentIndex());
    countPages();
}

void PrintDialog::setUpPrinter() {
    services_.printerSetup(printer_->printer(), this);
    // A file named in the set-up dialog is where the PDF is proposed to go.
    if (printer_->isPdf() && !printer_->printer().outputFileName().isEmpty()) {
        pdfFolder_ = printer_->printer().outputFileName();
    }
    // The set-up dialog may have changed the paper: the report's own stays.
    if (report_) printer_->usePaper(report_->paper());
    showPrinter();
}

bool PrintDialog::reportWithPages() {
    countPages();
    if (report_ && report_->pageCount() > 0) return true;
    services_.messages.information(this, QStringLiteral("印刷するページがありません。"));
    return false;
}

void PrintDialog::showPreview() {
    const std::optional<Correction> correction = corrections_->read();
    if (!correction || !reportWithPages()) return;
    preview_->setStyle(request_.preview);
    preview_->prepare(*report_, printer_->printer(), *correction);
    if (preview_->exec() != QDialog::Accepted) return;
    // 印刷実行 in the preview: print as the print button does and close the dialog too.
    if (printReport(*correction)) {
        outcome_ = PrintOutcome::Printed;
        accept();
    }
}

void PrintDialog::printNow() {
    outputAndClose(&PrintDialog::printReport);
}

void PrintDialog::savePdf() {
    outputAndClose(&PrintDialog::writePdf);
}

void PrintDialog::outputAndClose(bool (PrintDialog::*output)(const Correction&)) {
    const std::optional<Correction> correction = corrections_->read();
    if (!correction || !reportWithPages()) return;
    if ((this->*output)(*correction)) {
        outcome_ = PrintOutcome::Printed;
        accept();
    }
}

void PrintDialog::writeCsv() {
    runExport(request_.exportReport);
}

void PrintDialog::writeEmployeePdfs() {
    runExport(request_.exportEmployeePdfs);
}

void PrintDialog::runExport(const ReportExport& exportFiles) {
    if (!exportFiles) return;
    if (exportFiles(this, choices())) {
        outcome_ = PrintOutcome::Exported;
        accept();
    }
}

bool PrintDialog::printReport(const Correction& correction) {
    QPrinter& printer = printer_->printer();
    if (printer_->isPdf()) return writePdf(correction);
    saveSettings(correction);
    printer_->usePaper(report_->paper());
    printer.setDocName(QApplication::applicationDisplayName());
    if (paintReport(*report_, printer, correction)) return true;
    services_.messages.error(
        this,
        QStringLiteral("プリンタ「%1」で印刷を始められませんでした。").arg(printer.printerName()));
    return false;
}

// The PDF choice asks for the file, proposing the report's name in the folder used last, and
// writes it at once, saying where it went; a file that cannot be written is said so, never
// taken for a print.
bool PrintDialog::writePdf(const Correction& correction) {
    const QFileInfo last(pdfFolder_);
    const QString folder = last.isDir() || pdfFolder_.isEmpty() ? pdfFolder_ : last.absolutePath();
    const QString proposed =
        QDir(folder).filePath(QString::fromStdString(reportPdfName(report_->documentInfo())));
    const std::optional<QString> path =
        services_.files.saveFile(this, QString::fromUtf8(kPdfChoiceName), proposed,
                                 QStringLiteral("PDFﾌｧｲﾙ (*.pdf)"), QStringLiteral("pdf"));
    if (!path) return false;
    pdfFolder_ = QFileInfo(*path).absolutePath();
    saveSettings(correction);
    try {  // where the next PDF is proposed to go; a settings file that refuses it costs nothing
        services_.ini.writeString("Option", "PdfFolder", pdfFolder_.toStdString());
    } catch (const std::exception&) {
    }
    try {
        writeReportPdf(*report_, std::filesystem::path(path->toStdString()), correction);
        services_.messages.information(
            this, QStringLiteral("PDFファイルを保存しました。\n【%1】")
                      .arg(QDir::toNativeSeparators(QFileInfo(*path).absoluteFilePath())));
        return true;
    } catch (const std::exception& error) {
        services_.messages.error(this,
                                 QStringLiteral("PDFファイルを書き込めませんでした。\n【%1】\n%2")
                                     .arg(*path, QString::fromUtf8(error.what())));
        return false;
    }
}

// The printer, the form type and the correction are kept at every print, whether or not the
// printer then accepts the job.  A withholding document keeps its printer in a section of its
// own and leaves the payroll program's printer and form type alone.
void PrintDialog::saveSettings(const Correction& correction) {
    Settings& settings = services_.settings;
    settings.printOffsetXTenths = correctionTenths(correction.horizontal);
    settings.printOffsetYTenths = correctionTenths(correction.vertical);
    try {
        if (request_.isDocument()) {
            savePrintInfo(services_.ini, printer_->current(), request_.documentPrinter);
            services_.ini.apply(IniChanges()
                                    .setInt("Option", "PrAdjustH", settings.printOffsetXTenths)
                                    .setInt("Option", "PrAdjustV", settings.printOffsetYTenths));
            return;
        }
        settings.formType = formType_;
        settings.printer = toPrinterSettings(printer_->current());
        savePrintSettings(services_.ini, settings);
    } catch (const std::exception& error) {
        services_.messages.error(this, QStringLiteral("印刷の設定を保存できませんでした。\n%1")
                                           .arg(QString::fromUtf8(error.what())));
    }
}

}  // namespace keiro::print
