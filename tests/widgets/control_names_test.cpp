// The shared windows keep every control's name: tests and the programs' scripts find controls
// by it, so renaming what the code calls a control must never change the name the control
// carries.  Each window's names are compared whole, in order.
#include <QAction>
#include <QStringList>
#include <QTemporaryDir>

#include "core/ini.h"
#include "tests/support/control_names.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "widgets/calculator_window.h"
#include "widgets/file_dialogs.h"
#include "widgets/folder_window.h"
#include "widgets/log_viewer.h"
#include "widgets/message_service.h"
#include "widgets/notice_window.h"
#include "widgets/password_windows.h"

namespace keiro::ui {
using testing_support::controlNames;

class WidgetControlNamesTest : public QObject {
    Q_OBJECT
  private slots:
    void windows() {
        QTemporaryDir folder;
        IniFile ini{std::filesystem::path(folder.path().toStdString()) / "Keiro.ini"};
        ScriptedMessageService messages;
        ScriptedFileDialogs dialogs;
        PasswordDialog password("abc", messages);
        NewPasswordDialog newPassword(ini, messages);
        FolderWindow folders(messages);
        LogViewer log(folder.path().toStdString(), messages, dialogs);
        CalculatorWindow calculator(nullptr, messages);
        QCOMPARE(controlNames(password),
                 QStringList({"btCancel", "btOK", "cbDispChar", "edPassword"}));
        QCOMPARE(controlNames(newPassword),
                 QStringList({"btCancel", "btOK", "edPass1", "edPass2", "lbNote"}));
        QCOMPARE(controlNames(folders),
                 QStringList({"btCancel", "btMkDir", "btOK", "edPath", "lbData", "tvFolder"}));
        QCOMPARE(controlNames(log), QStringList({"ListBox1", "mnCSV", "mnFile"}));
        QCOMPARE(controlNames(calculator),
                 QStringList({"bt0",      "bt1",     "bt2",     "bt3",  "bt4",       "bt5",
                              "bt6",      "bt7",     "bt8",     "bt9",  "btCancel",  "btClear",
                              "btDivide", "btEqual", "btMinus", "btOK", "btPercent", "btPlus",
                              "btPoint",  "btTimes", "edResult"}));
        for (QWidget* window : std::initializer_list<QWidget*>{&password, &newPassword, &folders,
                                                               &log, &calculator}) {
            KEIRO_VERIFY_TAB_ORDER(*window);
            window->hide();
        }
        NoticeWindow* progress = NoticeWindow::showProgress(nullptr, QStringLiteral("処理中"));
        const QStringList progressNames = controlNames(*progress);
        progress->close();
        QCOMPARE(progressNames, QStringList({"lbMessage", "pbProgress"}));
    }
};

KEIRO_QTEST(WidgetControlNamesTest);

}  // namespace keiro::ui

#include "control_names_test.moc"
