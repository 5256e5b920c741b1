// keiro-tool withholding info: the JSON of a withholding file, through the real program.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

#include "core/fileio.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "withholding/model/withholding_file.h"

namespace keiro {
namespace {

using nlohmann::json;
using testing_support::runTool;
using testing_support::ToolRun;
using namespace keiro::withholding;

TEST(WithholdingInfo, ListsHeaderAndTheSlotsWithData) {
    testing_support::TempFolder folder("keiro-wh-info");
    const auto path = folder / "源泉徴収(令和08年).dat";
    WithholdingFile file(true);
    file.header().phone.assign("03-1234-5678");
    WithholdingRecord& r = file.record(5);
    r.address1.assign("東京都港区");
    r.paid = 4'800'000;
    r.spouse.myNumber = 123456789012;
    r.incomeEstimateEntered = 1;
    r.incomeEstimate = 0;
    r.adjustStatus = kCalculated;
    r.spouse.birth = {80, 2, 29};
    r.spouse.relationship = kRelationWife;
    r.dependantEntries[1].nonResidentReason = kNonResidentStudent;
    r.earthquakePremium = 30'000;
    file.supplement(5).previousEmployers[0].payerName.assign("前田商店");
    file.supplement(5).previousEmployers[0].tax = 20'000;
    file.record(9).annualTax = 1;
    file.save(path);

    const ToolRun run = runTool("withholding info '" + path.string() + "'");
    ASSERT_EQ(run.exitCode, 0);
    const json out = json::parse(run.out);
    EXPECT_TRUE(out["currentFormat"]);
    EXPECT_EQ(out["header"]["phone"], "03-1234-5678");
    ASSERT_EQ(out["records"].size(), 2u);
    const json& five = out["records"][0];
    EXPECT_EQ(five["slot"], 5);
    EXPECT_EQ(five["address1"], "東京都港区");
    EXPECT_EQ(five["paid"], 4'800'000);
    EXPECT_EQ(five["spouse"]["myNumber"], 123456789012);
    EXPECT_EQ(five["incomeEstimate"], 0) << "an entered estimate of 0 is not 'not entered'";
    EXPECT_EQ(five["adjustStatus"], 1);
    EXPECT_EQ(five["spouse"]["birth"], "1980-02-29");
    EXPECT_EQ(five["spouse"]["relationship"], kRelationWife);
    EXPECT_TRUE(five["dependantEntries"][0]["birth"].is_null());
    EXPECT_EQ(five["dependantEntries"][1]["nonResidentReason"], kNonResidentStudent);
    EXPECT_EQ(five["earthquakePremium"], 30'000);
    EXPECT_EQ(five["previousEmployers"][0]["payerName"], "前田商店");
    EXPECT_EQ(five["previousEmployers"][0]["tax"], 20'000);
    EXPECT_EQ(five["moreDependants"].size(), 5u);
    EXPECT_TRUE(out["records"][1]["incomeEstimate"].is_null());
}

TEST(WithholdingInfo, LegacyYearsAndDamagedFiles) {
    testing_support::TempFolder folder("keiro-wh-info");
    const auto legacyPath = folder / "源泉徴収(平成27年).dat";
    WithholdingFile legacy(false);
    legacy.legacyRecord(2).spouseFlags[LegacyWithholdingRecord::kSpouseNo] = 1;
    legacy.save(legacyPath);
    const ToolRun run = runTool("withholding info '" + legacyPath.string() + "'");
    ASSERT_EQ(run.exitCode, 0);
    const json out = json::parse(run.out);
    EXPECT_FALSE(out["currentFormat"]);
    ASSERT_EQ(out["records"].size(), 1u);
    EXPECT_EQ(out["records"][0]["spouseFlags"], json({0, 1, 0, 0}));

    // A legacy-sized file under a current-format name is damaged, not misread.
    const auto wrong = folder / "源泉徴収(平成28年).dat";
    writeFileAtomic(wrong, legacy.bytes());
    EXPECT_EQ(runTool("withholding info '" + wrong.string() + "'").exitCode, 1);
    EXPECT_EQ(runTool("withholding show x").exitCode, 2);
}

}  // namespace
}  // namespace keiro
