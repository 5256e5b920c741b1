#include "payroll/rate_table_window.h"

#include <QFont>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "core/fileio.h"
#include "widgets/command_runner.h"
#include "widgets/fixed_font.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

std::filesystem::path rateListPath(const Places& places) {
    const auto found = findTableFile(places, kHealthRateListFileName);
    return found ? *found : places.programFolder / std::string(kHealthRateListFileName);
}

RateTableWindow::RateTableWindow(QWidget* parent, ui::MessageService& messages,
                                 std::filesystem::path rateListPath)
    : QDialog(parent),
      messages_(messages),
      path_(std::move(rateListPath)),
      list_(new QListWidget(this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("TfmKenRitu"));
    setWindowTitle(QStringLiteral("健康保険料率選択"));

    // The lines are padded with blanks for a fixed-pitch font.
    const QFont fixed = ui::fixedPitchFont();
    list_->setObjectName(QStringLiteral("lbKenRitu"));
    list_->setFont(fixed);
    list_->setMinimumSize(220, 300);

    okButton_->setObjectName(QStringLiteral("btOK"));
    auto* cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton->setObjectName(QStringLiteral("btCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    connect(list_, &QListWidget::itemClicked, this, [this] { enableOkButton(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { acceptRate(); });
    ui::connectCommand(okButton_, this, messages_, &RateTableWindow::acceptRate);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<double> RateTableWindow::choose() {
    reloadRates();
    return exec() == QDialog::Accepted ? chosen_ : std::nullopt;
}

void RateTableWindow::reloadRates() {
    chosen_.reset();
    list_->clear();
    rates_.clear();
    try {
        rates_ = calc::readPrefectureRates(path_);
    } catch (const IoError& e) {
        messages_.error(this, QString::fromStdString(e.what()));
    }
    for (const calc::PrefectureRate& rate : rates_) {
        list_->addItem(QString::fromStdString(rate.display));
    }
    list_->setEnabled(!rates_.empty());
    okButton_->setEnabled(false);
}

void RateTableWindow::enableOkButton() {
    okButton_->setEnabled(list_->currentRow() >= 0);
}

void RateTableWindow::acceptRate() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(rates_.size())) return;
    const calc::PrefectureRate& entry = rates_[static_cast<std::size_t>(row)];
    const std::optional<double> half = calc::halfRate(entry);
    if (!half) {  // a damaged line: say so and let the user pick another
        messages_.error(this, QString::fromStdString(entry.error));
        return;
    }
    messages_.information(this, QString::fromStdString(std::string(calc::kMsgHalfRateSet)));
    chosen_ = half;
    accept();
}

}  // namespace keiro::payroll
