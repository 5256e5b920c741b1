// The totals of the months before the program: their checks, written into every period that
// holds the employee and read back from the latest, and left behind when the master moves into
// a new year.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "core/fileio.h"
#include "core/opening_totals.h"
#include "core/periodcopy.h"
#include "core/year_view.h"
#include "core/yearfile.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

const EraNames kNames{"平成", "令和"};
constexpr EraYear kReiwa7{"令和", 7};
constexpr EraYear kReiwa8{"令和", 8};
constexpr PeriodEntry kMonth{20, 160.0, 0, 0};
constexpr const char* kYamada = "250101_090000";
constexpr const char* kSuzuki = "250101_090001";

constexpr OpeningTotals kSixMonths{1'800'000, 1'750'000, 260'000, 31'000, 250'000};

class OpeningTotalsTest : public ::testing::Test {
  protected:
    fs::path file(const EraYear& year) const { return folder_ / yearFileName(year); }

    // A saved period of the company with Yamada in `slot` (and Suzuki in the other of 1, 2).
    void storeSaved(const EraYear& year, int period, int yamadaSlot = 1,
                    const OpeningTotals& yamada = {}) {
        createYearFileIfMissing(file(year));
        auto block = std::make_unique<PeriodBlock>();
        block->settings.companyName.assign("山田商店");
        block->settings.scheduledDays = kMonth.scheduledDays;
        block->settings.scheduledHours = kMonth.scheduledHours;
        block->employee(yamadaSlot).recordId.assign(kYamada);
        block->employee(yamadaSlot).opening = yamada;
        block->employee(3 - yamadaSlot).recordId.assign(kSuzuki);
        std::string content = readFile(file(year));
        std::memcpy(content.data() + blockOffset(period), block.get(), kBlockSize);
        content[8 + period - 1] = 1;
        writeFileAtomic(file(year), content);
    }

    YearData open(const EraYear& year, int period, const PeriodEntry& entry = kMonth) {
        createYearFileIfMissing(file(year));
        YearData data;
        data.setFile(file(year), year.eraName, year.eraYear, kNames);
        data.openPeriod(period, entry, nullptr);
        return data;
    }

    testing_support::TempFolder folder_{"keiro-opening"};
};

TEST(OpeningTotalsCheck, EachRuleHasItsMessage) {
    EXPECT_EQ(checkOpeningTotals(kSixMonths), "");
    EXPECT_EQ(checkOpeningTotals({}), "");
    EXPECT_EQ(checkOpeningTotals({99'999'999, 99'999'999, 99'999'999, 99'999'999, 99'999'999}), "");
    const struct {
        OpeningTotals totals;
        const char* message;
    } refused[] = {
        {{-1, 0, 0, 0, 0}, "｢総支給額｣は0から99,999,999までの金額で入力して下さい。"},
        {{100'000'000, 0, 0, 0, 0}, "｢総支給額｣は0から99,999,999までの金額で入力して下さい。"},
        {{0, 0, -5, 0, 0}, "｢社会保険料｣は0から99,999,999までの金額で入力して下さい。"},
        {{0, 0, 0, 0, 100'000'000},
         "｢最後の月の社保控除後計｣は0から99,999,999までの金額で入力して下さい。"},
        {{1'000, 1'001, 0, 0, 0}, "課税支給額が総支給額を超えています。"},
        {{1'000, 1'000, 0, 1'001, 0}, "所得税が課税支給額を超えています。"},
    };
    for (const auto& r : refused) EXPECT_EQ(checkOpeningTotals(r.totals), r.message);
}

TEST_F(OpeningTotalsTest, WrittenIntoEverySavedPeriodAndTheOpenOneAndReadFromTheLatest) {
    // Yamada moves from slot 1 to slot 2 in September; the open December is not saved yet.
    storeSaved(kReiwa8, 7);
    storeSaved(kReiwa8, 8);
    storeSaved(kReiwa8, 9, 2);
    storeSaved(kReiwa8, 13, 2);
    YearData year = open(kReiwa8, 10);
    ASSERT_EQ(slotOf(year.block(), kYamada), 1);

    writeOpeningTotals(year, {{kYamada, kSixMonths}});
    const YearView onDisk(year.path());
    for (int period : {7, 8, 9, 13}) {
        SCOPED_TRACE(period);
        const PeriodBlock& block = onDisk.block(period);
        const EmployeeRecord& yamada = block.employees[slotOf(block, kYamada)];
        EXPECT_EQ(std::memcmp(&yamada.opening, &kSixMonths, sizeof kSixMonths), 0);
        EXPECT_TRUE(isEmpty(block.employees[slotOf(block, kSuzuki)].opening));
    }
    EXPECT_EQ(year.block().employee(2).opening.incomeTax, 31'000);  // in memory
    EXPECT_TRUE(isEmpty(year.block().employee(1).opening));
    EXPECT_EQ(readOpeningTotals(onDisk, kYamada).lastPayAfterSocial, 250'000);
    EXPECT_EQ(readOpeningTotals(year, kYamada).pay, 1'800'000);
    EXPECT_TRUE(isEmpty(readOpeningTotals(onDisk, "nobody")));

    // Later the clerk corrects the tax in the open period only: the open period wins there,
    // the latest saved period on disk otherwise.
    year.block().employee(2).opening.incomeTax = 30'000;
    EXPECT_EQ(readOpeningTotals(year, kYamada).incomeTax, 30'000);
    EXPECT_EQ(readOpeningTotals(onDisk, kYamada).incomeTax, 31'000);
}

TEST_F(OpeningTotalsTest, TheOpenPeriodsSavedCopyChangesWithoutItsOtherEdits) {
    storeSaved(kReiwa8, 11);
    YearData year = open(kReiwa8, 11);
    year.block().employee(2).basePay = 123;  // an edit not saved
    writeOpeningTotals(year, {{kYamada, kSixMonths}});
    const std::unique_ptr<PeriodBlock> saved = readPeriodBlock(year.path(), 11);
    EXPECT_EQ(saved->employee(1).opening.pay, 1'800'000);
    EXPECT_EQ(saved->employee(2).basePay, 0);
    year.block().employee(2).basePay = 0;
    EXPECT_FALSE(year.document().isModified());  // the totals alone are no unsaved change
}

TEST_F(OpeningTotalsTest, UnsoundTotalsWriteNothing) {
    storeSaved(kReiwa8, 11);
    const std::string before = readFile(file(kReiwa8));
    OpeningTotals wrong = kSixMonths;
    wrong.incomeTax = wrong.taxablePay + 1;
    EXPECT_THROW(writeOpeningTotals(file(kReiwa8), {{kSuzuki, kSixMonths}, {kYamada, wrong}}),
                 std::invalid_argument);
    EXPECT_EQ(readFile(file(kReiwa8)), before);
}

TEST_F(OpeningTotalsTest, ANewYearStartsWithoutLastYearsTotals) {
    storeSaved(kReiwa7, 12, 1, kSixMonths);
    // January from last December, and a bonus paid in January with no month saved yet.
    EXPECT_TRUE(isEmpty(open(kReiwa8, 1).block().employee(1).opening));
    EXPECT_TRUE(isEmpty(open(kReiwa8, 15, {0, 0.0, 1, 20}).block().employee(1).opening));

    // A month copied from last year's file leaves them; one copied from this year keeps them.
    storeSaved(kReiwa8, 3, 1, kSixMonths);
    YearData year = open(kReiwa8, 4);
    EXPECT_EQ(year.block().employee(1).opening.pay, 1'800'000);  // from March
    copyFromMonth(year, {"令和07年12月分給与", file(kReiwa7), 12, ""});
    EXPECT_TRUE(isEmpty(year.block().employee(1).opening));
    copyFromMonth(year, {"令和08年 3月分給与", file(kReiwa8), 3, ""});
    EXPECT_EQ(year.block().employee(1).opening.taxablePay, 1'750'000);
}

}  // namespace
}  // namespace keiro
