// The grade window over the published grade table, and the once-per-run question before the
// premiums are set from a grade.
#include "payroll/grade_table_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <string>

#include "calc/data_csv.h"
#include "core/fileio.h"
#include "tests/support/published_grades.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

using testing_support::publishedGrades;
using testing_support::tokyoRates;

struct Harness {
    ui::ScriptedMessageService messages;
    GradeTableWindow window{nullptr, messages, publishedGrades()};

    QListWidget* list() { return window.findChild<QListWidget*>("lbKenhoHyo"); }
    QString label() { return window.findChild<QLabel*>("lbTokyu")->text(); }
    void open(int storedGrade) {
        window.prepare(storedGrade);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    void clickRow(int row) {
        QListWidget* l = list();
        l->scrollToItem(l->item(row));
        const QRect rect = l->visualItemRect(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

}  // namespace

class GradeWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrder() {
        Harness h;
        h.open(5);
        KEIRO_VERIFY_TAB_ORDER(h.window);
    }

    void listsEveryGradeOnceAndSelectsTheStoredOne() {
        Harness h;
        h.open(20);
        QCOMPARE(h.window.windowTitle(), QStringLiteral("健康保険等級表"));
        QCOMPARE(h.list()->count(), publishedGrades().gradeCount());
        QCOMPARE(h.list()->count(), 50);
        QCOMPARE(h.list()->item(0)->text(),
                 QString::fromStdString(publishedGrades().listLines().front()));
        QCOMPARE(h.window.selectedGrade(), 20);
        QCOMPARE(h.label(), QStringLiteral("選択等級：20等級"));

        h.open(0);  // shown again for an employee without a grade: the list is not refilled
        QCOMPARE(h.list()->count(), 50);
        QCOMPARE(h.window.selectedGrade(), 1);
        QCOMPARE(h.label(), QStringLiteral("選択等級：1等級"));
        h.open(81);
        QCOMPARE(h.window.selectedGrade(), 1);
    }

    void labelFollowsClicksAndOkReturnsTheGrade() {
        Harness h;
        h.open(3);
        h.clickRow(6);
        QCOMPARE(h.label(), QStringLiteral("選択等級：7等級"));
        QTest::mouseClick(h.window.findChild<QPushButton*>("btOK"), Qt::LeftButton);
        QCOMPARE(h.window.result(), int(QDialog::Accepted));
        QCOMPARE(h.window.chosenGrade(), std::optional<int>(7));
    }

    void enterOrDoubleClickChoose() {
        Harness h;
        h.open(10);
        h.list()->setFocus();
        QTest::keyClick(h.list(), Qt::Key_Down);
        QCOMPARE(h.label(), QStringLiteral("選択等級：11等級"));
        QTest::keyClick(h.list(), Qt::Key_Return);
        QCOMPARE(h.window.chosenGrade(), std::optional<int>(11));

        h.open(10);
        h.clickRow(12);
        QListWidget* l = h.list();
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {},
                           l->visualItemRect(l->item(12)).center());
        QCOMPARE(h.window.chosenGrade(), std::optional<int>(13));
    }

    void cancelReturnsNothing() {
        Harness h;
        QTimer::singleShot(0, &h.window, [&h] {
            h.clickRow(4);
            QTest::mouseClick(h.window.findChild<QPushButton*>("btCancel"), Qt::LeftButton);
        });
        QCOMPARE(h.window.choose(2), std::nullopt);
    }

    void setterAsksOncePerRunAndSetsThePremiums() {
        ui::ScriptedMessageService messages;
        int chooserCalls = 0;
        std::optional<int> answer = 20;
        GradePremiumSetter setter(messages, publishedGrades(), [&](int stored) {
            ++chooserCalls;
            [&] { QCOMPARE(stored, 5); }();
            return answer;
        });

        messages.answerNext(ui::Answer::No);  // いいえ: nothing chosen, asked again next time
        QVERIFY(!setter.setFromGrade(nullptr, 5, tokyoRates()));
        QCOMPARE(chooserCalls, 0);
        QCOMPARE(messages.lastText(),
                 QStringLiteral("健康保険等級表から健康･介護･厚生年金保険料と\n"
                                "厚生年金基金の掛け金をセットします。"));

        const auto result = setter.setFromGrade(nullptr, 5, tokyoRates());  // はい
        QVERIFY(result);
        QCOMPARE(result->grade, 20);
        const calc::MonthlyPremiums expected =
            calc::SetPremiumsFromGrade(publishedGrades(), 20, tokyoRates());
        QCOMPARE(result->premiums.health, expected.health);
        QCOMPARE(result->premiums.nursing, expected.nursing);
        QCOMPARE(result->premiums.pension, expected.pension);
        QCOMPARE(result->premiums.pensionFund, expected.pensionFund);
        QVERIFY(expected.health > 0 && expected.nursing > 0 && expected.pension > 0);

        answer.reset();  // the grade window cancelled: no question, nothing set
        QVERIFY(!setter.setFromGrade(nullptr, 5, tokyoRates()));
        QCOMPARE(messages.shown().size(), std::size_t{2});
        QCOMPARE(chooserCalls, 2);
    }

    // The 報酬月額 typed opens the window on its grade; the grade chosen is described for the
    // editor with its standard amount.
    void setterOpensOnTheGradeOfTheRemunerationTyped() {
        ui::ScriptedMessageService messages;
        int opened = 0;
        GradePremiumSetter setter(messages, publishedGrades(), [&](int start) {
            opened = start;
            return std::optional<int>(start);
        });
        messages.answerNext(ui::Answer::Yes);
        const auto result = setter.setFromGrade(nullptr, 5, tokyoRates(), 365'000);
        QVERIFY(result);
        QCOMPARE(opened, publishedGrades().gradeOf(365'000));
        QCOMPARE(publishedGrades().standard(opened), 360'000);
        QCOMPARE(setter.describeGrade(opened),
                 QStringLiteral("%1等級　標準報酬月額 360,000円").arg(opened));
        QVERIFY(setter.setFromGrade(nullptr, 5, tokyoRates()));  // nothing typed: the stored one
        QCOMPARE(opened, 5);
        QVERIFY(setter.describeGrade(0).isEmpty());
    }

    // The main window hands over the grades of the period being edited: before September 2020
    // the pension stopped at health grade 34 (620,000円), since then at 35 (650,000円).
    void setterUsesTheGradesOfThePeriodBeingEdited() {
        const calc::HealthGradeTable before2020September = calc::HealthGradeTable::fromBytes(
            calc::buildHealthGradeTable(
                calc::DataCsv(readFile(std::string(KEIRO_SOURCE_DIR) + "/data/health_grades.csv"),
                              "grades"),
                31),
            "grades");
        QCOMPARE(before2020September.pensionMaxGrade(), 34);
        ui::ScriptedMessageService messages;
        GradePremiumSetter setter(messages, publishedGrades(), [](int) { return 40; });
        const auto now = setter.setFromGrade(nullptr, 1, tokyoRates());
        QVERIFY(now);
        QCOMPARE(now->premiums.pension, 59'475);  // 9.15 % of 650,000
        setter.useTable(before2020September);
        const auto then = setter.setFromGrade(nullptr, 1, tokyoRates());
        QVERIFY(then);
        QCOMPARE(then->premiums.pension, 56'730);  // 9.15 % of 620,000
        QCOMPARE(then->premiums.health, now->premiums.health);

        Harness h;  // the window lists the table it is given from its next showing
        h.open(1);
        h.window.useTable(before2020September);
        h.open(1);
        QCOMPARE(h.list()->count(), before2020September.gradeCount());
    }
};

}  // namespace keiro::payroll

using keiro::payroll::GradeWindowTest;
KEIRO_QTEST(GradeWindowTest);

#include "grade_table_window_test.moc"
