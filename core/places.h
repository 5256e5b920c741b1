#pragma once
// Where things live, and the start-up steps that need no window: proving the settings folder
// writable, making sure the data folder exists and counting the table files.
//
// Everything both programs share sits under one settings root: `$KEIRO_ROOT` when set (tests,
// portable installs), else `$XDG_DATA_HOME`, else `~/.local/share`.  Below it the vendor folder
// "Vondel" holds this product's folder "Keiro" (configuration file and the data folder "Data")
// and the folders of the two earlier products whose data is carried over on the first start.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keiro {

namespace fs = std::filesystem;

// File and folder names, in one place.
inline constexpr std::string_view kVendorFolderName = "Vondel";
inline constexpr std::string_view kSettingsFolderName = "Keiro";
inline constexpr std::string_view kDataFolderName = "Data";
inline constexpr std::string_view kIniFileName = "Keiro.ini";
inline constexpr std::string_view kSystemLogFileName = "システムログ.dat";
inline constexpr std::string_view kWriteCheckFileName = "Write.chk";
inline constexpr std::string_view kSalaryTaxTableFileName = "税額表(給与).dat";
inline constexpr std::string_view kBonusTaxTableFileName = "税額表(賞与).dat";
inline constexpr std::string_view kHealthGradeTableFileName = "健康保険料額表.dat";
inline constexpr std::string_view kHealthRateListFileName = "健康保険料率.dat";

// The earlier products: the 50-employee edition and the older payroll-printing product.
inline constexpr std::string_view kLiteFolderName = "Keiro_Lite";
inline constexpr std::string_view kInrado4FolderName = "Inrado4";
inline constexpr std::string_view kInrado4IniFileName = "Inrado.ini";

// Installed trees keep the table files here, relative to the program folder.
inline constexpr std::string_view kInstalledTableFolder = "../share/keiro";
// The manual in HTML: a folder "manual" beside the programs in a build tree, the same folder
// under the documentation folder in an installed tree; "index.html" is its first page.
inline constexpr std::string_view kManualFolderName = "manual";
inline constexpr std::string_view kInstalledDocFolder = "../share/doc/keiro";
inline constexpr std::string_view kManualStartPage = "index.html";

struct Places {
    fs::path root;            // the settings root ($KEIRO_ROOT, $XDG_DATA_HOME, ~/.local/share)
    fs::path settingsFolder;  // root/Vondel/Keiro
    fs::path iniFile;         // settingsFolder/Keiro.ini
    fs::path dataFolder;      // settingsFolder/Data
    fs::path programFolder;   // the running executable's folder (table files)
};

// The folder of the running executable, or the current folder when it cannot be told.
fs::path executableFolder();

// The settings root from the environment, as described above.  Empty variables count as unset;
// a relative XDG_DATA_HOME is ignored (it must be absolute to count).
fs::path settingsRootFromEnvironment();

Places placesUnder(const fs::path& root, const fs::path& programFolder);
Places placesFromEnvironment(const fs::path& programFolder = executableFolder());

// root/Vondel/Keiro_Lite and root/Vondel/Inrado4.
fs::path liteSettingsFolder(const Places& places);
fs::path inrado4Folder(const Places& places);

// A table file in the program folder, else in the installed tree's share folder.
std::optional<fs::path> findTableFile(const Places& places, std::string_view name);
// A folder of table files, likewise.
std::optional<fs::path> findTableFolder(const Places& places, std::string_view name);

// Where the manual's first page is looked for, in order: beside the programs (a build tree),
// then in the installed tree's documentation folder.  Paths are normalised, for messages.
std::vector<fs::path> manualStartPageCandidates(const fs::path& programFolder);
// The first of those that is a file.
std::optional<fs::path> findManualStartPage(const fs::path& programFolder);

// A message for the start-up window to show, in order.
struct StartupMessage {
    enum class Kind { Information, Warning, Error };
    Kind kind;
    std::string text;

    bool operator==(const StartupMessage&) const = default;
};

inline constexpr std::string_view kMsgSettingsNotWritable = "設定ファイルに書き込み出来ません。";
inline constexpr std::string_view kMsgDataFolderFailed = "データ用フォルダーが作成できません。";
inline constexpr std::string_view kMsgTablesMissing = "必要な表データファイルが足りません。";

// --- settings check --------------------------------------------------------------------------

// Failure codes follow the Windows system error numbers the users and the support desk know:
//   ENOENT → 2 (file not found), ENOTDIR → 3 (path not found), EACCES/EPERM/EISDIR → 5 (access
//   denied), EMFILE/ENFILE → 4 (too many open files), EROFS → 19 (write protected),
//   ENOSPC/EDQUOT → 112 (disk full), ENAMETOOLONG → 206 (name too long), EIO → 1117 (device
//   error), ELOOP → 1921 (name cannot be resolved).  Any other errno is reported as 10000 + errno
//   so that the real cause is still visible.  0 means the configuration file is read-only.
int settingsErrorCode(int errorNumber);

struct SettingsCheck {
    bool ok = true;
    int code = 0;
    std::vector<StartupMessage> messages;
};

// Creates the settings folder (0700) when missing and proves that it can be written: a
// read-only configuration file fails with code 0; otherwise a scratch file "Write.chk" is
// created and removed again.  On failure the messages are "設定ファイルに書き込み出来ません。"
// (read-only file, codes 2 and 19) followed by "プログラム起動不可[code]".
SettingsCheck checkSettingsFolder(const Places& places);

// --- data folder -----------------------------------------------------------------------------

enum class DataFolderStatus { AlreadyThere, Created, Failed };

struct DataFolderCheck {
    DataFolderStatus status = DataFolderStatus::AlreadyThere;
    std::optional<StartupMessage> message;  // set when Failed
};

// Creates the data folder (0700) when it is not there.  Created means the carry-over from the
// earlier products is due.
DataFolderCheck ensureDataFolder(const Places& places);

// A data folder that is a link: the folder it leads to is the one to keep private.  It is
// tightened when it is ours; one another user owns or may write is refused with this message.
std::optional<StartupMessage> linkedDataFolderProblem(const Places& places);

}  // namespace keiro
