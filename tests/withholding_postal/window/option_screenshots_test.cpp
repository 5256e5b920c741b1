// Pictures of 動作環境設定 while new postal data trickles in from a server on 127.0.0.1, for a
// person to look at; written only when KEIRO_POSTAL_SHOTS names a folder (run under a real
// display server for real fonts).  The test then waits a while, so that a screenshot of the
// whole screen can be taken as well.
#include <QPushButton>
#include <QtTest>

#include "core/fileio.h"
#include "core/ini.h"
#include "tests/support/qt_test_main.h"
#include "tests/withholding_postal/postal_fixture.h"
#include "tests/withholding_postal/window/local_http_server.h"
#include "widgets/notice_window.h"
#include "withholding/option_dialog.h"
#include "withholding/postal/postal_file.h"

namespace keiro::withholding {

class OptionScreenshots : public QObject {
    Q_OBJECT
  private slots:
    void downloadInProgress() {
        const QString shots = qEnvironmentVariable("KEIRO_POSTAL_SHOTS");
        if (shots.isEmpty()) QSKIP("KEIRO_POSTAL_SHOTS names no folder");
        testing_support::LocalHttpServer server;
        const std::string zip =
            testing_support::makeZip({{"KEN_ALL.CSV", testing_support::sampleKenAll()}});
        server.answer("/support/zip/version.txt", {200, "2026/12/01", {}, -1, 0});
        server.answer("/support/zip/zip.dat",
                      {200, QByteArray(zip.data(), qsizetype(zip.size())), {}, -1, 120});
        testing_support::TempFolder folder("keiro-shots");
        IniFile ini(folder / "Keiro.ini");
        ini.writeString("Option", "YubinURL", server.url("/").toStdString());
        writeFileAtomic(postalFilePath(folder), "1000001 x\r\n");
        ui::ScriptedMessageService messages;
        ui::ScriptedFileDialogs files;
        OptionDialog dialog(ini, folder.path(), messages, files);
        dialog.move(420, 220);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(shots + QStringLiteral("/option-dialog.png")));

        dialog.findChild<QPushButton*>(QStringLiteral("sbUpdate"))->click();
        QTRY_VERIFY(dialog.progressNotice() != nullptr);
        QTest::qWait(3000);
        QVERIFY(dialog.progressNotice()->grab().save(shots + QStringLiteral("/progress.png")));
        QTest::qWait(5000);  // time for a screenshot of the screen
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isDownloading(), 30000);
        QCOMPARE(messages.lastText(), QString("郵便番号データを更新しました。（5件）"));
        QVERIFY(dialog.grab().save(shots + QStringLiteral("/option-dialog-updated.png")));
    }
};

KEIRO_QTEST(OptionScreenshots);

}  // namespace keiro::withholding

#include "option_screenshots_test.moc"
