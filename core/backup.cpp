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

// Copies the files, then the configuration file; stops at the first failure.
CopyOutcome copyAll(const std::vector<fs::path>& files, const fs::path& targetFolder,
                    const fs::path& iniFrom, const fs::path& iniTo) {
    CopyOutcome outcome;
    try {
        for (const fs::path& file : files) {
            copyFile(file, targetFolder / file.filename());
            ++outcome.filesCopied;
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

CopyOutcome backupData(const Places& places, const fs::path& target) {
    std::vector<fs::path> files;
    for (const fs::path& file : dataFiles(places.dataFolder)) {
        if (isWithholdingFile(file)) continue;
        if (lowerAscii(file.filename().string()) == kPostalCodeFile) continue;
        files.push_back(file);
    }
    return copyAll(files, target, places.iniFile, target / kIniFileName);
}

CopyOutcome restoreData(const Places& places, const fs::path& source) {
    if (!folderHoldsSettings(source)) return {false, 0, std::string(kMsgRestoreNoData)};
    std::vector<fs::path> files;
    for (const fs::path& file : dataFiles(source)) {
        if (!isWithholdingFile(file)) files.push_back(file);
    }
    return copyAll(files, places.dataFolder, source / kIniFileName, places.iniFile);
}

}  // namespace keiro
