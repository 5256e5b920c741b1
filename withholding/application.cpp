#include "withholding/application.h"

#include <QApplication>
#include <QInputDialog>
#include <QTimer>
#include <exception>

#include "core/era.h"
#include "core/file_upkeep.h"
#include "core/places.h"
#include "widgets/application_setup.h"
#include "widgets/data_folder_lock.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"
#include "widgets/single_instance.h"
#include "withholding/document_printing.h"
#include "withholding/editors.h"
#include "withholding/main_window.h"
#include "withholding/option_dialog.h"

namespace keiro::withholding {

namespace {

// The period the 過不足 goes into, the last one (the latest pay) offered first.
std::optional<int> choosePeriod(QWidget* parent, const std::vector<PeriodChoice>& periods) {
    QStringList names;
    for (const PeriodChoice& choice : periods) names << choice.name;
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        parent, QString::fromUtf8(kProgramTitle), QStringLiteral("年調過不足を反映する給与・賞与"),
        names, static_cast<int>(names.size()) - 1, false, &ok);
    if (!ok) return std::nullopt;
    const auto index = names.indexOf(chosen);
    if (index < 0) return std::nullopt;
    return periods[static_cast<std::size_t>(index)].period;
}

}  // namespace

int runWithholding() {
    const QString title = QString::fromUtf8(kProgramTitle);
    ui::setUpApplication(QStringLiteral("KeiroLG"), title);
    ui::QtMessageService messages;
    ui::QtFileDialogs dialogs;

    const QString refusal = title + QStringLiteral("は二重起動できません。");
    ui::SingleInstance instance(QStringLiteral("KeiroG"));
    if (!instance.tryBecomeFirst()) {
        messages.information(nullptr, refusal);
        instance.askFirstToRaise();
        return 0;
    }

    try {
        const Places places = placesFromEnvironment();
        const SettingsCheck check = checkSettingsFolder(places);
        ui::showStartupMessages(messages, check.messages);
        if (!check.ok) return 1;
        if (const std::optional<StartupMessage> refused = linkedDataFolderProblem(places)) {
            ui::showStartupMessages(messages, {*refused});
            return 1;
        }
        tightenProgramFiles(places);
        // Held until the program ends, over every year file it opens.
        ui::DataFolderLock dataLock(QStringLiteral("KeiroLG"),
                                    QString::fromStdString(places.dataFolder.string()));
        if (const std::optional<int> end =
                ui::takeDataFolder(dataLock, places.dataFolder, messages, refusal))
            return *end;
        IniFile ini(places.iniFile);
        const Settings settings = loadSettings(ini);
        const std::chrono::year_month_day today = todayInJapan();
        MainContext context{places, ini,      settings, eraNamesFor(today, settings.newEraName),
                            today,  messages, dialogs};
        MainWindow window(context);
        // The settings are loaded once, when the program starts, and read from here on.
        OptionDialog option(ini, places.dataFolder, messages, dialogs, &window);
        window.setConfigDialog([&option] { option.exec(); });
        connectEditors(window, option, places.dataFolder, messages);
        DocumentPrinting printing(
            window,
            {messages, dialogs, ini, places.dataFolder,
             [&option] {
                 return DocumentOptions{option.options().documentKind, option.options().printLine};
             }},
            settings);
        window.setPrinter([&printing](int tag, bool, std::vector<int> checked) {
            printing.print(tag, std::move(checked));
        });
        window.setPeriodChooser([&window](const std::vector<PeriodChoice>& periods) {
            return choosePeriod(&window, periods);
        });
        window.setSettlementWriter([&window](int period,
                                             const std::vector<SettlementEntry>& entries) {
            return static_cast<int>(settleYearEnd(window.year().path(), period, entries).size());
        });
        window.setYearEndListPrinter([&printing](std::vector<int> checked) {
            printing.printYearEndList(std::move(checked));
        });
        QObject::connect(&instance, &ui::SingleInstance::raiseRequested, &window, [&window] {
            if (window.isMinimized()) window.showNormal();
            window.raise();
            window.activateWindow();
        });
        window.applyPlacement();
        window.show();
        QTimer::singleShot(0, &window, [&window, &messages] {
            bool working = false;
            try {
                working = window.startUp();
            } catch (const std::exception& e) {  // nothing may escape the event loop
                messages.error(&window, QString::fromUtf8(e.what()));
            }
            if (!working) window.close();
        });
        return QApplication::exec();
    } catch (const std::exception& e) {
        messages.error(nullptr, QString::fromUtf8(e.what()));
        return 1;
    }
}

}  // namespace keiro::withholding
