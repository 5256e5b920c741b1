#include "widgets/log_viewer.h"

#include <QDir>
#include <QEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QVBoxLayout>

#include "core/fileio.h"
#include "core/syslog.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::ui {

LogViewer::LogViewer(std::filesystem::path dataFolder, MessageService& messages,
                     FileDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dataFolder_(std::move(dataFolder)), messages_(messages), dialogs_(dialogs) {
    setObjectName("fmShowLog");
    setWindowTitle(QStringLiteral("システムログの表示"));

    auto* menuBar = new QMenuBar(this);
    QMenu* fileMenu = menuBar->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu->setObjectName("mnFile");
    QAction* csvAction = fileMenu->addAction(QStringLiteral("CSVファイルに出力(&C)..."));
    csvAction->setObjectName("mnCSV");
    connect(csvAction, &QAction::triggered, this, &LogViewer::exportCsv);

    lineList_ = new QListWidget(this);
    lineList_->setObjectName("ListBox1");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(lineList_);
    resize(480, 360);
}

bool LogViewer::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) reloadLog();
    return QDialog::event(event);
}

void LogViewer::showEvent(QShowEvent* event) {
    readFailureShown_ = false;
    reloadLog();
    QDialog::showEvent(event);
}

void LogViewer::reloadLog() {
    const int row = lineList_->currentRow();
    lines_.clear();
    try {
        lines_ = readLogLines(dataFolder_).lines;
    } catch (const IoError& error) {
        // Closing the message activates the window again: report a failing log only once
        // per showing, or the two would chase each other for ever.
        if (!readFailureShown_) {
            readFailureShown_ = true;
            messages_.error(this, QString::fromStdString(error.what()));
        }
    }
    lineList_->clear();
    for (const std::string& line : lines_) lineList_->addItem(QString::fromStdString(line));
    if (row >= 0 && row < lineList_->count()) lineList_->setCurrentRow(row);
}

void LogViewer::exportCsv() {
    if (!messages_.confirm(this, QStringLiteral("システムログをＣＳＶファイルに出力します。"))) {
        return;
    }
    const std::optional<QString> path =
        dialogs_.saveFile(this, QStringLiteral("CSVファイルに出力"), QDir::homePath(),
                          QStringLiteral("CSVﾌｧｲﾙ (*.csv)"), QStringLiteral("csv"));
    if (!path) return;
    try {
        exportLogCsv(lines_, std::filesystem::path(path->toStdString()));
    } catch (const IoError& error) {
        messages_.error(this, QString::fromStdString(error.what()));
        return;
    }
    messages_.information(this, QStringLiteral("指定ファイルに出力しました。"));
}

}  // namespace keiro::ui
