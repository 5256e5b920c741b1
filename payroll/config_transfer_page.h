#pragma once
// The fifth page of the common settings dialog, "振込データ設定": the company's side of the bank
// transfer file (委託者コード and 委託者名, the company's bank, branch, account type and
// account) and which characters the file's names may hold (振込データの文字: 標準 or 厳格), kept
// in section Zengin of the configuration file.

#include <QWidget>
#include <string_view>

#include "core/zengin_settings.h"
#include "widgets/entry_behaviour.h"

class QLineEdit;
class QRadioButton;

namespace keiro::payroll {

class ConfigTransferPage : public QWidget {
    Q_OBJECT
  public:
    ConfigTransferPage(QWidget* parent, const ui::EntrySettings& settings,
                       ui::MessageService& messages);

    void load(const TransferOriginator& originator);
    // The boxes as typed, trimmed.
    OriginatorEntry entry() const;

    // The objectName of the box of a field, for the focus after a failed check.
    static std::string_view control(OriginatorField field);

  private:
    QLineEdit* requesterCodeEdit_;
    QLineEdit* requesterNameEdit_;
    QLineEdit* bankCodeEdit_;
    QLineEdit* bankNameEdit_;
    QLineEdit* branchCodeEdit_;
    QLineEdit* branchNameEdit_;
    QRadioButton* ordinaryAccountRadio_;
    QRadioButton* currentAccountRadio_;
    QLineEdit* accountNumberEdit_;
    QRadioButton* standardCharactersRadio_;
    QRadioButton* strictCharactersRadio_;
};

}  // namespace keiro::payroll
