#include "payroll/social_list_parts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

namespace keiro::payroll {
namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

QTableWidget* makeListTable(QWidget* parent, const char* name,
                            const std::vector<std::string>& headings, int rows) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setColumnCount(static_cast<int>(headings.size()));
    QStringList labels;
    for (const std::string& h : headings) labels << QString::fromStdString(h);
    table->setHorizontalHeaderLabels(labels);
    table->verticalHeader()->hide();
    table->setRowCount(rows);
    return table;
}

SocialListButtons addSocialListButtons(QDialog* window, QBoxLayout* column) {
    const SocialListButtons b{button(window, "btApply", QStringLiteral("適用")),
                              button(window, "btPrint", QStringLiteral("印刷")),
                              button(window, "btCsv", QStringLiteral("CSV出力")),
                              button(window, "btClose", QStringLiteral("閉じる"))};
    QObject::connect(b.close, &QPushButton::clicked, window, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(b.apply);
    row->addStretch();
    row->addWidget(b.print);
    row->addWidget(b.csv);
    row->addWidget(b.close);
    column->addLayout(row);
    return b;
}

void fitToTable(QDialog* window, const QTableWidget* table, int height) {
    constexpr int kMinimumWidth = 700;
    constexpr int kMargins = 40;  // the layout's margins, the frame and a little air
    int width = table->verticalScrollBar()->sizeHint().width() + kMargins;
    for (int c = 0; c < table->columnCount(); ++c) width += table->columnWidth(c);
    const QScreen* screen = window->screen();
    const int available = screen != nullptr ? screen->availableGeometry().width() : width;
    window->resize(std::clamp(width, kMinimumWidth, std::max(kMinimumWidth, available)), height);
}

}  // namespace keiro::payroll
