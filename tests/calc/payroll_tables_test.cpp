// Start-up needs all three tables; a missing or damaged one stops the program with a reason.
#include <gtest/gtest.h>

#include "calc/payroll_tables.h"
#include "core/fileio.h"
#include "tests/support/temp_folder.h"

namespace keiro::calc {
namespace {

// The table files the build generated beside the programs.
const fs::path kBuiltTables = fs::path(KEIRO_BINARY_DIR) / "bin";

class PayrollTablesTest : public ::testing::Test {
  protected:
    void install(std::string_view name) {
        copyFile(kBuiltTables / name, places_.programFolder / name);
    }
    testing_support::TempFolder folder_{"keiro-tables"};
    Places places_ = placesUnder(folder_ / "root", folder_.path());
};

TEST_F(PayrollTablesTest, AllThreeTablesLoad) {
    for (auto name : {kSalaryTaxTableFileName, kBonusTaxTableFileName, kHealthGradeTableFileName}) {
        install(name);
    }
    const PayrollTables tables = loadPayrollTables(places_);
    EXPECT_TRUE(tables.complete());
    EXPECT_TRUE(tables.missingTableMessages().empty());
    EXPECT_TRUE(tables.tax.salary.hasExtension());
    ASSERT_TRUE(tables.grades.has_value());
    EXPECT_EQ(tables.grades->gradeCount(), 50);
}

TEST_F(PayrollTablesTest, MissingOrDamagedTablesStopStartUpWithTheReason) {
    install(kSalaryTaxTableFileName);
    writeFileAtomic(places_.programFolder / kHealthGradeTableFileName, "damaged");
    const PayrollTables tables = loadPayrollTables(places_);
    EXPECT_FALSE(tables.complete());
    EXPECT_EQ(tables.report.loaded, 1);
    const auto messages = tables.missingTableMessages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_NE(messages[0].text.find(std::string(kBonusTaxTableFileName)), std::string::npos);
    EXPECT_NE(messages[1].text.find(std::string(kHealthGradeTableFileName)), std::string::npos);
    EXPECT_EQ(messages[2].text, "必要な表データファイルが足りません。");
    EXPECT_EQ(messages[2].kind, StartupMessage::Kind::Error);
}

}  // namespace
}  // namespace keiro::calc
