#include "payroll/social_list_window.h"

#include <QHeaderView>
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
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

}  // namespace

TfmSocialList::TfmSocialList(QWidget* parent, ui::MessageService& messages, print::TextTable table,
                             const QString& name)
    : QDialog(parent), messages_(messages) {
    setObjectName(name);
    setWindowTitle(qs(table.title) + QStringLiteral("（") + qs(table.subtitle) +
                   QStringLiteral("）"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(tableOf(this, table));
    QStringList notes;
    for (const std::string& note : table.notes) notes << qs(note);
    auto* lbNotes = new QLabel(notes.join(QLatin1Char('\n')), this);
    lbNotes->setObjectName(QStringLiteral("lbNotes"));
    lbNotes->setVisible(!notes.isEmpty());
    column->addWidget(lbNotes);

    const SocialListButtons b = addSocialListButtons(this, column);
    b.apply->hide();
    ui::connectCommand(b.apply, this, messages_, &TfmSocialList::btApplyClick);
    connect(b.print, &QPushButton::clicked, this, [this] {
        if (print_) ui::runCommand(this, messages_, [this] { print_(this); });
    });
    connect(b.csv, &QPushButton::clicked, this, [this] {
        if (csv_) ui::runCommand(this, messages_, [this] { csv_(this); });
    });
    resize(1100, 520);
}

void TfmSocialList::setApply(const QString& question, Action apply) {
    question_ = question;
    apply_ = std::move(apply);
    findChild<QPushButton*>(QStringLiteral("btApply"))->setVisible(static_cast<bool>(apply_));
}

void TfmSocialList::btApplyClick() {
    if (!apply_ || !messages_.confirm(this, question_)) return;
    apply_(this);
}

}  // namespace keiro::payroll
