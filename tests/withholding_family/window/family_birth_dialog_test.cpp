// 配偶者／扶養親族 beyond names and numbers: birth dates with the age class beside them,
// relationships, the reason a non-resident counts, the fifth and later dependants and the
// 特定親族 page, all stored on close and carried when rows move.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QtTest>
#include <cstring>

#include "tests/support/qt_test_main.h"
#include "tests/withholding_family/window/family_fixture.h"
#include "widgets/message_service.h"
#include "withholding/family_dialog.h"

namespace keiro::withholding {

using testing::box;

namespace {

// Types `text` into the box and leaves it.
void enter(QWidget* dialog, const char* name, const QString& text) {
    QLineEdit* edit = box(dialog, QString::fromLatin1(name));
    edit->setText(text);
    emit edit->editingFinished();
}

template <typename T>
T* control(QWidget* dialog, const char* name) {
    auto* found = dialog->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) qFatal("no control %s", name);
    return found;
}

QString label(QWidget* dialog, const char* name) {
    return control<QLabel>(dialog, name)->text();
}

QString combo(QWidget* dialog, const char* name) {
    return control<QComboBox>(dialog, name)->currentText();
}

bool sameBytes(const CalendarDateBytes& a, const CalendarDateBytes& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

class FamilyBirthDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void birthDateRelationshipAndReasonAreStoredAndShownAgain() {
        WithholdingRecord record{};
        WithholdingSupplement supplement{};
        ui::ScriptedMessageService messages;
        {
            FamilyDialog dialog(record, supplement, 2025, QString(), messages);
            QCOMPARE(control<QComboBox>(&dialog, "cbZokugara_Hai")->count(), 3);  // –, 夫, 妻
            QVERIFY(dialog.findChild<QComboBox*>("cbHiKiRiyu_Hai") == nullptr);
            box(&dialog, "edName_Ko1")->setText(QStringLiteral("山田　一郎"));
            enter(&dialog, "edBirth_Ko1", QStringLiteral("H20.4.2"));
            QCOMPARE(box(&dialog, "edBirth_Ko1")->text(), QString("2008-04-02"));
            QCOMPARE(label(&dialog, "lbKubun_Ko1"), QString("17歳 一般（16〜18歳）"));
            control<QComboBox>(&dialog, "cbZokugara_Ko1")->setCurrentText(QStringLiteral("子"));

            auto* reason = control<QComboBox>(&dialog, "cbHiKiRiyu_Ko1");
            QVERIFY(!reason->isEnabled());
            control<QCheckBox>(&dialog, "cbHiKi_Ko1")->setChecked(true);
            QVERIFY(reason->isEnabled());
            reason->setCurrentText(QStringLiteral("留学"));
            enter(&dialog, "edBirth_Hai", QStringLiteral("1955-06-01"));
            QCOMPARE(label(&dialog, "lbKubun_Hai"), QString("70歳 老人"));
            control<QComboBox>(&dialog, "cbZokugara_Hai")->setCurrentText(QStringLiteral("妻"));
            dialog.accept();
        }
        QVERIFY(messages.shown().empty());
        const FamilyEntry& child = record.dependantEntries[0];
        QVERIFY(sameBytes(child.birth, {108, 4, 2}));
        QCOMPARE(std::uint8_t{child.relationship}, std::uint8_t{kRelationChild});
        QCOMPARE(std::uint8_t{child.nonResident}, std::uint8_t{1});
        QCOMPARE(std::uint8_t{child.nonResidentReason}, std::uint8_t{kNonResidentStudent});
        QVERIFY(sameBytes(record.spouse.birth, {55, 6, 1}));
        QCOMPARE(std::uint8_t{record.spouse.relationship}, std::uint8_t{kRelationWife});

        FamilyDialog again(record, supplement, 2025, QString(), messages);
        QCOMPARE(box(&again, "edBirth_Ko1")->text(), QString("2008-04-02"));
        QCOMPARE(label(&again, "lbKubun_Ko1"), QString("17歳 一般（16〜18歳）"));
        QCOMPARE(combo(&again, "cbZokugara_Ko1"), QString("子"));
        QCOMPARE(combo(&again, "cbHiKiRiyu_Ko1"), QString("留学"));
        QVERIFY(control<QComboBox>(&again, "cbHiKiRiyu_Ko1")->isEnabled());
        QVERIFY(!control<QComboBox>(&again, "cbHiKiRiyu_Ko2")->isEnabled());
        // A resident has no reason: unchecking clears it.
        control<QCheckBox>(&again, "cbHiKi_Ko1")->setChecked(false);
        again.accept();
        QCOMPARE(std::uint8_t{record.dependantEntries[0].nonResidentReason},
                 std::uint8_t{kNonResidentNotStated});
    }

    void anImpossibleDateIsRefusedAndKeepsTheDialogOpen() {
        WithholdingRecord record{};
        WithholdingSupplement supplement{};
        ui::ScriptedMessageService messages;
        FamilyDialog dialog(record, supplement, 2025, QString(), messages);
        dialog.show();
        enter(&dialog, "edBirth_161", QStringLiteral("H31.2.29"));
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown().back().kind, ui::MessageKind::Error);
        QCOMPARE(messages.lastText(), QString("2019年2月は28日までです。（閏年ではありません）"));
        QCOMPARE(box(&dialog, "edBirth_161")->text(), QString("H31.2.29"));  // left to mend

        control<QTabWidget>(&dialog, "pcFamily")->setCurrentIndex(1);
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(control<QTabWidget>(&dialog, "pcFamily")->currentIndex(), 0);
        QCOMPARE(messages.shown().size(), std::size_t{2});
        QVERIFY(sameBytes(record.under16Entries[0].birth, {0, 0, 0}));

        enter(&dialog, "edBirth_161", QStringLiteral("2001-02-30"));
        QCOMPARE(messages.lastText(), QString("2001年2月は28日までです。"));
        enter(&dialog, "edBirth_161", QStringLiteral("R1.5.1"));
        QCOMPARE(label(&dialog, "lbKubun_161"), QString("6歳 年少"));
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QVERIFY(sameBytes(record.under16Entries[0].birth, {119, 5, 1}));
    }

