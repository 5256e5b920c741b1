#pragma once
// The choice before the 所得税徴収高計算書 is printed: the month whose withheld tax is paid, or
// the half-year of an office that pays twice a year under 納期の特例.

#include <QDialog>

#include "print/tax_payment_figures.h"

class QComboBox;
class QRadioButton;

namespace keiro::payroll {

class TaxPaymentChooser : public QDialog {
    Q_OBJECT
  public:
    explicit TaxPaymentChooser(QWidget* parent);

    void setChoice(const print::TaxPaymentChoice& choice);
    print::TaxPaymentChoice choice() const;

  private:
    void showEnabled();

    QRadioButton* monthlyRadio_;
    QRadioButton* halfYearRadio_;
    QComboBox* monthCombo_;
    QComboBox* halfYearCombo_;
};

// The month proposed for the open period: the month its pay is paid in (a bonus's pay month,
// a salary month's own or, when paid the month after, the next; December stays December).
print::TaxPaymentChoice proposedTaxPaymentChoice(int period, const YearFileHeader& header,
                                                 const PeriodSettings& settings);

}  // namespace keiro::payroll
