// WithholdingEditor: date checks, the automatic items with 修正ON/OFF through the automatic
// calculation, moving between slots, joining/leaving, the counts and the later law's inputs.
#include <QLabel>

#include "core/fileio.h"
#include "core/text.h"
#include "withholding/postal/postal_file.h"

#include "tests/support/qt_test_main.h"
#include "tests/withholding_edit/window/editor_fixture.h"
#include "withholding/edit/edit_rules.h"

namespace keiro::withholding {

using testing::box;
using testing::control;
using testing::EditorFixture;

class WithholdingEditorTest : public QObject {
    Q_OBJECT

    static void leaveDate(RecordEditorBase& editor, const char* part, const QString& text) {
        box(editor, part)->setText(text);
        editor.checkLeftDatePart(box(editor, part));
    }

  private slots:
    void datePartsOutsideTheirEraOrMonthAreEmptied() {
        EditorFixture fixture(2026);
        auto editor = fixture.editor(1);
        auto* era = control<QComboBox>(*editor, "cbGengou");

        era->setCurrentIndex(kEraShowa);
        leaveDate(*editor, "edSeinenY", "65");
        QVERIFY(box(*editor, "edSeinenY")->text().isEmpty());
        leaveDate(*editor, "edSeinenY", "63");
        leaveDate(*editor, "edSeinenM", "2");
        leaveDate(*editor, "edSeinenD", "29");
        QCOMPARE(box(*editor, "edSeinenD")->text(), QString("29"));  // 1988 is a leap year

        era->setCurrentIndex(kEraHeisei);
        leaveDate(*editor, "edSeinenY", "31");
        leaveDate(*editor, "edSeinenD", "29");
        QVERIFY(box(*editor, "edSeinenD")->text().isEmpty());  // 2019 is not

        // No era: the year cannot stand.
        era->setCurrentIndex(0);
        leaveDate(*editor, "edSeinenY", "10");
        QVERIFY(box(*editor, "edSeinenY")->text().isEmpty());

        // The residence start of the new era: 令和2 (2020) has 29 February.
        auto* residenceEra = control<QComboBox>(*editor, "cbKyojuG1");
        QCOMPARE(residenceEra->count(), 6);
        residenceEra->setCurrentIndex(kEraNew);
        leaveDate(*editor, "edKyojuY1", "2");
        leaveDate(*editor, "edKyojuM1", "2");
        leaveDate(*editor, "edKyojuD1", "29");
        QCOMPARE(box(*editor, "edKyojuD1")->text(), QString("29"));

        editor->reject();  // stored on closing
        const WithholdingRecord& r = fixture.file.record(1);
        QCOMPARE(int(r.joinLeaveBirth.birth.year), 0);
        QCOMPARE(int(r.residenceStart[0].era), kEraNew);
        QCOMPARE(int(r.residenceStart[0].day), 29);
    }

