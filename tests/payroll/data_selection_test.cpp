// The data-selection window as a clerk meets it: the first start on an empty root, refusing a
// month without scheduled days, starting a month with nothing to copy, deleting a saved month,
// creating a year, backing up and refusing to restore from a folder without settings.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/backup.h"
#include "core/fileio.h"
#include "core/startup.h"
#include "payroll/data_selection_window.h"
#include "payroll/year_creation_dialog.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/support/temp_folder.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

using testing_support::TempFolder;
using ui::ScriptedMessageService;

class DataSelectionTest : public QObject {
    Q_OBJECT

    // A first start on an empty settings root, on 2026-12-08.
    struct FirstStart {
        TempFolder folder{"keiro-seldata"};
        Places places = placesUnder(folder / "root", folder.path());
        StartupState state = startWithoutWindows(
            places, std::chrono::year_month_day{std::chrono::year(2026), std::chrono::month(12),
                                                std::chrono::day(8)});
        IniFile ini{places.iniFile};
        Settings settings = loadSettings(ini);
        ScriptedMessageService messages;
        std::optional<std::filesystem::path> folderAnswer;
        YearData year;
        std::unique_ptr<DataSelectionWindow> window;

        FirstStart() {
            year.setFile(state.currentYearFile, state.currentYear.eraName,
                         state.currentYear.eraYear, state.eraNames);
            SelectionContext context{
                places,   ini,
                settings, state.eraNames,
                messages, [this](const QString&, bool) { return folderAnswer; },
                2026};
            window = std::make_unique<DataSelectionWindow>(nullptr, context, year);
            window->prepare();
        }
        template <typename T>
        T* find(const char* name) {
            return window->findChild<T*>(name);
        }
    };

  private slots:
    void tabFollowsReadingOrder() {
        FirstStart start;
        KEIRO_VERIFY_TAB_ORDER(*start.window);
        YearCreationDialog dialog(nullptr, start.places.dataFolder, start.state.eraNames,
                                  start.messages);
        KEIRO_VERIFY_TAB_ORDER(dialog);
    }

    void firstStartListsTheCurrentYearAndRefusesAMonthWithoutDays() {
        FirstStart start;
        QCOMPARE(start.find<QComboBox>("cbTaisyoNen")->currentText(), QString("令和08年"));
        start.window->show();
        QTRY_VERIFY(!start.messages.shown().empty());  // the once-only information
        QCOMPARE(start.messages.lastText(),
                 QString("入力する給与または賞与を選択し､必要な情報を入力して下さい。"));

        start.find<QListWidget>("ListBox")->setCurrentRow(0);  // １月分給与
        start.find<QLineEdit>("edNissu")->setText("0");
        start.find<QPushButton>("bbOk")->click();
        QCOMPARE(start.messages.lastText(), QString("所定労働日数と時間を入力して下さい。"));
        QCOMPARE(start.year.period(), 0);
    }

    void aNewOfficesFirstMonthStartsEmptyWithoutAWarning() {
        FirstStart start;
        start.find<QListWidget>("ListBox")->setCurrentRow(0);
        start.find<QLineEdit>("edNissu")->setText("20");
        start.find<QLineEdit>("edJikan")->setText("160:00");
        start.find<QPushButton>("bbOk")->click();
        QCOMPARE(start.year.period(), 1);
        QVERIFY(start.window->startedEmpty());
        // A new folder has no month to take over: nothing is said about it.
        QVERIFY(start.messages.shown().empty());
        QCOMPARE(start.year.block().settings.scheduledDays, 20);
        QCOMPARE(start.year.block().settings.scheduledHours, 160.0);
    }

    void bonusPayMonthAndDayAreChecked() {
        FirstStart start;
        start.find<QListWidget>("ListBox")->setCurrentRow(12);  // 夏期賞与
        const auto tryDate = [&](const char* month, const char* day) {
            start.find<QLineEdit>("edSikyuM")->setText(month);
            start.find<QLineEdit>("edSikyuD")->setText(day);
            start.find<QPushButton>("bbOk")->click();
        };
        for (const char* month : {"0", "13", "99", ""}) {
            tryDate(month, "10");
            QCOMPARE(start.messages.lastText(), QString("賞与支給月の入力に誤りがあります。"));
        }
        for (const char* day : {"0", "31", "99"}) {
            tryDate("6", day);
            QCOMPARE(start.messages.lastText(), QString("賞与支給日の入力に誤りがあります。"));
        }
        QCOMPARE(start.year.period(), 0);
        tryDate("7", "10");
        QCOMPARE(start.year.period(), 13);
        QCOMPARE(start.year.header().bonusPayMonth[0], 7);
    }

