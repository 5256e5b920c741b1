// The main window's command table: each tool-tray button once, with what it does and what it
// needs before it can be used.  A new window plugs in by adding its row.

#include <QToolButton>

#include "payroll/main_window.h"
#include "payroll/period_records.h"
#include "payroll/report_printing.h"
#include "payroll/social_insurance_tasks.h"
#include "payroll/tool_tray.h"
#include "widgets/command_runner.h"

namespace keiro::payroll {
namespace {

constexpr const char* kNeedsOpenPeriod = "給与対象月/賞与時期を選択すると使えます。";
constexpr const char* kNeedsEmployee = "社員が登録されていないため使えません。";
constexpr const char* kNeedsSalaryMonth = "給与の対象月を選択すると使えます。";
constexpr const char* kNeedsBonusPeriod = "賞与時期を選択すると使えます。";
// The tooltip a button had when the program started, given back when it is enabled again.
constexpr const char* kOwnTip = "keiroOwnTip";

}  // namespace

std::vector<MainWindow::Command> MainWindow::makeCommands() {
    using N = Needs;
    return {
        {"imFileSave", N::OpenPeriod, [this] { savePeriod(); }},
        {"imSyainEdit", N::OpenPeriod, [this] { records_->editEmployees(); }},
        {"imReturn", N::Nothing, [this] { changePeriod(); }},
        // 設定
        {"sbConfig", N::OpenPeriod, [this] { editSettings(); }},
        {"sbPrnFormK", N::SalaryMonth, [this] { editSlipLayout(LayoutKind::Salary); }},
        {"sbPrnFormS", N::BonusPeriod, [this] { editSlipLayout(LayoutKind::Bonus); }},
        {"sbDaicho", N::Nothing, [this] { editLedgerItems(); }},
        {"sbOpeningTotals", N::Employee, [this] { records_->editOpeningTotals(); }},
        // 印刷
        {"sbMeisaihyo", N::Employee, [this] { reports_->printPaySlips(); }},
        {"sbKyuyoDaicho", N::Employee, [this] { reports_->printLedger(); }},
        {"sbGraph", N::Employee, [this] { showYearChart(); }},
        {"sbKyuyoIchiran", N::Employee, [this] { reports_->printMonthlyList(); }},
        {"sbFuriList", N::Employee, [this] { reports_->printTransferList(); }},
        {"sbFuriData", N::Employee, [this] { reports_->writeTransferFile(); }},
        {"sbKinsyuList", N::Employee, [this] { reports_->printDenominations(); }},
        {"sbSantei", N::Employee, [this] { socialInsurance_->showYearlyDecision(); }},
        {"sbGetsuhen", N::Employee, [this] { socialInsurance_->showMonthlyRevisions(); }},
        {"sbSyoyoTodoke", N::BonusPeriod, [this] { socialInsurance_->showBonusPaymentReport(); }},
        {"sbNendoKoshin", N::Employee, [this] { socialInsurance_->showYearlyRenewal(); }},
        {"sbChoshudaka", N::Employee, [this] { reports_->printTaxPayment(); }},
        {"sbJuuminList", N::Employee, [this] { reports_->printResidentTaxList(); }},
        // データ入力: the panel opens only with an employee to enter for
        {"imDataEdit", N::Employee, {}},
        {"sbDataEdit", N::Employee, [this] { records_->enterEmployeePay(); }},
        {"sbKintaiInport", N::Employee, [this] { records_->importAttendance(); }},
        // 情報
        {"sbVerInfo", N::Nothing, [this] { showVersion(); }},
        {"sbManual", N::Nothing, [this] { openManual(); }},
        {"sbShowLog", N::Nothing, [this] { showLog(); }},
    };
}

bool MainWindow::isSatisfied(Needs needs) const {
    switch (needs) {
        case Needs::Nothing:
            return true;
        case Needs::OpenPeriod:
            return year_.period() != 0;
        case Needs::Employee:
            return year_.period() != 0 && year_.block().employee(1).isUsed();
        case Needs::SalaryMonth:
            return year_.period() != 0 && !isBonusPeriod(year_.period());
        case Needs::BonusPeriod:
            return year_.period() != 0 && isBonusPeriod(year_.period());
    }
    return false;
}

void MainWindow::refreshCommands() {
    for (const Command& command : commands_) {
        QToolButton* button = tray_->button(QString::fromLatin1(command.name));
        if (!button->property(kOwnTip).isValid()) button->setProperty(kOwnTip, button->toolTip());
        const bool enabled = isSatisfied(command.needs);
        button->setEnabled(enabled);
        QString tip = button->property(kOwnTip).toString();
        if (!enabled) {
            switch (command.needs) {
                case Needs::OpenPeriod:
                    tip = QString::fromUtf8(kNeedsOpenPeriod);
                    break;
                case Needs::Employee:
                    tip = QString::fromUtf8(kNeedsEmployee);
                    break;
                case Needs::SalaryMonth:
                    tip = QString::fromUtf8(kNeedsSalaryMonth);
                    break;
                case Needs::BonusPeriod:
                    tip = QString::fromUtf8(kNeedsBonusPeriod);
                    break;
                case Needs::Nothing:  // always enabled
                    break;
            }
        }
        button->setToolTip(tip);
    }
}

void MainWindow::runTrayCommand(const QString& name) {
    for (const Command& command : commands_) {
        if (name != QLatin1String(command.name)) continue;
        if (!command.run || !isSatisfied(command.needs)) return;
        ui::runCommand(this, context_.messages, command.run);
        return;
    }
}

}  // namespace keiro::payroll
