#pragma once
// The employee's part of the withholding editors: address, recipient number, position,
// furigana, the birth date, the conditions of the employee (未成年者 .. 外国人, ひとり親 in the
// years that have it) and joining or leaving during the year with its date.
//
// The conditions that exclude each other are kept so here: 本人が障害者 特別 / その他, and at
// most one of 寡婦 一般 / 特別 / 寡夫 / ひとり親; 就職 / 退職, where checking one enables the date
// with the data's era year filled in and clearing both empties and disables it.  Beside 退職, in
// the 1500-byte years, the reason a leaver is still adjusted (LeaveException): enabled only
// while 退職 is checked, and back to なし when it is cleared.

#include <QWidget>
#include <array>

#include "withholding/edit/edit_rules.h"
#include "withholding/model/records.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace keiro::withholding {

class EditBoxes;

class EditPersonPanel : public QWidget {
  public:
    EditPersonPanel(EditBoxes& boxes, bool currentFormat, const LaterInputs& later, int dataEraYear,
                    QWidget* parent);

    template <typename Record>
    void load(const Record& record);
    template <typename Record>
    void store(Record& record) const;

    QLineEdit* postalCode() const { return postalCodeEdit_; }
    QLineEdit* address1() const { return address1Edit_; }
    QComboBox* birthEra() const { return birthEraCombo_; }
    const std::array<QLineEdit*, 3>& birthDate() const { return birth_; }
    const std::array<QLineEdit*, 3>& joinLeaveDate() const { return change_; }
    bool joinLeaveChecked() const;
    bool secondaryColumn() const;
    // The leaver's exception; nothing in the 500-byte years, which have no field for it.
    QComboBox* leaveException() const { return leaveExceptionCombo_; }

    // 就職 or 退職 clicked: checking one proposes the data's era year in the date.
    void proposeJoinLeaveDate(bool checked);

  private:
    void enableJoinLeaveDate();

    int dataEraYear_;
    QLineEdit* postalCodeEdit_;
    QLineEdit* address1Edit_;
    QLineEdit* address2Edit_;
    QLineEdit* recipientNumberEdit_;
    QLineEdit* positionEdit_;
    QLineEdit* furiganaEdit_;
    QComboBox* birthEraCombo_;
    std::array<QLineEdit*, 3> birth_{};
    std::array<QCheckBox*, 11> conditionChecks_{};
    QCheckBox* singleParentCheck_;
    QCheckBox* joinedCheck_;
    QCheckBox* leftCheck_;
    QComboBox* leaveExceptionCombo_ = nullptr;
    std::array<QLineEdit*, 3> change_{};
};

}  // namespace keiro::withholding
