// The withholding-slip program's first activation on the sample company: the open dialog asked
// again until a year file of the data folder is chosen, the ways start-up ends, and what a
// successful start leaves behind.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "core/syslog.h"
#include "tests/support/qt_test_main.h"
#include "tests/withholding/lg_fixture.h"

namespace keiro::withholding {

namespace fs = std::filesystem;
using testing::LgFixture;
using testing::qpath;

class StartTest : public QObject {
    Q_OBJECT

  private slots:
    void openDialogIsAskedAgainUntilAYearFileOfTheDataFolder() {
        LgFixture lg;
        const fs::path elsewhere = lg.folder / "elsewhere";
        fs::create_directories(elsewhere);
        fs::copy_file(lg.year2026(), elsewhere / lg.year2026().filename());
        const fs::path notAYear = lg.files.places.dataFolder / "社員情報.dat";
        std::ofstream(notAYear) << "x";

        lg.dialogs.answerNext(qpath(elsewhere / lg.year2026().filename()));
        lg.dialogs.answerNext(qpath(notAYear));
        lg.dialogs.answerNext(qpath(lg.year2026()));
        QVERIFY(lg.window->startUp());
        QCOMPARE(lg.dialogs.asked(), 3);
        QCOMPARE(lg.messages.shown().size(), std::size_t{2});
        QCOMPARE(lg.messages.shown()[0].text, QString("データを開いた場所が間違っています。"));
        QCOMPARE(lg.messages.shown()[1].text,
                 QString("選択ファイルは給与･賞与データでは有りません。"));

        QVERIFY(lg.window->isLoaded());
        QVERIFY(lg.window->currentFormat());
        QCOMPARE(lg.list()->count(), 10);
        QCOMPARE(lg.list()->currentRow(), 0);
        QCOMPARE(lg.window->findChild<QLabel*>("StatusBar")->text(),
                 QString("株式会社サンプル商事 令和8年分"));
        // The salary payment report belongs to current-format years.
        QVERIFY(lg.window->findChild<QAction*>("mnPrnSiharai")->isVisible());
        // No editor yet: its commands stay disabled; nothing was written but the log.
        QVERIFY(!lg.window->findChild<QAction*>("mnDataInput")->isEnabled());
        QVERIFY(!fs::exists(lg.withholdingFile()));
        const SystemLog log = readLogLines(lg.files.places.dataFolder);
        QVERIFY(!log.lines.empty());
        QVERIFY(QString::fromStdString(log.lines.back()).endsWith("KeiroLG・源泉徴収印刷を起動"));
    }

    void cancelOrNothingToOpenEndsTheStart() {
        LgFixture lg;
        lg.dialogs.answerNext(std::nullopt);
        QVERIFY(!lg.window->startUp());
        QCOMPARE(lg.messages.lastText(),
                 QString("給与･賞与データファイルを選択しないと起動できません。"));
        QVERIFY(!lg.window->isLoaded());

        LgFixture empty;
        for (const auto& entry : fs::directory_iterator(empty.files.places.dataFolder)) {
            fs::remove_all(entry.path());
        }
        // The program's own lock beside the year files is no year file.
        std::ofstream(empty.files.places.dataFolder / ".KeiroLG.lock") << "1\nKeiroLG\nhost\n";
        QVERIFY(!empty.window->startUp());
        QCOMPARE(empty.dialogs.asked(), 0);
        QCOMPARE(empty.messages.lastText(),
                 QString("給与･賞与データファイルが無いので起動できません。"));
    }

    void aYearWithoutDecemberEndsTheStartAndClosingWritesNothing() {
        LgFixture lg;
        lg.dialogs.answerNext(qpath(lg.year2027()));
        QVERIFY(!lg.window->startUp());
        QCOMPARE(lg.messages.lastText(), QString("12月分の給与が入力されていません。"));
        QVERIFY(!lg.window->isLoaded());
        lg.messages.clear();
        QVERIFY(lg.window->close());
        QVERIFY(lg.messages.shown().empty());
        QVERIFY(!IniFile(lg.files.places.iniFile).hasKey("Window", "MainFormSX"));
        QVERIFY(!fs::exists(lg.files.places.dataFolder / "源泉徴収(令和09年).dat"));
        for (const std::string& line : readLogLines(lg.files.places.dataFolder).lines) {
            QVERIFY(!QString::fromStdString(line).endsWith("源泉徴収印刷を起動"));
        }
    }

    void aYearBefore28HasLegacyRecordsAndNoPaymentReport() {
        LgFixture lg;
        const fs::path heisei27 = lg.files.places.dataFolder / "平成27年給与･賞与.dat";
        fs::copy_file(lg.year2026(), heisei27);
        lg.dialogs.answerNext(qpath(heisei27));
        QVERIFY(lg.window->startUp());
        QVERIFY(!lg.window->currentFormat());
        QVERIFY(!lg.window->file().currentFormat());
        QVERIFY(!lg.window->findChild<QAction*>("mnPrnSiharai")->isVisible());
        QVERIFY(!lg.window->findChild<QPushButton*>("sbPrnSiharai")->isVisible());
        QVERIFY(lg.window->findChild<QPushButton*>("sbGensen")->isVisible());
        QCOMPARE(lg.window->findChild<QLabel*>("StatusBar")->text(),
                 QString("株式会社サンプル商事 平成27年分"));
        QCOMPARE(lg.list()->count(), 10);
    }

    void aFirstStartWithoutConfigurationAsksForTheBasicSettings() {
        LgFixture lg;
        fs::remove(lg.files.places.iniFile);
        QVERIFY(lg.start());
        QCOMPARE(lg.messages.shown().size(), std::size_t{1});
        QCOMPARE(lg.messages.shown()[0].kind, ui::MessageKind::Information);
        QCOMPARE(lg.messages.lastText(), QString("基本設定の各項目を設定して下さい。"));
    }
};

KEIRO_QTEST(StartTest);

}  // namespace keiro::withholding

#include "start_test.moc"
