// Employees whose payroll row was removed before December: placed in a free slot of December,
// seen there as 退職 with the totals of the periods that paid them, and kept in that slot.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_folder.h"
#include "tests/withholding_model/year_files.h"
#include "withholding/model/opening.h"

namespace keiro::withholding {
namespace {

namespace fs = std::filesystem;
using testing::YearFileWriter;

constexpr int kDecember = 12;

// December: 山田 in slot 1, 佐藤 in slot 3 (slot 2 free).  鈴木 was paid from January to
// September in slot 2, then removed; 高橋 had a summer bonus in slot 5 only.
class Leavers : public ::testing::Test {
  protected:
    void SetUp() override {
        writer_.put(12, 1, "yamada", 300'000, 40'000, 6'000);
        writer_.put(12, 3, "sato", 200'000, 30'000, 3'000);
        for (int month = 1; month <= 9; ++month) {
            EmployeeRecord& suzuki = writer_.put(month, 2, "suzuki", 250'000, 35'000, 5'000);
            suzuki.name.assign(month == 9 ? "鈴木 一郎" : "鈴木 旧姓");
            suzuki.workStatus = 1;
            suzuki.dependents = 1;
        }
        writer_.put(13, 5, "takahashi", 500'000, 70'000, 20'000).name.assign("高橋 花子");
        write();
    }

    void write() { writer_.write(yearFile_); }

    WithholdingFile open() {
        year_.emplace(yearFile_);
        return *openWithholdingFile(*year_, paths_);
    }

    const EmployeeRecord& december(int slot) const {
        return year_->block(kDecember).employee(slot);
    }

    testing_support::TempFolder folder_{"keiro-wh-leavers"};
    fs::path yearFile_ = folder_ / yearFileName({"令和", 8});
    WithholdingPaths paths_ = withholdingPathsFor(yearFile_, {"令和", 8}, {"平成", "令和"});
    YearFileWriter writer_;
    std::optional<YearView> year_;
};

TEST_F(Leavers, AreShownInFreeSlotsWithTheirLatestMasterAndTotals) {
    const WithholdingFile file = open();
    // In order of first appearance: 鈴木 (January) in slot 2, 高橋 (a bonus) in slot 4.
    EXPECT_EQ(december(2).name.utf8(), "鈴木 一郎") << "the latest period's master";
    EXPECT_EQ(december(2).workStatus, 3);
    EXPECT_EQ(file.record(2).leaverRecordId.utf8(), "suzuki");
    EXPECT_EQ(file.record(2).paid, 9 * 250'000);
    EXPECT_EQ(file.record(2).withheld, 9 * 5'000);
    EXPECT_EQ(file.record(2).dependants.general, 1);
    EXPECT_EQ(december(4).name.utf8(), "高橋 花子");
    EXPECT_EQ(file.record(4).paid, 500'000);
    // The others are as December has them; the year file on disk is untouched.
    EXPECT_EQ(december(1).recordId.utf8(), "yamada");
    EXPECT_TRUE(file.record(1).leaverRecordId.empty());
    EXPECT_FALSE(YearView(yearFile_).block(kDecember).employee(2).isUsed());
}

TEST_F(Leavers, KeepTheirSlotAndMoveWhenDecemberGivesItToSomeoneElse) {
    WithholdingFile first = open();
    first.record(2).address1.assign("札幌市");
    first.save(paths_.file);

    const WithholdingFile again = open();
    EXPECT_EQ(december(2).recordId.utf8(), "suzuki");
    EXPECT_EQ(again.record(2).address1.utf8(), "札幌市");

    // The payroll gives slot 2 to a new employee: 鈴木 moves on with the record, the new
    // employee starts afresh.
    writer_.put(12, 2, "ito", 100'000, 10'000, 1'000).nameKana.assign("ｲﾄｳ");
    write();
    const WithholdingFile moved = open();
    EXPECT_EQ(december(2).recordId.utf8(), "ito");
    EXPECT_TRUE(moved.record(2).leaverRecordId.empty());
    EXPECT_TRUE(moved.record(2).address1.empty());
    EXPECT_EQ(moved.record(2).paid, 100'000);
    EXPECT_EQ(moved.record(2).furigana.utf8(), "ｲﾄｳ");
    int suzukiSlot = 0;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (moved.record(slot).leaverRecordId.utf8() == "suzuki") suzukiSlot = slot;
    }
    ASSERT_NE(suzukiSlot, 0);
    EXPECT_EQ(december(suzukiSlot).recordId.utf8(), "suzuki");
    EXPECT_EQ(moved.record(suzukiSlot).address1.utf8(), "札幌市");
    EXPECT_EQ(december(4).recordId.utf8(), "takahashi") << "the other leaver stays";
}

TEST_F(Leavers, AreFoundInAFileSavedBeforeThemAndNotInOldFormatYears) {
    WithholdingFile saved(true);
    saved.record(1).paid = 1;
    saved.save(paths_.file);
    const WithholdingFile file = open();
    EXPECT_EQ(file.record(2).leaverRecordId.utf8(), "suzuki");
    EXPECT_EQ(file.record(2).paid, 9 * 250'000);
    EXPECT_EQ(file.record(1).paid, 1) << "the saved records stay";

    const fs::path old = folder_ / yearFileName({"平成", 27});
    writer_.write(old);
    YearView oldYear(old);
    const WithholdingFile legacy =
        *openWithholdingFile(oldYear, withholdingPathsFor(old, {"平成", 27}, {"平成", "令和"}));
    EXPECT_FALSE(oldYear.block(kDecember).employee(2).isUsed());
    EXPECT_EQ(legacy.legacyRecord(2).paid, 0);
}

}  // namespace
}  // namespace keiro::withholding
