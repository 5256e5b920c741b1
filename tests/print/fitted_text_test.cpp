// Texts kept within a width: drawn as they are when they fit, smaller when they do not, ending
// where a full-width figure ends, and the font left as it was.
#include <gtest/gtest.h>

#include "print/fitted_text.h"
#include "print/recording_canvas.h"

namespace keiro::print {
namespace {

TEST(FittedTextTest, ALongTextShrinksToEndAtTheWidth) {
    RecordingCanvas canvas;
    FontInfo font;
    font.sizeMm = 4.0f;  // pitch 2 mm
    canvas.setFont(font);
    EXPECT_FLOAT_EQ(textWidth(canvas, "1,000"), 10.0f);
    EXPECT_FLOAT_EQ(textWidth(canvas, "支援金"), 12.0f);

    putTextWithin(canvas, "1,000", 10, 20, 10);
    putTextWithin(canvas, "10,000,000", 10, 30, 10);  // twice the room: half the size
    EXPECT_EQ(canvas.font(), font);

    const auto& texts = canvas.texts();
    ASSERT_EQ(texts.size(), 2u);
    const PageTransform& t = canvas.transform();
    EXPECT_EQ(texts[0][1].at.x, t.x(12));
    EXPECT_EQ(texts[1][1].at.x, t.x(11));
    EXPECT_EQ(texts[1].back().at.x, t.x(19));  // the last of ten 1 mm pitches ends at 20 mm
    EXPECT_NE(canvas.recording().find("font \"ＭＳ 明朝\" 24 0"), std::string::npos);  // 2 mm
}

}  // namespace
}  // namespace keiro::print
