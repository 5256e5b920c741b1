#pragma once
// Printing in the withholding-slip program: the print dialog, created once, for the slips,
// refund notices or payment reports of the checked employees.  The documents are drawn from
// the withholding file in memory, saved or not, since that is what the clerk sees.  Each
// document keeps its own printer; a print of the slips or of the payment reports (to paper or
// to a PDF) is recorded in the system log, one of the notices is not.  The 年末調整一覧表 of the
// chosen employees prints through the same dialog, with a printer of its own.

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "core/ini.h"
#include "core/settings.h"
#include "print/qt/dialog/print_dialog.h"
#include "withholding/print/document_source.h"

namespace keiro::ui {
class FileDialogs;
class MessageService;
}  // namespace keiro::ui

namespace keiro::withholding {

class MainWindow;

// "源泉徴収票", "還付金通知書", "給与支払報告書": the dialog adds "の印刷".
QString documentCaption(DocumentKind kind);
// The log code a print of the document writes; nothing for the refund notices.
std::optional<int> printLogCode(DocumentKind kind);

// The printer settings of the 年末調整一覧表: PrintInfo3, a number no document uses.
inline constexpr int kYearEndListPrinter = 3;

class DocumentPrinting {
  public:
    struct Services {
        ui::MessageService& messages;
        ui::FileDialogs& files;
        IniFile& ini;
        std::filesystem::path dataFolder;                  // where the system log is
        std::function<DocumentOptions()> documentOptions;  // 種別 and the cutting guides
        std::function<QStringList()> installedPrinters = print::installedPrinterNames;
    };

    // The dialog reads the position correction from `settings` and keeps it there.
    DocumentPrinting(MainWindow& window, Services services, const Settings& settings);

    // The main window's print command: the tag 199, 299 or 599 and the checked slots in list
    // order.
    void print(int tag, std::vector<int> checked);
    // The 年末調整一覧表 of the slots in list order (A4 landscape, printed today).
    void printYearEndList(std::vector<int> chosen);

    print::PrintDialog& dialog() { return dialog_; }

  private:
    DocumentSource documentSource() const;
    // Runs the dialog for a document; whether it was printed.
    bool run(const QString& caption, int printer, print::ReportBuilder build);
    void previewButtonsToggled(bool shown);

    MainWindow& window_;
    Services services_;
    Settings settings_;
    print::PrintDialog dialog_;
};

}  // namespace keiro::withholding
