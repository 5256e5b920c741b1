// keiro-tool print withholding: the documents of the sample company's year into a PDF, with the
// withholding file built in memory, every occupied slot by default, and its refusals; the
// 年末調整一覧表 as PDF and CSV.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>

#include "core/fileio.h"
#include "core/text.h"
#include "core/year_view.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_output.h"
#include "withholding/model/names.h"
#include "withholding/model/opening.h"

namespace keiro::withholding {
namespace {

using testing_support::runTool;

using testing_support::quoted;

class PrintCommandTest : public ::testing::Test {
  protected:
    // The sample company as in January: last year's December is saved.
    static void SetUpTestSuite() {
        folder_ = new testing_support::TempFolder("keiro-lgprint");
        ready_ =
            runTool("demo --root " + quoted(*folder_ / "root") + " --date 2027-01-15").exitCode ==
            0;
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }

    static std::filesystem::path data(const std::string& name) {
        return *folder_ / "root" / "Vondel" / "Keiro" / "Data" / name;
    }
    static testing_support::ToolRun print(const std::string& yearFile, const std::string& words) {
        return runTool("print withholding " + quoted(data(yearFile)) + " " + words + " --root " +
                       quoted(*folder_ / "root") + " --pdf " + quoted(*folder_ / "out.pdf"));
    }

    static inline testing_support::TempFolder* folder_ = nullptr;
    static inline bool ready_ = false;
};

TEST_F(PrintCommandTest, EveryEmployeeByDefaultOrThoseChosen) {
    ASSERT_TRUE(ready_);
    const std::string year = "令和08年給与･賞与.dat";
    const auto slips = print(year, "--kind 1 --include-unprocessed");
    ASSERT_EQ(slips.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(slips.out),
              nlohmann::json::parse(R"({"pdf":")" + (*folder_ / "out.pdf").string() +
                                    R"(","kind":1,"sheets":10,"employees":10})"));
    EXPECT_EQ(readFile(*folder_ / "out.pdf").substr(0, 5), "%PDF-");
    // No withholding file was written: it was built in memory only.
    EXPECT_FALSE(std::filesystem::exists(data("源泉徴収(令和08年).dat")));

    const auto notices =
        nlohmann::json::parse(print(year, "--kind 2 --slots 3,1,2 --include-unprocessed").out);
    EXPECT_EQ(notices["sheets"], 2);
    EXPECT_EQ(notices["employees"], 3);
    EXPECT_EQ(nlohmann::json::parse(print(year, "--kind 5 --include-unprocessed").out)["sheets"],
              10);
}

TEST_F(PrintCommandTest, RefusesWhatTheYearDoesNotHave) {
    ASSERT_TRUE(ready_);
    EXPECT_EQ(print("令和08年給与･賞与.dat", "--kind 3").exitCode, 2);
    EXPECT_EQ(print("令和08年給与･賞与.dat", "--kind 1 --slots 99 --include-unprocessed").exitCode,
              2);  // free slot
    // This year's December is not saved yet: nothing to print.
    EXPECT_EQ(print("令和09年給与･賞与.dat", "--kind 1").exitCode, 1);
}

// The sample year with a withholding file whose records 1..9 are calculated and 10 is not.
class UnprocessedTest : public PrintCommandTest {
  protected:
    static void SetUpTestSuite() {
        PrintCommandTest::SetUpTestSuite();
        const std::filesystem::path yearFile = data("令和08年給与･賞与.dat");
        const WithholdingPaths paths =
            withholdingPathsFor(yearFile, {"令和", 8}, EraNames{"平成", "令和"});
        std::optional<WithholdingFile> file = openWithholdingFile(YearView(yearFile), paths);
        if (!file) return;
        for (int slot = 1; slot <= 9; ++slot) {
            WithholdingRecord& r = file->record(slot);
            r.adjustStatus = kCalculated;
            r.annualTax = r.withheld - 1'000 * slot;
        }
        file->save(paths.file);
        saved_ = true;
    }
    // The tool's stderr, kept in a file (the shell's last word gives the tool's exit code).
    static testing_support::ToolRun printKeepingErrors(const std::string& words) {
        return runTool("print withholding " + quoted(data("令和08年給与･賞与.dat")) + " " + words +
                       " --root " + quoted(*folder_ / "root") + " --pdf " +
                       quoted(*folder_ / "out.pdf") + " 2>" + quoted(*folder_ / "err.txt") +
                       "; (exit $?)");
    }
    static inline bool saved_ = false;
};

TEST_F(UnprocessedTest, UncalculatedSlotsAreRefusedAndNamedUnlessAskedFor) {
    ASSERT_TRUE(ready_ && saved_);
    std::filesystem::remove(*folder_ / "out.pdf");
    const auto refused = printKeepingErrors("--kind 1 --slots 2,10");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(*folder_ / "out.pdf"));  // nothing written
    const std::string errors = readFile(*folder_ / "err.txt");
    EXPECT_NE(errors.find("  10 "), std::string::npos) << errors;
    EXPECT_EQ(errors.find("  2 "), std::string::npos) << errors;

