// The edit-box behaviour as a user meets it: typing, leaving, Enter, Ctrl+Delete, overwrite
// typing, the delayed select-all, byte limits and input method commits.
#include "widgets/entry_behaviour.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <memory>

#include "tests/support/qt_test_main.h"
#include "widgets/message_service.h"

namespace keiro::ui {
namespace {

constexpr EntrySettings kPlain{false, false, TimeStyle::Sexagesimal};
constexpr EntrySettings kOverwrite{false, true, TimeStyle::Sexagesimal};

// A window with three boxes, shown and active, the first one focused.
struct Form {
    QWidget window;
    QLineEdit* first = new QLineEdit;
    QLineEdit* second = new QLineEdit;
    QLineEdit* third = new QLineEdit;

    Form() {
        auto* layout = new QVBoxLayout(&window);
        for (QLineEdit* edit : {first, second, third}) layout->addWidget(edit);
    }
    bool open() {
        window.show();
        if (!QTest::qWaitForWindowActive(&window)) return false;
        first->setFocus();
        return first->hasFocus();
    }
};

void commit(QLineEdit* edit, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(edit, &event);
}

}  // namespace

class EntryBehaviourTest : public QObject {
    Q_OBJECT
  private slots:
    void validEntryIsReformattedOnLeaving_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("hours");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");
        const int sexagesimal = static_cast<int>(TimeStyle::Sexagesimal);
        const int decimal = static_cast<int>(TimeStyle::Decimal);
        QTest::newRow("h:mm") << 52 << true << sexagesimal << "10:30"
                              << "10:30" << 10.5;
        QTest::newRow("decimal hours as h:mm") << 52 << true << sexagesimal << "1.75"
                                               << "1:45" << 1.75;
        QTest::newRow("h:mm as decimal") << 52 << true << decimal << "10:30"
                                         << "10.50" << 10.5;
        QTest::newRow("fraction cut") << 63 << false << decimal << "3.14159"
                                      << " 3.141" << 3.141;
        QTest::newRow("seven digits") << 90 << false << decimal << "1234567"
                                      << "  1234567" << 1234567.0;
        QTest::newRow("empty stays empty") << 90 << false << decimal << ""
                                           << "" << 0.0;
    }
    void validEntryIsReformattedOnLeaving() {
        QFETCH(int, code);
        QFETCH(bool, hours);
        QFETCH(int, style);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, value);
        ScriptedMessageService messages;
        Form form;
        EntrySettings settings = kPlain;
        settings.timeStyle = static_cast<TimeStyle>(style);
        NumericEntry* entry = NumericEntry::attach(form.first, code, hours, settings, messages);
        QSignalSpy committed(entry, &NumericEntry::committed);
        QVERIFY(form.open());

        QTest::keyClicks(form.first, typed);
        QTest::keyClick(form.first, Qt::Key_Tab);

