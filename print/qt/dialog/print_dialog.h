#pragma once
// The print dialog shared by every report of both programs.  Created once and reused: run()
// takes a request (which report, caption, how to build and export it, the proposed pay date),
// shows the dialog modally and says whether it printed, exported or was cancelled.
//
// The dialog counts the pages whenever a choice changes, chooses the paper the report needs,
// keeps the pay date, the comment of pay slips and the print position correction, previews and
// prints.  A print always goes to a printer or, with none installed or chosen, to a PDF file;
// the printer, FormType and the correction are saved at every print.

#include <QDialog>
#include <memory>
#include <optional>

#include "print/qt/dialog/print_request.h"
#include "print/qt/report_output.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace keiro::print {

class CorrectionPanel;
class PayDateRow;
class PrinterChoice;
class PreviewWindow;

class PrintDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PrintDialog(const PrintServices& services, QWidget* parent = nullptr);
    ~PrintDialog() override;

    // Shows the dialog modally for the request.
    PrintOutcome run(const PrintRequest& request);

    // Prepares the dialog for the request without showing it (run() does this first; tests
    // show the dialog themselves).
    void prepare(const PrintRequest& request);
    PrintOutcome outcome() const { return outcome_; }
    const Report* report() const { return report_.get(); }
    PreviewWindow* preview() const { return preview_; }
    // What the controls say now.
    PrintChoices choices() const;

    // Handlers (also the buttons' slots).
    void chooseFormType();
    void setUpPrinter();
    void showPreview();
    void printNow();
    // PDFに保存: the report into a PDF file, whichever printer is chosen.
    void savePdf();
    void writeCsv();
    void writeEmployeePdfs();

  private:
    void buildControls();
    void showControlsForKind();
    void showControlsForDocument();
    // Builds the report for the current choices, sets the printer's paper and updates the page
    // and paper panels.
    void countPages();
    void showPrinter();
    // Prints the current report with the correction; false (after saying why) when nothing
    // was printed.
    // The corrections read and the report built, `output` runs; after it succeeds the dialog
    // closes as printed.
    void outputAndClose(bool (PrintDialog::*output)(const Correction&));
    bool printReport(const Correction& correction);
    bool writePdf(const Correction& correction);
    void saveSettings(const Correction& correction);
    // Rebuilds the report with the latest choices; false (after saying so) when it has no page.
    bool reportWithPages();
    // Runs an export of the request; an export that wrote its files closes the dialog.
    void runExport(const ReportExport& exportFiles);

    PrintServices services_;
    PrintRequest request_;
    std::unique_ptr<Report> report_;
    std::optional<PrintChoices> builtChoices_;  // what report_ was built with
    std::unique_ptr<PrinterChoice> printer_;
    PrintOutcome outcome_ = PrintOutcome::Cancelled;
    int formType_;
    QString pdfFolder_;  // where the last PDF went, or the file the set-up dialog named

    QWidget* reportGroup_ = nullptr;
    QLabel* formTypeLabel_ = nullptr;
    QComboBox* formTypeCombo_ = nullptr;
    QLabel* payDateLabel_ = nullptr;
    PayDateRow* payDate_ = nullptr;
    QWidget* methods_ = nullptr;
    QRadioButton* normalOrderRadio_ = nullptr;
    QRadioButton* byCategoryRadio_ = nullptr;
    QRadioButton* byDepartmentRadio_ = nullptr;
    QPlainTextEdit* memoEdit_ = nullptr;
    QCheckBox* printRemarksCheck_ = nullptr;
    QCheckBox* includeTransferPaidCheck_ = nullptr;
    QLabel* printerPanel_ = nullptr;
    QLabel* paperPanel_ = nullptr;
    QLabel* pagesPanel_ = nullptr;
    QPushButton* printerSetupButton_ = nullptr;
    CorrectionPanel* corrections_ = nullptr;
    QPushButton* previewButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* pdfButton_ = nullptr;
    QPushButton* csvButton_ = nullptr;
    QPushButton* employeePdfsButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    PreviewWindow* preview_ = nullptr;
};

}  // namespace keiro::print
