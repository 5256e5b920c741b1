#pragma once
// ConfigDialog, "共通設定画面": the company settings of the open period and the program-wide
// settings of the configuration file, on five pages.  OK checks everything first, then stores
// the period settings, the configuration file and the settings in memory together.

#include <QDialog>
#include <filesystem>
#include <functional>

#include "core/ini.h"
#include "core/records.h"
#include "core/settings.h"
#include "payroll/config_checks.h"

class QTabWidget;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

class ConfigCompanyPage;
class ConfigFreeItemsPage;
class ConfigItemNamesPage;
class ConfigBehaviourPage;
class ConfigTransferPage;
class ConfigSocialPage;

class ConfigDialog : public QDialog {
    Q_OBJECT
  public:
    // `settings` is the program's settings in memory and `ini` its configuration file; the
    // prefecture rate list is read from `rateListPath` each time it is opened; `openPasswordWindow`
    // shows the password window.
    ConfigDialog(QWidget* parent, Settings& settings, IniFile& ini, ui::MessageService& messages,
                 std::filesystem::path rateListPath, std::function<void()> openPasswordWindow);

    // Shows the dialog modally over the open period's settings; QDialog::Accepted once OK has
    // stored everything.  `rates`: the published rates of the period's months, the defaults of
    // empty rate boxes and what an entered health rate is compared with.
    int exec(PeriodSettings& period, const calc::RatesOfPeriod& rates = {});

    // Fills the pages from the period (with the defaults of a new period) and from memory, and
    // remembers the rates on show.  exec does this; tests call it before show().
    void prepare(PeriodSettings& period, const calc::RatesOfPeriod& rates = {});
    // OK: the checks, then storing.
    void checkAndSave();
    // 健康保険料率選択: half the chosen prefecture rate into the health rate box.
    void chooseHealthRate();
    // Cancel, Escape and the close button: with no company name stored yet, asks first.
    void reject() override;

  private:
    using QDialog::exec;
    bool mayClose();
    // Selects the page of the failure's box and focuses the box.
    void selectControl(const ConfigFailure& failure);
    void showFailure(const ConfigFailure& failure);
    ItemNameEntries enteredNames() const;

    Settings& settings_;
    IniFile& ini_;
    ui::MessageService& messages_;
    std::filesystem::path rateListPath_;
    std::function<void()> openPasswordWindow_;
    PeriodSettings* period_ = nullptr;
    CompanyEntry shown_;
    calc::RatesOfPeriod rates_;

    QTabWidget* pageTabs_;
    ConfigCompanyPage* company_;
    ConfigFreeItemsPage* freeItems_;
    ConfigItemNamesPage* itemNames_;
    ConfigBehaviourPage* behaviour_;
    ConfigTransferPage* transfer_;
    ConfigSocialPage* social_;
};

}  // namespace keiro::payroll
