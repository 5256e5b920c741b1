// keiro-tool withholding calc: the year-end calculation of one employee through the real
// program, on the sample company's 2026 and on small year files written here.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "core/fileio.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_output.h"
#include "tests/withholding_model/year_files.h"
#include "withholding/model/withholding_file.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;
using testing_support::runTool;
using testing_support::ToolRun;
using namespace keiro::withholding;

using testing_support::quoted;

class WithholdingCalc : public ::testing::Test {
  protected:
    // A calculation's JSON; an empty object when the command failed.
    ordered_json calc(const fs::path& yearFile, int slot, const std::string& extra = "") {
        const ToolRun run = runTool(command(yearFile, slot, extra));
        EXPECT_EQ(run.exitCode, 0) << extra;
        return run.exitCode == 0 ? ordered_json::parse(run.out) : ordered_json::object();
    }

    int exitCode(const fs::path& yearFile, int slot, const std::string& extra) {
        return runTool(command(yearFile, slot, extra)).exitCode;
    }

    std::string command(const fs::path& yearFile, int slot, const std::string& extra) const {
        return "withholding calc " + quoted(yearFile) + " --slot " + std::to_string(slot) +
               " --root " + quoted(root_) + " " + extra;
    }

    fs::path dataFolder() const { return root_ / "Vondel" / "Keiro" / "Data"; }

    // A year file holding one employee in slot 1 of December with the year's totals.
    fs::path writeYear(const std::string& name, int paid, int socialInsurance, int withheld) {
        fs::create_directories(dataFolder());
        withholding::testing::YearFileWriter writer;
        writer.put(12, 1, "000001", paid, socialInsurance, withheld).name.assign("山田 太郎");
        const fs::path path = dataFolder() / name;
        writer.write(path);
        return path;
    }

    testing_support::TempFolder folder_{"keiro-wh-calc"};
    fs::path root_ = folder_ / "root";
};

TEST_F(WithholdingCalc, TheSampleCompanysYearWithoutWritingAnything) {
    ASSERT_EQ(runTool("demo --root " + quoted(root_) + " --date 2027-01-15").exitCode, 0);
    const fs::path yearFile = dataFolder() / "令和08年給与･賞与.dat";
    const std::string yearBytes = readFile(yearFile);

    const std::vector<std::string> keys{
        "paid",      "withheld",   "socialInsurance", "incomeAfterDeduction", "totalDeductions",
        "annualTax", "difference", "status"};
    bool refund = false;
    for (int slot = 1; slot <= 7; ++slot) {
        SCOPED_TRACE(slot);
        const ordered_json out = calc(yearFile, slot);
        std::vector<std::string> seen;
        for (const auto& [key, value] : out.items()) {
            seen.push_back(key);
            EXPECT_TRUE(value.is_number_integer()) << key;
        }
        EXPECT_EQ(seen, keys);
        EXPECT_EQ(out["difference"].get<int>(),
                  out["annualTax"].get<int>() - out["withheld"].get<int>());
        EXPECT_EQ(out["status"], 1);
        EXPECT_GT(out["paid"].get<int>(), 1'000'000);
        refund = refund || out["difference"].get<int>() < 0;
    }
    EXPECT_TRUE(refund) << "some employee of the sample gets money back";

    // A hand-entered amount is kept, and the totals do not overwrite it.
    const ordered_json typed = calc(yearFile, 1, "--set annualTax=5000 --set withheld=7000");
    EXPECT_EQ(typed["annualTax"], 5000);
    EXPECT_EQ(typed["withheld"], 7000);
    EXPECT_EQ(typed["difference"], -2000);

    // Nothing was written: no withholding file, the year file as it was.
    EXPECT_FALSE(fs::exists(dataFolder() / "源泉徴収(令和08年).dat"));
    EXPECT_EQ(readFile(yearFile), yearBytes);
}

