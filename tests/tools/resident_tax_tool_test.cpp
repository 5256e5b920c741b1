// report resident-tax on the sample company: the municipalities given to some employees, the
// rest grouped as unset, the total every yen of the period's residence tax, and both outputs.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

#include "core/fileio.h"
#include "core/text.h"
#include "core/yearfile.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_output.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing_support::quoted;
using testing_support::runTool;

constexpr int kNovember = 11;

TEST(ResidentTaxToolTest, MunicipalitiesTheirPeopleAndEveryYenOfThePeriod) {
    testing_support::TempFolder folder("keiro-resident-tax-tool");
    const fs::path root = folder / "root";
    const auto demo = runTool("demo --root " + quoted(root) + " --date 2026-12-08");
    ASSERT_EQ(demo.exitCode, 0);
    const fs::path file = json::parse(demo.out)["yearFiles"].back().get<std::string>();

    // Slots 1 and 3 pay to 千代田区, slot 2 to 横浜市; the others have no municipality.
    std::unique_ptr<PeriodBlock> block = readPeriodBlock(file, kNovember);
    const auto give = [&](int slot, int code, const char* name) {
        block->employee(slot).residentTaxCityCode = code;
        block->employee(slot).residentTaxCity.assign(name);
    };
    give(1, 131016, "千代田区");
    give(2, 141003, "横浜市");
    give(3, 131016, "千代田区");
    rewriteSavedBlocks(file, {{kNovember, block.get()}});
    long long all = 0, chiyoda = 0;
    int people = 0;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const long long tax = int(block->deductions[slot - 1].residentTaxAmount);
        if (!block->employee(slot).isUsed() || tax == 0) continue;
        all += tax;
        ++people;
        if (slot == 1 || slot == 3) chiyoda += tax;
    }
    ASSERT_GT(all, 0) << "the sample company deducts residence tax in November";

    const fs::path csv = folder / "list.csv";
    const std::string command =
        "report resident-tax " + quoted(file) + " --period 11 --root " + quoted(root);
    const auto run = runTool(command + " --csv " + quoted(csv));
    ASSERT_EQ(run.exitCode, 0);
    const json out = json::parse(run.out);
    EXPECT_EQ(out["period"], 11);
    const json& lines = out["municipalities"];
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0]["code"], "131016");
    EXPECT_EQ(lines[0]["name"], "千代田区");
    EXPECT_EQ(lines[0]["amount"], chiyoda);
    EXPECT_EQ(lines[1]["code"], "141003");
    if (lines.size() == 3) {
        EXPECT_EQ(lines[2]["name"], "納付先未設定");
    }
    EXPECT_EQ(out["total"]["amount"], all);
    EXPECT_EQ(out["total"]["people"], people);
    long long summed = 0;
    for (const json& line : lines) summed += line["amount"].get<long long>();
    EXPECT_EQ(summed, all);

    const std::string text = text::fromCp932(readFile(csv));
    EXPECT_NE(text.find("\r\n,合計," + std::to_string(people) + "," + std::to_string(all) + "\r\n"),
              std::string::npos);

    const fs::path pdf = folder / "list.pdf";
    EXPECT_EQ(runTool(command + " --pdf " + quoted(pdf)).exitCode, 0);
    EXPECT_EQ(readFile(pdf).substr(0, 5), "%PDF-");

    EXPECT_EQ(runTool(command).exitCode, 2);  // neither output
    EXPECT_EQ(runTool(command + " --pdf a --csv b").exitCode, 2);
    EXPECT_EQ(runTool("report resident-tax " + quoted(file) + " --period 15 --root " +
                      quoted(root) + " --csv " + quoted(csv))
                  .exitCode,
              1);  // never saved
}

}  // namespace
}  // namespace keiro
