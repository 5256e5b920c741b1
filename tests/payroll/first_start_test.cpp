// A new office's first start: the month opens with the short set-up instead of the settings
// dialog and a warning; the answers go into the period and the address into the settings file;
// 後で設定 leads to the settings dialog as before.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "calc/payroll_tables.h"
#include "core/company_address.h"
#include "core/startup.h"
#include "payroll/first_start_dialog.h"
#include "payroll/main_window.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/support/temp_folder.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

class FirstStartTest : public QObject {
    Q_OBJECT

    // December 2026 opened on an empty settings root, as the data selection leaves it.
    struct NewOffice {
        testing_support::TempFolder folder{"keiro-new-office"};
        Places places = placesUnder(folder / "root", KEIRO_BINARY_DIR "/bin");
        StartupState state = startWithoutWindows(
            places, std::chrono::year_month_day{std::chrono::year(2026), std::chrono::month(12),
                                                std::chrono::day(8)});
        IniFile ini{places.iniFile};
        calc::PayrollTables tables = calc::loadPayrollTables(places);
        ui::ScriptedMessageService messages;
        ui::ScriptedFileDialogs dialogs;
        YearData year;
        std::unique_ptr<MainWindow> window;

        NewOffice() {
            year.setFile(state.currentYearFile, state.currentYear.eraName,
                         state.currentYear.eraYear, state.eraNames);
            year.openPeriod(12, {20, 160.0, 0, 0}, {});
            MainContext context{places,         ini,      state.settings, tables,
                                state.eraNames, messages, dialogs,        2026};
            window = std::make_unique<MainWindow>(context, year);
            window->show();
        }
        // Starts the month; `answer` runs on the window that comes up.
        void begin(const std::function<void(QDialog*)>& answer) {
            window->beginPeriod(true);
            bool answered = false;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog != nullptr);
                answer(dialog);
                if (dialog->isVisible()) dialog->reject();  // a failed check left it open
                answered = true;
            });
            QTRY_VERIFY(answered);
        }
    };

    static void type(QDialog* dialog, const char* name, const QString& text) {
        dialog->findChild<QLineEdit*>(name)->setText(text);
    }

  private slots:
    void theSetUpFillsTheFirstMonthAndTheSharedAddressWithoutAWarning() {
        NewOffice office;
        int tokyo = -1;
        office.begin([&](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("TfmFirstSetup"));
            KEIRO_VERIFY_TAB_ORDER(*dialog);
            auto* ok = dialog->findChild<QPushButton*>("btOK");
            ok->click();  // nothing entered yet
            QCOMPARE(office.messages.lastText(), QStringLiteral("会社名称を入力して下さい。"));
            type(dialog, "edSyamei", QStringLiteral("山田商店"));
            type(dialog, "edJusyo1", QStringLiteral("東京都千代田区丸の内１－１－１"));
            type(dialog, "edTelNo", QStringLiteral("03-1234-5678"));
            auto* prefectures = dialog->findChild<QComboBox*>("cbKen");
            tokyo = prefectures->findText(QStringLiteral("東京都"), Qt::MatchStartsWith);
            QVERIFY(tokyo > 0);
            prefectures->setCurrentIndex(tokyo);
            type(dialog, "edSimebi", QStringLiteral("31"));
            type(dialog, "edSikyubi", QStringLiteral("25"));
            QCOMPARE(dialog->findChild<QLabel*>("lbSikyuTuki")->text(),
                     QStringLiteral("→ 締めた月の翌月に支給"));
            ok->click();
        });
        const PeriodSettings& settings = office.year.block().settings;
        QCOMPARE(QString::fromStdString(settings.companyName.utf8()), QStringLiteral("山田商店"));
        QCOMPARE(settings.payDay, 25);
        QCOMPARE(settings.payNextMonth, 1);
        QCOMPARE(settings.scheduledDays, 20);
        const calc::RatesOfPeriod rates =
            calc::ratesOfPeriod(calc::PremiumRateHistory::load(
                                    *findTableFile(office.places, calc::kPremiumRateFileName)),
                                calc::rateMonthsOf(2026, 12, 0), 0);
        QCOMPARE(settings.healthInsRate, rates.healthShares[static_cast<std::size_t>(tokyo - 1)]);
        QCOMPARE(settings.pensionRate, rates.pension);
        QVERIFY(settings.supportRate > 0);  // the levy is due from April 2026's premiums
        // One message in all: the company name asked for above.
        QCOMPARE(office.messages.shown().size(), std::size_t{1});
        const CompanyAddress stored = readCompanyAddress(IniFile(office.places.iniFile));
        QCOMPARE(QString::fromStdString(stored.address1),
                 QStringLiteral("東京都千代田区丸の内１－１－１"));
        QCOMPARE(QString::fromStdString(stored.prefecture), QStringLiteral("東京都"));
        QCOMPARE(stored.closingDay, 31);
    }

    void laterOpensTheSettingsDialogAsBefore() {
        NewOffice office;
        bool settingsShown = false;
        office.begin([&](QDialog* setUp) {
            QTimer::singleShot(0, [&] {
                QWidget* next = QApplication::activeModalWidget();
                settingsShown = next != nullptr && next->objectName() == "TfmConfig";
                if (next) qobject_cast<QDialog*>(next)->reject();
            });
            setUp->findChild<QPushButton*>("btCancel")->click();
        });
        QTRY_VERIFY(settingsShown);
        QVERIFY(office.year.block().settings.companyName.empty());
    }
};

KEIRO_QTEST(FirstStartTest);

}  // namespace keiro::payroll

#include "first_start_test.moc"