TEST_F(WithholdingCalc, AnExistingWithholdingFileIsReadAndLeftAlone) {
    const fs::path yearFile = writeYear("令和08年給与･賞与.dat", 5'000'000, 750'000, 120'000);
    WithholdingFile file(true);
    file.record(1).spouseDeductible = 1;
    const fs::path path = dataFolder() / "源泉徴収(令和08年).dat";
    file.save(path);
    const std::string before = readFile(path);

    const ordered_json out = calc(yearFile, 1);
    // 3,560,000 after the employment deduction; 750,000 + 1,040,000 + the spouse's 380,000
    // deducted; 1,390,000 taxable: 69,500 × 1.021 = 70,959.
    EXPECT_EQ(out, ordered_json::parse(R"({"paid":5000000,"withheld":120000,
        "socialInsurance":750000,"incomeAfterDeduction":3560000,"totalDeductions":2170000,
        "annualTax":70900,"difference":-49100,"status":1})"));
    EXPECT_EQ(readFile(path), before);

    // Not adjusted: the tax actually withheld, no 過不足.
    const ordered_json notAdjusted = ordered_json::parse(R"({"paid":5000000,"withheld":120000,
        "socialInsurance":750000,"incomeAfterDeduction":0,"totalDeductions":0,
        "annualTax":120000,"difference":0,"status":2})");
    EXPECT_EQ(calc(yearFile, 1, "--set otsu=1"), notAdjusted);
    EXPECT_EQ(calc(yearFile, 1, "--set left=1 --set leftDate=2026-06-30"), notAdjusted);
    EXPECT_EQ(calc(yearFile, 1, "--set left=1 --set leftReason=none"), notAdjusted);
    for (const char* reason : {"death", "disability", "december", "parttime"}) {
        const ordered_json adjusted =
            calc(yearFile, 1, std::string("--set left=1 --set leftReason=") + reason);
        EXPECT_EQ(adjusted["status"], 1) << reason;
        EXPECT_EQ(adjusted["annualTax"], 70'900) << reason;
    }
    EXPECT_EQ(calc(yearFile, 1, "--set otsu=1 --set left=1 --set leftReason=death"), notAdjusted);
}

