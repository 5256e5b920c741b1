#pragma once
// 前職分: the employers who paid the employee earlier in the year, as their 源泉徴収票 show —
// payer name and address, the date the employee left, 支払金額, 源泉徴収税額 and 社会保険料等の
// 金額, for up to two employers.  The year-end calculation adds the amounts into the yearly
// totals and the slip writes the 摘要 line from them; the dialog only keeps them in the slot's
// supplement.  Ｏ Ｋ stores every box (an employer whose boxes are all empty is "not entered",
// all zero); キャンセル leaves the supplement as it was.
//
// The leaving date is typed as era year, month and day in the data's era, each part checked as
// it is left (the rules of the editor's dates); a date with a part missing is not stored.
//
//   PreviousEmployersDialog dialog(file.supplement(slot).previousEmployers, era, messages,
//                                  entrySettings, this);
//   dialog.exec();

#include <QDialog>
#include <array>

#include "widgets/entry_behaviour.h"
#include "withholding/model/records.h"

class QLabel;
class QLineEdit;

namespace keiro::ui {
class MessageService;
}

namespace keiro::withholding {

class EditBoxes;

class PreviousEmployersDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kEmployers = 2;

    // The data's era, in which the leaving dates are typed.
    struct Era {
        int index = 0;  // kEraHeisei or kEraNew
        QString name;
        int year = 0;  // the data year's era year, proposed for an empty date
    };

    PreviousEmployersDialog(PreviousEmployer (&employers)[kEmployers], const Era& era,
                            ui::MessageService& messages, const ui::EntrySettings& settings,
                            QWidget* parent = nullptr);

    void storeAndClose();

  private:
    struct Boxes {
        QLineEdit* name;
        QLineEdit* address;
        std::array<QLineEdit*, 3> leftOn;  // era year, month, day
        QLineEdit* pay;
        QLineEdit* tax;
        QLineEdit* social;
    };

    void load(const PreviousEmployer& employer, const Boxes& boxes) const;
    void store(const Boxes& boxes, PreviousEmployer& employer) const;
    void checkLeavingDate(QLineEdit* part);

    PreviousEmployer (&employers_)[kEmployers];
    Era era_;
    EditBoxes* boxes_;
    std::array<Boxes, kEmployers> rows_{};
};

}  // namespace keiro::withholding
