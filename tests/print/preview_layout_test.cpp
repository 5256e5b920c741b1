// The preview's placing of the sheet and the printable page.
#include <gtest/gtest.h>

#include <cmath>

#include "print/preview_layout.h"

namespace keiro::print {
namespace {

// A4 at 600 dpi with a 4.2 mm margin all round.
PreviewInput a4(bool landscape, int screenWidth, int screenHeight) {
    PreviewInput input;
    input.sheetWidth = landscape ? 7016 : 4961;
    input.sheetHeight = landscape ? 4961 : 7016;
    input.offsetX = input.offsetY = 99;
    input.pageWidth = input.sheetWidth - 198;
    input.pageHeight = input.sheetHeight - 198;
    input.printerDpi = 600;
    input.screenDpi = 96;
    input.screenWidth = screenWidth;
    input.screenHeight = screenHeight;
    input.viewWidth = 1000;
    input.viewHeight = 600;
    return input;
}

TEST(PreviewLayoutTest, ScreenShapes) {
    EXPECT_EQ(screenRatioText(1920, 1080), "1.78");
    EXPECT_EQ(screenRatioText(1024, 768), "1.33");
    EXPECT_EQ(screenRatioText(1920, 1200), "1.60");
    EXPECT_EQ(screenRatioText(1280, 1024), "1.25");
}

TEST(PreviewLayoutTest, SheetFillsTheHeightOnUsualScreensAndPortraitPaper) {
    const PreviewGeometry wide = previewGeometry(a4(true, 1920, 1080));
    EXPECT_EQ(wide.sheet.height, 600);
    EXPECT_EQ(wide.sheet.width, 849);  // 7016 × 600 / 4961
    EXPECT_EQ(wide.sheet.x, (1000 - 849) / 2);
    EXPECT_EQ(wide.sheet.y, 0);

    const PreviewGeometry portrait = previewGeometry(a4(false, 1280, 1024));
    EXPECT_EQ(portrait.sheet.height, 600);
    EXPECT_EQ(portrait.sheet.width, 424);
}

TEST(PreviewLayoutTest, LandscapeOnAnUnusualScreenFillsTheWidth) {
    const PreviewGeometry geometry = previewGeometry(a4(true, 1280, 1024));
    EXPECT_EQ(geometry.sheet.width, 1000);
    EXPECT_EQ(geometry.sheet.height, 707);
    EXPECT_EQ(geometry.sheet.x, 0);
}

TEST(PreviewLayoutTest, ZoomTwoDoublesTheSheetAndNeverStartsLeftOfTheView) {
    PreviewInput input = a4(true, 1920, 1080);
    input.zoom = 2;
    const PreviewGeometry geometry = previewGeometry(input);
    EXPECT_EQ(geometry.sheet.height, 1200);
    EXPECT_EQ(geometry.sheet.x, 0);
}

TEST(PreviewLayoutTest, PageScaledWithTheSheet) {
    const PreviewGeometry geometry = previewGeometry(a4(true, 1920, 1080));
    // 849 screen pixels for 7016 printer pixels, which are 1122.56 screen pixels at full size.
    EXPECT_EQ(geometry.zoomPercent, 76);
    const double scale = 96.0 / 600 * 0.76;
    EXPECT_EQ(geometry.page.x, 12);  // 99 × 0.1216
    EXPECT_EQ(geometry.page.width, static_cast<int>(std::lround(6818 * scale)));
    EXPECT_EQ(geometry.page.height, static_cast<int>(std::lround(4763 * scale)));
}

TEST(PreviewLayoutTest, NothingForAnUnknownSheet) {
    EXPECT_EQ(previewGeometry(PreviewInput{}), PreviewGeometry{});
}

}  // namespace
}  // namespace keiro::print
