// The log viewer lists what both programs logged and exports it as CSV only when the user
// confirms and names a file.
#include "widgets/log_viewer.h"

#include <QAction>
#include <QListWidget>
#include <ctime>

#include "core/fileio.h"
#include "core/syslog.h"
#include "core/text.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::ui {
namespace {

using testing_support::TempFolder;

std::chrono::system_clock::time_point localTime(int year, int month, int day, int hour,
                                                int minute) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

QStringList listed(LogViewer& window) {
    auto* list = window.findChild<QListWidget*>("ListBox1");
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

void exportLog(LogViewer& window) {
    window.findChild<QAction*>("mnCSV")->trigger();
}

struct LogFixture {
    TempFolder folder{"log"};
    ScriptedMessageService messages;
    ScriptedFileDialogs dialogs;
    LogViewer window{folder.path(), messages, dialogs};

    LogFixture() {
        writeLog(folder, kLogPayrollStarted, localTime(2025, 4, 1, 9, 5));
        writeLog(folder, kLogEmployeeRegistered, localTime(2025, 4, 1, 9, 7));
        window.show();
    }
    std::filesystem::path csv() const { return folder / "log.csv"; }
};

}  // namespace

class LogViewerTest : public QObject {
    Q_OBJECT
  private slots:
    void listsTheLogOldestFirstAndRereadsItWhenShownAgain() {
        LogFixture f;
        QCOMPARE(f.window.windowTitle(), QString("システムログの表示"));
        QCOMPARE(listed(f.window), QStringList({"2025/04/01 09:05  Keiroを起動",
                                                "2025/04/01 09:07  従業員情報の登録"}));
        f.window.hide();
        writeLog(f.folder, kLogEmployeeDeleted, localTime(2025, 4, 2, 18, 30));
        f.window.show();
        QCOMPARE(listed(f.window).size(), 3);
        QCOMPARE(listed(f.window).last(), QString("2025/04/02 18:30  従業員情報の削除"));
        QVERIFY(f.messages.shown().empty());
    }

    void aLogNotWrittenYetIsAnEmptyListWithoutMessage() {
        TempFolder folder("log");
        ScriptedMessageService messages;
        ScriptedFileDialogs dialogs;
        LogViewer window(folder.path(), messages, dialogs);
        window.show();
        QVERIFY(listed(window).isEmpty());
        QVERIFY(messages.shown().empty());
    }

    void exportsTheListedLinesAsCsv() {
        LogFixture f;
        f.dialogs.answerNext(QString::fromStdString(f.csv().string()));
        exportLog(f.window);
        QCOMPARE(f.messages.shown().size(), std::size_t{2});
        QCOMPARE(f.messages.shown()[0].text, QString("システムログをＣＳＶファイルに出力します。"));
        QCOMPARE(f.messages.shown()[1].kind, MessageKind::Information);
        QCOMPARE(f.messages.shown()[1].text, QString("指定ファイルに出力しました。"));
        QCOMPARE(text::fromCp932(readFile(f.csv())),
                 std::string("日時, 内容\r\n"
                             "\"2025/04/01 09:05\", \"Keiroを起動\"\r\n"
                             "\"2025/04/01 09:07\", \"従業員情報の登録\"\r\n"));
    }

    void decliningOrCancellingWritesNothing() {
        LogFixture f;
        f.messages.answerNext(Answer::No);
        exportLog(f.window);
        QCOMPARE(f.dialogs.asked(), 0);

        f.dialogs.answerNext(std::nullopt);
        exportLog(f.window);
        QCOMPARE(f.dialogs.asked(), 1);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(f.folder.path()),
                               std::filesystem::directory_iterator()),
                 1);                                          // the log alone
        QCOMPARE(f.messages.shown().size(), std::size_t{2});  // the two confirmations only
    }

    void aFileThatCannotBeWrittenIsReported() {
        LogFixture f;
        f.dialogs.answerNext(QString::fromStdString((f.folder / "missing" / "log.csv").string()));
        exportLog(f.window);
        QCOMPARE(f.messages.shown().back().kind, MessageKind::Error);
        QVERIFY(f.messages.lastText().startsWith("ファイルの"));
    }
};

}  // namespace keiro::ui

using keiro::ui::LogViewerTest;
KEIRO_QTEST(LogViewerTest);

#include "log_viewer_test.moc"
