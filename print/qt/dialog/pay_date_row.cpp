#include "print/qt/dialog/pay_date_row.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "widgets/entry_behaviour.h"

namespace keiro::print {
namespace {

constexpr int kDigits = 2;
constexpr int kEditMargin = 4;

// Digits and blanks only; anything else beeps and is dropped.
class PayDateEntryBehaviour : public ui::EditBehaviour {
  public:
    PayDateEntryBehaviour(QLineEdit* edit, const ui::EntrySettings& settings,
                          ui::MessageService& messages)
        : EditBehaviour(edit, settings, messages) {}

  protected:
    bool acceptTyped(const QString& typed) override {
        for (const QChar c : typed) {
            if (c != QLatin1Char(' ') && (c < QLatin1Char('0') || c > QLatin1Char('9'))) {
                refuse();
                return false;
            }
        }
        return true;
    }
    int maxBytes() const override { return kDigits; }
};

int numberIn(const QLineEdit* edit) {
    return edit->text().trimmed().toInt();  // 0 for empty or blank
}

}  // namespace

PayDateRow::PayDateRow(const ui::EntrySettings& entry, ui::MessageService& messages,
                       QWidget* parent)
    : QWidget(parent),
      label_(new QLabel(this)),
      year_(new QLineEdit(this)),
      month_(new QLineEdit(this)),
      day_(new QLineEdit(this)) {
    label_->setObjectName(QStringLiteral("lbNengappi1"));
    year_->setObjectName(QStringLiteral("edYear"));
    month_->setObjectName(QStringLiteral("edMonth"));
    day_->setObjectName(QStringLiteral("edDay"));
    for (QLineEdit* edit : {year_, month_, day_}) {
        edit->setMaxLength(kDigits);
        edit->setAlignment(Qt::AlignRight);
        new PayDateEntryBehaviour(edit, entry, messages);  // owned by the edit
    }
    setDate(payDateTexts({}, {}));
}

void PayDateRow::setDate(const PayDateTexts& date) {
    eraName_ = date.eraName;
    label_->setText(QString::fromStdString(date.label));
    year_->setText(QString::fromStdString(date.year));
    month_->setText(QString::fromStdString(date.month));
    day_->setText(QString::fromStdString(date.day));
    placeEdits();
}

PayDateEntry PayDateRow::entry() const {
    return {eraName_, numberIn(year_), numberIn(month_), numberIn(day_)};
}

void PayDateRow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) placeEdits();
}

// Each edit covers the four blanks before its unit (年, 月, 日).
void PayDateRow::placeEdits() {
    const QFontMetrics metrics(label_->font());
    const int blanks = metrics.horizontalAdvance(QStringLiteral("    "));
    const int unit = metrics.horizontalAdvance(QStringLiteral("年"));
    const int editHeight = year_->sizeHint().height();
    label_->adjustSize();
    const int height = std::max(editHeight, label_->height());
    label_->move(0, (height - label_->height()) / 2);
    int x = metrics.horizontalAdvance(QString::fromStdString(eraName_));
    const std::array<QLineEdit*, 3> edits{year_, month_, day_};
    for (QLineEdit* edit : edits) {
        edit->setGeometry(x - kEditMargin / 2, (height - editHeight) / 2, blanks + kEditMargin,
                          editHeight);
        x += blanks + unit;
    }
    setMinimumSize(x + kEditMargin, height);
}

}  // namespace keiro::print
