// `keiro-tool print slips`: the demo company's pay slips as a PDF whose text holds the names and
// the net pay the calculation gives, and as pictures, one per employee, inside the folder.
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
using testing_support::pdfText;
using testing_support::quoted;
using testing_support::runTool;
using testing_support::ToolRun;
using testing_support::withSeparators;

class PrintToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const ToolRun demo = runTool("demo --root " + quoted(root_) + " --date 2026-12-09");
        ASSERT_EQ(demo.exitCode, 0);
        file_ = json::parse(demo.out)["yearFiles"].back().get<std::string>();
    }

    ToolRun printSlips(const std::string& options) {
        return runTool("print slips " + quoted(file_) + " --root " + quoted(root_) + " " + options);
    }

    testing_support::TempFolder folder_{"keiro-print-tool"};
    fs::path root_ = folder_.path() / "root";
    fs::path file_;
};

TEST_F(PrintToolTest, SlipsPdfHoldsNamesAndNetPay) {
    const fs::path pdf = folder_.path() / "slips.pdf";
    const ToolRun run = printSlips("--period 11 --form-type 3 --slots 2,1,3 --pdf " + quoted(pdf));
    ASSERT_EQ(run.exitCode, 0);
    const json out = json::parse(run.out);
    EXPECT_EQ(out["sheets"], 2);  // three slips, two to a sheet
    EXPECT_EQ(out["slips"], 3);

    const std::string text = pdfText(pdf);
    if (text.empty()) GTEST_SKIP() << "poppler-utils are not installed";
    const ToolRun calc =
        runTool("calc period " + quoted(file_) + " --period 11 --root " + quoted(root_));
    ASSERT_EQ(calc.exitCode, 0);
    for (const json& slot : json::parse(calc.out)) {
        if (slot["slot"] > 3) continue;
        EXPECT_NE(text.find(withSeparators(slot["net"].get<long long>())), std::string::npos)
            << slot["name"];
    }
    EXPECT_NE(text.find("明細書"), std::string::npos);
}

TEST_F(PrintToolTest, PicturesOnePerEmployeeInsideTheFolder) {
    const fs::path pictures = folder_.path() / "pictures";
    fs::create_directory(pictures);
    const ToolRun run = printSlips("--period 13 --slots 1,2 --jpeg " + quoted(pictures));
    ASSERT_EQ(run.exitCode, 0);
    const json files = json::parse(run.out)["files"];
    ASSERT_EQ(files.size(), 2u);
    for (const json& file : files) {
        const fs::path path = file.get<std::string>();
        EXPECT_EQ(path.parent_path(), pictures);
        EXPECT_EQ(path.extension(), ".jpg");
        EXPECT_EQ(path.filename().string().rfind("夏期賞与[", 0), 0u) << path;
        EXPECT_GT(fs::file_size(path), 1000u);
    }
}

TEST_F(PrintToolTest, RefusesWhatItCannotPrint) {
    EXPECT_EQ(printSlips("--period 14 --pdf " + quoted(folder_.path() / "x.pdf")).exitCode, 1)
        << "the winter bonus is not saved yet";
    EXPECT_EQ(printSlips("--period 11 --slots 99 --pdf x.pdf").exitCode, 2);
    EXPECT_EQ(printSlips("--period 11").exitCode, 2);  // neither --pdf nor --jpeg
    EXPECT_EQ(printSlips("--period 11 --pdf " + quoted(folder_.path() / "no" / "x.pdf")).exitCode,
              1);
}

}  // namespace
}  // namespace keiro
