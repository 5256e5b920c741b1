// The ledger and monthly list item window: captions from the display names, boxes from the
// stored choices, the rule that no more attendance items are added than items removed, the
// reset, and what OK and Cancel store.
#include "payroll/ledger_items_window.h"

#include <QCheckBox>
#include <QPushButton>

#include "core/fileio.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/support/temp_folder.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

struct Harness {
    testing_support::TempFolder folder{"keiro-ledger-items"};
    std::filesystem::path iniPath = folder / "Keiro.ini";
    IniFile ini{iniPath};
    Settings settings = loadSettings(ini);
    ui::ScriptedMessageService messages;
    LedgerItemsWindow window{nullptr, settings, ini, messages};

    void open() {
        window.prepare();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    void check(const char* name) { window.findChild<QCheckBox*>(name)->setChecked(true); }
    void click(const char* button) { window.findChild<QPushButton*>(button)->click(); }
    std::string stored(std::string_view key) { return IniFile(iniPath).readString("Option", key); }
};

}  // namespace

class LedgerItemsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrder() {
        Harness h;
        h.open();
        KEIRO_VERIFY_TAB_ORDER(h.window);
    }

    // The boxes carry the display names and the stored choices; the blank fifteenth attendance
    // entry has no box to see, and a stored choice for it counts for nothing.
    void boxesShowNamesAndChoices() {
        Harness h;
        writeFileAtomic(h.iniPath,
                        "[Option]\r\nDaichoAdd=100000000000001\r\n"
                        "DaichoDel=000100000000001\r\n");
        h.ini.reload();
        h.settings = loadSettings(h.ini);
        h.settings.itemNames.names[kFirstFreeItem + 3] = "食事手当";  // 変動手当１ renamed
        h.open();
        QCOMPARE(h.window.windowTitle(), QStringLiteral("給与台帳/月別一覧の印刷項目"));
        QCOMPARE(h.window.addBox(1)->text(), QStringLiteral("所定労働日数"));
        QCOMPARE(h.window.addBox(14)->text(), QStringLiteral("遅刻早退時間"));
        QVERIFY(h.window.addBox(14)->isVisible());
        QVERIFY(!h.window.addBox(15)->isVisible());
        QCOMPARE(h.window.removeBox(1)->text(), QStringLiteral("固定手当１"));
        QCOMPARE(h.window.removeBox(4)->text(), QStringLiteral("食事手当"));
        QCOMPARE(h.window.removeBox(15)->text(), QStringLiteral("その他３"));
        QVERIFY(h.window.addBox(1)->isChecked());
        QVERIFY(!h.window.addBox(15)->isChecked());
        QVERIFY(h.window.removeBox(4)->isChecked());
        QVERIFY(h.window.removeBox(15)->isChecked());
        // KEIRO_WINDOW_SHOTS=folder keeps a picture of the window there for a person to look at.
        if (const QString folder = qEnvironmentVariable("KEIRO_WINDOW_SHOTS"); !folder.isEmpty())
            QVERIFY(h.window.grab().save(folder + "/ledger-items.png"));
        h.click("bbOk");
        QCOMPARE(h.stored("DaichoAdd"), std::string("100000000000000"));
    }

    // Two added with one removed is refused with the two-line message and nothing stored; two
    // and two are stored, in box order, and kept in the settings.
    void moreAddedThanRemovedIsRefused() {
        Harness h;
        h.open();
        h.check("cbAddItem2");
        h.check("cbAddItem9");
        h.check("cbDelItem13");
        h.click("bbOk");
        QCOMPARE(h.messages.shown().size(), std::size_t{1});
        QCOMPARE(h.messages.shown().back().kind, ui::MessageKind::Error);
        QCOMPARE(h.messages.lastText(), QStringLiteral("追加する勤怠項目が多すぎます。\n"
                                                       "追加項目数≦削除項目数にして下さい。"));
        QVERIFY(h.window.isVisible());
        QVERIFY(!std::filesystem::exists(h.iniPath));
        QVERIFY(!h.settings.ledgerAddedItems[1]);

        h.check("cbDelItem1");
        h.click("bbOk");
        QVERIFY(!h.window.isVisible());
        QCOMPARE(h.window.result(), int(QDialog::Accepted));
        QCOMPARE(h.stored("DaichoAdd"), std::string("010000001000000"));
        QCOMPARE(h.stored("DaichoDel"), std::string("100000000000100"));
        QVERIFY(h.settings.ledgerAddedItems[1] && h.settings.ledgerRemovedItems[12]);
    }

    // 初期状態 asks and clears the boxes only; Cancel then stores nothing.
    void resetAndCancelStoreNothing() {
        Harness h;
        h.settings.ledgerRemovedItems[0] = true;
        h.open();
        h.check("cbAddItem1");
        h.messages.answerNext(ui::Answer::No);
        h.click("btDefault");
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("追加/削除する項目設定を初期状態に戻します。"));
        QVERIFY(h.window.addBox(1)->isChecked());
        h.messages.answerNext(ui::Answer::Yes);
        h.click("btDefault");
        QVERIFY(!h.window.addBox(1)->isChecked());
        QVERIFY(!h.window.removeBox(1)->isChecked());
        h.click("bbCancel");
        QVERIFY(!std::filesystem::exists(h.iniPath));
        QVERIFY(h.settings.ledgerRemovedItems[0]);
        h.open();
        QVERIFY(h.window.removeBox(1)->isChecked());
    }
};

}  // namespace keiro::payroll

using keiro::payroll::LedgerItemsWindowTest;
KEIRO_QTEST(LedgerItemsWindowTest);

#include "ledger_items_window_test.moc"
