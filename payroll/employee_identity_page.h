#pragma once
// The employee editor's first page, "基本情報/振込先": who the employee is (name, kana, My
// Number, department, code, category, pay form, status, tax column, dependants, birth date, the
// password of the slip PDFs) and how the pay is handed over (bank transfer with the account and
// the transfer file's bank and branch codes and account holder's kana name, or cash).

#include <QString>
#include <QWidget>
#include <optional>
#include <string_view>

#include "core/employee_transfer.h"
#include "core/records.h"
#include "widgets/entry_behaviour.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace keiro::payroll {

class BirthDateEntry;
class EmployeePasswordBox;

class EmployeeIdentityPage : public QWidget {
    Q_OBJECT
  public:
    // `holderClass`: the characters the office's transfer file allows in a name (口座名義ｶﾅ).
    EmployeeIdentityPage(QWidget* parent, const ui::EntrySettings& settings,
                         ZenginClass holderClass, ui::MessageService& messages);

    // Shows the record's fields; the My Number is hidden again.
    void load(const EmployeeRecord& record);
    // Writes the page's fields into `record`.  Throws text::EncodingError for changed text
    // without a code page 932 form.
    void store(EmployeeRecord& record) const;

    QString myNumberText() const;
    // The transfer file's boxes (銀行コード, 支店コード, 口座名義ｶﾅ) as typed: the first that does
    // not fit, with its message.
    std::optional<TransferFieldFailure> checkTransferBoxes() const;
    QLineEdit* transferBox(TransferField field) const;
    int payForm() const;  // 1..3; 0 when none is chosen

    QLineEdit* nameBox() const { return nameEdit_; }
    QLineEdit* myNumberBox() const { return myNumberEdit_; }
    QLineEdit* codeBox() const { return codeEdit_; }
    QLineEdit* dependentRelativesBox() const { return dependentRelativesEdit_; }
    QLineEdit* slipPasswordBox() const;
    // What is wrong with the slip password typed, or nothing.
    std::optional<std::string_view> slipPasswordProblem() const;

  signals:
    void payFormChanged(int payForm);

  private:
    void announcePayForm();
    void toggleMyNumberShown();
    void enableBankFields();

    ZenginClass holderClass_;
    QLineEdit* nameEdit_;
    QLineEdit* kanaEdit_;
    QLineEdit* myNumberEdit_;
    QCheckBox* hideMyNumberCheck_;
    QLineEdit* departmentEdit_;
    QLineEdit* codeEdit_;
    EmployeePasswordBox* pdfPassword_;
    QComboBox* categoryCombo_;
    QComboBox* payFormCombo_;
    QComboBox* workStatusCombo_;
    QRadioButton* mainTaxColumnRadio_;
    QRadioButton* secondaryTaxColumnRadio_;
    QLineEdit* dependentsEdit_;
    QLineEdit* dependentRelativesEdit_;
    QComboBox* birthEraCombo_;
    QLineEdit* birthYearEdit_;
    QLineEdit* birthMonthEdit_;
    QLineEdit* birthDayEdit_;
    BirthDateEntry* birthDate_;
    QRadioButton* transferRadio_;
    QRadioButton* cashRadio_;
    QLineEdit* bankNameEdit_;
    QLineEdit* bankKanaEdit_;
    QLineEdit* branchNameEdit_;
    QLineEdit* branchKanaEdit_;
    QButtonGroup* accountType_;
    QLineEdit* accountNumberEdit_;
    QLineEdit* transferFeeEdit_;
    QLineEdit* bankCodeEdit_;
    QLineEdit* branchCodeEdit_;
    QLineEdit* accountHolderEdit_;
    QWidget* bankFieldsPanel_;
};

}  // namespace keiro::payroll
