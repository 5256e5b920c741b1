// The salary tax lookup against the published figures themselves: every printed band, every
// breakpoint and amounts between them worked out from the rules file, for both periods, with
// and without the extension; and the refusal of damaged table files.
#include "calc/tax_tables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "calc/table_seal.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "calc/data_csv.h"
#include "calc/tax_table_build.h"
#include "core/fileio.h"
#include "tests/support/temp_folder.h"

namespace keiro::calc {
namespace {

using ::testing::HasSubstr;

constexpr int kPerDependent = 1610;
const int kDependents[] = {0, 1, 2, 3, 4, 5, 6, 7, 9};

DataCsv dataCsv(const std::string& name) {
    return DataCsv(readFile(fs::path(KEIRO_SOURCE_DIR) / "data" / name), name);
}

const YenRounding kTruncate(RoundingSettings{RoundingMode::Truncate, RoundingMode::Truncate,
                                             RoundingMode::Truncate});

// A rule of the rules file, read here independently of the builder: tax = base + (A − from) ×
// rate, with the rate kept in thousandths of a percent so the expectation is exact.
struct PublishedRule {
    std::int32_t from = 0;
    std::optional<std::int32_t> to;
    std::int64_t rate = 0;  // thousandths of a percent
    std::int32_t base[8] = {};
};

std::int64_t thousandthsOfPercent(const std::string& text) {
    const std::size_t dot = text.find('.');
    std::string decimals = dot == std::string::npos ? "" : text.substr(dot + 1);
    decimals.resize(3, '0');
    return std::stoll(text.substr(0, dot)) * 1000 + std::stoll(decimals);
}

// What the rules give at an amount: exact, and whether the fraction is so close to the next
// yen that the single-precision reduction of the product may reach it.
struct Expected {
    std::int64_t tax;
    bool nearNextYen;
};

struct Period {
    std::string name;
    std::string monthlyFile;
    std::string rulesFile;
    std::int32_t firstBand;
};

void PrintTo(const Period& period, std::ostream* out) {
    *out << period.name;
}

// One period's published figures and the table built from them.
struct Published {
    explicit Published(const Period& period)
        : monthly(dataCsv(period.monthlyFile)), firstBand(period.firstBand) {
        const DataCsv rules = dataCsv(period.rulesFile);
        bytes = buildSalaryTaxTable(monthly, rules, dataCsv("withholding_monthly_params.csv"),
                                    period.name);
        full = SalaryTaxTable::fromBytes(bytes, kSalaryTaxTableFileName);
        plain = SalaryTaxTable::fromBytes(bytes.substr(0, kSalaryTableFixedSize),
                                          kSalaryTaxTableFileName);
        for (std::size_t row = 0; row < rules.rowCount(); ++row) {
            PublishedRule rule;
            rule.from = rules.integer(row, "from");
            rule.to = rules.optionalInteger(row, "to");
            rule.rate = thousandthsOfPercent(rules.text(row, "rate_percent"));
            const bool isKou = rules.text(row, "column") == "kou";
            for (int d = 0; d < 8; ++d) {
                rule.base[d] = rules.integer(row, isKou ? "base" + std::to_string(d) : "base0");
            }
            (isKou ? kou : otsu).push_back(rule);
        }
    }

