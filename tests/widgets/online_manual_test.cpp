// The manual button: the local copy is opened from beside the programs or from the installed
// documentation; a missing manual names where it was looked for; a local page no browser takes
// shows in a window of the program's own rather than nothing happening.
#include "widgets/online_manual.h"

#include <QDialog>
#include <QTextBrowser>
#include <QWidget>
#include <fstream>

#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"
#include "widgets/message_service.h"

namespace keiro::ui {

namespace fs = std::filesystem;

namespace {

QString pathText(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// A program folder "bin" in a fresh folder, the button's service on it, and a browser that
// records what it is asked to open and answers `browserStarts`.
struct ManualFixture {
    testing_support::TempFolder dir{"keiro-manual"};
    QWidget window;
    ScriptedMessageService messages;
    OnlineManual manual{messages, &window, dir / "bin"};
    QList<QUrl> opened;
    bool browserStarts = true;

    ManualFixture() {
        manual.setOpenUrl([this](const QUrl& url) {
            opened.append(url);
            return browserStarts;
        });
    }
    fs::path writePage(const fs::path& relative) const {
        const fs::path path = dir / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "<html></html>";
        return path;
    }
};

}  // namespace

class OnlineManualTest : public QObject {
    Q_OBJECT
  private slots:
    void emptyAddressOpensTheLocalCopyBuiltOrInstalled() {
        ManualFixture f;
        const fs::path installed = f.writePage("share/doc/keiro/manual/index.html");
        f.manual.open("");
        QCOMPARE(f.opened, QList<QUrl>{QUrl::fromLocalFile(pathText(installed))});

        const fs::path built = f.writePage("bin/manual/index.html");  // a build tree's copy wins
        f.manual.open("");
        QCOMPARE(f.opened.size(), 2);
        QCOMPARE(f.opened.back(), QUrl::fromLocalFile(pathText(built)));
        QVERIFY(f.messages.shown().empty());
    }

    void missingManualNamesEveryPlaceLookedAt() {
        ManualFixture f;
        f.manual.open("");
        QVERIFY(f.opened.isEmpty());
        QCOMPARE(f.messages.shown().size(), std::size_t{1});
        QCOMPARE(f.messages.shown().front().kind, MessageKind::Error);
        const QStringList lines = f.messages.lastText().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString("操作マニュアルが見つかりません。次の場所を探しました:"));
        QCOMPARE(lines[1], pathText(f.dir / "bin/manual/index.html"));
        QCOMPARE(lines[2], pathText(f.dir / "share/doc/keiro/manual/index.html"));
        QVERIFY(lines[3].contains("ManualURL"));
    }

    // No browser takes the local page: it shows in a window of the program's own, never
    // nothing at all.
    void aLocalPageNoBrowserTakesShowsInTheProgramsOwnWindow() {
        ManualFixture f;
        const fs::path page = f.writePage("bin/manual/index.html");
        std::ofstream(page) << "<html><body>操作マニュアルの目次</body></html>";
        f.browserStarts = false;
        f.manual.open("");
        QCOMPARE(f.opened.size(), 1);
        QVERIFY(f.messages.shown().empty());
        auto* own = f.window.findChild<QDialog*>("fmManual");
        QVERIFY(own != nullptr);
        QVERIFY(own->isVisible());
        QVERIFY(own->findChild<QTextBrowser*>()->toPlainText().contains("操作マニュアルの目次"));
    }

    void anAddressWithoutSchemeIsRefusedWithoutTryingTheLocalCopy() {
        ManualFixture f;
        f.writePage("bin/manual/index.html");
        f.manual.open("keiro.example/manual");
        QVERIFY(f.opened.isEmpty());
        QCOMPARE(f.messages.lastText(), QString("インターネットに接続できません。"));
    }
};

}  // namespace keiro::ui

using keiro::ui::OnlineManualTest;
KEIRO_QTEST(OnlineManualTest);

#include "online_manual_test.moc"
