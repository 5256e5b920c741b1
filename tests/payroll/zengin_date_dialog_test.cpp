// The 取組日 asked before the transfer file is written: the proposed business day and why the
// pay date was moved, the day shown as it changes, OK refused on a day banks are closed.  With
// KEIRO_ZENGIN_SHOTS naming a folder the dialog and the settings' transfer page are kept as
// pictures for a person to look at.
#include "payroll/zengin_date_dialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <cstring>

#include "core/ini.h"
#include "core/settings.h"
#include "payroll/config_dialog.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/support/temp_folder.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

CalendarDate ymd(int y, unsigned m, unsigned d) {
    return CalendarDate{std::chrono::year(y), std::chrono::month(m), std::chrono::day(d)};
}

void keepPicture(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("KEIRO_ZENGIN_SHOTS");
    if (folder.isEmpty()) return;
    QVERIFY(widget.grab().save(folder + "/" + name));
}

}  // namespace

class ZenginDateDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrder() {
        const BankCalendar calendar =
            BankCalendar::load(KEIRO_SOURCE_DIR "/data/public_holidays.csv");
        ui::ScriptedMessageService messages;
        ZenginDateDialog dialog(nullptr, calendar, messages);
        KEIRO_VERIFY_TAB_ORDER(dialog);
    }

    void proposesABusinessDayAndRefusesAClosedOne() {
        const BankCalendar calendar =
            BankCalendar::load(KEIRO_SOURCE_DIR "/data/public_holidays.csv");
        ui::ScriptedMessageService messages;
        ZenginDateDialog dialog(nullptr, calendar, messages);
        dialog.propose({ymd(2026, 1, 25), ymd(2026, 1, 23)});  // paid on a Sunday
        dialog.show();
        auto* edit = dialog.findChild<QDateEdit*>("edKumiDate");
        auto* day = dialog.findChild<QLabel*>("lbKumiYobi");
        QCOMPARE(edit->date(), QDate(2026, 1, 23));
        QCOMPARE(day->text(), QStringLiteral("(金)"));
        QCOMPARE(dialog.findChild<QLabel*>("lbKumiNote")->text(),
                 QStringLiteral("支給日 2026年1月25日(日) は銀行の休業日(日曜日)のため、"
                                "前の営業日にしています。"));
        keepPicture(dialog, "zengin_date_dialog.png");

        edit->setDate(QDate(2026, 1, 12));
        QCOMPARE(day->text(), QStringLiteral("(月) 銀行休業日: 成人の日"));
        auto* ok = dialog.findChild<QDialogButtonBox*>("bbButtons")->button(QDialogButtonBox::Ok);
        ok->click();
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.lastText(),
                 QStringLiteral("2026年1月12日(月)は銀行の休業日(成人の日)です。\n"
                                "取組日には銀行の営業日を指定して下さい。"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        edit->setDate(QDate(2030, 1, 15));  // beyond the table: said so
        QVERIFY(day->text().contains(QStringLiteral("祝日表にない年")));

        edit->setDate(QDate(2026, 1, 26));
        ok->click();
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.date() == ymd(2026, 1, 26));

        // On time: the note says the pay date and nothing was moved.
        ZenginDateDialog onTime(nullptr, calendar, messages);
        onTime.propose({ymd(2026, 11, 25), ymd(2026, 11, 25)});
        QCOMPARE(onTime.findChild<QLabel*>("lbKumiNote")->text(),
                 QStringLiteral("支給日 2026年11月25日(水) です。"));
    }

    void transferPagePicture() {
        if (qEnvironmentVariable("KEIRO_ZENGIN_SHOTS").isEmpty())
            QSKIP("KEIRO_ZENGIN_SHOTS names no folder");
        testing_support::TempFolder folder{"keiro-zengin-shot"};
        IniFile ini{folder / "Keiro.ini"};
        Settings settings = loadSettings(ini);
        ui::ScriptedMessageService messages;
        ConfigDialog dialog(nullptr, settings, ini, messages, folder / "rates.dat", [] {});
        PeriodSettings period;
        std::memset(&period, 0, sizeof period);
        dialog.prepare(period);
        dialog.findChild<QTabWidget*>("PageCtrl")
            ->setCurrentIndex(static_cast<int>(ConfigPage::Transfer));
        dialog.show();
        keepPicture(dialog, "transfer_settings_page.png");
    }
};

}  // namespace keiro::payroll

using keiro::payroll::ZenginDateDialogTest;
KEIRO_QTEST(ZenginDateDialogTest);

#include "zengin_date_dialog_test.moc"
