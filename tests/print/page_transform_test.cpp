// The millimetre-to-pixel conversion: device set-up for printer and preview, and how the
// correction, the layout origin and the printer's margin move every point.
#include <gtest/gtest.h>

#include "print/page_transform.h"

namespace keiro::print {
namespace {

TEST(PageDeviceTest, PrinterResolutionMarginAndPens) {
    // 300 dpi, a margin of 50 pixels = 4.23 mm, counted as 4 mm.
    const PageDevice d300 = printerDevice({300, 300, 50, 50});
    EXPECT_FLOAT_EQ(d300.pixelsPerMmX, 300 / 25.4f);
    EXPECT_EQ(d300.offsetXmm, 4);
    EXPECT_EQ(d300.thinPen, 2);   // 1.67
    EXPECT_EQ(d300.thickPen, 4);  // 4.17

    const PageDevice d600 = printerDevice({600, 600, 118, 142});  // 4.99 mm, 6.01 mm
    EXPECT_EQ(d600.offsetXmm, 5);
    EXPECT_EQ(d600.offsetYmm, 6);
    EXPECT_EQ(d600.thinPen, 3);   // 3.33
    EXPECT_EQ(d600.thickPen, 8);  // 8.33
}

TEST(PageDeviceTest, PreviewUsesTheScreenAtTheZoomWithOnePixelPens) {
    const PageDevice d = previewDevice({600, 600, 100, 100}, 96, 55);  // 96 × 55 / 100 = 52.8
    EXPECT_FLOAT_EQ(d.pixelsPerMmX, static_cast<float>(53 / 25.4));
    EXPECT_FLOAT_EQ(d.pixelsPerMmY, d.pixelsPerMmX);
    EXPECT_EQ(d.offsetXmm, 4);  // the printer's margin
    EXPECT_EQ(d.thinPen, 1);
    EXPECT_EQ(d.thickPen, 1);
}

TEST(PageTransformTest, MillimetresToPixelsAtBothResolutions) {
    const PageTransform t300(printerDevice({300, 300, 0, 0}));
    EXPECT_EQ(t300.point(0, 0), (DevicePoint{0, 0}));
    EXPECT_EQ(t300.point(25.4, 254), (DevicePoint{300, 3000}));
    EXPECT_EQ(t300.x(10), 118);    // 118.11
    EXPECT_EQ(t300.x(10.2), 120);  // 120.47
    EXPECT_EQ(t300.x(-10.2), -120);

    const PageTransform t600(printerDevice({600, 600, 0, 0}));
    EXPECT_EQ(t600.x(10), 236);        // 236.22
    EXPECT_EQ(t600.y(297), 7016);      // 7015.75
    EXPECT_EQ(t600.lengthY(3.5), 83);  // 82.68
}

TEST(PageTransformTest, CorrectionOriginAndMarginMoveEveryPoint) {
    PageTransform t(printerDevice({600, 600, 118, 118}));  // margin 5 mm
    EXPECT_EQ(t.point(5, 5), (DevicePoint{0, 0}));
    EXPECT_EQ(t.point(0, 0), (DevicePoint{-118, -118}));

    // A correction of 10 mm up: every point 10 mm higher, x unchanged.
    t.setCorrection(0.0, -10.0);
    EXPECT_EQ(t.point(5, 15), (DevicePoint{0, 0}));
    EXPECT_EQ(t.point(105, 115), (DevicePoint{2362, 2362}));

    // A layout origin adds to the correction; a correction in tenths is not lost to single
    // precision.
    t.setCorrection(0.3, -10.0);
    t.setOrigin(100.0f, 20.0f);
    EXPECT_EQ(t.point(5, 5), (DevicePoint{2369, 236}));  // 100.3 mm, 10 mm
    EXPECT_EQ(t.lengthY(10), 236);                       // lengths do not move
}

}  // namespace
}  // namespace keiro::print
