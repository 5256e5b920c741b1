#pragma once
// The amounts of the withholding editors: the automatic items (支払金額, 徴収税額, 給与所得控除後の
// 金額, 所得控除の額の合計額, 源泉徴収税額, 社会保険料等の金額, 配偶者特別控除の額), the amounts
// declared as deductions, the premiums the employee paid (国民年金保険料等 and 国民健康保険料等,
// which add to the social insurance; the life and earthquake premiums, from which the
// calculation works out those deductions), and the inputs that only later years' law has: the
// employee's estimate of the total income (所得の見積額; typing it marks it entered, an empty box
// is "not entered") and the total incomes of 特定親族 ①-④ (from 2025).  The 小規模企業共済等掛金
// and the later inputs belong to the 1500-byte records only.

#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "withholding/edit/edit_rules.h"
#include "withholding/model/records.h"

class QLineEdit;

namespace keiro::withholding {

class EditBoxes;

class EditAmountsPanel : public QWidget {
  public:
    EditAmountsPanel(EditBoxes& boxes, bool currentFormat, const LaterInputs& later,
                     QWidget* parent);

    template <typename Record>
    void load(const Record& record);
    template <typename Record>
    void store(Record& record) const;

    // The premiums paid, as a group the editor places apart from the deductions.
    QWidget* premiumsGroup() const { return premiums_; }
    QLineEdit* lifeDeduction() const { return lifeDeduction_; }
    QLineEdit* earthquakeDeduction() const { return earthquakeDeduction_; }
    // Nothing in the years without the estimate.
    QLineEdit* incomeEstimate() const { return incomeEstimateEdit_; }

    // Each automatic item's box with its manual item number.
    const std::vector<std::pair<QLineEdit*, int>>& automaticItems() const { return automatic_; }

    // The insurance deductions worked out from the premiums typed (生命保険料 in both formats,
    // 地震保険料 in the 1500-byte records) are read-only while any of their premiums is entered;
    // the 地震保険料の控除額 shows the amount the calculation will store.
    void refreshComputedDeductions();

  private:
    static bool anyEntered(const std::vector<QLineEdit*>& premiums);
    static void showComputed(QLineEdit* deduction, bool computed);

    std::vector<std::pair<QLineEdit*, int>> automatic_;
    std::vector<QLineEdit*> boxes_;  // in the order of the field table
    QWidget* premiums_;
    bool earthquakeFromPremiums_;
    QLineEdit* lifeDeduction_ = nullptr;
    QLineEdit* earthquakeDeduction_ = nullptr;
    std::vector<QLineEdit*> lifePremiums_;
    std::vector<QLineEdit*> earthquakePremiums_;  // 地震保険料, 旧長期損害保険料
    QLineEdit* incomeEstimateEdit_ = nullptr;
    std::array<QLineEdit*, 4> specificRelativeIncomeEdits_{};
};

}  // namespace keiro::withholding
