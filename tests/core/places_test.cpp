// Where the settings live, and the start-up checks that need no window.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/file_upkeep.h"
#include "core/places.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

// A fresh folder for one test, removed afterwards.
class PlacesTest : public ::testing::Test {
  protected:
    static void writeBytes(const fs::path& path, std::size_t size) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    }
    static fs::perms permsOf(const fs::path& path) {
        return fs::status(path).permissions() & fs::perms::all;
    }

    testing_support::TempFolder dir_{"keiro-places"};
    Places places_ = placesUnder(dir_ / "root", dir_ / "bin");
};

// Sets or clears environment variables for one test and restores them afterwards.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(PlacesFromEnvironment, ChoosesTheRootInOrder) {
    struct Case {
        const char* keiroRoot;
        const char* xdgDataHome;
        const char* expectedRoot;
    };
    const Case cases[] = {
        {"/srv/keiro", "/xdg", "/srv/keiro"},
        {"", "/xdg", "/xdg"},  // empty counts as unset
        {nullptr, "/xdg", "/xdg"},
        {nullptr, "relative/xdg", "/home/u/.local/share"},  // must be absolute to count
        {nullptr, nullptr, "/home/u/.local/share"},
    };
    ScopedEnv home("HOME", "/home/u");
    for (const Case& c : cases) {
        ScopedEnv root("KEIRO_ROOT", c.keiroRoot);
        ScopedEnv xdg("XDG_DATA_HOME", c.xdgDataHome);
        const Places places = placesFromEnvironment("/opt/keiro/bin");
        SCOPED_TRACE(c.expectedRoot);
        EXPECT_EQ(places.root, fs::path(c.expectedRoot));
        EXPECT_EQ(places.settingsFolder, fs::path(c.expectedRoot) / "Vondel" / "Keiro");
        EXPECT_EQ(places.iniFile, places.settingsFolder / "Keiro.ini");
        EXPECT_EQ(places.dataFolder, places.settingsFolder / "Data");
        EXPECT_EQ(places.programFolder, fs::path("/opt/keiro/bin"));
        EXPECT_EQ(liteSettingsFolder(places), fs::path(c.expectedRoot) / "Vondel" / "Keiro_Lite");
        EXPECT_EQ(inrado4Folder(places), fs::path(c.expectedRoot) / "Vondel" / "Inrado4");
    }
}

TEST(PlacesFromEnvironment, ProgramFolderIsTheExecutablesFolder) {
    EXPECT_EQ(executableFolder(), fs::read_symlink("/proc/self/exe").parent_path());
}

TEST_F(PlacesTest, TableFilesAreFoundBesideTheProgramThenInTheInstalledTree) {
    const std::string name(kBonusTaxTableFileName);
    EXPECT_EQ(findTableFile(places_, name), std::nullopt);

    writeBytes(dir_ / "share" / "keiro" / name, 10);
    EXPECT_EQ(findTableFile(places_, name), dir_ / "share" / "keiro" / name);

    writeBytes(dir_ / "bin" / name, 10);
    EXPECT_EQ(findTableFile(places_, name), dir_ / "bin" / name);
}

TEST_F(PlacesTest, ManualIsFoundBesideTheProgramThenInTheInstalledDocumentation) {
    const fs::path built = dir_ / "bin" / "manual" / "index.html";
    const fs::path installed = dir_ / "share" / "doc" / "keiro" / "manual" / "index.html";
    EXPECT_EQ(manualStartPageCandidates(dir_ / "bin"), (std::vector<fs::path>{built, installed}));
    EXPECT_EQ(findManualStartPage(dir_ / "bin"), std::nullopt);

    fs::create_directories(installed);  // a folder of that name is no page
    EXPECT_EQ(findManualStartPage(dir_ / "bin"), std::nullopt);
    fs::remove(installed);
    writeBytes(installed, 10);
    EXPECT_EQ(findManualStartPage(dir_ / "bin"), installed);

    writeBytes(built, 10);
    EXPECT_EQ(findManualStartPage(dir_ / "bin"), built);
}

TEST(SettingsErrorCode, MapsErrnoToTheFamiliarCodes) {
    const std::pair<int, int> cases[] = {
        {ENOENT, 2}, {ENOTDIR, 3},  {EACCES, 5}, {EPERM, 5},
        {EROFS, 19}, {ENOSPC, 112}, {EIO, 1117}, {EXDEV, 10000 + EXDEV},
    };
    for (const auto& [error, code] : cases) EXPECT_EQ(settingsErrorCode(error), code) << error;
}

TEST_F(PlacesTest, SettingsCheckCreatesAPrivateFolderAndLeavesNoScratchFile) {
    const SettingsCheck check = checkSettingsFolder(places_);
    EXPECT_TRUE(check.ok);
    EXPECT_TRUE(check.messages.empty());
    EXPECT_TRUE(fs::is_directory(places_.settingsFolder));
    EXPECT_EQ(permsOf(places_.settingsFolder), fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(places_.settingsFolder / "Write.chk"));
}

