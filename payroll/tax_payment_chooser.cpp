#include "payroll/tax_payment_chooser.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

#include "print/list_period.h"

namespace keiro::payroll {

TaxPaymentChooser::TaxPaymentChooser(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmChoshudakaChoice"));
    setWindowTitle(QStringLiteral("所得税徴収高計算書"));
    monthlyRadio_ = new QRadioButton(QStringLiteral("毎月納付（月分）"), this);
    monthlyRadio_->setObjectName(QStringLiteral("rbMonth"));
    halfYearRadio_ = new QRadioButton(QStringLiteral("納期の特例（半期分）"), this);
    halfYearRadio_->setObjectName(QStringLiteral("rbHalf"));
    monthCombo_ = new QComboBox(this);
    monthCombo_->setObjectName(QStringLiteral("cbMonth"));
    for (int m = 1; m <= 12; ++m) monthCombo_->addItem(QStringLiteral("%1月分").arg(m));
    halfYearCombo_ = new QComboBox(this);
    halfYearCombo_->setObjectName(QStringLiteral("cbHalf"));
    halfYearCombo_->addItems({QStringLiteral("1月〜6月分"), QStringLiteral("7月〜12月分")});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("bbButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(monthlyRadio_, &QRadioButton::toggled, this, &TaxPaymentChooser::showEnabled);

    auto* grid = new QGridLayout(this);
    grid->addWidget(monthlyRadio_, 0, 0);
    grid->addWidget(monthCombo_, 0, 1);
    grid->addWidget(halfYearRadio_, 1, 0);
    grid->addWidget(halfYearCombo_, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    setChoice({});
}

void TaxPaymentChooser::setChoice(const print::TaxPaymentChoice& choice) {
    (choice.halfYear ? halfYearRadio_ : monthlyRadio_)->setChecked(true);
    if (choice.halfYear)
        halfYearCombo_->setCurrentIndex(choice.number == 2 ? 1 : 0);
    else
        monthCombo_->setCurrentIndex(std::clamp(choice.number, 1, 12) - 1);
    showEnabled();
}

print::TaxPaymentChoice TaxPaymentChooser::choice() const {
    if (halfYearRadio_->isChecked()) return {true, halfYearCombo_->currentIndex() + 1};
    return {false, monthCombo_->currentIndex() + 1};
}

void TaxPaymentChooser::showEnabled() {
    monthCombo_->setEnabled(monthlyRadio_->isChecked());
    halfYearCombo_->setEnabled(halfYearRadio_->isChecked());
}

print::TaxPaymentChoice proposedTaxPaymentChoice(int period, const YearFileHeader& header,
                                                 const PeriodSettings& settings) {
    int month = print::periodMonth(period, header);
    if (!isBonusPeriod(period) && settings.payNextMonth == 1 && month < 12) ++month;
    return {false, std::clamp(month, 1, 12)};
}

}  // namespace keiro::payroll
