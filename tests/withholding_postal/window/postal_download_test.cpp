// 更新: new postal data fetched from a server on 127.0.0.1, in both layouts, and every way it
// can go wrong leaving the installed data as it was.
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QSignalSpy>
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

using testing_support::LocalHttpServer;
using testing_support::TempFolder;

namespace {

constexpr std::string_view kOldData = "1000001 旧データ\r\n";

// A settings root whose YubinURL points at the local server, with old data installed.  The
// address is written before the dialog is made (it reads its settings then), so no test ever
// reaches past 127.0.0.1.
struct Setup {
    explicit Setup(const QString& postalDataUrl)
        : folder("keiro-download"), ini(folder / "Keiro.ini") {
        ini.writeString("Option", "YubinURL", postalDataUrl.toStdString());
        writeFileAtomic(postalFilePath(folder), text::toCp932(kOldData));
        dialog = std::make_unique<OptionDialog>(ini, folder.path(), messages, files);
        if (!QString::fromStdString(dialog->options().postalDataUrl)
                 .startsWith("http://127.0.0.1:")) {
            qFatal("the test would leave the machine");
        }
        dialog->show();
    }
    bool oldDataKept() const { return readFile(postalFilePath(folder)) == text::toCp932(kOldData); }
    // Clicks 更新 and waits until the download is over.
    bool update() {
        dialog->findChild<QPushButton*>(QStringLiteral("sbUpdate"))->click();
        return QTest::qWaitFor([this] { return !dialog->isDownloading(); }, 20000);
    }

    TempFolder folder;
    IniFile ini;
    ui::ScriptedMessageService messages;
    ui::ScriptedFileDialogs files;
    std::unique_ptr<OptionDialog> dialog;
};

QByteArray bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

const QByteArray& goodZip() {
    static const QByteArray zip =
        bytes(testing_support::makeZip({{"KEN_ALL.CSV", testing_support::sampleKenAll()}}));
    return zip;
}

}  // namespace

