#pragma once
// 会社情報の設定: the payer's address (two lines) and telephone number that the withholding
// slips print, kept in the withholding file's header.  The company name is shown for reference
// (it belongs to the payroll settings).  Ｏ Ｋ stores the texts normalised and trimmed, each
// cut to its field without splitting a double-byte character; キャンセル leaves the header as
// it was.
//
//   CompanyInfoDialog dialog(file.header(), companyName, messages, this);
//   if (dialog.exec() == QDialog::Accepted) ... save the file ...

#include <QDialog>

#include "widgets/message_service.h"
#include "withholding/model/records.h"

class QLabel;
class QLineEdit;

namespace keiro::withholding {

class CompanyInfoDialog : public QDialog {
    Q_OBJECT
  public:
    // The boxes' limits in characters (the fields' limits in bytes also hold while typing).
    static constexpr int kAddressCharacters = 44;
    static constexpr int kPhoneCharacters = 14;

    CompanyInfoDialog(WithholdingHeader& header, const QString& companyName,
                      ui::MessageService& messages, QWidget* parent = nullptr);

    void storeAndClose();

  private:
    WithholdingHeader& header_;
    ui::MessageService& messages_;
    QLabel* companyLabel_;
    QLineEdit* address1Edit_;
    QLineEdit* address2Edit_;
    QLineEdit* phoneEdit_;
};

}  // namespace keiro::withholding
