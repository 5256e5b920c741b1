// The bonus rate lookup against the published bonus tables, and the decision between the
// table and hand entry.
#include "calc/bonus_tax.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "calc/data_csv.h"
#include "calc/tax_table_build.h"
#include "core/fileio.h"

namespace keiro::calc {
namespace {

const YenRounding kTruncate(RoundingSettings{RoundingMode::Truncate, RoundingMode::Truncate,
                                             RoundingMode::Truncate});

DataCsv dataCsv(const std::string& name) {
    return DataCsv(readFile(fs::path(KEIRO_SOURCE_DIR) / "data" / name), name);
}

// The printed rate as the fraction the table stores: 20.420 → 0.2042.
double printedRate(const DataCsv& csv, std::size_t row) {
    const std::string text = csv.text(row, "rate_percent");
    const std::size_t dot = text.find('.');
    std::string decimals = text.substr(dot + 1);
    decimals.resize(3, '0');
    return static_cast<double>(std::stoll(text.substr(0, dot)) * 1000 + std::stoll(decimals)) /
           100'000.0;
}

class BonusRateLookup : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        csv_ = std::make_unique<DataCsv>(dataCsv(GetParam()));
        table_ = BonusTaxTable::fromBytes(buildBonusTaxTable(*csv_), kBonusTaxTableFileName);
    }
    std::unique_ptr<DataCsv> csv_;
    BonusTaxTable table_;
};

TEST_P(BonusRateLookup, EachKouBandGivesItsRateForItsDependents) {
    for (std::size_t row = 0; row < csv_->rowCount(); ++row) {
        for (int d = 0; d < 8; ++d) {
            const std::string column = "kou" + std::to_string(d);
            const auto lower = csv_->optionalInteger(row, column + "_lower");
            if (!lower) continue;
            const std::int32_t upper =
                csv_->optionalInteger(row, column + "_upper").value_or(*lower + 100'000'000);
            for (const std::int32_t p : {*lower, upper - 1}) {
                EXPECT_EQ(table_.LookupBonusRate(p, d, 0), printedRate(*csv_, row))
                    << "P " << p << " dependents " << d;
                if (d == 7) {  // the printed column is 「７人以上」
                    EXPECT_EQ(table_.LookupBonusRate(p, 12, 0), printedRate(*csv_, row));
                }
            }
        }
    }
}

TEST_P(BonusRateLookup, EachOtsuBandGivesItsRateWhateverTheDependents) {
    int bands = 0;
    for (std::size_t row = 0; row < csv_->rowCount(); ++row) {
        const auto lower = csv_->optionalInteger(row, "otsu_lower");
        if (!lower) continue;
        ++bands;
        const std::int32_t upper =
            csv_->optionalInteger(row, "otsu_upper").value_or(*lower + 100'000'000);
        for (const std::int32_t p : {*lower, upper - 1}) {
            for (const int dependents : {0, 3, 9}) {
                EXPECT_EQ(table_.LookupBonusRate(p, dependents, 1), printedRate(*csv_, row)) << p;
            }
        }
    }
    EXPECT_EQ(bands, 5);
}

TEST_P(BonusRateLookup, TheLastRowCatchesEverythingElse) {
    const double top = printedRate(*csv_, csv_->rowCount() - 1);
    EXPECT_EQ(table_.LookupBonusRate(INT32_MAX, 0, 0), top);
    EXPECT_EQ(table_.LookupBonusRate(INT32_MAX, 0, 1), top);
    EXPECT_EQ(table_.LookupBonusRate(-1, 0, 0), top);  // below every band
}

