#include "payroll/copy_source_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

// "\r" in the original texts is a line break.
const QString kNoSource = QStringLiteral(
    "選択された月の前月のデータが無いので、基本情報と\n社員名簿情報を引き継ぐ事が出来ませんでした。"
    "\n\n基本情報と社員名簿情報の設定を行って下さい。");
const QString kPromptLaterMonth = QStringLiteral(
    "選択された月の前月のデータと、前月データより新しい\nデータの両方が存在します。\n\n"
    "参照するデータをリストから選択して下さい。");
const QString kPromptNoPrevious = QStringLiteral(
    "選択された月の前月のデータが無いので、基本情報と\n社員名簿情報を引き継ぐ事が出来ませんでした。"
    "\n\n参照するデータをリストから選択して下さい。");
const QString kCheckCopied = QStringLiteral(
    "参照したデータと保険料率等が違う可能性があるので、\n基本情報と社員名簿情報の設定を確認して下さ"
    "い。");
const QString kDeclined = QStringLiteral(
    "参照しない場合、全て新規入力となります。\n基本情報と社員名簿情報の設定を行って下さい。");

}  // namespace

CopySourceWindow::CopySourceWindow(QWidget* parent, ui::MessageService& messages)
    : QDialog(parent), messages_(messages) {
    setObjectName("TfmRefData");
    setWindowTitle(QStringLiteral("参照するデータの選択"));
    promptLabel_ = new QLabel(this);
    promptLabel_->setObjectName("lbPrompt");
    sourceList_ = new QListWidget(this);
    sourceList_->setObjectName("lbData");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("bbButtons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(sourceList_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel_);
    layout->addWidget(sourceList_);
    layout->addWidget(buttons);
    resize(420, 360);
}

bool CopySourceWindow::chooseSource(YearData& year, const std::vector<SavedMonth>& months,
                                    bool laterMonthSaved) {
    year.clearBlock();
    if (months.empty()) return false;  // a new office: nothing to take over, nothing to say
    const auto lastUsable = std::find_if(months.rbegin(), months.rend(),
                                         [](const SavedMonth& m) { return m.usable(); });
    if (lastUsable == months.rend()) {
        messages_.warning(parentWidget(), kNoSource);
        return false;
    }
    promptLabel_->setText(laterMonthSaved ? kPromptLaterMonth : kPromptNoPrevious);
    sourceList_->clear();
    for (const SavedMonth& month : months) {
        auto* item = new QListWidgetItem(QString::fromStdString(month.text), sourceList_);
        if (!month.usable()) {
            // A damaged year file is shown in its place but cannot be chosen.
            item->setFlags(Qt::NoItemFlags);
            item->setToolTip(QString::fromStdString(month.damage));
        }
    }
    sourceList_->setCurrentRow(static_cast<int>(std::distance(lastUsable, months.rend())) - 1);
    const int row = exec() == QDialog::Accepted ? sourceList_->currentRow() : -1;
    if (row < 0 || !months[static_cast<std::size_t>(row)].usable()) {
        messages_.information(parentWidget(), kDeclined);
        year.clearBlock();
        return false;
    }
    if (!copyFromMonth(year, months[static_cast<std::size_t>(row)])) {
        return false;
    }
    messages_.information(parentWidget(), kCheckCopied);
    return true;
}

}  // namespace keiro::payroll
