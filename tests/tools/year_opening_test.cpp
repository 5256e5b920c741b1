// keiro-tool year opening: the totals of the months before the program, shown and set.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

#include "core/fileio.h"
#include "core/year_view.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/withholding_model/year_files.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;
using testing_support::runTool;

class YearOpeningTool : public ::testing::Test {
  protected:
    // October and November saved; the employee moved from slot 2 to slot 4 in November.
    YearOpeningTool() {
        withholding::testing::YearFileWriter writer;
        writer.put(10, 2, "260101_090001").name.assign("山田太郎");
        writer.put(11, 4, "260101_090001").name.assign("山田太郎");
        writer.write(file_);
    }

    std::string command(const std::string& options) const {
        return "year opening " + file_.string() + " " + options;
    }

    testing_support::TempFolder folder_{"keiro-tool-opening"};
    fs::path file_ = folder_ / "year.dat";
};

TEST_F(YearOpeningTool, PrintsAndSetsTheTotalsOfEveryPeriodHoldingTheEmployee) {
    const testing_support::ToolRun empty = runTool(command("--slot 4"));
    ASSERT_EQ(empty.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(empty.out),
              nlohmann::json::parse(R"({"period":11,"slot":4,"name":"山田太郎","pay":0,
                  "taxablePay":0,"socialInsurance":0,"incomeTax":0,"lastPayAfterSocial":0})"));

    const testing_support::ToolRun set =
        runTool(command("--slot 4 --set pay=2800000,taxablePay=2700000,socialInsurance=400000,"
                        "incomeTax=55000,lastPayAfterSocial=260000"));
    ASSERT_EQ(set.exitCode, 0);
    const auto stored = nlohmann::json::parse(set.out);
    EXPECT_EQ(stored["taxablePay"], 2'700'000);
    EXPECT_EQ(stored["lastPayAfterSocial"], 260'000);

    // One key later: the others are kept, and October's slot 2 shows the same.
    ASSERT_EQ(runTool(command("--slot 4 --set incomeTax=54000")).exitCode, 0);
    const auto october = nlohmann::json::parse(runTool(command("--slot 2 --period 10")).out);
    EXPECT_EQ(october["incomeTax"], 54'000);
    EXPECT_EQ(october["pay"], 2'800'000);
    EXPECT_EQ(YearView(file_).block(10).employee(2).opening.socialInsurance, 400'000);
}

TEST_F(YearOpeningTool, WrongKeysValuesAndSlotsExitTwoAndWriteNothing) {
    const std::string before = readFile(file_);
    for (const char* options :
         {"--slot 4 --set wages=1", "--slot 4 --set pay=-1", "--slot 4 --set pay=1e6",
          "--slot 4 --set pay=100000000", "--slot 4 --set pay",
          "--slot 4 --set pay=100,taxablePay=200", "--slot 3", "--slot 101"}) {
        SCOPED_TRACE(options);
        EXPECT_EQ(runTool(command(options)).exitCode, 2);
    }
    EXPECT_EQ(readFile(file_), before);
    EXPECT_EQ(runTool("year opening " + (folder_ / "missing.dat").string() + " --slot 1").exitCode,
              1);
}

}  // namespace
}  // namespace keiro
