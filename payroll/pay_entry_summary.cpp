#include "payroll/pay_entry_summary.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "core/entry.h"
#include "payroll/config_widgets.h"
#include "payroll/item_colours.h"

namespace keiro::payroll {
namespace {

constexpr const char* kWidestTotal = "-99,999,999";
constexpr int kBoxMargin = 16;
constexpr int kMemoLineCharacters = 22;

QLineEdit* totalBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1String(kWidestTotal)) +
                       kBoxMargin);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, kAutomaticItemColour);
    box->setPalette(colours);
    return box;
}

// A legend entry: a framed sample of a box colour with its meaning.
QLabel* legend(QWidget* parent, const char* name, const QString& text, const QColor& background,
               const QColor& foreground) {
    auto* sample = new QLabel(text, parent);
    sample->setObjectName(QLatin1String(name));
    sample->setFrameShape(QFrame::Box);
    sample->setAlignment(Qt::AlignCenter);
    sample->setMargin(3);
    sample->setAutoFillBackground(true);
    QPalette colours = sample->palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, foreground);
    sample->setPalette(colours);
    return sample;
}

QString yen(std::int64_t amount) {
    return qs(formatAmount(0, amount));
}

}  // namespace

PayEntrySummary::PayEntrySummary(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    auto* totals = new QGroupBox(QStringLiteral("合 計"), this);
    totals->setObjectName(QStringLiteral("gbGoukei"));
    auto* form = new QFormLayout(totals);
    form->setContentsMargins(8, 6, 8, 6);
    form->setVerticalSpacing(3);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    payTotalEdit_ = totalBox(totals, "edSikyuGoukei");
    deductionTotalEdit_ = totalBox(totals, "edKoujoGoukei");
    otherTotalEdit_ = totalBox(totals, "edSonotaGoukei");
    netPayEdit_ = totalBox(totals, "edSasihiki");
    QFont bold = netPayEdit_->font();
    bold.setBold(true);
    netPayEdit_->setFont(bold);
    form->addRow(QStringLiteral("支給合計"), payTotalEdit_);
    form->addRow(QStringLiteral("控除合計"), deductionTotalEdit_);
    form->addRow(QStringLiteral("その他合計"), otherTotalEdit_);
    auto* netCaption = new QLabel(QStringLiteral("差引支給額"), totals);
    netCaption->setFont(bold);
    form->addRow(netCaption, netPayEdit_);
    column->addWidget(totals);

    auto* legends = new QHBoxLayout;
    const QPalette normal = QApplication::palette(this);
    legends->addWidget(legend(this, "pnAuto", QStringLiteral("自動セット項目"),
                              kAutomaticItemColour, normal.color(QPalette::Text)));
    legends->addWidget(legend(this, "pnManual", QStringLiteral("手入力項目"),
                              normal.color(QPalette::Base), kHandEnteredTextColour));
    column->addLayout(legends);

    auto* remarks = new QGroupBox(QStringLiteral("備 考"), this);
    remarks->setObjectName(QStringLiteral("gbBikou"));
    auto* remarksLayout = new QVBoxLayout(remarks);
    remarksLayout->setContentsMargins(8, 6, 8, 6);
    memoEdit_ = new QPlainTextEdit(remarks);
    memoEdit_->setObjectName(QStringLiteral("mmBikou"));
    memoEdit_->setTabChangesFocus(true);
    memoEdit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Room for a line of 22 double-byte characters; longer lines scroll.
    memoEdit_->setMinimumWidth(
        memoEdit_->fontMetrics().horizontalAdvance(QString(kMemoLineCharacters, QChar(0x5168))) +
        2 * memoEdit_->frameWidth() + kBoxMargin);
    const int lineHeight = memoEdit_->fontMetrics().lineSpacing();
    memoEdit_->setFixedHeight(lineHeight * kMemoMaxLines + 2 * memoEdit_->frameWidth() +
                              static_cast<int>(2 * memoEdit_->document()->documentMargin()) + 4);
    remarksLayout->addWidget(memoEdit_);
    column->addWidget(remarks);
    connect(memoEdit_, &QPlainTextEdit::textChanged, this, &PayEntrySummary::memoChanged);
}

void PayEntrySummary::showTotals(const SheetTotals& totals) {
    payTotalEdit_->setText(yen(totals.pay));
    deductionTotalEdit_->setText(yen(totals.deduction));
    otherTotalEdit_->setText(yen(totals.other));
    netPayEdit_->setText(yen(totals.net));
}

void PayEntrySummary::setMemo(const QString& text) {
    acceptedMemo_ = text;
    const QSignalBlocker quiet(memoEdit_);
    memoEdit_->setPlainText(text);
}

void PayEntrySummary::memoChanged() {
    const QString now = memoEdit_->toPlainText();
    if (memoFits(now.toStdString())) {
        acceptedMemo_ = now;
        return;
    }
    QApplication::beep();
    // Back to the text before, the caret where it was before the keystroke.
    const int caret = memoEdit_->textCursor().position() - static_cast<int>(now.size()) +
                      static_cast<int>(acceptedMemo_.size());
    const QSignalBlocker quiet(memoEdit_);
    memoEdit_->setPlainText(acceptedMemo_);
    QTextCursor cursor = memoEdit_->textCursor();
    cursor.setPosition(std::clamp(caret, 0, static_cast<int>(acceptedMemo_.size())));
    memoEdit_->setTextCursor(cursor);
}

}  // namespace keiro::payroll