TEST_F(PlacesTest, ReadOnlyIniStopsStartUpWithCodeZero) {
    writeBytes(places_.iniFile, 3);
    fs::permissions(places_.iniFile, fs::perms::owner_read | fs::perms::group_read);
    const SettingsCheck check = checkSettingsFolder(places_);  // also as root: mode decides
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.code, 0);
    const std::vector<StartupMessage> expected = {
        {StartupMessage::Kind::Warning, "設定ファイルに書き込み出来ません。"},
        {StartupMessage::Kind::Error, "プログラム起動不可[0]"},
    };
    EXPECT_EQ(check.messages, expected);
}

TEST_F(PlacesTest, SettingsFolderBelowAFileFailsWithPathNotFound) {
    writeBytes(dir_ / "plain", 1);
    const SettingsCheck check = checkSettingsFolder(placesUnder(dir_ / "plain", dir_));
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.code, 3);
    const std::vector<StartupMessage> expected = {
        {StartupMessage::Kind::Error, "プログラム起動不可[3]"},
    };
    EXPECT_EQ(check.messages, expected);
}

TEST_F(PlacesTest, UnwritableSettingsFolderFailsWithAccessDenied) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
    fs::create_directories(places_.settingsFolder);
    fs::permissions(places_.settingsFolder, fs::perms::owner_read | fs::perms::owner_exec);
    const SettingsCheck check = checkSettingsFolder(places_);
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.code, 5);
    ASSERT_EQ(check.messages.size(), 1u);
    EXPECT_EQ(check.messages[0].text, "プログラム起動不可[5]");
}

TEST_F(PlacesTest, DataFolderIsCreatedOnceAndReportedWhenImpossible) {
    const DataFolderCheck first = ensureDataFolder(places_);
    EXPECT_EQ(first.status, DataFolderStatus::Created);
    EXPECT_FALSE(first.message);
    EXPECT_EQ(permsOf(places_.dataFolder), fs::perms::owner_all);
    EXPECT_EQ(ensureDataFolder(places_).status, DataFolderStatus::AlreadyThere);

    const Places blocked = placesUnder(dir_ / "blocked", dir_);
    writeBytes(blocked.dataFolder, 1);  // a file where the folder should be
    const DataFolderCheck failed = ensureDataFolder(blocked);
    EXPECT_EQ(failed.status, DataFolderStatus::Failed);
    ASSERT_TRUE(failed.message);
    EXPECT_EQ(failed.message->kind, StartupMessage::Kind::Error);
    EXPECT_EQ(failed.message->text, "データ用フォルダーが作成できません。");
}

TEST_F(PlacesTest, LoosePermissionsOfTheProgramsFoldersAndFilesAreTightenedOnOpening) {
    writeBytes(places_.iniFile, 3);
    writeBytes(places_.dataFolder / "令和08年給与･賞与.dat", 3);
    writeBytes(places_.dataFolder / "システムログ.dat", 3);
    writeBytes(dir_ / "elsewhere.dat", 3);
    fs::create_symlink(dir_ / "elsewhere.dat", places_.dataFolder / "link.dat");
    for (const fs::path& p : {places_.settingsFolder, places_.dataFolder}) {
        fs::permissions(p, fs::perms::all);
    }
    for (const char* name : {"令和08年給与･賞与.dat", "システムログ.dat"}) {
        fs::permissions(places_.dataFolder / name, fs::perms(0666));
    }
    fs::permissions(places_.iniFile, fs::perms(0644));
    fs::permissions(dir_ / "elsewhere.dat", fs::perms(0644));

    EXPECT_EQ(ensureDataFolder(places_).status, DataFolderStatus::AlreadyThere);
    EXPECT_EQ(permsOf(places_.settingsFolder), fs::perms::owner_all);
    EXPECT_EQ(permsOf(places_.dataFolder), fs::perms::owner_all);
    EXPECT_EQ(permsOf(places_.iniFile), fs::perms(0600));
    EXPECT_EQ(permsOf(places_.dataFolder / "令和08年給与･賞与.dat"), fs::perms(0600));
    EXPECT_EQ(permsOf(places_.dataFolder / "システムログ.dat"), fs::perms(0600));
    // What a link in the data folder names lies outside the program's folders: not touched.
    EXPECT_EQ(permsOf(dir_ / "elsewhere.dat"), fs::perms(0644));
    EXPECT_EQ(tightenProgramFiles(places_), 0);  // nothing left to do
}

// A data folder that is a link to a folder elsewhere: the folder it leads to is made private
// when it is ours, and refused when another user owns it.
TEST_F(PlacesTest, ALinkedDataFoldersTargetIsTightenedOrRefused) {
    fs::create_directories(places_.settingsFolder);
    const fs::path target = dir_ / "shared-data";
    fs::create_directories(target);
    fs::permissions(target, fs::perms(0777));
    fs::create_directory_symlink(target, places_.dataFolder);
    EXPECT_EQ(ensureDataFolder(places_).status, DataFolderStatus::AlreadyThere);
    EXPECT_EQ(permsOf(target), fs::perms::owner_all);

    if (::geteuid() != 0) GTEST_SKIP() << "only root can give the folder to another user";
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    const DataFolderCheck refused = ensureDataFolder(places_);
    EXPECT_EQ(refused.status, DataFolderStatus::Failed);
    ASSERT_TRUE(refused.message);
    EXPECT_NE(refused.message->text.find(fs::canonical(target).string()), std::string::npos);
}

}  // namespace
}  // namespace keiro
