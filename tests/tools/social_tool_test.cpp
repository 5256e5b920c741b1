// social santei|getsuhen|bonus and labour totals on the sample company: the JSON shapes the
// outside checks rely on, figures consistent with the stored pay, and refused arguments.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_output.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing_support::runTool;
using testing_support::ToolRun;

using testing_support::quoted;

class SocialToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const ToolRun run = runTool("demo --root " + quoted(root_) + " --date 2026-12-08");
        ASSERT_EQ(run.exitCode, 0);
        file_ = json::parse(run.out)["yearFiles"].back().get<std::string>();
    }
    json run(const std::string& arguments, int expectedExit = 0) {
        const ToolRun r = runTool(arguments);
        EXPECT_EQ(r.exitCode, expectedExit) << arguments;
        return r.exitCode == 0 ? json::parse(r.out) : json();
    }
    std::string onFile(const std::string& command) const {
        return command + " " + quoted(file_) + " --root " + quoted(root_);
    }

    testing_support::TempFolder folder_{"keiro-social-tool"};
    fs::path root_ = folder_ / "root";
    fs::path file_;
};

TEST_F(SocialToolTest, SanteiListsEveryInsuredEmployeeWithTheAgreedKeys) {
    const json list = run(onFile("social santei"));
    ASSERT_TRUE(list.is_array());
    ASSERT_FALSE(list.empty());
    for (const json& line : list) {
        for (const char* key : {"slot", "name", "months", "total", "average", "adjustedAverage",
                                "healthGrade", "pensionGrade", "previousHealthGrade", "excluded"}) {
            EXPECT_TRUE(line.contains(key)) << key;
        }
        ASSERT_EQ(line["months"].size(), 3u);
        EXPECT_EQ(line["months"][0]["month"], 4);
        if (!line["excluded"].is_null() || line["average"].is_null()) continue;
        // The average is the counted months' pay ÷ their number, cut to the yen.
        long long total = 0;
        int counted = 0;
        for (const json& m : line["months"]) {
            EXPECT_TRUE(m.contains("days") && m.contains("pay") && m.contains("counted"));
            if (m["counted"].get<bool>()) {
                total += m["pay"].get<long long>();
                ++counted;
            }
        }
        ASSERT_GT(counted, 0);
        EXPECT_EQ(line["total"].get<long long>(), total) << line["name"];
        EXPECT_EQ(line["average"].get<long long>(), total / counted) << line["name"];
        EXPECT_GE(line["healthGrade"].get<int>(), 1);
    }
}

TEST_F(SocialToolTest, GetsuhenAndBonusAndLabourTotals) {
    EXPECT_TRUE(run(onFile("social getsuhen")).is_array());

    const json bonus = run(onFile("social bonus") + " --period 13");
    EXPECT_EQ(bonus["period"], 13);
    ASSERT_FALSE(bonus["employees"].empty());
    for (const json& e : bonus["employees"]) {
        EXPECT_EQ(e["standardBonus"].get<long long>(), e["bonus"].get<long long>() / 1000 * 1000);
        EXPECT_LE(e["pensionBase"].get<long long>(), 1'500'000);
        EXPECT_EQ(e["payDate"], "2026-07-10");
    }
    run(onFile("social bonus") + " --period 14", 2);  // never paid
    run(onFile("social bonus") + " --period 3", 2);

    // Fiscal 2026: the sample has no 令和9 file, so January to March are missing.
    const json labour = run("labour totals --root " + quoted(root_) + " --fiscal-year 2026");
    const json missing = labour["missingMonths"];
    ASSERT_GE(missing.size(), 3u);
    EXPECT_EQ(missing.back(), "3月");
    EXPECT_EQ(labour["employmentRate"], 1'350);
    EXPECT_EQ(labour["accidentBase"].get<long long>() % 1000, 0);
    if (labour["accidentBase"] != labour["employmentBase"]) {
        EXPECT_EQ(labour["accidentPremium"].get<long long>(),
                  labour["accidentBase"].get<long long>() * 300 / 100'000);
    }
    EXPECT_EQ(labour["levy"].get<long long>(),
              labour["accidentBase"].get<long long>() * 2 / 100'000);
    // The 2027 rate is not known yet: no 概算 for fiscal 2027 and, without fiscal 2025 files,
    // no 精算 either.
    EXPECT_TRUE(labour["nextEstimate"].is_null());
    EXPECT_TRUE(labour["settlement"].is_null());

    // Fiscal 2025 settled against the 概算 the clerk says was paid; fiscal 2026's 概算 on its
    // bases.
    const json settled =
        run("labour totals --root " + quoted(root_) + " --fiscal-year 2025 --estimate-paid 500000");
    const json& next = settled["nextEstimate"];
    EXPECT_EQ(next["accidentBase"], settled["accidentBase"]);
    EXPECT_EQ(next["employmentRate"], 1'350);
    const json& s = settled["settlement"];
    EXPECT_EQ(s["confirmed"].get<long long>(), settled["accidentPremium"].get<long long>() +
                                                   settled["employmentPremium"].get<long long>());
    EXPECT_EQ(s["surplus"].get<long long>(), 500'000 - s["confirmed"].get<long long>());
    EXPECT_EQ(s["credited"], next["total"]);
    EXPECT_EQ(s["payment"], settled["levy"]);
    run("labour totals --root " + quoted(root_) + " --fiscal-year 2025 --estimate-paid -1", 2);
    run("labour totals --root " + quoted(root_) + " --fiscal-year 2019", 1);  // no rates
    run("labour totals --fiscal-year 2026", 2);                               // --root is required
}

}  // namespace
}  // namespace keiro
