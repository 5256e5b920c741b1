#include "payroll/resident_tax_import_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/employee_csv.h"
#include "core/entry.h"
#include "core/errors.h"
#include "core/yearfile.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

enum Column { kCode, kName, kJuneOld, kJuneNew, kLaterOld, kLaterNew, kColumns };
constexpr int kAmountWidth = 11;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QTableWidgetItem* textItem(const std::string& text) {
    auto* item = new QTableWidgetItem(qs(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// An amount; the new one is bold when it differs from the old.
QTableWidgetItem* amountItem(std::int32_t value, bool changed = false) {
    QTableWidgetItem* item = textItem(formatAmount(0, value));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (changed) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

QString periodText(const YearData& year) {
    return QStringLiteral("%1%2年 %3月分給与")
        .arg(qs(year.eraName()))
        .arg(year.eraYear(), 2, 10, QLatin1Char('0'))
        .arg(year.period(), 2);
}

}  // namespace

ResidentTaxImportDialog::ResidentTaxImportDialog(QWidget* parent, const ResidentTaxImport& preview,
                                                 const QString& target)
    : QDialog(parent),
      table_(new QTableWidget(this)),
      refused_(new QListWidget(this)),
      refusedCaption_(new QLabel(this)) {
    setObjectName(QStringLiteral("ResidentTaxImportDialog"));
    setWindowTitle(QString::fromUtf8(kResidentTaxImportCaption));
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(
        target + QStringLiteral("の社員情報の住民税(6月)と住民税(以外)を次のように変更します。"),
        this);
    explanation->setObjectName(QStringLiteral("lbTarget"));
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    table_->setObjectName(QStringLiteral("sgJuumin"));
    table_->setColumnCount(kColumns);
    table_->setHorizontalHeaderLabels({QStringLiteral("社員コード"), QStringLiteral("氏名"),
                                       QStringLiteral("6月分 現在"), QStringLiteral("6月分 取込後"),
                                       QStringLiteral("7月以降 現在"),
                                       QStringLiteral("7月以降 取込後")});
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(table_, 3);

    refusedCaption_->setObjectName(QStringLiteral("lbRefusedCaption"));
    layout->addWidget(refusedCaption_);
    refused_->setObjectName(QStringLiteral("lbRefused"));
    layout->addWidget(refused_, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* import = buttons->addButton(QStringLiteral("取込"), QDialogButtonBox::AcceptRole);
    import->setObjectName(QStringLiteral("btImport"));
    import->setEnabled(!preview.changes.empty());
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btCancel"));
    cancel->setDefault(true);  // Enter never writes by accident
    connect(import, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);

    fill(preview);
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    table_->setColumnWidth(kCode, charWidth * 12);
    table_->setColumnWidth(kName, charWidth * 20);
    for (int c = kJuneOld; c < kColumns; ++c) table_->setColumnWidth(c, charWidth * kAmountWidth);
    table_->horizontalHeader()->setSectionResizeMode(kLaterNew, QHeaderView::Stretch);
    resize(charWidth * 100, charWidth * 55);
}

void ResidentTaxImportDialog::fill(const ResidentTaxImport& preview) {
    table_->setRowCount(static_cast<int>(preview.changes.size()));
    int row = 0;
    for (const ResidentTaxChange& change : preview.changes) {
        table_->setItem(row, kCode, textItem(change.code));
        table_->setItem(row, kName, textItem(change.name));
        table_->setItem(row, kJuneOld, amountItem(change.oldJune));
        table_->setItem(row, kJuneNew,
                        amountItem(change.newJune, change.newJune != change.oldJune));
        table_->setItem(row, kLaterOld, amountItem(change.oldLater));
        table_->setItem(row, kLaterNew,
                        amountItem(change.newLater, change.newLater != change.oldLater));
        ++row;
    }
    for (const RefusedResidentTaxLine& line : preview.refused) {
        refused_->addItem(qs(refusedLineText(line)));
    }
    refusedCaption_->setText(
        preview.refused.empty()
            ? QStringLiteral("取り込めない行はありません。")
            : QStringLiteral("次の%1行は取り込めません。%2行の社員の住民税は変わりません。")
                  .arg(preview.refused.size())
                  .arg(preview.refused.size() == 1 ? QStringLiteral("この")
                                                   : QStringLiteral("これらの")));
    refused_->setVisible(!preview.refused.empty());
}

int importResidentTaxAmounts(QWidget* parent, YearData& year, ui::MessageService& messages,
                             ui::FileDialogs& dialogs) {
    if (!isResidentTaxImportPeriod(year.period())) {
        messages.warning(parent, qs(kMsgResidentTaxWrongPeriod));
        return 0;
    }
    const std::optional<QString> path =
        dialogs.openFile(parent, QStringLiteral("住民税額データを開く"), QString(),
                         QStringLiteral("住民税額データ (*.csv)"));
    if (!path) return 0;
    ResidentTaxImport preview;
    try {
        preview = readResidentTaxImport(year.block(), path->toStdString());
    } catch (const IoError&) {
        messages.error(parent, qs(kMsgCsvCannotOpen));
        return 0;
    }
    if (!preview.error.empty()) {
        messages.error(parent, qs(preview.error));
        return 0;
    }
    if (preview.changes.empty() && preview.refused.empty()) {
        messages.information(parent, qs(kMsgResidentTaxNothingToImport));
        return 0;
    }
    ResidentTaxImportDialog dialog(parent, preview, periodText(year));
    if (dialog.exec() != QDialog::Accepted) return 0;
    const int changed = applyResidentTaxImport(year.document(), preview);
    messages.information(parent, qs(residentTaxImportedMessage(changed)));
    return changed;
}

}  // namespace keiro::payroll
