#pragma once
// What the clerk marks on the employee's pay in the individual entry window for the yearly
// social-insurance forms: back-pay for earlier months (遡及支払額) with the months it belongs to,
// a month of leave with its 休職給 (or a bonus during an exempt 産休・育休), and the 修正平均額 of
// a revision whose first changed pay this is.  The box shows the facts and hands every edit to
// its owner, which stores it or refuses it.

#include <QGroupBox>
#include <functional>

#include "payroll/model/employee_sheet.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QSpinBox;

namespace keiro::payroll {

class PayFactsBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit PayFactsBox(QWidget* parent);

    // Shows `facts` of a pay of month `payYearMonth` (yyyymm); a bonus offers no 休職 and no
    // 修正平均額.
    void showFor(const PayFacts& facts, int payYearMonth, bool bonus);
    // Told the facts as edited; returns false when they were refused, and the box shows the
    // facts as they were.
    void onEdited(std::function<bool(const PayFacts&)> edited) { edited_ = std::move(edited); }

  private:
    PayFacts shownFacts() const;
    void edited();
    void enableParts();

    std::function<bool(const PayFacts&)> edited_;
    PayFacts facts_;
    int payYearMonth_ = 0;
    bool bonus_ = false;
    QSpinBox* backPay_;
    QDateEdit* backPayFirst_;
    QDateEdit* backPayLast_;
    QComboBox* leave_;
    QSpinBox* leavePay_;
    QLabel* adjustedLabel_;
    QSpinBox* adjusted_;
};

}  // namespace keiro::payroll
