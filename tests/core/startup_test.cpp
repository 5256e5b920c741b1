// The start-up sequence before any window: what a clerk's first start, a normal start and a
// broken installation leave behind and report.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "core/fileio.h"
#include "core/startup.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(root_ / "program"); }
    static constexpr year_month_day kToday{year(2026), month(12), day(8)};
    testing_support::TempFolder root_{"keiro-startup"};
    Places places_ = placesUnder(root_, root_ / "program");
};

TEST_F(StartupTest, FirstStartCreatesFoldersAndTheCurrentYearFileWithoutCarryOver) {
    const StartupState state = startWithoutWindows(places_, kToday);
    EXPECT_TRUE(state.proceed);
    EXPECT_TRUE(state.messages.empty());
    EXPECT_EQ(state.carryOver.source, CarryOverSource::None);
    EXPECT_EQ(state.currentYearFile, places_.dataFolder / "令和08年給与･賞与.dat");
    EXPECT_TRUE(state.currentYearFileCreated);
    EXPECT_EQ(fs::file_size(state.currentYearFile), kYearFileSize);
    EXPECT_EQ(fs::status(places_.dataFolder).permissions() & fs::perms::all, kPrivateDir);

    // The second start finds everything in place and changes nothing.
    const StartupState again = startWithoutWindows(places_, kToday);
    EXPECT_TRUE(again.proceed);
    EXPECT_FALSE(again.currentYearFileCreated);
}

TEST_F(StartupTest, ConfiguredNewEraNameNamesTheCurrentYearFile) {
    fs::create_directories(places_.settingsFolder);
    writeFileAtomic(places_.iniFile,
                    text::toCp932("[Option]\r\nSinGengou=\"新元\"\r\n"));  // cp932 on disk
    const StartupState state = startWithoutWindows(places_, kToday);
    EXPECT_EQ(state.currentYearFile.filename(), "新元08年給与･賞与.dat");
}

TEST_F(StartupTest, ReadOnlyConfigurationStopsBeforeAnythingIsCreated) {
    fs::create_directories(places_.settingsFolder);
    writeFileAtomic(places_.iniFile, "");
    ::chmod(places_.iniFile.c_str(), 0400);
    const StartupState state = startWithoutWindows(places_, kToday);
    EXPECT_FALSE(state.proceed);
    ASSERT_EQ(state.messages.size(), 2u);
    EXPECT_EQ(state.messages[0].text, "設定ファイルに書き込み出来ません。");
    EXPECT_EQ(state.messages[1].text, "プログラム起動不可[0]");
    EXPECT_FALSE(fs::exists(places_.dataFolder));
}

}  // namespace
}  // namespace keiro
