// The health insurance grade table and the prefecture rate list: built from the published CSV
// files, checked, loaded, and refused when damaged.
#include <gtest/gtest.h>

#include "calc/table_seal.h"

#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

#include "calc/premium_tables.h"
#include "core/fileio.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"

namespace keiro::calc {
namespace {

std::string dataFile(const char* name) {
    return readFile(std::string(KEIRO_SOURCE_DIR) + "/data/" + name);
}

const DataCsv& gradeCsv() {
    static const DataCsv csv(dataFile("health_grades.csv"), "health_grades.csv");
    return csv;
}

const std::string& gradeTableBytes() {
    static const std::string bytes = buildHealthGradeTable(gradeCsv());
    return bytes;
}

HealthGradeTable builtTable() {
    return HealthGradeTable::fromBytes(gradeTableBytes(), kHealthGradeTableFileName);
}

std::string cp932(const char* utf8) {
    return text::toCp932(utf8);
}

// --- grade table --------------------------------------------------------------------------

TEST(HealthGradeTableBuild, EveryGradeMatchesThePublishedTable) {
    ASSERT_EQ(gradeTableBytes().size(), 972u);
    const HealthGradeTable table = builtTable();
    ASSERT_EQ(table.gradeCount(), 50);
    EXPECT_EQ(table.pensionMinGrade(), 4);
    EXPECT_EQ(table.pensionMaxGrade(), 38);  // every pension grade of the CSV
    for (int g = 1; g <= 50; ++g) {
        const std::size_t row = static_cast<std::size_t>(g - 1);
        SCOPED_TRACE(g);
        EXPECT_EQ(table.lower(g), gradeCsv().integer(row, "lower_yen_inclusive"));
        EXPECT_EQ(table.standard(g), gradeCsv().integer(row, "standard_monthly_yen"));
        if (g < 50) {
            EXPECT_EQ(table.upper(g), gradeCsv().integer(row, "upper_yen_exclusive"));
        }
    }
    EXPECT_EQ(table.upper(50), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(table.standard(4), 88'000);    // 厚生年金 第1級
    EXPECT_EQ(table.standard(35), 650'000);  // 厚生年金 第32級
    EXPECT_EQ(table.standard(38), 750'000);  // 厚生年金 第35級 (from September 2029)
    // Unused grades stay zero.
    EXPECT_EQ(table.image().grades[50].standard, 0);

    const TableCheck check = checkHealthGradeTable(sealTable(gradeTableBytes()));
    EXPECT_TRUE(check.ok()) << check.faults.front();
    EXPECT_EQ(check.summary, (std::vector<std::string>{
                                 "等級数 50（標準報酬月額 58,000〜1,390,000 円）",
                                 "厚生年金 第4等級〜第38等級（標準報酬月額 88,000〜750,000 円）"}));
}

TEST(HealthGradeTableBuild, RefusesCsvThatGivesNoSoundTable) {
    const std::string header =
        "health_grade,lower_yen_inclusive,upper_yen_exclusive,standard_monthly_yen,"
        "pension_grade\n";
    const char* bad[] = {
        "1,0,63000,58000,1\n3,63000,73000,68000,2\n",                        // grades out of order
        "1,0,63000,58000,1\n2,63000,73000,68000,\n3,73000,83000,78000,3\n",  // pension gap
        "1,0,63000,58000,1\n2,63000,73000,68000,3\n",  // pension grades skip one
        "1,0,,58000,1\n2,63000,73000,68000,2\n",       // open band below the top
        "1,0,63000,58000,\n2,63000,,68000,\n",         // no pension grade at all
        "1,0,63000,58000,1\n2,64000,73000,68000,2\n",  // gap between bands
        "1,0,63000,70000,1\n",                         // standard outside its band
    };
    for (const char* rows : bad) {
        SCOPED_TRACE(rows);
        EXPECT_THROW(buildHealthGradeTable(DataCsv(header + rows, "test")), DataError);
    }
    EXPECT_THROW(buildHealthGradeTable(DataCsv(header, "test")), DataError);  // no grades
}

TEST(HealthGradeTable, ListLinesShowTheBandsWithSeparators) {
    const HealthGradeTable table = builtTable();
    const std::vector<std::string> lines = table.listLines();
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines[0], "        0円以上    63,000円未満     58,000円");
    EXPECT_EQ(lines[19], "  250,000円以上   270,000円未満    260,000円");
    EXPECT_EQ(lines[48], "1,295,000円以上 1,355,000円未満  1,330,000円");
    EXPECT_EQ(lines[49],
              "1,355,000円以上" + std::string(18, ' ') + "1,390,000円");  // no upper bound
    EXPECT_EQ(selectedGradeLabel(20), "選択等級：20等級");
}

TEST(HealthGradeTable, FindsGradesAndNeverLeavesTheTable) {
    const HealthGradeTable table = builtTable();
    const struct {
        std::int32_t amount;
        int grade;
    } cases[] = {{-5, 1},         {0, 1},
                 {62'999, 1},     {63'000, 2},
                 {250'000, 20},   {269'999, 20},
                 {1'354'999, 49}, {1'355'000, 50},
                 {9'999'999, 50}, {std::numeric_limits<std::int32_t>::max(), 50}};
    for (const auto& c : cases) EXPECT_EQ(table.gradeOf(c.amount), c.grade) << c.amount;

    EXPECT_EQ(table.pensionGrade(1), 4);
    EXPECT_EQ(table.pensionGrade(20), 20);
    EXPECT_EQ(table.pensionGrade(50), 38);

#ifndef NDEBUG
    EXPECT_DEATH(table.grade(0), "hasGrade");
    EXPECT_DEATH(table.grade(51), "hasGrade");
    EXPECT_DEATH(table.listLine(81), "hasGrade");
#endif
    EXPECT_EQ(table.selectableGrade(0), 1);  // nothing chosen yet
    EXPECT_EQ(table.selectableGrade(12), 12);
    EXPECT_EQ(table.selectableGrade(65535), 1);  // a damaged record
}

TEST(HealthGradeTable, RefusesDamagedFilesNamingThem) {
    struct Case {
        const char* what;
        std::size_t size;
        std::int32_t count, pensionMin, pensionMax;
    };
    const Case cases[] = {
        {"empty", 0, 50, 4, 35},
        {"truncated", 971, 50, 4, 35},
        {"too long", 973, 50, 4, 35},
        {"no grades", 972, 0, 1, 1},
        {"negative count", 972, -1, 1, 1},
        {"beyond 80 grades", 972, 81, 4, 35},
        {"pension minimum 0", 972, 50, 0, 35},
        {"pension maximum beyond the grades", 972, 50, 4, 51},
        {"pension limits crossed", 972, 50, 35, 4},
        {"huge pension limit", 972, 50, 4, std::numeric_limits<std::int32_t>::max()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = gradeTableBytes();
        std::memcpy(bytes.data(), &c.count, 4);
        std::memcpy(bytes.data() + 4, &c.pensionMin, 4);
        std::memcpy(bytes.data() + 8, &c.pensionMax, 4);
        bytes.resize(c.size);
        try {
            HealthGradeTable::fromBytes(bytes, "/opt/keiro/健康保険料額表.dat");
            ADD_FAILURE() << "accepted";
        } catch (const IoError& error) {
            EXPECT_NE(std::string(error.what()).find("/opt/keiro/健康保険料額表.dat"),
                      std::string::npos);
            EXPECT_NE(std::string(error.what()).find("健康保険料額表の"), std::string::npos);
        }
        EXPECT_FALSE(checkHealthGradeTable(sealTable(bytes)).ok());
    }
}

TEST(HealthGradeTable, CheckFindsBandsThatDoNotJoin) {
    std::string bytes = gradeTableBytes();
    HealthGradeTableImage image;
    std::memcpy(&image, bytes.data(), sizeof image);
    image.grades[9].lower += 1000;  // grade 10 starts above grade 9's end
    image.grades[29].standard = 1;  // grade 30's standard below its band and grade 29's
    std::memcpy(bytes.data(), &image, sizeof image);

    const TableCheck check = checkHealthGradeTable(sealTable(bytes));
    ASSERT_EQ(check.faults.size(), 3u);
    EXPECT_EQ(check.faults[0],
              "第10等級：下限 131,000 が前の等級の上限 130,000 と続いていません。");
    EXPECT_EQ(check.faults[1], "第30等級：標準報酬月額 1 が報酬月額の範囲外です。");
    EXPECT_EQ(check.faults[2], "第30等級：標準報酬月額 1 が前の等級より大きくありません。");
    // The lookups could still work on it, but the program refuses the file as the check does.
    EXPECT_NO_THROW(HealthGradeTable::fromBytes(bytes, "x"));
    testing_support::TempFolder folder("keiro-grades");
    writeFileAtomic(folder / "g.dat", bytes);
    EXPECT_THROW(HealthGradeTable::load(folder / "g.dat"), IoError);
}

TEST(HealthGradeTable, LoadsTheFileAndReportsAMissingOne) {
    testing_support::TempFolder folder("keiro-grades");
    const auto path = folder / std::string(kHealthGradeTableFileName);
    EXPECT_THROW(HealthGradeTable::load(path), IoError);
    writeFileAtomic(path, sealTable(gradeTableBytes()));
    const HealthGradeTable table = HealthGradeTable::load(path);
    EXPECT_EQ(table.path(), path);
    EXPECT_EQ(table.standard(50), 1'390'000);
}

// --- prefecture rate list ----------------------------------------------------------------

const std::string& rateListBytes() {
    static const std::string bytes = buildPrefectureRateList(
        DataCsv(dataFile("health_rates_2026.csv"), "health_rates_2026.csv"));
    return bytes;
}

TEST(PrefectureRateList, BuildsFixedWidthCodePage932Lines) {
    const std::string& bytes = rateListBytes();
    EXPECT_EQ(bytes.size(), 47u * 17u);  // 10 + 5 bytes and CR LF
    EXPECT_EQ(bytes.substr(0, 17), cp932("北海道") + "    10.28\r\n");
    EXPECT_EQ(bytes.substr(13 * 17, 17), cp932("神奈川県") + "   9.92\r\n");
    EXPECT_EQ(bytes.substr(12 * 17, 17), cp932("東京都") + "     9.85\r\n");
    EXPECT_EQ(bytes.substr(46 * 17), cp932("沖縄県") + "     9.44\r\n");

    const TableCheck check = checkPrefectureRateList(sealTable(bytes));
    EXPECT_TRUE(check.ok()) << check.faults.front();
    EXPECT_EQ(check.summary, std::vector<std::string>{"都道府県 47（保険料率 9.21〜10.55 %）"});
}

TEST(PrefectureRateList, BuildSortsByCodeAndRefusesWhatDoesNotFit) {
    const std::string header =
        "section,code,name,fiscal_year,applies_from,total_rate_pct,employee_rate_pct,"
        "employer_rate_pct,note\n";
    const std::string sorted = buildPrefectureRateList(
        DataCsv(header + "health,13,東京都,R8,,9.85,,,\nnursing,,介護,R8,,1.62,,,\n"
                         "health,01,北海道,R8,,10.28,,,\n",
                "test"));
    EXPECT_EQ(sorted, cp932("北海道") + "    10.28\r\n" + cp932("東京都") + "     9.85\r\n");

    const char* bad[] = {
        "health,01,北海道,R8,,100.00,,,\n",        // six characters
        "health,01,北海道,R8,,-1.5,,,\n",          // negative
        "health,01,鹿児島県鹿児島,R8,,9.85,,,\n",  // 14 bytes of name
        "health,01,,R8,,9.85,,,\n",                // no name
        "health,01,北海道,R8,,abc,,,\n",           // no rate
        "nursing,,介護,R8,,1.62,,,\n",             // no prefecture at all
    };
    for (const char* rows : bad) {
        SCOPED_TRACE(rows);
        EXPECT_THROW(buildPrefectureRateList(DataCsv(header + rows, "test")), DataError);
    }
}

TEST(PrefectureRateList, ReadsEntriesForTheWindow) {
    testing_support::TempFolder folder("keiro-rates");
    const auto path = folder / std::string(kHealthRateListFileName);
    EXPECT_TRUE(readPrefectureRates(path).empty());  // missing: the list stays disabled

    writeFileAtomic(path, sealTable(rateListBytes()));
    const std::vector<PrefectureRate> entries = readPrefectureRates(path);
    ASSERT_EQ(entries.size(), 47u);
    EXPECT_EQ(entries[0].name, "北海道");
    EXPECT_EQ(entries[0].display, "北海道    10.28%");
    EXPECT_EQ(entries[13].name, "神奈川県");
    EXPECT_EQ(entries[13].display, "神奈川県   9.92%");
    ASSERT_TRUE(entries[13].rate);
    EXPECT_DOUBLE_EQ(*entries[13].rate, 9.92);
    ASSERT_TRUE(halfRate(entries[13]));
    EXPECT_DOUBLE_EQ(*halfRate(entries[13]), 4.96);
    EXPECT_TRUE(entries[13].error.empty());
}

TEST(PrefectureRateList, AGarbageLineIsReportedNotSet) {
    const std::string bytes = cp932("北海道") + "    10.28\r\n" + cp932("東京都") +
                              "    abcde\r\n\r\n" + cp932("大阪") + "\r\n" + cp932("京都府京都市") +
                              "9.89\r\n" + cp932("神奈川県") +
                              "  10.19";  // the last line without its line end
    const std::vector<PrefectureRate> entries = parsePrefectureRates(bytes, "健康保険料率.dat");
    ASSERT_EQ(entries.size(), 5u);  // the blank line is not listed

    EXPECT_FALSE(entries[1].rate);
    EXPECT_FALSE(halfRate(entries[1]));
    EXPECT_EQ(entries[1].error,
              "健康保険料率.dat の 2行目の保険料率「abcde」は数値ではありません。");
    EXPECT_EQ(entries[1].display, "東京都    abcde%");

    EXPECT_FALSE(entries[2].rate);  // too short to hold a rate
    EXPECT_EQ(entries[2].name, "大阪");
    EXPECT_NE(entries[2].error.find("4行目"), std::string::npos);

    // A name longer than its ten bytes runs into the rate column.
    EXPECT_FALSE(entries[3].rate);
    EXPECT_EQ(entries[3].name, "京都府京都");

    ASSERT_TRUE(entries[4].rate);
    EXPECT_DOUBLE_EQ(*entries[4].rate, 10.19);
    EXPECT_EQ(entries[4].display, "神奈川県  10.19%");

    const TableCheck check = checkPrefectureRateList(sealTable(bytes));
    EXPECT_EQ(check.summary, std::vector<std::string>{"都道府県 2（保険料率 10.19〜10.28 %）"});
    EXPECT_FALSE(check.ok());
}

TEST(PrefectureRateList, CheckWantsCrLfLines) {
    const TableCheck check = checkPrefectureRateList(sealTable(cp932("北海道") + "    10.28\n"));
    ASSERT_EQ(check.faults.size(), 1u);
    EXPECT_EQ(check.faults[0], "第1行：行末が CR LF ではありません。");
    EXPECT_FALSE(checkPrefectureRateList(sealTable("")).ok());
}

}  // namespace
}  // namespace keiro::calc
