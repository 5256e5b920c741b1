#include "payroll/pay_basis_days_box.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "calc/social_days.h"

namespace keiro::payroll {

PayBasisDaysBox::PayBasisDaysBox(QWidget* parent)
    : QGroupBox(QStringLiteral("社会保険"), parent),
      daysSpin_(new QSpinBox(this)),
      manualCheck_(new QCheckBox(QStringLiteral("手入力"), this)) {
    setObjectName(QStringLiteral("gbKisoNissu"));
    daysSpin_->setObjectName(QStringLiteral("edKisoNissu"));
    daysSpin_->setRange(0, 31);
    daysSpin_->setSuffix(QStringLiteral(" 日"));
    daysSpin_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    manualCheck_->setObjectName(QStringLiteral("cbKisoNissu"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 6, 8, 6);
    row->addWidget(new QLabel(QStringLiteral("支払基礎日数"), this));
    row->addWidget(daysSpin_);
    row->addWidget(manualCheck_);
    row->addStretch(1);
    connect(manualCheck_, &QCheckBox::toggled, this, [this] { edited(); });
    connect(daysSpin_, &QSpinBox::valueChanged, this, [this] { edited(); });
}

void PayBasisDaysBox::showFor(const AttendanceRecord* attendance, int derivedDays) {
    shown_ = attendance != nullptr;
    derived_ = derivedDays;
    setVisible(attendance != nullptr);
    if (attendance == nullptr) return;
    const QSignalBlocker quietBox(daysSpin_);
    const QSignalBlocker quietTick(manualCheck_);
    const bool corrected = calc::payBasisDaysCorrected(*attendance);
    manualCheck_->setChecked(corrected);
    daysSpin_->setEnabled(corrected);
    const double stored = attendance->payBasisDays;
    daysSpin_->setValue(corrected && std::isfinite(stored)
                            ? static_cast<int>(std::clamp(stored, 0.0, 31.0))
                            : derivedDays);
}

void PayBasisDaysBox::edited() {
    if (!shown_) return;
    const bool corrected = manualCheck_->isChecked();
    daysSpin_->setEnabled(corrected);
    if (!corrected) {
        const QSignalBlocker quiet(daysSpin_);
        daysSpin_->setValue(derived_);
    }
    if (edited_) edited_(corrected ? std::optional<int>(daysSpin_->value()) : std::nullopt);
}

}  // namespace keiro::payroll
