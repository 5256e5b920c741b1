// The sample company of `keiro-tool demo` and the recalculation of `keiro-tool calc period`,
// run through the real program as `make demo` and the checks outside the project use them.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/fileio.h"
#include "core/yearfile.h"
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

unsigned modeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 0777) : 0;
}

class DemoTest : public ::testing::Test {
  protected:
    // Creates the sample under `root` as of `date` and returns its year files, oldest first.
    std::vector<fs::path> makeDemo(const fs::path& root, const std::string& date,
                                   const std::string& extra = "") {
        const ToolRun run = runTool("demo --root " + quoted(root) + " --date " + date + extra);
        EXPECT_EQ(run.exitCode, 0) << date;
        std::vector<fs::path> files;
        if (run.exitCode != 0) return files;
        const json out = json::parse(run.out);
        for (const auto& file : out["yearFiles"]) files.emplace_back(file.get<std::string>());
        return files;
    }

    json calcPeriod(const fs::path& root, const fs::path& file, int period,
                    const std::string& extra = "") {
        const ToolRun run = runTool("calc period " + quoted(file) + " --period " +
                                    std::to_string(period) + " --root " + quoted(root) + extra);
        EXPECT_EQ(run.exitCode, 0) << file << " period " << period;
        return run.exitCode == 0 ? json::parse(run.out) : json::array();
    }

    testing_support::TempFolder folder_{"keiro-demo-test"};
};

// Every saved month pays each employed person a believable net amount, and nobody else.
TEST_F(DemoTest, SavedMonthsHoldBelievableNumbers) {
    const fs::path root = folder_ / "root";
    const std::vector<fs::path> files = makeDemo(root, "2026-08-15");
    ASSERT_EQ(files.size(), 1u);
    const fs::path& file = files[0];
    EXPECT_EQ(file.filename(), "令和08年給与･賞与.dat");
    EXPECT_EQ(modeOf(root / "Vondel" / "Keiro"), 0700u);
    EXPECT_EQ(modeOf(root / "Vondel" / "Keiro" / "Data"), 0700u);
    EXPECT_EQ(modeOf(root / "Vondel" / "Keiro" / "Keiro.ini"), 0600u);
    EXPECT_EQ(modeOf(file), 0600u);

    const YearFileHeader header = readYearFileHeader(file);
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(header.isSaved(k), k <= 7) << "month " << k;

    bool taxedOtsu = false, handEntered = false;
    auto block = std::make_unique<PeriodBlock>();
    for (int month = 1; month <= 7; ++month) {
        readPeriodBlock(file, month, *block);
        EXPECT_GT(block->settings.scheduledDays, 15);
        const json results = calcPeriod(root, file, month);
        ASSERT_EQ(results.size(), 10u) << "month " << month;
        for (const json& r : results) {
            const int slot = r["slot"];
            const EmployeeRecord& e = block->employee(slot);
            const std::int64_t pay = r["payTotal"], net = r["net"];
            if (e.workStatus == 1) {
                EXPECT_GT(net, 0) << "month " << month << " slot " << slot;
                EXPECT_LT(net, pay) << "month " << month << " slot " << slot;
                EXPECT_EQ(pay - r["deductionTotal"].get<std::int64_t>(), net);
            } else {
                EXPECT_EQ(pay, 0) << "month " << month << " slot " << slot;
                EXPECT_EQ(r["deductionTotal"], 0);
            }
            taxedOtsu |= e.taxColumn == 1 && r["incomeTax"] > 0;
            // 子ども・子育て支援金 from the April premium, deducted from May's pay.
            if (month < 5 || e.workStatus != 1 || e.healthInsured == 0) {
                EXPECT_EQ(r["support"], 0) << "month " << month << " slot " << slot;
            } else {
                EXPECT_GT(r["support"], 0) << "month " << month << " slot " << slot;
                EXPECT_EQ(r["support"], e.supportPremium);
            }
            EXPECT_FALSE(r["manualTaxNeeded"]);
        }
        for (const DeductionRecord& d : block->deductions) {
            for (std::uint8_t flag : d.manualFlags) handEntered |= flag == 1;
        }
    }
    EXPECT_TRUE(taxedOtsu);
    EXPECT_TRUE(handEntered);

    // The summer bonus, paid on 10 July.
    ASSERT_TRUE(header.isSaved(13));
    EXPECT_EQ(header.bonusPayMonth[0], 7);
    EXPECT_EQ(header.bonusPayDay[0], 10);
    int bonuses = 0;
    const json bonusResults = calcPeriod(root, file, 13);
    for (const json& r : bonusResults) {
        if (r["payTotal"] > 0) {
            ++bonuses;
            EXPECT_GT(r["incomeTax"], 0);
            EXPECT_LT(r["net"], r["payTotal"]);
        }
        EXPECT_FALSE(r["manualTaxNeeded"]);
    }
    EXPECT_GE(bonuses, 5);
}

