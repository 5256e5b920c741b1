// The April-June decision window: its list, the 修正平均額 typed into a line, 適用 asking
// first, and, from the main window on the sample company, the new grades written into the
// periods collecting the September premium and after (the open one in memory).
#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <cstring>

#include "calc/premiums.h"
#include "calc/social_days.h"
#include "calc/social_year.h"
#include "core/fileio.h"
#include "core/text.h"
#include "core/year_view.h"
#include "core/yearfile.h"
#include "payroll/main_window.h"
#include "payroll/standard_pay_review_window.h"
#include "payroll/tool_tray.h"
#include "print/santei_rows.h"
#include "tests/payroll/demo_main_window.h"
#include "tests/support/published_grades.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

using testing_support::publishedGrades;

constexpr int kAdjusted = static_cast<int>(print::SanteiColumn::Adjusted);
constexpr int kNewHealth = static_cast<int>(print::SanteiColumn::NewHealth);
constexpr int kNote = static_cast<int>(print::SanteiColumn::Note);

calc::SanteiLine line(int slot, const char* id, std::int32_t monthly) {
    calc::SanteiLine l;
    l.slot = slot;
    l.recordId = id;
    l.name = std::string("社員") + id;
    l.previous = calc::gradesOf(publishedGrades(), 240'000);
    for (int k = 0; k < 3; ++k) l.months[k] = {4 + k, true, 30, monthly, false};
    calc::SanteiInput in;
    in.months = l.months;
    l.result = calc::decideTeiji(in, publishedGrades(), l.previous);
    return l;
}

struct Harness {
    ui::ScriptedMessageService messages;
    std::vector<std::vector<GradeDecision>> applied;
    std::vector<DayCorrection> corrections;
    std::unique_ptr<StandardPayReviewWindow> window;

    Harness() {
        calc::SanteiLine june = line(2, "B", 250'000);
        june.excluded = calc::SanteiExclusion::JoinedFromJune;
        window = std::make_unique<StandardPayReviewWindow>(
            nullptr, messages, SanteiSheet({line(1, "A", 300'000), june}, publishedGrades(), 2026),
            2026);
        window->setApply([this](QWidget*, const SanteiSheet& sheet) {
            applied.push_back(sheet.decisions());
            corrections = sheet.dayCorrections();
            return true;
        });
        window->show();
    }
    QTableWidget* table() { return window->findChild<QTableWidget*>("sgSantei"); }
    QString text(int row, int column) { return table()->item(row, column)->text(); }
    void click(const char* name) { window->findChild<QPushButton*>(name)->click(); }
};

}  // namespace

class SanteiWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrder() {
        Harness h;
        KEIRO_VERIFY_TAB_ORDER(*h.window);
    }

    void listsTheLinesAndTakesAnAdjustedAverageOnlyForDecidedLines() {
        Harness h;
        QCOMPARE(h.table()->rowCount(), 2);
        QCOMPARE(h.text(0, 1), QStringLiteral("社員A"));
        QCOMPARE(h.text(0, kNewHealth), QStringLiteral("22"));
        QCOMPARE(h.text(1, kNote), QStringLiteral("6月1日以降の資格取得"));
        QVERIFY(h.table()->item(0, kAdjusted)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(h.table()->item(1, kAdjusted)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(h.table()->item(0, kNewHealth)->flags() & Qt::ItemIsEditable));
        QVERIFY(!h.window->findChild<QPushButton*>("btPrint")->isEnabled());

        h.table()->item(0, kAdjusted)->setText(QStringLiteral("420,000"));
        QCOMPARE(h.text(0, kAdjusted), QStringLiteral("420,000"));
        QCOMPARE(h.text(0, kNewHealth), QStringLiteral("27"));
        QVERIFY(h.messages.shown().empty());

        h.table()->item(0, kAdjusted)->setText(QStringLiteral("abc"));  // refused, line kept
        QCOMPARE(h.messages.lastText(), QString::fromUtf8(kMsgReviewBadAmount));
        QCOMPARE(h.text(0, kAdjusted), QStringLiteral("420,000"));
        QCOMPARE(h.text(0, kNewHealth), QStringLiteral("27"));

        h.table()->item(0, kAdjusted)->setText(QString());  // cleared: the average decides
        QCOMPARE(h.text(0, kNewHealth), QStringLiteral("22"));
    }

    void correctedDaysDecideWhichMonthsCountAndTravelWithApply() {
        Harness h;
        constexpr int kDays5 = static_cast<int>(print::SanteiColumn::Days5);
        constexpr int kCounted = static_cast<int>(print::SanteiColumn::Counted);
        QVERIFY(h.table()->item(0, kDays5)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(h.table()->item(1, kDays5)->flags() & Qt::ItemIsEditable));  // excluded
        h.table()->item(0, kDays5)->setText(QStringLiteral("12"));
        QCOMPARE(h.text(0, kDays5), QStringLiteral("12"));
        QCOMPARE(h.text(0, kCounted), QStringLiteral("4・6"));
        h.table()->item(0, kDays5)->setText(QStringLiteral("32"));  // refused
        QCOMPARE(h.messages.lastText(), QString::fromUtf8(kMsgReviewBadDays));
        QCOMPARE(h.text(0, kDays5), QStringLiteral("12"));

        h.messages.answerNext(ui::Answer::Yes);
        h.click("btApply");
        QCOMPARE(h.corrections.size(), std::size_t{1});
        QCOMPARE(h.corrections[0].recordId, std::string("A"));
        QCOMPARE(h.corrections[0].month, 5);
        QCOMPARE(h.corrections[0].days, 12);
    }

    void applyAsksFirstAndWritesNothingWithoutOk() {
        Harness h;
        h.messages.answerNext(ui::Answer::No);
        h.click("btApply");
        QCOMPARE(h.messages.lastText(), gradeApplyQuestion(1, 2026));
        QVERIFY(h.applied.empty());

        h.messages.answerNext(ui::Answer::Yes);
        h.click("btApply");
        QCOMPARE(h.applied.size(), std::size_t{1});
        QCOMPARE(h.applied[0].size(), std::size_t{1});
        QCOMPARE(h.applied[0][0].recordId, std::string("A"));
        QCOMPARE(h.applied[0][0].yearMonth, 202609);
    }

    void theMainWindowWritesTheGradesFromOctoberOn() {
        DemoMainWindow demo(11);
        MainWindow& main = *demo.main;

        const calc::HealthGradeTable& grades = *demo.tables.gradesFor(2026, 9);
        const YearView before(demo.year.path());
        const std::vector<calc::SanteiLine> lines =
            calc::santeiOfYear({before, 2026, grades, demo.state.settings.fixedPayFlags});
        QVERIFY(!lines.empty());
        const calc::SanteiLine* decided = nullptr;
        for (const calc::SanteiLine& l : lines) {
            if (l.excluded == calc::SanteiExclusion::None && !l.result.keepPrevious) decided = &l;
        }
        QVERIFY(decided != nullptr);

        bool asked = false;
        QTimer::singleShot(0, [&] {
            auto* window =
                qobject_cast<StandardPayReviewWindow*>(QApplication::activeModalWidget());
            QVERIFY(window != nullptr);
            QCOMPARE(window->findChild<QTableWidget*>("sgSantei")->rowCount(),
                     static_cast<int>(lines.size()));
            auto* table = window->findChild<QTableWidget*>("sgSantei");
            const int row = static_cast<int>(decided - lines.data());
            table->item(row, static_cast<int>(print::SanteiColumn::Days5))->setText("20");
            demo.messages.answerNext(ui::Answer::Yes);
            window->applyDecisions();
            asked = demo.messages.shown().size() >= 3;
            window->accept();
        });
        main.toolTray()->button("sbSantei")->click();
        QVERIFY(asked);
        QVERIFY(demo.messages.lastText().contains(QStringLiteral("10月・11月")));

        const YearView after(demo.year.path());
        for (int p = 1; p <= 11; ++p) {
            const PeriodBlock& block = p == 11 ? demo.year.block() : after.block(p);
            const int i = slotOf(block, decided->recordId);
            QVERIFY(i >= 0);
            const EmployeeRecord& e = block.employees[i];
            const EmployeeRecord& was =
                before.block(p).employees[slotOf(before.block(p), decided->recordId)];
            if (p < 10) {
                if (p != *calc::periodPaidIn(before, 5)) {
                    QCOMPARE(std::memcmp(&block, &before.block(p), sizeof block), 0);
                }
                continue;
            }
            QCOMPARE(int{e.insuranceGrade}, decided->result.grades.health);
            QCOMPARE(e.social.revisedYearMonth, 202609);
            QCOMPARE(int{e.social.decisionKind}, int{kDecidedYearly});
            QCOMPARE(e.healthInsPremium,
                     calc::SetPremiumsFromGrade(grades, e.insuranceGrade, block.settings).health);
            QCOMPARE(e.basePay, was.basePay);
        }
        // The corrected days are kept with the May pay.
        const std::optional<int> may = calc::periodPaidIn(after, 5);
        QVERIFY(may.has_value());
        const AttendanceRecord& mayDays =
            after.block(*may).attendance[slotOf(after.block(*may), decided->recordId)];
        QVERIFY(calc::payBasisDaysCorrected(mayDays));
        QCOMPARE(mayDays.payBasisDays, 20.0);
        // The open period in the file is as it was until it is saved.
        QCOMPARE(std::memcmp(&after.block(11), &before.block(11), sizeof(PeriodBlock)), 0);
    }

    void theListIsPrintedAsPdfAndWrittenAsCsv() {
        DemoMainWindow demo(11);
        MainWindow& main = *demo.main;
        const std::filesystem::path csv = demo.folder / "santei.csv";
        const std::filesystem::path pdf = demo.folder / "santei.pdf";
        QTimer::singleShot(0, [&] {
            auto* window =
                qobject_cast<StandardPayReviewWindow*>(QApplication::activeModalWidget());
            QVERIFY(window != nullptr);
            demo.dialogs.answerNext(QString::fromStdString(csv.string()));
            window->findChild<QPushButton*>("btCsv")->click();
            demo.dialogs.answerNext(QString::fromStdString(pdf.string()));
            QTimer::singleShot(0, [] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog != nullptr);
                QCOMPARE(dialog->windowTitle(), QStringLiteral("算定基礎届 一覧の印刷"));
                dialog->findChild<QPushButton*>("btPrint")->click();
            });
            window->findChild<QPushButton*>("btPrint")->click();
            window->accept();
        });
        main.toolTray()->button("sbSantei")->click();
        const std::string bytes = readFile(csv);
        QVERIFY(bytes.rfind(text::toCp932("番号,氏名,4月日数"), 0) == 0);
        QVERIFY(std::filesystem::file_size(pdf) > 0);
    }
};

}  // namespace keiro::payroll

using keiro::payroll::SanteiWindowTest;
KEIRO_QTEST(SanteiWindowTest);

#include "standard_pay_review_window_test.moc"
