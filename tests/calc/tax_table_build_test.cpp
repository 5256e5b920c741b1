// Building the table files from the published CSVs: the layout of what is built, the refusal
// of malformed figures, and the checker on sound and damaged files.
#include "calc/tax_table_build.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "calc/table_seal.h"

#include <cstring>
#include <string>

#include "calc/table_images.h"
#include "calc/tax_tables.h"
#include "core/fileio.h"

namespace keiro::calc {
namespace {

using ::testing::HasSubstr;

std::string dataText(const std::string& name) {
    return readFile(fs::path(KEIRO_SOURCE_DIR) / "data" / name);
}

// The file's text with `from` replaced by `to` (which must occur).
std::string edited(const std::string& name, const std::string& from, const std::string& to) {
    std::string text = dataText(name);
    const std::size_t at = text.find(from);
    if (at == std::string::npos) throw std::logic_error("not in " + name + ": " + from);
    return text.replace(at, from.size(), to);
}

struct SalarySources {
    std::string monthly = dataText("withholding_monthly_2026.csv");
    std::string rules = dataText("withholding_monthly_2026_rules.csv");
    std::string params = dataText("withholding_monthly_params.csv");
    std::string period = "2026";

    std::string build() const {
        return buildSalaryTaxTable(DataCsv(monthly, "monthly"), DataCsv(rules, "rules"),
                                   DataCsv(params, "params"), period);
    }
};

std::string salaryTable(const std::string& period) {
    SalarySources s;
    s.period = period;
    if (period != "2026") {
        s.monthly = dataText("withholding_monthly_" + period + ".csv");
        s.rules = dataText("withholding_monthly_" + period + "_rules.csv");
    }
    return s.build();
}

SalaryTaxTableImage imageOf(const std::string& bytes) {
    SalaryTaxTableImage image;
    std::memcpy(&image, bytes.data(), sizeof image);
    return image;
}

struct BreakpointRow {
    std::int32_t amount;
    std::int32_t kou0;
    std::int32_t kou7;
    std::int32_t otsu;
};

struct SalaryLayout {
    std::string period;
    std::int32_t rowCount;
    std::int32_t firstBand;
    BreakpointRow breakpoints[4];
    double kouRates[4];
    std::uint32_t extensionKou;
};

void PrintTo(const SalaryLayout& layout, std::ostream* out) {
    *out << layout.period;
}

class SalaryTableLayout : public ::testing::TestWithParam<SalaryLayout> {};

TEST_P(SalaryTableLayout, HoldsTheBandsTheFourBreakpointsAndEveryRuleInTheExtension) {
    const SalaryLayout& want = GetParam();
    const std::string bytes = salaryTable(want.period);
    const SalaryTaxTableImage t = imageOf(bytes);
    ASSERT_EQ(t.rowCount, want.rowCount);
    EXPECT_EQ(t.rows[0].lower, want.firstBand);
    EXPECT_EQ(t.rows[t.rowCount - 5].upper, 740'000);
    for (int i = 0; i < 4; ++i) {
        const SalaryTaxRow& row = t.rows[t.rowCount - 4 + i];
        const BreakpointRow& bp = want.breakpoints[i];
        EXPECT_EQ(row.lower, bp.amount);
        EXPECT_EQ(row.upper, bp.amount + 1);
        EXPECT_EQ(row.kou[0], bp.kou0);
        EXPECT_EQ(row.kou[7], bp.kou7);
        EXPECT_EQ(row.otsu, bp.otsu) << bp.amount;
    }
    EXPECT_EQ(+t.kouRate1, want.kouRates[0]);
    EXPECT_EQ(+t.kouRate2, want.kouRates[1]);
    EXPECT_EQ(+t.kouRate3, want.kouRates[2]);
    EXPECT_EQ(+t.kouRate4, want.kouRates[3]);
    EXPECT_EQ(+t.otsuRateLow, 0.03063);
    EXPECT_EQ(+t.otsuRate1, 0.4084);
    EXPECT_EQ(+t.otsuRate2, 0.4084);
    EXPECT_EQ(t.kouPerDependent, 1610);
    EXPECT_EQ(t.otsuPerDependent, 1610);

    SalaryExtension extension;
    ASSERT_EQ(
        parseSalaryExtension(std::string_view(bytes).substr(kSalaryTableFixedSize), extension), "");
    EXPECT_EQ(extension.kou.size(), want.extensionKou);
    EXPECT_EQ(extension.kou[0].from, 740'000);
    EXPECT_EQ(extension.kou.back().from, 3'500'000);
    EXPECT_EQ(+extension.kou.back().rate, 0.45945);
    ASSERT_EQ(extension.otsu.size(), 2u);  // from the end of the table; not the low rule
    EXPECT_EQ(extension.otsu[0].from, 740'000);
    EXPECT_EQ(extension.otsu[1].from, want.breakpoints[3].amount);
    EXPECT_EQ(extension.otsu[1].tax[0], want.breakpoints[3].otsu);
    EXPECT_EQ(extension.otsu[1].tax[7], want.breakpoints[3].otsu);
    EXPECT_EQ(bytes.size(), kSalaryTableFixedSize + 16 + (want.extensionKou + 2) * 44 + 4);

    const TableCheck check = checkSalaryTaxTable(sealTable(bytes));
    EXPECT_TRUE(check.ok()) << ::testing::PrintToString(check.faults);
    EXPECT_TRUE(checkSalaryTaxTable(sealTable(bytes.substr(0, kSalaryTableFixedSize))).ok());
}

INSTANTIATE_TEST_SUITE_P(Periods, SalaryTableLayout,
                         ::testing::Values(SalaryLayout{"2026",
                                                        235,
                                                        105'000,
                                                        {{740'000, 71'680, 26'410, 259'200},
                                                         {790'000, 81'890, 36'620, 279'620},
                                                         {960'000, 121'820, 76'540, 349'048},
                                                         {1'710'000, 374'520, 329'240, 655'400}},
                                                        {0.2042, 0.23483, 0.33693, 0.4084},
                                                        9},
                                           SalaryLayout{"2020-2025",
                                                        249,
                                                        88'000,
                                                        {{740'000, 73'390, 28'120, 259'800},
                                                         {780'000, 81'560, 36'290, 276'136},
                                                         {950'000, 121'480, 76'210, 345'564},
                                                         {1'700'000, 374'180, 328'910, 651'900}},
                                                        {0.2042, 0.23483, 0.33693, 0.4084},
                                                        8}),
                         [](const auto& info) {
                             return "From" + std::to_string(info.param.firstBand);
                         });

struct BadSalarySource {
    const char* what;
    std::string SalarySources::*file;
    std::string from;
    std::string to;
};

void PrintTo(const BadSalarySource& bad, std::ostream* out) {
    *out << bad.what;
}

class MalformedSalarySources : public ::testing::TestWithParam<BadSalarySource> {};

TEST_P(MalformedSalarySources, AreRefused) {
    const BadSalarySource& bad = GetParam();
    SalarySources s;
    std::string& text = s.*bad.file;
    const std::size_t at = text.find(bad.from);
    ASSERT_NE(at, std::string::npos) << bad.from;
    text.replace(at, bad.from.size(), bad.to);
    EXPECT_THROW((void)s.build(), DataError) << bad.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedSalarySources,
    ::testing::Values(
        BadSalarySource{"gap between bands", &SalarySources::monthly, "\n107000,", "\n107001,"},
        BadSalarySource{"empty band", &SalarySources::monthly, "105000,107000", "105000,105000"},
        BadSalarySource{"cell not a number", &SalarySources::monthly, ",170,", ",17x,"},
        BadSalarySource{"empty tax cell", &SalarySources::monthly, ",3800\n", ",\n"},
        BadSalarySource{"table not ending at 740,000", &SalarySources::monthly, "737000,740000",
                        "737000,741000"},
        BadSalarySource{"first row not 0..first band", &SalarySources::monthly, "\n0,105000",
                        "\n0,104000"},
        BadSalarySource{"missing column", &SalarySources::monthly, ",otsu\n", ",otsux\n"},
        BadSalarySource{"kou rules not contiguous", &SalarySources::rules, "kou,790000,960000",
                        "kou,790001,960000"},
        BadSalarySource{"last kou rule with an end", &SalarySources::rules, "kou,3500000,,",
                        "kou,3500000,9999999,"},
        BadSalarySource{"unknown column", &SalarySources::rules, "otsu,740000", "hei,740000"},
        BadSalarySource{"rate not a percentage", &SalarySources::rules, ",20.42,", ",20.4.2,"},
        BadSalarySource{"rate above 100 %", &SalarySources::rules, ",20.42,", ",120.42,"},
        BadSalarySource{"rate with too many decimals", &SalarySources::rules, ",20.42,",
                        ",20.4200001,"},
        BadSalarySource{"kou rules not starting at the table's end", &SalarySources::rules,
                        "kou,740000,790000", "kou,730000,790000"},
        BadSalarySource{"fewer than four kou rules", &SalarySources::rules,
                        "kou,740000,790000,20.42,71680,65210,58750,52290,45810,39350,32890,"
                        "26410\nkou,790000,960000,23.483,81890,75420,68960,62500,56020,49560,"
                        "43100,36620\nkou,960000,1710000,33.693,121820,115340,108880,102420,"
                        "95940,89480,83020,76540\nkou,1710000,2130000,40.84,374520,368040,"
                        "361580,355120,348640,342180,335720,329240\nkou,2130000,2170000,40.84,"
                        "549440,542970,536500,530040,523570,517110,510640,504170\nkou,2170000,"
                        "2210000,40.84,571220,564750,558280,551820,545350,538880,532420,525950\n"
                        "kou,2210000,2250000,40.84,593000,586520,580060,573600,567120,560660,"
                        "554200,547730\nkou,2250000,3500000",
                        "kou,740000,3500000"},
        BadSalarySource{"otsu rule inside the bands", &SalarySources::rules, "otsu,740000",
                        "otsu,500000"},
        BadSalarySource{"low otsu rate not the params' rate", &SalarySources::rules,
                        "otsu,0,105000,3.063", "otsu,0,105000,3.064"},
        BadSalarySource{"params without the period", &SalarySources::params, "\n2026,",
                        "\n2027,"}));

TEST(BonusTableBuild, HoldsEveryRateWithItsBandsAndTheCatchAllRows) {
    const std::string bytes =
        buildBonusTaxTable(DataCsv(dataText("withholding_bonus_2026.csv"), "b"));
    ASSERT_EQ(bytes.size(), kBonusTableSize);
    BonusTaxTableImage t;
    std::memcpy(&t, bytes.data(), sizeof t);
    ASSERT_EQ(t.kouCount, 21);
    EXPECT_EQ(+t.kouRows[0].rate, 0.0);
    EXPECT_EQ(+t.kouRows[1].rate, 0.02042);
    EXPECT_EQ(t.kouRows[1].band[1].lower, 107'000);
    EXPECT_EQ(t.kouRows[1].band[1].upper, 250'000);
    EXPECT_EQ(+t.kouRows[20].rate, 0.45945);
    EXPECT_EQ(t.kouRows[20].band[7].lower, 3'717'000);
    EXPECT_EQ(t.kouRows[20].band[7].upper, INT32_MAX);
    ASSERT_EQ(t.otsuCount, 5);
    const double otsuRates[] = {0.1021, 0.2042, 0.3063, 0.38798, 0.45945};
    const std::int32_t otsuUppers[] = {224'000, 295'000, 527'000, 1'118'000, INT32_MAX};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(+t.otsuRows[i].rate, otsuRates[i]);
        EXPECT_EQ(t.otsuRows[i].upper, otsuUppers[i]);
    }
    EXPECT_TRUE(checkBonusTaxTable(sealTable(bytes)).ok());
    EXPECT_TRUE(checkBonusTaxTable(sealTable(buildBonusTaxTable(
                                       DataCsv(dataText("withholding_bonus_2020-2025.csv"), "b"))))
                    .ok());
}

TEST(BonusTableBuild, AnEmptyBandNeverMatches) {
    // Take the 2.042 % row's band away from the column for one dependent.
    const std::string text = edited("withholding_bonus_2026.csv",
                                    "2.042,82000,94000,107000,250000,", "2.042,82000,94000,,,");
    const std::string bytes = buildBonusTaxTable(DataCsv(text, "b"));
    BonusTaxTableImage t;
    std::memcpy(&t, bytes.data(), sizeof t);
    EXPECT_EQ(t.kouRows[1].band[1].lower, 0);
    EXPECT_EQ(t.kouRows[1].band[1].upper, 0);
    // The checker reports the hole this leaves in that column.
    const TableCheck check = checkBonusTaxTable(sealTable(bytes));
    ASSERT_EQ(check.faults.size(), 1u);
    EXPECT_THAT(check.faults[0], HasSubstr("扶養 1 人"));
}

TEST(BonusTableBuild, MalformedSourcesAreRefused) {
    const std::string name = "withholding_bonus_2026.csv";
    const std::string cases[] = {
        edited(name, "0.000,0,82000", "0.000,,82000"),           // upper without lower
        edited(name, "2.042,82000,94000", "2.042,82000,"),       // open band before the end
        edited(name, "2.042,82000,94000", "2.042,94000,82000"),  // empty band
        edited(name, "295000,527000", "296000,527000"),          // 乙 bands with a gap
        edited(name, ",1118000,\n", ",1118000,2000000\n"),       // last 乙 row with an end
        edited(name, "\n2.042,", "\n2.0x2,"),                    // rate not a number
        edited(name,
               "10.210,342000,372000,373000,401000,400000,426000,424000,452000,452000,"
               "477000,479000,503000,505000,527000,529000,552000,0,224000",
               "10.210,342000,372000,373000,401000,400000,426000,424000,452000,452000,"
               "477000,479000,503000,505000,527000,529000,552000,,"),  // no 乙 row from 0
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_THROW((void)buildBonusTaxTable(DataCsv(cases[i], "b")), DataError) << i;
    }
    std::string many = dataText(name);
    const std::string row =
        "45.945,3495000,,3527000,,3559000,,3590000,,3622000,,3654000,,"
        "3685000,,3717000,,1118000,\n";
    many = many.substr(0, many.find(row));
    for (int i = 0; i < 4; ++i) {
        many += "0.000,0,1,0,1,0,1,0,1,0,1,0,1,0,1,0,1,,\n";
    }
    many += row;  // 25 rows
    EXPECT_THROW((void)buildBonusTaxTable(DataCsv(many, "b")), DataError);
}

// --- the checker on damaged files ----------------------------------------------------------

template <typename T>
void put(std::string& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

std::size_t rowOffset(int row) {
    return 4 + row * sizeof(SalaryTaxRow);
}

TEST(CheckSalaryTaxTable, ReportsWhatIsWrong) {
    const std::string good = salaryTable("2026");
    const auto faultsOf = [](const std::string& bytes) {
        return ::testing::PrintToString(checkSalaryTaxTable(sealTable(bytes)).faults);
    };
    std::string bytes = good;
    put<std::int32_t>(bytes, rowOffset(10) + 4, 1);  // band 11 ends before it starts
    EXPECT_THAT(faultsOf(bytes), HasSubstr("行 11"));

    bytes = good;
    put<std::int32_t>(bytes, rowOffset(234), 800'000);  // T4 below T3
    EXPECT_THAT(faultsOf(bytes), HasSubstr("区切り 4 が昇順ではありません"));

    bytes = good;
    put<std::int32_t>(bytes, rowOffset(233) + 8, 1);  // T3's 甲 tax no longer the printed one
    EXPECT_THAT(faultsOf(bytes), HasSubstr("区切り 3（960000）の税額が追加データと合いません"));

    bytes = good;
    put<double>(bytes, offsetof(SalaryTaxTableImage, kouRate2), -0.1);
    EXPECT_THAT(faultsOf(bytes), HasSubstr("税率"));

    bytes = good;
    bytes[kSalaryTableFixedSize + 30] ^= 4;
    EXPECT_THAT(faultsOf(bytes), HasSubstr("検査値が合いません"));

    bytes = good;
    put<std::int32_t>(bytes, 0, 400);
    EXPECT_THAT(faultsOf(bytes), HasSubstr("行数 400"));
    EXPECT_THAT(faultsOf(good.substr(0, 100)), HasSubstr("途中で切れています"));
}

TEST(CheckBonusTaxTable, ReportsWhatIsWrong) {
    const std::string good =
        buildBonusTaxTable(DataCsv(dataText("withholding_bonus_2026.csv"), "b"));
    const auto faultsOf = [](const std::string& bytes) {
        return ::testing::PrintToString(checkBonusTaxTable(sealTable(bytes)).faults);
    };
    EXPECT_THAT(faultsOf(good.substr(1)), HasSubstr("1856"));
    std::string bytes = good;
    put<std::int32_t>(bytes, 0, 25);
    EXPECT_THAT(faultsOf(bytes), HasSubstr("甲欄の行数 25"));
    bytes = good;
    put<std::int32_t>(bytes, offsetof(BonusTaxTableImage, otsuCount), 0);
    EXPECT_THAT(faultsOf(bytes), HasSubstr("乙欄の行数 0"));
    bytes = good;
    put<std::int32_t>(bytes, 4 + 2 * sizeof(BonusKouRow) + 8 + 8 * 3, 1);  // row 3, 3 dependents
    EXPECT_THAT(faultsOf(bytes), HasSubstr("甲 3 行目（扶養 3 人）"));
    bytes = good;
    put<std::int32_t>(bytes, offsetof(BonusTaxTableImage, otsuRows) + 12 + 8, 1);
    EXPECT_THAT(faultsOf(bytes), HasSubstr("乙 2 行目"));
}

}  // namespace
}  // namespace keiro::calc
