#pragma once
// The pay date row of the print dialog: the label lbNengappi1 ("令和    年    月    日") with
// the year, month and day edits laid over its blanks.  The edits take digits and blanks only
// (Backspace as usual), two characters each, with the shared edit box behaviour: overwrite
// typing and selecting on entry by the settings, Enter moving on, Ctrl+Delete emptying.

#include <QWidget>

#include "print/pay_date.h"
#include "print/report.h"

class QLabel;
class QLineEdit;

namespace keiro::ui {
class MessageService;
struct EntrySettings;
}  // namespace keiro::ui

namespace keiro::print {

class PayDateRow : public QWidget {
    Q_OBJECT
  public:
    PayDateRow(const ui::EntrySettings& entry, ui::MessageService& messages,
               QWidget* parent = nullptr);

    void setDate(const PayDateTexts& date);
    // What the edits hold now (0 for an empty or blank edit).
    PayDateEntry entry() const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void placeEdits();

    QLabel* label_;
    QLineEdit* year_;
    QLineEdit* month_;
    QLineEdit* day_;
    std::string eraName_;
};

}  // namespace keiro::print
