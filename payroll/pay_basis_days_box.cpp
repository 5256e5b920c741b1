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
      edKisoNissu_(new QSpinBox(this)),
      cbKisoNissu_(new QCheckBox(QStringLiteral("手入力"), this)) {
    setObjectName(QStringLiteral("gbKisoNissu"));
    edKisoNissu_->setObjectName(QStringLiteral("edKisoNissu"));
    edKisoNissu_->setRange(0, 31);
    edKisoNissu_->setSuffix(QStringLiteral(" 日"));
    edKisoNissu_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cbKisoNissu_->setObjectName(QStringLiteral("cbKisoNissu"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 6, 8, 6);
    row->addWidget(new QLabel(QStringLiteral("支払基礎日数"), this));
    row->addWidget(edKisoNissu_);
    row->addWidget(cbKisoNissu_);
    row->addStretch(1);
    connect(cbKisoNissu_, &QCheckBox::toggled, this, [this] { store(); });
    connect(edKisoNissu_, &QSpinBox::valueChanged, this, [this] { store(); });
}

void PayBasisDaysBox::showFor(AttendanceRecord* attendance, int derivedDays) {
    attendance_ = attendance;
    derived_ = derivedDays;
    setVisible(attendance != nullptr);
    if (attendance == nullptr) return;
    const QSignalBlocker quietBox(edKisoNissu_);
    const QSignalBlocker quietTick(cbKisoNissu_);
    const bool corrected = calc::payBasisDaysCorrected(*attendance);
    cbKisoNissu_->setChecked(corrected);
    edKisoNissu_->setEnabled(corrected);
    const double stored = attendance->payBasisDays;
    edKisoNissu_->setValue(corrected && std::isfinite(stored)
                               ? static_cast<int>(std::clamp(stored, 0.0, 31.0))
                               : derivedDays);
}

void PayBasisDaysBox::store() {
    if (attendance_ == nullptr) return;
    const bool corrected = cbKisoNissu_->isChecked();
    edKisoNissu_->setEnabled(corrected);
    if (corrected) {
        calc::correctPayBasisDays(*attendance_, edKisoNissu_->value());
        return;
    }
    calc::clearPayBasisDaysCorrection(*attendance_);
    const QSignalBlocker quiet(edKisoNissu_);
    edKisoNissu_->setValue(derived_);
}

}  // namespace keiro::payroll
