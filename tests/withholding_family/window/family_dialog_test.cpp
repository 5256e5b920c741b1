// 配偶者／扶養親族: numbers and their masking, storing on close, deleting and moving rows with
// their questions, and furigana taken from the input method's composition.
#include <QAction>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QRegularExpression>
#include <QtTest>
#include <cstring>

#include "tests/support/qt_test_main.h"
#include "tests/withholding_family/window/family_fixture.h"
#include "widgets/message_service.h"
#include "withholding/family_dialog.h"
#include "withholding/furigana_follower.h"

namespace keiro::withholding {

using testing::box;

namespace {

void compose(QLineEdit* edit, const QString& preedit) {
    QInputMethodEvent event(preedit, {});
    QCoreApplication::sendEvent(edit, &event);
}

// Commits `text`; `next` is the composition that the same event starts.
void commit(QLineEdit* edit, const QString& text, const QString& next = QString()) {
    QInputMethodEvent event(next, {});
    event.setCommitString(text);
    QCoreApplication::sendEvent(edit, &event);
}

void trigger(QWidget* dialog, const char* action) {
    auto* found = dialog->findChild<QAction*>(QString::fromLatin1(action));
    QVERIFY2(found != nullptr, action);
    found->trigger();
}

}  // namespace

class FamilyDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void numbersShowTwelveDigitsOrNothingAndHideMasksAllNineteen() {
        WithholdingRecord record = testing::familyRecord();
        ui::ScriptedMessageService messages;
        WithholdingSupplement supplement{};
        FamilyDialog dialog(record, supplement, 2024, QStringLiteral("山田　太郎"), messages);
        QCOMPARE(box(&dialog, "edNumb_Hai")->text(), QString("123456789018"));
        QCOMPARE(box(&dialog, "edNumb_Ko2")->text(), QString());  // 0 is no number
        QCOMPARE(box(&dialog, "edNumb_Ko4")->text(), QString("000000004567"));
        QCOMPARE(box(&dialog, "edBikou1_1")->text(), QString("789012345678"));
        QCOMPARE(box(&dialog, "edName_161")->text(), QString("山田　桜"));
        QVERIFY(dialog.findChild<QCheckBox*>("cbHiKi_Ko4")->isChecked());
        QVERIFY(!dialog.findChild<QCheckBox*>("cbHiKi_Ko3")->isChecked());

        const QRegularExpression numberBoxes(QStringLiteral("^(edNumb_|edBikou[12]_)"));
        const QList<QLineEdit*> numbers = dialog.findChildren<QLineEdit*>(numberBoxes);
        QCOMPARE(numbers.size(), 19);
        dialog.findChild<QCheckBox*>("cbHide")->click();
        for (const QLineEdit* number : numbers) {
            QCOMPARE(number->echoMode(), QLineEdit::Password);
        }
        QCOMPARE(box(&dialog, "edNumb_Hai")->displayText(), QString(12, QLatin1Char('*')));
        QCOMPARE(box(&dialog, "edBikou2_1")->displayText(), QString(12, QLatin1Char('*')));
        QCOMPARE(box(&dialog, "edName_Hai")->echoMode(), QLineEdit::Normal);
        dialog.findChild<QCheckBox*>("cbHide")->click();
        QCOMPARE(box(&dialog, "edNumb_Hai")->displayText(), QString("123456789018"));
    }

    void numberBoxesTakeTwelveDigitsOnly() {
        WithholdingRecord record{};
        ui::ScriptedMessageService messages;
        WithholdingSupplement supplement{};
        FamilyDialog dialog(record, supplement, 2024, QString(), messages);
        QLineEdit* number = box(&dialog, "edNumb_Ko1");
        QTest::keyClicks(number, "12a-3");
        QCOMPARE(number->text(), QString("123"));
        QTest::keyClicks(number, "4567890123456");
        QCOMPARE(number->text(), QString("123456789012"));
        number->clear();
        number->insert(QStringLiteral("１２３４"));  // pasted full-width digits
        QCOMPARE(number->text(), QString("1234"));
    }

    void aNumberWithAWrongCheckDigitIsRefused() {
        WithholdingRecord record = testing::familyRecord();
        const WithholdingRecord before = record;
        ui::ScriptedMessageService messages;
        WithholdingSupplement supplement{};
        FamilyDialog dialog(record, supplement, 2024, QString(), messages);
        dialog.show();
        box(&dialog, "edNumb_Ko2")->setText(QStringLiteral("000000000042"));
        dialog.accept();
        QVERIFY(messages.lastText().contains(QStringLiteral("検査用数字")));
        QVERIFY(dialog.isVisible());
        QVERIFY(std::memcmp(&record, &before, sizeof record) == 0);
    }

