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

const std::vector<TfmMain::Command>& TfmMain::commands() {
    using N = Needs;
    static const std::vector<Command> table{
        {"imFileSave", &TfmMain::imFileSaveClick, N::OpenPeriod},
        {"imSyainEdit", &TfmMain::imSyainEditClick, N::OpenPeriod},
        {"imReturn", &TfmMain::imReturnClick, N::Nothing},
        // 設定
        {"sbConfig", &TfmMain::sbConfigClick, N::OpenPeriod},
        {"sbPrnFormK", &TfmMain::sbPrnFormKClick, N::SalaryMonth},
        {"sbPrnFormS", &TfmMain::sbPrnFormSClick, N::BonusPeriod},
        {"sbDaicho", &TfmMain::sbDaichoClick, N::Nothing},
        {"sbOpeningTotals", &TfmMain::sbOpeningTotalsClick, N::Employee},
        // 印刷
        {"sbMeisaihyo", &TfmMain::sbMeisaihyoClick, N::Employee},
        {"sbKyuyoDaicho", &TfmMain::sbKyuyoDaichoClick, N::Employee},
        {"sbKyuyoIchiran", &TfmMain::sbKyuyoIchiranClick, N::Employee},
        {"sbFuriList", &TfmMain::sbFuriListClick, N::Employee},
        {"sbFuriData", &TfmMain::sbFuriDataClick, N::Employee},
        {"sbKinsyuList", &TfmMain::sbKinsyuListClick, N::Employee},
        {"sbSantei", &TfmMain::sbSanteiClick, N::Employee},
        {"sbGetsuhen", &TfmMain::sbGetsuhenClick, N::Employee},
        {"sbSyoyoTodoke", &TfmMain::sbSyoyoTodokeClick, N::BonusPeriod},
        {"sbNendoKoshin", &TfmMain::sbNendoKoshinClick, N::Employee},
        {"sbChoshudaka", &TfmMain::sbChoshudakaClick, N::Employee},
        {"sbJuuminList", &TfmMain::sbJuuminListClick, N::Employee},
        // データ入力: the panel opens only with an employee to enter for
        {"imDataEdit", nullptr, N::Employee},
        {"sbDataEdit", &TfmMain::sbDataEditClick, N::Employee},
        {"sbKintaiInport", &TfmMain::ImportAttendance, N::Employee},
        // 情報
        {"sbVerInfo", &TfmMain::sbVerInfoClick, N::Nothing},
        {"sbManual", &TfmMain::sbManualClick, N::Nothing},
        {"sbShowLog", &TfmMain::sbShowLogClick, N::Nothing},
    };
    return table;
}

bool TfmMain::isSatisfied(Needs needs) const {
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

void TfmMain::refreshCommands() {
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

void TfmMain::toolTrayClick(const QString& name) {
    for (const Command& command : commands()) {
        if (name != QLatin1String(command.name)) continue;
        if (command.handler == nullptr || !isSatisfied(command.needs)) return;
        ui::runCommand(this, context_.messages, [this, &command] { (this->*command.handler)(); });
        return;
    }
}

}  // namespace keiro::payroll
