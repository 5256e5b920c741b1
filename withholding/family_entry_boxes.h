#pragma once
// The boxes a family row has beyond name and number: the birth date box (one box, Western or
// era entry, see withholding/edit/family_birth.h), the relationship list (続柄) and the list of
// reasons a non-resident dependant aged 30 to 69 still counts.

#include <QObject>
#include <QString>

#include "withholding/model/records.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace keiro::ui {
class MessageService;
}

namespace keiro::withholding {

// A birth date box.  On leaving it a refused date is named in a message and the focus goes
// back; an accepted one is shown as "1985-04-01" and announced with dateLeft.
class BirthDateBox : public QObject {
    Q_OBJECT
  public:
    BirthDateBox(const QString& name, int dataYear, ui::MessageService& messages);

    QLineEdit* edit() const { return edit_; }
    void setDate(const CalendarDateBytes& date);
    // The date as typed (all zero when empty); a box left as setDate filled it gives the bytes
    // it was given.  When it is refused: the message, the focus back to the box, and false.
    bool read(CalendarDateBytes& date);

  signals:
    void dateLeft(const CalendarDateBytes& date);

  private:
    void left();

    QLineEdit* edit_;
    int dataYear_;
    ui::MessageService& messages_;
    bool checking_ = false;
    QString loadedText_;
    CalendarDateBytes loaded_{};
};

// A column heading of the family rows (centred).
QLabel* columnHeading(const QString& text);

// The read-only label beside a birth date with the age and class at 31 December, wide enough for
// the longest ("17歳 一般（16〜18歳）").
QLabel* ageClassLabel(const QString& name);

// 続柄: 夫 and 妻 only for the spouse; every relationship but those for a dependant.
QComboBox* relationshipCombo(const QString& name, bool spouse);
// 非居住者の理由: 留学, 障害者, 38万円以上の送金, 該当なし.
QComboBox* nonResidentReasonCombo(const QString& name);

// The stored value of a list made here (its item's data), and choosing the item of a value (the
// empty item for a value the list does not have).
std::uint8_t comboValue(const QComboBox* combo);
void setComboValue(QComboBox* combo, std::uint8_t value);

}  // namespace keiro::withholding