    void closingStoresEveryBox() {
        WithholdingRecord record = testing::familyRecord();
        record.under16Entries[3].myNumber = -5;  // damaged
        record.under16Entries[3].name.assign(" 山田 ");
        const WithholdingRecord before = record;
        ui::ScriptedMessageService messages;
        WithholdingSupplement supplement{};
        FamilyDialog dialog(record, supplement, 2024, QString(), messages);
        dialog.show();
        box(&dialog, "edName_Ko2")->setText(QStringLiteral("　鈴木　次郎 "));
        box(&dialog, "edFuri_Ko2")->setText(QStringLiteral("ｽｽﾞｷ ｼﾞﾛｳ"));
        box(&dialog, "edNumb_Ko2")->setText(QStringLiteral("000000000043"));
        box(&dialog, "edNumb_Hai")->clear();
        dialog.findChild<QCheckBox*>("cbHiKi_Ko2")->setChecked(true);
        box(&dialog, "edBikou2_5")->setText(QStringLiteral("901234567890"));
        QCOMPARE(record.dependantEntries[1].name.utf8(), std::string("山田　次郎"));  // not yet

        dialog.reject();  // Escape or the window's close button
        QVERIFY(!dialog.isVisible());
        QCOMPARE(record.dependantEntries[1].name.utf8(), std::string("鈴木　次郎"));
        QCOMPARE(record.dependantEntries[1].furigana.utf8(), std::string("ｽｽﾞｷ ｼﾞﾛｳ"));
        QCOMPARE(std::int64_t{record.dependantEntries[1].myNumber}, std::int64_t{43});
        QCOMPARE(std::uint8_t{record.dependantEntries[1].nonResident}, std::uint8_t{1});
        QCOMPARE(std::int64_t{record.spouse.myNumber}, std::int64_t{0});
        QCOMPARE(record.moreUnder16Numbers[4].utf8(), std::string("901234567890"));
        // What was not touched is stored as it was, byte for byte.
        QVERIFY(std::memcmp(&record.under16Entries, &before.under16Entries,
                            sizeof record.under16Entries) == 0);
        QCOMPARE(std::int64_t{record.dependantEntries[3].myNumber}, std::int64_t{4567});
        QVERIFY(messages.shown().empty());
    }

    void deletingARowAsksThenMovesTheRowsBelowUp() {
        WithholdingRecord record = testing::familyRecord();
        ui::ScriptedMessageService messages;
        WithholdingSupplement supplement{};
        FamilyDialog dialog(record, supplement, 2024, QString(), messages);
        box(&dialog, "edName_Ko3")->setText(QStringLiteral("山田　梅"));  // typed, not stored

        messages.answerNext(ui::Answer::No);
        trigger(&dialog, "mnErase2");
        QCOMPARE(messages.lastText(), QString("控除対象扶養親族②の入力内容を削除しますか？"));
        QCOMPARE(box(&dialog, "edName_Ko2")->text(), QString("山田　次郎"));

        trigger(&dialog, "mnErase2");  // はい
        QCOMPARE(box(&dialog, "edName_Ko2")->text(), QString("山田　梅"));
        QCOMPARE(box(&dialog, "edNumb_Ko2")->text(), QString("345678901234"));
        QCOMPARE(box(&dialog, "edName_Ko3")->text(), QString("山田　三郎"));
        QVERIFY(dialog.findChild<QCheckBox*>("cbHiKi_Ko3")->isChecked());
        QCOMPARE(box(&dialog, "edName_Ko4")->text(), QString());
        QCOMPARE(box(&dialog, "edFuri_Ko4")->text(), QString());
        QCOMPARE(box(&dialog, "edNumb_Ko4")->text(), QString());
        QVERIFY(!dialog.findChild<QCheckBox*>("cbHiKi_Ko4")->isChecked());

        trigger(&dialog, "mnErase0");
        QCOMPARE(messages.lastText(), QString("控除対象配偶者の入力内容を削除しますか？"));
        QCOMPARE(box(&dialog, "edName_Hai")->text(), QString());
        QCOMPARE(box(&dialog, "edName_Ko1")->text(), QString("山田　一郎"));

        trigger(&dialog, "mnErase5");
        QCOMPARE(messages.lastText(), QString("16歳未満の扶養親族①の入力内容を削除しますか？"));
        QCOMPARE(box(&dialog, "edName_161")->text(), QString("山田　葵"));
        QCOMPARE(box(&dialog, "edFuri_161")->text(), QString("ﾔﾏﾀﾞ ｱｵｲ"));
        QCOMPARE(box(&dialog, "edName_162")->text(), QString());
    }

