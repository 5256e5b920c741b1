// keiro-tool withholding settle: the 過不足 of the calculated employees written into a pay period
// of the sample company's 2026, reported first without writing, then written.
#include <gtest/gtest.h>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/fileio.h"
#include "core/year_end_settlement.h"
#include "core/year_view.h"
#include "core/yearfile.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_output.h"
#include "withholding/model/opening.h"
#include "withholding/model/withholding_file.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;
using testing_support::quoted;
using testing_support::runTool;
using namespace keiro::withholding;

class WithholdingSettle : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(runTool("demo --root " + quoted(root_) + " --date 2027-01-15").exitCode, 0);
        // Two employees at work in December are calculated: one owes tax, one is refunded; a
        // third at work stays 未処理 and is left out.
        YearView year(yearFile_);
        const WithholdingPaths paths =
            withholdingPathsFor(yearFile_, EraYear{"令和", 8}, EraNames{"平成", "令和"});
        WithholdingFile file = buildWithholdingFile(year, paths);
        const std::array<std::pair<int, int>, 2> taxes = {{{100'000, 91'300}, {50'000, 62'000}}};
        std::size_t next = 0;
        for (int slot = 1; slot <= kMaxEmployees && next < taxes.size(); ++slot) {
            const EmployeeRecord& e = year.block(12).employee(slot);
            if (!e.isUsed() || e.workStatus != 1) continue;
            WithholdingRecord& r = file.record(slot);
            r.adjustStatus = kCalculated;
            r.annualTax = taxes[next].first;
            r.withheld = taxes[next].second;
            slots_.push_back(slot);
            ++next;
        }
        file.save(paths.file);
    }

    std::string command(int period, const std::string& extra = "") const {
        return "withholding settle " + quoted(yearFile_) + " --period " + std::to_string(period) +
               " --root " + quoted(root_) + extra;
    }

    const DeductionRecord& december(int slot) {
        block_ = readPeriodBlock(yearFile_, 12);
        return block_->deductions[slot - 1];
    }

    testing_support::TempFolder folder_{"keiro-wh-settle"};
    fs::path root_ = folder_ / "root";
    fs::path yearFile_ = root_ / "Vondel" / "Keiro" / "Data" / "令和08年給与･賞与.dat";
    std::vector<int> slots_;
    std::unique_ptr<PeriodBlock> block_;
};

TEST_F(WithholdingSettle, ADryRunReportsWhatSavingThenWrites) {
    ASSERT_EQ(slots_.size(), 2u);
    const std::string before = readFile(yearFile_);
    const testing_support::ToolRun dry = runTool(command(12));
    ASSERT_EQ(dry.exitCode, 0);
    EXPECT_EQ(readFile(yearFile_), before);
    const ordered_json report = ordered_json::parse(dry.out);
    EXPECT_EQ(report["period"], 12);
    EXPECT_EQ(report["saved"], false);
    ASSERT_EQ(report["employees"].size(), 2u);
    const ordered_json& owes = report["employees"][0];
    EXPECT_EQ(owes["slot"], slots_[0]);
    EXPECT_EQ(owes["amount"], 8'700);
    EXPECT_EQ(owes["netPayAfter"].get<long long>(), owes["netPayBefore"].get<long long>() - 8'700);
    const ordered_json& refund = report["employees"][1];
    EXPECT_EQ(refund["amount"], -12'000);
    EXPECT_EQ(refund["netPayAfter"].get<long long>(),
              refund["netPayBefore"].get<long long>() + 12'000);
    std::vector<std::string> keys;
    for (const auto& [key, value] : owes.items()) keys.push_back(key);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"slot", "name", "amount", "netPayBefore", "netPayAfter"}));

    const testing_support::ToolRun saved = runTool(command(12, " --save"));
    ASSERT_EQ(saved.exitCode, 0);
    ordered_json written = ordered_json::parse(saved.out);
    EXPECT_EQ(written["saved"], true);
    written["saved"] = false;
    EXPECT_EQ(written, report);  // the dry run said exactly this
    EXPECT_EQ(december(slots_[0]).yearEndSettlement, 8'700);
    EXPECT_EQ(december(slots_[1]).yearEndSettlement, -12'000);
}

TEST_F(WithholdingSettle, RefusalsExitThreeWhileHeldAndAPeriodOutOfRangeTwoWritingNothing) {
    const std::string before = readFile(yearFile_);
    EXPECT_EQ(runTool(command(16, " --save")).exitCode, 2);
    EXPECT_EQ(runTool(command(0)).exitCode, 2);
    EXPECT_EQ(runTool(command(12, " --save --set a=1")).exitCode, 2);

    std::array<char, 256> host{};
    ::gethostname(host.data(), host.size() - 1);
    // The payroll program's lock, held by a running process (this one, under its own name).
    std::ofstream(yearFile_.parent_path() / std::string(kPayrollLockFileName))
        << ::getpid() << "\nkeiro_tool_tests\n"
        << host.data() << "\n";
    EXPECT_EQ(runTool(command(12, " --save")).exitCode, 3);
    EXPECT_EQ(runTool(command(12)).exitCode, 0);  // a dry run writes nothing, so it may run
    EXPECT_EQ(readFile(yearFile_), before);
}

}  // namespace
}  // namespace keiro
