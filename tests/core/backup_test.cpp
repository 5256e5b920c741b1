// Backups must carry the year files and settings but not the withholding files or the postal
// data; a restore must refuse a folder that holds no settings and must not bring withholding
// files back over the current ones.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/backup.h"
#include "core/fileio.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

class BackupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        createPrivateDirectories(places_.dataFolder);
        writeFileAtomic(places_.iniFile, "[Option]\r\nCorpName=\"A\"\r\n");
        for (const char* name :
             {"令和08年給与･賞与.dat", "令和07年給与･賞与.dat", "源泉徴収(令和07年).dat",
              "YubinNo.dat", "システムログ.dat", "社員情報.dat", "memo.txt"}) {
            writeFileAtomic(places_.dataFolder / name, name);
        }
    }
    testing_support::TempFolder folder_{"keiro-backup"};
    Places places_ = placesUnder(folder_ / "root", folder_.path());
};

TEST_F(BackupTest, BackupLeavesOutWithholdingFilesAndThePostalData) {
    const fs::path target = folder_ / "usb";
    createPrivateDirectories(target);
    const CopyOutcome outcome = backupData(places_, target);
    ASSERT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(outcome.filesCopied, 4);
    EXPECT_TRUE(fs::exists(target / "令和08年給与･賞与.dat"));
    EXPECT_TRUE(fs::exists(target / "システムログ.dat"));
    EXPECT_TRUE(fs::exists(target / "社員情報.dat"));
    EXPECT_FALSE(fs::exists(target / "源泉徴収(令和07年).dat"));
    EXPECT_FALSE(fs::exists(target / "YubinNo.dat"));
    EXPECT_FALSE(fs::exists(target / "memo.txt"));
    EXPECT_EQ(readFile(target / "Keiro.ini"), readFile(places_.iniFile));
    EXPECT_TRUE(folderHoldsSettings(target));
}

TEST_F(BackupTest, ABackupBeforeTheSettingsExistCopiesTheDataAndSaysSo) {
    fs::remove(places_.iniFile);
    const fs::path target = folder_ / "usb";
    createPrivateDirectories(target);
    const CopyOutcome outcome = backupData(places_, target);
    ASSERT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_TRUE(outcome.settingsMissing);
    EXPECT_TRUE(fs::exists(target / "令和08年給与･賞与.dat"));
    EXPECT_FALSE(fs::exists(target / "Keiro.ini"));
    const std::string message = backupDoneMessage(outcome);
    EXPECT_TRUE(message.starts_with(kMsgBackupDone));
    EXPECT_NE(message.find("令和07年給与･賞与.dat"), std::string::npos);
    EXPECT_NE(message.find("社員情報.dat"), std::string::npos);
    EXPECT_NE(message.find("設定ファイル(Keiro.ini)はまだ作られていないため含まれていません。"),
              std::string::npos);
    // With the settings in place the message stays the short one.
    writeFileAtomic(places_.iniFile, "[Option]\r\n");
    EXPECT_EQ(backupDoneMessage(backupData(places_, target)), kMsgBackupDone);
}

TEST_F(BackupTest, BackupIntoAMissingFolderFailsAndSaysWhy) {
    const CopyOutcome outcome = backupData(places_, folder_ / "nowhere");
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.failure.find("nowhere"), std::string::npos);
}

TEST_F(BackupTest, RestoreRefusesAFolderWithoutSettingsAndKeepsWithholdingFiles) {
    const fs::path source = folder_ / "old";
    createPrivateDirectories(source);
    writeFileAtomic(source / "令和08年給与･賞与.dat", "restored");
    EXPECT_FALSE(restoreData(places_, source).ok);
    EXPECT_EQ(readFile(places_.dataFolder / "令和08年給与･賞与.dat"), "令和08年給与･賞与.dat");

    writeFileAtomic(source / "Keiro.ini", "[Option]\r\nCorpName=\"B\"\r\n");
    writeFileAtomic(source / "源泉徴収(令和07年).dat", "old withholding");
    const CopyOutcome outcome = restoreData(places_, source);
    ASSERT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(readFile(places_.dataFolder / "令和08年給与･賞与.dat"), "restored");
    EXPECT_EQ(readFile(places_.dataFolder / "源泉徴収(令和07年).dat"), "源泉徴収(令和07年).dat");
    EXPECT_EQ(readFile(places_.iniFile), "[Option]\r\nCorpName=\"B\"\r\n");
}

}  // namespace
}  // namespace keiro
