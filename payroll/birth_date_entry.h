#pragma once
// The birth date boxes of the employee editor: the era list and the year, month and day boxes.
// A year typed in the Western calendar (1985) becomes the era and era year of the date typed,
// and is worked out again when the month or day is typed afterwards (1989 with 1/5 is 昭和64).
// An era year beyond its era's last, a month outside 1–12 and a day outside 1–31 are refused
// with a message naming the range, the box emptied and given the focus again.  Emptying the year
// empties the whole date.

#include <QObject>
#include <QString>

class QComboBox;
class QLineEdit;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

class BirthDateEntry : public QObject {
    Q_OBJECT
  public:
    // The object is a child of `era`.
    BirthDateEntry(QComboBox* era, QLineEdit* year, QLineEdit* month, QLineEdit* day,
                   ui::MessageService& messages);

    // The date shown was loaded or set by the program: no Western year is remembered.
    void forgetWesternYear() { westernYear_ = 0; }

  private:
    void yearCommitted();
    void monthOrDayCommitted(QLineEdit* box, int last);
    void placeWesternYear();
    void refuse(QLineEdit* box, const QString& message);

    QComboBox* era_;
    QLineEdit* year_;
    QLineEdit* month_;
    QLineEdit* day_;
    ui::MessageService& messages_;
    int westernYear_ = 0;  // the Western year typed, while month and day may still change it
};

}  // namespace keiro::payroll
