#pragma once
// The canvas that really draws: on any QPainter, whether it paints a printer's page, the preview
// or an image.  The canvas has already turned millimetres into this device's pixels and placed
// every character; this backend only draws what it is given, in device pixels, with no scaling of
// its own (the painter must carry no transform).

#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QSizeF>
#include <functional>

#include "print/canvas.h"

class QPainter;

namespace keiro::print {

// The Qt font for a device font.  The face names are the reports' own ("ＭＳ 明朝"); the
// application set-up substitutes installed faces for them.  The pixel size is the cell height; a
// narrow font is condensed so that a single-byte character is its width wide instead of half the
// height.
QFont painterFont(const DeviceFont& font);

class PainterCanvas : public Canvas {
  public:
    PainterCanvas(QPainter& painter, const PageDevice& device);
    // Draws the texts still waiting to go out as one run.
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

  protected:
    void drawText(const std::vector<Glyph>& glyphs, const DeviceFont& font) override;
    void drawLine(DevicePoint from, DevicePoint to, int width) override;
    void drawBox(const DeviceRect& rect, int width) override;
    void fillShade(const DeviceRect& rect) override;

  private:
    void usePen(int width);
    void useFont(const DeviceFont& font);
    void flushText();

    QPainter& painter_;
    DeviceFont font_;
    bool hasFont_ = false;
    int ascent_ = 0;
    QRawFont rawFont_;
    // The glyphs of rawFont_ drawn since the last thing that was not text of this font.
    QList<quint32> pendingIndexes_;
    QList<QPointF> pendingPositions_;
};

using PageFunction = std::function<void(Canvas&)>;

// One page drawn on a white image of the page's size at dpi, as a printer of that resolution with
// no unprintable margin would print it (printerDevice of the dpi).
QImage renderPage(const PageFunction& page, QSizeF pageMm, int dpi);

}  // namespace keiro::print
