#pragma once
// The 支払基礎日数 of the employee's month in the individual entry window, as the yearly
// social-insurance decisions read it: the days the month's pay gives, or the clerk's own figure
// when 手入力 is ticked (for a month the rule cannot see, such as days paid as 休業手当).  The
// box shows an attendance record and tells every edit to its owner, which stores it.

#include <QGroupBox>
#include <functional>
#include <optional>

#include "core/records.h"

class QCheckBox;
class QSpinBox;

namespace keiro::payroll {

class PayBasisDaysBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit PayBasisDaysBox(QWidget* parent);

    // Shows the days of `attendance`, whose pay gives `derivedDays`; nothing shown for null.
    void showFor(const AttendanceRecord* attendance, int derivedDays);
    // Told the days the clerk set, or nullopt when 手入力 was unticked.
    void onEdited(std::function<void(std::optional<int> days)> edited) {
        edited_ = std::move(edited);
    }

  private:
    void edited();

    std::function<void(std::optional<int>)> edited_;
    bool shown_ = false;
    int derived_ = 0;
    QSpinBox* daysSpin_;
    QCheckBox* manualCheck_;
};

}  // namespace keiro::payroll
