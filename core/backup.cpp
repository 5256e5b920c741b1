#include "core/backup.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

#include "core/fileio.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kWithholdingPrefix = "源泉徴収";
constexpr std::string_view kPostalCodeFile = "yubinno.dat";

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The "*.dat" files of a folder in name order (Windows matched the ending in any case).
std::vector<fs::path> dataFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && lowerAscii(name).ends_with(".dat")) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool isWithholdingFile(const fs::path& file) {
    return file.filename().string().starts_with(kWithholdingPrefix);
}

// Copies the files, then the configuration file (unless it is missing and that is allowed);
// stops at the first failure.
CopyOutcome copyAll(const std::vector<fs::path>& files, const fs::path& targetFolder,
                    const fs::path& iniFrom, const fs::path& iniTo, bool iniOptional) {
    CopyOutcome outcome;
    try {
        for (const fs::path& file : files) {
            copyFile(file, targetFolder / file.filename());
            ++outcome.filesCopied;
            outcome.copiedNames.push_back(file.filename().string());
        }
        std::error_code error;
        if (iniOptional && !fs::exists(iniFrom, error) && !error) {
            outcome.settingsMissing = true;
            return outcome;
        }
        copyFile(iniFrom, iniTo);
    } catch (const IoError& e) {
        outcome.ok = false;
        outcome.failure = e.what();
    }
    return outcome;
}

}  // namespace

bool folderHoldsSettings(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / kIniFileName, error);
}

std::string backupDoneMessage(const CopyOutcome& outcome) {
    std::string text(kMsgBackupDone);
    if (!outcome.settingsMissing) return text;
    text += "\n\nバックアップしたファイル:";
    for (const std::string& name : outcome.copiedNames) text += "\n  " + name;
    if (outcome.copiedNames.empty()) text += "\n  (なし)";
    return text + "\n\n設定ファイル(" + std::string(kIniFileName) +
           ")はまだ作られていないため含まれていません。";
}

CopyOutcome backupData(const Places& places, const fs::path& target) {
    std::vector<fs::path> files;
    for (const fs::path& file : dataFiles(places.dataFolder)) {
        if (isWithholdingFile(file)) continue;
        if (lowerAscii(file.filename().string()) == kPostalCodeFile) continue;
        files.push_back(file);
    }
    return copyAll(files, target, places.iniFile, target / kIniFileName, true);
}

CopyOutcome restoreData(const Places& places, const fs::path& source) {
    if (!folderHoldsSettings(source)) {
        CopyOutcome refused;
        refused.ok = false;
        refused.failure = kMsgRestoreNoData;
        return refused;
    }
    std::vector<fs::path> files;
    for (const fs::path& file : dataFiles(source)) {
        if (!isWithholdingFile(file)) files.push_back(file);
    }
    return copyAll(files, places.dataFolder, source / kIniFileName, places.iniFile, false);
}

}  // namespace keiro