    void aDamagedDateLeftAloneIsKeptAndOneTypedIsChecked() {
        WithholdingRecord record{};
        record.dependantEntries[0].birth = {85, 2, 30};
        record.dependantEntries[1].birth = {85, 2, 30};
        WithholdingSupplement supplement{};
        ui::ScriptedMessageService messages;
        FamilyDialog dialog(record, supplement, 2025, QString(), messages);
        QCOMPARE(box(&dialog, "edBirth_Ko1")->text(), QString("1985-02-30"));
        QCOMPARE(label(&dialog, "lbKubun_Ko1"), QString());
        enter(&dialog, "edBirth_Ko2", QStringLiteral("1985-02-30 "));
        QCOMPARE(messages.lastText(), QString("1985年2月は28日までです。"));
        box(&dialog, "edBirth_Ko2")->clear();
        dialog.accept();
        QVERIFY(sameBytes(record.dependantEntries[0].birth, {85, 2, 30}));
        QVERIFY(sameBytes(record.dependantEntries[1].birth, {0, 0, 0}));
    }

    void rowsMovedOrDeletedKeepTheirBirthDatesAndRelationships() {
        WithholdingRecord record = testing::familyRecord();
        WithholdingSupplement supplement{};
        ui::ScriptedMessageService messages;
        FamilyDialog dialog(record, supplement, 2025, QString(), messages);
        QCOMPARE(box(&dialog, "edBirth_Ko3")->text(), QString("1950-01-01"));
        QCOMPARE(label(&dialog, "lbKubun_Ko3"), QString("76歳 老人"));  // born on 1 January

        control<QAction>(&dialog, "mnErase2")->trigger();  // はい
        QCOMPARE(box(&dialog, "edName_Ko2")->text(), QString("山田　ウメ"));
        QCOMPARE(box(&dialog, "edBirth_Ko2")->text(), QString("1950-01-01"));
        QCOMPARE(combo(&dialog, "cbZokugara_Ko2"), QString("父母"));
        QCOMPARE(label(&dialog, "lbKubun_Ko2"), QString("76歳 老人"));
        QCOMPARE(combo(&dialog, "cbHiKiRiyu_Ko3"), QString("留学"));
        QCOMPARE(box(&dialog, "edBirth_Ko4")->text(), QString());
        QCOMPARE(combo(&dialog, "cbZokugara_Ko4"), QString());
        QCOMPARE(label(&dialog, "lbKubun_Ko4"), QString());

        control<QAction>(&dialog, "mnMove1")->trigger();  // はい
        QCOMPARE(box(&dialog, "edName_Ko4")->text(), QString("山田　桜"));
        QCOMPARE(box(&dialog, "edBirth_Ko4")->text(), QString("2015-10-20"));
        QCOMPARE(combo(&dialog, "cbZokugara_Ko4"), QString("子"));
        QCOMPARE(label(&dialog, "lbKubun_Ko4"), QString("10歳 年少"));
        QCOMPARE(box(&dialog, "edBirth_161")->text(), QString());
        dialog.accept();
        QVERIFY(sameBytes(record.dependantEntries[3].birth, {115, 10, 20}));
        QCOMPARE(std::uint8_t{record.dependantEntries[3].relationship},
                 std::uint8_t{kRelationChild});
        QCOMPARE(std::uint8_t{record.dependantEntries[2].nonResidentReason},
                 std::uint8_t{kNonResidentStudent});
        QVERIFY(sameBytes(record.under16Entries[0].birth, {0, 0, 0}));
    }

