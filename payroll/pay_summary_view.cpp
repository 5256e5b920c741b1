#include "payroll/pay_summary_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/entry.h"

namespace keiro::payroll {
namespace {

QTableWidgetItem* amountItem(long long yen, bool total) {
    auto* item = new QTableWidgetItem(QString::fromStdString(formatAmount(0, yen)).trimmed());
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (total) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

}  // namespace

PaySummaryView::PaySummaryView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnSummary"));
    auto* caption = new QLabel(QStringLiteral("支給控除一覧"), this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    auto* calculate = new QPushButton(QStringLiteral("計算 (F9)"), this);
    calculate->setObjectName(QStringLiteral("btKeisan"));
    calculate->setToolTip(
        QStringLiteral("入力した勤怠と金額から、全員の支給・控除を計算し直します。"));
    calculate->setFocusPolicy(Qt::NoFocus);  // the grid keeps the cell the clerk is on
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("sgSummary"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->horizontalHeader()->setDefaultSectionSize(
        table_->fontMetrics().horizontalAdvance(QStringLiteral("99,999,999")) + 12);

    warning_ = new QLabel(this);
    warning_->setObjectName(QStringLiteral("lbUnpaidOvertime"));
    warning_->setStyleSheet(QStringLiteral("color: #c00000;"));

    auto* top = new QHBoxLayout;
    top->setContentsMargins(6, 2, 6, 2);
    top->addWidget(caption);
    top->addSpacing(12);
    top->addWidget(warning_, 1);
    top->addWidget(calculate);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    connect(calculate, &QPushButton::clicked, this, &PaySummaryView::calculateRequested);
}

void PaySummaryView::show(const print::PaySummary& summary) {
    // Hours entered that pay nothing: the unit price is missing, not the overtime.
    QStringList unpaid;
    for (const std::string& item : summary.unpaidOvertime) unpaid << QString::fromStdString(item);
    warning_->setText(unpaid.isEmpty() ? QString()
                                       : QStringLiteral("単価が0円の残業があります: %1")
                                             .arg(unpaid.join(QStringLiteral("、"))));
    warning_->setToolTip(unpaid.isEmpty() ? QString()
                                          : QStringLiteral("社員情報の「賃金・単価」で残業単価を"
                                                           "入れてください。\n") +
                                                unpaid.join(QStringLiteral("\n")));
    const int rows = static_cast<int>(summary.rows.size());
    const int columns = static_cast<int>(summary.employees.size()) + 1;
    table_->setRowCount(rows);
    table_->setColumnCount(columns);
    QStringList labels;
    for (const print::PaySummary::Row& row : summary.rows)
        labels << QString::fromStdString(row.label);
    table_->setVerticalHeaderLabels(labels);
    QStringList names{QStringLiteral("合計")};
    for (const print::PaySummary::Column& column : summary.employees)
        names << QString::fromStdString(column.name);
    table_->setHorizontalHeaderLabels(names);
    for (int r = 0; r < rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        const bool total = summary.rows[row].total;
        table_->setItem(r, 0, amountItem(summary.company[row], true));
        for (int c = 1; c < columns; ++c) {
            const auto& column = summary.employees[static_cast<std::size_t>(c - 1)];
            table_->setItem(r, c, amountItem(column.yen[row], total));
        }
    }
}

}  // namespace keiro::payroll
