#pragma once
// The sixth page of the common settings dialog, "社会保険・労働保険" (tsSocial): which payment
// items are 固定的賃金 (a change in them starts the check for a revision of the standard monthly
// amount), and the rates of the labour insurance return (the 労災保険率 of the business type
// and the 雇用保険 business kind).

#include <QWidget>
#include <array>

#include "core/settings.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

namespace keiro::payroll {

class ConfigSocialPage : public QWidget {
    Q_OBJECT
  public:
    explicit ConfigSocialPage(QWidget* parent);

    // The boxes carry the payment items' names in force.
    void load(const Settings& settings);
    void store(Settings& settings) const;

  private:
    std::array<QCheckBox*, kPaymentFixedFlagCount> fixed_{};  // cbKotei1 .. cbKotei17
    QDoubleSpinBox* accidentRateSpin_;  // 労災保険率 per mille, one decimal
    QComboBox* employmentBusinessCombo_;
};

}  // namespace keiro::payroll
