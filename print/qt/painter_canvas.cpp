#include "print/qt/painter_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace keiro::print {
namespace {

QPoint toQPoint(DevicePoint p) {
    return {p.x, p.y};
}

// The rectangle between two corners, whichever way round they were given.
QRect between(const DeviceRect& r) {
    return QRect(toQPoint(r.topLeft), toQPoint(r.bottomRight)).normalized();
}

}  // namespace

QFont painterFont(const DeviceFont& font) {
    QFont f(QString::fromStdString(font.face));
    f.setPixelSize(std::max(1, font.height));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    if (font.width > 0 && font.height > 0) {
        // The face's own single-byte width is half its height.
        f.setStretch(static_cast<int>(std::lround(font.width * 200.0 / font.height)));
    }
    return f;
}

PainterCanvas::PainterCanvas(QPainter& painter, const PageDevice& device)
    : Canvas(device), painter_(painter) {}

void PainterCanvas::usePen(int width) {
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, width));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::drawText(const std::vector<Glyph>& glyphs, const DeviceFont& font) {
    if (!hasFont_ || font != font_) {
        painter_.setFont(painterFont(font));
        font_ = font;
        hasFont_ = true;
    }
    painter_.setPen(QPen(Qt::black));
    // Glyph positions are the top left of the cell; the painter writes on the baseline.
    const int ascent = painter_.fontMetrics().ascent();
    for (const Glyph& g : glyphs) {
        painter_.drawText(QPoint(g.at.x, g.at.y + ascent), QString::fromStdString(g.character));
    }
}

void PainterCanvas::drawLine(DevicePoint from, DevicePoint to, int width) {
    usePen(width);
    painter_.drawLine(toQPoint(from), toQPoint(to));
}

void PainterCanvas::drawBox(const DeviceRect& rect, int width) {
    usePen(width);
    const QRect r = between(rect);
    // Through the corners themselves: QPainter::drawRect would add the pen's width.
    painter_.drawPolygon(QPolygon({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}));
}

void PainterCanvas::fillShade(const DeviceRect& rect) {
    const QRect r = between(rect);
    // The right and bottom edges stay outside, as a filled area's do on the platform printed for.
    painter_.fillRect(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)),
                      QColor(kShadeColour.red, kShadeColour.green, kShadeColour.blue));
}

QImage renderPage(const PageFunction& page, QSizeF pageMm, int dpi) {
    const PageDevice device = printerDevice({dpi, dpi, 0, 0});
    QImage image(static_cast<int>(std::lround(pageMm.width() * device.pixelsPerMmX)),
                 static_cast<int>(std::lround(pageMm.height() * device.pixelsPerMmY)),
                 QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, device);
    page(canvas);
    return image;
}

}  // namespace keiro::print
