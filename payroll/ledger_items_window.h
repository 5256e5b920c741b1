#pragma once
// LedgerItemsWindow, "給与台帳/月別一覧の印刷項目": which attendance items the pay ledger and the
// monthly list add (cbAddItem1..15) and which renamable pay, deduction and other items they
// leave out (cbDelItem1..15).  The reports have a fixed number of rows, so OK refuses more
// additions than removals; otherwise it stores DaichoAdd and DaichoDel.

#include <QDialog>
#include <array>

#include "core/ini.h"
#include "core/layouts.h"
#include "core/settings.h"

class QCheckBox;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

class LedgerItemsWindow : public QDialog {
    Q_OBJECT
  public:
    // OK changes the choices in `settings` once they are written.
    LedgerItemsWindow(QWidget* parent, Settings& settings, IniFile& ini,
                      ui::MessageService& messages);

    // Prepares a showing: captions from the display names, boxes from the stored choices.
    void prepare();
    // 初期状態: after a yes, every box cleared (written only by OK).
    void clearChoices();
    // OK: the count check (the window stays open when refused), then both keys written.
    void saveChoices();

    QCheckBox* addBox(int item) const { return added_[item - 1]; }       // 1..15
    QCheckBox* removeBox(int item) const { return removed_[item - 1]; }  // 1..15

  private:
    LedgerItemFlags checked(const std::array<QCheckBox*, kLedgerChoiceCount>& boxes) const;

    Settings& settings_;
    IniFile& ini_;
    ui::MessageService& messages_;
    std::array<QCheckBox*, kLedgerChoiceCount> added_{};
    std::array<QCheckBox*, kLedgerChoiceCount> removed_{};
};

}  // namespace keiro::payroll
