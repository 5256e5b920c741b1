#pragma once
// The 取組日 asked before the bank transfer file is written: the date the bank is to pay, a
// business day, proposed as the period's pay date or the business day before it.  OK on a day
// banks are closed says why and keeps the dialog open.

#include <QDialog>

#include "core/bank_calendar.h"
#include "print/zengin_file.h"

class QDateEdit;
class QLabel;

namespace keiro::ui {
class MessageService;
}  // namespace keiro::ui

namespace keiro::payroll {

class ZenginDateDialog : public QDialog {
    Q_OBJECT
  public:
    ZenginDateDialog(QWidget* parent, const BankCalendar& calendar, ui::MessageService& messages);

    // Shows the proposed date, and the pay date it was moved from when banks are closed then.
    void propose(const print::ZenginDate& proposal);
    CalendarDate date() const;

    void accept() override;

  private:
    void showDay();

    const BankCalendar& calendar_;
    ui::MessageService& messages_;
    QDateEdit* dateEdit_;
    QLabel* dayLabel_;
    QLabel* noteLabel_;
};

// A calendar date as Qt's and back.
QDate qtDate(CalendarDate date);
CalendarDate calendarDate(const QDate& date);

}  // namespace keiro::payroll
