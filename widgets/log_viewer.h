#pragma once
// "システムログの表示": the system log in a list, oldest line first, read again every time the
// window is activated, with "ファイル(&F)" → "CSVファイルに出力(&C)..." to export it.

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

class QAction;
class QListWidget;

namespace keiro::ui {

class FileDialogs;
class MessageService;

class LogViewer : public QDialog {
    Q_OBJECT
  public:
    LogViewer(std::filesystem::path dataFolder, MessageService& messages, FileDialogs& dialogs,
              QWidget* parent = nullptr);

    // Fills ListBox1 with the log's lines (a log not written yet gives an empty list).
    void reloadLog();
    void exportCsv();

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    std::filesystem::path dataFolder_;
    MessageService& messages_;
    FileDialogs& dialogs_;
    QListWidget* lineList_;
    std::vector<std::string> lines_;  // what ListBox1 shows
    bool readFailureShown_ = false;
};

}  // namespace keiro::ui
