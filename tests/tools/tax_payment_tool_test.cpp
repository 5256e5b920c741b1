// `keiro-tool report tax-payment` on the demo company of 2026-12-09: the totals agree with the
// saved November as `calc period` shows it, the CSV and the PDF carry the same figures, and
// wrong usage is refused before anything is written.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/text.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_output.h"

namespace keiro {
namespace {

using nlohmann::json;
using testing_support::quoted;
using testing_support::runTool;

class TaxPaymentToolTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new testing_support::TempFolder("keiro-tax-tool");
        const testing_support::ToolRun made =
            runTool("demo --root " + quoted(folder_->path()) + " --date 2026-12-09");
        ASSERT_EQ(made.exitCode, 0);
        file_ = json::parse(made.out)["yearFiles"].back().get<std::string>();
    }
    static void TearDownTestSuite() { delete folder_; }

    static testing_support::ToolRun report(const std::string& options) {
        return runTool("report tax-payment " + quoted(file_) + " --root " +
                       quoted(folder_->path()) + " " + options);
    }

    static testing_support::TempFolder* folder_;
    static std::filesystem::path file_;
    testing_support::TempFolder out_{"keiro-tax-out"};
};

testing_support::TempFolder* TaxPaymentToolTest::folder_ = nullptr;
std::filesystem::path TaxPaymentToolTest::file_;

TEST_F(TaxPaymentToolTest, NovemberIsTheSavedSalaryOfNovemberInCsvAndPdf) {
    const testing_support::ToolRun calc =
        runTool("calc period " + quoted(file_) + " --period 11 --root " + quoted(folder_->path()));
    ASSERT_EQ(calc.exitCode, 0);
    long long people = 0, paid = 0, tax = 0;
    for (const json& slot : json::parse(calc.out)) {
        const long long taxable = slot["taxablePayTotal"];
        const long long withheld = slot["incomeTax"];
        if (taxable <= 0 && withheld == 0) continue;
        ++people;
        paid += taxable;
        tax += withheld;
    }

    const std::filesystem::path csv = out_.path() / "11.csv";
    const testing_support::ToolRun done = report("--month 11 --csv " + quoted(csv));
    ASSERT_EQ(done.exitCode, 0);
    const json out = json::parse(done.out);
    EXPECT_EQ(out, json::parse("{\"salary\":{\"people\":" + std::to_string(people) + ",\"paid\":" +
                               std::to_string(paid) + ",\"tax\":" + std::to_string(tax) +
                               "},\"bonus\":{\"people\":0,\"paid\":0,\"tax\":0},"
                               "\"yearEnd\":{\"refund\":0,\"collect\":0},\"total\":" +
                               std::to_string(tax) + "}"));
    std::ifstream in(csv, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string lines = text::fromCp932(bytes.str());
    EXPECT_NE(lines.find("俸給・給料等,令和8年11月25日," + std::to_string(people) + "," +
                         std::to_string(paid) + "," + std::to_string(tax) + "\r\n"),
              std::string::npos)
        << lines;
    EXPECT_EQ(std::filesystem::status(csv).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    const std::filesystem::path pdf = out_.path() / "half.pdf";
    const testing_support::ToolRun half = report("--half 2 --pdf " + quoted(pdf));
    ASSERT_EQ(half.exitCode, 0);
    const json halfOut = json::parse(half.out);
    EXPECT_GT(halfOut["salary"]["people"].get<int>(), people);  // July to November, 延べ
    EXPECT_GT(halfOut["bonus"]["tax"].get<long long>(), 0);     // the summer bonus
    EXPECT_EQ(halfOut["total"].get<long long>(),
              halfOut["salary"]["tax"].get<long long>() + halfOut["bonus"]["tax"].get<long long>());
    const std::string text = testing_support::pdfText(pdf);
    EXPECT_NE(text.find("所得税徴収高計算書"), std::string::npos);
    EXPECT_NE(text.find("令和8年7月〜12月分"), std::string::npos);
    EXPECT_NE(text.find("株式会社サンプル商事"), std::string::npos);
}

TEST_F(TaxPaymentToolTest, WrongUsageIsRefusedBeforeAnythingIsWritten) {
    const std::filesystem::path csv = out_.path() / "x.csv";
    for (const std::string options :
         {"--month 11 --half 1 --csv ", "--csv ", "--month 13 --csv ", "--half 3 --csv ",
          "--month 11 --pdf x.pdf --csv ", "--month 11 --slots 1 --csv "}) {
        SCOPED_TRACE(options);
        EXPECT_EQ(report(options + quoted(csv)).exitCode, 2);
    }
    EXPECT_EQ(report("--month 11").exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(csv));
    EXPECT_EQ(runTool("report tax-payment " + quoted(out_.path() / "令和08年給与･賞与.dat") +
                      " --month 1 --root " + quoted(folder_->path()) + " --csv " + quoted(csv))
                  .exitCode,
              1);  // no such file
}

}  // namespace
}  // namespace keiro
