// employees import-resident-tax: the JSON preview, the period it writes, refused lines giving
// exit code 1 while --save still keeps the accepted ones.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

#include "core/fileio.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

using testing_support::runTool;
using testing_support::ToolRun;

class ResidentTaxImportToolTest : public ::testing::Test {
  protected:
    testing_support::TempFolder folder_{"keiro-resident-tax-tool"};

    // The sample company with its months up to `date` saved; the newest year file.
    std::string demoFile(const std::string& date) {
        const ToolRun demo =
            runTool("demo --root " + (folder_ / "root").string() + " --date " + date);
        EXPECT_EQ(demo.exitCode, 0);
        return nlohmann::json::parse(demo.out)["yearFiles"].back();
    }
    nlohmann::json employees(const std::string& file, int period) {
        const ToolRun dump = runTool("year dump '" + file + "' --period " + std::to_string(period));
        return nlohmann::json::parse(dump.out)["employees"];
    }
};

TEST_F(ResidentTaxImportToolTest, PreviewsThenSavesTheAcceptedLinesOfTheLatestSavedMonth) {
    const std::string file = demoFile("2026-08-20");
    const nlohmann::json before = employees(file, 7);
    const nlohmann::json june = employees(file, 6);
    const std::string code = before[0]["employeeCode"];
    const fs::path csv = folder_ / "juumin.csv";
    writeFileAtomic(csv, "\xEF\xBB\xBF社員コード,6月分,7月以降\r\n" + code +
                             ",\"12,300\",12000\r\nNOBODY,1,1\r\n");
    const std::string command = "employees import-resident-tax '" + file + "' " + csv.string();

    const std::string bytes = readFile(file);
    const ToolRun preview = runTool(command);
    EXPECT_EQ(preview.exitCode, 1);  // a line was refused
    EXPECT_EQ(readFile(file), bytes);
    const auto json = nlohmann::json::parse(preview.out);
    EXPECT_EQ(json["period"], 7);  // August is not saved yet
    ASSERT_EQ(json["changes"].size(), 1u);
    EXPECT_EQ(json["changes"][0]["code"], code);
    EXPECT_EQ(json["changes"][0]["name"], before[0]["name"]);
    EXPECT_EQ(json["changes"][0]["june"]["old"], before[0]["residentTaxJune"]);
    EXPECT_EQ(json["changes"][0]["june"]["new"], 12'300);
    EXPECT_EQ(json["changes"][0]["later"]["new"], 12'000);
    ASSERT_EQ(json["refused"].size(), 1u);
    EXPECT_EQ(json["refused"][0]["line"], 3);
    EXPECT_EQ(json["refused"][0]["reason"], "社員コード[NOBODY]の社員は登録されていません");
    EXPECT_EQ(json["saved"], false);

    const ToolRun saved = runTool(command + " --save");
    EXPECT_EQ(saved.exitCode, 1);
    EXPECT_EQ(nlohmann::json::parse(saved.out)["saved"], true);
    const nlohmann::json after = employees(file, 7);
    EXPECT_EQ(after[0]["residentTaxJune"], 12'300);
    EXPECT_EQ(after[0]["residentTax"], 12'000);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_EQ(employees(file, 6), june);  // only the month written changes
}

TEST_F(ResidentTaxImportToolTest, RefusesMonthsBeforeJuneAndFilesWithoutAHeader) {
    const std::string file = demoFile("2026-05-20");
    const fs::path csv = folder_ / "juumin.csv";
    writeFileAtomic(csv, "code,june,later\r\n");
    const std::string command = "employees import-resident-tax '" + file + "' " + csv.string();
    const std::string bytes = readFile(file);
    EXPECT_EQ(runTool(command + " --save").exitCode, 1);  // the latest saved month is April
    EXPECT_EQ(runTool(command + " --period 6 --save").exitCode, 1);  // June never saved
    EXPECT_EQ(runTool(command + " --period 5").exitCode, 1);
    EXPECT_EQ(readFile(file), bytes);
    EXPECT_EQ(runTool("employees import-resident-tax '" + file + "'").exitCode, 2);
}

}  // namespace
}  // namespace keiro
