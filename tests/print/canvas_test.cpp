// The canvas: characters on the fixed pitch, underlines, pens, and the recorded text that report
// tests compare with their expected drawings.
#include <gtest/gtest.h>

#include <vector>

#include "print/recording_canvas.h"
#include "tests/support/golden.h"

namespace keiro::print {
namespace {

// 254 dpi: exactly 10 pixels per millimetre, no margin.
const PageDevice k10PerMm = printerDevice({254, 254, 0, 0});

std::vector<int> glyphXs(const std::vector<Glyph>& glyphs) {
    std::vector<int> xs;
    for (const Glyph& g : glyphs) xs.push_back(g.at.x);
    return xs;
}

TEST(CanvasTest, MixedWidthTextSitsOnTheFixedPitch) {
    RecordingCanvas canvas(k10PerMm);
    canvas.setFont({.face = "ＭＳ ゴシック", .sizeMm = 4.0f});  // pitch 2 mm
    canvas.putText("A山ｶﾅ田 1", 10.0f, 20.0f);
    ASSERT_EQ(canvas.texts().size(), 1u);
    const std::vector<Glyph>& glyphs = canvas.texts()[0];
    // A 1, 山 2, ｶ 1, ﾅ 1, 田 2, blank 1, 1 1: 9 pitches in all.
    EXPECT_EQ(glyphXs(glyphs), (std::vector<int>{100, 120, 160, 180, 200, 240, 260}));
    EXPECT_EQ(glyphs[1].character, "山");
    for (const Glyph& g : glyphs) EXPECT_EQ(g.at.y, 200);

    // Narrow characters: 3/7 of the size, here 3 mm.
    canvas.setFont({.sizeMm = 7.0f, .narrow = true});
    canvas.putText("1２3", 0.0f, 0.0f);
    EXPECT_EQ(glyphXs(canvas.texts()[1]), (std::vector<int>{0, 30, 90}));

    // What an input method types is printed as its code page 932 twin, at its width.
    canvas.putText("9〜5", 0.0f, 0.0f);
    ASSERT_EQ(canvas.texts()[2].size(), 3u);
    EXPECT_EQ(canvas.texts()[2][1].character, "～");
    EXPECT_EQ(glyphXs(canvas.texts()[2]), (std::vector<int>{0, 30, 90}));
}

TEST(CanvasTest, UnderlineSpansTheTextBelowItsCell) {
    RecordingCanvas canvas(printerDevice({360, 360, 0, 0}));  // thin pen 2 → underline 2
    FontInfo font;
    font.sizeMm = 5.08f;  // 72 pixels; pitch 2.54 mm = 36 pixels
    font.underline = true;
    canvas.setFont(font);
    canvas.putText("給与ab", 0.0f, 0.0f);
    EXPECT_EQ(canvas.recording(),
              "font \"ＭＳ 明朝\" 72 0\n"
              "text 0 0 \"給与ab\"\n"
              "line 0 72 216 72 2\n");
    canvas.clear();
    canvas.putText("", 0.0f, 0.0f);  // nothing drawn, no stray underline
    EXPECT_EQ(canvas.recording(), "");
}

TEST(CanvasTest, PagePrimitivesRecordAsExpected) {
    // A small page: two fonts, both pens, a shade, a box, a quoted text, a moved origin.
    RecordingCanvas canvas(printerDevice({600, 600, 100, 100}));
    canvas.transform().setCorrection(0.5, -1.0);
    canvas.setFontPt(14.0f);
    canvas.putText("社 員 名 簿", 100.0f, 10.0f);
    canvas.setFont({.face = "ＭＳ ゴシック", .sizeMm = 3.0f, .bold = true, .italic = true});
    canvas.putText("名前 \"様\" \\", 20.0f, 30.0f);
    canvas.setPen(Pen::Thick);
    canvas.putBox(15.0f, 25.0f, 280.0f, 190.0f);
    canvas.setPen(Pen::Thin);
    canvas.putLine(15.0f, 35.0f, 280.0f, 35.0f);
    canvas.putShade(15.0f, 25.0f, 280.0f, 35.0f);
    canvas.transform().setOrigin(148.5f, 0.0f);
    canvas.putText("１２３", 20.0f, 30.0f);
    testing_support::expectMatchesGolden(canvas.recording(), "print/canvas_primitives.txt");
}

}  // namespace
}  // namespace keiro::print
