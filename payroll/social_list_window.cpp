#include "payroll/social_list_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "payroll/social_list_parts.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Fills the list in place, so that it keeps its place in the Tab order.
void fill(QTableWidget* table, const print::TextTable& t) {
    table->clear();
    table->setColumnCount(static_cast<int>(t.headings.size()));
    QStringList labels;
    for (const std::string& h : t.headings) labels << qs(h);
    table->setHorizontalHeaderLabels(labels);
    table->setRowCount(static_cast<int>(t.rows.size()));
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        for (std::size_t c = 0; c < t.rows[r].size() && c < t.columns.size(); ++c) {
            auto* item = new QTableWidgetItem(qs(t.rows[r][c]));
            if (t.columns[c].right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    table->resizeColumnsToContents();
}

}  // namespace

SocialListWindow::SocialListWindow(QWidget* parent, ui::MessageService& messages,
                                   const print::TextTable& table, const QString& name)
    : QDialog(parent), messages_(messages), column_(new QVBoxLayout(this)) {
    setObjectName(name);
    // Made in the order they are shown, which is the Tab order; the choice shows only when
    // a list has one.
    auto* choiceRow = new QWidget(this);
    auto* row = new QHBoxLayout(choiceRow);
    row->setContentsMargins(0, 0, 0, 0);
    choiceCaption_ = new QLabel(choiceRow);
    choiceCombo_ = new QComboBox(choiceRow);
    choiceCombo_->setObjectName(QStringLiteral("cbChoice"));
    row->addWidget(choiceCaption_);
    row->addWidget(choiceCombo_);
    row->addStretch();
    choiceRow->hide();
    column_->addWidget(choiceRow);
    table_ = makeListTable(this, "sgList", {}, 0);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    column_->addWidget(table_);
    notesLabel_ = new QLabel(this);
    notesLabel_->setObjectName(QStringLiteral("lbNotes"));
    column_->addWidget(notesLabel_);
    setTable(table);

    const SocialListButtons b = addSocialListButtons(this, column_);
    b.apply->hide();
    ui::connectCommand(b.apply, this, messages_, &SocialListWindow::applyChanges);
    connect(b.print, &QPushButton::clicked, this, [this] {
        if (print_) ui::runCommand(this, messages_, [this] { print_(this); });
    });
    connect(b.csv, &QPushButton::clicked, this, [this] {
        if (csv_) ui::runCommand(this, messages_, [this] { csv_(this); });
    });
    fitToTable(this, table_, 520);
}

void SocialListWindow::setTable(const print::TextTable& table) {
    setWindowTitle(qs(table.title) + QStringLiteral("（") + qs(table.subtitle) +
                   QStringLiteral("）"));
    fill(table_, table);
    QStringList notes;
    if (table.rows.empty()) notes << QString::fromUtf8(print::kNobodyListed);
    for (const std::string& note : table.notes) notes << qs(note);
    notesLabel_->setText(notes.join(QLatin1Char('\n')));
    notesLabel_->setVisible(!notes.isEmpty());
    if (isVisible()) fitToTable(this, table_, height());  // another year, other widths
}

void SocialListWindow::setChoice(const QString& caption, const QStringList& items, int current,
                                 std::function<void(int)> chosen) {
    choiceCaption_->setText(caption);
    choiceCombo_->addItems(items);
    choiceCombo_->setCurrentIndex(current);
    choiceCombo_->parentWidget()->show();
    connect(choiceCombo_, &QComboBox::currentIndexChanged, this,
            [this, chosen = std::move(chosen)](int index) {
                ui::runCommand(this, messages_, [&] { chosen(index); });
            });
}

void SocialListWindow::setApply(const QString& question, Action apply) {
    question_ = question;
    apply_ = std::move(apply);
    findChild<QPushButton*>(QStringLiteral("btApply"))->setVisible(static_cast<bool>(apply_));
}

void SocialListWindow::applyChanges() {
    if (!apply_ || !messages_.confirm(this, question_)) return;
    apply_(this);
}

}  // namespace keiro::payroll