    void aManualItemIsKeptThroughTheAutomaticCalculation() {
        EditorFixture fixture(2026);
        auto editor = fixture.editor(1);
        editor->show();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        QLineEdit* tax = box(*editor, "edGensenGak");
        QVERIFY(tax->isReadOnly());
        auto* manual = control<QPushButton>(*editor, "sbManual");
        auto* calculator = control<QPushButton>(*editor, "sbCalculator");

        box(*editor, "edSeihoGaku")->setFocus();
        QTRY_VERIFY(!manual->isEnabled());
        QVERIFY(calculator->isEnabled());
        tax->setFocus();
        QTRY_VERIFY(manual->isEnabled());
        QVERIFY(!calculator->isEnabled());  // read-only while automatic
        QTest::keyClicks(tax, "9");
        QTest::keyClick(tax, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(tax->text(), QString("0"));
        manual->click();
        QVERIFY(!tax->isReadOnly());
        QCOMPARE(tax->palette().color(QPalette::Text), QColor(Qt::red));
        QVERIFY(calculator->isEnabled());
        tax->setText("12,345");

        control<QPushButton>(*editor, "btAutoCalc")->click();
        QVERIFY(fixture.messages.shown().empty());  // no warning: the figures are for checking
        QCOMPARE(tax->text(), QString("12,345"));
        QCOMPARE(box(*editor, "edSiharai")->text(), QString("3,000,000"));
        QCOMPARE(control<QLabel>(*editor, "lbStatus")->text(), QString("計算済"));
        const WithholdingRecord& r = fixture.file.record(1);
        QCOMPARE(r.annualTax, 12'345);
        QVERIFY(r.isManual(kManualAnnualTax));
        QVERIFY(r.incomeAfterDeduction > 0);

        // Switching back makes the item automatic again.
        tax->setFocus();
        manual->click();
        QVERIFY(tax->isReadOnly());
        control<QPushButton>(*editor, "btAutoCalc")->click();
        QVERIFY(fixture.messages.shown().empty());
        QVERIFY(fixture.file.record(1).annualTax != 12'345);
    }

    void aCalculationOutsideTheAmountsRangeIsReportedAndChangesNothing() {
        EditorFixture fixture(2026);
        WithholdingRecord& r = fixture.file.record(1);
        r.manualFlags[kManualSocialInsurance - 1] = 1;
        r.socialInsurance = 2'000'000'000;
        r.smallBusinessMutualAid = 2'000'000'000;
        r.annualTax = 4'321;
        auto editor = fixture.editor(1);
        control<QPushButton>(*editor, "btAutoCalc")->click();
        QCOMPARE(fixture.messages.shown().back().kind, ui::MessageKind::Error);
        QCOMPARE(fixture.file.record(1).annualTax, 4'321);
        QCOMPARE(fixture.file.record(1).paid, 0);
        QCOMPARE(control<QLabel>(*editor, "lbStatus")->text(), QString("未処理"));
    }

    void typedInSpouseSpecialYearsShowAnOrdinaryBox() {
        EditorFixture fixture(2019);
        auto editor = fixture.editor(1);
        QVERIFY(!box(*editor, "edHaiTokGak")->isReadOnly());
        EditorFixture older(2017);
        auto computed = older.editor(1);
        QVERIFY(box(*computed, "edHaiTokGak")->isReadOnly());
    }

    void nextAndPreviousFollowTheOccupiedSlots() {
        EditorFixture fixture(2026);
        auto editor = fixture.editor(1);
        auto* back = control<QPushButton>(*editor, "sbBackData");
        auto* next = control<QPushButton>(*editor, "sbNextData");
        QVERIFY(!back->isEnabled());
        QVERIFY(next->isEnabled());
        QCOMPARE(control<QLabel>(*editor, "pnSimei")->text(), QString("社員 1"));

        box(*editor, "edJusyo1")->setText("東京都千代田区");
        next->click();
        QCOMPARE(editor->slot(), 2);
        QCOMPARE(fixture.selected, std::vector<int>{2});
        QCOMPARE(fixture.file.record(1).address1.utf8(), std::string("東京都千代田区"));
        QVERIFY(box(*editor, "edJusyo1")->text().isEmpty());

        QTest::keyClick(editor.get(), Qt::Key_PageUp);  // forward
        QCOMPARE(editor->slot(), 3);
        QVERIFY(!next->isEnabled());  // slot 4 is empty
        QTest::keyClick(editor.get(), Qt::Key_PageUp);
        QCOMPARE(editor->slot(), 3);
        QTest::keyClick(editor.get(), Qt::Key_PageDown);  // back
        QCOMPARE(editor->slot(), 2);

        editor->showSlot(100);
        QVERIFY(!next->isEnabled());
        QVERIFY(back->isEnabled());
        QCOMPARE(control<QLabel>(*editor, "pnBusyo")->text(), QString("総務部"));
    }

    void joiningAndLeavingExcludeEachOther() {
        EditorFixture fixture(2026);
        auto editor = fixture.editor(1);
        auto* joined = control<QCheckBox>(*editor, "cbSyusyoku");
        auto* left = control<QCheckBox>(*editor, "cbTaisyoku");
        QVERIFY(!box(*editor, "edSyuTaiY")->isEnabled());
        left->click();
        QVERIFY(box(*editor, "edSyuTaiY")->isEnabled());
        QCOMPARE(box(*editor, "edSyuTaiY")->text(), QString(" 8"));
        leaveDate(*editor, "edSyuTaiM", "2");
        leaveDate(*editor, "edSyuTaiD", "29");  // 2026 has no 29 February
        QVERIFY(box(*editor, "edSyuTaiD")->text().isEmpty());
        joined->click();
        QVERIFY(!left->isChecked());
        joined->click();
        QVERIFY(!box(*editor, "edSyuTaiY")->isEnabled());
        QVERIFY(box(*editor, "edSyuTaiY")->text().isEmpty());

        // The disabled person's conditions and the widow's exclude each other too.
        control<QCheckBox>(*editor, "cbTaisyou3")->click();
        control<QCheckBox>(*editor, "cbTaisyou4")->click();
        QVERIFY(!control<QCheckBox>(*editor, "cbTaisyou3")->isChecked());
        control<QCheckBox>(*editor, "cbTaisyou5")->click();
        control<QCheckBox>(*editor, "cbHitorioya")->click();
        QVERIFY(!control<QCheckBox>(*editor, "cbTaisyou5")->isChecked());
        editor->reject();
        const WithholdingRecord& r = fixture.file.record(1);
        QCOMPARE(int(r.singleParent), 1);
        QCOMPARE(int(r.flags.widow), 0);
        QCOMPARE(int(r.joinLeaveBirth.joined) + int(r.joinLeaveBirth.left), 0);
    }

    void theLeaversExceptionIsChosenOnlyWhileLeftAndStoredWithIt() {
        EditorFixture fixture(2026);
        fixture.file.record(2).joinLeaveBirth.left = 1;
        fixture.file.record(2).leaveException = kLeaveAfterDecemberPay;
        auto editor = fixture.editor(1);
        auto* left = control<QCheckBox>(*editor, "cbTaisyoku");
        auto* reason = control<QComboBox>(*editor, "cbTaisyokuJiyu");
        QCOMPARE(reason->count(), 5);
        QCOMPARE(reason->itemText(0), QString("なし"));
        QVERIFY(!reason->isEnabled());

        left->click();
        QVERIFY(reason->isEnabled());
        reason->setCurrentIndex(kLeaveByDisability);
        control<QPushButton>(*editor, "sbNextData")->click();
        QCOMPARE(int(fixture.file.record(1).leaveException), int(kLeaveByDisability));
        QCOMPARE(reason->currentIndex(), int(kLeaveAfterDecemberPay));  // slot 2's own
        QVERIFY(reason->isEnabled());

        // Clearing 退職, or checking 就職 instead, clears the reason with it.
        left->click();
        QCOMPARE(reason->currentIndex(), int(kLeaveNoException));
        QVERIFY(!reason->isEnabled());
        left->click();
        reason->setCurrentIndex(kLeavePartTimer);
        control<QCheckBox>(*editor, "cbSyusyoku")->click();
        QCOMPARE(reason->currentIndex(), int(kLeaveNoException));
        editor->reject();
        QCOMPARE(int(fixture.file.record(2).leaveException), int(kLeaveNoException));
        QCOMPARE(int(fixture.file.record(2).joinLeaveBirth.joined), 1);

        // Leaving by death marks 死亡退職 for the slip.
        auto again = fixture.editor(3);
        control<QCheckBox>(*again, "cbTaisyoku")->click();
        auto* reason3 = control<QComboBox>(*again, "cbTaisyokuJiyu");
        reason3->setCurrentIndex(kLeaveByDeath);
        emit reason3->activated(kLeaveByDeath);
        QVERIFY(control<QCheckBox>(*again, "cbTaisyou9")->isChecked());
        again->reject();
        QCOMPARE(int(fixture.file.record(3).leaveException), int(kLeaveByDeath));
        QCOMPARE(int(fixture.file.record(3).flags.retiredByDeath), 1);
    }

    void aPartTimerLeaverIsWarnedWhenTheYearsPayIsAboveTheLimit() {
        EditorFixture fixture(2026);  // every employee was paid 3,000,000
        auto editor = fixture.editor(1);
        control<QCheckBox>(*editor, "cbTaisyoku")->click();
        auto* reason = control<QComboBox>(*editor, "cbTaisyokuJiyu");
        const auto choose = [reason](int index) {
            reason->setCurrentIndex(index);
            emit reason->activated(index);
        };
        choose(kLeaveAfterDecemberPay);
        QVERIFY(fixture.messages.shown().empty());
        choose(kLeavePartTimer);
        QCOMPARE(fixture.messages.shown().size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown()[0].kind, ui::MessageKind::Warning);
        QVERIFY(fixture.messages.lastText().contains("1,230,000円以下"));
        QVERIFY(fixture.messages.lastText().contains("3,000,000円です。"));
        // 自動計算 says it again while the choice stands.
        control<QPushButton>(*editor, "btAutoCalc")->click();
        QCOMPARE(fixture.messages.shown().size(), std::size_t{2});

        // A year's pay typed in within the limit: no warning.
        fixture.messages.clear();
        WithholdingRecord& within = fixture.file.record(2);
        within.manualFlags[kManualPaid - 1] = 1;
        within.paid = 1'230'000;
        within.joinLeaveBirth.left = 1;
        within.leaveException = kLeavePartTimer;
        editor->showSlot(2);
        choose(kLeavePartTimer);
        control<QPushButton>(*editor, "btAutoCalc")->click();
        QVERIFY(fixture.messages.shown().empty());
        QCOMPARE(int(fixture.file.record(2).adjustStatus), int(kCalculated));
    }

    void cohabitingCountsFeedTheirTotals() {
        EditorFixture fixture(2026);
        auto editor = fixture.editor(1);
        QTest::keyClicks(box(*editor, "edFuyoKazu3"), "2");
        QCOMPARE(box(*editor, "edFuyoKazu4")->text(), QString("2"));
        QTest::keyClicks(box(*editor, "edFuyoKazu4"), "x");  // digits only
        QCOMPARE(box(*editor, "edFuyoKazu4")->text(), QString("2"));
        box(*editor, "edSyouKazu1")->setText("1");
        control<QPushButton>(*editor, "btAutoCalc")->click();
        QCOMPARE(box(*editor, "edSyouKazu2")->text(), QString("1"));
        QCOMPARE(int(fixture.file.record(1).disabled.special), 1);
        QCOMPARE(int(fixture.file.record(1).dependants.elderly), 2);
    }

    void theLaterLawsInputsAreShownOnlyForTheirYears() {
        struct Expected {
            int year;
            bool estimate, singleParent, widower, specific;
        };
        for (const Expected& e :
             {Expected{2017, false, false, true, false}, Expected{2022, true, true, false, false},
              Expected{2026, true, true, false, true}}) {
            EditorFixture fixture(e.year);
            auto editor = fixture.editor(1);
            const QString year = QString::number(e.year);
            QVERIFY2((editor->findChild<QLineEdit*>("edSyotokuMitsumori") != nullptr) == e.estimate,
                     qPrintable(year));
            QCOMPARE(control<QCheckBox>(*editor, "cbHitorioya")->isVisibleTo(editor.get()),
                     e.singleParent);
            QCOMPARE(control<QCheckBox>(*editor, "cbTaisyou7")->isVisibleTo(editor.get()),
                     e.widower);
            QVERIFY2((editor->findChild<QLineEdit*>("edTokutei4") != nullptr) == e.specific,
                     qPrintable(year));
        }

        // The estimate is "entered" when typed, 0 included; emptied it is not.
        EditorFixture fixture(2026);
        fixture.file.record(2).specificRelativeIncome[1] = 1'000'000;
        auto editor = fixture.editor(2);
        QCOMPARE(box(*editor, "edTokutei2")->text(), QString("1,000,000"));
        box(*editor, "edSyotokuMitsumori")->setText("0");
        box(*editor, "edTokutei1")->setText("850,000");
        editor->reject();
        const WithholdingRecord& r = fixture.file.record(2);
        QCOMPARE(int(r.incomeEstimateEntered), 1);
        QCOMPARE(r.incomeEstimate, 0);
        QCOMPARE(r.specificRelativeIncome[0], 850'000);
        editor->showSlot(2);
        box(*editor, "edSyotokuMitsumori")->clear();
        editor->reject();
        QCOMPARE(int(fixture.file.record(2).incomeEstimateEntered), 0);
    }

    void enterInThePostalCodeFillsAnEmptyAddress() {
        EditorFixture fixture(2026);
        fixture.options.addressLookup = AddressLookup::DataFile;
        writeFileAtomic(postalFilePath(fixture.folder.path()),
                        text::toCp932("1000001 東京都千代田区千代田\r\n"));
        auto editor = fixture.editor(1);
        editor->show();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        QLineEdit* postal = box(*editor, "edYubinNo");
        postal->setFocus();
        QTest::keyClicks(postal, "100a-0001");  // letters beep and stay out
        QCOMPARE(postal->text(), QString("100-0001"));
        QTest::keyClick(postal, Qt::Key_Return);
        QCOMPARE(box(*editor, "edJusyo1")->text(), QString("東京都千代田区千代田"));
        QTRY_COMPARE(QApplication::focusWidget(), box(*editor, "edJusyo1"));
        QTest::keyClick(box(*editor, "edJusyo1"), Qt::Key_Down);
        QTRY_COMPARE(QApplication::focusWidget(), box(*editor, "edJusyo2"));
        QTest::keyClick(box(*editor, "edJusyo2"), Qt::Key_Up);
        QTRY_COMPARE(QApplication::focusWidget(), box(*editor, "edJusyo1"));
        // Ctrl+Delete empties the box; the address line is not looked up over typed text.
        QTest::keyClick(box(*editor, "edJusyo1"), Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(box(*editor, "edJusyo1")->text().isEmpty());
        box(*editor, "edJusyo1")->setText("手入力");
        postal->setFocus();
        QTest::keyClick(postal, Qt::Key_Return);
        QCOMPARE(box(*editor, "edJusyo1")->text(), QString("手入力"));
    }

    void familyButtonStoresOpensTheDialogAndReloads() {
        EditorFixture fixture(2026);
        auto editor = fixture.editor(3);
        box(*editor, "edYakusyoku")->setText("課長");
        control<QPushButton>(*editor, "btFamily")->click();
        QCOMPARE(fixture.familyOpened, std::vector<int>{3});
        QCOMPARE(fixture.file.record(3).position.utf8(), std::string("課長"));
        QCOMPARE(box(*editor, "edYakusyoku")->text(), QString("課長"));
    }
};

KEIRO_QTEST(WithholdingEditorTest);

}  // namespace keiro::withholding

#include "withholding_editor_test.moc"
