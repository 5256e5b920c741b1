#include <gtest/gtest.h>

#include "withholding/model/names.h"

namespace keiro::withholding {
namespace {

const EraNames kNames{"平成", "令和"};

TEST(WithholdingNames, RecordFormatFollowsEraAndYear) {
    EXPECT_FALSE(isCurrentFormat("/data/平成27年給与･賞与.dat", "平成"));
    EXPECT_FALSE(isCurrentFormat("/data/源泉徴収(平成27年).dat", "平成"));
    EXPECT_FALSE(isCurrentFormat("源泉徴収(平成16年).dat", "平成"));
    EXPECT_TRUE(isCurrentFormat("/data/平成28年給与･賞与.dat", "平成"));
    EXPECT_TRUE(isCurrentFormat("/data/源泉徴収(平成28年).dat", "平成"));
    EXPECT_TRUE(isCurrentFormat("/data/源泉徴収(平成31年).dat", "平成"));
    // Every year of another era has the larger records, even a low era year.
    EXPECT_TRUE(isCurrentFormat("/data/源泉徴収(令和02年).dat", "平成"));
    EXPECT_TRUE(isCurrentFormat("/data/令和08年給与･賞与.dat", "平成"));
}

TEST(WithholdingNames, PathsOfAYearAndItsPredecessor) {
    const WithholdingPaths heisei28 =
        withholdingPathsFor("/d/平成28年給与･賞与.dat", {"平成", 28}, kNames);
    EXPECT_EQ(heisei28.file, "/d/源泉徴収(平成28年).dat");
    EXPECT_EQ(heisei28.previousFile, "/d/源泉徴収(平成27年).dat");
    EXPECT_EQ(heisei28.previousYearFile, "/d/平成27年給与･賞与.dat");
    EXPECT_TRUE(heisei28.currentFormat);
    EXPECT_FALSE(heisei28.previousCurrentFormat);

    // Year 2 of the new era follows 平成31, the calendar year 2019.
    const WithholdingPaths reiwa2 =
        withholdingPathsFor("/d/令和02年給与･賞与.dat", {"令和", 2}, kNames);
    EXPECT_EQ(reiwa2.file, "/d/源泉徴収(令和02年).dat");
    EXPECT_EQ(reiwa2.previousFile, "/d/源泉徴収(平成31年).dat");
    EXPECT_EQ(reiwa2.previousYearFile, "/d/平成31年給与･賞与.dat");
    EXPECT_TRUE(reiwa2.previousCurrentFormat);

    EXPECT_EQ(previousEraYear({"令和", 8}, kNames), (EraYear{"令和", 7}));
    // Before the new era existed both names are the same: year 2 is an ordinary year.
    EXPECT_EQ(previousEraYear({"平成", 2}, EraNames{"平成", "平成"}), (EraYear{"平成", 1}));
}

}  // namespace
}  // namespace keiro::withholding
