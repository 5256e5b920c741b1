// Pictures of pay slips: the scale that fits the slip's paper to 840 pixels, and file names that
// stay inside the chosen folder and never overwrite each other.
#include <gtest/gtest.h>

#include <cmath>

#include "print/pictures.h"

namespace keiro::print {
namespace {

TEST(PicturesTest, TheSlipsPaperFillsThePictureWidth) {
    // A5 landscape: 210 mm at 106 % of 96 dpi (102 pixels an inch); JIS B5 landscape: 257 mm at
    // 86 % (83 pixels an inch).
    const PageDevice a5 = pictureDevice({Paper::A5, Orientation::Landscape});
    EXPECT_FLOAT_EQ(a5.pixelsPerMmX, static_cast<float>(102 / 25.4));
    EXPECT_EQ(std::lround(210 * a5.pixelsPerMmX), 843);
    const PageDevice b5 = pictureDevice({Paper::B5, Orientation::Landscape});
    EXPECT_FLOAT_EQ(b5.pixelsPerMmY, static_cast<float>(83 / 25.4));
    EXPECT_EQ(std::lround(257 * b5.pixelsPerMmX), 840);
    EXPECT_EQ(a5.thinPen, 1);
    EXPECT_EQ(a5.thickPen, 2);
    EXPECT_EQ(a5.offsetXmm, 0);
}

TEST(PicturesTest, NamesCannotLeaveTheFolderOrHideThemselves) {
    EXPECT_EQ(safeFileName("給与08-11[山田 太郎]"), "給与08-11[山田 太郎]");
    EXPECT_EQ(safeFileName("給与08-11[../../etc/passwd]"), "給与08-11[.._.._etc_passwd]");
    EXPECT_EQ(safeFileName("../x"), "_._x");
    EXPECT_EQ(safeFileName(".."), "_.");
    EXPECT_EQ(safeFileName("a\\b:c*d?e\"f<g>h|i\tj"), "a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(safeFileName(""), "_");
    const std::string longName(300, 'x');
    EXPECT_EQ(safeFileName(longName).size(), 200u);
    // A long double-byte name is cut between characters, never inside one.
    std::string kanji;
    for (int i = 0; i < 100; ++i) kanji += "山";
    EXPECT_EQ(safeFileName(kanji).size(), 198u);
}

TEST(PicturesTest, EqualNamesGetNumbersInsteadOfOverwriting) {
    EXPECT_EQ(pictureFileNames({"給与[山田]", "給与[佐藤]", "給与[山田]", "給与[山田]"}),
              (std::vector<std::string>{"給与[山田].jpg", "給与[佐藤].jpg", "給与[山田](2).jpg",
                                        "給与[山田](3).jpg"}));
    // Names that only differ in what was made safe are equal files too.
    EXPECT_EQ(pictureFileNames({"a/b", "a:b"}),
              (std::vector<std::string>{"a_b.jpg", "a_b(2).jpg"}));
}

}  // namespace
}  // namespace keiro::print
