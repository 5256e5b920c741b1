// The salary and bonus tables of a year are chosen each on its own (a year's bonus table may be
// published later than its monthly table), and the grade table by date alone, also in years
// without tax tables.  Built from a copy of data/ with a made-up 2028 period, then loaded.
#include <gtest/gtest.h>

#include "calc/payroll_tables.h"
#include "calc/premiums.h"
#include "calc/table_set_build.h"
#include "core/fileio.h"
#include "tests/support/temp_folder.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(KEIRO_SOURCE_DIR) / "data";
const YenRounding kTruncate;

void replaceOnce(std::string& text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

class TableKindsTest : public ::testing::Test {
  protected:
    // data/ as shipped, plus a 2028 period with the 2027 monthly figures and a bonus table of
    // its own whose 0 % band for 甲 without dependents reaches 83,000円 (2026: 82,000円).
    void SetUp() override {
        const fs::path data = folder_ / "data";
        createPrivateDirectories(data);
        for (const auto& entry : fs::directory_iterator(kData)) {
            if (entry.path().extension() == ".csv")
                copyFile(entry.path(), data / entry.path().filename());
        }
        std::string params = readFile(kData / "withholding_monthly_params.csv");
        replaceOnce(params, "2027,2027-01-01,,", "2027,2027-01-01,2027-12-31,");
        params += "2028,2028-01-01,,111000,740000,1610,1610,3.063\n";
        writeFileAtomic(data / "withholding_monthly_params.csv", params);
        copyFile(kData / "withholding_monthly_2027.csv", data / "withholding_monthly_2028.csv");
        copyFile(kData / "withholding_monthly_2027_rules.csv",
                 data / "withholding_monthly_2028_rules.csv");
        std::string bonus = readFile(kData / "withholding_bonus_2026.csv");
        replaceOnce(bonus, "0.000,0,82000,", "0.000,0,83000,");
        replaceOnce(bonus, "2.042,82000,", "2.042,83000,");
        writeFileAtomic(data / "withholding_bonus_2028.csv", bonus);

        for (const TableFile& file : buildTableFiles(data)) {
            createPrivateDirectories((out() / file.relative).parent_path());
            writeFileAtomic(out() / file.relative, file.bytes);
        }
    }

    fs::path out() const { return folder_ / "out"; }
    fs::path yearFile(const char* folder, std::string_view name) const {
        return out() / std::string(kYearTablesFolderName) / folder / std::string(name);
    }
    PayrollTables load() const { return loadPayrollTables(placesUnder(folder_ / "root", out())); }

    testing_support::TempFolder folder_{"keiro-table-kinds"};
};

TEST_F(TableKindsTest, AYearWithoutABonusTableGetsNoneAndEveryGradeChangeAFolder) {
    EXPECT_TRUE(fs::exists(yearFile("2027", kSalaryTaxTableFileName)));
    EXPECT_FALSE(fs::exists(yearFile("2027", kBonusTaxTableFileName)));
    EXPECT_TRUE(fs::exists(yearFile("2028", kBonusTaxTableFileName)));
    // The pension ceiling rises in September of 2027, 2028 and 2029: the last two years have no
    // tax tables, their changes get folders all the same, holding the grade table alone.
    for (const char* month : {"2027-09", "2028-09", "2029-09"}) {
        EXPECT_TRUE(fs::exists(yearFile(month, kHealthGradeTableFileName))) << month;
        EXPECT_FALSE(fs::exists(yearFile(month, kSalaryTaxTableFileName))) << month;
    }
    EXPECT_FALSE(fs::exists(out() / std::string(kYearTablesFolderName) / "2029"));
    // Beside the programs: the newest of each kind.
    EXPECT_EQ(readFile(out() / std::string(kSalaryTaxTableFileName)),
              readFile(yearFile("2028", kSalaryTaxTableFileName)));
    EXPECT_EQ(readFile(out() / std::string(kBonusTaxTableFileName)),
              readFile(yearFile("2028", kBonusTaxTableFileName)));
}

TEST_F(TableKindsTest, EachKindIsChosenOnItsOwn) {
    PayrollTables tables = load();
    ASSERT_TRUE(tables.complete());
    EXPECT_TRUE(tables.datedTableMessages().empty());
    EXPECT_EQ(tables.newestYear(TaxKind::Salary), 2028);
    EXPECT_EQ(tables.newestYear(TaxKind::Bonus), 2028);

    // 2027: its own salary table, the bonus table of 2026 (the newest up to 2027) with a notice.
    const TaxChoice salary2027 = tables.taxFor(2027, TaxKind::Salary);
    EXPECT_FALSE(salary2027.fellBackToNewest);
    EXPECT_EQ(salary2027.year, 2027);
    EXPECT_EQ(salary2027.tables.salary.path(), yearFile("2027", kSalaryTaxTableFileName));
    const TaxChoice bonus2027 = tables.taxFor(2027, TaxKind::Bonus);
    EXPECT_TRUE(bonus2027.fellBackToNewest);
    EXPECT_EQ(bonus2027.year, 2026);
    EXPECT_EQ(bonus2027.tables.bonus.path(), yearFile("2026", kBonusTaxTableFileName));
    EXPECT_EQ(bonus2027.tables.salary.path(), yearFile("2027", kSalaryTaxTableFileName));

    // 82,500円 the month before, 甲 without dependents: 2.042 % in 2026, still 0 % in 2028.
    const auto rate = [&](int year) {
        return tables.taxFor(year, TaxKind::Bonus).tables.bonus.LookupBonusRate(82'500, 0, 0);
    };
    EXPECT_DOUBLE_EQ(rate(2026), 0.02042);
    EXPECT_DOUBLE_EQ(rate(2027), 0.02042);
    EXPECT_DOUBLE_EQ(rate(2028), 0.0);
    EXPECT_FALSE(tables.taxFor(2028, TaxKind::Bonus).fellBackToNewest);
    // After the newest: the newest, with a notice.
    const TaxChoice later = tables.taxFor(2030, TaxKind::Bonus);
    EXPECT_TRUE(later.fellBackToNewest);
    EXPECT_EQ(later.year, 2028);
    EXPECT_DOUBLE_EQ(later.tables.bonus.LookupBonusRate(82'500, 0, 0), 0.0);
}

TEST_F(TableKindsTest, TheGradeTableIsTheOneInForceAtTheDate) {
    const PayrollTables tables = load();
    // Health grade of the top pension grade: 35 (第32級) until August 2027, then 36, 37, 38.
    const std::pair<TableStart, int> cases[] = {
        {{2027, 8}, 35},  {{2027, 9}, 36}, {{2028, 1}, 36}, {{2028, 8}, 36},
        {{2028, 10}, 37}, {{2029, 8}, 37}, {{2029, 9}, 38}, {{2031, 4}, 38},
    };
    for (const auto& [at, top] : cases) {
        const HealthGradeTable* grades = tables.gradesFor(at.year, at.month);
        ASSERT_NE(grades, nullptr);
        EXPECT_EQ(grades->pensionMaxGrade(), top) << at.folderName();
    }
}

TEST_F(TableKindsTest, AFolderWithABonusTableButNoSalaryTableIsRefused) {
    fs::remove(yearFile("2028", kSalaryTaxTableFileName));
    PayrollTables tables = load();
    ASSERT_EQ(tables.unusableFolders.size(), 1u);
    EXPECT_EQ(tables.unusableFolders[0], (TableStart{2028, 1}));
    const std::vector<StartupMessage> messages = tables.datedTableMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("表データ/2028/税額表(給与).dat」がありません"),
              std::string::npos);
    EXPECT_TRUE(tables.taxFor(2028, TaxKind::Bonus).fellBackToNewest);
    // The grade folders of other months are not affected.
    EXPECT_EQ(tables.gradesFor(2028, 10)->pensionMaxGrade(), 37);
}

TEST(PensionCeiling, SeptemberRaisesTheTopGradeOfTheEmployeesPension) {
    const PayrollTables tables =
        loadPayrollTables(placesUnder(KEIRO_BINARY_DIR "/none", KEIRO_BINARY_DIR "/bin"));
    PeriodSettings rates{};
    rates.healthInsRate = 4.925;
    rates.pensionRate = 9.15;
    // 報酬 700,000円: health grade 37 (695,000〜730,000).  The pension stops at 650,000円
    // (第32級) in August 2027: 650,000 × 9.15 % = 59,475; from September at 680,000円 (第33級):
    // 62,220.  The health premium does not change: 710,000 × 4.925 % = 34,967.5 → 34,967.
    const HealthGradeTable& august = *tables.gradesFor(2027, 8);
    const HealthGradeTable& september = *tables.gradesFor(2027, 9);
    const int grade = august.gradeOf(700'000);
    ASSERT_EQ(grade, 37);
    EXPECT_EQ(september.gradeOf(700'000), 37);
    const MonthlyPremiums before = SetPremiumsFromGrade(august, grade, rates);
    const MonthlyPremiums after = SetPremiumsFromGrade(september, grade, rates);
    EXPECT_EQ(before.pension, 59'475);
    EXPECT_EQ(after.pension, 62'220);
    EXPECT_EQ(before.health, 34'967);
    EXPECT_EQ(after.health, 34'967);
    // 2028 October: 第34級 710,000円 → 64,965; not yet 第35級 (750,000円).
    EXPECT_EQ(SetPremiumsFromGrade(*tables.gradesFor(2028, 10), grade, rates).pension, 64'965);
    EXPECT_EQ(SetPremiumsFromGrade(*tables.gradesFor(2028, 10), 38, rates).pension, 64'965);
    EXPECT_EQ(SetPremiumsFromGrade(*tables.gradesFor(2029, 9), 38, rates).pension, 68'625);
}

}  // namespace
}  // namespace keiro::calc
