#include "core/check_digits.h"

#include <gtest/gtest.h>

#include <string>

namespace keiro {
namespace {

// Every other final (first) digit of a valid number is refused: the check digit is the only one.
TEST(CheckDigits, IndividualNumbersTakeOnlyTheirOwnLastDigit) {
    for (const std::string valid : {"123456789018", "000000000000", "111111111118"}) {
        SCOPED_TRACE(valid);
        EXPECT_TRUE(isValidMyNumber(valid));
        for (char digit = '0'; digit <= '9'; ++digit) {
            std::string other = valid;
            other.back() = digit;
            if (other != valid) {
                EXPECT_FALSE(isValidMyNumber(other)) << other;
            }
        }
    }
    // A remainder of 1 gives 0, as a remainder of 0 does.
    EXPECT_TRUE(isValidMyNumber("000000000060"));
    for (const char* wrongForm : {"", "12345678901", "1234567890180", "12345678901a", "１２３"})
        EXPECT_FALSE(isValidMyNumber(wrongForm)) << wrongForm;
}

TEST(CheckDigits, CorporateNumbersTakeOnlyTheirOwnFirstDigit) {
    // The National Tax Agency's own number and a company's published one.
    for (const std::string valid : {"7000012050002", "1180301018771"}) {
        SCOPED_TRACE(valid);
        EXPECT_TRUE(isValidCorporateNumber(valid));
        for (char digit = '0'; digit <= '9'; ++digit) {
            std::string other = valid;
            other.front() = digit;
            if (other != valid) {
                EXPECT_FALSE(isValidCorporateNumber(other)) << other;
            }
        }
    }
    for (const char* wrongForm : {"", "700001205000", "70000120500021", "700001205000x"})
        EXPECT_FALSE(isValidCorporateNumber(wrongForm)) << wrongForm;
}

}  // namespace
}  // namespace keiro
