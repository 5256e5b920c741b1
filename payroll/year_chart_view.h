#pragma once
// YearChartView: each period's 総支給 and 控除 side by side as bars, with a scale in 万円 and
// the exact amounts in a tip over each bar.  Drawn with QPainter: two bar series do not need a
// charting library.

#include <QWidget>
#include <vector>

#include "print/year_totals.h"

namespace keiro::payroll {

class YearChartView : public QWidget {
    Q_OBJECT
  public:
    explicit YearChartView(QWidget* parent = nullptr);

    void setTotals(std::vector<print::PeriodTotals> totals);
    const std::vector<print::PeriodTotals>& totals() const { return totals_; }

    // The bar under `point` ("１月給与 総支給 312,000円"); empty between bars.
    QString tipAt(QPoint point) const;

    QSize sizeHint() const override { return {760, 360}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    struct Bar {
        QRectF rect;
        QString tip;
    };
    // The plot area and every bar in it, for the current size.
    QRectF plotArea() const;
    std::vector<Bar> bars() const;
    std::int64_t scaleTop() const;

    std::vector<print::PeriodTotals> totals_;
};

}  // namespace keiro::payroll