    void savedMonthIsBlueAndCanBeDeleted() {
        FirstStart start;
        start.year.openPeriod(3, PeriodEntry{20, 160.0, 0, 0}, nullptr);
        start.year.block().settings.companyName.assign("株式会社テスト");
        start.year.savePeriod();
        start.window->prepare();
        auto* list = start.find<QListWidget>("ListBox");
        QVERIFY(list->item(2)->data(Qt::UserRole + 1).toBool());
        list->setCurrentRow(2);
        start.messages.answerNext(ui::Answer::Yes);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(start.messages.lastText(),
                 QString("選択されている給与/賞与のデータを削除しますか？"));
        QVERIFY(!readYearFileHeader(start.year.path()).isSaved(3));
        QVERIFY(!list->item(2)->data(Qt::UserRole + 1).toBool());
    }

    void yearOneOfAnEraIsRefused() {
        FirstStart start;
        YearCreationDialog dialog(nullptr, start.places.dataFolder, start.state.eraNames,
                                  start.messages);
        dialog.findChild<QLineEdit*>("edYear")->setText("01");
        dialog.findChild<QPushButton*>("bbOk")->click();
        QCOMPARE(start.messages.lastText(), QString("年の入力エラー(0以下または元年は不可)"));
        dialog.findChild<QLineEdit*>("edYear")->setText("08");
        dialog.findChild<QPushButton*>("bbOk")->click();
        QCOMPARE(start.messages.lastText(), QString("入力された年のデータは存在します。"));
        // Years the year list would never show are refused before anything is made.
        dialog.findChild<QLineEdit*>("edYear")->setText("21");
        dialog.findChild<QPushButton*>("bbOk")->click();
        QCOMPARE(start.messages.lastText(),
                 QString("作成できるのは平成16年～31年、令和02年～20年のデータファイルです。"));
        QVERIFY(!std::filesystem::exists(start.places.dataFolder / "令和21年給与･賞与.dat"));
        dialog.findChild<QComboBox*>("cbGengo")->setCurrentText("平成");
        for (const char* year : {"15", "32"}) {
            dialog.findChild<QLineEdit*>("edYear")->setText(year);
            dialog.findChild<QPushButton*>("bbOk")->click();
            QVERIFY(start.messages.lastText().startsWith("作成できるのは"));
        }
        QVERIFY(!std::filesystem::exists(start.places.dataFolder / "平成15年給与･賞与.dat"));
        dialog.findChild<QComboBox*>("cbGengo")->setCurrentText("令和");
        dialog.findChild<QLineEdit*>("edYear")->setText("09");
        dialog.findChild<QPushButton*>("bbOk")->click();
        QVERIFY(std::filesystem::exists(start.places.dataFolder / "令和09年給与･賞与.dat"));
    }

    void backupIsRememberedAndRestoreNeedsSettings() {
        FirstStart start;
        writeFileAtomic(start.places.iniFile, "[Option]\r\n");
        const auto target = start.folder / "usb";
        createPrivateDirectories(target);
        start.folderAnswer = target;
        start.window->findChild<QAction*>("mnDataBackup")->trigger();
        QCOMPARE(start.messages.lastText(), QString("指定場所にバックアップしました。"));
        QVERIFY(std::filesystem::exists(target / "令和08年給与･賞与.dat"));
        QCOMPARE(QString::fromStdString(loadSettings(IniFile(start.places.iniFile)).backupPath),
                 QString::fromStdString(target.string()));

        const auto empty = start.folder / "empty";
        createPrivateDirectories(empty);
        start.folderAnswer = empty;
        start.window->findChild<QAction*>("mnDataRestore")->trigger();
        QCOMPARE(start.messages.lastText(),
                 QString("該当するデータが存在しないので続行できません。"));
    }
};

}  // namespace keiro::payroll

using keiro::payroll::DataSelectionTest;
KEIRO_QTEST(DataSelectionTest);

#include "data_selection_test.moc"
