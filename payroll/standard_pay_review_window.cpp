#include "payroll/standard_pay_review_window.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "payroll/social_list_parts.h"
#include "print/santei_rows.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr int kAdjustedColumn = static_cast<int>(print::SanteiColumn::Adjusted);
constexpr int kFirstDaysColumn = static_cast<int>(print::SanteiColumn::Days4);

// The month index (0 April .. 2 June) of a days column; -1 for another column.
int monthOfDaysColumn(int column) {
    const int offset = column - kFirstDaysColumn;
    return offset >= 0 && offset <= 4 && offset % 2 == 0 ? offset / 2 : -1;
}
constexpr int kNameColumn = static_cast<int>(print::SanteiColumn::Name);
constexpr int kNoteColumn = static_cast<int>(print::SanteiColumn::Note);

}  // namespace

QString gradeApplyQuestion(int employees, int calendarYear) {
    return QStringLiteral(
               "%1人の標準報酬月額を%2年9月分から新しい等級に改定し、9月分の保険料を控除する"
               "10月以降の保存済みの給与データの社員情報（等級・保険料）を書き換えます。"
               "よろしいですか？")
        .arg(employees)
        .arg(calendarYear);
}

StandardPayReviewWindow::StandardPayReviewWindow(QWidget* parent, ui::MessageService& messages,
                                                 SanteiSheet sheet, int calendarYear)
    : QDialog(parent), messages_(messages), sheet_(std::move(sheet)), calendarYear_(calendarYear) {
    setObjectName(QStringLiteral("TfmSantei"));
    setWindowTitle(QStringLiteral("算定基礎届（%1年4月〜6月の報酬）").arg(calendarYear));

    table_ = makeListTable(this, "sgSantei", print::santeiHeadings(),
                           static_cast<int>(sheet_.lines().size()));
    for (int row = 0; row < table_->rowCount(); ++row) fillRow(row);
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableWidget::itemChanged, this, &StandardPayReviewWindow::cellEdited);

    auto* column = new QVBoxLayout(this);
    column->addWidget(table_);
    const SocialListButtons b = addSocialListButtons(this, column);
    // Each through the command runner: a file error while writing never escapes the window.
    ui::connectCommand(b.apply, this, messages_, &StandardPayReviewWindow::applyDecisions);
    connect(b.print, &QPushButton::clicked, this,
            [this] { ui::runCommand(this, messages_, [this] { print_(this, sheet_.lines()); }); });
    connect(b.csv, &QPushButton::clicked, this,
            [this] { ui::runCommand(this, messages_, [this] { csv_(this, sheet_.lines()); }); });
    b.print->setEnabled(false);
    b.csv->setEnabled(false);
    fitToTable(this, table_, 480);
}

void StandardPayReviewWindow::setPrint(Output print) {
    print_ = std::move(print);
    findChild<QPushButton*>(QStringLiteral("btPrint"))->setEnabled(static_cast<bool>(print_));
}

void StandardPayReviewWindow::setCsv(Output csv) {
    csv_ = std::move(csv);
    findChild<QPushButton*>(QStringLiteral("btCsv"))->setEnabled(static_cast<bool>(csv_));
}

void StandardPayReviewWindow::fillRow(int row) {
    filling_ = true;
    const auto index = static_cast<std::size_t>(row);
    const std::vector<std::string> texts = print::santeiRow(sheet_.lines()[index]);
    for (int c = 0; c < static_cast<int>(texts.size()); ++c) {
        auto* item = new QTableWidgetItem(qs(texts[static_cast<std::size_t>(c)]));
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        const int k = monthOfDaysColumn(c);
        const bool days = k >= 0 && sheet_.lines()[index].months[static_cast<std::size_t>(k)].paid;
        if ((c == kAdjustedColumn || days) && sheet_.isReported(index)) {
            flags |= Qt::ItemIsEditable;
        }
        item->setFlags(flags);
        if (c != kNameColumn && c != kNoteColumn) {
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        table_->setItem(row, c, item);
    }
    filling_ = false;
}

void StandardPayReviewWindow::cellEdited(QTableWidgetItem* item) {
    const int k = monthOfDaysColumn(item->column());
    if (filling_ || (item->column() != kAdjustedColumn && k < 0)) return;
    QString text = item->text().trimmed();
    text.remove(QLatin1Char(','));
    bool ok = true;
    const int value = text.isEmpty() ? 0 : text.toInt(&ok);
    const auto row = static_cast<std::size_t>(item->row());
    if (k >= 0) {
        if (!ok || !sheet_.setDays(row, static_cast<std::size_t>(k), value)) {
            messages_.error(this, QString::fromUtf8(kMsgReviewBadDays));
        }
    } else if (!ok || !sheet_.setAdjusted(row, value)) {
        messages_.error(this, QString::fromUtf8(kMsgReviewBadAmount));
    }
    fillRow(item->row());
}

void StandardPayReviewWindow::applyDecisions() {
    const std::vector<GradeDecision> decisions = sheet_.decisions();
    if (decisions.empty() && sheet_.dayCorrections().empty()) {
        messages_.information(this, QString::fromUtf8(kMsgReviewNothingToApply));
        return;
    }
    if (!messages_.confirm(this,
                           gradeApplyQuestion(static_cast<int>(decisions.size()), calendarYear_))) {
        return;
    }
    if (apply_) apply_(this, sheet_);
}

}  // namespace keiro::payroll
