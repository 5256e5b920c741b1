#pragma once
// FirstStartDialog, "はじめの設定": on a data folder without any saved month, the company, its
// address, the prefecture of its health insurance, the pay and closing days, with the rates of
// the fiscal year shown, instead of the whole settings dialog.

#include <QDialog>
#include <optional>

#include "calc/rate_update.h"
#include "payroll/model/first_start.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace keiro {
struct Settings;
}
namespace keiro::ui {
class MessageService;
class NumericEntry;
}  // namespace keiro::ui

namespace keiro::payroll {

class FirstStartDialog : public QDialog {
    Q_OBJECT
  public:
    FirstStartDialog(QWidget* parent, const Settings& settings, calc::RatesOfPeriod rates,
                     const CompanyAddress& known, ui::MessageService& messages);

    // Shows the window; the answers after OK, nothing after 後で設定.
    std::optional<FirstStartAnswers> ask();
    FirstStartAnswers answers() const;
    // OK: the first problem is shown and its box gets the focus; none, the window closes.
    void acceptAnswers();

  private:
    void showPayMonth();
    void showEmploymentRate();

    calc::RatesOfPeriod rates_;
    ui::MessageService& messages_;
    QLineEdit* companyNameEdit_;
    QLineEdit* address1Edit_;
    QLineEdit* address2Edit_;
    QLineEdit* phoneEdit_;
    QComboBox* prefectureCombo_;
    QRadioButton* generalBusinessRadio_;
    QRadioButton* otherBusinessRadio_;
    QLineEdit* payDayEdit_;
    QLineEdit* closingDayEdit_;
    QLineEdit* hoursPerDayEdit_;
    ui::NumericEntry* payDayEntry_;
    ui::NumericEntry* closingDayEntry_;
    ui::NumericEntry* hoursPerDayEntry_;
    QLabel* payMonthLabel_;
    QLabel* employmentRateLabel_;
};

}  // namespace keiro::payroll
