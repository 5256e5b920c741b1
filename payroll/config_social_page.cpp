#include "payroll/config_social_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/items.h"
#include "payroll/config_widgets.h"

namespace keiro::payroll {
namespace {

// The item whose name payment amount j+1 carries: 基本給, 役職手当, 家族手当, 固定手当１～３,
// the four overtime pays, both commuting allowances, 変動手当１～３, 欠勤控除, 遅刻早退控除.
constexpr std::array<int, kPaymentFixedFlagCount> kPaymentItems = {
    15, 16, 17, 26, 27, 28, 18, 19, 20, 21, 22, 23, 29, 30, 31, 24, 25};
constexpr int kRowsPerColumn = 6;

}  // namespace

ConfigSocialPage::ConfigSocialPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsSocial"));

    auto* fixed = new QGroupBox(QStringLiteral("固定的賃金（月額変更の判定に使う支給項目）"), this);
    auto* fixedGrid = new QGridLayout(fixed);
    for (int i = 0; i < kPaymentFixedFlagCount; ++i) {
        fixed_[i] = new QCheckBox(fixed);
        fixed_[i]->setObjectName(QStringLiteral("cbKotei%1").arg(i + 1));
        fixedGrid->addWidget(fixed_[i], i % kRowsPerColumn, i / kRowsPerColumn);
    }
    fixedGrid->setColumnStretch(3, 1);

    auto* labour = new QGroupBox(QStringLiteral("労働保険（年度更新）"), this);
    auto* labourRows = new QGridLayout(labour);
    accidentRateSpin_ = new QDoubleSpinBox(labour);
    accidentRateSpin_->setObjectName(QStringLiteral("edRousaiRitu"));
    accidentRateSpin_->setDecimals(1);
    accidentRateSpin_->setRange(0.1, 100.0);
    accidentRateSpin_->setSingleStep(0.5);
    accidentRateSpin_->setSuffix(QStringLiteral(" /1000"));
    employmentBusinessCombo_ = new QComboBox(labour);
    employmentBusinessCombo_->setObjectName(QStringLiteral("cbKoyouJigyou"));
    employmentBusinessCombo_->addItems({QStringLiteral("一般の事業"),
                                        QStringLiteral("農林水産・清酒製造の事業"),
                                        QStringLiteral("建設の事業")});
    labourRows->addWidget(label(this, QStringLiteral("労災保険率")), 0, 0);
    labourRows->addWidget(accidentRateSpin_, 0, 1);
    labourRows->addWidget(label(this, QStringLiteral("雇用保険の事業の種類")), 1, 0);
    labourRows->addWidget(employmentBusinessCombo_, 1, 1);
    labourRows->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fixed);
    layout->addWidget(labour);
    layout->addStretch();
}

void ConfigSocialPage::load(const Settings& settings) {
    for (int i = 0; i < kPaymentFixedFlagCount; ++i) {
        fixed_[i]->setText(qs(settings.itemNames[kPaymentItems[i]]));
        fixed_[i]->setChecked(settings.fixedPayFlags[i]);
    }
    accidentRateSpin_->setValue(settings.accidentRateTenthsPerMille / 10.0);
    employmentBusinessCombo_->setCurrentIndex(std::clamp(settings.employmentBusiness, 0, 2));
}

void ConfigSocialPage::store(Settings& settings) const {
    for (int i = 0; i < kPaymentFixedFlagCount; ++i) {
        settings.fixedPayFlags[i] = fixed_[i]->isChecked();
    }
    settings.accidentRateTenthsPerMille =
        static_cast<int>(std::lround(accidentRateSpin_->value() * 10));
    settings.employmentBusiness = employmentBusinessCombo_->currentIndex();
}

}  // namespace keiro::payroll
