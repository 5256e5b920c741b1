#pragma once
// The employee editor's third page, "社会保険の届出": what the yearly social-insurance tasks need
// beyond the premiums — the day rule of the employee type, the 報酬月額 the current grade was
// decided on with its 改定年月 and kind, the insured dates, the labour insurance column, a
// 修正平均額 for this year's April-June decision, and a bonus total carried into the health year.
// Every box left at its first choice, blank or 0 stores "not set", as an older file holds.

#include <QWidget>

#include "core/records.h"
#include "widgets/entry_behaviour.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;

namespace keiro::payroll {

class EmployeeSocialPage : public QWidget {
    Q_OBJECT
  public:
    EmployeeSocialPage(QWidget* parent, const ui::EntrySettings& settings,
                       ui::MessageService& messages);

    void load(const EmployeeRecord& record);
    void store(EmployeeRecord& record) const;
    // 報酬月額 as typed (0 when empty).
    std::int32_t remuneration() const;

  private:
    QComboBox* dayRuleCombo_;       // 日数の基準
    QLineEdit* remunerationEdit_;   // 報酬月額
    QSpinBox* revisionYearSpin_;    // 改定年 (0 未設定)
    QSpinBox* revisionMonthSpin_;   // 改定月
    QComboBox* revisionKindCombo_;  // 資格取得時 / 定時 / 随時
    QDateEdit* insuredSinceEdit_;
    QDateEdit* insuredUntilEdit_;
    QComboBox* labourClassCombo_;
    QLineEdit* adjustedAverageEdit_;
    QLineEdit* carriedBonusEdit_;
    QCheckBox* over70Check_;         // 70歳以上被用者
    QCheckBox* annualAverageCheck_;  // 年間平均
    QSpinBox* bonusFiscalYearSpin_;
};

// yyyymmdd ↔ the date box (its minimum shows "未設定" and stands for 0).
int dateValue(const QDateEdit* box);
void showDateValue(QDateEdit* box, int yyyymmdd);

}  // namespace keiro::payroll
