#include "payroll/application.h"

#include <QApplication>
#include <QTimer>
#include <exception>

#include "calc/payroll_tables.h"
#include "core/fileio.h"
#include "core/product.h"
#include "core/startup.h"
#include "core/syslog.h"
#include "payroll/main_window.h"
#include "widgets/application_setup.h"
#include "widgets/data_folder_lock.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"
#include "widgets/password_windows.h"
#include "widgets/single_instance.h"

namespace keiro::payroll {

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// After the main window is up: the password, then the period to work on.  False when the
// program is to end.
bool beginWork(MainWindow& window, const MainContext& context, YearData& year) {
    if (!ui::PasswordDialog::passwordCheckPassed(&window, context.ini, context.messages))
        return false;
    const PeriodChoice choice = runDataSelection(&window, context, year);
    if (choice.outcome != DataSelectionWindow::Outcome::Opened) return false;
    window.beginPeriod(choice.startedEmpty);
    try {
        writeLog(context.places.dataFolder, kLogPayrollStarted);
    } catch (const IoError& e) {
        context.messages.error(&window, QString::fromStdString(e.what()));
    }
    return true;
}

}  // namespace

int runPayroll() {
    ui::setUpApplication(QStringLiteral("Keiro"), qs(kApplicationTitle));
    ui::QtMessageService messages;
    ui::QtFileDialogs dialogs;

    const QString refusal = qs(kApplicationTitle) + QStringLiteral("は二重起動できません。");
    ui::SingleInstance instance(QStringLiteral("Keiro"));
    if (!instance.tryBecomeFirst()) {
        messages.information(nullptr, refusal);
        instance.askFirstToRaise();
        return 0;
    }

    try {
        StartupState state = startWithoutWindows(placesFromEnvironment(), todayInJapan());
        ui::showStartupMessages(messages, state.messages);
        if (!state.proceed) return 1;
        // Held until the program ends, over every year file it opens.
        ui::DataFolderLock dataLock(QStringLiteral("Keiro"),
                                    QString::fromStdString(state.places.dataFolder.string()));
        if (const std::optional<int> end =
                ui::takeDataFolder(dataLock, state.places.dataFolder, messages, refusal))
            return *end;
        calc::PayrollTables tables = calc::loadPayrollTables(state.places);
        if (!tables.complete()) {
            ui::showStartupMessages(messages, tables.missingTableMessages());
            return 1;
        }
        ui::showStartupMessages(messages, tables.datedTableMessages());
        IniFile ini(state.places.iniFile);
        YearData year;
        year.setFile(state.currentYearFile, state.currentYear.eraName, state.currentYear.eraYear,
                     state.eraNames);
        const int calendarYear = static_cast<int>(todayInJapan().year());
        MainContext context{state.places,   ini,      state.settings, tables,
                            state.eraNames, messages, dialogs,        calendarYear};
        MainWindow window(context, year);
        QObject::connect(&instance, &ui::SingleInstance::raiseRequested, &window, [&window] {
            if (window.isMinimized()) window.showNormal();
            window.raise();
            window.activateWindow();
        });
        window.applyPlacement();
        QTimer::singleShot(0, &window, [&] {
            bool working = false;
            try {
                working = beginWork(window, context, year);
            } catch (const std::exception& e) {  // nothing may escape the event loop
                messages.error(&window, QString::fromStdString(e.what()));
            }
            if (!working) {
                window.abandonStartup();
                window.close();
            }
        });
        return QApplication::exec();
    } catch (const std::exception& e) {
        messages.error(nullptr, QString::fromStdString(e.what()));
        return 1;
    }
}

}  // namespace keiro::payroll
