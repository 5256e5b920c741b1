// The manual button: the local copy is opened from beside the programs or from the installed
// documentation; a missing manual names where it was looked for; a browser that cannot be
// started is reported rather than passed over in silence.
#include "widgets/online_manual.h"

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

    void aBrowserThatDoesNotStartIsReported() {
        ManualFixture f;
        const fs::path page = f.writePage("bin/manual/index.html");
        f.browserStarts = false;
        f.manual.open("");
        QCOMPARE(f.opened.size(), 1);
        QCOMPARE(f.messages.shown().size(), std::size_t{1});
        QVERIFY(
            f.messages.lastText().startsWith("ブラウザーで操作マニュアルを開けませんでした:\n"));
        QVERIFY(f.messages.lastText().endsWith(pathText(page)));
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
