#include "payroll/opening_totals_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <stdexcept>

#include "core/entry.h"
#include "core/errors.h"
#include "core/opening_totals.h"
#include "core/yearfile.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

constexpr int kCodeColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kFirstAmountColumn = 2;
constexpr int kAmountWidth = 11;  // "99,999,999" and a margin

constexpr const char* kExplanation =
    "このプログラムで給与を計算する前に、今年支払った月の合計を社員ごとに入力して下さい。\n"
    "支給額・社会保険料・所得税は年末調整の支払金額・社会保険料・徴収税額に加算されます。"
    "最後の月の社保控除後計は、前月の給与がこのデータに無い賞与の所得税に使われます。";

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Amount cells take digits and thousands separators only.
class AmountDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            line->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9,]{0,12}")), line));
        }
        return editor;
    }
};

QTableWidgetItem* fixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidgetItem* amountItem(std::int32_t value) {
    auto* item = new QTableWidgetItem(qs(formatAmount(0, value)));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

int OpeningTotalsWindow::amountColumn(int amount) {
    return kFirstAmountColumn + amount;
}

OpeningTotalsWindow::OpeningTotalsWindow(QWidget* parent, YearData& year,
                                         ui::MessageService& messages)
    : QDialog(parent), year_(year), messages_(messages), table_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("OpeningTotalsWindow"));
    setWindowTitle(QString::fromUtf8(kOpeningTotalsCaption));
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(QString::fromUtf8(kExplanation), this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    table_->setObjectName(QStringLiteral("sgOpeningTotals"));
    QStringList headers{QStringLiteral("社員コード"), QStringLiteral("氏名")};
    for (OpeningAmount amount : kOpeningAmounts) headers << qs(openingCaption(amount));
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->hide();
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setItemDelegate(new AmountDelegate(table_));
    table_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    layout->addWidget(table_, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("保存"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btOK"));
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btCancel"));
    ui::connectCommand(ok, this, messages_, &OpeningTotalsWindow::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);

    fill();
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    table_->setColumnWidth(kCodeColumn, charWidth * 10);
    table_->setColumnWidth(kNameColumn, charWidth * 18);
    for (int a = 0; a < static_cast<int>(kOpeningAmounts.size()); ++a) {
        table_->setColumnWidth(amountColumn(a), charWidth * kAmountWidth);
    }
    table_->horizontalHeader()->setSectionResizeMode(
        amountColumn(static_cast<int>(kOpeningAmounts.size()) - 1), QHeaderView::Stretch);
    resize(charWidth * 110, charWidth * 60);
}

void OpeningTotalsWindow::fill() {
    slots_.clear();
    for (int i = 0; i < kMaxEmployees; ++i) {
        if (year_.block().employees[i].isUsed()) slots_.push_back(i);
    }
    table_->setRowCount(static_cast<int>(slots_.size()));
    for (int row = 0; row < static_cast<int>(slots_.size()); ++row) {
        const EmployeeRecord& e = year_.block().employees[slots_[row]];
        table_->setItem(row, kCodeColumn, fixedItem(QString::fromStdString(e.employeeCode.utf8())));
        table_->setItem(row, kNameColumn, fixedItem(QString::fromStdString(e.name.utf8())));
        for (int a = 0; a < static_cast<int>(kOpeningAmounts.size()); ++a) {
            table_->setItem(row, amountColumn(a),
                            amountItem(openingField(e.opening, kOpeningAmounts[a])));
        }
    }
}

bool OpeningTotalsWindow::readRow(int row, OpeningTotals& totals, int& badColumn,
                                  QString& problem) const {
    for (int a = 0; a < static_cast<int>(kOpeningAmounts.size()); ++a) {
        const QTableWidgetItem* item = table_->item(row, amountColumn(a));
        const std::optional<int> value =
            parseInt(item ? item->text().toStdString() : std::string());
        if (!value || *value < 0 || *value > kOpeningAmountMax) {
            badColumn = amountColumn(a);
            problem = QStringLiteral("｢%1｣は0から99,999,999までの金額で入力して下さい。")
                          .arg(qs(openingCaption(kOpeningAmounts[a])));
            return false;
        }
        openingField(totals, kOpeningAmounts[a]) = *value;
    }
    const std::string rule = checkOpeningTotals(totals);
    if (rule.empty()) return true;
    badColumn = rule.find("所得税") == 0 ? amountColumn(3) : amountColumn(1);
    problem = QString::fromStdString(rule);
    return false;
}

void OpeningTotalsWindow::save() {
    std::vector<OpeningChange> changes;
    for (int row = 0; row < static_cast<int>(slots_.size()); ++row) {
        OpeningTotals totals{};
        int badColumn = 0;
        QString problem;
        const EmployeeRecord& e = year_.block().employees[slots_[row]];
        if (!readRow(row, totals, badColumn, problem)) {
            table_->setCurrentCell(row, badColumn);
            messages_.warning(
                this, QString::fromStdString(e.name.utf8()) + QStringLiteral("：") + problem);
            return;
        }
        changes.push_back({std::string(e.recordId.bytes()), totals});
    }
    try {
        writeOpeningTotals(year_, changes);
    } catch (const IoError& e) {
        messages_.error(this, QString::fromStdString(e.what()));
        return;
    }
    messages_.information(this, QString::fromUtf8(kMsgOpeningTotalsSaved));
    accept();
}

}  // namespace keiro::payroll
