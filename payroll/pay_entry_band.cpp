#include "payroll/pay_entry_band.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "payroll/config_widgets.h"
#include "payroll/item_colours.h"
#include "widgets/entry_behaviour.h"

namespace keiro::payroll {
namespace {

// Room for the longest value a box shows: "-9,999,999" or "-999:59".
constexpr const char* kWidestValue = "-9,999,999";
constexpr int kBoxMargin = 16;

// Typed amounts and hours may be negative (a hand-entered 欠勤控除): the box also takes "-",
// which the check on leaving only allows in front.
class SignKey : public QObject {
  public:
    explicit SignKey(QLineEdit* edit) : QObject(edit), edit_(edit) {
        edit->installEventFilter(this);  // after the numeric entry's filter: it sees keys first
    }

  private:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != edit_ || event->type() != QEvent::KeyPress || edit_->isReadOnly()) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text() != QStringLiteral("-") ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            return false;
        }
        edit_->insert(key->text());
        return true;
    }

    QLineEdit* edit_;
};

}  // namespace

PayEntryBand::PayEntryBand(QWidget* parent, const QString& title, const QString& name, Band band,
                           const EmployeeSheet& sheet, const ui::EntrySettings& entry,
                           ui::MessageService& messages)
    : QGroupBox(title, parent), band_(band) {
    setObjectName(QStringLiteral("gb") + name);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    const int rows = sheet.rowCount(band);
    for (int position = 0; position < rows; ++position) {
        const QString number = QString::number(position + 1);
        auto* caption = new QLabel(this);
        caption->setObjectName(QStringLiteral("lb") + name + number);
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("ed") + name + number);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1String(kWidestValue)) +
                           kBoxMargin);
        caption->setBuddy(box);
        const SheetRow& row = sheet.row(band, position);
        auto* numeric =
            ui::NumericEntry::attach(box, row.formatCode(), row.item.hoursLabel, entry, messages);
        new SignKey(box);
        connect(numeric, &ui::NumericEntry::committed, this,
                [this, position] { emit entryLeft(position); });
        grid->addWidget(caption, position, 0);
        grid->addWidget(box, position, 1);
        labels_.push_back(caption);
        edits_.push_back(box);
    }
    grid->setRowStretch(rows, 1);  // the rows stay at the top of a taller band
    grid->setColumnStretch(0, 1);
}

int PayEntryBand::positionOf(const QWidget* widget) const {
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        if (edits_[i] == widget) return static_cast<int>(i);
    }
    return -1;
}

void PayEntryBand::showEmployee(const EmployeeSheet& sheet) {
    const QPalette normal = QApplication::palette(edits_.empty() ? nullptr : edits_.front());
    for (int position = 0; position < rowCount(); ++position) {
        const BoxState state = sheet.state(band_, position);
        QLabel* caption = label(position);
        QLineEdit* box = edit(position);
        const bool visible = state != BoxState::Hidden;
        caption->setVisible(visible);
        box->setVisible(visible);
        caption->setText(qs(sheet.caption(band_, position)));
        const bool readOnly = state == BoxState::ReadOnly || !visible;
        box->setReadOnly(readOnly);
        // Enter and Tab go from one box to be typed to the next; computed boxes are reached with
        // the mouse (to switch them to hand entry).
        box->setFocusPolicy(readOnly ? Qt::ClickFocus : Qt::StrongFocus);
        QPalette colours = normal;
        if (readOnly) colours.setColor(QPalette::Base, kAutomaticItemColour);
        if (state == BoxState::HandEntered) {
            colours.setColor(QPalette::Text, kHandEnteredTextColour);
        }
        box->setPalette(colours);
        box->setText(qs(sheet.text(band_, position)));
    }
}

}  // namespace keiro::payroll
