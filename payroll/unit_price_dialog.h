#pragma once
// UnitPriceDialog, "単価の計算": the overtime, absence and lateness units worked out from the
// wage and the month's scheduled time, shown before they go into the employee's boxes.  The
// monthly hours they are divided by are the company's (月平均所定労働時間), kept for next time.

#include <QDialog>
#include <optional>

#include "calc/unit_prices.h"
#include "widgets/entry_behaviour.h"

class QLabel;

namespace keiro::payroll {

class UnitPriceDialog : public QDialog {
    Q_OBJECT
  public:
    // `basis` carries the time it is divided by as proposed; the clerk may change the monthly
    // hours and days of a monthly wage.
    UnitPriceDialog(QWidget* parent, const calc::UnitPriceBasis& basis,
                    const RoundingSettings& rounding, const ui::EntrySettings& entry,
                    ui::MessageService& messages);

    // The units after OK; nothing after キャンセル or when they cannot be worked out.
    std::optional<calc::UnitPrices> ask();
    // The monthly hours divided by, as the clerk left them.
    double hoursPerMonth() const;

  private:
    calc::UnitPriceBasis basisShown() const;
    void showPrices();

    calc::UnitPriceBasis basis_;
    RoundingSettings rounding_;
    ui::NumericEntry* hoursEntry_ = nullptr;
    ui::NumericEntry* daysEntry_ = nullptr;
    QLabel* pricesLabel_;
    QPushButton* okButton_;
};

}  // namespace keiro::payroll
