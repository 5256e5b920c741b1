#include "payroll/employee_boxes.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/entry.h"
#include "payroll/zengin_boxes.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

constexpr const char* kAmountProperty = "keiroAmountBox";
constexpr int kBoxPadding = 14;

const QString kMsgNoBackspace =
    QStringLiteral("この項目ではBackSpaceキーは使用できません。\nDeleteキーで編集を行って下さい。");

int widthFor(const QWidget* box, const QString& sample) {
    return box->fontMetrics().horizontalAdvance(sample) + kBoxPadding;
}

// The widest text of an amount box of this format code: "9,999,999" for seven digits.
QString widestAmount(int formatCode) {
    const FormatCode code = splitFormatCode(formatCode);
    const int digits = formatCode == kSixDigitAmount     ? 6
                       : formatCode == kSevenDigitAmount ? 7
                                                         : code.width - code.decimals;
    return QString::fromStdString(
        formatAmount(0, static_cast<long long>(std::pow(10, digits)) - 1));
}

QLineEdit* namedBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// Refuses Backspace in a combo box's text.  Installed after the box's text behaviour, so it
// sees the key first.
class BackspaceRefusal : public QObject {
  public:
    BackspaceRefusal(QLineEdit* edit, ui::MessageService& messages)
        : QObject(edit), edit_(edit), messages_(messages) {
        edit->installEventFilter(this);
    }

  private:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != edit_ || event->type() != QEvent::KeyPress) return false;
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Backspace) return false;
        // Shown once the key event is done, so the box keeps the focus.
        QTimer::singleShot(0, this,
                           [this] { messages_.warning(edit_->window(), kMsgNoBackspace); });
        return true;
    }

    QLineEdit* edit_;
    ui::MessageService& messages_;
};

}  // namespace

QLineEdit* BoxMaker::amount(const char* name, int formatCode) const {
    QLineEdit* box = namedBox(parent, name);
    box->setAlignment(Qt::AlignRight);
    box->setProperty(kAmountProperty, true);
    // Six- and seven-digit boxes share one width, so the columns of a page line up.
    const int widest = formatCode == kSixDigitAmount ? kSevenDigitAmount : formatCode;
    box->setFixedWidth(widthFor(box, widestAmount(widest) + QStringLiteral("0")));
    ui::NumericEntry* entry = ui::NumericEntry::attach(box, formatCode, false, settings, messages);
    QObject::connect(entry, &ui::NumericEntry::committed, box, [box] { reformatAmount(box); });
    return box;
}

QLineEdit* BoxMaker::rightAligned(const char* name, int formatCode, const QString& widest) const {
    QLineEdit* box = namedBox(parent, name);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(widthFor(box, widest));
    ui::NumericEntry::attach(box, formatCode, false, settings, messages);
    return box;
}

QLineEdit* BoxMaker::twoDigits(const char* name) const {
    return rightAligned(name, kTwoDigits, QStringLiteral("000"));
}

QLineEdit* BoxMaker::fourDigits(const char* name) const {
    return rightAligned(name, kFourDigits, QStringLiteral("00000"));
}

QLineEdit* BoxMaker::text(const char* name, int maxBytes, int shownBytes) const {
    QLineEdit* box = namedBox(parent, name);
    box->setFixedWidth(widthFor(box, QString(shownBytes > 0 ? shownBytes : maxBytes, u'0')));
    ui::TextEntry::attach(box, maxBytes, settings, messages);
    return box;
}

QLineEdit* BoxMaker::myNumber(const char* name) const {
    QLineEdit* box = text(name, 12);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    // Masked with "*" while the echo mode is Password.
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    acceptDigitsOnly(box);
    return box;
}

QLineEdit* BoxMaker::digits(const char* name, int count) const {
    QLineEdit* box = text(name, count);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    acceptDigitsOnly(box);
    return box;
}

void showAmount(QLineEdit* box, long long value) {
    box->setText(QString::fromStdString(formatAmount(0, value)));
}

std::int32_t amountIn(const QLineEdit* box) {
    const double value = parseNumber(box->text().toStdString()).value;
    if (!std::isfinite(value)) return 0;
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::llround(std::clamp(value, kMin, kMax)));
}

void reformatAmount(QLineEdit* box) {
    if (box == nullptr || !box->property(kAmountProperty).toBool()) return;
    if (!box->text().trimmed().isEmpty()) showAmount(box, amountIn(box));
}

void showTwoDigits(QLineEdit* box, int value, bool blankZero) {
    box->setText(value == 0 && blankZero ? QString() : QString::asprintf("%2d", value));
}

void refuseBackspace(QComboBox* combo, ui::MessageService& messages) {
    if (QLineEdit* edit = combo->lineEdit()) new BackspaceRefusal(edit, messages);
}

QLabel* caption(QWidget* parent, const QString& text, const char* name) {
    auto* label = new QLabel(text, parent);
    if (name != nullptr) label->setObjectName(QString::fromLatin1(name));
    return label;
}

void addRow(QGridLayout* grid, int row, QLabel* label, QWidget* control, int column) {
    label->setBuddy(control);
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1, Qt::AlignLeft);
}

}  // namespace keiro::payroll
