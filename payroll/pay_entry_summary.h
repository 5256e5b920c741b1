#pragma once
// The right-hand side of the individual entry window under the その他 band: the four totals
// (支給合計, 控除合計, その他合計, 差引支給額), the legend of the box colours (自動セット項目 in
// the colour of automatic items, 手入力項目 in red) and the remarks memo 備考, which holds at most
// five lines within its record field.

#include <QString>
#include <QWidget>

#include "payroll/model/employee_sheet.h"

class QLineEdit;
class QPlainTextEdit;

namespace keiro::payroll {

class PayEntrySummary : public QWidget {
    Q_OBJECT
  public:
    explicit PayEntrySummary(QWidget* parent);

    void showTotals(const SheetTotals& totals);
    // Shows remarks (lines separated by LF) without treating them as typed.
    void setMemo(const QString& text);
    // The remarks as typed (always within the limits).
    QString memo() const { return acceptedMemo_; }
    QPlainTextEdit* memoBox() const { return memoEdit_; }

  private:
    // Typing that would make a sixth line (a line break after the fifth) or overfill the
    // record's field is taken back.
    void memoChanged();

    QLineEdit* payTotalEdit_;
    QLineEdit* deductionTotalEdit_;
    QLineEdit* otherTotalEdit_;
    QLineEdit* netPayEdit_;
    QPlainTextEdit* memoEdit_;
    QString acceptedMemo_;
};

}  // namespace keiro::payroll
