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

QTableWidget* tableOf(QWidget* parent, const print::TextTable& t) {
    auto* table = makeListTable(parent, "sgList", t.headings, static_cast<int>(t.rows.size()));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        for (std::size_t c = 0; c < t.rows[r].size() && c < t.columns.size(); ++c) {
            auto* item = new QTableWidgetItem(qs(t.rows[r][c]));
            if (t.columns[c].right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    table->resizeColumnsToContents();
    return table;
}

}  // namespace

SocialListWindow::SocialListWindow(QWidget* parent, ui::MessageService& messages,
                                   const print::TextTable& table, const QString& name)
    : QDialog(parent), messages_(messages), column_(new QVBoxLayout(this)) {
    setObjectName(name);
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
    QTableWidget* shown = tableOf(this, table);
    if (table_ != nullptr) {
        delete column_->replaceWidget(table_, shown);  // the old widget's layout item
        delete table_;
    } else {
        column_->insertWidget(column_->indexOf(notesLabel_), shown);
    }
    table_ = shown;
    QStringList notes;
    if (table.rows.empty()) notes << QString::fromUtf8(print::kNobodyListed);
    for (const std::string& note : table.notes) notes << qs(note);
    notesLabel_->setText(notes.join(QLatin1Char('\n')));
    notesLabel_->setVisible(!notes.isEmpty());
    if (isVisible()) fitToTable(this, table_, height());  // another year, other widths
}

void SocialListWindow::setChoice(const QString& caption, const QStringList& items, int current,
                                 std::function<void(int)> chosen) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(caption, this));
    choiceCombo_ = new QComboBox(this);
    choiceCombo_->setObjectName(QStringLiteral("cbChoice"));
    choiceCombo_->addItems(items);
    choiceCombo_->setCurrentIndex(current);
    row->addWidget(choiceCombo_);
    row->addStretch();
    column_->insertLayout(0, row);
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
