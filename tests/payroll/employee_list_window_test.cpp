// The employee list on the sample company: sorting, editing through the editor, deleting with
// the withholding warning, the CSV round trip through the window, bad files, and the choosing
// mode of the print commands.
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <numeric>

#include "core/employee_csv.h"
#include "core/employee_list.h"
#include "core/employee_master.h"
#include "core/fileio.h"
#include "core/syslog.h"
#include "core/text.h"
#include "payroll/employee_list_window.h"
#include "payroll/year_chart_view.h"
#include "payroll/year_chart_window.h"
#include "tests/support/demo_company.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"

namespace keiro::payroll {

using testing_support::DemoCompany;
using ui::Answer;
using ui::MessageKind;

class EmployeeListWindowTest : public QObject {
    Q_OBJECT

    struct Fixture : DemoCompany {
        int sortColumn = 0;
        std::vector<int> edited;  // the slots the editor was opened for
        int storedSlot = 0;       // what the editor answers
        int rostersPrinted = 0;
        std::unique_ptr<EmployeeListWindow> window;

        explicit Fixture(EmployeeListWindow::Mode mode = EmployeeListWindow::Mode::Edit)
            : DemoCompany(11) {
            open(mode);
        }
        void open(EmployeeListWindow::Mode mode) {
            EmployeeListContext context{year,
                                        *ini,
                                        state.settings,
                                        places,
                                        messages,
                                        dialogs,
                                        [this](QWidget*, int slot) {
                                            edited.push_back(slot);
                                            return storedSlot;
                                        },
                                        &sortColumn,
                                        [this] { ++rostersPrinted; }};
            window = std::make_unique<EmployeeListWindow>(nullptr, context, mode);
        }
        QPushButton* button(const char* name) {
            return window->findChild<QPushButton*>(QString::fromLatin1(name));
        }
        int usedSlots() const {
            int n = 0;
            while (n < kMaxEmployees && year.block().employee(n + 1).isUsed()) ++n;
            return n;
        }
        std::string logText() const {
            const SystemLog log = readLogLines(places.dataFolder);
            std::string all;
            for (const std::string& line : log.lines) all += line + "\n";
            return all;
        }
        std::filesystem::path csvPath(const char* name) const { return folder / name; }
    };

