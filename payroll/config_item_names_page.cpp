#include "payroll/config_item_names_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "payroll/config_free_items_page.h"  // kItemNameMaxBytes
#include "payroll/config_widgets.h"
#include "widgets/command_runner.h"

namespace keiro::payroll {
namespace {

constexpr int kNameWidth = 130;
constexpr int kRowsPerColumn = 8;

}  // namespace

ConfigItemNamesPage::ConfigItemNamesPage(QWidget* parent, const Settings& settings,
                                         ui::MessageService& messages)
    : QWidget(parent) {
    setObjectName(QStringLiteral("tsItemName"));
    const ui::EntrySettings entry = entrySettings(settings);

    // The boxes of a group in columns of eight, each beside its standard name.
    auto group = [&](const QString& title, int firstItem, auto& boxes,
                     std::string (*control)(int)) {
        auto* box = new QGroupBox(title, this);
        auto* grid = new QGridLayout(box);
        for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
            const int row = i % kRowsPerColumn;
            const int column = i / kRowsPerColumn * 2;
            grid->addWidget(
                label(this, qs(std::string(kItemDefinitions[firstItem + i].defaultName))), row,
                column);
            boxes[i] = namedLineEdit(this, qs(control(i)));
            boxes[i]->setFixedWidth(kNameWidth);
            ui::TextEntry::attach(boxes[i], kItemNameMaxBytes, entry, messages);
            grid->addWidget(boxes[i], row, column + 1);
        }
        grid->setColumnMinimumWidth(2, 100);
        grid->setColumnStretch(4, 1);
        return box;
    };

    auto* attendance = group(QStringLiteral("勤怠項目"), 0, attendance_, attendanceNameControl);
    auto* payment = group(QStringLiteral("支給項目"), kBasePayItem, payment_, paymentNameControl);
    payment_[0]->setEnabled(false);  // 基本給

    auto* defaultsButton = new QPushButton(QStringLiteral("初期状態に戻す"), this);
    defaultsButton->setObjectName(QStringLiteral("btDefault2"));
    ui::connectCommand(defaultsButton, this, messages, &ConfigItemNamesPage::restoreDefaultNames);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(defaultsButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(attendance);
    layout->addWidget(payment);
    layout->addStretch();
    layout->addLayout(buttons);
}

void ConfigItemNamesPage::showNames(const ItemNames& names) {
    for (int i = 0; i < kAttendanceItemCount; ++i) attendance_[i]->setText(qs(names[i]));
    for (int i = 0; i < kPaymentNameCount; ++i) payment_[i]->setText(qs(names[kBasePayItem + i]));
    payment_[0]->setText(qs(std::string(kItemDefinitions[kBasePayItem].defaultName)));
}

void ConfigItemNamesPage::load(const Settings& settings) {
    showNames(settings.itemNames);
}

std::array<std::string, kAttendanceItemCount> ConfigItemNamesPage::attendanceNames() const {
    std::array<std::string, kAttendanceItemCount> names;
    for (int i = 0; i < kAttendanceItemCount; ++i) names[i] = trimmedText(attendance_[i]);
    return names;
}

std::array<std::string, kPaymentNameCount> ConfigItemNamesPage::paymentNames() const {
    std::array<std::string, kPaymentNameCount> names;
    for (int i = 0; i < kPaymentNameCount; ++i) names[i] = trimmedText(payment_[i]);
    return names;
}

void ConfigItemNamesPage::store(Settings& settings) const {
    const auto attendance = attendanceNames();
    const auto payment = paymentNames();
    for (int i = 0; i < kAttendanceItemCount; ++i) settings.itemNames.names[i] = attendance[i];
    for (int i = 1; i < kPaymentNameCount; ++i) {
        settings.itemNames.names[kBasePayItem + i] = payment[i];
    }
}

void ConfigItemNamesPage::restoreDefaultNames() {
    showNames(ItemNames());
}

}  // namespace keiro::payroll
