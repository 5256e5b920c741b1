// The common settings dialog as the user meets it: defaults of a new period, the business kind,
// each refusal of OK with its page and box, what a successful OK stores, the rate information,
// the question on cancelling, and the prefecture rate choice.
#include "payroll/config_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <memory>

#include "calc/table_seal.h"
#include "core/fileio.h"
#include "core/text.h"
#include "payroll/rate_table_window.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/support/temp_folder.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

using ui::MessageKind;
using ui::ScriptedMessageService;

PeriodSettings newPeriod() {
    PeriodSettings period;
    std::memset(&period, 0, sizeof period);
    return period;
}

// The rates of a period whose premium month carries the levy.
calc::RatesOfPeriod levyRates() {
    calc::RatesOfPeriod rates;
    rates.support = 0.115;
    return rates;
}

PeriodSettings filledPeriod() {
    PeriodSettings period = newPeriod();
    period.companyName.assign("株式会社ケイロ");
    period.generalBusiness = 1;
    period.payDay = 25;
    period.hoursPerDay = 8;
    period.employmentInsRate = 0.6;
    period.healthInsRate = 4.955;
    period.nursingInsRate = 0.8;
    period.pensionRate = 9.15;
    period.pensionFundRate = 0;
    return period;
}

// One dialog over a fresh configuration file.
struct Harness {
    testing_support::TempFolder folder{"keiro-config"};
    std::filesystem::path iniPath = folder / "Keiro.ini";
    IniFile ini{iniPath};
    Settings settings = loadSettings(ini);
    ScriptedMessageService messages;
    int passwordWindows = 0;
    ConfigDialog dialog{nullptr,
                        settings,
                        ini,
                        messages,
                        folder / "健康保険料率.dat",
                        [this] { ++passwordWindows; }};
    PeriodSettings period = newPeriod();

    explicit Harness(const PeriodSettings& start = newPeriod()) : period(start) {
        dialog.prepare(period);
        dialog.show();
    }

    QLineEdit* edit(const char* name) { return dialog.findChild<QLineEdit*>(name); }
    QString text(const char* name) { return edit(name)->text().trimmed(); }
    void set(const char* name, const QString& value) { edit(name)->setText(value); }
    template <typename T>
    T* find(const char* name) {
        return dialog.findChild<T*>(name);
    }
    void click(const char* name) { find<QAbstractButton>(name)->click(); }
    int page() { return find<QTabWidget>("PageCtrl")->currentIndex(); }

    // Types Japanese the way an input method commits it.
    void type(const char* name, const QString& committed) {
        QLineEdit* box = edit(name);
        box->setFocus();
        box->selectAll();
        QInputMethodEvent event;
        event.setCommitString(committed);
        QCoreApplication::sendEvent(box, &event);
    }

    // What a new period still lacks besides the health rate.
    void fillCompany() {
        type("edSyamei", QStringLiteral("テスト商事"));
        set("edJikanD", QStringLiteral("8:00"));
        set("edSikyubi", QStringLiteral("25"));
    }
    void fillAll() {
        fillCompany();
        set("edKenRitu", QStringLiteral("5.140"));
    }
};

}  // namespace

class ConfigDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrder() {
        Harness h;
        KEIRO_VERIFY_TAB_ORDER(h.dialog);
    }

    void newPeriodShowsDefaultRatesAndNeedsTheHealthRate() {
        Harness h;
        QCOMPARE(h.text("edKoyRitu"), QStringLiteral("0.300"));
        QCOMPARE(h.text("edKaiRitu"), QStringLiteral("0.865"));
        QCOMPARE(h.text("edNenRitu"), QStringLiteral("9.150"));
        QCOMPARE(h.text("edKenRitu"), QStringLiteral("0.000"));
        QCOMPARE(h.text("edKknRitu"), QStringLiteral("0.000"));
        QVERIFY(h.find<QRadioButton>("rbJigyo")->isChecked());
        // The corporate number is public: shown unless the clerk hides it.
        QVERIFY(!h.find<QCheckBox>("cbHide")->isChecked());
        QCOMPARE(h.edit("edHouNo")->echoMode(), QLineEdit::Normal);
        QVERIFY(!h.edit("edSikyu01")->isEnabled());
        QCOMPARE(h.text("edSikyu01"), QStringLiteral("基本給"));
        QCOMPARE(h.find<QTabWidget>("PageCtrl")->tabText(3), QStringLiteral("共通動作設定"));
        QVERIFY(QTest::qWaitForWindowActive(&h.dialog));

        h.fillCompany();
        h.find<QTabWidget>("PageCtrl")->setCurrentIndex(3);
        h.click("btSysSave");
        QCOMPARE(h.messages.lastText(), QStringLiteral("保険料負担率が入力されていません。"));
        QCOMPARE(h.messages.shown().back().kind, MessageKind::Error);
        QCOMPARE(h.page(), 0);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.edit("edKenRitu")));
        QVERIFY(h.dialog.isVisible());
        QVERIFY(h.period.companyName.empty());  // nothing stored
    }

    void businessKindPutsItsEmploymentShare() {
        Harness h;
        h.click("rbIgai");
        QCOMPARE(h.text("edKoyRitu"), QStringLiteral("0.400"));
        h.click("rbJigyo");
        QCOMPARE(h.text("edKoyRitu"), QStringLiteral("0.300"));

        // Filling the page from a period does not overwrite its own share.
        PeriodSettings other = filledPeriod();
        other.generalBusiness = 0;
        other.employmentInsRate = 0.7;
        h.dialog.prepare(other);
        QVERIFY(h.find<QRadioButton>("rbIgai")->isChecked());
        QCOMPARE(h.text("edKoyRitu"), QStringLiteral("0.700"));
    }

    void hideShowsTheCorporateNumber() {
        PeriodSettings period = filledPeriod();
        period.corporateNumber = 7000012050002;
        Harness h(period);
        QCOMPARE(h.edit("edHouNo")->text(), QStringLiteral("7000012050002"));
        h.click("cbHide");
        QCOMPARE(h.edit("edHouNo")->echoMode(), QLineEdit::Password);
    }

    void corporateNumberMustHaveThirteenDigitsAndItsCheckDigitOrNone() {
        Harness h;
        QVERIFY(QTest::qWaitForWindowActive(&h.dialog));
        h.fillAll();
        h.set("edHouNo", QStringLiteral("123456789012"));
        h.click("btSysSave");
        QCOMPARE(h.messages.lastText(), QStringLiteral("法人番号の入力に誤りがあります。"));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.edit("edHouNo")));
        QVERIFY(h.dialog.isVisible());

        h.set("edHouNo", QStringLiteral("8000012050002"));
        h.click("btSysSave");
        QVERIFY(h.messages.lastText().contains(QStringLiteral("検査用数字")));
        QVERIFY(h.dialog.isVisible());

        h.set("edHouNo", QString());
        h.click("btSysSave");
        QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(h.period.corporateNumber, std::int64_t{0});
    }

    void attendanceNamesKeepOrAvoidTheHoursWords() {
        Harness h;
        QVERIFY(QTest::qWaitForWindowActive(&h.dialog));
        h.fillAll();
        h.type("edKintai02", QStringLiteral("出勤時間"));
        h.click("btSysSave");
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("｢時間｣や｢残業｣の文字を含んではいけません。"));
        QCOMPARE(h.page(), 2);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.edit("edKintai02")));

        h.type("edKintai02", QStringLiteral("出勤日数"));
        h.type("edKintai09", QStringLiteral("残業時間帯"));
        h.click("btSysSave");
        QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(h.settings.itemNames[8], std::string("残業時間帯"));
    }

    void duplicateAndReservedFreeItemNamesAreRefused() {
        Harness h;
        h.fillAll();
        h.set("edFixTeate2", QStringLiteral("固定手当１"));
        h.click("btSysSave");
        QCOMPARE(h.messages.lastText(), QStringLiteral("項目名が重複しています。"));
        QCOMPARE(h.page(), 1);

        h.set("edFixTeate2", QStringLiteral("賞与"));
        h.click("btSysSave");
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("項目名｢賞与｣は既に設定されている項目名です。\n"
                                "同じ項目名を複数設定する事は出来ません。"));
        QVERIFY(h.dialog.isVisible());

        h.click("btDefault1");
        QCOMPARE(h.text("edFixTeate2"), QStringLiteral("固定手当２"));
    }

    void okStoresThePeriodTheFileAndMemory() {
        Harness h;
        h.fillAll();
        h.set("edHouNo", QStringLiteral("7000012050002"));
        h.type("edFixTeate1", QStringLiteral("住宅手当"));
        h.find<QCheckBox>("cbKazei1")->setChecked(false);
        h.find<QCheckBox>("cbHoken11")->setChecked(true);
        h.click("rbSikRound");
        h.click("rbTimeStyle10");
        h.find<QCheckBox>("cbJitudou")->setChecked(false);
        QCOMPARE(h.find<QDoubleSpinBox>("edRousaiRitu")->value(), 3.0);  // その他の各種事業
        h.find<QDoubleSpinBox>("edRousaiRitu")->setValue(9.5);
        h.find<QComboBox>("cbKoyouJigyou")->setCurrentIndex(2);
        // The fixed-pay boxes carry the payment items' names, in the record's amount order.
        QCOMPARE(h.find<QCheckBox>("cbKotei4")->text(), QStringLiteral("固定手当１"));
        QCOMPARE(h.find<QCheckBox>("cbKotei7")->text(), QStringLiteral("普通残業手当"));
        QCOMPARE(h.find<QCheckBox>("cbKotei13")->text(), QStringLiteral("変動手当１"));
        QCOMPARE(h.find<QCheckBox>("cbKotei17")->text(), QStringLiteral("遅刻早退控除"));
        QVERIFY(h.find<QCheckBox>("cbKotei11")->isChecked());  // 非課税通勤費
        QVERIFY(!h.find<QCheckBox>("cbKotei7")->isChecked());
        h.find<QCheckBox>("cbKotei13")->setChecked(true);
        h.click("btSysSave");
        QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
        QVERIFY(!h.dialog.isVisible());

        const PeriodSettings& p = h.period;
        QCOMPARE(QString::fromStdString(p.companyName.utf8()), QStringLiteral("テスト商事"));
        QCOMPARE(p.corporateNumber, std::int64_t{7000012050002});
        QCOMPARE(p.payDay, 25);
        QCOMPARE(p.hoursPerDay, 8.0);
        QCOMPARE(p.generalBusiness, std::uint8_t{1});
        QCOMPARE(p.employmentInsRate, 0.3);
        QCOMPARE(p.healthInsRate, 5.14);
        QCOMPARE(p.nursingInsRate, 0.865);
        QCOMPARE(p.pensionRate, 9.15);
        QCOMPARE(p.payNextMonth, 0);

        const std::string bytes = readFile(h.iniPath);
        auto has = [&](const std::string& utf8Line) {
            return bytes.find(text::toCp932(utf8Line) + "\r\n") != std::string::npos;
        };
        QVERIFY(has("CorpName=テスト商事"));
        QVERIFY(has("DefJikanD=8.00"));
        QVERIFY(has("Kazei=101111000000"));
        QVERIFY(has("Syaho=111111000001"));
        QVERIFY(has("HasuuSik=2"));
        QVERIFY(has("TimeStyle=0"));
        QVERIFY(has("Jitudou=0"));
        QVERIFY(has("FixTeate1=\"住宅手当\""));
        QVERIFY(has("inKihon=\"基本給\""));
        QVERIFY(has("RousaiRitu=95"));
        QVERIFY(has("KoyouJigyou=2"));
        QVERIFY(has("Kotei=11111100001110000"));
        QVERIFY(h.settings.fixedPayFlags[12]);

        QCOMPARE(h.settings.companyName, std::string("テスト商事"));
        QCOMPARE(h.settings.itemNames[kFirstFreeItem], std::string("住宅手当"));
        QCOMPARE(h.settings.timeStyle, TimeStyle::Decimal);
        QCOMPARE(h.settings.monthRounding.payment, RoundingMode::Round);
        QVERIFY(!h.settings.taxableFlags[1]);
        QCOMPARE(h.settings.accidentRateTenthsPerMille, 95);
        QCOMPARE(h.settings.employmentBusiness, 2);

        // Shown again, the hours follow the new decimal format.
        h.dialog.prepare(h.period);
        QCOMPARE(h.text("edJikanD"), QStringLiteral("8.00"));
    }

    void changedPremiumRatesAskForNewPremiums() {
        {
            Harness h(filledPeriod());
            h.set("edKoyRitu", QStringLiteral("0.700"));  // employment is computed monthly
            h.click("btSysSave");
            QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
            QVERIFY(h.messages.shown().empty());
        }
        Harness h(filledPeriod());
        h.set("edKenRitu", QStringLiteral("5.140"));
        h.click("btSysSave");
        QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(h.messages.shown().back().kind, MessageKind::Information);
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("社員情報の編集画面で､保険料などの再設定が必要です。"));
    }

    // 子ども・子育て支援金: shown as stored; a period of a premium month the levy is collected for
    // offers its first rate when it has none; OK stores it and a change asks for new premiums.
    void levyRateIsEnteredLikeTheOthers() {
        {
            Harness h(filledPeriod());
            QCOMPARE(h.text("edSienRitu"), QStringLiteral("0.000"));  // before the levy
            h.dialog.prepare(h.period, levyRates());
            QCOMPARE(h.text("edSienRitu"), QStringLiteral("0.115"));
            h.click("btSysSave");
            QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
            QCOMPARE(h.period.supportRate, 0.115);
            QCOMPARE(h.messages.lastText(),
                     QStringLiteral("社員情報の編集画面で､保険料などの再設定が必要です。"));
        }
        PeriodSettings stored = filledPeriod();
        stored.supportRate = 0.12;
        Harness h(stored);
        h.dialog.prepare(h.period, levyRates());  // a rate of its own is kept
        QCOMPARE(h.text("edSienRitu"), QStringLiteral("0.120"));
        h.set("edSienRitu", QStringLiteral("-1"));
        h.click("btSysSave");
        QCOMPARE(h.messages.lastText(), QStringLiteral("保険料負担率が入力されていません。"));
        QVERIFY(h.dialog.isVisible());
        QCOMPARE(h.period.supportRate, 0.12);
        h.set("edSienRitu", QStringLiteral("0.000"));  // none may be entered
        h.click("btSysSave");
        QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(h.period.supportRate, 0.0);
    }

    // A rate above 30 % is refused naming the box; a share above 1 % (25 typed for 0.25) or a
    // health rate far from every prefecture's is asked about, and the clerk may go on.
    void implausibleRatesAreRefusedOrAskedAbout() {
        Harness h(filledPeriod());
        calc::RatesOfPeriod rates;
        rates.healthShares = {4.925, 5.14};
        rates.healthFiscalYearText = "令和8年度";
        h.dialog.prepare(h.period, rates);
        h.set("edKoyRitu", QStringLiteral("35"));
        h.click("btSysSave");
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("雇用保険の保険料負担率は0〜30%の範囲で入力してください。"));
        QCOMPARE(h.messages.shown().back().kind, MessageKind::Error);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.edit("edKoyRitu")));

        h.set("edKoyRitu", QStringLiteral("25"));
        h.set("edKenRitu", QStringLiteral("3.500"));  // a 健康保険組合's own rate
        h.messages.clear();
        h.messages.answerNext(ui::Answer::No);
        h.click("btSysSave");
        QCOMPARE(h.messages.shown().size(), std::size_t{1});
        QVERIFY(h.messages.lastText().startsWith(QStringLiteral("雇用保険の保険料負担率が1%")));
        QVERIFY(h.dialog.isVisible());
        QCOMPARE(double(h.period.employmentInsRate), 0.6);  // nothing stored

        h.set("edKoyRitu", QStringLiteral("0.500"));
        h.messages.clear();
        h.messages.answerNext(ui::Answer::Yes);
        h.click("btSysSave");
        QVERIFY(
            h.messages.shown().front().text.startsWith(QStringLiteral("健康保険の保険料負担率")));
        QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(double(h.period.healthInsRate), 3.5);
    }

    // The transfer file's company side: refused box by box on its own page, kana converted to
    // the file's half-width set, stored in section Zengin and in memory.
    void transferPageChecksConvertsAndStores() {
        Harness h(filledPeriod());
        h.set("edItakuCd", QStringLiteral("12345"));
        h.type("edItakuMei", QStringLiteral("サンプル・ショウジ"));
        h.set("edSimukeGinkoCd", QStringLiteral("99"));  // a bank code has four digits
        h.click("btSysSave");
        QCOMPARE(h.page(), static_cast<int>(ConfigPage::Transfer));
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("仕向銀行番号は4桁の数字で入力して下さい。"));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(h.edit("edSimukeGinkoCd")));
        QCOMPARE(h.dialog.result(), int(QDialog::Rejected));

        h.set("edSimukeGinkoCd", QStringLiteral("0998"));
        h.type("edSimukeSitenMei", QStringLiteral("ホンテン（カ"));  // no parentheses
        h.click("btSysSave");
        QVERIFY(
            h.messages.lastText().startsWith(QStringLiteral("仕向支店名に使用できない文字「（」")));
        QTRY_COMPARE(QApplication::focusWidget(),
                     static_cast<QWidget*>(h.edit("edSimukeSitenMei")));

        h.type("edSimukeSitenMei", QStringLiteral("ホンテン"));
        h.set("edSimukeSitenCd", QStringLiteral("001"));
        h.set("edSimukeKouzaNo", QStringLiteral("1234567"));
        h.click("rbSimukeTouza");
        h.click("btSysSave");
        QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
        const TransferOriginator stored = loadTransferOriginator(IniFile(h.iniPath));
        QCOMPARE(stored.requesterName, text::toCp932("ｻﾝﾌﾟﾙ ｼﾖｳｼﾞ"));
        QCOMPARE(stored.branchName, text::toCp932("ﾎﾝﾃﾝ"));
        QCOMPARE(stored.accountType, kCurrentAccount);
        QVERIFY(stored == h.settings.transfer);
        QCOMPARE(missingOriginatorFields(stored), std::string());
    }

    // 振込データの文字: 標準 takes the bank-registered name ｶ)ﾃｽﾄ and writes ー as '-'; 厳格
    // refuses it on OK, on the transfer page, and is kept in the ini until 標準 is chosen again.
    void transferCharacterClassIsChosenAndKept() {
        Harness h(filledPeriod());
        QVERIFY(h.find<QRadioButton>("rbMojiHyojun")->isChecked());
        h.type("edItakuMei", QStringLiteral("カ）テストショーテン"));
        emit h.edit("edItakuMei")->editingFinished();  // shown converted on leaving
        QCOMPARE(h.text("edItakuMei"), QStringLiteral("ｶ)ﾃｽﾄｼﾖ-ﾃﾝ"));

        h.click("rbMojiGenkaku");
        h.click("btSysSave");
        QCOMPARE(h.page(), static_cast<int>(ConfigPage::Transfer));
        QVERIFY2(
            h.messages.lastText().startsWith(QStringLiteral("委託者名に使用できない文字「)」")),
            qPrintable(h.messages.lastText()));
        QCOMPARE(h.dialog.result(), int(QDialog::Rejected));

        h.type("edItakuMei", QStringLiteral("テストショウテン"));
        h.click("btSysSave");
        QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(IniFile(h.iniPath).readInt("Zengin", "MojiSyu", 0), 1);
        QCOMPARE(h.settings.transfer.characters, TransferCharacters::Strict);

        Harness again(filledPeriod());
        again.settings.transfer = loadTransferOriginator(IniFile(h.iniPath));
        again.dialog.prepare(again.period);
        QVERIFY(again.find<QRadioButton>("rbMojiGenkaku")->isChecked());
    }

    void cancelWithoutCompanyAsksFirst() {
        Harness h;
        h.messages.answerNext(ui::Answer::No);
        h.click("btCancel");
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("基本情報が未設定の状態では、処理は正常に行われません。\n"
                                "設定を行わず、この画面を閉じますか？"));
        QVERIFY(h.dialog.isVisible());
        h.dialog.close();  // the close button asks too: はい this time
        QCOMPARE(h.messages.shown().size(), std::size_t{2});
        QVERIFY(!h.dialog.isVisible());
        QCOMPARE(h.dialog.result(), int(QDialog::Rejected));

        Harness named(filledPeriod());
        named.set("edKenRitu", QStringLiteral("9.999"));
        named.click("btCancel");
        QVERIFY(named.messages.shown().empty());
        QVERIFY(!named.dialog.isVisible());
        QCOMPARE(named.period.healthInsRate, 4.955);  // nothing stored
    }

    void unwritableConfigurationStoresNothing() {
        Harness h(filledPeriod());
        writeFileAtomic(h.iniPath, "[Option]\r\n");
        std::filesystem::permissions(h.iniPath, std::filesystem::perms::owner_read);
        h.type("edSyamei", QStringLiteral("新しい会社"));
        h.click("btSysSave");
        QCOMPARE(h.messages.shown().back().kind, MessageKind::Error);
        QVERIFY(h.dialog.isVisible());
        QCOMPARE(QString::fromStdString(h.period.companyName.utf8()),
                 QStringLiteral("株式会社ケイロ"));
        QCOMPARE(h.settings.companyName, std::string("Nil"));
    }

    void rateButtonPutsHalfTheChosenRate() {
        Harness h(filledPeriod());
        writeFileAtomic(h.folder / "健康保険料率.dat",
                        calc::sealTable(text::toCp932("北海道    10.28\r\n東京都     9.85\r\n")));
        // The rate window is modal: pick the first line once it is up.
        bool picked = false;
        QTimer driver;
        driver.setInterval(10);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            auto* window = qobject_cast<RateTableWindow*>(QApplication::activeModalWidget());
            if (window == nullptr || picked) return;
            picked = true;
            auto* list = window->findChild<QListWidget*>("lbKenRitu");
            list->setCurrentRow(0);
            window->acceptRate();
        });
        driver.start();
        h.click("btKenRitu");
        driver.stop();
        QVERIFY(picked);
        QCOMPARE(h.edit("edKenRitu")->text(), QStringLiteral(" 5.140"));
        QCOMPARE(h.messages.lastText(),
                 QStringLiteral("選択した健康保険料率の半分の値がセットされます。"));

        h.click("btSetPass");
        QCOMPARE(h.passwordWindows, 1);
    }
};

}  // namespace keiro::payroll

using keiro::payroll::ConfigDialogTest;
KEIRO_QTEST(ConfigDialogTest);

#include "config_dialog_test.moc"
