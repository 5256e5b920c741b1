// The on-screen calculator: desk-calculator arithmetic (left to right, ％, errors, display
// width) on the state alone, then the window writing its result into the box it was opened
// from, in that box's format.
#include "widgets/calculator_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <initializer_list>
#include <string>

#include "tests/support/qt_test_main.h"
#include "widgets/entry_behaviour.h"
#include "widgets/message_service.h"

namespace keiro::ui {
namespace {

using Key = CalculatorState::Key;

// Keys written as on the keypad: digits, ".", "+-*/", "%", "=", "C", "<" (backspace).
std::string keyIn(CalculatorState& state, const std::string& keys) {
    for (const char c : keys) {
        switch (c) {
            case '.':
                state.press(Key::Point);
                break;
            case '+':
                state.press(Key::Plus);
                break;
            case '-':
                state.press(Key::Minus);
                break;
            case '*':
                state.press(Key::Times);
                break;
            case '/':
                state.press(Key::Divide);
                break;
            case '%':
                state.press(Key::Percent);
                break;
            case '=':
                state.press(Key::Equal);
                break;
            case 'C':
                state.press(Key::Clear);
                break;
            case '<':
                state.press(Key::Backspace);
                break;
            default:
                state.press(CalculatorState::digit(c - '0'));
                break;
        }
    }
    return state.display();
}

}  // namespace

class CalculatorTest : public QObject {
    Q_OBJECT
  private slots:
    void arithmetic_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::newRow("left to right") << "12+3*2="
                                       << "30";
        QTest::newRow("chain shows each step") << "12+3*"
                                               << "15";
        QTest::newRow("operator replaced") << "8+-3="
                                           << "5";
        QTest::newRow("decimals") << "1.5*1.5="
                                  << "2.25";
        QTest::newRow("binary fractions hidden") << ".1+.2="
                                                 << "0.3";
        QTest::newRow("one point only") << "1..5+1="
                                        << "2.5";
        QTest::newRow("negative result") << "3-5="
                                         << "-2";
        QTest::newRow("percent of product") << "200*8%"
                                            << "16";
        QTest::newRow("percent added") << "200+10%"
                                       << "220";
        QTest::newRow("percent taken off") << "200-10%"
                                           << "180";
        QTest::newRow("percent ratio") << "50/200%"
                                       << "25";
        QTest::newRow("percent alone") << "5%"
                                       << "0.05";
        QTest::newRow("thirds rounded to the display") << "2/3="
                                                       << "0.66666666667";
        QTest::newRow("digits limited") << "1234567890123"
                                        << "123456789012";
        QTest::newRow("backspace") << "123<<"
                                   << "1";
        QTest::newRow("new number after result") << "2+3=7"
                                                 << "7";
        QTest::newRow("clear") << "12+3C4="
                               << "4";
        QTest::newRow("divide by zero") << "1/0="
                                        << "E";
        QTest::newRow("divide by zero in a chain") << "1/0+"
                                                   << "E";
        QTest::newRow("too long a result") << "999999999999*10="
                                           << "E";
        QTest::newRow("error holds until clear") << "1/0=5+5="
                                                 << "E";
        QTest::newRow("clear after error") << "1/0=C7"
                                           << "7";
    }
    void arithmetic() {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        CalculatorState state;
        QCOMPARE(QString::fromStdString(keyIn(state, keys.toStdString())), display);
        QCOMPARE(state.hasError(), display == "E");
    }

    void okWritesIntoTheBoxInItsFormat() {
        ScriptedMessageService messages;
        QLineEdit box;
        NumericEntry::attach(&box, 90, false, EntrySettings{}, messages);
        CalculatorWindow calc(nullptr, messages);
        QCOMPARE(calc.windowTitle(), QStringLiteral("簡易電卓"));
        calc.startFor(&box);
        for (const char* name : {"bt1", "bt2", "bt3", "bt4"}) {
            QTest::mouseClick(calc.findChild<QPushButton*>(name), Qt::LeftButton);
        }
        QCOMPARE(calc.findChild<QLineEdit*>("edResult")->text(), QStringLiteral("1234"));
        QTest::mouseClick(calc.findChild<QPushButton*>("btOK"), Qt::LeftButton);
        QCOMPARE(box.text(), QStringLiteral("     1234"));  // code 90: 9 wide, no decimals
        QCOMPARE(calc.result(), int(QDialog::Accepted));
    }

    void okCompletesAPendingOperationAndRoundsToTheBoxDecimals() {
        ScriptedMessageService messages;
        QLineEdit box;
        NumericEntry::attach(&box, 62, false, EntrySettings{}, messages);
        CalculatorWindow calc(nullptr, messages);
        calc.startFor(&box);
        calc.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calc));
        QTest::keyClicks(&calc, "10/3");  // typed on the keyboard
        calc.writeResult();
        QCOMPARE(box.text(), QStringLiteral("  3.33"));
    }

    void errorOrOversizedResultWritesNothing() {
        ScriptedMessageService messages;
        QLineEdit box;
        NumericEntry::attach(&box, 90, false, EntrySettings{}, messages);
        box.setText(QStringLiteral("500"));
        CalculatorWindow calc(nullptr, messages);

        calc.startFor(&box);
        calc.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calc));
        QTest::keyClicks(&calc, "1/0");
        QTest::keyClick(&calc, Qt::Key_Return);
        QCOMPARE(calc.state().display(), std::string("E"));
        calc.writeResult();
        QCOMPARE(box.text(), QStringLiteral("500"));
        QVERIFY(!calc.isVisible());

        // Eight whole digits do not fit a 90 box (seven at most): the box's own message.
        calc.startFor(&box);
        calc.show();
        QTest::keyClicks(&calc, "12345678");
        calc.writeResult();
        QCOMPARE(box.text(), QStringLiteral("500"));
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.lastText(),
                 QStringLiteral("入力した数値が上限を超えました。9999999以下で入力してください。"));
        QVERIFY(calc.isVisible());
    }

    void boxWithoutNumericEntryReceivesNothing() {
        ScriptedMessageService messages;
        QLineEdit box;
        box.setText(QStringLiteral("abc"));
        CalculatorWindow calc(nullptr, messages);
        calc.startFor(&box);
        calc.press(Key::Digit5);
        calc.writeResult();
        QCOMPARE(box.text(), QStringLiteral("abc"));
    }
};

}  // namespace keiro::ui

using keiro::ui::CalculatorTest;
KEIRO_QTEST(CalculatorTest);

#include "calculator_window_test.moc"
