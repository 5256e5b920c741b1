#pragma once
// CopySourceWindow "参照するデータの選択": offered when a new period has no company data, it copies
// the settings and employees of any saved month of any year file.

#include <QDialog>

#include "core/periodcopy.h"
#include "core/yearfile.h"

class QLabel;
class QListWidget;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

class CopySourceWindow : public QDialog {
    Q_OBJECT
  public:
    CopySourceWindow(QWidget* parent, ui::MessageService& messages);

    // Runs the choice for the period being opened.  True when company data was copied; false
    // when the period starts empty (nothing to copy, or the clerk declined).
    bool chooseSource(YearData& year, const std::vector<SavedMonth>& months, bool laterMonthSaved);

  private:
    ui::MessageService& messages_;
    QLabel* promptLabel_;
    QListWidget* sourceList_;
};

}  // namespace keiro::payroll
