// The individual entry window on the sample company as the clerk uses it: the paid-leave
// balance, hand-entered amounts kept through recalculations, the bonus whose tax needs hand
// entry, moving between the employees at work, closing with an entry still to be reformatted,
// and the five-line remarks.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <memory>

#include "calc/bonus_tax.h"
#include "calc/period_calc.h"
#include "core/layouts.h"
#include "payroll/item_colours.h"
#include "payroll/pay_entry_window.h"
#include "tests/support/demo_company.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "widgets/calculator_window.h"

namespace keiro::payroll {

using ui::Answer;
using ui::MessageKind;

class PayEntryWindowTest : public QObject {
    Q_OBJECT

    // The sample company with one period open, recalculated as the main window does before it
    // opens the entry window.
    struct Demo : testing_support::DemoCompany {
        PrintTables layouts;
        ActiveItems active;
        std::unique_ptr<calc::CalcContext> calc;
        std::unique_ptr<PayEntryWindow> window;

        explicit Demo(int period, PeriodEntry entry = {}) : DemoCompany(period, entry) {}

        void open(int slot) {
            const bool bonus = year.period() >= kFirstBonusPeriod;
            layouts =
                buildPrintTables(loadLayout(*ini, bonus ? LayoutKind::Bonus : LayoutKind::Salary));
            active = ActiveItems(layouts, state.settings.itemNames);
            calc = std::make_unique<calc::CalcContext>(
                calc::CalcContext{state.settings, active, tables.tax, 2026});
            calc::RecalculatePeriod(year, *calc, nullptr);
            window = std::make_unique<PayEntryWindow>(
                nullptr, PayEntryContext{year, state.settings, layouts, *calc, messages}, slot);
            window->show();
            window->activateWindow();  // no window manager does it under a bare X server
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        }

        // The box of the row captioned `caption` in a band ("Kintai", "Sikyu", "Koujo").
        QLineEdit* box(const char* band, const QString& caption) const {
            for (int n = 1; n <= 18; ++n) {
                const auto* label = window->findChild<QLabel*>(QString("lb%1%2").arg(band).arg(n));
                if (label != nullptr && label->text() == caption && label->isVisible()) {
                    return window->findChild<QLineEdit*>(QString("ed%1%2").arg(band).arg(n));
                }
            }
            return nullptr;
        }
        QLineEdit* total(const char* name) const { return window->findChild<QLineEdit*>(name); }
        QPushButton* button(const char* name) const {
            return window->findChild<QPushButton*>(name);
        }

        // Types into a box as the clerk does; Enter moves on (and leaves the box) when asked.
        static void type(QLineEdit* box, const QString& keys, bool enter = true) {
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, keys);
            if (enter) QTest::keyClick(box, Qt::Key_Return);
        }

        const PaymentRecord& payment(int slot) const { return year.block().payments[slot - 1]; }
        const DeductionRecord& deduction(int slot) const {
            return year.block().deductions[slot - 1];
        }
        int questions() const {
            int n = 0;
            for (const auto& shown : messages.shown()) n += shown.kind == MessageKind::Confirmation;
            return n;
        }
    };

    static QString yen(std::int64_t amount) {
        return QString::fromStdString(formatAmount(0, amount));
    }

  private slots:
    void tabFollowsReadingOrder() {
        Demo demo(10);
        demo.open(1);
        KEIRO_VERIFY_TAB_ORDER(*demo.window);
    }

    void paidLeaveDaysLowerThePreviousBalance() {
        Demo demo(10);
        demo.year.block().attendance[1].paidLeaveBalance = 12;  // 高橋 in October
        demo.year.savePeriod();
        demo.year.openPeriod(11, demo.storedEntry(11), {});
        demo.open(2);
        QCOMPARE(demo.window->windowTitle(), QString("詳細入力画面 【高橋　誠】"));
        QLineEdit* days = demo.box("Kintai", "有休日数");
        QVERIFY(days != nullptr);
        Demo::type(days, "10");
        QCOMPARE(demo.box("Kintai", "有休残日数")->text(), QString("2.00"));
        QCOMPARE(demo.year.block().attendance[1].paidLeaveBalance, 2.0);
        QVERIFY(demo.messages.shown().empty());

        // Left by a button (which takes no focus) rather than by Enter: the same carry.
        Demo::type(days, "9", false);
        demo.button("sbNext")->click();
        QVERIFY(demo.window->slot() != 2);
        QCOMPARE(demo.year.block().attendance[1].paidLeaveBalance, 3.0);
    }

