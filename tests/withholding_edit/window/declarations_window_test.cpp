// WithholdingEditor's declarations: premiums apart from deduction amounts, the insurance deductions
// worked out from premiums, amounts held within the law as they are left, the income
// estimate's minimum, the counts the family's birth dates give, and 前職分.
#include <QGroupBox>
#include <QTimer>

#include "tests/support/qt_test_main.h"
#include "tests/withholding_edit/window/editor_fixture.h"
#include "withholding/model/family_ages.h"
#include "withholding/previous_employers_dialog.h"

namespace keiro::withholding {

using testing::box;
using testing::control;
using testing::EditorFixture;

class DeclarationsTest : public QObject {
    Q_OBJECT

    // The editor shown and active, so that leaving a box checks it.
    static std::unique_ptr<RecordEditorBase> shown(EditorFixture& fixture, int slot) {
        auto editor = fixture.editor(slot);
        editor->show();
        if (!QTest::qWaitForWindowActive(editor.get())) qFatal("editor not active");
        return editor;
    }

    // Types `text` into the box and leaves it for the postal-code box.
    static void typeAndLeave(RecordEditorBase& editor, const char* name, const QString& text) {
        QLineEdit* typed = box(editor, name);
        typed->setFocus();
        typed->setText(text);
        box(editor, "edYubinNo")->setFocus();
    }

    static bool isRed(const QWidget* widget, QPalette::ColorRole role = QPalette::Text) {
        return widget->palette().color(role) == QColor(Qt::red);
    }

