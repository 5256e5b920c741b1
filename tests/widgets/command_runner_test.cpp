// The safety net under window commands: what escapes a command is shown, never ends the program.
#include <QtTest>
#include <new>
#include <stdexcept>

#include "core/errors.h"
#include "tests/support/qt_test_main.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

using keiro::ui::MessageKind;

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
};

KEIRO_QTEST(CommandRunnerTest);
#include "command_runner_test.moc"