    EXPECT_EQ(print("令和08年給与･賞与.dat", "--kind 2 --slots 2,1").exitCode, 0);
    EXPECT_EQ(
        print("令和08年給与･賞与.dat", "--kind 1 --slots 2,10 --include-unprocessed").exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(*folder_ / "out.pdf"));
}

TEST_F(UnprocessedTest, YearEndListPrintsAndExportsTheChosenEmployees) {
    ASSERT_TRUE(ready_ && saved_);
    const std::string year = quoted(data("令和08年給与･賞与.dat"));
    const std::string root = " --root " + quoted(*folder_ / "root");
    const std::filesystem::path pdf = *folder_ / "list.pdf";
    const auto printed = runTool("print withholding-list " + year + root + " --pdf " + quoted(pdf));
    ASSERT_EQ(printed.exitCode, 0);
    EXPECT_EQ(
        nlohmann::json::parse(printed.out),
        nlohmann::json::parse(R"({"pdf":")" + pdf.string() + R"(","pages":1,"employees":10})"));
    EXPECT_EQ(readFile(pdf).substr(0, 5), "%PDF-");

    const std::filesystem::path csv = *folder_ / "list.csv";
    const auto exported =
        runTool("export withholding-list " + year + root + " --slots 3,1 " + quoted(csv));
    ASSERT_EQ(exported.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(exported.out)["employees"], 2);
    const std::string bytes = readFile(csv);
    // The heading, two employees and the totals, in code page 932 with CR LF.
    EXPECT_EQ(bytes.substr(0, text::toCp932("社員No,").size()), text::toCp932("社員No,"));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 4);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 4);
    EXPECT_NE(bytes.find(",-3000,"), std::string::npos);  // slot 3: 3,000 refunded
    EXPECT_EQ((std::filesystem::status(csv).permissions() & std::filesystem::perms::group_read),
              std::filesystem::perms::none);
}

TEST(PrintCommandLegacyTest, OlderYearsPrintTheSlipButNoPaymentReport) {
    testing_support::TempFolder folder("keiro-lgprint-old");
    const std::string root = quoted(folder / "root");
    ASSERT_EQ(runTool("demo --root " + root + " --date 2016-01-15").exitCode, 0);
    const std::string file =
        quoted(folder / "root" / "Vondel" / "Keiro" / "Data" / "平成27年給与･賞与.dat");
    const std::string pdf = " --pdf " + quoted(folder / "out.pdf");
    const auto slip = runTool("print withholding " + file +
                              " --kind 1 --slots 1 --include-unprocessed --root " + root + pdf);
    ASSERT_EQ(slip.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(slip.out)["sheets"], 1);
    EXPECT_EQ(runTool("print withholding " + file + " --kind 5 --root " + root + pdf).exitCode, 1);
}

}  // namespace
}  // namespace keiro::withholding
