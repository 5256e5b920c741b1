// The print position correction as the dialog shows it, reads it back and keeps it.
#include <gtest/gtest.h>

#include "print/position_correction.h"

namespace keiro::print {
namespace {

TEST(PositionCorrectionTest, KeptInRoundedTenths) {
    EXPECT_EQ(correctionTenths(-10.0), -100);
    EXPECT_EQ(correctionTenths(0.3), 3);  // 2.9999… in binary
    EXPECT_EQ(correctionTenths(-0.25), -3);
    EXPECT_DOUBLE_EQ(correctionMm(-15), -1.5);
}

TEST(PositionCorrectionTest, ShownAndReadBack) {
    EXPECT_EQ(formatCorrection(0.0), "  0.0");
    EXPECT_EQ(formatCorrection(-10.0), "-10.0");
    EXPECT_EQ(formatCorrection(0.1 + 0.1 + 0.1), "  0.3");
    EXPECT_EQ(parseCorrection("  0.3"), 0.3);
    EXPECT_EQ(parseCorrection("-10.0"), -10.0);
    EXPECT_EQ(parseCorrection("+2"), 2.0);
    EXPECT_EQ(parseCorrection(" 1.5 "), 1.5);
    for (const char* bad : {"", "   ", "abc", "1,5", "1.5mm", "+-1", "-", "inf", "nan", "1e2"}) {
        EXPECT_EQ(parseCorrection(bad), std::nullopt) << '"' << bad << '"';
    }
}

}  // namespace
}  // namespace keiro::print