class PostalDownloadTest : public QObject {
    Q_OBJECT
  private slots:
    void officeServerDataIsInstalled() {
        LocalHttpServer server;
        server.answer("/support/zip/version.txt", {200, "2026/12/01\r\n", {}, -1, 0});
        server.answer("/support/zip/zip.dat", {200, goodZip(), {}, -1, 0});
        Setup s(server.url("/"));

        // The notice shows the progress while the data comes in.
        int largestProgress = 0;
        bool noticeSeen = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (ui::NoticeWindow* notice = s.dialog->progressNotice()) {
                noticeSeen = notice->isVisible() &&
                             notice->text() == QString("更新ファイルをダウンロード中です。") &&
                             notice->size() == ui::NoticeWindow::kProgressSize;
                largestProgress = std::max(largestProgress, notice->progressMaximum());
            }
        });
        watch.start(1);
        server.answer("/support/zip/zip.dat", {200, goodZip(), {}, -1, 2});
        QVERIFY(s.update());

        QCOMPARE(server.requests(),
                 QStringList({"GET /support/zip/version.txt", "GET /support/zip/zip.dat"}));
        QCOMPARE(s.messages.shown().size(), std::size_t{2});
        QCOMPARE(
            s.messages.shown()[0].text,
            QString(
                "公開中の郵便番号データの最新は2026/12/01です。\n郵便番号データを更新しますか？"));
        QCOMPARE(s.messages.shown()[1].text, QString("郵便番号データを更新しました。（5件）"));
        QVERIFY(noticeSeen);
        QCOMPARE(largestProgress, int(goodZip().size()));
        QVERIFY(s.dialog->progressNotice() == nullptr);
        QCOMPARE(lookupAddress(postalFilePath(s.folder), "1000001"),
                 std::optional<std::string>("東京都千代田区千代田"));
    }

    void japanPostZipIsFetchedThroughRedirects() {
        LocalHttpServer server;
        server.answer("/zipcode/ken_all.zip", {302, {}, "Location: /files/ken_all.zip\r\n", -1, 0});
        server.answer("/files/ken_all.zip",
                      {200, goodZip(), "Last-Modified: Mon, 30 Nov 2026 20:00:00 GMT\r\n", -1, 0});
        Setup s(server.url("/zipcode/ken_all.zip"));
        QVERIFY(s.update());
        QCOMPARE(server.requests(),
                 QStringList({"HEAD /zipcode/ken_all.zip", "HEAD /files/ken_all.zip",
                              "GET /zipcode/ken_all.zip", "GET /files/ken_all.zip"}));
        // 20:00 GMT on the 30th is already the 1st in Japan.
        QVERIFY(s.messages.shown()[0].text.startsWith(
            "公開中の郵便番号データの最新は2026/12/01です。"));
        QCOMPARE(s.messages.lastText(), QString("郵便番号データを更新しました。（5件）"));
    }

    void badDownloadsLeaveTheOldData_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("cutAt");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("kind");
        const int warning = int(ui::MessageKind::Warning);
        QTest::newRow("cut off")
            << 200 << goodZip() << int(goodZip().size() / 2)
            << QString("ダウンロードが途中で切れたため、郵便番号データは更新しませんでした。")
            << warning;
        QTest::newRow("not a zip")
            << 200 << QByteArray("<html>maintenance</html>") << -1
            << QString(
                   "ダウンロードした郵便番号データが正しくないため、更新しませんでした。\n"
                   "1行目: 項目が足りません。")
            << warning;
        QTest::newRow("a program")
            << 200 << bytes(testing_support::makeZip({{"YubinDat_upd.exe", "MZ"}})) << -1
            << QString(
                   "ダウンロードした郵便番号データが正しくないため、更新しませんでした。\n"
                   "圧縮ファイルの中身がCSVファイルではありません。")
            << warning;
        QTest::newRow("faulty lines")
            << 200
            << bytes(testing_support::makeZip(
                   {{"KEN_ALL.CSV", testing_support::sampleKenAll() +
                                        testing_support::kenAll({testing_support::kenAllLine(
                                            "12345", "東京都", "市", "町")})}}))
            << -1
            << QString(
                   "ダウンロードした郵便番号データが正しくないため、更新しませんでした。\n"
                   "8行目: 郵便番号が7桁の数字ではありません。")
            << warning;
        QTest::newRow("missing") << 404 << QByteArray("not found") << -1
                                 << QString("ファイルが見つかりませんでした．") << warning;
    }
    void badDownloadsLeaveTheOldData() {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(int, cutAt);
        QFETCH(QString, message);
        QFETCH(int, kind);
        LocalHttpServer server;
        server.answer("/support/zip/version.txt", {200, "2026/12/01", {}, -1, 0});
        server.answer("/support/zip/zip.dat", {status, body, {}, cutAt, 0});
        Setup s(server.url(""));
        QVERIFY(s.update());
        QCOMPARE(s.messages.lastText(), message);
        QCOMPARE(int(s.messages.shown().back().kind), kind);
        QVERIFY(s.oldDataKept());
        // Only Keiro.ini and YubinNo.dat: nothing of the download is left behind.
        QCOMPARE(std::distance(std::filesystem::directory_iterator(s.folder.path()), {}), 2);
    }

    void noVersionNoQuestionAndNoMeansNo() {
        LocalHttpServer server;  // knows no version file
        Setup s(server.url("/"));
        QVERIFY(s.update());
        QCOMPARE(s.messages.shown().size(), std::size_t{1});
        QCOMPARE(s.messages.shown()[0].kind, ui::MessageKind::Error);
        QCOMPARE(s.messages.lastText(), QString("インターネットから情報が取得できません。"));

        server.answer("/support/zip/version.txt", {200, "2026/12/01", {}, -1, 0});
        s.messages.clear();
        s.messages.answerNext(ui::Answer::No);
        QVERIFY(s.update());
        QCOMPARE(s.messages.shown().size(), std::size_t{1});  // the question only
        QCOMPARE(server.requests().filter("zip.dat").size(), 0);
        QVERIFY(s.oldDataKept());

        // Nobody listening at all.
        Setup closed(QStringLiteral("http://127.0.0.1:1/"));
        QVERIFY(closed.update());
        QCOMPARE(closed.messages.lastText(), QString("インターネットから情報が取得できません。"));
    }

    // A version file that never ends, or is no date, is no version: nothing is asked or fetched.
    void anEndlessOrDatelessVersionIsRefused() {
        for (const QByteArray& body :
             {QByteArray(4 << 20, '9'), QByteArray("<html>maintenance</html>"),
              QByteArray("2026/13/01\r\n")}) {
            LocalHttpServer server;
            server.answer("/support/zip/version.txt", {200, body, {}, -1, 0});
            Setup s(server.url("/"));
            QVERIFY(s.update());
            QCOMPARE(s.messages.lastText(), QString("インターネットから情報が取得できません。"));
            QCOMPARE(server.requests().filter("zip.dat").size(), 0);
            QVERIFY(s.oldDataKept());
        }
        QVERIFY(isVersionDate("2026/12/01"));
        QVERIFY(isVersionDate("2024-02-29"));
        QVERIFY(!isVersionDate("2025-02-29"));
    }

    void oversizedTransferIsBrokenOff() {
        LocalHttpServer server;
        server.answer("/support/zip/zip.dat", {200, QByteArray(200000, 'x'), {}, -1, 0});
        QNetworkAccessManager network;
        PostalDownload download(network, postalSourceFor(server.url("/").toStdString()), nullptr,
                                1000);
        QSignalSpy failed(&download, &PostalDownload::failed);
        QSignalSpy data(&download, &PostalDownload::dataReady);
        download.fetchData();
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed.front().front().value<PostalDownload::Failure>(),
                 PostalDownload::Failure::Incomplete);
        QVERIFY(data.isEmpty());
        QVERIFY(!download.isRunning());
    }

    void closingTheDialogStopsTheDownload() {
        LocalHttpServer server;
        server.answer("/support/zip/version.txt", {200, "2026/12/01", {}, -1, 0});
        server.answer("/support/zip/zip.dat", {200, goodZip(), {}, -1, 50});  // slow
        Setup s(server.url("/"));
        s.dialog->findChild<QPushButton*>(QStringLiteral("sbUpdate"))->click();
        QTRY_VERIFY(s.dialog->progressNotice() != nullptr);
        s.dialog->reject();
        QVERIFY(!s.dialog->isDownloading());
        QTest::qWait(200);
        QCOMPARE(s.messages.shown().size(), std::size_t{1});  // the question only
        QVERIFY(s.oldDataKept());
    }
};

KEIRO_QTEST(PostalDownloadTest);

}  // namespace keiro::withholding

#include "postal_download_test.moc"
