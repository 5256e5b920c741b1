#include "print/qt/painter_canvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <iterator>
#include <span>
#include <string>

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

void PainterCanvas::useFont(const DeviceFont& font) {
    painter_.setFont(painterFont(font));
    font_ = font;
    hasFont_ = true;
    ascent_ = painter_.fontMetrics().ascent();
    // The face that has the Japanese characters, as the painter would choose it.
    rawFont_ = QRawFont::fromFont(painter_.font(), QFontDatabase::Japanese);
}

PainterCanvas::~PainterCanvas() {
    flushText();
}

// The texts of one font go out as one run of glyphs, each glyph on its own cell, until something
// else is drawn: a PDF then holds one text object for a column or row of cells instead of one per
// cell.  Padding before and after a string draws nothing and is left out; the blanks inside a
// string stay, so that a PDF's text reads as it always did.  A character the face lacks is drawn
// on its own, where the painter can take it from another face.
void PainterCanvas::drawText(const std::vector<Glyph>& glyphs, const DeviceFont& font) {
    auto first = glyphs.begin();
    auto last = glyphs.end();
    while (first != last && first->character == " ") ++first;
    while (last != first && std::prev(last)->character == " ") --last;
    if (first == last) return;
    if (!hasFont_ || !(font == font_)) {
        flushText();
        useFont(font);
    }
    std::string utf8;
    for (const Glyph& g : std::span(first, last)) utf8 += g.character;
    const QString characters = QString::fromStdString(utf8);
    const QList<quint32> indexes =
        rawFont_.isValid() ? rawFont_.glyphIndexesForString(characters) : QList<quint32>{};
    const bool oneGlyphEach = indexes.size() == last - first;
    qsizetype offset = 0;
    for (qsizetype i = 0; i < last - first; ++i) {
        const Glyph& g = first[i];
        // Glyph positions are the top left of the cell; the painter writes on the baseline.
        const QPointF at(g.at.x, g.at.y + ascent_);
        if (!oneGlyphEach) {
            // A character of several code points, or a face that cannot say: one at a time.
            painter_.setPen(QPen(Qt::black));
            painter_.drawText(at, QString::fromStdString(g.character));
            continue;
        }
        const qsizetype length = characters.at(offset).isHighSurrogate() ? 2 : 1;
        if (indexes[i] == 0) {
            painter_.setPen(QPen(Qt::black));
            painter_.drawText(at, characters.mid(offset, length));
        } else {
            pendingIndexes_.push_back(indexes[i]);
            pendingPositions_.push_back(at);
        }
        offset += length;
    }
}

void PainterCanvas::flushText() {
    if (pendingIndexes_.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(pendingIndexes_);
    run.setPositions(pendingPositions_);
    painter_.setPen(QPen(Qt::black));
    painter_.drawGlyphRun(QPointF(0, 0), run);
    pendingIndexes_.clear();
    pendingPositions_.clear();
}

void PainterCanvas::drawLine(DevicePoint from, DevicePoint to, int width) {
    flushText();
    usePen(width);
    painter_.drawLine(toQPoint(from), toQPoint(to));
}

void PainterCanvas::drawBox(const DeviceRect& rect, int width) {
    flushText();
    usePen(width);
    const QRect r = between(rect);
    // Through the corners themselves: QPainter::drawRect would add the pen's width.
    painter_.drawPolygon(QPolygon({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}));
}

void PainterCanvas::fillShade(const DeviceRect& rect) {
    flushText();
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
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter, device);
        page(canvas);
    }
    return image;
}

}  // namespace keiro::print