// Which periods are saved follows the date: months before it, the bonus once 10 July is past,
// and from January to March the whole previous year, both bonuses included, in its own file.
TEST_F(DemoTest, SavedPeriodsFollowTheDate) {
    struct Case {
        const char* date;
        std::vector<const char*> files;
        int monthsSaved;
        bool bonus;
    };
    const std::vector<Case> cases = {
        {"2026-07-10", {"令和08年給与･賞与.dat"}, 6, false},
        {"2026-07-11", {"令和08年給与･賞与.dat"}, 6, true},
        {"2026-02-01", {"令和07年給与･賞与.dat", "令和08年給与･賞与.dat"}, 1, false},
        {"2026-04-01", {"令和08年給与･賞与.dat"}, 3, false},
        {"2026-01-20", {"令和07年給与･賞与.dat", "令和08年給与･賞与.dat"}, 0, false},
        {"2020-01-05", {"平成31年給与･賞与.dat", "令和02年給与･賞与.dat"}, 0, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        const std::vector<fs::path> files = makeDemo(folder_ / std::to_string(n++), c.date);
        ASSERT_EQ(files.size(), c.files.size());
        for (std::size_t i = 0; i < files.size(); ++i) EXPECT_EQ(files[i].filename(), c.files[i]);
        const YearFileHeader current = readYearFileHeader(files.back());
        for (int k = 1; k <= 12; ++k) EXPECT_EQ(current.isSaved(k), k <= c.monthsSaved);
        EXPECT_EQ(current.isSaved(13), c.bonus);
        if (files.size() == 2) {
            const YearFileHeader previous = readYearFileHeader(files.front());
            for (int k = 1; k <= 15; ++k) EXPECT_EQ(previous.isSaved(k), k <= 14);
        }
    }
}

TEST_F(DemoTest, TheSameDateGivesTheSameBytes) {
    for (const char* date : {"2026-01-20", "2026-11-03"}) {
        SCOPED_TRACE(date);
        const std::string name = date;
        const std::vector<fs::path> first = makeDemo(folder_ / ("a" + name), date);
        const std::vector<fs::path> second = makeDemo(folder_ / ("b" + name), date);
        ASSERT_EQ(first.size(), second.size());
        for (std::size_t i = 0; i < first.size(); ++i) {
            EXPECT_TRUE(readFile(first[i]) == readFile(second[i])) << first[i];
        }
        EXPECT_EQ(readFile(folder_ / ("a" + name) / "Vondel/Keiro/Keiro.ini"),
                  readFile(folder_ / ("b" + name) / "Vondel/Keiro/Keiro.ini"));
    }
}

// --employees sets the head count of every saved period; the same date and head count give the
// same bytes; a count outside 1..100 is wrong usage and writes nothing.
TEST_F(DemoTest, EmployeesSetsTheHeadCount) {
    const std::vector<fs::path> first = makeDemo(folder_ / "a", "2026-02-15", " --employees 100");
    const std::vector<fs::path> second = makeDemo(folder_ / "b", "2026-02-15", " --employees 100");
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    auto block = std::make_unique<PeriodBlock>();
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_TRUE(readFile(first[i]) == readFile(second[i])) << first[i];
        const YearFileHeader header = readYearFileHeader(first[i]);
        for (int k = 1; k <= 15; ++k) {
            if (!header.isSaved(k)) continue;
            readPeriodBlock(first[i], k, *block);
            int used = 0;
            for (const EmployeeRecord& e : block->employees) used += e.isUsed() ? 1 : 0;
            EXPECT_EQ(used, 100) << first[i] << " period " << k;
        }
    }
    const json january = calcPeriod(folder_ / "a", first[1], 1);
    ASSERT_EQ(january.size(), 100u);
    EXPECT_EQ(january[0]["name"], "佐藤　健一");

    for (const char* wrong : {"0", "101", "ten"}) {
        const fs::path root = folder_ / ("wrong" + std::string(wrong));
        EXPECT_EQ(runTool("demo --root " + quoted(root) + " --employees " + wrong).exitCode, 2)
            << wrong;
        EXPECT_FALSE(fs::exists(root)) << wrong;
    }
}