    void handEnteredPremiumIsKeptAndTheTotalsFollow() {
        Demo demo(11);
        demo.open(2);
        QLineEdit* health = demo.box("Koujo", "健康保険料");
        QVERIFY(health != nullptr);
        QVERIFY(health->isReadOnly());
        QCOMPARE(health->palette().color(QPalette::Base), kAutomaticItemColour);
        const std::int32_t before = demo.deduction(2).healthInsAmount;
        const std::int32_t othersBefore = demo.deduction(2).socialInsTotal - before;

        health->setFocus();
        demo.button("sbManual")->click();
        QVERIFY(!health->isReadOnly());
        QCOMPARE(health->palette().color(QPalette::Text), kHandEnteredTextColour);
        QVERIFY(demo.button("sbCalculator")->isEnabled());
        Demo::type(health, "9999");
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(health->text(), QString("9,999"));
            QCOMPARE(demo.deduction(2).healthInsAmount, 9'999);
            QCOMPARE(demo.deduction(2).socialInsTotal, othersBefore + 9'999);
            QCOMPARE(demo.box("Koujo", "社会保険料計")->text(), yen(othersBefore + 9'999));
            QCOMPARE(demo.total("edKoujoGoukei")->text(), yen(demo.deduction(2).deductionTotal));
            QCOMPARE(demo.total("edSasihiki")->text(), yen(std::int64_t{demo.payment(2).payTotal} -
                                                           demo.deduction(2).deductionTotal));
            demo.button("sbCalc")->click();
        }
        QVERIFY(before != 9'999);
    }

    void incomeTaxSwitchedBackIsRecomputedAtOnce() {
        Demo demo(11);
        demo.open(2);
        QLineEdit* tax = demo.box("Koujo", "所得税");
        QVERIFY(tax != nullptr);
        const QString computed = tax->text();
        tax->setFocus();
        demo.button("sbManual")->click();
        Demo::type(tax, "1");
        QCOMPARE(tax->text(), QString("1"));
        // The calculator's result goes into the box and is stored at once.
        tax->setFocus();
        QTimer::singleShot(0, [] {
            auto* calculator =
                qobject_cast<ui::CalculatorWindow*>(QApplication::activeModalWidget());
            QVERIFY(calculator != nullptr);
            calculator->press(ui::CalculatorState::digit(2));
            calculator->press(ui::CalculatorState::Key::Times);
            calculator->press(ui::CalculatorState::digit(6));
            calculator->press(ui::CalculatorState::digit(0));
            calculator->press(ui::CalculatorState::digit(0));
            calculator->writeResult();
        });
        demo.button("sbCalculator")->click();
        QCOMPARE(tax->text(), QString("1,200"));
        QCOMPARE(demo.deduction(2).incomeTax, 1'200);
        demo.window->activateWindow();  // back from the calculator
        QVERIFY(QTest::qWaitForWindowActive(demo.window.get()));
        tax->setFocus();
        demo.button("sbManual")->click();
        QVERIFY(tax->isReadOnly());
        QCOMPARE(tax->text(), computed);
        QVERIFY(!demo.deduction(2).isManual(DeductionRecord::kIncomeTaxItem));
        QVERIFY(!demo.button("sbCalculator")->isEnabled());
    }

    void bonusWithoutPayTheMonthBeforeIsTaxedByTheMonthlyTable() {
        // Paid in January: there is no December before it.
        Demo demo(14, PeriodEntry{0, 0.0, 1, 15});
        demo.open(1);
        QVERIFY(demo.window->findChild<QWidget*>("gbKintai")->isHidden());
        QLineEdit* bonus = demo.box("Sikyu", "賞与");
        QVERIFY(bonus != nullptr);
        Demo::type(bonus, "3000000");
        QVERIFY(demo.messages.shown().empty());  // leaving a box says nothing

        const DeductionRecord& d = demo.deduction(1);
        const EmployeeRecord& e = demo.year.block().employee(1);
        const std::int32_t computed = calc::MonthlyTableBonusTax(
            demo.tables.tax.salary, 0, d.payAfterSocialIns, e.dependentRelatives, e.taxColumn,
            calc::kBonusTaxMonths, calc::YenRounding(demo.state.settings.rounding(true)));
        QVERIFY(computed > 0);
        QCOMPARE(d.incomeTax, computed);
        QLineEdit* tax = demo.box("Koujo", "所得税");
        QVERIFY(tax->isReadOnly());  // an automatic amount
        QVERIFY(!d.isManual(DeductionRecord::kIncomeTaxItem));

        demo.button("sbCalc")->click();
        QCOMPARE(demo.questions(), 0);
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
        QCOMPARE(demo.messages.shown().back().kind, MessageKind::Information);
        QVERIFY(demo.messages.lastText().startsWith(QString::fromStdString(e.name.utf8()) +
                                                    "さんの賞与の所得税は月額表で計算しました。"));

        // Typed over like any automatic item, and kept.
        tax->setFocus();
        demo.button("sbManual")->click();
        QVERIFY(!tax->isReadOnly());
        Demo::type(tax, "12345");
        demo.button("sbCalc")->click();
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
        QCOMPARE(d.incomeTax, 12'345);
        QVERIFY(d.isManual(DeductionRecord::kIncomeTaxItem));
    }

    void navigationGoesOnlyToEmployeesAtWork() {
        Demo demo(11);
        demo.year.block().employee(3).workStatus = 2;  // 休職 this month
        demo.open(2);
        QVERIFY(demo.button("sbPrev")->isEnabled());  // 佐藤 in slot 1
        demo.button("sbNext")->click();
        QCOMPARE(demo.window->slot(), 4);
        QCOMPARE(demo.window->windowTitle(), QString("詳細入力画面 【伊藤　大輔】"));
        demo.button("sbPrev")->click();
        QCOMPARE(demo.window->slot(), 2);

        demo.window.reset();
        demo.open(8);  // slots 9 (休職) and 10 (退職) follow
        QVERIFY(!demo.button("sbNext")->isEnabled());
        demo.button("sbNext")->click();
        QCOMPARE(demo.window->slot(), 8);
        QLineEdit* base = demo.box("Sikyu", "時給計");  // 中村 is paid by the hour
        QVERIFY(base != nullptr);
    }

    void closingWaitsForTheReformattedEntry() {
        Demo demo(11);
        demo.open(2);
        QLineEdit* allowance = demo.box("Sikyu", "精勤手当");
        QVERIFY(allowance != nullptr);
        Demo::type(allowance, "-100");  // a minus sign is typed in front
        QCOMPARE(allowance->text(), QString("-100"));
        Demo::type(allowance, "7000", false);
        QVERIFY(!demo.window->close());
        QCOMPARE(allowance->text(), QString("7,000"));
        QCOMPARE(demo.payment(2).variableAllowance1, 7'000);
        QVERIFY(demo.window->isVisible());
        QVERIFY(demo.window->close());
        QVERIFY(!demo.window->isVisible());
    }

    void remarksKeepFiveLines() {
        Demo demo(11);
        demo.open(2);
        auto* memo = demo.window->findChild<QPlainTextEdit*>("mmBikou");
        QVERIFY(memo != nullptr);
        memo->setFocus();
        for (const char* line : {"1", "2", "3", "4", "5"}) {
            if (*line != '1') QTest::keyClick(memo, Qt::Key_Return);
            QTest::keyClicks(memo, line);
        }
        QTest::keyClick(memo, Qt::Key_Return);  // a sixth line is not taken
        QTest::keyClicks(memo, "6");
        QCOMPARE(memo->toPlainText(), QString("1\n2\n3\n4\n56"));
        QVERIFY(demo.window->close());
        QCOMPARE(demo.year.block().employee(2).remarks.utf8(),
                 std::string("1\r\n2\r\n3\r\n4\r\n56"));
    }

    void payBasisDaysFollowThePayUnlessTheClerkSetsThem() {
        Demo demo(11);
        demo.open(2);
        QCOMPARE(int(demo.year.block().employee(2).payForm), 1);  // monthly pay
        auto* days = demo.window->findChild<QSpinBox*>("edKisoNissu");
        auto* byHand = demo.window->findChild<QCheckBox*>("cbKisoNissu");
        QVERIFY(days->isVisible() && !days->isEnabled() && !byHand->isChecked());
        Demo::type(demo.box("Kintai", "欠勤日数"), "2");
        QCOMPARE(days->value(), 17);  // November's 19 scheduled days less two days absent

        byHand->setChecked(true);
        days->setValue(17);
        const AttendanceRecord& a = demo.year.block().attendance[1];
        QCOMPARE(a.payBasisDaysSet, 1.0);
        QCOMPARE(a.payBasisDays, 17.0);
        Demo::type(demo.box("Kintai", "欠勤日数"), "0");
        QCOMPARE(days->value(), 17);  // the clerk's figure stands
        byHand->setChecked(false);
        QCOMPARE(a.payBasisDaysSet, 0.0);
        QCOMPARE(days->value(), 30);

        Demo bonus(13);
        bonus.open(2);
        QVERIFY(bonus.window->findChild<QWidget*>("gbKisoNissu")->isHidden());
    }

    void backPayAndLeaveAreMarkedOnThePayAndAWrongMonthIsRefused() {
        Demo demo(11);
        demo.open(2);
        auto* backPay = demo.window->findChild<QSpinBox*>("edSokyu");
        auto* first = demo.window->findChild<QDateEdit*>("dtSokyuFrom");
        auto* last = demo.window->findChild<QDateEdit*>("dtSokyuTo");
        auto* leave = demo.window->findChild<QComboBox*>("cbKyusyoku");
        auto* leavePay = demo.window->findChild<QSpinBox*>("edKyusyokuKyu");
        QVERIFY(!first->isEnabled() && !leavePay->isEnabled());

        const PaymentRecord& pay = demo.year.block().payments[1];
        backPay->setValue(30'000);
        emit backPay->editingFinished();
        QCOMPARE(pay.backPay, 30'000);
        QCOMPARE(pay.backPayFirstMonth, 202608);  // the three months before November proposed
        QCOMPARE(pay.backPayLastMonth, 202610);
        QVERIFY(first->isEnabled());
        QVERIFY(demo.year.document().isDirty());

        // A month after the pay is refused with a message, and the box shows what is stored.
        last->setDate(QDate(2026, 12, 1));
        emit last->editingFinished();
        QCOMPARE(pay.backPayLastMonth, 202610);
        QCOMPARE(last->date(), QDate(2026, 10, 1));
        QVERIFY(demo.messages.lastText().contains(QStringLiteral("2026年11月")));

        leave->setCurrentIndex(leave->findData(1));
        emit leave->activated(leave->currentIndex());
        QVERIFY(leavePay->isEnabled());
        leavePay->setValue(100'000);
        emit leavePay->editingFinished();
        QCOMPARE(int(pay.leaveKind), 1);
        QCOMPARE(pay.leavePay, 100'000);

        // Another employee shows his own pay's marks.
        demo.button("sbNext")->click();
        QCOMPARE(backPay->value(), 0);
        QCOMPARE(leave->currentData().toInt(), 0);

        // A bonus offers only the exempt leave and no 修正平均額.
        Demo bonus(13);
        bonus.open(2);
        auto* bonusLeave = bonus.window->findChild<QComboBox*>("cbKyusyoku");
        QCOMPARE(bonusLeave->findData(1), -1);
        QVERIFY(bonusLeave->findData(2) >= 0);
        QVERIFY(bonus.window->findChild<QWidget*>("edGetsuhenSyusei")->isHidden());
    }

    void screenshotForAPerson() {
        // KEIRO_PAY_ENTRY_SHOT=file.png keeps a picture of the window for a person to look at.
        const QString shot = qEnvironmentVariable("KEIRO_PAY_ENTRY_SHOT");
        if (shot.isEmpty()) QSKIP("KEIRO_PAY_ENTRY_SHOT not set");
        Demo demo(11);
        demo.open(2);
        QLineEdit* health = demo.box("Koujo", "健康保険料");
        health->setFocus();
        demo.button("sbManual")->click();
        Demo::type(health, "21000");
        demo.window->findChild<QPlainTextEdit*>("mmBikou")->setPlainText(
            "健康保険料は前月の徴収漏れ分を含みます。\n11月は残業が多い月です。");
        QVERIFY(demo.window->grab().save(shot));
    }
};

KEIRO_QTEST(PayEntryWindowTest);

}  // namespace keiro::payroll

#include "pay_entry_window_test.moc"
