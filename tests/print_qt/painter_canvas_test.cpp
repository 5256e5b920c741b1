// The painter canvas draws on an image where the canvas said: box edges on their device
// positions, the shade colour inside shaded areas, every character in its own cell, nothing
// anywhere else.

#include <QFontInfo>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QtTest>

#include "print/qt/painter_canvas.h"
#include "print/recording_canvas.h"
#include "tests/support/qt_test_main.h"

namespace keiro::print {
namespace {

constexpr int kDpi = 100;
const QSizeF kPageMm(60, 40);

void samplePage(Canvas& canvas) {
    canvas.putBox(5, 5, 25, 20);
    canvas.putShade(30, 5, 50, 20);
    canvas.setFont(FontInfo{});
    canvas.putText("給与明細", 5, 25);
}

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}
bool white(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

bool anyDark(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (dark(image, x, y)) return true;
    return false;
}

}  // namespace

class PainterCanvasTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        image_ = renderPage(samplePage, kPageMm, kDpi);
        RecordingCanvas recording(printerDevice({kDpi, kDpi, 0, 0}));
        samplePage(recording);
        texts_ = recording.texts();
        if (const QByteArray shot = qgetenv("KEIRO_PRINT_SHOT"); !shot.isEmpty()) {
            QVERIFY(image_.save(QString::fromLocal8Bit(shot)));
        }
    }

    void imageHasThePageSizeAtTheDpi() {
        QCOMPARE(image_.size(), QSize(236, 157));  // 60 × 40 mm at 100 dpi
    }

    void boxEdgesLieOnTheirDevicePositions() {
        // 5, 20 and 25 mm at 100 dpi: 20, 79 and 98 pixels.
        for (const int x : {20, 98}) {
            QVERIFY(dark(image_, x, 50));
            QVERIFY(white(image_, x - 3, 50));
            QVERIFY(white(image_, x + 3, 50));
        }
        for (const int y : {20, 79}) {
            QVERIFY(dark(image_, 60, y));
            QVERIFY(white(image_, 60, y - 3));
            QVERIFY(white(image_, 60, y + 3));
        }
    }

    void shadeFillsItsAreaWithTheShadeColour() {
        const QRgb shade = qRgb(kShadeColour.red, kShadeColour.green, kShadeColour.blue);
        // 30–50 mm across, 5–20 mm down: pixels 118–196 and 20–78.
        for (const QPoint p : {QPoint(118, 20), QPoint(157, 50), QPoint(196, 78)})
            QCOMPARE(image_.pixel(p), shade);
        for (const QPoint p : {QPoint(117, 50), QPoint(197, 50), QPoint(157, 19), QPoint(157, 79)})
            QVERIFY(white(image_, p.x(), p.y()));
    }

    void charactersSitInTheCellsTheCanvasPlaced() {
        QCOMPARE(texts_.size(), size_t{1});
        const std::vector<Glyph>& glyphs = texts_.front();
        QCOMPARE(glyphs.size(), size_t{4});
        // 3.5 mm high and, double-byte, as wide: 14 pixels.
        const int cellSize = 14;
        QCOMPARE(glyphs[0].at, (DevicePoint{20, 98}));
        QRect text;
        for (const Glyph& g : glyphs) {
            const QRect cell(g.at.x, g.at.y, cellSize, cellSize);
            QVERIFY2(anyDark(image_, cell), g.character.c_str());
            text |= cell;
        }
        // Nothing drawn outside the cells (a pixel of slack for the glyphs' edges), the box and
        // the shade.
        const QRect box(19, 19, 81, 62);
        const QRect shade(118, 20, 79, 59);
        const QRect textSlack = text.adjusted(-1, -1, 1, 1);
        for (int y = 0; y < image_.height(); ++y) {
            for (int x = 0; x < image_.width(); ++x) {
                const QPoint p(x, y);
                if (box.contains(p) || shade.contains(p) || textSlack.contains(p)) continue;
                if (!white(image_, x, y))
                    QFAIL(qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
            }
        }
    }

    void fontsMapFromTheReportsNames() {
        DeviceFont narrow{"ＭＳ ゴシック", 14, 6, true, false};
        const QFont font = painterFont(narrow);
        QCOMPARE(font.pixelSize(), 14);
        QCOMPARE(font.stretch(), 86);  // 6 pixels instead of 7
        QVERIFY(font.bold());
        QVERIFY2(QFontInfo(font).family().startsWith(QStringLiteral("IPA")),
                 qPrintable(QFontInfo(font).family()));
        QCOMPARE(painterFont(DeviceFont{"ＭＳ 明朝", 14, 0, false, true}).stretch(),
                 int(QFont::AnyStretch));
    }

  private:
    QImage image_;
    std::vector<std::vector<Glyph>> texts_;
};

KEIRO_QTEST(PainterCanvasTest);

}  // namespace keiro::print

#include "painter_canvas_test.moc"
