// The first activation: the password, the choice of the year file, and loading its December
// and the withholding file.
#include <QAction>
#include <QListWidget>
#include <cctype>
#include <system_error>

#include "core/company_address.h"
#include "core/fileio.h"
#include "core/syslog.h"
#include "core/text.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"
#include "widgets/password_windows.h"
#include "withholding/main_window.h"
#include "withholding/model/entry_text.h"
#include "withholding/model/opening.h"

namespace keiro::withholding {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMsgNoYearFiles = "給与･賞与データファイルが無いので起動できません。";
constexpr const char* kMsgMustChoose = "給与･賞与データファイルを選択しないと起動できません。";
constexpr const char* kMsgWrongPlace = "データを開いた場所が間違っています。";
constexpr const char* kMsgNotYearFile = "選択ファイルは給与･賞与データでは有りません。";
constexpr const char* kMsgNoDecember = "12月分の給与が入力されていません。";
constexpr const char* kMsgSetUpFirst = "基本設定の各項目を設定して下さい。";
constexpr const char* kOpenTitle = "12月分給与処理を完了した給与･賞与データファイルを選択";

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

bool holdsAnyFile(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // Hidden files (the program's lock) are no data.
        if (it->is_regular_file(ec) && !it->path().filename().string().starts_with('.')) {
            return true;
        }
    }
    return false;
}

bool isInFolder(const fs::path& file, const fs::path& folder) {
    std::error_code ec;
    const fs::path parent = fs::weakly_canonical(file.parent_path(), ec);
    if (ec) return false;
    const fs::path expected = fs::weakly_canonical(folder, ec);
    return !ec && parent == expected;
}

// A year file's name is the era name (two double-byte characters), the two-digit era year, 年
// and "給与･賞与", counted in code page 932 bytes; the era and year are read from it.
std::optional<EraYear> yearOfFileName(const std::string& utf8Name) {
    const std::string bytes = text::sortKey(utf8Name);
    const std::string marker = text::toCp932("給与･賞与");
    if (bytes.size() < 8 + marker.size() || bytes.compare(8, marker.size(), marker) != 0) {
        return std::nullopt;
    }
    if (!std::isdigit(static_cast<unsigned char>(bytes[4])) ||
        !std::isdigit(static_cast<unsigned char>(bytes[5]))) {
        return std::nullopt;
    }
    return EraYear{text::fromCp932(bytes.substr(0, 4)), (bytes[4] - '0') * 10 + (bytes[5] - '0')};
}

}  // namespace

QString MainWindow::openDialogFilter() const {
    const auto entry = [](const std::string& era) {
        return QStringLiteral("給与･賞与ﾃﾞｰﾀﾌｧｲﾙ(%1??年給与･賞与.dat) (%1*.dat)").arg(qs(era));
    };
    QString filter = entry(context_.eraNames.earlier);
    // The new era's files first, once it has begun.
    if (newEraForEditors_ && static_cast<int>(context_.today.year()) > 2019) {
        filter = entry(*newEraForEditors_) + QStringLiteral(";;") + filter;
    }
    return filter;
}

std::optional<fs::path> MainWindow::chooseYearFile() {
    const fs::path& dataFolder = context_.places.dataFolder;
    for (;;) {
        const std::optional<QString> chosen = context_.dialogs.openFile(
            this, QString::fromUtf8(kOpenTitle), QString::fromStdString(dataFolder.string()),
            openDialogFilter());
        if (!chosen) {
            context_.messages.error(this, QString::fromUtf8(kMsgMustChoose));
            return std::nullopt;
        }
        const fs::path path(chosen->toStdString());
        if (!isInFolder(path, dataFolder)) {
            context_.messages.error(this, QString::fromUtf8(kMsgWrongPlace));
        } else if (!yearOfFileName(path.filename().string())) {
            context_.messages.error(this, QString::fromUtf8(kMsgNotYearFile));
        } else {
            return path;
        }
    }
}

bool MainWindow::startUp() {
    using namespace std::chrono;
    // After April 2019 the new era has its own name, unless the configuration kept the old one.
    if (context_.today > year_month_day{2019y, April, 30d} &&
        context_.eraNames.newEra != context_.eraNames.earlier) {
        newEraForEditors_ = context_.eraNames.newEra;
    }
    if (!ui::PasswordDialog::passwordCheckPassed(this, context_.ini, context_.messages))
        return false;
    if (!holdsAnyFile(context_.places.dataFolder)) {
        context_.messages.error(this, QString::fromUtf8(kMsgNoYearFiles));
        return false;
    }
    const std::optional<fs::path> path = chooseYearFile();
    if (!path) return false;
    previewButtons_ = context_.ini.readBool(kOptionSection, "PreViewBtn", true);
    raise();
    activateWindow();
    if (!loadYear(*path, *yearOfFileName(path->filename().string()))) return false;

    loaded_ = true;
    placementDue_ = true;
    enableCommands();
    if (!fs::exists(context_.places.iniFile)) {
        context_.messages.information(this, QString::fromUtf8(kMsgSetUpFirst));
    }
    try {
        writeLog(context_.places.dataFolder, kLogWithholdingStarted);
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromUtf8(e.what()));
    }
    return true;
}

bool MainWindow::loadYear(const fs::path& path, const EraYear& year) {
    try {
        year_.emplace(path);
        paths_ = withholdingPathsFor(path, year, context_.eraNames);
        std::optional<WithholdingFile> opened = openWithholdingFile(*year_, paths_);
        if (!opened) {
            year_.reset();
            context_.messages.error(this, QString::fromUtf8(kMsgNoDecember));
            return false;
        }
        file_.emplace(std::move(*opened));
        const CompanyAddress company = readCompanyAddress(context_.ini);
        takeCompanyAddress(file_->header(), {company.address1, company.address2, company.phone});
    } catch (const IoError& e) {
        year_.reset();
        context_.messages.error(this, QString::fromUtf8(e.what()));
        return false;
    }
    eraYear_ = year;
    order_ = ListOrder::Number;
    fillList(order_, {}, 0);
    checkDone();
    enableCommands();
    refreshStatusBar();
    return true;
}

}  // namespace keiro::withholding
