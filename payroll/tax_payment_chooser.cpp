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
    rbMonth_ = new QRadioButton(QStringLiteral("毎月納付（月分）"), this);
    rbMonth_->setObjectName(QStringLiteral("rbMonth"));
    rbHalf_ = new QRadioButton(QStringLiteral("納期の特例（半期分）"), this);
    rbHalf_->setObjectName(QStringLiteral("rbHalf"));
    cbMonth_ = new QComboBox(this);
    cbMonth_->setObjectName(QStringLiteral("cbMonth"));
    for (int m = 1; m <= 12; ++m) cbMonth_->addItem(QStringLiteral("%1月分").arg(m));
    cbHalf_ = new QComboBox(this);
    cbHalf_->setObjectName(QStringLiteral("cbHalf"));
    cbHalf_->addItems({QStringLiteral("1月〜6月分"), QStringLiteral("7月〜12月分")});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("bbButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(rbMonth_, &QRadioButton::toggled, this, &TaxPaymentChooser::showEnabled);

    auto* grid = new QGridLayout(this);
    grid->addWidget(rbMonth_, 0, 0);
    grid->addWidget(cbMonth_, 0, 1);
    grid->addWidget(rbHalf_, 1, 0);
    grid->addWidget(cbHalf_, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    setChoice({});
}

void TaxPaymentChooser::setChoice(const print::TaxPaymentChoice& choice) {
    (choice.halfYear ? rbHalf_ : rbMonth_)->setChecked(true);
    if (choice.halfYear)
        cbHalf_->setCurrentIndex(choice.number == 2 ? 1 : 0);
    else
        cbMonth_->setCurrentIndex(std::clamp(choice.number, 1, 12) - 1);
    showEnabled();
}

print::TaxPaymentChoice TaxPaymentChooser::choice() const {
    if (rbHalf_->isChecked()) return {true, cbHalf_->currentIndex() + 1};
    return {false, cbMonth_->currentIndex() + 1};
}

void TaxPaymentChooser::showEnabled() {
    cbMonth_->setEnabled(rbMonth_->isChecked());
    cbHalf_->setEnabled(rbHalf_->isChecked());
}

print::TaxPaymentChoice proposedTaxPaymentChoice(int period, const YearFileHeader& header,
                                                 const PeriodSettings& settings) {
    int month = print::periodMonth(period, header);
    if (!isBonusPeriod(period) && settings.payNextMonth == 1 && month < 12) ++month;
    return {false, std::clamp(month, 1, 12)};
}

}  // namespace keiro::payroll