    static Expected byRule(const PublishedRule& rule, std::int32_t amount, int d) {
        const std::int64_t product = (std::int64_t{amount} - rule.from) * rule.rate;
        return {rule.base[d] + product / 100'000, product % 100'000 >= 96'000};
    }

    static const PublishedRule& ruleAt(const std::vector<PublishedRule>& rules,
                                       std::int32_t amount) {
        const PublishedRule* found = &rules.front();
        for (const PublishedRule& rule : rules) {
            if (rule.from <= amount) found = &rule;
        }
        return *found;
    }

    // The published tax before the dependents adjustments, for amounts from the end of the
    // printed bands on (乙 also below the first band).
    Expected kouTax(std::int32_t amount, int dependents) const {
        return byRule(ruleAt(kou, amount), amount, std::min(dependents, 7));
    }
    Expected otsuTax(std::int32_t amount) const { return byRule(ruleAt(otsu, amount), amount, 0); }

    DataCsv monthly;
    std::int32_t firstBand;
    std::string bytes;
    SalaryTaxTable full;
    SalaryTaxTable plain;
    std::vector<PublishedRule> kou;
    std::vector<PublishedRule> otsu;
};

std::int64_t adjusted(std::int64_t tax, int column, int dependents) {
    const std::int64_t off =
        column == 0 ? std::max(dependents - 7, 0) * kPerDependent : dependents * kPerDependent;
    return std::max<std::int64_t>(tax - off, 0);
}

void expectTax(const SalaryTaxTable& table, std::int32_t amount, int column, int dependents,
               const Expected& expected) {
    const std::int64_t want = adjusted(expected.tax, column, dependents);
    const std::int32_t got = table.LookupSalaryTax(amount, column, dependents, kTruncate);
    if (expected.nearNextYen) {
        EXPECT_TRUE(got == want || got == want + 1)
            << "amount " << amount << " column " << column << " dependents " << dependents;
    } else {
        EXPECT_EQ(got, want) << "amount " << amount << " column " << column << " dependents "
                             << dependents;
    }
}

// Amounts inside a rule's range: its start, just after, the middle and the last yen; for the
// open-ended last rule, up to two million yen above its start.
std::vector<std::int32_t> amountsIn(const PublishedRule& rule) {
    const std::int32_t end = rule.to.value_or(rule.from + 2'000'001);
    return {rule.from,
            rule.from + 1,
            rule.from + 7,
            rule.from + (end - rule.from) / 2,
            rule.from + (end - rule.from) / 3 + 1,
            end - 1};
}

class SalaryTaxLookup : public ::testing::TestWithParam<Period> {
  protected:
    static const Published& published() {
        static std::vector<std::unique_ptr<Published>> cache;
        for (const auto& p : cache) {
            if (p->firstBand == GetParam().firstBand) return *p;
        }
        cache.push_back(std::make_unique<Published>(GetParam()));
        return *cache.back();
    }
};

TEST_P(SalaryTaxLookup, EveryPrintedBandGivesItsCellAfterTheDependentsAdjustment) {
    const Published& p = published();
    const DataCsv& m = p.monthly;
    for (std::size_t row = 1; row < m.rowCount(); ++row) {
        for (const std::int32_t amount : {m.integer(row, "lower"), m.integer(row, "upper") - 1}) {
            for (const int dependents : kDependents) {
                const int d = std::min(dependents, 7);
                const Expected kou{m.integer(row, "kou" + std::to_string(d)), false};
                const Expected otsu{m.integer(row, "otsu"), false};
                for (const SalaryTaxTable* table : {&p.full, &p.plain}) {
                    expectTax(*table, amount, 0, dependents, kou);
                    expectTax(*table, amount, 1, dependents, otsu);
                }
            }
        }
    }
}

TEST_P(SalaryTaxLookup, BelowTheFirstBandKouIsNothingAndOtsuTheLowRate) {
    const Published& p = published();
    for (const std::int32_t amount : {0, 1, 999, 33'333, 50'001, p.firstBand - 1}) {
        for (const int dependents : {0, 2, 9}) {
            for (const SalaryTaxTable* table : {&p.full, &p.plain}) {
                expectTax(*table, amount, 0, dependents, {0, false});
                expectTax(*table, amount, 1, dependents, p.otsuTax(amount));
            }
        }
    }
    // 3.063 % of 50,000 is 1,531.5: the deduction setting decides.
    const YenRounding round(
        RoundingSettings{RoundingMode::Truncate, RoundingMode::Truncate, RoundingMode::Round});
    EXPECT_EQ(p.full.LookupSalaryTax(50'000, 1, 0, round), 1532);
    EXPECT_EQ(p.full.LookupSalaryTax(50'000, 1, 0, kTruncate), 1531);
}

TEST_P(SalaryTaxLookup, WithTheExtensionEveryRuleIsFollowed) {
    const Published& p = published();
    for (const PublishedRule& rule : p.kou) {
        for (const std::int32_t amount : amountsIn(rule)) {
            for (const int dependents : kDependents) {
                expectTax(p.full, amount, 0, dependents, p.kouTax(amount, dependents));
            }
        }
    }
    for (const PublishedRule& rule : p.otsu) {
        if (rule.from < p.kou.front().from) continue;  // below the first band: tested above
        for (const std::int32_t amount : amountsIn(rule)) {
            for (const int dependents : {0, 1, 2, 9}) {
                expectTax(p.full, amount, 1, dependents, p.otsuTax(amount));
            }
        }
    }
}

TEST_P(SalaryTaxLookup, ABreakpointAmountTakesThePrintedTaxNotTheFormula) {
    const Published& p = published();
    for (std::size_t i = 0; i < p.kou.size(); ++i) {
        const PublishedRule& rule = p.kou[i];
        for (const int d : {0, 7}) {
            EXPECT_EQ(p.full.LookupSalaryTax(rule.from, 0, d, kTruncate), rule.base[d]);
            if (i < 4) {
                EXPECT_EQ(p.plain.LookupSalaryTax(rule.from, 0, d, kTruncate), rule.base[d]);
            }
        }
    }
    for (const PublishedRule& rule : p.otsu) {
        if (rule.from > 0) {
            EXPECT_EQ(p.full.LookupSalaryTax(rule.from, 1, 0, kTruncate), rule.base[0]);
        }
    }
}

TEST_P(SalaryTaxLookup, WithoutTheExtensionExactUpToTheFifthKouAndSecondOtsuBreakpoint) {
    const Published& p = published();
    const PublishedRule& fifthKou = p.kou[4];
    const PublishedRule& lastOtsu = p.otsu.back();
    for (std::size_t i = 0; i < 4; ++i) {
        for (const std::int32_t amount : amountsIn(p.kou[i])) {
            for (const int dependents : kDependents) {
                expectTax(p.plain, amount, 0, dependents, p.kouTax(amount, dependents));
            }
            if (amount <= lastOtsu.from) {
                for (const int dependents : {0, 2}) {
                    expectTax(p.plain, amount, 1, dependents, p.otsuTax(amount));
                }
            }
        }
    }
    // Past those points the four breakpoints of the fixed part no longer describe the table:
    // 甲 goes on at the fourth breakpoint's rate although the printed tax steps up, and 乙
    // keeps the rate from the third breakpoint instead of the printed tax and higher rate.
    const std::int32_t kouAmount = fifthKou.from;
    const Expected stale = Published::byRule(p.kou[3], kouAmount, 0);
    EXPECT_EQ(p.plain.LookupSalaryTax(kouAmount, 0, 0, kTruncate), stale.tax);
    EXPECT_NE(stale.tax, fifthKou.base[0]);
    EXPECT_EQ(p.full.LookupSalaryTax(kouAmount, 0, 0, kTruncate), fifthKou.base[0]);

    const std::int32_t otsuAmount = lastOtsu.from + 1;
    const Expected staleOtsu = Published::byRule(p.otsu[1], otsuAmount, 0);
    EXPECT_EQ(p.plain.LookupSalaryTax(otsuAmount, 1, 0, kTruncate), staleOtsu.tax);
    EXPECT_NE(staleOtsu.tax, p.otsuTax(otsuAmount).tax);
    EXPECT_EQ(p.full.LookupSalaryTax(otsuAmount, 1, 0, kTruncate), p.otsuTax(otsuAmount).tax);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, SalaryTaxLookup,
    ::testing::Values(Period{"2026", "withholding_monthly_2026.csv",
                             "withholding_monthly_2026_rules.csv", 105'000},
                      Period{"2020-2025", "withholding_monthly_2020-2025.csv",
                             "withholding_monthly_2020-2025_rules.csv", 88'000}),
    [](const auto& info) { return "From" + std::to_string(info.param.firstBand); });

// --- hand-made tables ----------------------------------------------------------------------

// A small table: two bands, breakpoints at 1,000 / 2,000 / 3,000 / 4,000.
SalaryTaxTableImage smallImage() {
    SalaryTaxTableImage t{};
    t.rowCount = 6;
    t.rows[0] = {100, 500, {50, 40, 30, 20, 10, 5, 3, 2000}, 60};
    t.rows[1] = {500, 1000, {80, 70, 60, 50, 40, 30, 20, 3000}, 90};
    int32_t base = 100;
    for (int i = 0; i < 4; ++i, base += 100) {
        t.rows[2 + i] = {1000 * (i + 1), 1000 * (i + 1) + 1, {base, 0, 0, 0, 0, 0, 0, base}, base};
    }
    t.kouRate1 = 0.1;
    t.kouRate2 = 0.2;
    t.kouRate3 = 0.3;
    t.kouRate4 = 0.4;
    t.otsuRateLow = 0.5;
    t.otsuRate1 = 0.25;
    t.otsuRate2 = 0.75;
    t.kouPerDependent = 1000;
    t.otsuPerDependent = 10;
    return t;
}

std::string bytesOf(const SalaryTaxTableImage& image) {
    return std::string(reinterpret_cast<const char*>(&image), sizeof image);
}

TEST(SalaryTaxTable, FollowsTheFourBreakpointsOfTheFixedPart) {
    const SalaryTaxTable table = SalaryTaxTable::fromBytes(bytesOf(smallImage()), "t");
    const auto kou = [&](int a, int d = 0) { return table.LookupSalaryTax(a, 0, d, kTruncate); };
    const auto otsu = [&](int a, int d = 0) { return table.LookupSalaryTax(a, 1, d, kTruncate); };
    EXPECT_EQ(kou(99), 0);
    EXPECT_EQ(otsu(99), 49);
    EXPECT_EQ(kou(100), 50);
    EXPECT_EQ(kou(999, 7), 3000);
    EXPECT_EQ(kou(1000), 100);
    EXPECT_EQ(kou(1500), 100 + 50);
    EXPECT_EQ(kou(2000), 200);
    EXPECT_EQ(kou(2500), 200 + 100);
    EXPECT_EQ(kou(3500), 300 + 150);
    EXPECT_EQ(kou(5000), 400 + 400);
    EXPECT_EQ(otsu(1500), 100 + 125);
    EXPECT_EQ(otsu(2000), 200);        // the row, not the formula
    EXPECT_EQ(otsu(2500), 100 + 375);  // still from T1
    EXPECT_EQ(otsu(3500), 300 + 375);  // from T3
    EXPECT_EQ(otsu(5000), 300 + 1500);
    // Dependents: 甲 beyond seven, 乙 every one; never below zero.
    EXPECT_EQ(kou(999, 9), 3000 - 2000);
    EXPECT_EQ(kou(999, 12), 0);
    EXPECT_EQ(otsu(1500, 2), 225 - 20);
    EXPECT_EQ(otsu(100, 100), 0);
    EXPECT_EQ(kou(999, -3), 80);  // a negative count counts as none
    EXPECT_EQ(otsu(100, -3), 60);
    // Any column other than 0 is 乙.
    EXPECT_EQ(table.LookupSalaryTax(100, 2, 0, kTruncate), 60);
}

TEST(SalaryTaxTable, RowsOutOfOrderAreScannedInOrder) {
    SalaryTaxTableImage t = smallImage();
    t.rows[0] = {100, 800, {9}, 9};
    t.rows[1] = {50, 1000, {7}, 7};  // overlaps the row before
    const SalaryTaxTable table = SalaryTaxTable::fromBytes(bytesOf(t), "t");
    EXPECT_EQ(table.LookupSalaryTax(600, 0, 0, kTruncate), 9);  // the first row holding it
    EXPECT_EQ(table.LookupSalaryTax(900, 0, 0, kTruncate), 7);
    EXPECT_EQ(table.LookupSalaryTax(60, 0, 0, kTruncate), 0);  // below the first row
}

TEST(SalaryTaxTable, ExtremeAmountsAndGarbageRatesDoNotOverflow) {
    SalaryTaxTableImage t = smallImage();
    t.kouRate4 = 1e300;
    t.rows[5].kou[0] = 2'000'000'000;
    t.kouPerDependent = -2'000'000'000;
    const SalaryTaxTable table = SalaryTaxTable::fromBytes(bytesOf(t), "t");
    EXPECT_EQ(table.LookupSalaryTax(INT32_MAX, 0, 0, kTruncate), INT32_MAX);
    EXPECT_EQ(table.LookupSalaryTax(INT32_MAX, 0, INT32_MAX, kTruncate), INT32_MAX);
    EXPECT_EQ(table.LookupSalaryTax(INT32_MIN, 0, 0, kTruncate), 0);
    EXPECT_EQ(table.LookupSalaryTax(INT32_MIN, 1, INT32_MAX, kTruncate), 0);
}

// --- refusing damaged files --------------------------------------------------------------

std::string builtSalaryTable() {
    return buildSalaryTaxTable(dataCsv("withholding_monthly_2026.csv"),
                               dataCsv("withholding_monthly_2026_rules.csv"),
                               dataCsv("withholding_monthly_params.csv"), "2026");
}

void expectRefused(std::string_view bytes, std::string_view detail) {
    try {
        (void)SalaryTaxTable::fromBytes(bytes, kSalaryTaxTableFileName);
        ADD_FAILURE() << "accepted: " << detail;
    } catch (const TableError& e) {
        EXPECT_THAT(e.what(), HasSubstr("「税額表(給与).dat」")) << detail;
        EXPECT_THAT(e.what(), HasSubstr(std::string(detail)));
    }
}

template <typename T>
void put(std::string& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

// Puts the checksum right again after the extension has been changed.
void reseal(std::string& bytes) {
    const std::size_t body = bytes.size() - kSalaryTableFixedSize - 4;
    put(bytes, bytes.size() - 4,
        fnv1a32(std::string_view(bytes).substr(kSalaryTableFixedSize, body)));
}

TEST(SalaryTaxTableFile, RowCountOutsideFourToThreeHundredEightyIsRefused) {
    std::string bytes = builtSalaryTable();
    for (const std::int32_t count : {-1, 0, 3, 381, INT32_MAX}) {
        put(bytes, 0, count);
        expectRefused(bytes, "行数 " + std::to_string(count));
    }
    for (const std::int32_t count : {4, 380}) {
        put(bytes, 0, count);
        EXPECT_NO_THROW((void)SalaryTaxTable::fromBytes(bytes, "t"));
    }
}

TEST(SalaryTaxTableFile, TruncatedOrDamagedExtensionIsRefused) {
    const std::string good = builtSalaryTable();
    const std::size_t ext = kSalaryTableFixedSize;
    expectRefused("", "途中で切れています（0 バイト）");
    expectRefused(good.substr(0, ext - 1), "途中で切れています（16787 バイト）");
    expectRefused(good.substr(0, ext + 5), "見出しが途中で切れています");
    expectRefused(good.substr(0, good.size() - 1), "大きさが件数と合いません");
    expectRefused(good + '\0', "大きさが件数と合いません");

    std::string bytes = good;
    bytes[ext] = 'X';
    expectRefused(bytes, "識別子が違います");
    bytes = good;
    bytes[ext + 20] ^= 1;  // inside the first breakpoint
    expectRefused(bytes, "検査値が合いません");
    bytes = good;
    put<std::uint32_t>(bytes, ext + 4, 2);
    expectRefused(bytes, "版 2 には対応していません");
    for (const auto& [kou, otsu] : {std::pair<std::uint32_t, std::uint32_t>{33, 2},
                                    {0, 2},
                                    {9, 33},
                                    {0xFFFFFFFF, 0xFFFFFFFF}}) {
        bytes = good;
        put(bytes, ext + 8, kou);
        put(bytes, ext + 12, otsu);
        expectRefused(bytes, "区切りの件数が範囲外です");
    }
    // Well sealed but unusable: breakpoints out of order, a rate above 100 %.
    bytes = good;
    put<std::int32_t>(bytes, ext + 16 + 44, 0);  // second 甲 breakpoint's start
    reseal(bytes);
    expectRefused(bytes, "区切りが昇順に並んでいません");
    bytes = good;
    put<double>(bytes, ext + 16 + 4, 1.5);
    reseal(bytes);
    expectRefused(bytes, "税率が正しくありません");
}

TEST(SalaryTaxTableFile, LoadsFromFileAndGivesNothingOnceTheFileIsGone) {
    testing_support::TempFolder folder("keiro-tax-tables");
    const fs::path path = folder / std::string(kSalaryTaxTableFileName);
    writeFileAtomic(path, sealTable(builtSalaryTable()));
    SalaryTaxTable table = SalaryTaxTable::fromFile(path);
    EXPECT_TRUE(table.hasExtension());
    EXPECT_EQ(table.path(), path);
    EXPECT_EQ(table.LookupSalaryTax(300'000, 0, 2, kTruncate), 4'700);

    const std::string kept = readFile(path);
    fs::remove(path);
    EXPECT_EQ(table.LookupSalaryTax(300'000, 0, 2, kTruncate), 4'700);  // not looked at yet
    table.refreshFilePresence();
    EXPECT_FALSE(table.filePresent());
    EXPECT_EQ(table.LookupSalaryTax(300'000, 0, 2, kTruncate), 0);
    writeFileAtomic(path, kept);
    table.refreshFilePresence();
    EXPECT_EQ(table.LookupSalaryTax(300'000, 0, 2, kTruncate), 4'700);

    EXPECT_EQ(SalaryTaxTable().LookupSalaryTax(300'000, 0, 0, kTruncate), 0);
    EXPECT_THROW((void)SalaryTaxTable::fromFile(folder / "none.dat"), IoError);
    writeFileAtomic(path, std::string(kSalaryTableFixedSize + kSalaryExtensionMaxSize + 1, 'x'));
    EXPECT_THROW((void)SalaryTaxTable::fromFile(path), TableError);
}

TEST(LoadTaxTables, CountsWhatLoadedAndReportsWhatCouldNot) {
    testing_support::TempFolder folder("keiro-tax-tables");
    const Places places = placesUnder(folder / "root", folder.path());
    TableLoadReport report;
    TaxTables tables = LoadTaxTables(places, report);
    EXPECT_EQ(report.loaded, 0);
    ASSERT_EQ(report.problems.size(), 2u);  // both named as missing
    EXPECT_EQ(report.problems[0], "表データファイル「税額表(給与).dat」がありません。");
    EXPECT_EQ(report.problems[1], "表データファイル「税額表(賞与).dat」がありません。");
    EXPECT_FALSE(tables.salary.loaded());

    writeFileAtomic(folder / std::string(kSalaryTaxTableFileName), sealTable(builtSalaryTable()));
    writeFileAtomic(folder / std::string(kBonusTaxTableFileName), std::string(1000, '\0'));
    report = {};
    tables = LoadTaxTables(places, report);
    EXPECT_EQ(report.loaded, 1);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_THAT(report.problems[0], HasSubstr("「税額表(賞与).dat」"));
    EXPECT_TRUE(tables.salary.loaded());
    EXPECT_FALSE(tables.bonus.loaded());
}

}  // namespace
}  // namespace keiro::calc
