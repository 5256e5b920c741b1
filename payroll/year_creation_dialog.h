#pragma once
// YearCreationDialog "データファイル作成": the era and two-digit year of a new year data file.

#include <QDialog>
#include <filesystem>

#include "core/era.h"

class QComboBox;
class QLineEdit;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

class YearCreationDialog : public QDialog {
    Q_OBJECT
  public:
    YearCreationDialog(QWidget* parent, std::filesystem::path dataFolder, const EraNames& names,
                       ui::MessageService& messages);

    // The file created by the last OK.
    const std::filesystem::path& createdFile() const { return created_; }

  private:
    void createYear();

    std::filesystem::path dataFolder_;
    EraNames names_;
    ui::MessageService& messages_;
    QComboBox* eraCombo_;
    QLineEdit* yearEdit_;
    std::filesystem::path created_;
};

}  // namespace keiro::payroll
