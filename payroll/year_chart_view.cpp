#include "payroll/year_chart_view.h"

#include <QHelpEvent>
#include <QLocale>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace keiro::payroll {
namespace {

const QColor kPayColour(0x3b, 0x6e, 0xb4);
const QColor kDeductionColour(0xe0, 0x8a, 0x2e);
constexpr int kLeftMargin = 64;
constexpr int kBottomMargin = 44;
constexpr int kTopMargin = 28;
constexpr int kRightMargin = 12;

QString yen(std::int64_t amount) {
    return QLocale(QLocale::Japanese).toString(static_cast<qlonglong>(amount)) +
           QStringLiteral("円");
}

// A round step for about five lines: 1, 2 or 5 times a power of ten yen.
std::int64_t stepFor(std::int64_t top) {
    std::int64_t step = 10'000;
    while (top / step > 5) {
        const std::int64_t base = step;
        for (std::int64_t m : {2, 5, 10}) {
            step = base * m;
            if (top / step <= 5) break;
        }
    }
    return step;
}

}  // namespace

YearChartView::YearChartView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pbGraph"));
    setMinimumSize(480, 260);
    setMouseTracking(true);
}

void YearChartView::setTotals(std::vector<print::PeriodTotals> totals) {
    totals_ = std::move(totals);
    update();
}

QRectF YearChartView::plotArea() const {
    return QRectF(kLeftMargin, kTopMargin, width() - kLeftMargin - kRightMargin,
                  height() - kTopMargin - kBottomMargin);
}

std::int64_t YearChartView::scaleTop() const {
    std::int64_t top = 0;
    for (const auto& t : totals_) top = std::max({top, t.pay, t.deductions});
    const std::int64_t step = stepFor(std::max<std::int64_t>(top, 10'000));
    return (std::max<std::int64_t>(top, 1) + step - 1) / step * step;
}

std::vector<YearChartView::Bar> YearChartView::bars() const {
    std::vector<Bar> bars;
    if (totals_.empty()) return bars;
    const QRectF area = plotArea();
    const double slot = area.width() / static_cast<double>(totals_.size());
    const double barWidth = std::min(slot * 0.36, 28.0);
    const double top = static_cast<double>(scaleTop());
    for (std::size_t i = 0; i < totals_.size(); ++i) {
        const auto& t = totals_[i];
        const double centre = area.left() + slot * (static_cast<double>(i) + 0.5);
        const auto bar = [&](std::int64_t amount, double left, const QString& what) {
            const double h =
                area.height() * static_cast<double>(std::max<std::int64_t>(amount, 0)) / top;
            bars.push_back({QRectF(left, area.bottom() - h, barWidth, h),
                            QString::fromStdString(t.label) + QLatin1Char(' ') + what +
                                QLatin1Char(' ') + yen(amount)});
        };
        bar(t.pay, centre - barWidth, QStringLiteral("総支給"));
        bar(t.deductions, centre, QStringLiteral("控除"));
    }
    return bars;
}

QString YearChartView::tipAt(QPoint point) const {
    for (const Bar& b : bars()) {
        QRectF hit = b.rect;
        hit.setTop(std::min(hit.top(), hit.bottom() - 4));  // a bar of 0 yen is still found
        if (hit.contains(point)) return b.tip;
    }
    return {};
}

bool YearChartView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = tipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void YearChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    const QRectF area = plotArea();
    if (totals_.empty()) {
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("保存した給与・賞与がありません。"));
        return;
    }
    // The scale: lines every step, labelled in 万円.
    const std::int64_t top = scaleTop();
    const std::int64_t step = stepFor(top);
    const QFontMetrics metrics(font());
    for (std::int64_t v = 0; v <= top; v += step) {
        const double y =
            area.bottom() - area.height() * static_cast<double>(v) / static_cast<double>(top);
        p.setPen(QPen(v == 0 ? palette().text().color() : palette().mid().color(), 1));
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        p.setPen(palette().text().color());
        p.drawText(QRectF(0, y - metrics.height() / 2.0, kLeftMargin - 6, metrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter,
                   QLocale(QLocale::Japanese).toString(static_cast<qlonglong>(v / 10'000)) +
                       QStringLiteral("万"));
    }
    // The bars, then each period's label under its pair.
    const std::vector<Bar> all = bars();
    for (std::size_t i = 0; i < all.size(); ++i)
        p.fillRect(all[i].rect, i % 2 == 0 ? kPayColour : kDeductionColour);
    const double slot = area.width() / static_cast<double>(totals_.size());
    p.setPen(palette().text().color());
    for (std::size_t i = 0; i < totals_.size(); ++i) {
        QString label = QString::fromStdString(totals_[i].label);
        label.remove(QStringLiteral("給与"));
        p.drawText(QRectF(area.left() + slot * static_cast<double>(i), area.bottom() + 4, slot,
                          metrics.height() * 2),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, label);
    }
    // The legend, top right.
    const auto key = [&](double right, const QColor& colour, const QString& text) {
        const double w = metrics.horizontalAdvance(text);
        p.fillRect(QRectF(right - w - 16, 8, 12, 12), colour);
        p.drawText(QPointF(right - w, 19), text);
        return right - w - 28;
    };
    key(key(area.right(), kDeductionColour, QStringLiteral("控除")), kPayColour,
        QStringLiteral("総支給"));
}

}  // namespace keiro::payroll
