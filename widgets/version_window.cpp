#include "widgets/version_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <utility>

namespace keiro::ui {
namespace {

constexpr QSize kPictureSize(360, 220);
const QString kWidestVersion = QStringLiteral("Version 0.00");

QFont versionFont(const QString& family, int pointSize) {
    QFont font(family, pointSize, QFont::Bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

QString shortVersion(const QString& version) {
    if (version.isEmpty()) return QString();
    QString result = version.left(1) + QLatin1Char('.');
    if (version.size() > 2) result += version.at(2);
    if (version.size() > 4) result += version.at(4);
    return result;
}

QString programShortVersion() {
    return shortVersion(QStringLiteral(KEIRO_VERSION));
}

int versionFontSize(const QString& family, QSize area, const QPaintDevice* device) {
    for (int size = VersionWindow::kLargestPointSize; size > 1; --size) {
        const QFont font = versionFont(family, size);
        const QFontMetrics metrics = device ? QFontMetrics(font, device) : QFontMetrics(font);
        if (metrics.horizontalAdvance(kWidestVersion) <= area.width() &&
            metrics.height() <= area.height()) {
            return size;
        }
    }
    return 1;
}

VersionWindow::VersionWindow(QString shortVersion, QWidget* parent)
    : QDialog(parent), shortVersion_(std::move(shortVersion)) {
    setObjectName(QStringLiteral("TfmVersion"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(kPictureSize);
}

QRect VersionWindow::versionArea() {
    return QRect(28, 168, 150, 30);
}

int VersionWindow::versionPointSize() const {
    return versionFontSize(QString::fromUtf8(kFontFamily), versionArea().size(), this);
}

void VersionWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPicture(painter);

    painter.setPen(Qt::white);
    painter.setFont(versionFont(QString::fromUtf8(kFontFamily), versionPointSize()));
    painter.drawText(versionArea(), Qt::AlignLeft | Qt::AlignVCenter, versionText());
}

// A night-blue gradient with a round emblem of rising bars (pay going up, month by month) and
// the program's name.
void VersionWindow::drawPicture(QPainter& painter) const {
    const QRectF all = rect();
    QLinearGradient sky(all.topLeft(), all.bottomRight());
    sky.setColorAt(0.0, QColor(0x0b, 0x2a, 0x55));
    sky.setColorAt(0.6, QColor(0x15, 0x5e, 0x8c));
    sky.setColorAt(1.0, QColor(0x1f, 0x95, 0x9e));
    painter.fillRect(all, sky);

    const QPointF centre(all.width() - 92, 92);
    QRadialGradient glow(centre, 78);
    glow.setColorAt(0.0, QColor(255, 255, 255, 70));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 78, 78);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 3));
    painter.drawEllipse(centre, 56, 56);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1.5));
    painter.drawEllipse(centre, 48, 48);

    painter.setPen(Qt::NoPen);
    const qreal barWidth = 12;
    const qreal heights[] = {18, 30, 44};
    for (int i = 0; i < 3; ++i) {
        const QRectF bar(centre.x() - 28 + i * 20, centre.y() + 24 - heights[i], barWidth,
                         heights[i]);
        painter.setBrush(QColor(255, 255, 255, 140 + 40 * i));
        painter.drawRoundedRect(bar, 2, 2);
    }
    QPainterPath line;
    line.moveTo(centre.x() - 30, centre.y() - 2);
    line.lineTo(centre.x() - 10, centre.y() - 14);
    line.lineTo(centre.x() + 10, centre.y() - 10);
    line.lineTo(centre.x() + 32, centre.y() - 32);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xff, 0xd8, 0x6b), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(line);

    const QString name = QApplication::applicationDisplayName();
    if (!name.isEmpty()) {
        QFont title(QString::fromUtf8(kFontFamily), 26, QFont::Bold);
        painter.setFont(title);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(28, 40, all.width() - 200, 60), Qt::AlignLeft | Qt::AlignVCenter,
                         name);
    }
    painter.setPen(QPen(QColor(255, 255, 255, 120), 1));
    const qreal ruleY = versionArea().top() - 8;
    painter.drawLine(QPointF(28, ruleY), QPointF(all.width() - 28, ruleY));
}

}  // namespace keiro::ui
