#pragma once
// The 支給控除一覧 under the pay grid: a caption with the 計算 button (F9 does the same from
// anywhere in the window) and a read-only table with the company's total first and then one
// column per employee at work, a row per pay item, deduction and total down to 差引支給額.

#include <QWidget>

#include "print/pay_summary.h"

class QLabel;
class QTableWidget;

namespace keiro::payroll {

class PaySummaryView : public QWidget {
    Q_OBJECT
  public:
    explicit PaySummaryView(QWidget* parent = nullptr);

    void show(const print::PaySummary& summary);
    QTableWidget* table() const { return table_; }

  signals:
    void calculateRequested();

  private:
    QTableWidget* table_;
    QLabel* warning_;
};

}  // namespace keiro::payroll
