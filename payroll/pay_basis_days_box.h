#pragma once
// The 支払基礎日数 of the employee's month in the individual entry window, as the yearly
// social-insurance decisions read it: the days the month's pay gives, or the clerk's own figure
// when 手入力 is ticked (for a month the rule cannot see, such as days paid as 休業手当).  Edits
// go straight into the attendance record of the open period and are saved with it.

#include <QGroupBox>

#include "core/records.h"

class QCheckBox;
class QSpinBox;

namespace keiro::payroll {

class PayBasisDaysBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit PayBasisDaysBox(QWidget* parent);

    // Shows the days of `attendance`, whose pay gives `derivedDays`; nothing shown for null.
    void showFor(AttendanceRecord* attendance, int derivedDays);

  private:
    void store();

    AttendanceRecord* attendance_ = nullptr;
    int derived_ = 0;
    QSpinBox* daysSpin_;
    QCheckBox* manualCheck_;
};

}  // namespace keiro::payroll