    void fifthDependantsAndSpecificRelativesAreStoredAndMasked() {
        WithholdingRecord record = testing::familyRecord();
        WithholdingSupplement supplement = testing::familySupplement();
        ui::ScriptedMessageService messages;
        FamilyDialog dialog(record, supplement, 2025, QString(), messages);
        QCOMPARE(box(&dialog, "edBikouName1_1")->text(), QString("山田　四郎"));
        QCOMPARE(box(&dialog, "edBikouBirth1_1")->text(), QString("1990-02-03"));
        QCOMPARE(combo(&dialog, "cbBikouZokugara1_1"), QString("兄弟姉妹"));
        QCOMPARE(box(&dialog, "edBikou1_1")->text(), QString("789012345678"));
        QCOMPARE(box(&dialog, "edTokuName_1")->text(), QString("山田　五郎"));
        QCOMPARE(box(&dialog, "edTokuNumb_1")->text(), QString("987654321098"));
        QCOMPARE(box(&dialog, "edTokuSyotoku_1")->text(), QString("900,000"));
        QCOMPARE(label(&dialog, "lbTokuNenrei_1"), QString("20歳 特定"));

        const QRegularExpression numberBoxes(QStringLiteral("^(edNumb_|edBikou[12]_|edTokuNumb_)"));
        const QList<QLineEdit*> numbers = dialog.findChildren<QLineEdit*>(numberBoxes);
        QCOMPARE(numbers.size(), 23);
        control<QCheckBox>(&dialog, "cbHide")->click();
        for (const QLineEdit* number : numbers) QCOMPARE(number->echoMode(), QLineEdit::Password);

        box(&dialog, "edBikouName2_3")->setText(QStringLiteral("山田　七子"));
        enter(&dialog, "edBikouBirth2_3", QStringLiteral("R2.3.3"));
        control<QComboBox>(&dialog, "cbBikouZokugara2_3")->setCurrentText(QStringLiteral("孫"));
        box(&dialog, "edBikou2_3")->setText(QStringLiteral("112233445566"));
        box(&dialog, "edTokuName_2")->setText(QStringLiteral("山田　六郎"));
        enter(&dialog, "edTokuBirth_2", QStringLiteral("2010-01-01"));  // 16: not 19 to 22
        QCOMPARE(messages.shown().back().kind, ui::MessageKind::Warning);
        QCOMPARE(messages.lastText(),
                 QString("特定親族は12月31日現在で19歳以上23歳未満の方です。"));
        enter(&dialog, "edTokuBirth_2", QStringLiteral("H17.1.1"));  // 2005: 21
        QCOMPARE(messages.shown().size(), std::size_t{1});
        box(&dialog, "edTokuNumb_2")->setText(QStringLiteral("000000000078"));
        box(&dialog, "edTokuSyotoku_2")->setText(QStringLiteral("1000000"));
        dialog.accept();

        const MoreDependant& seventh = supplement.moreUnder16[2];
        QCOMPARE(seventh.name.utf8(), std::string("山田　七子"));
        QVERIFY(sameBytes(seventh.birth, {120, 3, 3}));
        QCOMPARE(std::uint8_t{seventh.relationship}, std::uint8_t{kRelationGrandchild});
        QCOMPARE(record.moreUnder16Numbers[2].utf8(), std::string("112233445566"));
        const SpecificRelative& second = supplement.specificRelatives[1];
        QCOMPARE(second.name.utf8(), std::string("山田　六郎"));
        QVERIFY(sameBytes(second.birth, {105, 1, 1}));
        QCOMPARE(std::int64_t{second.myNumber}, std::int64_t{78});
        QCOMPARE(std::int32_t{record.specificRelativeIncome[1]}, std::int32_t{1000000});
        QCOMPARE(std::int32_t{record.specificRelativeIncome[0]}, std::int32_t{900000});
        QCOMPARE(std::int64_t{supplement.specificRelatives[0].myNumber},
                 std::int64_t{987654321098});
    }

    void specificRelativesAreOfferedFrom2025Only() {
        WithholdingRecord record = testing::familyRecord();
        WithholdingSupplement supplement = testing::familySupplement();
        const WithholdingSupplement before = supplement;
        ui::ScriptedMessageService messages;
        FamilyDialog dialog(record, supplement, 2024, QString(), messages);
        QVERIFY(dialog.findChild<QLineEdit*>("edTokuName_1") == nullptr);
        QCOMPARE(control<QTabWidget>(&dialog, "pcFamily")->count(), 2);
        dialog.accept();
        QVERIFY(std::memcmp(&supplement.specificRelatives, &before.specificRelatives,
                            sizeof before.specificRelatives) == 0);
        QCOMPARE(std::int32_t{record.specificRelativeIncome[0]}, std::int32_t{900000});
    }
};

KEIRO_QTEST(FamilyBirthDialogTest);

}  // namespace keiro::withholding

#include "family_birth_dialog_test.moc"
