// The commands of the menu and the buttons besides the list's own.
#include "core/fileio.h"
#include "widgets/log_viewer.h"
#include "widgets/message_service.h"
#include "widgets/notice_window.h"
#include "widgets/online_manual.h"
#include "widgets/version_window.h"
#include "withholding/main_window.h"

namespace keiro::withholding {

bool MainWindow::saveWithholdingFile() {
    if (!file_) return false;
    try {
        file_->save(paths_.file);
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromUtf8(e.what()));
        return false;
    }
    ui::NoticeWindow::showNotice(this, QString::fromUtf8(kMsgSaved));
    return true;
}

void MainWindow::printChecked(int tag) {
    std::vector<int> checked = checkedSlots();
    if (checked.empty()) {
        context_.messages.error(this, QString::fromUtf8(kMsgNobodyToPrint));
        return;
    }
    // A record never calculated would print no tax and a refund of everything withheld.
    std::vector<std::string> unprocessed;
    for (int slot : checked) {
        if (statusOf(*file_, slot) == kStatusOpen)
            unprocessed.push_back(year_->block(kDecember).employee(slot).name.utf8());
    }
    if (!unprocessed.empty() &&
        !context_.messages.confirm(
            this, QString::fromStdString(unprocessedPrintQuestion(unprocessed)), true)) {
        return;
    }
    if (printer_) printer_(tag, paths_.currentFormat, std::move(checked));
}

void MainWindow::editCompanyInfo() {
    if (companyDialog_ && companyDialog_()) refreshStatusBar();
}

void MainWindow::editSettings() {
    if (configDialog_) configDialog_();
}

void MainWindow::showSystemLog() {
    ui::LogViewer log(context_.places.dataFolder, context_.messages, context_.dialogs, this);
    log.exec();
}

void MainWindow::showVersion() {
    ui::VersionWindow version(ui::programShortVersion(), this);
    version.exec();
}

void MainWindow::openManual() {
    QAction* manual = findChild<QAction*>(QStringLiteral("sbManual"));
    manual_->open(context_.settings.manualUrl,
                  [manual](bool running) { manual->setEnabled(!running); });  // one at a time
}

}  // namespace keiro::withholding
