// keiro-tool print withholding: the documents of the sample company's year into a PDF, with the
// withholding file built in memory, every occupied slot by default, and its refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "core/fileio.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_output.h"

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
    const auto slips = print(year, "--kind 1");
    ASSERT_EQ(slips.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(slips.out),
              nlohmann::json::parse(R"({"pdf":")" + (*folder_ / "out.pdf").string() +
                                    R"(","kind":1,"sheets":10,"employees":10})"));
    EXPECT_EQ(readFile(*folder_ / "out.pdf").substr(0, 5), "%PDF-");
    // No withholding file was written: it was built in memory only.
    EXPECT_FALSE(std::filesystem::exists(data("源泉徴収(令和08年).dat")));

    const auto notices = nlohmann::json::parse(print(year, "--kind 2 --slots 3,1,2").out);
    EXPECT_EQ(notices["sheets"], 2);
    EXPECT_EQ(notices["employees"], 3);
    EXPECT_EQ(nlohmann::json::parse(print(year, "--kind 5").out)["sheets"], 10);
}

TEST_F(PrintCommandTest, RefusesWhatTheYearDoesNotHave) {
    ASSERT_TRUE(ready_);
    EXPECT_EQ(print("令和08年給与･賞与.dat", "--kind 3").exitCode, 2);
    EXPECT_EQ(print("令和08年給与･賞与.dat", "--kind 1 --slots 99").exitCode, 2);  // free slot
    // This year's December is not saved yet: nothing to print.
    EXPECT_EQ(print("令和09年給与･賞与.dat", "--kind 1").exitCode, 1);
}

TEST(PrintCommandLegacyTest, OlderYearsPrintTheSlipButNoPaymentReport) {
    testing_support::TempFolder folder("keiro-lgprint-old");
    const std::string root = quoted(folder / "root");
    ASSERT_EQ(runTool("demo --root " + root + " --date 2016-01-15").exitCode, 0);
    const std::string file =
        quoted(folder / "root" / "Vondel" / "Keiro" / "Data" / "平成27年給与･賞与.dat");
    const std::string pdf = " --pdf " + quoted(folder / "out.pdf");
    const auto slip =
        runTool("print withholding " + file + " --kind 1 --slots 1 --root " + root + pdf);
    ASSERT_EQ(slip.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(slip.out)["sheets"], 1);
    EXPECT_EQ(runTool("print withholding " + file + " --kind 5 --root " + root + pdf).exitCode, 1);
}

}  // namespace
}  // namespace keiro::withholding
