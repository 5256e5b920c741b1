// A command of the employee editor that fails says what happened and leaves the window open,
// with the record as the command left it; the window goes on working afterwards.
#include <QPushButton>
#include <stdexcept>

#include "tests/support/qt_test_main.h"
#include "tests/withholding_edit/window/editor_fixture.h"
#include "widgets/command_runner.h"

namespace keiro::withholding {

using testing::box;
using testing::control;
using testing::EditorFixture;

namespace {

// An editor whose record cannot be stored while `failStore` is set.
class UnstorableEditor : public WithholdingEditor {
  public:
    using WithholdingEditor::WithholdingEditor;
    bool failStore = false;

  protected:
    void storeRecord() override {
        if (failStore) throw std::runtime_error("the record is locked");
        WithholdingEditor::storeRecord();
    }
};

// The one message shown since the last check: an unexpected error naming `detail`.
bool saidUnexpected(ui::ScriptedMessageService& messages, const QString& detail) {
    const bool said = messages.shown().size() == 1 &&
                      messages.shown()[0].kind == ui::MessageKind::Error &&
                      messages.lastText().startsWith(QString::fromUtf8(ui::kMsgUnexpectedError)) &&
                      messages.lastText().endsWith(detail);
    messages.clear();
    return said;
}

}  // namespace

class EditorCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void theDependantsButtonFailingKeepsTheEditorAndWhatWasTyped() {
        EditorFixture fixture(2026);
        EditorContext context = fixture.context();
        context.openFamily = [](int) { throw std::runtime_error("no dependants window"); };
        WithholdingEditor editor(context, nullptr);
        editor.showSlot(1);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));

        box(editor, "edYakusyoku")->setText("課長");
        control<QPushButton>(editor, "btFamily")->click();
        QVERIFY(saidUnexpected(fixture.messages, "no dependants window"));
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.slot(), 1);
        // Stored before the dependants were to open, and still shown.
        QCOMPARE(fixture.file.record(1).position.utf8(), std::string("課長"));
        QCOMPARE(box(editor, "edYakusyoku")->text(), QString("課長"));

        // The window still works: the next employee.
        control<QPushButton>(editor, "sbNextData")->click();
        QCOMPARE(editor.slot(), 2);
        QVERIFY(fixture.messages.shown().empty());
        QCOMPARE(fixture.selected, std::vector<int>{2});
    }

    void movingWhenTheListCannotFollowSaysSoByButtonAndKey() {
        EditorFixture fixture(2026);
        EditorContext context = fixture.context();
        context.slotChanged = [](int) { throw std::logic_error("the list is gone"); };
        WithholdingEditor editor(context, nullptr);
        editor.showSlot(1);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));

        box(editor, "edYakusyoku")->setText("係長");
        control<QPushButton>(editor, "sbNextData")->click();
        QVERIFY(saidUnexpected(fixture.messages, "the list is gone"));
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.slot(), 2);  // the move itself was made, the first employee stored
        QCOMPARE(fixture.file.record(1).position.utf8(), std::string("係長"));

        QTest::keyClick(&editor, Qt::Key_PageDown);  // 前のデータ
        QVERIFY(saidUnexpected(fixture.messages, "the list is gone"));
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.slot(), 1);
        QCOMPARE(box(editor, "edYakusyoku")->text(), QString("係長"));
    }

    void aRecordThatCannotBeStoredKeepsTheEditorOpen() {
        EditorFixture fixture(2026);
        UnstorableEditor editor(fixture.context(), nullptr);
        editor.showSlot(1);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        box(editor, "edYakusyoku")->setText("主任");
        const int statusBefore = fixture.file.record(1).adjustStatus;
        editor.failStore = true;

        // 自動計算 stores first: nothing is calculated, nothing lost.
        control<QPushButton>(editor, "btAutoCalc")->click();
        QVERIFY(saidUnexpected(fixture.messages, "the record is locked"));
        QVERIFY(editor.isVisible());
        QCOMPARE(int(fixture.file.record(1).adjustStatus), statusBefore);

        // 戻る and Escape store on closing: the window stays while that fails.
        control<QPushButton>(editor, "btCancel")->click();
        QVERIFY(saidUnexpected(fixture.messages, "the record is locked"));
        QVERIFY(editor.isVisible());
        QTest::keyClick(&editor, Qt::Key_Escape);
        QVERIFY(saidUnexpected(fixture.messages, "the record is locked"));
        QVERIFY(editor.isVisible());
        QCOMPARE(box(editor, "edYakusyoku")->text(), QString("主任"));

        editor.failStore = false;
        control<QPushButton>(editor, "btCancel")->click();
        QVERIFY(!editor.isVisible());
        QVERIFY(fixture.messages.shown().empty());
        QCOMPARE(fixture.file.record(1).position.utf8(), std::string("主任"));
    }
};

KEIRO_QTEST(EditorCommandsTest);

}  // namespace keiro::withholding

#include "editor_commands_test.moc"
