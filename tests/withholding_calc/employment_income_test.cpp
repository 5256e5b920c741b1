// Employment income after deduction: the traditional steps and formulas, and the statutory
// table of each period, against its published values and against the way the table is printed
// (pay in thousands divided by four, times a factor).
#include <gtest/gtest.h>

#include <cstdint>

#include "calc/rounding.h"
#include "withholding/calc/employment_income.h"
#include "withholding/calc/year_end_law.h"

namespace keiro::withholding {
namespace {

TEST(TraditionalEmploymentIncome, StepsAndBands) {
    struct Case {
        std::int64_t pay;
        bool legacy;
        std::int64_t income;
    };
    const Case cases[] = {
        {0, false, 0},
        {650'999, false, 0},
        {651'000, false, 1'000},
        {1'618'999, false, 968'999},
        {1'619'500, false, 969'000},    // stepped to 1,619,000
        {1'621'999, false, 970'000},    // 2,000 steps: 1,620,000 → 0.6a − 2,000
        {1'627'999, true, 974'000},     // 4,000 steps from 1,624,000 → 0.6a − 400
        {5'001'000, false, 3'460'000},  // stepped to 5,000,000
        {6'599'999, false, 4'736'800},  // stepped to 6,596,000
        {9'999'999, false, 7'799'999},  // 0.9a − 1,200,000, fraction cut
        {10'000'000, false, 7'800'000},
        {19'999'999, false, 17'799'999},
        {25'000'000, false, 17'800'000},  // the 1500-byte records cap it
        {12'345'679, true, 10'028'395},   // 0.95a − 1,700,000, fraction cut
        {25'000'000, true, 22'550'000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(traditionalEmploymentIncome(c.pay, c.legacy), c.income)
            << c.pay << (c.legacy ? " legacy" : "");
    }
}

// The traditional formulas evaluated in floating point with the nudged truncation and the
// half-away rounding they were written with.
std::int64_t truncNudged(long double x) {
    return static_cast<std::int64_t>(x + 0.000001L);
}
std::int64_t roundHalf(long double x) {
    return truncNudged(x + 0.5L);
}

std::int64_t floatingReference(std::int64_t pay, bool legacy) {
    if (pay <= 650'999) return 0;
    if (pay <= 1'618'999) return pay - 650'000;
    long double a = pay;
    if (pay <= 1'619'999) {
        a = pay - (pay - 1'619'000) % 1'000;
    } else if (pay <= 1'623'999) {
        a = 1'620'000 + (pay - 1'620'000) / 2'000 * 2'000;
    } else if (pay <= 6'599'999) {
        a = 1'624'000 + (pay - 1'624'000) / 4'000 * 4'000;
    }
    if (a <= 1'619'999) return roundHalf(0.6L * a - 2'400);
    if (a <= 1'621'999) return roundHalf(0.6L * a - 2'000);
    if (a <= 1'623'999) return roundHalf(0.6L * a - 1'200);
    if (a <= 1'627'999) return roundHalf(0.6L * a - 400);
    if (a <= 1'799'999) return roundHalf(0.6L * a);
    if (a <= 3'599'999) return roundHalf(0.7L * a - 180'000);
    if (a <= 6'599'999) return roundHalf(0.8L * a - 540'000);
    if (a <= 9'999'999) return truncNudged(0.9L * a - 1'200'000);
    if (legacy) return a <= 14'999'999 ? truncNudged(0.95L * a - 1'700'000) : pay - 2'450'000;
    return a <= 19'999'999 ? pay - 2'200'000 : 17'800'000;
}

TEST(TraditionalEmploymentIncome, SweepAgainstFloatingFormulas) {
    for (bool legacy : {false, true}) {
        for (std::int64_t pay = 600'000; pay <= 16'000'000; pay += 997) {
            ASSERT_EQ(traditionalEmploymentIncome(pay, legacy), floatingReference(pay, legacy))
                << pay << (legacy ? " legacy" : "");
        }
    }
}

TEST(StatutoryEmploymentIncome, PublishedVectorsOfEachPeriod) {
    struct Case {
        std::int64_t pay;
        std::int64_t a2020, b2025, c2026;
    };
    const Case cases[] = {
        {550'999, 0, 0, 0},
        {650'999, 100'999, 0, 0},
        {740'999, 190'999, 90'999, 0},
        {741'000, 191'000, 91'000, 1'000},
        {1'600'000, 1'050'000, 950'000, 860'000},
        {1'619'999, 1'069'000, 969'999, 879'999},
        {1'627'999, 1'074'000, 977'999, 887'999},
        {1'628'000, 1'076'800, 978'000, 888'000},
        {1'903'999, 1'250'000, 1'250'000, 1'163'999},
        {2'192'999, 1'454'400, 1'454'400, 1'451'000},
        {2'199'999, 1'457'200, 1'457'200, 1'456'000},
        {2'200'000, 1'460'000, 1'460'000, 1'460'000},
        {6'599'999, 4'836'800, 4'836'800, 4'836'800},
        {7'654'321, 5'788'888, 5'788'888, 5'788'888},
        {8'970'000, 7'020'000, 7'020'000, 7'020'000},
        {20'000'000, 18'050'000, 18'050'000, 18'050'000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(statutoryEmploymentIncome(c.pay, yearEndLaw(2022).employment), c.a2020) << c.pay;
        EXPECT_EQ(statutoryEmploymentIncome(c.pay, yearEndLaw(2025).employment), c.b2025) << c.pay;
        EXPECT_EQ(statutoryEmploymentIncome(c.pay, yearEndLaw(2026).employment), c.c2026) << c.pay;
    }
}

TEST(StatutoryEmploymentIncome, TransitionRows) {
    struct Case {
        int year;
        std::int64_t pay, income;
    };
    const Case cases[] = {
        {2020, 1'618'999, 1'068'999}, {2020, 1'619'000, 1'069'000}, {2020, 1'621'999, 1'070'000},
        {2020, 1'622'000, 1'072'000}, {2020, 1'623'999, 1'072'000}, {2020, 1'624'000, 1'074'000},
        {2026, 2'190'999, 1'450'999}, {2026, 2'192'999, 1'451'000}, {2026, 2'193'000, 1'453'000},
        {2026, 2'195'999, 1'453'000}, {2026, 2'196'000, 1'456'000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(statutoryEmploymentIncome(c.pay, yearEndLaw(c.year).employment), c.income)
            << c.year << " " << c.pay;
    }
}

// The grid rows as printed: B = pay / 4 to the thousand below, times 2.4, 2.8 or 3.2, less an
// amount; from 6,600,000 pay × 0.9 − 1,100,000 (fraction cut) and pay − 1,950,000.
std::int64_t printedReference(std::int64_t pay) {
    const std::int64_t b = pay / 4'000 * 1'000;
    if (pay < 1'800'000) return b * 24 / 10 + 100'000;
    if (pay < 3'600'000) return b * 28 / 10 - 80'000;
    if (pay < 6'600'000) return b * 32 / 10 - 440'000;
    if (pay < 8'500'000) {
        return calc::Product(0.9, static_cast<double>(pay)).micros / 1'000'000 - 1'100'000;
    }
    return pay - 1'950'000;
}

TEST(StatutoryEmploymentIncome, SweepAgainstThePrintedTable) {
    for (int year : {2020, 2025, 2026}) {
        const EmploymentTable& table = yearEndLaw(year).employment;
        for (std::int64_t pay = 0; pay <= 20'000'000; pay += 331) {
            std::int64_t expected = 0;
            if (pay >= table.gridFrom) {
                expected = printedReference(pay);
            } else if (pay >= table.zeroBelow && pay < table.exactBelow) {
                expected = pay - table.minimum;
            } else if (pay >= table.exactBelow) {
                continue;  // transition rows, checked above
            }
            ASSERT_EQ(statutoryEmploymentIncome(pay, table), expected) << year << " " << pay;
        }
    }
}

}  // namespace
}  // namespace keiro::withholding
