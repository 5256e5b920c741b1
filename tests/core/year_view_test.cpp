// The whole-year view: saved periods as stored, never-saved ones as zeros, a snapshot of the
// file at the time it was read, and the same refusals as the single-period readers.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "core/fileio.h"
#include "core/year_view.h"
#include "core/yearfile.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

class YearViewTest : public ::testing::Test {
  protected:
    void SetUp() override { createYearFileIfMissing(path_); }

    // Writes a block with this company name into period k, marked saved or only present.
    void store(int period, const char* company, bool saved) {
        auto block = std::make_unique<PeriodBlock>();
        block->settings.companyName.assign(company);
        block->employee(1).recordId.assign("250401_090000");
        block->deductions[0].incomeTax = 1'000 * period;
        std::string content = readFile(path_);
        std::memcpy(content.data() + blockOffset(period), block.get(), kBlockSize);
        content[8 + period - 1] = saved ? 1 : 0;
        writeFileAtomic(path_, content);
    }

    testing_support::TempFolder folder_{"keiro-view"};
    const fs::path path_ = folder_ / "令和08年給与･賞与.dat";
};

TEST_F(YearViewTest, ReadsSavedPeriodsAndZeroesTheOthers) {
    store(1, "一月", true);
    store(12, "十二月", true);
    store(14, "冬", true);
    store(5, "残骸", false);  // bytes of a period that was never saved: not a period

    const YearView year(path_);
    EXPECT_TRUE(year.isSaved(1));
    EXPECT_FALSE(year.isSaved(5));
    EXPECT_EQ(year.block(1).settings.companyName.utf8(), "一月");
    EXPECT_EQ(year.block(12).deductions[0].incomeTax, 12'000);
    EXPECT_EQ(year.block(14).employee(1).recordId.utf8(), "250401_090000");

    static const PeriodBlock kZero{};
    for (int period : {2, 5, 13, 15}) {
        EXPECT_EQ(std::memcmp(&year.block(period), &kZero, kBlockSize), 0) << period;
    }
}

TEST_F(YearViewTest, IsASnapshotOfTheFileWhenRead) {
    store(3, "三月", true);
    const YearView before(path_);
    store(3, "三月修正", true);
    EXPECT_EQ(before.block(3).settings.companyName.utf8(), "三月");
    EXPECT_EQ(YearView(path_).block(3).settings.companyName.utf8(), "三月修正");
}

TEST_F(YearViewTest, RefusesWhatIsNoYearFileAndPassesOverAMissingOne) {
    const fs::path missing = folder_ / "令和07年給与･賞与.dat";
    EXPECT_FALSE(YearView::ifExists(missing).has_value());
    EXPECT_THROW(YearView{missing}, IoError);

    writeFileAtomic(path_, std::string(kYearFileSize - 1, '\0'));  // one byte short
    EXPECT_THROW(YearView{path_}, IoError);
    EXPECT_THROW(YearView::ifExists(path_), IoError);

    fs::create_directory(folder_ / "folder");
    EXPECT_THROW(YearView{folder_ / "folder"}, IoError);

    writeFileAtomic(path_, std::string(kYearFileSize + 1, '\0'));  // one byte too many
    EXPECT_THROW(YearView{path_}, IoError);
}

TEST_F(YearViewTest, ASavedPeriodWithValuesOutOfRangeIsRefusedNamingTheSlot) {
    store(5, "五月", true);
    std::string content = readFile(path_);
    const std::int32_t absurd = 2'000'000'000;
    const std::size_t incomeTax =
        blockOffset(5) + offsetof(PeriodBlock, deductions) + offsetof(DeductionRecord, incomeTax);
    std::memcpy(content.data() + incomeTax, &absurd, sizeof absurd);
    writeFileAtomic(path_, content);
    try {
        YearView view(path_);
        ADD_FAILURE() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("5月のデータが壊れています（従業員欄 1"),
                  std::string::npos)
            << e.what();
    }
    content[8 + 5 - 1] = 0;  // never saved: not looked at
    writeFileAtomic(path_, content);
    EXPECT_EQ(YearView(path_).block(5).deductions[0].incomeTax, 0);
}

}  // namespace
}  // namespace keiro
