// The prefecture rate window: the list as the file gives it, OK only after a choice, half the
// chosen rate with the information, and what a missing or damaged file does.
#include "payroll/rate_table_window.h"

#include <QListWidget>
#include <QPushButton>

#include "calc/data_csv.h"
#include "calc/table_seal.h"
#include "core/fileio.h"
#include "core/text.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/support/temp_folder.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

struct Harness {
    testing_support::TempFolder folder{"keiro-rates"};
    std::filesystem::path path = folder / std::string(kHealthRateListFileName);
    ui::ScriptedMessageService messages;
    RateTableWindow window{nullptr, messages, path};

    QListWidget* list() { return window.findChild<QListWidget*>("lbKenRitu"); }
    QPushButton* ok() { return window.findChild<QPushButton*>("btOK"); }
    void open() {
        window.reloadRates();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    void clickRow(int row) {
        QListWidget* l = list();
        const QRect rect = l->visualItemRect(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

}  // namespace

class RateWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrder() {
        Harness h;
        h.open();
        KEIRO_VERIFY_TAB_ORDER(h.window);
    }

    void returnsHalfTheChosenRate() {
        Harness h;
        const std::string header =
            "section,code,name,fiscal_year,applies_from,total_rate_pct,employee_rate_pct,"
            "employer_rate_pct,note\n";
        writeFileAtomic(h.path, calc::sealTable(calc::buildPrefectureRateList(
                                    calc::DataCsv(header + "health,13,東京都,R8,,9.85,,,\n"
                                                           "health,01,北海道,R8,,10.28,,,\n",
                                                  "test"))));
        h.open();
        QCOMPARE(h.window.windowTitle(), QStringLiteral("健康保険料率選択"));
        QCOMPARE(h.list()->count(), 2);
        QVERIFY(h.list()->isEnabled());
        QCOMPARE(h.list()->item(0)->text(), QStringLiteral("北海道    10.28%"));
        QVERIFY(!h.ok()->isEnabled());

        h.clickRow(0);
        QVERIFY(h.ok()->isEnabled());
        QTest::mouseClick(h.ok(), Qt::LeftButton);
        QCOMPARE(h.window.result(), int(QDialog::Accepted));
        QVERIFY(h.window.chosenRate().has_value());
        QCOMPARE(*h.window.chosenRate(), 5.14);
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("選択した健康保険料率の半分の値がセットされます。"));
        QCOMPARE(h.messages.shown().front().kind, ui::MessageKind::Information);

        // Shown again: no choice yet, OK waits for a click.
        h.open();
        QVERIFY(!h.window.chosenRate());
        QVERIFY(!h.ok()->isEnabled());
    }

    void missingFileLeavesAnEmptyDisabledList() {
        Harness h;
        h.open();
        QCOMPARE(h.list()->count(), 0);
        QVERIFY(!h.list()->isEnabled());
        QVERIFY(!h.ok()->isEnabled());
        QVERIFY(h.messages.shown().empty());
    }

    void damagedLineSetsNothing() {
        Harness h;
        writeFileAtomic(h.path, calc::sealTable(text::toCp932("北海道    ab.cd\r\n")));
        h.open();
        QCOMPARE(h.list()->count(), 1);
        h.clickRow(0);
        h.window.acceptRate();
        QCOMPARE(h.messages.shown().size(), std::size_t{1});
        QCOMPARE(h.messages.shown().front().kind, ui::MessageKind::Error);
        QVERIFY(!h.window.chosenRate());
        QVERIFY(h.window.isVisible());
    }
};

}  // namespace keiro::payroll

using keiro::payroll::RateWindowTest;
KEIRO_QTEST(RateWindowTest);

#include "rate_table_window_test.moc"
