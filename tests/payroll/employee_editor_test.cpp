// The employee editor on the sample company: a new employee's slot and month, the checks of OK,
// walking through the slots only while nothing is changed, the pay form's captions, the hidden
// My Number, the new-employee template, premiums from a grade, and the nursing-care flag.
#include "payroll/employee_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <regex>

#include "core/employee_master.h"
#include "core/employee_transfer.h"
#include "core/fileio.h"
#include "core/ini.h"
#include "core/municipality_file.h"
#include "core/slip_password.h"
#include "core/text.h"
#include "payroll/employee_resident_city_box.h"
#include "tests/support/demo_company.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "widgets/calculator_window.h"
#include "widgets/message_service.h"
#include "widgets/notice_window.h"

namespace keiro::payroll {
namespace {

constexpr int kDemoEmployees = 10;
constexpr int kChosenGrade = 20;

struct Demo : testing_support::DemoCompany {
    std::optional<int> grade = kChosenGrade;
    int storedGradeSeen = -1;
    GradePremiumSetter setter{messages, *tables.grades, [this](int stored) {
                                  storedGradeSeen = stored;
                                  return grade;
                              }};
    std::unique_ptr<EmployeeEditor> editor;

    Demo() : DemoCompany(11) {}

    EmployeeEditor& open(int slot) {
        editor = std::make_unique<EmployeeEditor>(
            nullptr, EmployeeEditorContext{year, state.settings, places, messages, &setter}, slot);
        editor->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(editor.get())); }();
        return *editor;
    }
    template <typename T = QLineEdit>
    T* child(const char* name) {
        return editor->findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* button) {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    // Replaces a box's text as the clerk would: digits by keys, other text through the input
    // method; then leaves the box.
    void type(const char* name, const QString& text) {
        QLineEdit* box = child(name);
        box->setFocus();
        box->selectAll();
        if (text.isEmpty() || text.front().unicode() < 0x80) {
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, text);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(box, &commit);
        }
        QTest::keyClick(box, Qt::Key_Tab);
    }
    void showPayPage() { child<QTabWidget>("PageCtrl")->setCurrentIndex(1); }
    bool accepted() const { return editor->result() == QDialog::Accepted; }
    QString lastMessage() const { return messages.lastText(); }
};

}  // namespace

class EmployeeEditorTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrder() {
        Demo demo;
        KEIRO_VERIFY_TAB_ORDER(demo.open(1));
    }

    void newEmployeeTakesTheFirstFreeSlotWithTheMonthsSchedule() {
        Demo demo;
        EmployeeEditor& editor = demo.open(-1);
        QCOMPARE(editor.windowTitle(), QStringLiteral("社員情報の編集"));
        QCOMPARE(demo.child<QComboBox>("cbKubun")->currentText(), QStringLiteral("一般社員"));
        QCOMPARE(demo.child<QComboBox>("cbKeitai")->currentText(), QStringLiteral("月給"));
        QVERIFY(QApplication::focusWidget() == demo.child("edSimei"));
        QVERIFY(!demo.child<QPushButton>("sbPrev")->isEnabled());
        QVERIFY(!demo.child<QPushButton>("sbNext")->isEnabled());

        demo.click("btOK");  // no name yet
        QCOMPARE(demo.lastMessage(), QStringLiteral("氏名を入力して下さい。"));
        QVERIFY(!demo.accepted());

        demo.type("edSimei", QStringLiteral("山田　花子"));
        demo.type("edSyaCod", QStringLiteral(" 011 "));  // stored without the blanks
        demo.type("edChingin1", QStringLiteral("250000"));
        QCOMPARE(demo.child("edChingin1")->text(), QStringLiteral("250,000"));
        demo.click("btOK");
        QVERIFY(demo.accepted());
        const int slot = kDemoEmployees + 1;
        QCOMPARE(editor.storedSlot(), slot);
        const EmployeeRecord& stored = demo.year.block().employee(slot);
        QCOMPARE(stored.name.utf8(), std::string("山田　花子"));
        QCOMPARE(stored.basePay, 250000);
        QCOMPARE(stored.category, 2);
        QCOMPARE(stored.categoryText.utf8(), std::string("一般社員"));
        QCOMPARE(stored.employeeCode.utf8(), std::string("011"));
        QVERIFY(std::regex_match(stored.recordId.utf8(), std::regex("[0-9]{6}_[0-9]{6}")));
        const AttendanceRecord& month = demo.year.block().attendance[slot - 1];
        QCOMPARE(month.daysWorked, double(demo.year.block().settings.scheduledDays));
        QCOMPARE(month.hoursWorked, demo.year.block().settings.scheduledHours);
        QVERIFY(month.daysWorked > 0);
    }

    void aFullPeriodTakesNoNewEmployee() {
        Demo demo;
        for (int slot = kDemoEmployees + 1; slot <= kMaxEmployees; ++slot) {
            demo.year.block().employee(slot).recordId.assign("k" + std::to_string(slot));
        }
        demo.open(-1);
        demo.type("edSimei", QStringLiteral("山田"));
        demo.click("btOK");
        QCOMPARE(demo.lastMessage().toStdString(), std::string(kMsgNoFreeSlot));
        QVERIFY(!demo.accepted());
    }

    // OK stores through the open period's document, so whatever watches it hears of the change.
    void okTellsThePeriodWhoWasStored() {
        Demo demo;
        std::vector<PeriodChange> told;
        const PayrollPeriod::Subscription subscription = demo.year.document().subscribe(
            [&](const PeriodChange& change) { told.push_back(change); });
        demo.open(2);
        demo.type("edBusyo", QStringLiteral("経営企画"));
        demo.click("btOK");
        QVERIFY(demo.accepted());
        QCOMPARE(told.size(), std::size_t{1});
        QVERIFY(told[0].employee == demo.year.document().idAt(2));
        QVERIFY(!told[0].item);

        demo.open(-1);
        demo.type("edSimei", QStringLiteral("山田"));
        demo.click("btOK");
        QVERIFY(demo.accepted());
        QCOMPARE(told.size(), std::size_t{2});
        QCOMPARE(demo.year.document().slotOf(told[1].employee), kDemoEmployees + 1);
        QVERIFY(demo.year.document().isDirty());
    }

    void codesMustDifferUnlessEmpty() {
        Demo demo;
        demo.open(2);
        demo.type("edSyaCod", QStringLiteral("001"));
        demo.click("btOK");
        QCOMPARE(demo.lastMessage(), QStringLiteral("社員コードが重複しています。"));
        QVERIFY(!demo.accepted());
        QVERIFY(QApplication::focusWidget() == demo.child("edSyaCod"));
        demo.type("edSyaCod", QStringLiteral("002"));  // its own code
        demo.click("btOK");
        QVERIFY(demo.accepted());

        for (const int slot : {2, 3}) {  // two employees without a code
            demo.open(slot);
            demo.type("edSyaCod", QString());
            demo.click("btOK");
            QVERIFY(demo.accepted());
            QVERIFY(demo.year.block().employee(slot).employeeCode.empty());
        }
    }

    // 単価を計算 divides base pay with 役職手当 by the hours typed and keeps them for next time.
    void unitPricesAreWorkedOutFromTheWageAndTheCompanysHours() {
        Demo demo;
        EmployeeEditor& editor = demo.open(1);
        demo.showPayPage();
        demo.type("edChingin1", "300000");
        demo.type("edYakuin", "20000");
        demo.type("edFamily", "10000");
        demo.type("edTeate1", "0");
        demo.type("edTeate2", "0");
        demo.type("edTeate3", "0");
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr && dialog->objectName() == "TfmTanka");
            dialog->findChild<QLineEdit*>("edTankaJikan")->setText("160:00");
            dialog->findChild<QLineEdit*>("edTankaNissu")->setText("20");
            dialog->findChild<QPushButton*>("btOK")->click();
            answered = true;
        });
        demo.click("sbTanka");
        QVERIFY(answered);
        QCOMPARE(demo.child("edChingin2")->text().trimmed(), QString("2,500"));
        QCOMPARE(demo.child("edChingin5")->text().trimmed(), QString("3,200"));
        QCOMPARE(demo.child("edKekkin")->text().trimmed(), QString("16,000"));
        QCOMPARE(demo.child("edChisou")->text().trimmed(), QString("2,000"));
        QCOMPARE(IniFile(demo.places.iniFile).readDouble("Option", "TankaJikan", 0), 160.0);
        editor.close();
    }

    void socialInsuranceFactsRoundTripAndAreStored() {
        Demo demo;
        SocialInsuranceFields& s = demo.year.block().employee(2).social;
        s.dayRule = 2;
        s.decidedRemuneration = 304'000;
        s.revisedYearMonth = 202609;
        s.decisionKind = 2;
        s.insuredSince = 20260105;
        s.labourClass = 2;
        s.carriedBonus = 1'000'000;
        s.carriedBonusYear = 2025;
        s.annualAverage = 1;
        EmployeeEditor& editor = demo.open(2);
        QVERIFY(!editor.isChanged());  // shown and read back unchanged
        QCOMPARE(demo.child<QComboBox>("cbSyainKubun")->currentIndex(), 2);
        QCOMPARE(demo.child("edHosyu")->text(), QStringLiteral("304,000"));
        QCOMPARE(demo.child<QSpinBox>("seKaiteiNen")->value(), 2026);
        QCOMPARE(demo.child<QSpinBox>("seKaiteiTuki")->value(), 9);
        QCOMPARE(demo.child<QDateEdit>("deSikakuSyutoku")->date(), QDate(2026, 1, 5));
        QCOMPARE(demo.child<QDateEdit>("deSikakuSousitu")->text(), QStringLiteral("未設定"));

        demo.child<QTabWidget>("PageCtrl")->setCurrentIndex(2);
        demo.child<QComboBox>("cbSyainKubun")->setCurrentIndex(3);
        demo.type("edHosyu", QStringLiteral("320000"));
        demo.child<QDateEdit>("deSikakuSousitu")->setDate(QDate(2026, 6, 30));
        demo.child<QSpinBox>("seKaiteiTuki")->setValue(0);  // a year without a month: not set
        QVERIFY(demo.child<QCheckBox>("chkNenkanHeikin")->isChecked());
        demo.child<QCheckBox>("chkNenkanHeikin")->setChecked(false);
        demo.child<QCheckBox>("chk70Ijo")->setChecked(true);
        QVERIFY(editor.isChanged());
        demo.click("btOK");
        QVERIFY(demo.accepted());
        const SocialInsuranceFields& stored = demo.year.block().employee(2).social;
        QCOMPARE(int(stored.dayRule), 3);
        QCOMPARE(stored.decidedRemuneration, 320'000);
        QCOMPARE(stored.insuredUntil, 20260630);
        QCOMPARE(stored.insuredSince, 20260105);
        QCOMPARE(stored.revisedYearMonth, 0);
        QCOMPARE(int(stored.labourClass), 2);
        QCOMPARE(stored.carriedBonusYear, 2025);
        QCOMPARE(int(stored.over70Employee), 1);
        QCOMPARE(int(stored.annualAverage), 0);

        // An employee of an older file (all zeros) opens unchanged and keeps zeros.
        EmployeeEditor& older = demo.open(3);
        QVERIFY(!older.isChanged());
        QCOMPARE(demo.child<QComboBox>("cbSyainKubun")->currentIndex(), 0);
    }

    void theResidenceTaxMunicipalityIsCheckedAndFilledFromThePostalCode() {
        Demo demo;
        demo.open(2);
        demo.showPayPage();
        demo.type("edJuuminCode", QStringLiteral("131017"));  // the check digit is 6
        demo.type("edJuuminCity", QStringLiteral("千代田区"));
        demo.click("btOK");
        QCOMPARE(demo.lastMessage(), QString::fromUtf8(kMsgCityCodeCheckDigit));
        QVERIFY(!demo.accepted());
        QVERIFY(QApplication::focusWidget() == demo.child("edJuuminCode"));
        demo.type("edJuuminCode", QStringLiteral("131016"));
        demo.type("edJuuminCity", QString());
        demo.click("btOK");
        QCOMPARE(demo.lastMessage(), QString::fromUtf8(kMsgCityNameMissing));

        // Without the postal data's municipality file the button says so.
        demo.type("edJuuminYubin", QStringLiteral("0600042"));
        demo.click("btJuuminYubin");
        QCOMPARE(demo.lastMessage(), QString::fromUtf8(kMsgNoMunicipalityData));
        writeFileAtomic(municipalityFilePath(demo.places.dataFolder),
                        municipalityFileText({{"0600042", "01101", "札幌市中央区"}}));
        demo.type("edJuuminYubin", QStringLiteral("0600043"));
        demo.click("btJuuminYubin");
        QCOMPARE(demo.lastMessage(), QString::fromUtf8(kMsgPostalCodeUnknown));
        demo.type("edJuuminYubin", QStringLiteral("060004"));
        demo.click("btJuuminYubin");
        QCOMPARE(demo.lastMessage(), QString::fromUtf8(kMsgPostalCodeDigits));
        // A ward of Sapporo pays to the city, with the city's code (leading zero kept).
        demo.type("edJuuminYubin", QStringLiteral("0600042"));
        demo.click("btJuuminYubin");
        QCOMPARE(demo.child("edJuuminCode")->text(), QStringLiteral("011002"));
        QCOMPARE(demo.child("edJuuminCity")->text(), QStringLiteral("札幌市"));
        demo.click("btOK");
        QVERIFY(demo.accepted());
        const EmployeeRecord& stored = demo.year.block().employee(2);
        QCOMPARE(int(stored.residentTaxCityCode), 11002);
        QCOMPARE(stored.residentTaxCity.utf8(), std::string("札幌市"));

        // Shown again unchanged; emptying both clears it.
        EmployeeEditor& again = demo.open(2);
        QVERIFY(!again.isChanged());
        QCOMPARE(demo.child("edJuuminCode")->text(), QStringLiteral("011002"));
        demo.showPayPage();
        demo.type("edJuuminCode", QString());
        demo.type("edJuuminCity", QString());
        demo.click("btOK");
        QVERIFY(demo.accepted());
        QCOMPARE(int(demo.year.block().employee(2).residentTaxCityCode), 0);
    }

    void movingIsRefusedWhileTheFormIsChanged() {
        Demo demo;
        EmployeeEditor& editor = demo.open(1);
        QVERIFY(!demo.child<QPushButton>("sbPrev")->isEnabled());
        demo.type("edBusyo", QStringLiteral("経営企画"));
        demo.click("sbNext");
        QCOMPARE(demo.lastMessage(), QStringLiteral("データ内容に変更がある場合は出来ません。"));
        QCOMPARE(editor.slot(), 1);
        QTest::keyClick(&editor, Qt::Key_PageDown);
        QCOMPARE(demo.messages.shown().size(), std::size_t{2});
        QCOMPARE(editor.slot(), 1);

        demo.type("edBusyo", QStringLiteral("本社"));  // undone
        QVERIFY(!editor.isChanged());
        QTest::keyClick(&editor, Qt::Key_PageDown);
        QCOMPARE(editor.slot(), 2);
        QCOMPARE(demo.child("edSimei")->text(), QStringLiteral("高橋　誠"));
        QTest::keyClick(&editor, Qt::Key_PageUp);
        QCOMPARE(editor.slot(), 1);

        demo.type("edBusyo", QStringLiteral("経営企画"));
        demo.click("btOK");  // saved: the stored record is what the next showing compares with
        QVERIFY(demo.accepted());
        EmployeeEditor& again = demo.open(1);
        QVERIFY(!again.isChanged());
        demo.click("sbNext");
        QCOMPARE(again.slot(), 2);

        demo.open(kDemoEmployees);  // the last employee: nobody after
        QVERIFY(!demo.child<QPushButton>("sbNext")->isEnabled());
        QVERIFY(demo.child<QPushButton>("sbPrev")->isEnabled());
    }

    void payFormRelabelsTheBaseAndOpensPaidLeavePay() {
        Demo demo;
        demo.open(2);
        auto* payForm = demo.child<QComboBox>("cbKeitai");
        auto* base = demo.child<QLabel>("lbChingin1");
        QCOMPARE(base->text(), QStringLiteral("基本給"));
        QVERIFY(!demo.child("edYukyu")->isEnabled());
        payForm->setCurrentIndex(1);
        QCOMPARE(base->text(), QStringLiteral("日給"));
        QVERIFY(demo.child("edYukyu")->isEnabled());
        payForm->setCurrentIndex(2);
        QCOMPARE(base->text(), QStringLiteral("時給"));
        QVERIFY(demo.child("edYukyu")->isEnabled());
        // The user's item names caption the allowances.
        QCOMPARE(demo.child<QLabel>("lbTeate1")->text(),
                 QString::fromStdString(demo.state.settings.itemNames[kFirstFreeItem]));
    }

    void birthYearTakesTheWesternCalendarAndRangesAreNamed() {
        Demo demo;
        demo.open(1);
        auto* era = demo.child<QComboBox>("cbBirthG");
        demo.type("edBirthY", QStringLiteral("1989"));
        QCOMPARE(era->currentText(), QStringLiteral("平成"));
        QCOMPARE(demo.child("edBirthY")->text(), QStringLiteral(" 1"));
        demo.type("edBirthM", QStringLiteral("1"));
        demo.type("edBirthD", QStringLiteral("5"));  // before 1/8: still 昭和
        QCOMPARE(era->currentText(), QStringLiteral("昭和"));
        QCOMPARE(demo.child("edBirthY")->text(), QStringLiteral("64"));
        QVERIFY(demo.messages.shown().empty());

        demo.type("edBirthY", QStringLiteral("70"));  // 昭和 ends with 64
        QTRY_COMPARE(demo.lastMessage(), QStringLiteral("1〜64の範囲で入力してください。"));
        QTRY_VERIFY(demo.child("edBirthY")->hasFocus());
        QVERIFY(demo.child("edBirthY")->text().isEmpty());
        demo.type("edBirthY", QStringLiteral("60"));
        demo.type("edBirthM", QStringLiteral("13"));
        QTRY_COMPARE(demo.lastMessage(), QStringLiteral("1〜12の範囲で入力してください。"));
        demo.type("edBirthM", QStringLiteral("4"));
        demo.click("btOK");
        QVERIFY(demo.accepted());
        const EmployeeRecord& stored = demo.year.block().employee(1);
        QCOMPARE(int{stored.birthYear}, 60);
        QCOMPARE(int{stored.birthMonth}, 4);
        QCOMPARE(int{stored.birthDay}, 5);
    }

    void escapeAsksBeforeDroppingChanges() {
        Demo demo;
        EmployeeEditor& editor = demo.open(1);
        QTest::keyClick(&editor, Qt::Key_Escape);  // nothing changed: closes without a word
        QVERIFY(!editor.isVisible());
        QVERIFY(demo.messages.shown().empty());

        EmployeeEditor& again = demo.open(1);
        demo.type("edBusyo", QStringLiteral("総務部"));
        demo.messages.answerNext(ui::Answer::No);
        QTest::keyClick(&again, Qt::Key_Escape);
        QCOMPARE(demo.lastMessage(),
                 QStringLiteral("変更した内容は保存されていません。保存せずに閉じますか？"));
        QVERIFY(again.isVisible());
        demo.messages.answerNext(ui::Answer::Yes);
        QTest::keyClick(&again, Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QVERIFY(demo.year.block().employee(1).department.utf8() != "総務部");
    }

    void dependantsWithoutTheTaxCountAskFirst() {
        Demo demo;
        demo.open(1);
        demo.type("edFuyou", QStringLiteral("2"));
        demo.type("edSinzoku", QStringLiteral("0"));
        demo.messages.answerNext(ui::Answer::No);
        demo.click("btOK");
        QVERIFY(demo.lastMessage().contains(QStringLiteral("扶養親族等の数が0人です")));
        QVERIFY(!demo.accepted());
        QTRY_VERIFY(demo.child("edSinzoku")->hasFocus());

        demo.messages.answerNext(ui::Answer::Yes);  // the clerk means it: stored as typed
        demo.click("btOK");
        QVERIFY(demo.accepted());
        QCOMPARE(std::int32_t{demo.year.block().employee(1).dependents}, 2);
    }

    void myNumberIsHiddenAndMustHaveTwelveDigits() {
        Demo demo;
        demo.open(1);
        demo.type("edMyNo", QStringLiteral("12a345"));  // the letter is dropped
        QLineEdit* box = demo.child("edMyNo");
        QCOMPARE(box->text(), QStringLiteral("12345"));
        QCOMPARE(box->displayText(), QStringLiteral("*****"));
        demo.child<QCheckBox>("cbHide")->click();
        QCOMPARE(box->displayText(), QStringLiteral("12345"));
        demo.click("btOK");
        QCOMPARE(demo.lastMessage(), QStringLiteral("マイナンバーの入力に誤りがあります。"));
        QVERIFY(!demo.accepted());

        demo.type("edMyNo", QStringLiteral("001234567890"));  // the check digit is 2
        demo.click("btOK");
        QVERIFY(demo.lastMessage().contains(QStringLiteral("検査用数字")));
        QVERIFY(!demo.accepted());

        demo.type("edMyNo", QStringLiteral("0012345678923"));  // the thirteenth digit does not fit
        QCOMPARE(box->text(), QStringLiteral("001234567892"));
        demo.click("btOK");
        QVERIFY(demo.accepted());
        QCOMPARE(std::int64_t{demo.year.block().employee(1).myNumber}, 1234567892);

        demo.open(1);  // shown with its leading zeros, hidden again
        QCOMPARE(demo.child("edMyNo")->text(), QStringLiteral("001234567892"));
        QVERIFY(demo.child<QCheckBox>("cbHide")->isChecked());
    }

    // The transfer file's boxes: digits only, the kana shown converted on leaving, and OK
    // refusing an incomplete code or a name outside the file's characters, box by box.
    void transferCodesAreCheckedConvertedAndStored() {
        Demo demo;
        demo.open(1);  // the sample's employees paid by transfer have their codes
        QCOMPARE(demo.child("edGinkoCd")->text(), QStringLiteral("0998"));
        QCOMPARE(demo.child("edSitenCd")->text(), QStringLiteral("001"));
        QCOMPARE(demo.child("edKouzaMeigi")->text(), QStringLiteral("ｻﾄｳ ｹﾝｲﾁ"));

        demo.type("edGinkoCd", QStringLiteral("1a2"));
        QCOMPARE(demo.child("edGinkoCd")->text(), QStringLiteral("12"));
        demo.click("btOK");
        QCOMPARE(demo.lastMessage().toStdString(), std::string(kMsgBadBankCode));
        QVERIFY(QApplication::focusWidget() == demo.child("edGinkoCd"));
        QVERIFY(!demo.accepted());

        demo.type("edGinkoCd", QStringLiteral("0005"));
        demo.type("edKouzaMeigi", QStringLiteral("サトウ　カヲル"));
        // Taken half-width as typed; ｦ is no character of a bank name.
        QCOMPARE(demo.child("edKouzaMeigi")->text(), QStringLiteral("ｻﾄｳ ｶｦﾙ"));
        demo.click("btOK");
        QVERIFY(demo.lastMessage().contains(QStringLiteral("口座名義ｶﾅに使用できない文字「ｦ」")));
        QVERIFY(QApplication::focusWidget() == demo.child("edKouzaMeigi"));
        QVERIFY(!demo.accepted());
        // The long vowel is written as the hyphen banks put in its place.
        demo.type("edKouzaMeigi", QStringLiteral("サトウ　ヨーコ"));
        QCOMPARE(demo.child("edKouzaMeigi")->text(), QStringLiteral("ｻﾄｳ ﾖ-ｺ"));

        demo.type("edKouzaMeigi", QStringLiteral("ガンジャ　キョウコ"));
        QCOMPARE(demo.child("edKouzaMeigi")->text(), QStringLiteral("ｶﾞﾝｼﾞﾔ ｷﾖｳｺ"));
        demo.click("btOK");
        QVERIFY(demo.accepted());
        const EmployeeRecord& stored = demo.year.block().employee(1);
        QCOMPARE(bankCodeOf(stored), std::string("0005"));
        QCOMPARE(branchCodeOf(stored), std::string("001"));
        QCOMPARE(accountHolderKanaOf(stored), text::toCp932("ｶﾞﾝｼﾞﾔ ｷﾖｳｺ"));
    }

    // An office whose bank takes only kana and digits: the long vowel has no place in a name.
    void theStrictTransferCharactersRefuseTheLongVowel() {
        Demo demo;
        demo.state.settings.transfer.characters = TransferCharacters::Strict;
        demo.open(1);
        demo.type("edKouzaMeigi", QStringLiteral("サトウ　ヨーコ"));
        demo.click("btOK");
        QVERIFY(demo.lastMessage().contains(QStringLiteral("口座名義ｶﾅに使用できない文字")));
        QVERIFY(!demo.accepted());
    }

    void templateKeepsTheEntryWithoutThePerson() {
        Demo demo;
        demo.open(2);
        const auto path = employeeTemplatePath(demo.places.dataFolder);
        demo.type("edMyNo", QStringLiteral("12345"));  // would reach every new employee
        demo.messages.answerNext(ui::Answer::Yes);
        demo.click("sbDefault");
        QCOMPARE(demo.lastMessage().toStdString(), std::string(kMsgMyNumberInvalid));
        QVERIFY(!std::filesystem::exists(path));
        demo.messages.clear();

        demo.type("edMyNo", QStringLiteral("123456789018"));
        demo.messages.answerNext(ui::Answer::Yes);
        demo.click("sbDefault");
        QCOMPARE(demo.messages.shown().front().text.toStdString(),
                 std::string(kMsgTemplateQuestion));
        QCOMPARE(std::filesystem::file_size(path), std::uintmax_t{700});
        auto notices = demo.editor->findChildren<ui::NoticeWindow*>();
        QCOMPARE(notices.size(), 1);
        QCOMPARE(notices.front()->text(), QString::fromUtf8(kMsgTemplateSaved));

        demo.open(-1);  // a new employee starts from it
        QCOMPARE(demo.child("edSimei")->text(), QString());
        QCOMPARE(demo.child("edSimeiF")->text(), QString());
        QCOMPARE(demo.child("edSyaCod")->text(), QString());
        QCOMPARE(demo.child("edMyNo")->text(), QStringLiteral("123456789018"));
        QCOMPARE(demo.child("edKinyu")->text(), QStringLiteral("東都銀行"));
        const EmployeeRecord saved = loadEmployeeTemplate(demo.places.dataFolder);
        QVERIFY(saved.recordId.empty());
        QCOMPARE(saved.insuranceGrade, 0);

        demo.messages.answerNext(ui::Answer::No);
        demo.messages.answerNext(ui::Answer::Yes);
        demo.click("sbDefault");
        QCOMPARE(demo.lastMessage(), QString::fromUtf8(kMsgTemplateRemoveQuestion));
        QVERIFY(!std::filesystem::exists(path));
        QCOMPARE(demo.child("edKinyu")->text(), QString());  // the form starts afresh
        QCOMPARE(demo.child("edMyNo")->text(), QString());
        notices = demo.editor->findChildren<ui::NoticeWindow*>();
        QCOMPARE(notices.back()->text(), QString::fromUtf8(kMsgTemplateRemoved));
    }

    void gradeSetsTheFourPremiumsAndIsStored() {
        Demo demo;
        demo.open(3);
        auto* fromGrade = demo.child<QPushButton>("sbFromGrade");
        QVERIFY(!fromGrade->isEnabled());
        demo.showPayPage();
        QVERIFY(fromGrade->isEnabled());
        demo.click("sbFromGrade");
        QCOMPARE(demo.storedGradeSeen, int(demo.year.block().employee(3).insuranceGrade));
        const calc::MonthlyPremiums expected = calc::SetPremiumsFromGrade(
            *demo.tables.grades, kChosenGrade, demo.year.block().settings);
        QVERIFY(expected.health > 1000);
        QCOMPARE(demo.child("edKenhoRyo")->text(),
                 QString::fromStdString(formatAmount(0, expected.health)));
        demo.click("btOK");
        QVERIFY(demo.accepted());
        const EmployeeRecord& stored = demo.year.block().employee(3);
        QCOMPARE(int(stored.insuranceGrade), kChosenGrade);
        QCOMPARE(stored.healthInsPremium, expected.health);
        QCOMPARE(stored.nursingInsPremium, expected.nursing);
        QCOMPARE(stored.pensionPremium, expected.pension);
        QCOMPARE(stored.pensionFundPremium, expected.pensionFund);
        // The levy comes with them, rounded with care when the employee pays it.
        QCOMPARE(stored.supportPremium, expected.supportFor(stored.nursingInsured != 0));
    }

    // The levy box shows and stores the master's monthly levy; the grade sets it at the period's
    // rate, with or without care.
    void theLevyBoxLoadsStoresAndFollowsTheGrade() {
        Demo demo;
        demo.year.block().employee(2).supportPremium = 345;
        demo.open(2);
        demo.showPayPage();
        QCOMPARE(demo.child("edSienRyo")->text(), QString::fromStdString(formatAmount(0, 345)));
        demo.year.block().settings.supportRate = 0.115;
        auto* nursing = demo.child<QCheckBox>("cbKaigo");
        if (nursing->isChecked()) nursing->click();  // under 40 from now on
        demo.click("sbFromGrade");
        const calc::MonthlyPremiums expected = calc::SetPremiumsFromGrade(
            *demo.tables.grades, kChosenGrade, demo.year.block().settings);
        QVERIFY(expected.support > 0);
        QCOMPARE(demo.child("edSienRyo")->text(),
                 QString::fromStdString(formatAmount(0, expected.support)));
        demo.click("btOK");
        QVERIFY(demo.accepted());
        QCOMPARE(demo.year.block().employee(2).supportPremium, expected.support);
        QCOMPARE(demo.year.block().employee(2).nursingInsured, 0);
    }

    void slipPasswordIsCheckedHiddenAndKeepsWhetherItWasMade() {
        Demo demo;
        setSlipPassword(demo.year.block().employee(2), "Kd7fPq3wXyzA", true);
        demo.open(2);
        QLineEdit* box = demo.child("edPdfPass");
        QCOMPARE(box->echoMode(), QLineEdit::Password);
        QCOMPARE(box->text(), QStringLiteral("Kd7fPq3wXyzA"));
        QCOMPARE(demo.child<QLabel>("lbPdfPassState")->text(), QStringLiteral("（自動作成）"));
        demo.child<QCheckBox>("cbPdfPassShow")->setChecked(true);
        QCOMPARE(box->echoMode(), QLineEdit::Normal);

        demo.type("edPdfPass", QStringLiteral("short1"));
        demo.click("btOK");
        QVERIFY(!demo.accepted());
        QCOMPARE(demo.lastMessage().toStdString(), std::string(kMsgPasswordTooShort));
        QVERIFY(QApplication::focusWidget() == box);
        QCOMPARE(box->maxLength(), 22);

        demo.type("edPdfPass", QStringLiteral("my-own-pass9"));  // the employee's own now
        QCOMPARE(demo.child<QLabel>("lbPdfPassState")->text(), QString());
        demo.click("btOK");
        QVERIFY(demo.accepted());
        const EmployeeRecord& stored = demo.year.block().employee(2);
        QCOMPARE(slipPasswordOf(stored), std::string("my-own-pass9"));
        QCOMPARE(stored.slipPasswordGenerated, 0);
    }

    void cashPaymentClosesTheBankFields() {
        Demo demo;
        demo.open(8);  // paid in cash
        QVERIFY(demo.child<QRadioButton>("rbGenkin")->isChecked());
        QVERIFY(!demo.child("edKinyu")->isEnabled());
        QVERIFY(!demo.child("edTesuryo")->isEnabled());
        demo.child<QRadioButton>("rbFurikomi")->click();
        QVERIFY(demo.child("edKinyu")->isEnabled());
        QVERIFY(demo.child<QRadioButton>("rbFutuu")->isEnabled());
    }

    void withoutHealthInsuranceNoNursingCare() {
        Demo demo;
        demo.open(2);
        demo.showPayPage();
        auto* health = demo.child<QCheckBox>("cbKenkou");
        auto* nursing = demo.child<QCheckBox>("cbKaigo");
        QVERIFY(health->isChecked() && nursing->isChecked() && nursing->isEnabled());
        health->click();
        QVERIFY(!nursing->isChecked());
        QVERIFY(!nursing->isEnabled());
        health->click();
        QVERIFY(nursing->isEnabled());
        QVERIFY(!nursing->isChecked());
    }

    // Every box and button lies whole inside the window on both pages.
    // KEIRO_EDITOR_SHOT=prefix keeps prefix1.png, prefix2.png... for a person to look at.
    void bothPagesFitTheWindow() {
        Demo demo;
        EmployeeEditor& editor = demo.open(2);
        const QString shot = qEnvironmentVariable("KEIRO_EDITOR_SHOT");
        for (int page = 0; page < demo.child<QTabWidget>("PageCtrl")->count(); ++page) {
            demo.child<QTabWidget>("PageCtrl")->setCurrentIndex(page);
            QApplication::processEvents();
            for (QWidget* w : editor.findChildren<QWidget*>()) {
                if (!w->isVisible() || w->window() != &editor) continue;
                const QRect inWindow(w->mapTo(&editor, QPoint(0, 0)), w->size());
                QVERIFY2(editor.rect().contains(inWindow), qPrintable(w->objectName()));
            }
            if (!shot.isEmpty())
                QVERIFY(editor.grab().save(shot + QString::number(page + 1) + ".png"));
        }
    }

    void calculatorWritesIntoTheAmountBoxWithSeparators() {
        Demo demo;
        demo.open(2);
        demo.showPayPage();
        demo.child("edYakuin")->setFocus();
        auto* calculator = demo.editor->findChild<ui::CalculatorWindow*>();
        QTimer::singleShot(0, calculator, [calculator] {
            using Key = ui::CalculatorState::Key;
            for (const Key key : {Key::Digit1, Key::Digit2, Key::Digit0, Key::Times, Key::Digit3,
                                  Key::Digit0, Key::Digit0}) {
                calculator->press(key);
            }
            calculator->writeResult();
        });
        demo.click("sbCalc");
        QCOMPARE(demo.child("edYakuin")->text(), QStringLiteral("36,000"));
        QVERIFY(demo.editor->focusWidget() == demo.child("edYakuin"));
    }

    void enterMovesOnAndBackspaceIsRefusedInTheCategory() {
        Demo demo;
        demo.open(2);
        auto* category = demo.child<QComboBox>("cbKubun");
        category->lineEdit()->setFocus();
        QTest::keyClick(category->lineEdit(), Qt::Key_Backspace);
        QTRY_COMPARE(demo.lastMessage(),
                     QStringLiteral("この項目ではBackSpaceキーは使用できません。\n"
                                    "Deleteキーで編集を行って下さい。"));
        QCOMPARE(category->currentText(), QStringLiteral("一般社員"));

        demo.child<QComboBox>("cbKeitai")->setFocus();
        QTest::keyClick(demo.child<QComboBox>("cbKeitai"), Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() == demo.child<QComboBox>("cbSyugyo"));
        QVERIFY(demo.editor->isVisible());
    }
};

}  // namespace keiro::payroll

using keiro::payroll::EmployeeEditorTest;
KEIRO_QTEST(EmployeeEditorTest);

#include "employee_editor_test.moc"