  private slots:
    void premiumsAreApartAndTheEarthquakeDeductionFollowsThem() {
        EditorFixture fixture(2026);
        auto editor = fixture.editor(1);
        auto* premiums = control<QGroupBox>(*editor, "gbPremiums");
        for (const char* name :
             {"edKokuho", "edKokuhoSonota", "edSeimeiN", "edJisinHokenRyo", "edChoSonGak"})
            QVERIFY2(premiums->isAncestorOf(box(*editor, name)), name);
        QVERIFY(!premiums->isAncestorOf(box(*editor, "edJisinGaku")));

        // 30,000 in full; 旧長期 15,000: half plus 5,000 = 12,500; together 42,500.
        QLineEdit* deduction = box(*editor, "edJisinGaku");
        box(*editor, "edJisinHokenRyo")->setText("30000");
        QVERIFY(deduction->isReadOnly());
        QCOMPARE(deduction->text(), QString("30,000"));
        box(*editor, "edChoSonGak")->setText("15000");
        QCOMPARE(deduction->text(), QString("42,500"));
        box(*editor, "edJisinHokenRyo")->setText("60000");
        QCOMPARE(deduction->text(), QString("50,000"));  // at most 50,000 together
        // Life premiums make the life deduction the calculation's.
        QVERIFY(!box(*editor, "edSeihoGaku")->isReadOnly());
        box(*editor, "edSeimeiN")->setText("80000");
        QVERIFY(box(*editor, "edSeihoGaku")->isReadOnly());
        box(*editor, "edKokuhoSonota")->setText("120000");
        editor->reject();
        const WithholdingRecord& r = fixture.file.record(1);
        QCOMPARE(int(r.earthquakePremium), 60'000);
        QCOMPARE(r.oldLongTermInsurance, 15'000);
        QCOMPARE(r.earthquakeInsurance, 50'000);
        QCOMPARE(int(r.otherDeclaredSocial), 120'000);

        // Without premiums the deduction is the clerk's again; a slot loads its own.
        auto next = fixture.editor(2);
        QVERIFY(!box(*next, "edJisinGaku")->isReadOnly());
        next->showSlot(1);
        QVERIFY(box(*next, "edJisinGaku")->isReadOnly());
        box(*next, "edJisinHokenRyo")->clear();
        box(*next, "edChoSonGak")->clear();
        QVERIFY(!box(*next, "edJisinGaku")->isReadOnly());

        // The 500-byte years have no earthquake premium: their deduction stays typed.
        EditorFixture legacy(2015);
        auto old = legacy.editor(1);
        QVERIFY(box(*old, "edJisinHokenRyo")->isHidden());
        box(*old, "edChoSonGak")->setText("15000");
        QVERIFY(!box(*old, "edJisinGaku")->isReadOnly());
        old->reject();
    }

    void typedDeductionsAboveTheLawAreHeldAtTheMaximum() {
        EditorFixture fixture(2026);
        auto editor = shown(fixture, 1);
        typeAndLeave(*editor, "edSeihoGaku", "200000");
        QCOMPARE(box(*editor, "edSeihoGaku")->text(), QString("120,000"));
        QCOMPARE(fixture.messages.shown().size(), std::size_t(1));
        QVERIFY(fixture.messages.lastText().contains("120,000"));
        typeAndLeave(*editor, "edJisinGaku", "50001");
        QCOMPARE(box(*editor, "edJisinGaku")->text(), QString("50,000"));
        QCOMPARE(fixture.messages.shown().size(), std::size_t(2));
        // At the maximum nothing is said.
        typeAndLeave(*editor, "edSeihoGaku", "120000");
        QCOMPARE(fixture.messages.shown().size(), std::size_t(2));
        editor->reject();
        QCOMPARE(int(fixture.file.record(1).lifeInsurance), 120'000);
        QCOMPARE(int(fixture.file.record(1).earthquakeInsurance), 50'000);
    }

    void anEstimateBelowTheEmploymentIncomeIsRefused() {
        EditorFixture fixture(2026);
        // Pay 3,000,000 in 2026: 3,000,000 − (30 % + 80,000) = 2,020,000 of employment income.
        fixture.file.record(1).paid = 3'000'000;
        auto editor = shown(fixture, 1);
        typeAndLeave(*editor, "edSyotokuMitsumori", "2500000");
        QVERIFY(fixture.messages.shown().empty());
        typeAndLeave(*editor, "edSyotokuMitsumori", "1000000");
        QCOMPARE(fixture.messages.shown().size(), std::size_t(1));
        QVERIFY2(fixture.messages.lastText().contains("2,020,000"),
                 qPrintable(fixture.messages.lastText()));
        QCOMPARE(box(*editor, "edSyotokuMitsumori")->text(), QString("2,500,000"));
        typeAndLeave(*editor, "edSyotokuMitsumori", "2020000");  // the minimum itself stands
        QCOMPARE(fixture.messages.shown().size(), std::size_t(1));
        editor->reject();
        QCOMPARE(int(fixture.file.record(1).incomeEstimate), 2'020'000);
    }

    void countsFollowTheBirthDatesAndAContradictionIsAsked() {
        EditorFixture fixture(2026);
        WithholdingRecord& r = fixture.file.record(1);
        // Seventeen on 31 December 2026: 一般, not the 特定 the clerk typed.
        r.dependantEntries[0].name.assign("経路 一郎");
        r.dependantEntries[0].birth = calendarDateBytes(2009, 5, 1);
        r.dependants.specific = 1;
        r.spouseDeductible = 1;
        r.spouse.name.assign("経路 花子");
        r.spouse.birth = calendarDateBytes(1950, 3, 3);  // 76: 老人

        auto editor = fixture.editor(1);
        QCOMPARE(box(*editor, "edFuyoKazu6")->text(), QString("1"));  // empty: the dates' count
        QVERIFY(!isRed(box(*editor, "edFuyoKazu6")));
        QVERIFY(control<QCheckBox>(*editor, "cbKouHaiRou")->isChecked());
        QCOMPARE(box(*editor, "edFuyoKazu1")->text(), QString("1"));  // typed: kept, in red
        QVERIFY(isRed(box(*editor, "edFuyoKazu1")));

        // Cancel stays on the window; No keeps the typed count.
        fixture.messages.answerNext(ui::Answer::Cancel);
        control<QPushButton>(*editor, "sbNextData")->click();
        QCOMPARE(editor->slot(), 1);
        QVERIFY(fixture.messages.lastText().startsWith(
            "扶養親族の人数が生年月日から求めた人数と違います。"));
        fixture.messages.answerNext(ui::Answer::No);
        control<QPushButton>(*editor, "sbNextData")->click();
        QCOMPARE(editor->slot(), 2);
        QCOMPARE(int(r.dependants.specific), 1);
        QCOMPARE(int(r.dependants.general), 1);
        QCOMPARE(int(r.spouseElderly), 1);
        QCOMPARE(int(r.typedCountsKept), 1);  // so the calculation takes them too

        // Typing the dates' count clears the red; Yes takes the dates' counts.
        editor->showSlot(1);
        box(*editor, "edFuyoKazu1")->setText("");
        QVERIFY(!isRed(box(*editor, "edFuyoKazu1")));
        box(*editor, "edFuyoKazu1")->setText("2");
        QVERIFY(isRed(box(*editor, "edFuyoKazu1")));
        fixture.messages.clear();
        fixture.messages.answerNext(ui::Answer::Yes);
        editor->reject();
        QCOMPARE(fixture.messages.shown().size(), std::size_t(1));
        QCOMPARE(int(r.dependants.specific), 0);
        QCOMPARE(int(r.dependants.general), 1);
        QCOMPARE(int(r.typedCountsKept), 0);

        // Without dates the typed counts stand and nothing is asked.
        fixture.messages.clear();
        auto other = fixture.editor(2);
        box(*other, "edFuyoKazu1")->setText("3");
        QVERIFY(!isRed(box(*other, "edFuyoKazu1")));
        other->reject();
        QVERIFY(fixture.messages.shown().empty());
        QCOMPARE(int(fixture.file.record(2).dependants.specific), 3);
    }

    void previousEmployersAreKeptInTheSlotsSupplement() {
        EditorFixture fixture(2026);
        auto editor = fixture.editor(2);
        QTimer::singleShot(0, [] {
            auto* dialog =
                qobject_cast<PreviousEmployersDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) qFatal("no 前職分 dialog");
            box(*dialog, "edZenName1")->setText("株式会社前職");
            box(*dialog, "edZenJusyo1")->setText("大阪府大阪市北区１－１");
            box(*dialog, "edZenTaiY1")->setText("8");
            box(*dialog, "edZenTaiM1")->setText("3");
            box(*dialog, "edZenTaiD1")->setText("31");
            box(*dialog, "edZenSiharai1")->setText("1,200,000");
            box(*dialog, "edZenChousyu1")->setText("24000");
            box(*dialog, "edZenSyaho1")->setText("180000");
            control<QPushButton>(*dialog, "bbOk")->click();
        });
        control<QPushButton>(*editor, "btZensyoku")->click();
        const PreviousEmployer& first = fixture.file.supplement(2).previousEmployers[0];
        QCOMPARE(first.payerName.utf8(), std::string("株式会社前職"));
        QCOMPARE(first.payerAddress.utf8(), std::string("大阪府大阪市北区１－１"));
        QCOMPARE(int(first.leftOn.yearSince1900), 126);  // 令和8 = 2026
        QCOMPARE(int(first.leftOn.month), 3);
        QCOMPARE(int(first.leftOn.day), 31);
        QCOMPARE(int(first.pay), 1'200'000);
        QCOMPARE(int(first.tax), 24'000);
        QCOMPARE(int(first.socialInsurance), 180'000);
        QVERIFY(!fixture.file.supplement(2).previousEmployers[1].isEntered());
        QVERIFY(!fixture.file.supplement(1).previousEmployers[0].isEntered());
        editor->reject();

        // Only the later format has them.
        EditorFixture legacy(2015);
        QVERIFY(control<QPushButton>(*legacy.editor(1), "btZensyoku")->isHidden());
    }

    void thePreviousEmployersDialogChecksDatesAndCancels() {
        EditorFixture fixture(2026);
        PreviousEmployer(&employers)[2] = fixture.file.supplement(1).previousEmployers;
        employers[1].payerName.assign("有限会社二番");
        employers[1].leftOn = calendarDateBytes(2026, 6, 15);
        employers[1].pay = 500'000;
        const PreviousEmployersDialog::Era era{kEraNew, "令和", 8};
        {
            PreviousEmployersDialog dialog(employers, era, fixture.messages, {});
            QCOMPARE(box(dialog, "edZenName2")->text(), QString("有限会社二番"));
            QCOMPARE(box(dialog, "edZenTaiY2")->text(), QString(" 8"));
            QCOMPARE(box(dialog, "edZenTaiD2")->text(), QString("15"));
            QCOMPARE(box(dialog, "edZenSiharai2")->text(), QString("500,000"));
            QVERIFY(box(dialog, "edZenChousyu2")->text().isEmpty());
            box(dialog, "edZenName2")->clear();
            control<QPushButton>(dialog, "bbCancel")->click();
        }
        QCOMPARE(employers[1].payerName.utf8(), std::string("有限会社二番"));
        {
            // 令和8 (2026) has no 29 February: the day cannot stand, so no date is stored.
            PreviousEmployersDialog dialog(employers, era, fixture.messages, {});
            box(dialog, "edZenName1")->setText("前職");
            box(dialog, "edZenTaiY1")->setText("8");
            box(dialog, "edZenTaiM1")->setText("2");
            box(dialog, "edZenTaiD1")->setText("29");
            for (const char* name :
                 {"edZenName2", "edZenTaiY2", "edZenTaiM2", "edZenTaiD2", "edZenSiharai2"})
                box(dialog, name)->clear();
            dialog.storeAndClose();
            QVERIFY(box(dialog, "edZenTaiD1")->text().isEmpty());
        }
        QCOMPARE(int(employers[0].leftOn.yearSince1900), 0);
        QCOMPARE(employers[0].payerName.utf8(), std::string("前職"));
        QVERIFY(!employers[1].isEntered());
        QCOMPARE(int(employers[1].leftOn.yearSince1900), 0);
    }
};

KEIRO_QTEST(DeclarationsTest);

}  // namespace keiro::withholding

#include "declarations_window_test.moc"