        QVERIFY(form.second->hasFocus());
        QCOMPARE(form.first->text(), shown);
        QCOMPARE(committed.count(), 1);
        QCOMPARE(entry->value(), value);
        QVERIFY(messages.shown().empty());
    }

    // What an input method in かな mode types: key events whose text is full-width.  QTest
    // cannot click keys outside Latin-1, so the events are sent as the input method sends them.
    void fullWidthDigitsAreTakenAsTheirAsciiForms() {
        ScriptedMessageService messages;
        Form form;
        NumericEntry* hours = NumericEntry::attach(form.first, 52, true, kPlain, messages);
        NumericEntry* amount = NumericEntry::attach(form.second, 90, false, kPlain, messages);
        QVERIFY(form.open());
        const auto typeWide = [](QLineEdit* box, const QString& text) {
            for (const QChar c : text) {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QApplication::sendEvent(box, &key);
            }
        };
        typeWide(form.first, QStringLiteral("１０：３０"));
        QCOMPARE(form.first->text(), QStringLiteral("10:30"));
        QTest::keyClick(form.first, Qt::Key_Tab);
        QCOMPARE(hours->value(), 10.5);

        // Pasted full-width text is converted when the box is left.
        form.second->setText(QStringLiteral("１，２３４"));
        form.second->setFocus();
        QTest::keyClick(form.second, Qt::Key_Tab);
        QCOMPARE(form.second->text(), QStringLiteral("     1234"));
        QCOMPARE(amount->value(), 1234.0);
        QVERIFY(messages.shown().empty());
    }

    // A half-width kana box of 12 bytes: ヤマダ　タロウ committed full-width would have been cut
    // to ヤマダ タロ; taken half-width it fits whole.
    void halfWidthKanaBoxesTakeWhatTheInputMethodGivesHalfWidth() {
        ScriptedMessageService messages;
        Form form;
        TextEntry::attach(form.first, 12, kPlain, messages)->takeHalfWidthKana();
        QVERIFY(form.open());
        commit(form.first, QStringLiteral("ヤマダ　タロウ"));
        QCOMPARE(form.first->text(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
        commit(form.first, QStringLiteral("イチロウタ"));  // only what fits goes in
        QCOMPARE(form.first->text(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳｲﾁﾛｳ"));
        QVERIFY(messages.shown().empty());
    }

    void destroyingTheFocusedBoxChecksNothing() {
        // A box destroyed while it has the focus (its window closing) loses the focus in
        // QWidget's destructor, when it is no QLineEdit any more: nothing may be checked then.
        ScriptedMessageService messages;
        Form form;
        NumericEntry* entry = NumericEntry::attach(form.first, 90, false, kPlain, messages);
        QSignalSpy committed(entry, &NumericEntry::committed);
        QVERIFY(form.open());
        QTest::keyClicks(form.first, "12");
        delete form.first;
        QCOMPARE(committed.count(), 0);
        QVERIFY(messages.shown().empty());
    }

    void refusedEntryIsEmptiedAndTheFocusReturns_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("hours");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("minutes over 59") << 52 << true << "1:75"
                                         << "分の入力が59を超えています。";
        QTest::newRow("too many digits") << 90 << false << "12345678"
                                         << "入力した数値が上限を超えました。"
                                            "9999999以下で入力してください。";
        QTest::newRow("two points") << 52 << false << "1.2.3"
                                    << "．や：又は符号(－)が重複しています。";
    }
    void refusedEntryIsEmptiedAndTheFocusReturns() {
        QFETCH(int, code);
        QFETCH(bool, hours);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        ScriptedMessageService messages;
        Form form;
        NumericEntry* entry = NumericEntry::attach(form.first, code, hours, kPlain, messages);
        NumericEntry::attach(form.second, 90, false, kPlain, messages);
        QSignalSpy committed(entry, &NumericEntry::committed);
        QVERIFY(form.open());

        QTest::keyClicks(form.first, typed);
        QTest::keyClick(form.first, Qt::Key_Tab);

        QTRY_VERIFY(form.first->hasFocus());
        QCOMPARE(messages.lastText(), message);
        QCOMPARE(form.first->text(), QString());
        QCOMPARE(committed.count(), 0);
        // The return of the focus did not check anything again: one message only.
        QTest::qWait(0);
        QCOMPARE(messages.shown().size(), std::size_t{1});
    }

    void keysAreFilteredByFormatCode_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("hours");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("code 20: digits only") << 20 << false << "1.2:3a"
                                              << "123";
        QTest::newRow("amounts: point, no colon") << 52 << false << "1.2:3"
                                                  << "1.23";
        QTest::newRow("hours: colon too") << 52 << true << "1:3x0"
                                          << "1:30";
        QTest::newRow("no signs or letters") << 90 << false << "-12e+3"
                                             << "123";
    }
    void keysAreFilteredByFormatCode() {
        QFETCH(int, code);
        QFETCH(bool, hours);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        ScriptedMessageService messages;
        Form form;
        NumericEntry::attach(form.first, code, hours, kPlain, messages);
        QVERIFY(form.open());
        QTest::keyClicks(form.first, typed);
        QCOMPARE(form.first->text(), kept);
        QVERIFY(!form.first->testAttribute(Qt::WA_InputMethodEnabled));
    }

    void enterMovesOnAndCtrlDeleteEmpties() {
        ScriptedMessageService messages;
        Form form;
        NumericEntry::attach(form.first, 90, false, kPlain, messages);
        TextEntry::attach(form.second, 20, kPlain, messages);
        QVERIFY(form.open());

        QTest::keyClicks(form.first, "12");
        QTest::keyClick(form.first, Qt::Key_Return);
        QVERIFY(form.second->hasFocus());
        QCOMPARE(form.first->text(), QString("       12"));  // checked on the way out

        form.second->setText("山田太郎");
        form.second->setCursorPosition(2);
        QTest::keyClick(form.second, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(form.second->text(), QString());
        QTest::keyClick(form.second, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(form.third->hasFocus());
    }

    void overwriteTypingReplacesTheCharacterUnderTheCaret() {
        ScriptedMessageService messages;
        Form form;
        NumericEntry::attach(form.first, 90, false, kOverwrite, messages);
        TextEntry::attach(form.second, 10, kOverwrite, messages);
        QVERIFY(form.open());

        form.first->setText("12345");
        form.first->setCursorPosition(1);
        QTest::keyClicks(form.first, "98");
        QCOMPARE(form.first->text(), QString("19845"));
        QCOMPARE(form.first->cursorPosition(), 3);
        form.first->setCursorPosition(5);  // at the end typing inserts
        QTest::keyClicks(form.first, "6");
        QCOMPARE(form.first->text(), QString("198456"));
        form.first->selectAll();  // a selection is replaced as a whole
        QTest::keyClicks(form.first, "7");
        QCOMPARE(form.first->text(), QString("7"));

        form.second->setFocus();
        form.second->setText("山田");
        form.second->setCursorPosition(0);
        QTest::keyClicks(form.second, "a");  // half of 山 is overwritten, its other half blanked
        QCOMPARE(form.second->text(), QString("a 田"));
        QCOMPARE(form.second->cursorPosition(), 1);
        commit(form.second, "川");  // over a blank and half of 田, whose other half is blanked
        QCOMPARE(form.second->text(), QString("a川 "));
        QCOMPARE(form.second->cursorPosition(), 2);
        commit(form.second, "野");  // the last byte's place is the end: the second byte is added
        QCOMPARE(form.second->text(), QString("a川野"));
    }

    void textIsSelectedShortlyAfterEnteringTheBox() {
        ScriptedMessageService messages;
        Form form;
        EntrySettings settings = kPlain;
        settings.autoSelect = true;
        NumericEntry::attach(form.second, 90, false, settings, messages);
        QVERIFY(form.open());
        form.second->setText("  123");
        form.second->setFocus(Qt::MouseFocusReason);
        QVERIFY(!form.second->hasSelectedText());
        QTRY_COMPARE(form.second->selectedText(), QString("  123"));
        QCOMPARE(form.second->cursorPosition(), 0);
    }

    void textBoxKeepsToItsByteLimit() {
        ScriptedMessageService messages;
        Form form;
        TextEntry::attach(form.first, 16, kPlain, messages);
        TextEntry::attach(form.second, 5, kPlain, messages);
        QVERIFY(form.open());

        QInputMethodEvent composing("やまだ", {});
        QApplication::sendEvent(form.first, &composing);
        QCOMPARE(form.first->text(), QString());  // the composition is not yet text
        commit(form.first, "山田太郎山田太郎山田");
        QCOMPARE(form.first->text(), QString("山田太郎山田太郎"));
        QTest::keyClicks(form.first, "x");  // full: refused, nothing cut from the end
        QCOMPARE(form.first->text(), QString("山田太郎山田太郎"));

        form.second->setText("山田太郎");  // set or pasted text is cut without halving 太
        QCOMPARE(form.second->text(), QString("山田"));
        form.second->clear();
        QApplication::clipboard()->setText("ab山田");
        form.second->setFocus();
        form.second->paste();
        QCOMPARE(form.second->text(), QString("ab山"));
        QCOMPARE(form.second->cursorPosition(), 3);
        QVERIFY(messages.shown().empty());
    }

    void charactersWithoutAFileFormAreRefused() {
        ScriptedMessageService messages;
        Form form;
        TextEntry::attach(form.first, 20, kPlain, messages);
        QVERIFY(form.open());
        commit(form.first, "吉田");
        commit(form.first, "𠮷");
        QCOMPARE(form.first->text(), QString("吉田"));
        QTRY_VERIFY(messages.lastText().startsWith("使用できない文字が含まれています。"));

        QApplication::clipboard()->setText("𠮷野");
        form.first->paste();
        QCOMPARE(form.first->text(), QString("吉田"));
        commit(form.first, "〜");  // accepted, and shown as the twin ～ that the files store
        QCOMPARE(form.first->text(), QString("吉田～"));
    }

    void valueIsShownInTheBoxFormat() {
        ScriptedMessageService messages;
        QLineEdit hoursBox;
        QLineEdit amountBox;
        NumericEntry* hours = NumericEntry::attach(&hoursBox, 52, true, kPlain, messages);
        NumericEntry* amount = NumericEntry::attach(&amountBox, 90, false, kPlain, messages);
        hours->setValue(1.75);
        amount->setValue(1234);
        QCOMPARE(hoursBox.text(), QString("1:45"));
        QCOMPARE(hours->value(), 1.75);
        QCOMPARE(amountBox.text(), QString("     1234"));
        QCOMPARE(amount->value(), 1234.0);
    }
};

}  // namespace keiro::ui

using keiro::ui::EntryBehaviourTest;
KEIRO_QTEST(EntryBehaviourTest);

#include "entry_behaviour_test.moc"
