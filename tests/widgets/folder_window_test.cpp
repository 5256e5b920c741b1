// The folder choice of backup and restore: it must find the folder it starts at, tell which
// folders hold data, return only existing folders and make subfolders safely.
#include "widgets/folder_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <filesystem>

#include "core/fileio.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"
#include "widgets/message_service.h"

namespace keiro::ui {
namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

QString qpath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

struct FolderFixture {
    TempFolder root{"folder"};
    ScriptedMessageService messages;
    FolderWindow window{messages};
    QStringList namesAsked;

    FolderFixture() {
        createPrivateDirectories(root / "backup" / "old");
        createPrivateDirectories(root / "empty");
        writeFileAtomic(root / "backup" / "Keiro.ini", "[Option]\r\n");
    }
    QLineEdit* path() { return window.findChild<QLineEdit*>("edPath"); }
    QTreeWidget* tree() { return window.findChild<QTreeWidget*>("tvFolder"); }
    bool dataShown() { return window.findChild<QLabel*>("lbData")->isVisible(); }
    void click(const char* button) {
        QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
    }
    void typePath(const QString& text) {
        path()->clear();
        QTest::keyClicks(path(), text);
    }
    void answerName(const QString& name) {
        window.setNamePrompt([this, name](QWidget*, const QString&, const QString& label) {
            namesAsked << label;
            return std::optional<QString>(name);
        });
    }
    void open(const fs::path& start, bool allowCreate = true) {
        window.prepare("データファイルのバックアップ場所を指定", allowCreate, qpath(start));
        window.show();
    }
};

}  // namespace

class FolderWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startsAtTheGivenFolderAndTellsWhichFoldersHoldData() {
        FolderFixture f;
        f.open(f.root / "backup");
        QCOMPARE(f.window.windowTitle(), QString("データファイルのバックアップ場所を指定"));
        QCOMPARE(f.path()->text(), qpath(f.root / "backup"));
        QVERIFY(f.dataShown());
        QCOMPARE(f.window.findChild<QLabel*>("lbData")->text(), QString("対象データ有り"));

        // The tree holds the selected folder under its volume under the computer.
        QTreeWidgetItem* item = f.tree()->currentItem();
        QCOMPARE(item->text(0), QString("backup"));
        while (item->parent()->parent() != nullptr) item = item->parent();
        QVERIFY(QRegularExpression("^/.*: \\[.*\\]$").match(item->text(0)).hasMatch());
        QCOMPARE(item->parent()->text(0), QString("ﾏｲ ｺﾝﾋﾟｭｰﾀ"));

        QVERIFY(f.window.selectFolder(qpath(f.root / "empty")));
        QCOMPARE(f.tree()->currentItem()->text(0), QString("empty"));
        QVERIFY(!f.dataShown());
    }

    void foldersAreListedWhenOpened() {
        FolderFixture f;
        f.open(f.root);
        QTreeWidgetItem* current = f.tree()->currentItem();
        QCOMPARE(current->childCount(), 0);
        current->setExpanded(true);
        QCOMPARE(current->childCount(), 2);
        QTreeWidgetItem* backup = current->child(0);
        QCOMPARE(backup->text(0), QString("backup"));
        QCOMPARE(backup->childCount(), 0);
        backup->setExpanded(true);
        QCOMPARE(backup->childCount(), 1);
        QCOMPARE(backup->child(0)->text(0), QString("old"));
        current->child(1)->setExpanded(true);  // "empty" loses its expander
        QCOMPARE(current->child(1)->childIndicatorPolicy(),
                 QTreeWidgetItem::DontShowIndicatorWhenChildless);
    }

    void okReturnsOnlyAnExistingFolderWithoutTrailingSeparator() {
        FolderFixture f;
        f.open(f.root / "empty");
        const QString missing = qpath(f.root / "nothere");
        f.typePath(missing);
        f.click("btOK");
        QCOMPARE(f.messages.lastText(), "指定フォルダ[" + missing + "]がありません。");
        QVERIFY(f.window.isVisible());

        f.tree()->setCurrentItem(f.tree()->topLevelItem(0));  // the computer is no folder
        QCOMPARE(f.path()->text(), QString());
        f.click("btOK");
        QCOMPARE(f.messages.lastText(), QString("指定フォルダはありません。"));
        QVERIFY(f.window.isVisible());

        f.typePath(qpath(f.root / "backup") + "/");
        QVERIFY(f.dataShown());
        f.click("btOK");
        QCOMPARE(f.window.result(), int(QDialog::Accepted));
        QCOMPARE(f.window.selectedFolder(), qpath(f.root / "backup"));
        QCOMPARE(f.messages.shown().size(), std::size_t{2});
    }

    void createsASubfolderOfTheSelectedFolder() {
        FolderFixture f;
        f.open(f.root / "empty");
        f.answerName("給与バックアップ");
        f.click("btMkDir");
        const fs::path made = f.root / "empty" / "給与バックアップ";
        QVERIFY(fs::is_directory(made));
        QCOMPARE(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all);
        QCOMPARE(f.namesAsked, QStringList{"作成するフォルダー名を入力"});
        QCOMPARE(f.tree()->currentItem()->text(0), QString("給与バックアップ"));
        QCOMPARE(f.path()->text(), qpath(made));
        QVERIFY(f.messages.shown().empty());
    }

    void refusesNamesThatLeaveTheFolderOrExistAlready_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "..";
        QTest::newRow("itself") << ".";
        QTest::newRow("path") << "a/b";
        QTest::newRow("escape") << "../outside";
        QTest::newRow("existing") << "old";
    }
    void refusesNamesThatLeaveTheFolderOrExistAlready() {
        QFETCH(QString, name);
        FolderFixture f;
        f.open(f.root / "backup");
        f.answerName(name);
        f.click("btMkDir");
        QCOMPARE(f.messages.lastText(), QString("フォルダー作成に失敗しました"));
        QCOMPARE(std::distance(fs::recursive_directory_iterator(f.root.path()),
                               fs::recursive_directory_iterator()),
                 4);  // backup, backup/old, backup/Keiro.ini, empty
    }

    void creationIsOfferedOnlyWhenAllowed() {
        FolderFixture f;
        f.open(f.root, false);
        QVERIFY(f.window.findChild<QPushButton*>("btMkDir")->isHidden());
        f.open(f.root, true);
        QVERIFY(!f.window.findChild<QPushButton*>("btMkDir")->isHidden());
    }
};

}  // namespace keiro::ui

using keiro::ui::FolderWindowTest;
KEIRO_QTEST(FolderWindowTest);

#include "folder_window_test.moc"