TEST_F(WithholdingCalc, CalcAllReportsEveryEmployeeAndSavesOnlyWhenAsked) {
    ASSERT_EQ(runTool("demo --root " + quoted(root_) + " --date 2027-01-15").exitCode, 0);
    const fs::path yearFile = dataFolder() / "令和08年給与･賞与.dat";
    const fs::path withholdingFile = dataFolder() / "源泉徴収(令和08年).dat";
    const std::string command =
        "withholding calc-all " + quoted(yearFile) + " --root " + quoted(root_);
    const ToolRun dry = runTool(command);
    ASSERT_EQ(dry.exitCode, 0);
    EXPECT_FALSE(fs::exists(withholdingFile));
    const ordered_json out = ordered_json::parse(dry.out);

    const std::vector<std::string> keys{"slot",     "name",       "status", "annualTax",
                                        "withheld", "difference", "refusal"};
    int calculated = 0;
    int notAdjusted = 0;
    for (const ordered_json& e : out["employees"]) {
        std::vector<std::string> seen;
        for (const auto& [key, value] : e.items()) seen.push_back(key);
        EXPECT_EQ(seen, keys);
        EXPECT_TRUE(e["refusal"].is_null());
        const int slot = e["slot"].get<int>();
        const ordered_json one = calc(yearFile, slot);
        EXPECT_EQ(e["status"], one["status"]) << slot;
        EXPECT_EQ(e["annualTax"], one["annualTax"]) << slot;
        EXPECT_EQ(e["difference"], one["difference"]) << slot;
        (e["status"] == 2 ? notAdjusted : calculated) += 1;
    }
    EXPECT_EQ(out["employees"].size(), 10u);
    EXPECT_EQ(out["employees"][0]["name"].get<std::string>().rfind("佐藤", 0), 0u);
    EXPECT_EQ(
        out["summary"],
        (ordered_json{{"calculated", calculated}, {"notAdjusted", notAdjusted}, {"refused", 0}}));
    EXPECT_GE(notAdjusted, 1) << "the 乙欄 employee";

    ASSERT_EQ(runTool(command + " --save").exitCode, 0);
    ASSERT_TRUE(fs::exists(withholdingFile));
    EXPECT_EQ(fs::status(withholdingFile).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    const WithholdingFile saved = WithholdingFile::load(withholdingFile, true);
    EXPECT_EQ(saved.record(1).adjustStatus, kCalculated);
    EXPECT_EQ(saved.record(1).figuresStored, 1);
    EXPECT_EQ(saved.record(1).annualTax, out["employees"][0]["annualTax"].get<int>());
}

TEST_F(WithholdingCalc, WrongUseIsRefused) {
    const fs::path yearFile = writeYear("令和08年給与･賞与.dat", 3'000'000, 400'000, 50'000);
    for (const char* extra :
         {"--set nosuchKey=1", "--set widow=3", "--set spouse=-1", "--set paid=abc", "--set paid",
          "--set under16=100", "--set paid=2147483648", "--set", "--slot 0", "--other x",
          "--set leftDate=2025-12-31", "--set leftDate=2026-02-30", "--set leftDate=20260630",
          "--set leftReason=retired", "--set left=2"}) {
        EXPECT_EQ(exitCode(yearFile, 1, extra), 2) << extra;
    }
    EXPECT_EQ(exitCode(yearFile, 2, ""), 2) << "no employee in slot 2";
    EXPECT_EQ(runTool("withholding calc " + quoted(yearFile)).exitCode, 2) << "no --slot";
    EXPECT_EQ(exitCode(dataFolder() / "令和07年給与･賞与.dat", 1, ""), 1) << "no such file";
    EXPECT_FALSE(fs::exists(dataFolder() / "源泉徴収(令和08年).dat"));
}

// The issue's 2025 figure through the tool: pay 9,500,000, social insurance 1,300,000 and a
// dependant of 17 by birth date give the 所得金額調整控除: 623,300 (643,700 by count alone).
TEST_F(WithholdingCalc, DeclarationsByBirthDateAndPremiumsPaidReachTheTax) {
    const fs::path yearFile = writeYear("令和07年給与･賞与.dat", 9'500'000, 1'300'000, 600'000);
    EXPECT_EQ(calc(yearFile, 1, "--set generalDependants=1")["annualTax"], 643'700);
    EXPECT_EQ(calc(yearFile, 1, "--set dependant1Birth=2008-06-01")["annualTax"], 623'300);

    const ordered_json totals =
        calc(yearFile, 1,
             "--set nationalPension=200000 --set otherSocial=100000 --set prevPay=1000000 "
             "--set prevTax=20000 --set prevSocial=50000");
    EXPECT_EQ(totals["socialInsurance"], 1'650'000);
    EXPECT_EQ(totals["paid"], 10'500'000);
    EXPECT_EQ(totals["withheld"], 620'000);

    for (const char* extra :
         {"--set dependant1Birth=2008-02-30", "--set dependant5Birth=2008-01-01",
          "--set spouseBirth=2026-01-01", "--set under16_1Relation=cousin",
          "--set dependant1Reason=poor", "--set dependant1NonResident=2", "--set prevPay=-1",
          "--set spouseReason=student"}) {
        EXPECT_EQ(exitCode(yearFile, 1, extra), 2) << extra;
    }
}

TEST_F(WithholdingCalc, OlderYearsAndTheRoundingSetting) {
    // 平成30 (2018): 3,460,000 after the deduction, 750,000 + 380,000 deducted, 2,330,000
    // taxable: 135,500 × 1.021 = 138,345.
    const fs::path year2018 = writeYear("平成30年給与･賞与.dat", 5'000'000, 750'000, 100'000);
    EXPECT_EQ(calc(year2018, 1)["annualTax"], 138'300);
    writeFileAtomic(root_ / "Vondel" / "Keiro" / "Keiro.ini", "[Option]\r\nHasuuCut=0\r\n");
    EXPECT_EQ(calc(year2018, 1)["annualTax"], 138'345);

    // 平成27 (2015): 500-byte records; the spouse flag is their first spouse byte, and the
    // inputs of the later records are refused.
    const fs::path year2015 = writeYear("平成27年給与･賞与.dat", 5'000'000, 750'000, 100'000);
    EXPECT_EQ(calc(year2015, 1, "--set spouse=1")["totalDeductions"], 750'000 + 380'000 * 2);
    EXPECT_EQ(exitCode(year2015, 1, "--set singleParent=1"), 2);
    EXPECT_EQ(exitCode(year2015, 1, "--set smallBusinessMutualAid=1"), 2);
    EXPECT_EQ(exitCode(year2015, 1, "--set leftReason=death"), 2);
}

}  // namespace
}  // namespace keiro
