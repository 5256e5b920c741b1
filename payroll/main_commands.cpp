// The main window's command table: each tool-tray button once, with its handler and what it
// needs before it can be used.  A new window plugs in by adding its row.

#include <QToolButton>

#include "payroll/main_window.h"
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

const std::vector<MainWindow::Command>& MainWindow::commands() {
    using N = Needs;
    static const std::vector<Command> table{
        {"imFileSave", &MainWindow::imFileSaveClick, N::OpenPeriod},
        {"imSyainEdit", &MainWindow::imSyainEditClick, N::OpenPeriod},
        {"imReturn", &MainWindow::imReturnClick, N::Nothing},
        // 設定
        {"sbConfig", &MainWindow::sbConfigClick, N::OpenPeriod},
        {"sbPrnFormK", &MainWindow::sbPrnFormKClick, N::SalaryMonth},
        {"sbPrnFormS", &MainWindow::sbPrnFormSClick, N::BonusPeriod},
        {"sbDaicho", &MainWindow::sbDaichoClick, N::Nothing},
        {"sbOpeningTotals", &MainWindow::sbOpeningTotalsClick, N::Employee},
        // 印刷
        {"sbMeisaihyo", &MainWindow::sbMeisaihyoClick, N::Employee},
        {"sbKyuyoDaicho", &MainWindow::sbKyuyoDaichoClick, N::Employee},
        {"sbKyuyoIchiran", &MainWindow::sbKyuyoIchiranClick, N::Employee},
        {"sbFuriList", &MainWindow::sbFuriListClick, N::Employee},
        {"sbFuriData", &MainWindow::sbFuriDataClick, N::Employee},
        {"sbKinsyuList", &MainWindow::sbKinsyuListClick, N::Employee},
        {"sbSantei", &MainWindow::sbSanteiClick, N::Employee},
        {"sbGetsuhen", &MainWindow::sbGetsuhenClick, N::Employee},
        {"sbSyoyoTodoke", &MainWindow::sbSyoyoTodokeClick, N::BonusPeriod},
        {"sbNendoKoshin", &MainWindow::sbNendoKoshinClick, N::Employee},
        {"sbChoshudaka", &MainWindow::sbChoshudakaClick, N::Employee},
        {"sbJuuminList", &MainWindow::sbJuuminListClick, N::Employee},
        // データ入力: the panel opens only with an employee to enter for
        {"imDataEdit", nullptr, N::Employee},
        {"sbDataEdit", &MainWindow::sbDataEditClick, N::Employee},
        {"sbKintaiInport", &MainWindow::ImportAttendance, N::Employee},
        // 情報
        {"sbVerInfo", &MainWindow::sbVerInfoClick, N::Nothing},
        {"sbManual", &MainWindow::sbManualClick, N::Nothing},
        {"sbShowLog", &MainWindow::sbShowLogClick, N::Nothing},
    };
    return table;
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
        case Needs::NotBuilt:
            break;
    }
    return false;
}

void MainWindow::refreshCommands() {
    for (const Command& command : commands()) {
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
                case Needs::NotBuilt:
                case Needs::Nothing:
                    tip = QString::fromUtf8(kNotAvailableYet);
                    break;
            }
        }
        button->setToolTip(tip);
    }
}

void MainWindow::toolTrayClick(const QString& name) {
    for (const Command& command : commands()) {
        if (name != QLatin1String(command.name)) continue;
        if (command.handler == nullptr || !isSatisfied(command.needs)) return;
        ui::runCommand(this, context_.messages, [this, &command] { (this->*command.handler)(); });
        return;
    }
}

}  // namespace keiro::payroll