TEST_P(BonusRateLookup, TaxIsTheBonusTimesTheRateRoundedBySetting) {
    // 前月 300,000 with two dependents: 4.084 % (2026) or 4.084 % (2020-2025).
    const double rate = table_.LookupBonusRate(300'000, 2, 0);
    for (const std::int32_t bonus : {0, 1, 12'345, 500'000, 1'234'567}) {
        const auto exact = static_cast<std::int64_t>(bonus) * std::llround(rate * 100'000);
        EXPECT_EQ(table_.LookupBonusTax(300'000, bonus, 2, 0, kTruncate), exact / 100'000);
    }
    const YenRounding round(
        RoundingSettings{RoundingMode::Ceil, RoundingMode::Truncate, RoundingMode::Round});
    // 乙 below the first bound: 10.21 % of 5 = 0.5105 → 1 when rounding half up.
    EXPECT_EQ(table_.LookupBonusTax(100'000, 5, 0, 1, round), 1);
    EXPECT_EQ(table_.LookupBonusTax(100'000, 5, 0, 1, kTruncate), 0);
    EXPECT_EQ(table_.LookupBonusTax(100'000, -50'000, 0, 1, kTruncate), 0);  // never negative
}

INSTANTIATE_TEST_SUITE_P(Periods, BonusRateLookup,
                         ::testing::Values("withholding_bonus_2026.csv",
                                           "withholding_bonus_2020-2025.csv"),
                         [](const auto& info) {
                             return std::string(info.param).find("2026") != std::string::npos
                                        ? "Y2026"
                                        : "Y2020to2025";
                         });

TEST(BonusTaxTableFile, InvalidCountsAndSizesAreRefused) {
    const std::string good = buildBonusTaxTable(dataCsv("withholding_bonus_2026.csv"));
    const auto refused = [](const std::string& bytes) {
        try {
            (void)BonusTaxTable::fromBytes(bytes, kBonusTaxTableFileName);
        } catch (const TableError& e) {
            return std::string(e.what()).find("「税額表(賞与).dat」") != std::string::npos;
        }
        return false;
    };
    EXPECT_TRUE(refused(good.substr(0, good.size() - 1)));
    EXPECT_TRUE(refused(good + 'x'));
    EXPECT_TRUE(refused(""));
    const std::size_t otsuCount = offsetof(BonusTaxTableImage, otsuCount);
    for (const auto& [offset, value] : {std::pair<std::size_t, std::int32_t>{0, 0},
                                        {0, 25},
                                        {0, -1},
                                        {otsuCount, 0},
                                        {otsuCount, 11}}) {
        std::string bytes = good;
        std::memcpy(bytes.data() + offset, &value, sizeof value);
        EXPECT_TRUE(refused(bytes)) << offset << " " << value;
    }
    EXPECT_EQ(BonusTaxTable().LookupBonusTax(300'000, 500'000, 0, 0, kTruncate), 0);
}

// --- the decision --------------------------------------------------------------------------

class BonusIncomeTaxDecision : public ::testing::Test {
  protected:
    SalaryTaxTable salary_ = SalaryTaxTable::fromBytes(
        buildSalaryTaxTable(dataCsv("withholding_monthly_2026.csv"),
                            dataCsv("withholding_monthly_2026_rules.csv"),
                            dataCsv("withholding_monthly_params.csv"), "2026"),
        kSalaryTaxTableFileName);
    BonusTaxTable table_ = BonusTaxTable::fromBytes(
        buildBonusTaxTable(dataCsv("withholding_bonus_2026.csv")), kBonusTaxTableFileName);

    // 前月 300,000 (no dependents: 6.126 %), bonus 500,000, 甲.
    static BonusTaxInput usual() {
        BonusTaxInput in;
        in.taxItemActive = true;
        in.storedTax = 777;
        in.previousMonthAmount = 300'000;
        in.bonusAmount = 500'000;
        return in;
    }
    BonusTaxResult decide(const BonusTaxInput& in, const YenRounding& rounding = kTruncate) const {
        return BonusIncomeTax(in, salary_, table_, rounding);
    }
};

TEST_F(BonusIncomeTaxDecision, UsesTheTableInTheOrdinaryCase) {
    const BonusTaxResult r = decide(usual());
    EXPECT_EQ(r.tax, 30'630);
    EXPECT_FALSE(r.byMonthlyTable);
}

TEST_F(BonusIncomeTaxDecision, AbsentItemGivesNothingAndAManualTaxIsKept) {
    BonusTaxInput in = usual();
    in.manual = true;
    EXPECT_EQ(decide(in).tax, 777);
    EXPECT_FALSE(decide(in).byMonthlyTable);
    in.previousMonthAmount = 0;  // the manual tax stands even where the table could not be used
    EXPECT_EQ(decide(in).tax, 777);
    EXPECT_FALSE(decide(in).byMonthlyTable);
    in.taxItemActive = false;
    EXPECT_EQ(decide(in).tax, 0);
    EXPECT_FALSE(decide(in).byMonthlyTable);
}

TEST_F(BonusIncomeTaxDecision, NoPayTheMonthBeforeOrMoreThanTenTimesItUsesTheMonthlyTable) {
    struct Case {
        std::int32_t previous;
        std::int32_t bonus;
        bool monthlyTable;
    };
    for (const Case& c : {Case{0, 500'000, true}, Case{-10'000, 200'000, true},
                          Case{0, 0, false},  // no bonus: no tax, by either method
                          Case{-10'000, -200'000, false},
                          Case{50'000, 500'000, false},          // exactly ten times: the table
                          Case{50'000, 500'001, true},           // just over ten times
                          Case{INT32_MAX, INT32_MAX, false}}) {  // ten times needs 64 bits
        BonusTaxInput in = usual();
        in.previousMonthAmount = c.previous;
        in.bonusAmount = c.bonus;
        const BonusTaxResult r = decide(in);
        EXPECT_EQ(r.byMonthlyTable, c.monthlyTable) << c.previous << " " << c.bonus;
        if (c.monthlyTable) {
            EXPECT_EQ(r.tax,
                      MonthlyTableBonusTax(salary_, c.previous, c.bonus, 0, 0, 6, kTruncate));
        }
    }
}

// Worked by hand from the 2026 monthly table: one sixth of the bonus on top of the previous
// month's pay, the difference of the two monthly taxes, six times.
TEST_F(BonusIncomeTaxDecision, TheMonthlyTableMethodForBothCasesAndColumns) {
    struct Case {
        std::int32_t previous, bonus, dependents;
        int column, months;
        std::int32_t tax;
    };
    const Case cases[] = {
        // No pay the month before: 1,200,000 ÷ 6 = 200,000: 甲 4,340 (0), 2,730 (1), 乙 19,700.
        {0, 1'200'000, 0, 0, 6, 4'340 * 6},
        {0, 1'200'000, 1, 0, 6, 2'730 * 6},
        {0, 1'200'001, 0, 0, 6, 4'340 * 6},  // the sixth drops its fraction
        {0, 1'200'000, 0, 1, 6, 19'700 * 6},
        // ÷ 12 = 100,000: below the first band, 甲 0; 乙 3.063 % = 3,063.
        {0, 1'200'000, 0, 0, 12, 0},
        {0, 1'200'000, 0, 1, 12, 3'063 * 12},
        // More than ten times 50,000: 50,000 + 300,000 = 350,000: 甲 11,730 less 0; 8,500 with
        // one dependant; 乙 69,800 less 3.063 % of 50,000 (1,531.5 → 1,531).
        {50'000, 1'800'000, 0, 0, 6, 11'730 * 6},
        {50'000, 1'800'000, 1, 0, 6, 8'500 * 6},
        {50'000, 1'800'000, 0, 1, 6, (69'800 - 1'531) * 6},
        // 乙 with a declared dependant: 1,610 off each monthly tax, the smaller kept at 0.
        {50'000, 1'800'000, 1, 1, 6, (69'800 - 1'610) * 6},
    };
    for (const Case& c : cases) {
        BonusTaxInput in = usual();
        in.previousMonthAmount = c.previous;
        in.bonusAmount = c.bonus;
        in.dependents = c.dependents;
        in.column = c.column;
        in.months = c.months;
        const BonusTaxResult r = decide(in);
        EXPECT_TRUE(r.byMonthlyTable);
        EXPECT_EQ(r.tax, c.tax) << c.previous << " " << c.bonus << " column " << c.column << " ÷"
                                << c.months;
    }
    // The deduction rounding applies to the monthly taxes: 1,531.5 rounds to 1,532.
    BonusTaxInput in = usual();
    in.previousMonthAmount = 50'000;
    in.bonusAmount = 1'800'000;
    in.column = 1;
    const YenRounding round(
        RoundingSettings{RoundingMode::Ceil, RoundingMode::Truncate, RoundingMode::Round});
    EXPECT_EQ(decide(in, round).tax, (69'800 - 1'532) * 6);
    // A negative bonus (premiums above the pay) has no tax.
    EXPECT_EQ(MonthlyTableBonusTax(salary_, 0, -600'000, 0, 1, 6, kTruncate), 0);
    EXPECT_EQ(MonthlyTableBonusTax(SalaryTaxTable(), 0, 1'200'000, 0, 0, 6, kTruncate), 0);
}

TEST(BonusTaxMonthlyTableNotice, OneLinePerEmployeeThenTheReason) {
    const std::string one = bonusTaxMonthlyTableNotice({"山田 太郎"});
    EXPECT_TRUE(one.starts_with("山田 太郎さんの賞与の所得税は月額表で計算しました。\n\n"));
    EXPECT_NE(one.find("10倍"), std::string::npos);
    std::vector<std::string> many;
    for (int i = 0; i < 23; ++i) many.push_back("社員" + std::to_string(i));
    const std::string text = bonusTaxMonthlyTableNotice(many);
    EXPECT_NE(text.find("社員19さん"), std::string::npos);
    EXPECT_EQ(text.find("社員20さん"), std::string::npos);
    EXPECT_NE(text.find("ほか 3 名"), std::string::npos);
}

}  // namespace
}  // namespace keiro::calc
