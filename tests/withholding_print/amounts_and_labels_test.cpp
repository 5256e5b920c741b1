// The amount cells in their three styles, the digit boxes, and the year labels.
#include <gtest/gtest.h>

#include "print/recording_canvas.h"
#include "tests/withholding_print/document_fixture.h"
#include "withholding/print/amount_cells.h"
#include "withholding/print/form_drawing.h"
#include "withholding/print/year_labels.h"

namespace keiro::withholding {
namespace {

using Groups = std::vector<AmountGroup>;

TEST(AmountCellsTest, GroupsFallIntoTheColumnsWithLeadingZerosInside) {
    // Main: the cell ends 25 mm right, groups 9 mm apart, each text 5.5 mm before its end.
    EXPECT_EQ(amountGroups(AmountStyle::Main, 5'400'000),
              (Groups{{"  5", 1.5f}, {"400", 10.5f}, {"000", 19.5f}}));
    EXPECT_EQ(amountGroups(AmountStyle::Main, 1'005), (Groups{{"  1", 10.5f}, {"005", 19.5f}}));
    EXPECT_EQ(amountGroups(AmountStyle::Main, 999), (Groups{{"999", 19.5f}}));
    EXPECT_EQ(amountGroups(AmountStyle::Main, 0), (Groups{{"  0", 19.5f}}));
    EXPECT_EQ(amountGroups(AmountStyle::Main, 1'000'000),
              (Groups{{"  1", 1.5f}, {"000", 10.5f}, {"000", 19.5f}}));
    // Spouse: 19 mm, 9.5 mm apart.
    EXPECT_EQ(amountGroups(AmountStyle::Spouse, 380'000), (Groups{{"380", 4.0f}, {"000", 13.5f}}));
    // Deduction: 30 mm, 15 mm apart; millions "%3d," from 4 mm, in the 千 column.
    EXPECT_EQ(amountGroups(AmountStyle::Deduction, 1'354'567),
              (Groups{{"  1,", 4.0f}, {"354", 9.5f}, {"567", 24.5f}}));
    EXPECT_EQ(amountGroups(AmountStyle::Deduction, 40'000),
              (Groups{{" 40", 9.5f}, {"000", 24.5f}}));
    // A negative figure keeps its sign next to its digits.
    EXPECT_EQ(amountGroups(AmountStyle::Main, -20'000), (Groups{{"-20", 10.5f}, {"000", 19.5f}}));
}

// Every glyph of the largest figure each cell takes lies inside the cell, and larger ones (which
// only a hand entry gives) are shrunk into it whole rather than spilling over the next column.
TEST(AmountCellsTest, TheLargestAmountsStayInsideTheirCells) {
    const float x = 40.0f;
    for (AmountStyle style : {AmountStyle::Main, AmountStyle::Spouse, AmountStyle::Deduction}) {
        const long long largest = style == AmountStyle::Spouse ? 999'999 : 999'999'999;
        for (long long amount : {largest, largest + 1, 2'147'483'647LL}) {
            print::RecordingCanvas canvas(testing::tenPerMm());
            putStyledAmount(canvas, style, amount, x, 10.0f);
            ASSERT_FALSE(canvas.texts().empty());
            const int height =
                print::PageTransform(testing::tenPerMm()).lengthY(amountFont(style).sizeMm);
            for (const auto& text : canvas.texts()) {
                const int left = text.front().at.x;
                // A character cell is half as wide as the font is high, and the recording
                // holds each glyph's left edge.
                const int right = text.back().at.x + height / 2;
                EXPECT_GE(left, static_cast<int>(x * 10)) << amount;
                EXPECT_LE(right, static_cast<int>((x + amountCellWidth(style)) * 10)) << amount;
            }
            EXPECT_EQ(fitsAmountColumns(style, amount), amount == largest) << amount;
        }
    }
}

TEST(DigitBoxesTest, NumbersFillTheirPlacesWithLeadingZeros) {
    EXPECT_EQ(digitText(23456789012, kPersonalNumberDigits), "023456789012");
    EXPECT_EQ(digitText(0, kPersonalNumberDigits), "");
    print::RecordingCanvas canvas(testing::tenPerMm());
    putDigits(canvas, 1234567890123, kCorporateNumberDigits, 10.0f, 5.0f);
    ASSERT_EQ(canvas.texts().size(), 13u);
    EXPECT_EQ(canvas.texts()[0][0].character, "1");
    EXPECT_EQ(canvas.texts()[12][0].character, "3");
    // No such number: more digits than boxes is left out, not cut to fit.
    print::RecordingCanvas damaged(testing::tenPerMm());
    putDigits(damaged, 12345678901234, kCorporateNumberDigits, 10.0f, 5.0f);
    EXPECT_TRUE(damaged.texts().empty());
}

TEST(YearLabelsTest, TheLastYearOfTheEarlierEraIsTheNewEraFirst) {
    const EraNames eras{"平成", "令和"};
    EXPECT_EQ(documentYearLabel({"令和", 8}, eras), "令和 8 年分");
    EXPECT_EQ(noticeYearLabel({"令和", 8}, eras), "(令和8年分)");
    EXPECT_EQ(followingYear({"令和", 8}, eras), (EraYear{"令和", 9}));

    EXPECT_EQ(documentYearLabel({"平成", 31}, eras), "令和元年分");
    EXPECT_EQ(noticeYearLabel({"平成", 31}, eras), " (令和元年分)");
    EXPECT_EQ(followingYear({"平成", 31}, eras), (EraYear{"令和", 2}));

    EXPECT_EQ(documentYearLabel({"平成", 30}, eras), "平成 30 年分");
    EXPECT_EQ(followingYear({"平成", 30}, eras), (EraYear{"平成", 31}));
}

}  // namespace
}  // namespace keiro::withholding
