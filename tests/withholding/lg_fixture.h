#pragma once
// The sample company on 2027-01-15 (its 2026 complete with December, 2027 just begun) in a
// temporary settings root, and the withholding-slip program's main window over it, answering
// message boxes and the open dialog from scripts.

#include <QListWidget>
#include <QString>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/ini.h"
#include "core/settings.h"
#include "sample/sample_company.h"
#include "tests/support/temp_folder.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"
#include "withholding/main_window.h"

namespace keiro::withholding::testing {

inline constexpr std::chrono::year_month_day kToday{std::chrono::year{2027}, std::chrono::January,
                                                    std::chrono::day{15}};

inline QString qpath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

struct LgFixture {
    testing_support::TempFolder folder{"keiro-lg"};
    sample::SampleFiles files =
        sample::createSampleCompany(folder / "root", kToday, KEIRO_BINARY_DIR "/bin");
    std::unique_ptr<IniFile> ini = std::make_unique<IniFile>(files.places.iniFile);
    Settings settings = loadSettings(*ini);
    ui::ScriptedMessageService messages;
    ui::ScriptedFileDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    LgFixture() {
        MainContext context{
            files.places, *ini,     settings, eraNamesFor(kToday, settings.newEraName),
            kToday,       messages, dialogs};
        window = std::make_unique<MainWindow>(context);
        window->show();
    }

    // 令和08年給与･賞与.dat, complete; 令和09 has no December yet.
    const std::filesystem::path& year2026() const { return files.yearFiles[0]; }
    const std::filesystem::path& year2027() const { return files.yearFiles[1]; }
    std::filesystem::path withholdingFile() const {
        return files.places.dataFolder / "源泉徴収(令和08年).dat";
    }

    // Starts as the program does, choosing 2026 in the open dialog.
    bool start() {
        dialogs.answerNext(qpath(year2026()));
        return window->startUp();
    }

    QListWidget* list() const { return window->findChild<QListWidget*>("ListBox"); }
    int rowOf(int slot) const {
        for (int row = 0; row < list()->count(); ++row) {
            if (list()->item(row)->text().mid(1, 3).toInt() == slot) return row;
        }
        return -1;
    }

    // Changes one byte of an employee of December in the year file on disk.
    void setDecemberByte(int slot, std::size_t fieldOffset, std::uint8_t value) const {
        const std::size_t offset = sizeof(YearFileHeader) + 11 * sizeof(PeriodBlock) +
                                   offsetof(PeriodBlock, employees) +
                                   (slot - 1) * sizeof(EmployeeRecord) + fieldOffset;
        std::fstream file(year2026(), std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(offset));
        file.put(static_cast<char>(value));
    }
};

}  // namespace keiro::withholding::testing
