// LegacyWithholdingEditor on a 平成27 year: the 500-byte record's own boxes, the spouse list kept
// as four flags, and the automatic calculation and status of that format.
#include <QLabel>

#include "tests/support/qt_test_main.h"
#include "tests/withholding_edit/window/editor_fixture.h"

namespace keiro::withholding {

using testing::box;
using testing::control;
using testing::EditorFixture;

class LegacyWithholdingEditorTest : public QObject {
    Q_OBJECT
  private slots:
    void theOlderRecordsBoxesAndSpouseList() {
        EditorFixture fixture(2015);
        LegacyWithholdingRecord& stored = fixture.file.legacyRecord(2);
        stored.spouseFlags[LegacyWithholdingRecord::kSpouseSecondaryYes] = 1;
        stored.remarks[2].assign("三行目");
        stored.residenceStart = {4, 20, 2, 29};  // 平成20 (2008) has 29 February
        auto editor = fixture.editor(2);
        QCOMPARE(editor->objectName(), QString("TfmDataEdit"));
        // The older record has no place for a leaver's exception.
        QVERIFY(editor->findChild<QComboBox*>("cbTaisyokuJiyu") == nullptr);
        auto* spouse = control<QComboBox>(*editor, "cbKouHaiUmu");
        QCOMPARE(spouse->currentText(), QString("従有"));
        QCOMPARE(box(*editor, "edTekiyou3")->text(), QString("三行目"));
        QVERIFY(editor->findChild<QLineEdit*>("edTekiyou4") == nullptr);
        QVERIFY(editor->findChild<QLineEdit*>("edKyojuY2") == nullptr);
        QVERIFY(editor->findChild<QCheckBox*>("cbKouHaiAri") == nullptr);
        QVERIFY(!control<QPushButton>(*editor, "btFamily")->isVisibleTo(editor.get()));
        QVERIFY(!control<QCheckBox>(*editor, "cbHitorioya")->isVisibleTo(editor.get()));
        QCOMPARE(control<QComboBox>(*editor, "cbKyojuG1")->itemText(5), QString("令和"));
        QCOMPARE(box(*editor, "edKyojuD1")->text(), QString("29"));

        // The address lines hold 32 bytes here (40 in the later records).
        box(*editor, "edJusyo1")->setText(QString(20, QChar(0x3042)));
        QCOMPARE(box(*editor, "edJusyo1")->text().size(), 16);

        spouse->setCurrentIndex(LegacyWithholdingRecord::kSpouseYes);
        control<QCheckBox>(*editor, "cbTaisyoku")->click();
        QCOMPARE(box(*editor, "edSyuTaiY")->text(), QString("27"));
        editor->reject();
        const LegacyWithholdingRecord& r = fixture.file.legacyRecord(2);
        QCOMPARE(int(r.spouseFlags[0]), 1);
        QCOMPARE(int(r.spouseFlags[1]) + int(r.spouseFlags[2]) + int(r.spouseFlags[3]), 0);
        QCOMPARE(int(r.joinLeaveBirth.left), 1);
        QCOMPARE(int(r.joinLeaveBirth.changeYear), 27);
        QCOMPARE(r.remarks[2].utf8(), std::string("三行目"));
    }

    void calculatesTheOlderFormatAndShowsItsStatus() {
        EditorFixture fixture(2015);
        fixture.file.legacyRecord(1).flags.secondaryColumn = 1;
        auto editor = fixture.editor(1);
        QCOMPARE(control<QLabel>(*editor, "lbStatus")->text(), QString("未処理"));
        editor->showSlot(3);
        QCOMPARE(control<QLabel>(*editor, "lbStatus")->text(), QString("未処理"));
        // The spouse special deduction is always worked out in these years.
        QVERIFY(box(*editor, "edHaiTokGak")->isReadOnly());
        control<QPushButton>(*editor, "btAutoCalc")->click();
        QCOMPARE(control<QLabel>(*editor, "lbStatus")->text(), QString("計算済"));
        QCOMPARE(box(*editor, "edChousyu")->text(), QString("60,000"));
        QCOMPARE(fixture.file.legacyRecord(3).paid, 3'000'000);
        QVERIFY(fixture.messages.shown().empty());
    }
};

KEIRO_QTEST(LegacyWithholdingEditorTest);

}  // namespace keiro::withholding

#include "legacy_withholding_editor_test.moc"
