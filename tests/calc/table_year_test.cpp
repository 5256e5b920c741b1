// Which year's tables calculate a period: the year of its pay date (December paid in January
// takes the next year's), the oldest for earlier years, the newest with a notice for later ones;
// a January bonus reads December's stored pay but is taxed with its own year's table.  2027 has a
// monthly table of its own but no bonus table yet: its bonuses take 2026's, with a notice.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "calc/payroll_tables.h"
#include "calc/period_calc.h"
#include "tests/support/pay_fixture.h"

namespace keiro::calc::testing {
namespace {

// The tables the build generated beside the programs, every year's.
PayrollTables builtPayrollTables() {
    return loadPayrollTables(placesUnder(KEIRO_BINARY_DIR "/none", KEIRO_BINARY_DIR "/bin"));
}

const YenRounding kTruncate;

TEST(TableStart, FolderNamesAreTheYearOrTheYearAndMonth) {
    EXPECT_EQ((TableStart{2025, 1}).folderName(), "2025");
    EXPECT_EQ((TableStart{2020, 9}).folderName(), "2020-09");
    EXPECT_EQ(TableStart::parse("2020-09"), (TableStart{2020, 9}));
    EXPECT_EQ(TableStart::parse("2025"), (TableStart{2025, 1}));
    for (const char* name : {"2020-01", "2020-13", "2020-9", "20201", "abcd", "2020_09", ""}) {
        EXPECT_FALSE(TableStart::parse(name)) << name;
    }
}

TEST(PayrollTables, EachYearHasItsOwnTablesTheOldestServesEarlierYearsTheNewestLaterOnes) {
    PayrollTables tables = builtPayrollTables();
    ASSERT_TRUE(tables.complete());
    EXPECT_TRUE(tables.datedTableMessages().empty());
    EXPECT_EQ(tables.newestYear(), 2027);
    EXPECT_EQ(tables.newestYear(TaxKind::Bonus), 2026);

    // 300,000円 甲 without dependents: 8,420円 in 令和2〜7年分, 7,930円 in 令和8年分, 7,760円
    // in 令和9年分.
    const auto taxIn = [&](int year) {
        return tables.taxFor(year).tables.salary.LookupSalaryTax(300'000, 0, 0, kTruncate);
    };
    for (const int year : {2019, 2020, 2025}) EXPECT_EQ(taxIn(year), 8'420) << year;
    EXPECT_EQ(taxIn(2026), 7'930);
    for (const int year : {2027, 2028}) EXPECT_EQ(taxIn(year), 7'760) << year;

    const TaxChoice old = tables.taxFor(2019);
    EXPECT_EQ(old.year, 2020);
    EXPECT_FALSE(old.fellBackToNewest);
    EXPECT_FALSE(tables.taxFor(2025).fellBackToNewest);
    EXPECT_EQ(tables.taxFor(2026).year, 2026);
    EXPECT_FALSE(tables.taxFor(2026).fellBackToNewest);
    EXPECT_FALSE(tables.taxFor(2027).fellBackToNewest);
    const TaxChoice later = tables.taxFor(2028);
    EXPECT_TRUE(later.fellBackToNewest);
    EXPECT_EQ(later.year, 2027);

    // A 2027 bonus: the 2026 bonus table, said once; the 2027 salary table for the monthly-table
    // method beside it.
    const TaxChoice bonus = tables.taxFor(2027, TaxKind::Bonus);
    EXPECT_TRUE(bonus.fellBackToNewest);
    EXPECT_EQ(bonus.year, 2026);
    EXPECT_EQ(bonus.tables.bonus.path().parent_path().filename(), "2026");
    EXPECT_EQ(bonus.tables.salary.LookupSalaryTax(300'000, 0, 0, kTruncate), 7'760);
    EXPECT_FALSE(tables.taxFor(2026, TaxKind::Bonus).fellBackToNewest);

    // 厚生年金 reached health grade 34 until August 2020, grade 35 from September, then one
    // grade more each September of 2027, 2028 and 2029.
    const std::pair<TableStart, int> tops[] = {
        {{2019, 12}, 34}, {{2020, 8}, 34}, {{2020, 9}, 35},  {{2021, 1}, 35}, {{2027, 8}, 35},
        {{2027, 9}, 36},  {{2028, 8}, 36}, {{2028, 10}, 37}, {{2029, 9}, 38}, {{2030, 1}, 38},
    };
    for (const auto& [at, top] : tops) {
        EXPECT_EQ(tables.gradesFor(at.year, at.month)->pensionMaxGrade(), top) << at.folderName();
    }
}

TEST(PayrollTables, JanuaryTwentySevenSalariesAreTaxedWithTheTwentySevenTable) {
    PayrollTables tables = builtPayrollTables();
    const SalaryTaxTable& salary = tables.taxFor(2027).tables.salary;
    // 111,000円, the first band of 令和9年分: 乙 4,000円, 甲 without dependants 140円 (2026:
    // 480円).
    EXPECT_EQ(salary.LookupSalaryTax(111'000, 1, 0, kTruncate), 4'000);
    EXPECT_EQ(salary.LookupSalaryTax(111'000, 0, 0, kTruncate), 140);
    // 356,600円 甲 2 dependants: the band 356,000〜359,000 (2026: 7,020円).
    EXPECT_EQ(salary.LookupSalaryTax(356'600, 0, 2, kTruncate), 6'860);
    // Below the first band 乙 is 3.063 %: 110,999 × 3.063 % = 3,399.9 → 3,399.
    EXPECT_EQ(salary.LookupSalaryTax(110'999, 1, 0, kTruncate), 3'399);
    EXPECT_EQ(salary.LookupSalaryTax(110'999, 0, 0, kTruncate), 0);
    // The breakpoint moved to 1,720,000円: 377,200 + 10,000 × 40.84 % = 381,284.
    EXPECT_EQ(salary.LookupSalaryTax(1'730'000, 0, 0, kTruncate), 381'284);
}

TEST(PayrollTables, AYearWhoseFilesAreDamagedIsNamedAtStartUpAndCalculatedWithTheNewest) {
    testing_support::TempFolder folder("keiro-year-tables");
    const fs::path built = fs::path(KEIRO_BINARY_DIR) / "bin";
    for (auto name : {kSalaryTaxTableFileName, kBonusTaxTableFileName, kHealthGradeTableFileName}) {
        copyFile(built / name, folder / std::string(name));
    }
    const fs::path years = folder / std::string(kYearTablesFolderName);
    for (const char* year : {"2024", "2025"}) {
        createPrivateDirectories(years / year);
        for (auto name :
             {kSalaryTaxTableFileName, kBonusTaxTableFileName, kHealthGradeTableFileName}) {
            copyFile(built / std::string(kYearTablesFolderName) / year / name,
                     years / year / std::string(name));
        }
    }
    writeFileAtomic(years / "2025" / std::string(kBonusTaxTableFileName), "damaged");
    fs::remove(years / "2025" / std::string(kHealthGradeTableFileName));

    PayrollTables tables = loadPayrollTables(placesUnder(folder / "root", folder.path()));
    EXPECT_TRUE(tables.complete());  // the newest are all there: the program starts
    const std::vector<StartupMessage> messages = tables.datedTableMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, StartupMessage::Kind::Warning);
    EXPECT_NE(messages[0].text.find("表データ/2025/健康保険料額表.dat」がありません"),
              std::string::npos);
    EXPECT_NE(messages[0].text.find("「税額表(賞与).dat」"), std::string::npos);
    EXPECT_NE(messages[0].text.find("2025年分の表データが使えない"), std::string::npos);

    EXPECT_FALSE(tables.taxFor(2024).fellBackToNewest);
    EXPECT_FALSE(tables.taxFor(2023).fellBackToNewest);  // before the oldest: the oldest
    const TaxChoice damaged = tables.taxFor(2025);
    EXPECT_TRUE(damaged.fellBackToNewest);
    EXPECT_EQ(damaged.tables.salary.path(), tables.tax.salary.path());
    // The grades go by date among the folders that loaded: 2024's is in force.
    EXPECT_EQ(tables.gradesFor(2025, 5)->pensionMaxGrade(), 35);

    // Without any year folder every year is calculated with the newest, and says so.
    fs::remove_all(years);
    tables = loadPayrollTables(placesUnder(folder / "root", folder.path()));
    EXPECT_TRUE(tables.datedTableMessages().empty());
    EXPECT_TRUE(tables.taxFor(2025).fellBackToNewest);
    EXPECT_EQ(tables.taxFor(2025).year, 0);
}

TEST(PayrollTables, TheNoticeNamesBothYears) {
    const EraNames names{"平成", "令和"};
    EXPECT_EQ(missingTaxYearNotice(2027, 2026, names),
              "令和9年（2027年）分の税額表がありません。\n"
              "最新の令和8年（2026年）分の税額表で計算します。");
    EXPECT_EQ(missingTaxYearNotice(2027, 0, names),
              "令和9年（2027年）分の税額表がありません。\n最新の税額表で計算します。");
    EXPECT_EQ(missingTaxYearNotice(2027, 2026, names, TaxKind::Bonus),
              "令和9年（2027年）分の賞与の税額表がありません。\n"
              "最新の令和8年（2026年）分の賞与の税額表で計算します。");
}

class TableYearTest : public PayFixture {
  protected:
    // The open period recalculated as the main window does it: with its year's tables.
    void recalculate() {
        const CalcContext context{settings_, active_, tables_.taxFor(year_).tables, 2026};
        RecalculatePeriod(year_, context, nullptr);
    }

    PayrollTables tables_ = builtPayrollTables();
};

TEST_F(TableYearTest, DecemberPaidInJanuaryIsTaxedWithTheNextYearsTable) {
    open(12, kReiwa7);
    addEmployee(1, {.recordId = "250101_090001", .basePay = 300'000});
    EXPECT_EQ(taxYearOf(year_), 2025);
    recalculate();
    ASSERT_EQ(deduction(1).payAfterSocialIns, 300'000);
    EXPECT_EQ(deduction(1).incomeTax, 8'420);

    year_.block().settings.payNextMonth = 1;  // 入力月の翌月を支給日とする
    EXPECT_EQ(taxYearOf(year_), 2026);
    recalculate();
    EXPECT_EQ(deduction(1).incomeTax, 7'930);

    open(11, kReiwa7);  // November is paid in December all the same
    year_.block().settings.payNextMonth = 1;
    EXPECT_EQ(taxYearOf(year_), 2025);
}

TEST_F(TableYearTest, JanuaryBonusReadsDecembersStoredPayAndIsTaxedWithItsOwnYearsTable) {
    auto december = std::make_unique<PeriodBlock>();
    addEmployee(*december, 4, {.recordId = "250101_090001"});
    december->deductions[3].payAfterSocialIns = 305'000;
    writeBlock(kReiwa7, 12, *december);

    openBonus(13, 1, 15);
    year_.clearBlock();
    addEmployee(1, {.recordId = "250101_090001"});
    payment(1).basePayAmount = 600'000;  // 賞与
    EXPECT_EQ(taxYearOf(year_), 2026);
    EXPECT_EQ(gradeMonthOf(year_), 1);
    recalculate();
    ASSERT_EQ(deduction(1).payAfterSocialIns, 600'000);
    // 305,000円 the month before: 6.126 % in 令和8年分 (8.168 % in 令和7年分 would be 49,008円).
    EXPECT_EQ(deduction(1).incomeTax, 36'756);
}

}  // namespace
}  // namespace keiro::calc::testing
