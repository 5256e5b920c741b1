#include "print/qt/dialog/printer_choice.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>
#include <utility>

#include "print/qt/dialog/print_request.h"
#include "print/qt/report_output.h"

namespace keiro::print {
namespace {

QPageSize pageSizeOf(int deviceModeCode) {
    switch (deviceModeCode) {
        case static_cast<int>(Paper::A5):
            return QPageSize(QPageSize::A5);
        case static_cast<int>(Paper::B5):
            return QPageSize(QPageSize::JisB5);
        default:
            return QPageSize(QPageSize::A4);
    }
}

int tenthsOfMm(qreal mm) {
    return static_cast<int>(std::lround(mm * 10));
}

}  // namespace

QStringList installedPrinterNames() {
    return QPrinterInfo::availablePrinterNames();
}

bool runPrinterSetup(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

PrinterChoice::PrinterChoice(std::function<QStringList()> installedPrinters)
    : installedPrinters_(std::move(installedPrinters)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    selectDefault();
}

PrinterChoice::~PrinterChoice() = default;

bool PrinterChoice::isPdf() const {
    return printer_->outputFormat() == QPrinter::PdfFormat;
}

QString PrinterChoice::deviceName() const {
    return isPdf() ? QString::fromUtf8(kPdfChoiceName) : printer_->printerName();
}

void PrinterChoice::selectDefault() {
    const QStringList installed = installedPrinters_();
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    if (installed.contains(defaultName)) {
        printer_->setPrinterName(defaultName);
    } else if (!installed.isEmpty()) {
        printer_->setPrinterName(installed.front());
    }
    if (installed.isEmpty() || printer_->outputFormat() != QPrinter::NativeFormat) selectPdf();
}

// A PDF is written without margins, so the preview shows the page without them too.
void PrinterChoice::selectPdf() {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setPageMargins(QMarginsF(0, 0, 0, 0));
}

void PrinterChoice::restore(const PrintInfo& stored) {
    std::vector<std::string> names;
    for (const QString& name : installedPrinters_()) names.push_back(name.toStdString());
    names.emplace_back(kPdfChoiceName);

    const std::optional<PrintInfo> remembered = restorablePrinter(stored, names);
    if (!remembered) {
        selectDefault();
        usePaper({Paper::A4, Orientation::Portrait});
        return;
    }
    if (remembered->deviceName == kPdfChoiceName) {
        selectPdf();
    } else {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(QString::fromStdString(remembered->deviceName));
    }
    printer_->setPageSize(pageSizeOf(remembered->paperSize));
    printer_->setPageOrientation(remembered->orientation == static_cast<int>(Orientation::Landscape)
                                     ? QPageLayout::Landscape
                                     : QPageLayout::Portrait);
    printer_->setColorMode(QPrinter::Color);
}

void PrinterChoice::usePaper(const PaperChoice& paper) {
    print::usePaper(*printer_, paper);
    printer_->setColorMode(QPrinter::Color);
}

PrintInfo PrinterChoice::current() const {
    const QPageLayout layout = printer_->pageLayout();
    const QSizeF portrait = layout.pageSize().size(QPageSize::Millimeter);
    PrintInfo info;
    info.deviceName = deviceName().toStdString();
    info.paperSize = layout.pageSize().windowsId();
    info.paperWidth = tenthsOfMm(portrait.width());
    info.paperLength = tenthsOfMm(portrait.height());
    info.orientation =
        static_cast<int>(layout.orientation() == QPageLayout::Landscape ? Orientation::Landscape
                                                                        : Orientation::Portrait);
    info.defaultSource = printer_->paperSource();
    info.printQuality = printer_->resolution();
    return info;
}

}  // namespace keiro::print
