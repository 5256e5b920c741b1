// The pay slip layout windows as the clerk uses them: the flags of one pay form switched by
// clicking names, rows dragged by their handles, the base pay row relabelled per tab, the reset,
// and what OK and Cancel leave in the configuration.
#include "payroll/slip_layout_window.h"

#include <QPushButton>
#include <QTabWidget>

#include "core/fileio.h"
#include "payroll/item_colours.h"
#include "payroll/layout_grid.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/support/temp_folder.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

struct Harness {
    testing_support::TempFolder folder{"keiro-slip-layout"};
    std::filesystem::path iniPath = folder / "Keiro.ini";
    IniFile ini{iniPath};
    ItemNames names;
    ui::ScriptedMessageService messages;
    std::unique_ptr<SlipLayoutWindow> window;

    explicit Harness(LayoutKind kind = LayoutKind::Salary) {
        if (kind == LayoutKind::Salary) {
            window = std::make_unique<SalarySlipLayoutWindow>(nullptr, ini, names, messages);
        } else {
            window = std::make_unique<BonusSlipLayoutWindow>(nullptr, ini, names, messages);
        }
    }
    void open() {
        window->prepare();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    LayoutGrid* grid(Band band) { return window->grid(band); }
    QString caption(Band band, int row) { return grid(band)->item(row, 1)->text(); }
    void showTab(const char* name) {
        auto* tabs = window->findChild<QTabWidget*>("PageCtrl");
        tabs->setCurrentWidget(window->findChild<QWidget*>(name));
    }
    void clickName(Band band, int row) {
        QTest::mouseClick(grid(band)->viewport(), Qt::LeftButton, {}, grid(band)->namePoint(row));
    }
    // The mouse holds a row by its handle, moves to another row and lets go there.
    void drag(Band band, int from, int to) {
        QWidget* viewport = grid(band)->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, grid(band)->handlePoint(from));
        QTest::mouseMove(viewport, grid(band)->handlePoint((from + to) / 2));
        QTest::mouseMove(viewport, grid(band)->handlePoint(to));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, grid(band)->handlePoint(to));
    }
    void click(const char* button) { window->findChild<QPushButton*>(button)->click(); }
    std::string stored(std::string_view section, std::string_view key) {
        return IniFile(iniPath).readString(section, key);
    }
};

// KEIRO_WINDOW_SHOTS=folder keeps a picture of a window there for a person to look at.
void keepPicture(QWidget& window, const char* file) {
    const QString folder = qEnvironmentVariable("KEIRO_WINDOW_SHOTS");
    if (!folder.isEmpty()) QVERIFY(window.grab().save(folder + "/" + file));
}

std::vector<bool> useOf(const LayoutRow& row) {
    return {row.use[0], row.use[1], row.use[2]};
}

}  // namespace

class SlipLayoutWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrder() {
        for (LayoutKind kind : {LayoutKind::Salary, LayoutKind::Bonus}) {
            Harness h(kind);
            h.open();
            KEIRO_VERIFY_TAB_ORDER(*h.window);
        }
    }

    // Without stored layouts the window shows the standard rows on 月 給; each tab shows its own
    // flags and calls the base pay row by its pay form's name.
    void tabsShowTheirPayForm() {
        Harness h;
        h.open();
        QCOMPARE(h.window->windowTitle(), QStringLiteral("給与明細書印刷項目の設定"));
        QCOMPARE(h.window->payForm(), 1);
        QCOMPARE(h.caption(Band::Pay, 0), QStringLiteral("基本給"));
        QVERIFY(h.grid(Band::Attendance)->isShownUsed(0));
        QVERIFY(!h.grid(Band::Other)->isShownUsed(0));
        // The handle is teal with white text; an unused name is grey on the sample's colour.
        QCOMPARE(h.grid(Band::Pay)->item(0, 0)->background().color(), QColor(0, 128, 128));
        QCOMPARE(h.grid(Band::Pay)->item(0, 0)->foreground().color(), QColor(Qt::white));
        QCOMPARE(h.grid(Band::Other)->item(0, 1)->background().color(), QColor(204, 221, 221));
        QCOMPARE(h.grid(Band::Other)->item(0, 1)->foreground().color(), QColor(128, 128, 128));
        auto* sample = h.window->findChild<QWidget*>("pnDisable");
        QCOMPARE(sample->palette().color(QPalette::Window), QColor(204, 221, 221));

        h.showTab("tsNikkyu");
        QCOMPARE(h.window->payForm(), 2);
        QCOMPARE(h.caption(Band::Pay, 0), QStringLiteral("日給計"));
        QVERIFY(!h.grid(Band::Attendance)->isShownUsed(0));  // 所定労働日数 is not for 日給
        h.showTab("tsJikan");
        QCOMPARE(h.caption(Band::Pay, 0), QStringLiteral("時給計"));
        QVERIFY(!h.grid(Band::Attendance)->isShownUsed(12));  // nor 遅刻早退回数 for 時間給
        h.showTab("tsGekkyu");
        QCOMPARE(h.caption(Band::Pay, 0), QStringLiteral("基本給"));

        h.showTab("tsNikkyu");
        keepPicture(*h.window, "slip-salary.png");
    }

    // A click on a name switches that row for the tab's pay form only; OK stores it.
    void clickSwitchesOnePayForm() {
        Harness h;
        h.open();
        h.showTab("tsNikkyu");
        h.clickName(Band::Pay, 1);  // 役職手当
        QCOMPARE(useOf(h.window->layout().band(Band::Pay)[1]),
                 (std::vector<bool>{true, false, true}));
        QVERIFY(!h.grid(Band::Pay)->isShownUsed(1));
        h.showTab("tsGekkyu");
        QVERIFY(h.grid(Band::Pay)->isShownUsed(1));

        // A double click switches twice; a press on one name let go on another does nothing.
        h.showTab("tsJikan");
        QTest::mouseDClick(h.grid(Band::Pay)->viewport(), Qt::LeftButton, {},
                           h.grid(Band::Pay)->namePoint(2));
        QVERIFY(h.window->layout().band(Band::Pay)[2].use[2]);
        QWidget* viewport = h.grid(Band::Pay)->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, h.grid(Band::Pay)->namePoint(2));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, h.grid(Band::Pay)->namePoint(4));
        QCOMPARE(h.window->layout(), [] {
            ItemLayout expected = defaultLayout(LayoutKind::Salary);
            expected.band(Band::Pay)[1].use[1] = false;
            return expected;
        }());

        h.click("bbOk");
        QVERIFY(!h.window->isVisible());
        QCOMPARE(h.window->result(), int(QDialog::Accepted));
        QCOMPARE(h.stored("KyuyoKeitai1", "Sikyu"), std::string("111000111111110001"));
        QCOMPARE(h.stored("KyuyoKeitai2", "Sikyu"), std::string("101000111111110001"));
        QCOMPARE(h.stored("KyuyoKeitai3", "Sikyu"), std::string("111000111111100001"));
        const PrintTables& tables = *h.window->savedTables();
        QCOMPARE(tables.rows(1, Band::Pay)[1], std::string("F役職手当"));
        QCOMPARE(tables.rows(2, Band::Pay)[1], std::string("F"));
        QCOMPARE(tables.rows(3, Band::Pay)[1], std::string("F役職手当"));
    }

    // The last row dragged to the top: every other row one down, flags moving with their rows,
    // the same order on every tab.
    void dragMovesARowWithItsFlags() {
        Harness h;
        h.open();
        const std::vector<LayoutRow> before = h.window->layout().band(Band::Attendance);
        h.drag(Band::Attendance, 15, 0);
        const std::vector<LayoutRow>& after = h.window->layout().band(Band::Attendance);
        QCOMPARE(after.front(), before.back());
        for (std::size_t i = 0; i + 1 < before.size(); ++i) QCOMPARE(after[i + 1], before[i]);
        QCOMPARE(h.caption(Band::Attendance, 0), QStringLiteral("有休残日数"));
        h.showTab("tsNikkyu");
        QCOMPARE(h.caption(Band::Attendance, 1), QStringLiteral("所定労働日数"));
        QVERIFY(!h.grid(Band::Attendance)->isShownUsed(1));

        // Down again, from a later tab; let go on the row it started from: no change.
        h.drag(Band::Attendance, 0, 15);
        QCOMPARE(h.window->layout().band(Band::Attendance), before);
        h.drag(Band::Attendance, 3, 3);
        QCOMPARE(h.window->layout().band(Band::Attendance), before);
        // Pressing a name and moving is no drag.
        QWidget* viewport = h.grid(Band::Other)->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, h.grid(Band::Other)->namePoint(2));
        QTest::mouseMove(viewport, h.grid(Band::Other)->namePoint(0));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, h.grid(Band::Other)->namePoint(0));
        QCOMPARE(h.window->layout(), defaultLayout(LayoutKind::Salary));
    }

    // The reset asks first and changes only the window; OK then stores the standard layout.
    void resetThenOkStoresTheDefaults() {
        Harness h;
        ItemLayout custom = defaultLayout(LayoutKind::Salary);
        moveRow(custom, Band::Deduction, 17, 0);
        custom.band(Band::Other)[0].use = {true, true, true};
        saveLayout(h.ini, custom, h.names);
        h.open();
        QCOMPARE(h.window->layout(), custom);

        h.messages.answerNext(ui::Answer::No);
        h.click("sbDefault");
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("項目使用有無と順序の変更を初期状態に戻します。"));
        QCOMPARE(h.messages.shown().back().kind, ui::MessageKind::Confirmation);
        QCOMPARE(h.window->layout(), custom);

        h.messages.answerNext(ui::Answer::Yes);
        h.click("sbDefault");
        QCOMPARE(h.window->layout(), defaultLayout(LayoutKind::Salary));
        QCOMPARE(h.caption(Band::Deduction, 0), QStringLiteral("健康保険料"));
        QVERIFY(!h.grid(Band::Other)->isShownUsed(0));
        QCOMPARE(loadLayout(IniFile(h.iniPath), LayoutKind::Salary), custom);  // not yet

        h.click("bbOk");
        QCOMPARE(loadLayout(IniFile(h.iniPath), LayoutKind::Salary),
                 defaultLayout(LayoutKind::Salary));
    }

    // Cancel leaves the file as it was, and the next showing starts from the file again.
    void cancelWritesNothing() {
        Harness h;
        h.open();
        h.clickName(Band::Deduction, 0);
        h.drag(Band::Pay, 17, 0);
        h.messages.answerNext(ui::Answer::Yes);
        h.click("sbDefault");
        h.clickName(Band::Other, 1);
        h.click("bbCancel");
        QCOMPARE(h.window->result(), int(QDialog::Rejected));
        QVERIFY(!h.window->savedTables());
        QVERIFY(!std::filesystem::exists(h.iniPath));

        h.open();
        QCOMPARE(h.window->layout(), defaultLayout(LayoutKind::Salary));
        QVERIFY(!h.grid(Band::Other)->isShownUsed(1));
    }

    // A configuration that cannot be written: said so, the window stays open with its changes.
    void unwritableConfigurationKeepsTheWindow() {
        Harness h;
        writeFileAtomic(h.iniPath, "[Option]\r\n");
        std::filesystem::permissions(h.iniPath, std::filesystem::perms::owner_read);
        h.open();
        h.clickName(Band::Pay, 0);
        h.click("bbOk");
        QCOMPARE(h.messages.shown().back().kind, ui::MessageKind::Error);
        QVERIFY(h.window->isVisible());
        QVERIFY(!h.window->savedTables());
        QVERIFY(!h.window->layout().band(Band::Pay)[0].use[0]);
    }

    // The bonus window: no attendance band, names kept on every tab, its own sections.
    void bonusWindowHasNoAttendance() {
        Harness h(LayoutKind::Bonus);
        h.open();
        QCOMPARE(h.window->objectName(), QStringLiteral("TfmPrnFormS"));
        QCOMPARE(h.window->windowTitle(), QStringLiteral("賞与明細書印刷項目の設定"));
        QVERIFY(h.grid(Band::Attendance) == nullptr);
        QCOMPARE(h.caption(Band::Pay, 0), QStringLiteral("賞与"));
        h.showTab("tsJikan");
        QCOMPARE(h.caption(Band::Pay, 0), QStringLiteral("賞与"));
        keepPicture(*h.window, "slip-bonus.png");
        h.drag(Band::Pay, 1, 0);
        h.click("bbOk");
        QCOMPARE(h.stored("SyoyoItemName", "Sikyu00"), std::string("V役員報酬"));
        QCOMPARE(h.stored("SyoyoItemName", "Sikyu01"), std::string("V賞与"));
        QVERIFY(!IniFile(h.iniPath).hasKey("SyoyoItemName", "Kintai00"));
        QVERIFY(!IniFile(h.iniPath).hasKey("KyuyoItemName", "Sikyu00"));
        for (const std::string& code : h.window->savedTables()->rows(1, Band::Attendance))
            QCOMPARE(code, std::string("F"));
    }
};

}  // namespace keiro::payroll

using keiro::payroll::SlipLayoutWindowTest;
KEIRO_QTEST(SlipLayoutWindowTest);

#include "slip_layout_window_test.moc"
