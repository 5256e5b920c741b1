// The scripted message service stands in for every message box in window tests, so it must
// record what was shown and answer in order.
#include "widgets/message_service.h"
#include "tests/support/qt_test_main.h"

namespace keiro::ui {

class MessageServiceTest : public QObject {
    Q_OBJECT
  private slots:
    void scriptedAnswersInOrderAndRecordsEveryMessage() {
        ScriptedMessageService messages;
        messages.answerNext(Answer::No);
        messages.answerNext(Answer::Cancel);
        QVERIFY(!messages.confirm(nullptr, "保存しますか？"));
        QCOMPARE(messages.askYesNoCancel(nullptr, "データが変更されています。保存しますか？"),
                 Answer::Cancel);
        QVERIFY(messages.confirm(nullptr, "終了しますか？"));  // nothing queued: はい
        messages.error(nullptr, "パスワードが違います");
        QCOMPARE(messages.shown().size(), std::size_t{4});
        QCOMPARE(messages.shown().back().kind, MessageKind::Error);
        QCOMPARE(messages.lastText(), QString("パスワードが違います"));
    }
};

}  // namespace keiro::ui

using keiro::ui::MessageServiceTest;
KEIRO_QTEST(MessageServiceTest);

#include "message_service_test.moc"
