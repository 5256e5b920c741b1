// The window of the totals of the months before the program: one row per employee of the open
// period, saved in one go into every period holding the employee, a refused row selected and
// nothing written.  With KEIRO_OPENING_SHOT naming a file, a picture of the window at the size
// it opens on a 1366×768 screen is written for a person to look at.
#include "payroll/opening_totals_window.h"

#include <QPushButton>
#include <QTableWidget>
#include <cstring>
#include <memory>

#include "core/fileio.h"
#include "core/yearfile.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/support/temp_folder.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

struct Harness {
    testing_support::TempFolder folder{"keiro-opening-window"};
    std::filesystem::path path = folder / "令和08年給与･賞与.dat";
    YearData year;
    ui::ScriptedMessageService messages;

    // October saved with two employees; November open (copied from October, not saved).
    Harness() {
        createYearFileIfMissing(path);
        auto october = std::make_unique<PeriodBlock>();
        october->settings.companyName.assign("山田商店");
        const char* names[] = {"山田太郎", "鈴木花子"};
        for (int slot = 1; slot <= 2; ++slot) {
            EmployeeRecord& e = october->employee(slot);
            e.recordId.assign("260101_09000" + std::to_string(slot));
            e.employeeCode.assign("000" + std::to_string(slot));
            e.name.assign(names[slot - 1]);
            e.workStatus = 1;
        }
        october->employee(2).opening = {900'000, 880'000, 130'000, 15'000, 100'000};
        std::string content = readFile(path);
        std::memcpy(content.data() + blockOffset(10), october.get(), kBlockSize);
        content[8 + 10 - 1] = 1;
        writeFileAtomic(path, content);
        year.setFile(path, "令和", 8, {"平成", "令和"});
        year.openPeriod(11, {20, 160.0, 0, 0}, nullptr);
    }

    void type(OpeningTotalsWindow& window, int row, int amount, const char* text) {
        window.table()
            ->item(row, OpeningTotalsWindow::amountColumn(amount))
            ->setText(QString::fromUtf8(text));
    }
    void save(OpeningTotalsWindow& window) {
        window.findChild<QPushButton*>(QStringLiteral("btOK"))->click();
    }
    OpeningTotals onDisk(int slot) { return readPeriodBlock(path, 10)->employee(slot).opening; }
};

}  // namespace

class OpeningTotalsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrder() {
        Harness h;
        OpeningTotalsWindow window(nullptr, h.year, h.messages);
        KEIRO_VERIFY_TAB_ORDER(window);
    }

    void listsEveryEmployeeWithTheTotalsKept() {
        Harness h;
        OpeningTotalsWindow window(nullptr, h.year, h.messages);
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("前月までの支給累計（年の途中から使い始めたとき）"));
        QTableWidget* table = window.table();
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("鈴木花子"));
        QCOMPARE(table->item(1, OpeningTotalsWindow::amountColumn(1))->text(),
                 QStringLiteral("880,000"));
        QCOMPARE(table->item(0, OpeningTotalsWindow::amountColumn(4))->text(), QStringLiteral("0"));
        QCOMPARE(table->horizontalHeaderItem(OpeningTotalsWindow::amountColumn(3))->text(),
                 QStringLiteral("所得税"));
        QVERIFY(!(table->item(0, 1)->flags() & Qt::ItemIsEditable));

        const QString shot = qEnvironmentVariable("KEIRO_OPENING_SHOT");
        if (!shot.isEmpty()) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(window.width() <= 1366 && window.height() <= 740);
            QVERIFY(window.grab().save(shot));
        }
    }

    void savesEveryRowIntoTheSavedPeriodsAndTheOpenOne() {
        Harness h;
        OpeningTotalsWindow window(nullptr, h.year, h.messages);
        h.type(window, 0, 0, "2,800,000");
        h.type(window, 0, 1, "2700000");
        h.type(window, 0, 2, "400,000");
        h.type(window, 0, 3, "55,000");
        h.type(window, 0, 4, "260,000");
        h.type(window, 1, 3, "");  // an emptied cell is 0
        h.save(window);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(h.messages.lastText(), QStringLiteral("前月までの支給累計を保存しました。"));
        QCOMPARE(h.onDisk(1).taxablePay, 2'700'000);
        QCOMPARE(h.onDisk(1).lastPayAfterSocial, 260'000);
        QCOMPARE(h.onDisk(2).incomeTax, 0);
        QCOMPARE(h.onDisk(2).pay, 900'000);
        QCOMPARE(h.year.block().employee(1).opening.incomeTax, 55'000);  // the open November
    }

    void aRefusedRowIsSelectedAndNothingIsWritten() {
        Harness h;
        const std::string before = readFile(h.path);
        OpeningTotalsWindow window(nullptr, h.year, h.messages);
        h.type(window, 0, 0, "100,000");  // a sound first row is not written either
        h.type(window, 1, 3, "900,000");  // tax above the taxable pay
        h.save(window);
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("鈴木花子：所得税が課税支給額を超えています。"));
        QCOMPARE(window.table()->currentRow(), 1);
        QCOMPARE(window.table()->currentColumn(), OpeningTotalsWindow::amountColumn(3));
        h.type(window, 1, 3, "15,000");
        h.type(window, 0, 2, "100000000");
        h.save(window);
        QCOMPARE(
            h.messages.lastText(),
            QStringLiteral("山田太郎：｢社会保険料｣は0から99,999,999までの金額で入力して下さい。"));
        QVERIFY(window.result() != int(QDialog::Accepted));
        QCOMPARE(readFile(h.path), before);
        QCOMPARE(h.year.block().employee(1).opening.pay, 0);
    }
};

}  // namespace keiro::payroll

using keiro::payroll::OpeningTotalsWindowTest;
KEIRO_QTEST(OpeningTotalsWindowTest);

#include "opening_totals_window_test.moc"
