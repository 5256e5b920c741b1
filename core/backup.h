#pragma once
// Backing up the data files to a folder the user chooses, and restoring them from one.
// A backup takes every "*.dat" file of the data folder except the withholding files (names
// starting with "源泉徴収") and the postal-code data ("yubinno.dat", in any letter case), then
// the configuration file.  A restore needs a folder holding "Keiro.ini"; it copies every
// "*.dat" file except the withholding files over the data folder, then the configuration file.
// Both stop at the first failure; files already copied stay.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/places.h"

namespace keiro {

inline constexpr std::string_view kMsgBackupFailed =
    "容量不足､書き込み不可等のエラーにより中断しました。";
inline constexpr std::string_view kMsgBackupDone = "指定場所にバックアップしました。";
inline constexpr std::string_view kMsgRestoreConfirm =
    "復元を行うと現在の設定内容とデータは上書きされます。";
inline constexpr std::string_view kMsgRestoreNoData =
    "該当するデータが存在しないので続行できません。";
inline constexpr std::string_view kMsgRestoreFailed =
    "ファイルが存在しない等のエラーにより中断しました。";
inline constexpr std::string_view kMsgRestoreDone =
    "指定された場所のデータで復元しました。\n復元を有効にする為、プログラムを終了します。";

struct CopyOutcome {
    bool ok = true;
    int filesCopied = 0;
    std::string failure;  // the file and reason of the failure that stopped the copying
    std::vector<std::string> copiedNames;  // the data files copied, in order
    // A backup made before the configuration file was first written copies the data files
    // alone.
    bool settingsMissing = false;
};

// What the clerk is told after a backup: kMsgBackupDone, and when the configuration file did
// not exist yet, which files were backed up and that the settings were not among them.
std::string backupDoneMessage(const CopyOutcome& outcome);

// Whether a folder holds a configuration file (the "対象データ有り" test).
bool folderHoldsSettings(const std::filesystem::path& folder);

CopyOutcome backupData(const Places& places, const std::filesystem::path& target);
CopyOutcome restoreData(const Places& places, const std::filesystem::path& source);

}  // namespace keiro
