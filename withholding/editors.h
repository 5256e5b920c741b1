#pragma once
// Connects the main window to the windows that edit the year's data: the employee editor of
// the year's record format (with the dependants dialog in 1500-byte years) on the selected
// employee, and the company dialog on the payer's header.  The settings are read when an editor
// opens, so a change in 動作環境設定 applies to the next one.

#include <filesystem>

namespace keiro::ui {
class MessageService;
}

namespace keiro::withholding {

class MainWindow;
class OptionDialog;

void connectEditors(MainWindow& window, const OptionDialog& option,
                    const std::filesystem::path& dataFolder, ui::MessageService& messages);

}  // namespace keiro::withholding