  private slots:
    // 年間グラフ opens on the selected employee; the choice switches to the company, and each
    // bar tells its amount.
    void yearChartShowsTheSelectedEmployeeThenTheCompany() {
        Fixture f;
        f.window->findChild<QListWidget*>("lbMembList")->setCurrentRow(1);
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* chart = qobject_cast<YearChartWindow*>(QApplication::activeModalWidget());
            QVERIFY(chart != nullptr);
            KEIRO_VERIFY_TAB_ORDER(*chart);
            auto* choice = chart->findChild<QComboBox*>("cbSyain");
            QCOMPARE(choice->currentIndex(), 2);  // after 会社全体 and the first employee
            const std::vector<print::PeriodTotals> one = chart->chart()->totals();
            choice->setCurrentIndex(0);
            const std::vector<print::PeriodTotals> all = chart->chart()->totals();
            QCOMPARE(all.size(), one.size());
            QVERIFY(all[0].pay > one[0].pay);
            chart->resize(800, 400);
            YearChartView* view = chart->chart();
            const QString tip = view->tipAt(QPoint(view->width() / 2, view->height() - 50));
            QVERIFY2(tip.contains(QStringLiteral("円")), qPrintable(tip));
            chart->accept();
            shown = true;
        });
        f.button("sbGraph")->click();
        QVERIFY(shown);
    }

    void tabFollowsReadingOrder() {
        Fixture f;
        KEIRO_VERIFY_TAB_ORDER(*f.window);
    }

    void sortingByNameIsKeptForTheRunAndNeverMovesSlots() {
        Fixture f;
        const int count = f.usedSlots();
        QCOMPARE(static_cast<int>(f.window->shownSlots().size()), count);
        auto* header = f.window->findChild<QHeaderView*>(QStringLiteral("hcMembList"));
        QVERIFY(header != nullptr);
        QCOMPARE(header->count(), kEmployeeListColumns);

        const auto before = std::make_unique<PeriodBlock>(f.year.block());
        emit header->sectionClicked(1);
        QCOMPARE(f.window->shownSlots(), employeeListOrder(f.year.block(), 1));
        QCOMPARE(f.sortColumn, 1);
        // KEIRO_EMPLOYEE_LIST_SHOT=file.png keeps a picture of the sorted list.
        if (const QString shot = qEnvironmentVariable("KEIRO_EMPLOYEE_LIST_SHOT");
            !shot.isEmpty()) {
            f.window->show();
            QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
            QVERIFY(f.window->grab().save(shot));
        }
        QVERIFY(std::memcmp(before.get(), &f.year.block(), sizeof(PeriodBlock)) == 0);

        // Opened again in the same run, the list keeps the order.
        f.open(EmployeeListWindow::Mode::Edit);
        QCOMPARE(f.window->shownSlots(), employeeListOrder(f.year.block(), 1));
        f.window->sortBy(0);
        QCOMPARE(f.window->shownSlots().front(), 1);
    }

    void newAndEditGoThroughTheEditorAndAreLogged() {
        Fixture f;
        auto* list = f.window->findChild<QListWidget*>(QStringLiteral("lbMembList"));
        list->clearSelection();
        f.button("sbEdit")->click();
        QCOMPARE(f.messages.lastText(), QString::fromUtf8(kMsgNothingSelected.data()));
        QVERIFY(f.edited.empty());

        f.window->selectSlot(3);
        f.storedSlot = 0;  // キャンセル in the editor: nothing logged
        f.button("sbEdit")->click();
        QCOMPARE(f.edited, std::vector<int>{3});
        QVERIFY(f.logText().find(std::string(logText(kLogEmployeeUpdated))) == std::string::npos);

        f.storedSlot = 3;
        f.button("sbEdit")->click();
        QVERIFY(f.logText().find(std::string(logText(kLogEmployeeUpdated))) != std::string::npos);

        f.storedSlot = 11;
        f.button("sbNew")->click();
        QCOMPARE(f.edited.back(), -1);
        QVERIFY(f.logText().find(std::string(logText(kLogEmployeeRegistered))) !=
                std::string::npos);
        f.button("sbPrint")->click();
        QCOMPARE(f.rostersPrinted, 1);

        // A full period says so before the editor opens.
        for (int s = 1; s <= kMaxEmployees; ++s) {
            if (!f.year.block().employee(s).isUsed())
                f.year.block().employee(s).recordId.assign("x");
        }
        f.edited.clear();
        f.button("sbNew")->click();
        QVERIFY(f.edited.empty());
        QCOMPARE(f.messages.lastText(), QString::fromUtf8(kMsgNoFreeSlot.data()));
    }

    void deletingWarnsAboutWithholdingDataAndKeepsSlotsPacked() {
        Fixture f;
        const int count = f.usedSlots();
        const auto before = std::make_unique<PeriodBlock>(f.year.block());
        writeFileAtomic(
            withholdingFilePath(f.places.dataFolder, f.year.eraName(), f.year.eraYear()),
            std::string("x"));

        f.window->selectSlot(5);
        f.messages.answerNext(Answer::No);  // the withholding warning
        f.button("sbDelete")->click();
        QCOMPARE(f.messages.shown().back().kind, MessageKind::Confirmation);
        QVERIFY(std::memcmp(before.get(), &f.year.block(), sizeof(PeriodBlock)) == 0);

        f.messages.clear();
        f.messages.answerNext(Answer::Yes);
        f.messages.answerNext(Answer::Yes);
        f.button("sbDelete")->click();
        QCOMPARE(static_cast<int>(f.messages.shown().size()), 2);
        QVERIFY(f.messages.shown()[1].text.contains(
            QString::fromStdString(before->employee(5).name.utf8())));
        QCOMPARE(f.usedSlots(), count - 1);
        for (int s = 5; s < count; ++s) {
            QVERIFY(std::memcmp(&f.year.block().employee(s), &before->employee(s + 1),
                                sizeof(EmployeeRecord)) == 0);
            QVERIFY(std::memcmp(&f.year.block().payments[s - 1], &before->payments[s],
                                sizeof(PaymentRecord)) == 0);
        }
        QVERIFY(!f.year.block().employee(count).isUsed());
        QVERIFY(f.logText().find(std::string(logText(kLogEmployeeDeleted))) != std::string::npos);
    }

    void deletingAndImportingTellThePeriod() {
        Fixture f;
        PayrollPeriod& period = f.year.document();
        std::vector<PeriodChange> told;
        const PayrollPeriod::Subscription subscription =
            period.subscribe([&](const PeriodChange& change) { told.push_back(change); });
        const EmployeeId third = period.idAt(3);
        const EmployeeId fourth = period.idAt(4);
        f.window->selectSlot(3);
        f.messages.answerNext(Answer::Yes);
        f.button("sbDelete")->click();
        QCOMPARE(told.size(), std::size_t{1});
        QVERIFY(told[0].employee == third);
        QVERIFY(period.employee(third) == nullptr);
        QCOMPARE(period.slotOf(fourth), 3);
        QVERIFY(period.isDirty());

        const auto path = f.csvPath("new.csv");
        writeFileAtomic(path, text::toCp932("ユーザーＩＤ,氏名,グループ,\r\nX1,新人,\r\n"));
        f.dialogs.answerNext(QString::fromStdString(path.string()));
        f.button("sbImport")->click();
        QCOMPARE(told.size(), std::size_t{2});
        QVERIFY(period.employee(told[1].employee) != nullptr);
        QCOMPARE(period.employee(told[1].employee)->name.utf8(), std::string("新人"));
    }

    void exportThenImportAsksOncePerEmployeeAndChangesNothing() {
        Fixture f;
        const int count = f.usedSlots();
        const auto before = std::make_unique<PeriodBlock>(f.year.block());
        const QString path = QString::fromStdString(f.csvPath("社員.csv").string());
        f.dialogs.answerNext(path);
        f.button("sbExport")->click();
        QCOMPARE(f.messages.lastText(), QString::fromUtf8(kMsgCsvExported.data()));

        f.messages.clear();
        f.dialogs.answerNext(path);
        f.button("sbImport")->click();
        int questions = 0;
        for (const auto& shown : f.messages.shown()) {
            if (shown.kind == MessageKind::Confirmation) ++questions;
        }
        QCOMPARE(questions, count);
        QCOMPARE(f.messages.lastText(), QString::fromStdString(employeesImportedMessage(count)));
        QVERIFY(std::memcmp(before.get(), &f.year.block(), sizeof(PeriodBlock)) == 0);
    }

    void badFilesLeaveThePeriodAsItWas() {
        Fixture f;
        const auto before = std::make_unique<PeriodBlock>(f.year.block());
        const auto utf8 = f.csvPath("utf8.csv");
        writeFileAtomic(utf8,
                        std::string("ユーザーＩＤ,氏名,グループ,\r\n\"X1\",\"新人\",\"\"\r\n"));
        f.dialogs.answerNext(QString::fromStdString(utf8.string()));
        f.button("sbImport")->click();
        QCOMPARE(f.messages.lastText(), QString::fromUtf8(kMsgCsvIsUtf8.data()));

        const auto empty = f.csvPath("empty.csv");
        writeFileAtomic(empty, std::string());
        f.dialogs.answerNext(QString::fromStdString(empty.string()));
        f.button("sbImport")->click();
        QCOMPARE(f.messages.lastText(), QString::fromUtf8(kMsgCsvInvalidFile.data()));

        f.dialogs.answerNext(QString::fromStdString(f.csvPath("gone.csv").string()));
        f.button("sbImport")->click();
        QCOMPARE(f.messages.lastText(), QString::fromUtf8(kMsgCsvCannotOpen.data()));
        QVERIFY(std::memcmp(before.get(), &f.year.block(), sizeof(PeriodBlock)) == 0);
    }

    void choosingModeStartsWithAllAndRefusesNone() {
        Fixture f(EmployeeListWindow::Mode::ChoosePaySlips);
        QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("stStatus"))->text(),
                 QString::fromUtf8(kMsgChoosePaySlips));
        QVERIFY(f.button("sbNew") == nullptr);
        QPushButton* all = f.button("sbSelectAll");
        QCOMPARE(all->text(), QStringLiteral("全て解除"));
        all->click();
        QCOMPARE(all->text(), QStringLiteral("全て選択"));
        f.button("btOK")->click();
        QCOMPARE(f.messages.lastText(), QString::fromUtf8(kMsgNothingToPrint));
        QVERIFY(f.window->chosenSlots().empty());

        all->click();
        f.window->sortBy(1);  // by name: the slips come out in the order shown
        f.button("btOK")->click();
        QCOMPARE(f.window->chosenSlots(), f.window->shownSlots());
        std::vector<int> everyone(f.usedSlots());
        std::iota(everyone.begin(), everyone.end(), 1);
        QVERIFY(f.window->chosenSlots() != everyone);
        std::vector<int> chosen = f.window->chosenSlots();
        std::sort(chosen.begin(), chosen.end());
        QCOMPARE(chosen, everyone);
        QCOMPARE(f.window->result(), static_cast<int>(QDialog::Accepted));
    }
};

KEIRO_QTEST(EmployeeListWindowTest);

}  // namespace keiro::payroll

#include "employee_list_window_test.moc"
