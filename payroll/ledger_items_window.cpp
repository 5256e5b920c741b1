#include "payroll/ledger_items_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/errors.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A titled column of the fifteen boxes named `stem`1..15.
QGroupBox* boxColumn(const QString& title, const QString& stem,
                     std::array<QCheckBox*, kLedgerChoiceCount>& boxes, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* column = new QVBoxLayout(group);
    column->setSpacing(2);
    for (int i = 0; i < kLedgerChoiceCount; ++i) {
        boxes[i] = new QCheckBox(group);
        boxes[i]->setObjectName(stem + QString::number(i + 1));
        column->addWidget(boxes[i]);
    }
    column->addStretch();
    return group;
}

}  // namespace

LedgerItemsWindow::LedgerItemsWindow(QWidget* parent, Settings& settings, IniFile& ini,
                                     ui::MessageService& messages)
    : QDialog(parent), settings_(settings), ini_(ini), messages_(messages) {
    setObjectName(QStringLiteral("TfmPrnItem"));
    setWindowTitle(QStringLiteral("給与台帳/月別一覧の印刷項目"));

    auto* groups = new QHBoxLayout;
    groups->addWidget(
        boxColumn(QStringLiteral("追加する勤怠項目"), QStringLiteral("cbAddItem"), added_, this));
    groups->addWidget(
        boxColumn(QStringLiteral("削除する項目"), QStringLiteral("cbDelItem"), removed_, this));

    auto* defaultButton = new QPushButton(QStringLiteral("初期状態"), this);
    defaultButton->setObjectName(QStringLiteral("btDefault"));
    auto* okButton = new QPushButton(QStringLiteral("Ｏ Ｋ"), this);
    okButton->setObjectName(QStringLiteral("bbOk"));
    auto* cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton->setObjectName(QStringLiteral("bbCancel"));
    for (QPushButton* button : {defaultButton, okButton, cancelButton})
        button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaultButton);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ui::connectCommand(defaultButton, this, messages_, &LedgerItemsWindow::clearChoices);
    ui::connectCommand(okButton, this, messages_, &LedgerItemsWindow::saveChoices);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void LedgerItemsWindow::prepare() {
    const LedgerItemCaptions captions = ledgerItemCaptions(settings_.itemNames);
    for (int i = 0; i < kLedgerChoiceCount; ++i) {
        added_[i]->setText(QString::fromStdString(captions.added[i]));
        // The blank attendance entry has nothing to add: its box is hidden and never counts,
        // whatever the file says, so it cannot refuse an OK the clerk could not mend.
        const bool offered = !captions.added[i].empty();
        added_[i]->setVisible(offered);
        added_[i]->setChecked(offered && settings_.ledgerAddedItems[i]);
        removed_[i]->setText(QString::fromStdString(captions.removed[i]));
        removed_[i]->setChecked(settings_.ledgerRemovedItems[i]);
    }
}

void LedgerItemsWindow::clearChoices() {
    if (!messages_.confirm(this, qs(kMsgResetLedgerItemsConfirm))) return;
    for (int i = 0; i < kLedgerChoiceCount; ++i) {
        added_[i]->setChecked(false);
        removed_[i]->setChecked(false);
    }
}

LedgerItemFlags LedgerItemsWindow::checked(
    const std::array<QCheckBox*, kLedgerChoiceCount>& boxes) const {
    LedgerItemFlags flags{};
    for (int i = 0; i < kLedgerChoiceCount; ++i) flags[i] = boxes[i]->isChecked();
    return flags;
}

void LedgerItemsWindow::saveChoices() {
    Settings changed = settings_;
    changed.ledgerAddedItems = checked(added_);
    changed.ledgerRemovedItems = checked(removed_);
    if (const auto refused =
            checkLedgerItemChoices(changed.ledgerAddedItems, changed.ledgerRemovedItems)) {
        messages_.error(this, qs(*refused));
        return;
    }
    try {
        saveLedgerItemChoices(ini_, changed);
    } catch (const IoError& e) {
        messages_.error(this, QString::fromStdString(e.what()));
        return;
    }
    settings_.ledgerAddedItems = changed.ledgerAddedItems;
    settings_.ledgerRemovedItems = changed.ledgerRemovedItems;
    accept();
}

}  // namespace keiro::payroll