    void movingAnUnder16DependantNeedsAFreeRow() {
        WithholdingRecord record = testing::familyRecord();
        ui::ScriptedMessageService messages;
        WithholdingSupplement supplement{};
        FamilyDialog dialog(record, supplement, 2024, QString(), messages);

        trigger(&dialog, "mnMove2");
        QCOMPARE(messages.shown().size(), std::size_t{1});  // no question, only the refusal
        QCOMPARE(messages.lastText(), QString("控除対象扶養親族に空きが有りません。"));
        QCOMPARE(box(&dialog, "edName_162")->text(), QString("山田　葵"));

        // A row emptied in the dialog, not yet stored, is free.
        box(&dialog, "edName_Ko3")->clear();
        box(&dialog, "edNumb_162")->setText(QStringLiteral("111122223333"));
        messages.clear();
        messages.answerNext(ui::Answer::No);
        trigger(&dialog, "mnMove2");
        QCOMPARE(messages.lastText(),
                 QString("16歳未満の扶養親族②の入力内容を控除対象扶養親族へ移動しますか？"));
        QCOMPARE(box(&dialog, "edName_162")->text(), QString("山田　葵"));

        trigger(&dialog, "mnMove2");
        QCOMPARE(box(&dialog, "edName_Ko3")->text(), QString("山田　葵"));
        QCOMPARE(box(&dialog, "edFuri_Ko3")->text(), QString("ﾔﾏﾀﾞ ｱｵｲ"));
        QCOMPARE(box(&dialog, "edNumb_Ko3")->text(), QString("111122223333"));
        QCOMPARE(box(&dialog, "edName_162")->text(), QString());
        QCOMPARE(box(&dialog, "edName_161")->text(), QString("山田　桜"));
        dialog.accept();
        QCOMPARE(std::int64_t{record.dependantEntries[2].myNumber}, std::int64_t{111122223333});
        QVERIFY(record.under16Entries[1].name.empty());
    }

    void furiganaIsTheReadingThatWasComposed() {
        WithholdingRecord record{};
        ui::ScriptedMessageService messages;
        WithholdingSupplement supplement{};
        FamilyDialog dialog(record, supplement, 2024, QString(), messages);
        QLineEdit* name = box(&dialog, "edName_Ko1");
        QLineEdit* furigana = box(&dialog, "edFuri_Ko1");

        for (const char* preedit : {"y", "や", "やm", "やま", "やまだ", "山田"}) {
            compose(name, QString::fromUtf8(preedit));
        }
        commit(name, QStringLiteral("山田"));
        QCOMPARE(name->text(), QString("山田"));
        QCOMPARE(furigana->text(), QString());  // 100 ms later
        QTRY_COMPARE(furigana->text(), QString("ﾔﾏﾀﾞ"));

        commit(name, QStringLiteral("　"));  // the input method's blank
        QCOMPARE(furigana->text(), QString("ﾔﾏﾀﾞ "));
        compose(name, QStringLiteral("たろう"));
        compose(name, QStringLiteral("太郎"));
        commit(name, QStringLiteral("太郎"), QStringLiteral("さ"));  // and on to the next
        QTRY_COMPARE(furigana->text(), QString("ﾔﾏﾀﾞ ﾀﾛｳ"));
        compose(name, QStringLiteral("さん"));
        commit(name, QStringLiteral("三"));
        QTRY_COMPARE(furigana->text(), QString("ﾔﾏﾀﾞ ﾀﾛｳｻﾝ"));
        QCOMPARE(name->text(), QString("山田　太郎三"));

        // Typing without the input method, and deleting, read nothing.
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::keyClicks(name, "x");
        QTest::qWait(2 * FuriganaFollower::kDelayMs);
        QCOMPARE(furigana->text(), QString("ﾔﾏﾀﾞ ﾀﾛｳｻﾝ"));
        QTest::keyClick(name, Qt::Key_Space);
        QCOMPARE(furigana->text(), QString("ﾔﾏﾀﾞ ﾀﾛｳｻﾝ "));

        QTest::keyClick(name, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(name->text(), QString());
        QCOMPARE(furigana->text(), QString());

        // Kana committed as they are; the furigana never outgrows its 20 bytes.
        furigana->setText(QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ"));
        commit(name, QStringLiteral("ぱぴぷ"));
        QTRY_COMPARE(furigana->text(), QString("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾊﾟﾋﾟ"));
        // A composition refused by a full name box reads nothing, not even at the next key.
        furigana->clear();
        name->setText(QStringLiteral("寿限無寿限無五劫"));
        compose(name, QStringLiteral("きれ"));
        commit(name, QStringLiteral("切れ"));
        QCOMPARE(name->text(), QString("寿限無寿限無五劫"));
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::qWait(2 * FuriganaFollower::kDelayMs);
        QCOMPARE(furigana->text(), QString());

        // Names the dialog loads (here the rows moving up) leave the furigana as stored.
        box(&dialog, "edName_Ko2")->setText(QStringLiteral("花子"));
        box(&dialog, "edFuri_Ko2")->setText(QStringLiteral("ﾊﾅｺ"));
        trigger(&dialog, "mnErase1");
        QTest::qWait(2 * FuriganaFollower::kDelayMs);
        QCOMPARE(name->text(), QString("花子"));
        QCOMPARE(furigana->text(), QString("ﾊﾅｺ"));
        QCOMPARE(box(&dialog, "edFuri_Ko2")->text(), QString());
    }
};

KEIRO_QTEST(FamilyDialogTest);

}  // namespace keiro::withholding

#include "family_dialog_test.moc"