TEST_F(DemoTest, RefusesARootThatHoldsData) {
    const fs::path root = folder_ / "root";
    const std::vector<fs::path> files = makeDemo(root, "2026-05-10");
    ASSERT_EQ(files.size(), 1u);
    const std::string before = readFile(files[0]);
    EXPECT_EQ(runTool("demo --root " + quoted(root) + " --date 2026-09-01").exitCode, 1);
    EXPECT_TRUE(readFile(files[0]) == before);

    // A data folder with files but no configuration file is somebody's data too.
    const fs::path other = folder_ / "other";
    createPrivateDirectories(other / "Vondel/Keiro/Data");
    writeFileAtomic(other / "Vondel/Keiro/Data/memo.txt", "x");
    EXPECT_EQ(runTool("demo --root " + quoted(other)).exitCode, 1);
    EXPECT_FALSE(fs::exists(other / "Vondel/Keiro/Keiro.ini"));

    EXPECT_EQ(runTool("demo --root " + quoted(folder_ / "x") + " --date 2026-02-30").exitCode, 2);
    EXPECT_EQ(runTool("demo --date 2026-02-01").exitCode, 2);
}

TEST_F(DemoTest, CalcPeriodChangesTheFileOnlyWhenSaving) {
    const fs::path root = folder_ / "root";
    const std::vector<fs::path> files = makeDemo(root, "2026-09-01");
    ASSERT_EQ(files.size(), 1u);
    const fs::path& file = files[0];
    const std::string original = readFile(file);

    // Recalculating what the sample saved gives the same amounts, so saving keeps every byte.
    const json month3 = calcPeriod(root, file, 3, " --save");
    EXPECT_TRUE(readFile(file) == original);
    const json bonus = calcPeriod(root, file, 13, " --save");
    EXPECT_TRUE(readFile(file) == original);

    // A stored 支給合計 spoilt by hand: shown recalculated, left on disk until saved.
    std::string spoilt = original;
    const std::size_t payTotalOfSlot2 = blockOffset(3) + offsetof(PeriodBlock, payments) +
                                        sizeof(PaymentRecord) + offsetof(PaymentRecord, payTotal);
    const std::int32_t one = 1;
    std::memcpy(spoilt.data() + payTotalOfSlot2, &one, sizeof one);
    writeFileAtomic(file, spoilt);
    EXPECT_EQ(calcPeriod(root, file, 3), month3);
    EXPECT_TRUE(readFile(file) == spoilt);
    EXPECT_EQ(calcPeriod(root, file, 3, " --save"), month3);
    EXPECT_TRUE(readFile(file) == original);

    // The settings root may also come from the environment.
    const ToolRun fromEnvironment =
        runTool("calc period " + quoted(file) + " --period 13", "KEIRO_ROOT=" + quoted(root) + " ");
    ASSERT_EQ(fromEnvironment.exitCode, 0);
    EXPECT_EQ(json::parse(fromEnvironment.out), bonus);
}

TEST_F(DemoTest, CalcPeriodRefusesWhatItCannotOpen) {
    const fs::path root = folder_ / "root";
    const std::vector<fs::path> files = makeDemo(root, "2026-04-02");
    ASSERT_EQ(files.size(), 1u);
    const auto calc = [&](const fs::path& file, const std::string& period) {
        return runTool("calc period " + quoted(file) + " --period " + period + " --root " +
                       quoted(root))
            .exitCode;
    };
    EXPECT_EQ(calc(files[0], "4"), 1);   // never saved
    EXPECT_EQ(calc(files[0], "13"), 1);  // no bonus yet
    EXPECT_EQ(calc(files[0], "16"), 2);
    const fs::path renamed = folder_ / "year.dat";
    fs::copy_file(files[0], renamed);
    EXPECT_EQ(calc(renamed, "1"), 1);  // no era and year in the name
    const fs::path shortFile = folder_ / "令和08年給与･賞与.dat";
    writeFileAtomic(shortFile, "short");
    EXPECT_EQ(calc(shortFile, "1"), 1);
    EXPECT_EQ(runTool("calc period " + quoted(files[0]) + " --period 1 --root " +
                      quoted(folder_ / "no-such-root"))
                  .exitCode,
              1);
    EXPECT_EQ(runTool("calc frobnicate").exitCode, 2);
}

}  // namespace
}  // namespace keiro
