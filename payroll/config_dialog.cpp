#include "payroll/config_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

#include "core/fileio.h"
#include "core/text.h"
#include "payroll/config_behaviour_page.h"
#include "payroll/config_company_page.h"
#include "payroll/config_free_items_page.h"
#include "payroll/config_item_names_page.h"
#include "payroll/config_social_page.h"
#include "payroll/config_transfer_page.h"
#include "payroll/config_widgets.h"
#include "payroll/rate_table_window.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

ConfigDialog::ConfigDialog(QWidget* parent, Settings& settings, IniFile& ini,
                           ui::MessageService& messages, std::filesystem::path rateListPath,
                           std::function<void()> openPasswordWindow)
    : QDialog(parent),
      settings_(settings),
      ini_(ini),
      messages_(messages),
      rateListPath_(std::move(rateListPath)),
      openPasswordWindow_(std::move(openPasswordWindow)),
      pageTabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("TfmConfig"));
    setWindowTitle(QStringLiteral("共通設定画面"));

    company_ = new ConfigCompanyPage(pageTabs_, settings, messages);
    freeItems_ = new ConfigFreeItemsPage(pageTabs_, settings, messages);
    itemNames_ = new ConfigItemNamesPage(pageTabs_, settings, messages);
    behaviour_ = new ConfigBehaviourPage(pageTabs_);
    transfer_ = new ConfigTransferPage(pageTabs_, entrySettings(settings), messages);
    social_ = new ConfigSocialPage(pageTabs_);
    pageTabs_->setObjectName(QStringLiteral("PageCtrl"));
    pageTabs_->addTab(company_, QStringLiteral("基本情報設定"));
    pageTabs_->addTab(freeItems_, QStringLiteral("自由項目設定"));
    pageTabs_->addTab(itemNames_, QStringLiteral("項目名称変更"));
    pageTabs_->addTab(behaviour_, QStringLiteral("共通動作設定"));
    pageTabs_->addTab(transfer_, QStringLiteral("振込データ設定"));
    pageTabs_->addTab(social_, QStringLiteral("社会保険・労働保険"));

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("btSysSave"));
    okButton->setAutoDefault(false);
    auto* cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton->setObjectName(QStringLiteral("btCancel"));
    cancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageTabs_);
    layout->addLayout(buttons);

    ui::connectCommand(okButton, this, messages_, &ConfigDialog::checkAndSave);
    connect(cancelButton, &QPushButton::clicked, this, [this] { reject(); });
    connect(company_, &ConfigCompanyPage::healthRateChoiceRequested, this,
            [this] { ui::runCommand(this, messages_, [this] { chooseHealthRate(); }); });
    connect(company_, &ConfigCompanyPage::passwordRequested, this, [this] {
        if (openPasswordWindow_) ui::runCommand(this, messages_, openPasswordWindow_);
    });
}

int ConfigDialog::exec(PeriodSettings& period, const calc::RatesOfPeriod& rates) {
    prepare(period, rates);
    const int result = QDialog::exec();
    period_ = nullptr;  // the caller's period is not ours to keep
    return result;
}

void ConfigDialog::prepare(PeriodSettings& period, const calc::RatesOfPeriod& rates) {
    period_ = &period;
    rates_ = rates;
    // The hours format may have changed since the boxes were made.
    ui::EditBehaviour::applySettings(this, entrySettings(settings_));
    company_->load(period, rates);
    freeItems_->load(settings_);
    itemNames_->load(settings_);
    behaviour_->load(settings_);
    transfer_->load(settings_.transfer);
    social_->load(settings_);
    pageTabs_->setCurrentIndex(0);
    shown_ = company_->entry();
    // A levy rate offered where the period has none is a change: no premium includes it yet.
    shown_.supportRate = period.supportRate;
}

ItemNameEntries ConfigDialog::enteredNames() const {
    ItemNameEntries names;
    names.attendance = itemNames_->attendanceNames();
    names.payment = itemNames_->paymentNames();
    names.freeItems = freeItems_->names();
    names.extraBonusCaption = freeItems_->extraBonusCaption();
    return names;
}

void ConfigDialog::selectControl(const ConfigFailure& failure) {
    pageTabs_->setCurrentIndex(static_cast<int>(failure.page));
    if (auto* box = findChild<QWidget*>(qs(failure.control))) box->setFocus();
}

void ConfigDialog::showFailure(const ConfigFailure& failure) {
    selectControl(failure);
    messages_.error(this, qs(failure.message));
}

void ConfigDialog::checkAndSave() {
    if (period_ == nullptr) return;
    const CompanyEntry entered = company_->entry();
    if (const auto failure = checkConfigEntries(entered, enteredNames())) {
        showFailure(*failure);
        return;
    }
    const OriginatorCheck transfer = checkOriginatorEntry(transfer_->entry());
    if (transfer.failure) {
        showFailure({ConfigPage::Transfer,
                     std::string(ConfigTransferPage::control(transfer.failure->field)),
                     transfer.failure->message});
        return;
    }
    for (const ConfigFailure& warning : rateWarnings(shown_, entered, rates_)) {
        if (messages_.confirm(this, qs(warning.message), true)) continue;
        selectControl(warning);
        return;
    }

    // Everything is prepared on copies and the file written first, so that a failure leaves
    // the period and the settings in memory as they were.
    PeriodSettings period = *period_;
    Settings settings = settings_;
    try {
        company_->store(period);
        settings.companyName = entered.companyName;
        settings.defaultHoursPerDay = entered.hoursPerDay;
        freeItems_->store(settings);
        itemNames_->store(settings);
        behaviour_->store(settings);
        social_->store(settings);
        saveCommonSettings(ini_, settings);
        settings.transfer = transfer.converted;
        saveTransferOriginator(ini_, settings.transfer);
        saveSocialSettings(ini_, settings);
    } catch (const IoError& e) {
        messages_.error(this, QString::fromStdString(e.what()));
        return;
    } catch (const text::EncodingError& e) {
        messages_.error(this, QString::fromStdString(e.what()));
        return;
    }
    *period_ = period;
    settings_ = std::move(settings);

    if (premiumRatesChanged(shown_, entered))
        messages_.information(this, qs(std::string(kMsgRatesChanged)));
    accept();
}

void ConfigDialog::chooseHealthRate() {
    RateTableWindow window(this, messages_, rateListPath_);
    if (const auto half = window.choose()) company_->setHealthRate(*half);
}

bool ConfigDialog::mayClose() {
    if (period_ == nullptr || !period_->companyName.empty()) return true;
    return messages_.confirm(this, qs(std::string(kMsgCloseWithoutCompany)));
}

void ConfigDialog::reject() {
    if (mayClose()) QDialog::reject();
}

}  // namespace keiro::payroll
