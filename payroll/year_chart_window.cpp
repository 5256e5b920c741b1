#include "payroll/year_chart_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "payroll/year_chart_view.h"

namespace keiro::payroll {

YearChartWindow::YearChartWindow(QWidget* parent, const YearData& year, const ItemNames& names,
                                 int slot)
    : QDialog(parent), year_(year), names_(names), file_(year.path()) {
    setObjectName(QStringLiteral("TfmGraph"));
    setWindowTitle(QStringLiteral("年間の支給と控除"));
    choice_ = new QComboBox(this);
    choice_->setObjectName(QStringLiteral("cbSyain"));
    choice_->addItem(QStringLiteral("会社全体"));
    recordIds_.emplace_back();
    int chosen = 0;
    for (int s = 1; s <= kMaxEmployees; ++s) {
        const EmployeeRecord& e = year.block().employee(s);
        if (!e.isUsed()) continue;
        choice_->addItem(QString::fromStdString(e.employeeCode.utf8() + "  " + e.name.utf8()));
        recordIds_.emplace_back(e.recordId.bytes());
        if (s == slot) chosen = choice_->count() - 1;
    }
    chart_ = new YearChartView(this);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("表示"), this));
    top->addWidget(choice_);
    top->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("保存した月と開いている月の支給合計と控除合計です。"
                                                "棒の上に置くと金額を表示します。"),
                                 this));
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(chart_, 1);
    layout->addLayout(bottom);

    connect(choice_, &QComboBox::currentIndexChanged, this, &YearChartWindow::showChoice);
    choice_->setCurrentIndex(chosen);
    showChoice(chosen);
}

void YearChartWindow::showChoice(int index) {
    if (index < 0 || index >= static_cast<int>(recordIds_.size())) return;
    chart_->setTotals(print::yearTotals(file_, {year_.period(), &year_.block()},
                                        recordIds_[static_cast<std::size_t>(index)], names_));
}

}  // namespace keiro::payroll
