#include "payroll/config_free_items_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "payroll/config_widgets.h"
#include "widgets/command_runner.h"

namespace keiro::payroll {
namespace {

constexpr int kNameWidth = 130;

}  // namespace

ConfigFreeItemsPage::ConfigFreeItemsPage(QWidget* parent, const Settings& settings,
                                         ui::MessageService& messages)
    : QWidget(parent) {
    setObjectName(QStringLiteral("tsFreeItem"));
    const ui::EntrySettings entry = entrySettings(settings);
    auto nameBox = [&](const std::string& objectName) {
        QLineEdit* edit = namedLineEdit(this, qs(objectName));
        edit->setFixedWidth(kNameWidth);
        ui::TextEntry::attach(edit, kItemNameMaxBytes, entry, messages);
        return edit;
    };

    // A row: the standard name, the box, and for the twelve free items their two flags.
    auto addRow = [&](QGridLayout* grid, int row, int index) {
        grid->addWidget(
            label(this, qs(std::string(kItemDefinitions[kFirstFreeItem + index].defaultName))), row,
            0);
        names_[index] = nameBox(freeNameControl(index));
        grid->addWidget(names_[index], row, 1);
        if (index >= kFreeItemCount) return;
        taxable_[index] = new QCheckBox(QStringLiteral("課税対象"), this);
        taxable_[index]->setObjectName(qs(taxableFlagControl(index)));
        socialIns_[index] = new QCheckBox(QStringLiteral("社保算定対象"), this);
        socialIns_[index]->setObjectName(qs(socialInsFlagControl(index)));
        grid->addWidget(taxable_[index], row, 2);
        grid->addWidget(socialIns_[index], row, 3);
    };
    auto group = [&](const QString& title, int first, int count) {
        auto* box = new QGroupBox(title, this);
        auto* grid = new QGridLayout(box);
        for (int i = 0; i < count; ++i) addRow(grid, i, first + i);
        grid->setColumnStretch(4, 1);
        return box;
    };

    // Made in reading order, which is the Tab order.
    QGroupBox* payItems = group(QStringLiteral("支給項目"), 0, 6);
    QGroupBox* deductions = group(QStringLiteral("控除項目"), 6, 6);
    QGroupBox* others = group(QStringLiteral("その他"), 12, 3);
    extraBonusCaptionEdit_ = nameBox(std::string(kExtraBonusCaptionControl));
    auto* bonus = new QGroupBox(QStringLiteral("賞与"), this);
    auto* bonusRow = new QGridLayout(bonus);
    bonusRow->addWidget(label(this, QStringLiteral("特別賞与")), 0, 0);
    bonusRow->addWidget(extraBonusCaptionEdit_, 0, 1);
    bonusRow->setColumnStretch(2, 1);

    auto* defaultsButton = new QPushButton(QStringLiteral("初期状態に戻す"), this);
    defaultsButton->setObjectName(QStringLiteral("btDefault1"));
    ui::connectCommand(defaultsButton, this, messages, &ConfigFreeItemsPage::restoreDefaultNames);

    auto* items = new QGridLayout;
    items->addWidget(payItems, 0, 0);
    items->addWidget(deductions, 0, 1);
    items->addWidget(others, 1, 0);
    items->addWidget(bonus, 1, 1, Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(defaultsButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(items);
    layout->addStretch();
    layout->addLayout(buttons);
}

void ConfigFreeItemsPage::load(const Settings& settings) {
    for (int i = 0; i < kFreeNameCount; ++i) {
        names_[i]->setText(qs(settings.itemNames[kFirstFreeItem + i]));
    }
    for (int i = 0; i < kFreeItemCount; ++i) {
        taxable_[i]->setChecked(settings.taxableFlags[i]);
        socialIns_[i]->setChecked(settings.socialInsBaseFlags[i]);
    }
    extraBonusCaptionEdit_->setText(qs(settings.itemNames.extraBonusCaption));
}

std::array<std::string, kFreeNameCount> ConfigFreeItemsPage::names() const {
    std::array<std::string, kFreeNameCount> names;
    for (int i = 0; i < kFreeNameCount; ++i) names[i] = trimmedText(names_[i]);
    return names;
}

std::string ConfigFreeItemsPage::extraBonusCaption() const {
    return trimmedText(extraBonusCaptionEdit_);
}

void ConfigFreeItemsPage::store(Settings& settings) const {
    const auto entered = names();
    for (int i = 0; i < kFreeNameCount; ++i)
        settings.itemNames.names[kFirstFreeItem + i] = entered[i];
    settings.itemNames.extraBonusCaption = extraBonusCaption();
    for (int i = 0; i < kFreeItemCount; ++i) {
        settings.taxableFlags[i] = taxable_[i]->isChecked();
        settings.socialInsBaseFlags[i] = socialIns_[i]->isChecked();
    }
}

void ConfigFreeItemsPage::restoreDefaultNames() {
    const ItemNames defaults;
    for (int i = 0; i < kFreeNameCount; ++i) names_[i]->setText(qs(defaults[kFirstFreeItem + i]));
    extraBonusCaptionEdit_->setText(qs(defaults.extraBonusCaption));
}

}  // namespace keiro::payroll
