// The safety net under window commands: what escapes a command is shown, never ends the program.
#include <QPushButton>
#include <QtTest>
#include <new>
#include <stdexcept>

#include "core/errors.h"
#include "tests/support/qt_test_main.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

using keiro::ui::MessageKind;

namespace {

// A window whose button's handler fails the first time it is clicked.
class FailingWindow : public QWidget {
  public:
    explicit FailingWindow(keiro::ui::MessageService& messages) : button(this) {
        keiro::ui::connectCommand(&button, this, messages, &FailingWindow::buttonClick);
    }
    void buttonClick() {
        if (++clicks == 1) throw std::runtime_error("first click");
    }
    QPushButton button;
    int clicks = 0;
};

}  // namespace

class CommandRunnerTest : public QObject {
    Q_OBJECT

  private slots:
    void aCommandThatEndsShowsNothing() {
        keiro::ui::ScriptedMessageService messages;
        int runs = 0;
        QVERIFY(keiro::ui::runCommand(nullptr, messages, [&] { ++runs; }));
        QCOMPARE(runs, 1);
        QVERIFY(messages.shown().empty());
    }

    void aFileErrorShowsItsOwnText() {
        keiro::ui::ScriptedMessageService messages;
        QVERIFY(!keiro::ui::runCommand(nullptr, messages, [] {
            throw keiro::IoError("/tmp/なし.dat", "読み込み", "壊れています。");
        }));
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown()[0].kind, MessageKind::Error);
        QVERIFY(
            messages.lastText().startsWith(QStringLiteral("ファイルの読み込みに失敗しました。")));
        QVERIFY(messages.lastText().contains(QStringLiteral("壊れています。")));
    }

    void anythingElseIsUnexpectedAndSaysWhat() {
        keiro::ui::ScriptedMessageService messages;
        QVERIFY(!keiro::ui::runCommand(nullptr, messages,
                                       [] { throw std::logic_error("no period is open"); }));
        QVERIFY(!keiro::ui::runCommand(nullptr, messages, [] { throw std::bad_alloc(); }));
        QVERIFY(!keiro::ui::runCommand(nullptr, messages, [] { throw 42; }));
        QCOMPARE(messages.shown().size(), std::size_t{3});
        const QString expected = QString::fromUtf8(keiro::ui::kMsgUnexpectedError);
        for (const auto& shown : messages.shown()) {
            QCOMPARE(shown.kind, MessageKind::Error);
            QVERIFY(shown.text.startsWith(expected));
        }
        QVERIFY(messages.shown()[0].text.endsWith(QStringLiteral("no period is open")));
        QCOMPARE(messages.shown()[2].text, expected);  // nothing more to say
    }

    void aButtonOfAWindowRunsThroughTheRunner() {
        keiro::ui::ScriptedMessageService messages;
        FailingWindow window(messages);
        window.button.click();
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QVERIFY(messages.lastText().endsWith(QStringLiteral("first click")));
        window.button.click();  // the window lives on and its button still works
        QCOMPARE(window.clicks, 2);
        QCOMPARE(messages.shown().size(), std::size_t{1});
    }
};

KEIRO_QTEST(CommandRunnerTest);
#include "command_runner_test.moc"
