#include "core/places.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "core/file_upkeep.h"
#include "core/fileio.h"

namespace keiro {
namespace {

// The variable's value, or empty when it is unset or empty.
std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

fs::path homeFolder() {
    if (std::string home = environment("HOME"); !home.empty()) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
        return entry->pw_dir;
    }
    return fs::current_path();
}

bool isRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// A configuration file counts as read-only when we may not write it, or when its owner may not
// (the read-only mark of a file; checked by mode because access() always allows root).
bool isReadOnly(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return false;
    if (::access(file.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS)) return true;
    return (info.st_mode & S_IWUSR) == 0;
}

// Creates, closes and removes the scratch file; the errno of the failure, or 0.
int tryScratchFile(const fs::path& folder) {
    const fs::path scratch = folder / kWriteCheckFileName;
    const int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(scratch.c_str());
        return error;
    }
    if (::unlink(scratch.c_str()) != 0) return errno;
    return 0;
}

SettingsCheck failedCheck(int code) {
    SettingsCheck check;
    check.ok = false;
    check.code = code;
    if (code == 0 || code == 2 || code == 19) {
        check.messages.push_back(
            {StartupMessage::Kind::Warning, std::string(kMsgSettingsNotWritable)});
    }
    check.messages.push_back(
        {StartupMessage::Kind::Error, "プログラム起動不可[" + std::to_string(code) + "]"});
    return check;
}

}  // namespace

fs::path executableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.empty()) return exe.parent_path();
    return fs::current_path(ec);
}

fs::path settingsRootFromEnvironment() {
    if (std::string root = environment("KEIRO_ROOT"); !root.empty()) {
        std::error_code ec;
        const fs::path absolute = fs::absolute(root, ec);
        return ec ? fs::path(root) : absolute;
    }
    if (fs::path xdg = environment("XDG_DATA_HOME"); xdg.is_absolute()) return xdg;
    return homeFolder() / ".local" / "share";
}

Places placesUnder(const fs::path& root, const fs::path& programFolder) {
    Places places;
    places.root = root;
    places.settingsFolder = root / kVendorFolderName / kSettingsFolderName;
    places.iniFile = places.settingsFolder / kIniFileName;
    places.dataFolder = places.settingsFolder / kDataFolderName;
    places.programFolder = programFolder;
    return places;
}

Places placesFromEnvironment(const fs::path& programFolder) {
    return placesUnder(settingsRootFromEnvironment(), programFolder);
}

fs::path liteSettingsFolder(const Places& places) {
    return places.root / kVendorFolderName / kLiteFolderName;
}

fs::path inrado4Folder(const Places& places) {
    return places.root / kVendorFolderName / kInrado4FolderName;
}

namespace {

template <typename Accept>
std::optional<fs::path> findBesideOrInstalled(const Places& places, std::string_view name,
                                              Accept accept) {
    const fs::path beside = places.programFolder / name;
    if (accept(beside)) return beside;
    const fs::path installed =
        (places.programFolder / kInstalledTableFolder / name).lexically_normal();
    if (accept(installed)) return installed;
    return std::nullopt;
}

}  // namespace

std::optional<fs::path> findTableFile(const Places& places, std::string_view name) {
    return findBesideOrInstalled(places, name, [](const fs::path& p) { return isRegularFile(p); });
}

std::optional<fs::path> findTableFolder(const Places& places, std::string_view name) {
    return findBesideOrInstalled(places, name, [](const fs::path& p) {
        std::error_code error;
        return fs::is_directory(p, error);
    });
}

std::vector<fs::path> manualStartPageCandidates(const fs::path& programFolder) {
    return {(programFolder / kManualFolderName / kManualStartPage).lexically_normal(),
            (programFolder / kInstalledDocFolder / kManualFolderName / kManualStartPage)
                .lexically_normal()};
}

std::optional<fs::path> findManualStartPage(const fs::path& programFolder) {
    for (const fs::path& page : manualStartPageCandidates(programFolder)) {
        if (isRegularFile(page)) return page;
    }
    return std::nullopt;
}

int settingsErrorCode(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
            return 2;
        case ENOTDIR:
            return 3;
        case EMFILE:
        case ENFILE:
            return 4;
        case EACCES:
        case EPERM:
        case EISDIR:
            return 5;
        case EROFS:
            return 19;
        case ENOSPC:
        case EDQUOT:
            return 112;
        case ENAMETOOLONG:
            return 206;
        case EIO:
            return 1117;
        case ELOOP:
            return 1921;
        default:
            return 10000 + errorNumber;
    }
}

SettingsCheck checkSettingsFolder(const Places& places) {
    try {
        createPrivateDirectories(places.settingsFolder);
    } catch (const IoError& error) {
        return failedCheck(settingsErrorCode(error.errorNumber()));
    }
    if (isReadOnly(places.iniFile)) return failedCheck(0);
    if (const int error = tryScratchFile(places.settingsFolder); error != 0) {
        return failedCheck(settingsErrorCode(error));
    }
    return {};
}

int tightenProgramFiles(const Places& places) {
    int changed = 0;
    for (const fs::path& path : {places.settingsFolder.parent_path(), places.settingsFolder,
                                 places.iniFile, places.dataFolder}) {
        if (tightenPermissions(path)) ++changed;
    }
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(places.dataFolder, error)) {
        if (entry.is_regular_file(error) && !entry.is_symlink(error) &&
            tightenPermissions(entry.path())) {
            ++changed;
        }
    }
    return changed;
}

std::optional<StartupMessage> linkedDataFolderProblem(const Places& places) {
    std::error_code ec;
    if (!fs::is_symlink(places.dataFolder, ec)) return std::nullopt;
    const fs::path target = fs::canonical(places.dataFolder, ec);
    if (ec) return std::nullopt;  // leads nowhere: the folder is reported missing
    tightenPermissions(target);
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) return std::nullopt;
    if (info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0) {
        return std::nullopt;
    }
    return StartupMessage{StartupMessage::Kind::Error,
                          "データ用フォルダーのリンク先は、他のユーザーのものか、他のユーザーが"
                          "書き込めるフォルダーです。給与のデータは置けません。\n【" +
                              target.string() + "】"};
}

DataFolderCheck ensureDataFolder(const Places& places) {
    std::error_code ec;
    if (fs::is_directory(places.dataFolder, ec)) {
        if (std::optional<StartupMessage> refused = linkedDataFolderProblem(places))
            return {DataFolderStatus::Failed, std::move(refused)};
        tightenProgramFiles(places);
        return {DataFolderStatus::AlreadyThere, {}};
    }
    try {
        createPrivateDirectories(places.dataFolder);
    } catch (const IoError&) {
        // reported below: the folder is not there
    }
    if (fs::is_directory(places.dataFolder, ec)) {
        tightenProgramFiles(places);
        return {DataFolderStatus::Created, {}};
    }
    return {DataFolderStatus::Failed,
            StartupMessage{StartupMessage::Kind::Error, std::string(kMsgDataFolderFailed)}};
}

}  // namespace keiro
