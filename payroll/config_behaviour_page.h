#pragma once
// The fourth page of the common settings dialog, "共通動作設定" (tsConfig): yen rounding, the
// hours format, and three printing and calculation switches.

#include <QWidget>
#include <array>

#include "core/settings.h"

class QCheckBox;
class QRadioButton;

namespace keiro::payroll {

class ConfigBehaviourPage : public QWidget {
    Q_OBJECT
  public:
    explicit ConfigBehaviourPage(QWidget* parent);

    void load(const Settings& settings);
    void store(Settings& settings) const;

  private:
    // Two radio buttons for the choices a rounding setting offers on this page.  A stored mode
    // the pair cannot show (a payment truncation written by hand) checks neither and is kept.
    struct RoundingChoice {
        std::array<QRadioButton*, 2> buttons;
        std::array<RoundingMode, 2> modes;
        void show(RoundingMode mode) const;
        RoundingMode chosen(RoundingMode current) const;
    };
    RoundingChoice roundingChoice(const char* first, const char* firstCaption,
                                  RoundingMode firstMode, const char* second,
                                  const char* secondCaption, RoundingMode secondMode);

    RoundingChoice payment_;
    RoundingChoice reduction_;
    RoundingChoice deduction_;
    QRadioButton* decimalHoursRadio_;
    QRadioButton* sexagesimalHoursRadio_;
    QCheckBox* printCumulativeCheck_;
    QCheckBox* use2000YenNotesCheck_;
    QCheckBox* hoursIncludeOvertimeCheck_;
};

}  // namespace keiro::payroll
