#pragma once
// The printer the print dialog prints on: one of the installed printers, or a PDF file, which
// is always offered (a machine without printers prints to PDF).  The choice is remembered in
// PrintInfo under the printer's name, or under the PDF choice's own name.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "print/print_info.h"

class QPrinter;

namespace keiro::print {

inline constexpr const char* kPdfChoiceName = "PDFに保存";

class PrinterChoice {
  public:
    explicit PrinterChoice(std::function<QStringList()> installedPrinters);
    ~PrinterChoice();
    PrinterChoice(const PrinterChoice&) = delete;
    PrinterChoice& operator=(const PrinterChoice&) = delete;

    QPrinter& printer() { return *printer_; }
    bool isPdf() const;
    // The name the printer panel shows and PrintInfo keeps.
    QString deviceName() const;

    // The remembered printer when it is still there (exactly that name) with its paper;
    // otherwise the default printer, or PDF when there is none, with A4 portrait.
    void restore(const PrintInfo& stored);
    void usePaper(const PaperChoice& paper);
    // What PrintInfo keeps of the current choice.
    PrintInfo current() const;

  private:
    void selectDefault();
    void selectPdf();

    std::function<QStringList()> installedPrinters_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace keiro::print
