// Every rate × yen product against an exact integer reference worked from the rates as
// printed in data/: each band edge of each year's salary table, each bonus rate, each premium
// rate, and a few hundred thousand random amounts; the rates as the tables store them read to
// exactly the decimals printed; and the named roundings of Rate against the same reference.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "calc/data_csv.h"
#include "calc/premiums.h"
#include "calc/rounding.h"
#include "calc/tax_table_build.h"
#include "calc/tax_tables.h"
#include "core/fileio.h"
#include "core/money.h"

namespace keiro::calc {
namespace {

DataCsv dataCsv(const std::string& name) {
    return DataCsv(readFile(fs::path(KEIRO_SOURCE_DIR) / "data" / name), name);
}

YenRounding deductionRounding(RoundingMode mode) {
    return YenRounding(RoundingSettings{RoundingMode::Ceil, RoundingMode::Truncate, mode});
}

// A decimal as printed ("20.42", "4.925") as a whole number of 10^-places of its unit.
std::int64_t printedUnits(const std::string& text, int places) {
    const std::size_t dot = text.find('.');
    std::string decimals = dot == std::string::npos ? "" : text.substr(dot + 1);
    EXPECT_LE(decimals.size(), static_cast<std::size_t>(places)) << text;
    decimals.resize(places, '0');
    std::int64_t scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    return std::stoll(text.substr(0, dot)) * scale + std::stoll(decimals.empty() ? "0" : decimals);
}

// numerator / denominator rounded as the mode says, in integers only.
std::int64_t exactRound(RoundingMode mode, std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t whole = numerator / denominator;
    const std::int64_t rest = numerator % denominator;
    switch (mode) {
        case RoundingMode::Ceil:
            return rest > 0 ? whole + 1 : whole;
        case RoundingMode::Round:
            if (2 * rest >= denominator) return whole + 1;
            if (-2 * rest >= denominator) return whole - 1;
            return whole;
        case RoundingMode::Truncate:
            break;
    }
    return whole;
}

constexpr RoundingMode kModes[] = {RoundingMode::Truncate, RoundingMode::Round, RoundingMode::Ceil};
constexpr Rounding kRoundings[] = {Rounding::Down, Rounding::HalfUp, Rounding::Up};
// Printed tax rates are percentages of three places: a fraction in 10^-5.
constexpr std::int64_t kTaxRateDenominator = 100'000;

struct Year {
    const char* period;
    const char* monthly;
    const char* rules;
    const char* bonus;
};
constexpr Year kYears[] = {
    {"2026", "withholding_monthly_2026.csv", "withholding_monthly_2026_rules.csv",
     "withholding_bonus_2026.csv"},
    {"2020-2025", "withholding_monthly_2020-2025.csv", "withholding_monthly_2020-2025_rules.csv",
     "withholding_bonus_2020-2025.csv"},
};

class RoundingSweep : public ::testing::TestWithParam<Year> {};

TEST_P(RoundingSweep, EveryBandEdgeOfTheSalaryTableIsExact) {
    const Year& year = GetParam();
    const DataCsv rules = dataCsv(year.rules);
    const SalaryTaxTable table = SalaryTaxTable::fromBytes(
        buildSalaryTaxTable(dataCsv(year.monthly), rules, dataCsv("withholding_monthly_params.csv"),
                            year.period),
        kSalaryTaxTableFileName);
    std::mt19937 random(20260401);
    int checked = 0;
    for (std::size_t row = 0; row < rules.rowCount(); ++row) {
        const bool kou = rules.text(row, "column") == "kou";
        const std::int32_t from = rules.integer(row, "from");
        const std::int32_t to = rules.optionalInteger(row, "to").value_or(from + 5'000'000);
        const std::int64_t rate = printedUnits(rules.text(row, "rate_percent"), 3);
        std::vector<std::int32_t> amounts;
        for (std::int32_t k = 0; k < 2'000 && from + k < to; ++k) {
            amounts.push_back(from + k);
            amounts.push_back(to - 1 - k);
        }
        std::uniform_int_distribution<std::int32_t> inside(from, to - 1);
        for (int k = 0; k < 2'000; ++k) amounts.push_back(inside(random));
        for (const RoundingMode mode : kModes) {
            const YenRounding rounding = deductionRounding(mode);
            for (const std::int32_t a : amounts) {
                const std::int64_t grown =
                    exactRound(mode, std::int64_t{a - from} * rate, kTaxRateDenominator);
                for (int d = 0; d < (kou ? 8 : 1); ++d) {
                    const std::int64_t base = rules.integer(row, "base" + std::to_string(d));
                    ASSERT_EQ(table.LookupSalaryTax(a, kou ? 0 : 1, d, rounding), base + grown)
                        << year.period << (kou ? " 甲 " : " 乙 ") << a << " dependents " << d;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 500'000);
}

TEST_P(RoundingSweep, EveryBonusRateIsExact) {
    const Year& year = GetParam();
    const DataCsv csv = dataCsv(year.bonus);
    const BonusTaxTable table =
        BonusTaxTable::fromBytes(buildBonusTaxTable(csv), kBonusTaxTableFileName);
    std::mt19937 random(4259990);
    std::uniform_int_distribution<std::int32_t> bonus(0, 30'000'000);
    for (std::size_t row = 0; row < csv.rowCount(); ++row) {
        const std::optional<std::int32_t> lower = csv.optionalInteger(row, "kou0_lower");
        if (!lower) continue;
        const std::int32_t previous = *lower;
        const std::int64_t rate = printedUnits(csv.text(row, "rate_percent"), 3);
        for (const RoundingMode mode : kModes) {
            const YenRounding rounding = deductionRounding(mode);
            for (int k = 0; k < 3'000; ++k) {
                const std::int32_t b = k < 1'000 ? k : bonus(random);
                ASSERT_EQ(table.LookupBonusTax(previous, b, 0, 0, rounding),
                          exactRound(mode, std::int64_t{b} * rate, kTaxRateDenominator))
                    << year.period << " rate " << csv.text(row, "rate_percent") << " bonus " << b;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Years, RoundingSweep, ::testing::ValuesIn(kYears), [](const auto& info) {
    return info.index == 0 ? std::string("Y2026") : std::string("Y2020to2025");
});

// Amounts the float reduction of the product used to make one yen too high.
TEST(RoundingSweep, TheProductsThatUsedToComeOutOneYenHigh) {
    const YenRounding truncate = deductionRounding(RoundingMode::Truncate);
    const Year& y2026 = kYears[0];
    const SalaryTaxTable salary = SalaryTaxTable::fromBytes(
        buildSalaryTaxTable(dataCsv(y2026.monthly), dataCsv(y2026.rules),
                            dataCsv("withholding_monthly_params.csv"), y2026.period),
        kSalaryTaxTableFileName);
    // 71,680 + 23,619 × 20.42 % = 76,502.9998.
    EXPECT_EQ(salary.LookupSalaryTax(763'619, 0, 0, truncate), 76'502);
    // 655,400 + 658,385 × 45.945 % = 957,894.98…
    EXPECT_EQ(salary.LookupSalaryTax(2'368'385, 1, 0, truncate), 957'894);
    const BonusTaxTable bonus =
        BonusTaxTable::fromBytes(buildBonusTaxTable(dataCsv(y2026.bonus)), kBonusTaxTableFileName);
    // Exactly ten times the previous month still uses the rate table.
    EXPECT_EQ(bonus.LookupBonusTax(425'999, 4'259'990, 0, 0, truncate), 608'922);
}

// Every published tax rate, and rates of hours and days, times random amounts.
TEST(RoundingSweep, RandomProductsOfDecimalRatesAreExact) {
    std::set<std::string> printed;
    for (const Year& year : kYears) {
        const DataCsv rules = dataCsv(year.rules);
        for (std::size_t row = 0; row < rules.rowCount(); ++row) {
            printed.insert(rules.text(row, "rate_percent"));
        }
        const DataCsv bonus = dataCsv(year.bonus);
        for (std::size_t row = 0; row < bonus.rowCount(); ++row) {
            printed.insert(bonus.text(row, "rate_percent"));
        }
    }
    std::vector<std::pair<double, std::int64_t>> rates;  // the rate, and it in 10^-5
    for (const std::string& text : printed) {
        const std::int64_t units = printedUnits(text, 3);
        rates.emplace_back(static_cast<double>(units) / kTaxRateDenominator, units);
    }
    std::mt19937 random(71680);
    std::uniform_int_distribution<std::size_t> pick(0, rates.size() - 1);
    std::uniform_int_distribution<std::int32_t> amount(-5'000'000, 50'000'000);
    // Hours and days as typed: up to 300.00 in hundredths.
    std::uniform_int_distribution<std::int32_t> hundredths(0, 30'000);
    std::uniform_int_distribution<std::int32_t> unit(-20'000, 20'000);
    for (int k = 0; k < 300'000; ++k) {
        const RoundingMode mode = kModes[k % 3];
        const YenRounding rounding(RoundingSettings{mode, mode, mode});
        const auto& [rate, units] = rates[pick(random)];
        const std::int32_t a = amount(random);
        ASSERT_EQ(rounding.RoundTax(rate, a),
                  exactRound(mode, std::int64_t{a} * units, kTaxRateDenominator))
            << rate << " × " << a;
        const std::int32_t h = hundredths(random);
        const std::int32_t u = unit(random);
        ASSERT_EQ(rounding.RoundPayItem(h / 100.0, u), exactRound(mode, std::int64_t{h} * u, 100))
            << h / 100.0 << " × " << u;
    }
}

// The premium rates of the rate list (halved) and the usual pension and employment rates
// times standard amounts and pay, with the 50銭 rule: up from 0.509999 (premiums) and from
// 0.500999 (employment insurance) yen.
TEST(RoundingSweep, PremiumProductsAreExact) {
    const DataCsv list = dataCsv("health_rates_2026.csv");
    std::set<std::string> printed = {"9.150", "0.55", "0.6",  "0.5",
                                     "0.795", "0.81", "5.72", "4.9255"};
    for (std::size_t row = 0; row < list.rowCount(); ++row) {
        printed.insert(list.text(row, "employee_rate_pct"));
    }
    std::mt19937 random(4925);
    std::uniform_int_distribution<std::int32_t> standard(58, 1'500);  // thousands of yen
    std::uniform_int_distribution<std::int32_t> pay(0, 3'000'000);
    for (const std::string& text : printed) {
        const std::int64_t units = printedUnits(text, 4);  // ten-thousandths of a percent
        const double percent = static_cast<double>(units) / 10'000;
        const auto expected = [&](std::int64_t base, std::int64_t from) {
            const std::int64_t micros = base * units;  // millionths of a yen
            return micros / 1'000'000 + (micros % 1'000'000 >= from ? 1 : 0);
        };
        for (int k = 0; k < 5'000; ++k) {
            const std::int32_t s = standard(random) * 1'000;
            ASSERT_EQ(RoundInsurance(PercentOf(s, percent)), expected(s, 509'999))
                << text << " % of " << s;
            const std::int32_t p = pay(random);
            ASSERT_EQ(RoundEmploymentInsurance(PercentOf(p, percent)), expected(p, 500'999))
                << text << " % of " << p;
            ASSERT_EQ(MonthlyEmploymentInsurance(p, percent), expected(p, 500'999));
        }
    }
}

// The printed tax rates of every year, each with its stored double (a fraction).
std::set<std::string> printedTaxRates() {
    std::set<std::string> printed;
    for (const Year& year : kYears) {
        for (const char* name : {year.rules, year.bonus}) {
            const DataCsv csv = dataCsv(name);
            for (std::size_t row = 0; row < csv.rowCount(); ++row) {
                printed.insert(csv.text(row, "rate_percent"));
            }
        }
    }
    return printed;
}

// Every rate the tables store reads, once, to exactly the decimal printed, whichever way it
// comes in: the stored double of a fraction, the percentage as a double, the text.
TEST(RoundingSweep, EveryStoredRateReadsToThePrintedDecimal) {
    for (const std::string& text : printedTaxRates()) {
        const std::int64_t units = printedUnits(text, 3);  // 10^-5 of one
        const std::int64_t millionths = units * 10;
        EXPECT_EQ(Rate::fromDouble(static_cast<double>(units) / kTaxRateDenominator).millionths(),
                  millionths)
            << text;
        EXPECT_EQ(Rate::fromPercent(std::stod(text)).millionths(), millionths) << text;
        EXPECT_EQ(Rate::parsePercent(text)->millionths(), millionths) << text;
    }
    for (const Year& year : kYears) {
        const SalaryTaxTable table = SalaryTaxTable::fromBytes(
            buildSalaryTaxTable(dataCsv(year.monthly), dataCsv(year.rules),
                                dataCsv("withholding_monthly_params.csv"), year.period),
            kSalaryTaxTableFileName);
        const SalaryTaxTableImage& t = table.image();
        for (const double rate : {t.kouRate1, t.kouRate2, t.kouRate3, t.kouRate4, t.otsuRateLow,
                                  t.otsuRate1, t.otsuRate2}) {
            EXPECT_TRUE(Rate::fromDouble(rate).isExact()) << year.period << " " << rate;
        }
        for (const auto* points : {&table.extension().kou, &table.extension().otsu}) {
            for (const SalaryBreakpoint& point : *points) {
                EXPECT_TRUE(Rate::fromDouble(point.rate).isExact()) << point.rate;
            }
        }
    }
    const DataCsv list = dataCsv("health_rates_2026.csv");
    for (std::size_t row = 0; row < list.rowCount(); ++row) {
        const std::string text = list.text(row, "employee_rate_pct");
        EXPECT_EQ(Rate::fromPercent(list.decimal(row, "employee_rate_pct")).millionths(),
                  printedUnits(text, 4))
            << text;
    }
}

// Rate's named roundings of every printed rate, of hours and days as typed, and of premium
// rates with the 50銭 rules, against integer arithmetic alone.
TEST(RoundingSweep, NamedRoundingsOfRatesMatchTheIntegerReference) {
    std::vector<std::pair<Rate, std::int64_t>> rates;  // the rate, and it in 10^-5
    for (const std::string& text : printedTaxRates()) {
        const std::int64_t units = printedUnits(text, 3);
        rates.emplace_back(Rate::fromDouble(static_cast<double>(units) / kTaxRateDenominator),
                           units);
    }
    std::mt19937 random(204200);
    std::uniform_int_distribution<std::size_t> pick(0, rates.size() - 1);
    std::uniform_int_distribution<std::int32_t> amount(-5'000'000, 50'000'000);
    std::uniform_int_distribution<std::int32_t> hundredths(0, 30'000);
    std::uniform_int_distribution<std::int32_t> unit(-20'000, 20'000);
    for (int k = 0; k < 300'000; ++k) {
        const RoundingMode mode = kModes[k % 3];
        const Rounding rounding = kRoundings[k % 3];
        const auto& [rate, units] = rates[pick(random)];
        const std::int32_t a = amount(random);
        ASSERT_EQ(rate.of(Yen(a), rounding).value(),
                  exactRound(mode, std::int64_t{a} * units, kTaxRateDenominator))
            << units << " × " << a;
        const std::int32_t h = hundredths(random);
        const std::int32_t u = unit(random);
        ASSERT_EQ(Rate::fromDouble(h / 100.0).of(Yen(u), rounding).value(),
                  exactRound(mode, std::int64_t{h} * u, 100))
            << h / 100.0 << " × " << u;
    }
    std::uniform_int_distribution<std::int32_t> pay(-3'000'000, 3'000'000);
    for (const char* text : {"9.150", "0.55", "0.6", "0.5", "0.795", "0.81", "5.72", "4.9255"}) {
        const std::int64_t units = printedUnits(text, 4);  // millionths of one
        const Rate rate = Rate::fromPercent(std::stod(text));
        for (int k = 0; k < 20'000; ++k) {
            const std::int32_t p = pay(random);
            const std::int64_t micros = std::int64_t{p} * units;
            const std::int64_t magnitude = micros < 0 ? -micros : micros;
            const std::int64_t sign = micros < 0 ? -1 : 1;
            const auto from = [&](std::int64_t threshold) {
                return sign * (magnitude / 1'000'000 + (magnitude % 1'000'000 >= threshold));
            };
            ASSERT_EQ(rate.of(Yen(p), Rounding::Premium).value(), from(509'999)) << text << p;
            ASSERT_EQ(rate.of(Yen(p), Rounding::EmploymentInsurance).value(), from(500'999))
                << text << " % of " << p;
        }
    }
}

// Reading a factor once as a Rate changes no product: the same millionths as the product of
// the two doubles, for decimals and for hours typed in minutes (no decimal).
TEST(RoundingSweep, RateProductsEqualTheProductsOfTheStoredDoubles) {
    std::mt19937 random(1320);
    std::uniform_int_distribution<std::int32_t> minutes(0, 300 * 60);
    std::uniform_int_distribution<std::int32_t> hundredths(-30'000, 30'000);
    std::uniform_int_distribution<std::int32_t> unit(-2'000'000, 2'000'000);
    for (int k = 0; k < 200'000; ++k) {
        const double factor = k % 2 == 0 ? minutes(random) / 60.0 : hundredths(random) / 100.0;
        const std::int32_t u = unit(random);
        ASSERT_EQ(Rate::fromDouble(factor).times(Yen(u)).micros, productOf(factor, u).micros)
            << factor << " × " << u;
        const double percent = hundredths(random) / 1'000.0;
        ASSERT_EQ(Rate::fromPercent(percent).times(Yen(u)).micros, percentOf(u, percent).micros)
            << percent << " % of " << u;
    }
}

}  // namespace
}  // namespace keiro::calc
