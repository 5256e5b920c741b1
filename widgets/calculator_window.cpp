#include "widgets/calculator_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/entry.h"
#include "widgets/entry_behaviour.h"
#include "widgets/message_service.h"

namespace keiro::ui {

// --- the arithmetic ---------------------------------------------------------------------------

namespace {

std::string fixed(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

int digitCount(const std::string& text) {
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

}  // namespace

const std::string& CalculatorState::press(Key key) {
    if (error_ && key != Key::Clear) return display_;
    switch (key) {
        case Key::Point:
            enterPoint();
            break;
        case Key::Plus:
            operation(Op::Plus);
            break;
        case Key::Minus:
            operation(Op::Minus);
            break;
        case Key::Times:
            operation(Op::Times);
            break;
        case Key::Divide:
            operation(Op::Divide);
            break;
        case Key::Percent:
            percent();
            break;
        case Key::Equal:
            equal();
            break;
        case Key::Clear:
            clear();
            break;
        case Key::Backspace:
            backspace();
            break;
        default:
            enterDigit(static_cast<int>(key) - static_cast<int>(Key::Digit0));
            break;
    }
    return display_;
}

std::optional<double> CalculatorState::value() const {
    if (error_) return std::nullopt;
    return current();
}

double CalculatorState::current() const {
    double value = 0;
    std::from_chars(display_.data(), display_.data() + display_.size(), value);
    return value;
}

void CalculatorState::enterDigit(int d) {
    if (!entering_) {
        display_ = "0";
        entering_ = true;
    }
    if (digitCount(display_) >= kMaxDigits) return;
    if (display_ == "0") display_.clear();
    display_ += static_cast<char>('0' + d);
}

void CalculatorState::enterPoint() {
    if (!entering_) {
        display_ = "0";
        entering_ = true;
    }
    if (display_.find('.') == std::string::npos) display_ += '.';
}

void CalculatorState::backspace() {
    if (!entering_) return;
    display_.pop_back();
    if (display_.empty() || display_ == "-") display_ = "0";
}

std::optional<double> CalculatorState::apply(Op op, double left, double right) {
    switch (op) {
        case Op::Plus:
            return left + right;
        case Op::Minus:
            return left - right;
        case Op::Times:
            return left * right;
        case Op::Divide:
            if (right == 0) return std::nullopt;
            return left / right;
        case Op::None:
            break;
    }
    return right;
}

void CalculatorState::operation(Op op) {
    if (pending_ == Op::None) {
        accumulator_ = current();
    } else if (entering_) {  // a chain: the operation keyed before is worked out first
        const std::optional<double> result = apply(pending_, accumulator_, current());
        if (!result) {
            show(NAN);
            return;
        }
        show(*result);
        if (error_) return;
        accumulator_ = current();
    }
    pending_ = op;  // an operation keyed twice in a row replaces the first
    entering_ = false;
}

void CalculatorState::equal() {
    if (pending_ != Op::None) {
        const std::optional<double> result = apply(pending_, accumulator_, current());
        show(result ? *result : NAN);
    }
    pending_ = Op::None;
    entering_ = false;
}

// a × b ％ is a × b / 100; a ÷ b ％ is a / b × 100; a ＋ b ％ adds b percent of a, a － b ％
// takes it off; b ％ alone is b / 100.
void CalculatorState::percent() {
    const double b = current();
    const double a = accumulator_;
    double result = b / 100;
    switch (pending_) {
        case Op::Plus:
            result = a + a * b / 100;
            break;
        case Op::Minus:
            result = a - a * b / 100;
            break;
        case Op::Times:
            result = a * b / 100;
            break;
        case Op::Divide:
            result = b == 0 ? NAN : a / b * 100;
            break;
        case Op::None:
            break;
    }
    show(result);
    pending_ = Op::None;
    entering_ = false;
}

void CalculatorState::clear() {
    *this = CalculatorState();
}

void CalculatorState::show(double result) {
    std::string text;
    if (std::isfinite(result)) {
        const int whole = std::max(1, digitCount(fixed(std::fabs(result), 0)));
        if (whole <= kMaxDigits) text = fixed(result, kMaxDigits - whole);
    }
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (text.empty() || digitCount(text) > kMaxDigits) {
        display_ = std::string(kErrorText);
        error_ = true;
        pending_ = Op::None;
        return;
    }
    display_ = text == "-0" ? "0" : text;
}

// --- the window -----------------------------------------------------------------------------

CalculatorWindow::CalculatorWindow(QWidget* parent, MessageService& messages)
    : QDialog(parent), messages_(messages), display_(new QLineEdit(this)) {
    using Key = CalculatorState::Key;
    setObjectName(QStringLiteral("TfmCalc"));
    setWindowTitle(QStringLiteral("簡易電卓"));

    display_->setObjectName(QStringLiteral("edResult"));
    display_->setReadOnly(true);
    display_->setAlignment(Qt::AlignRight);
    display_->setFocusPolicy(Qt::NoFocus);
    QFont font = display_->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    display_->setFont(font);
    // Room for the longest result: a sign, twelve digits and a point.
    display_->setMinimumWidth(display_->fontMetrics().horizontalAdvance(QString(15, u'0')));

    auto* grid = new QGridLayout(this);
    grid->addWidget(display_, 0, 0, 1, 4);
    static constexpr int kDigitRows[] = {4, 3, 3, 3, 2, 2, 2, 1, 1, 1};
    static constexpr int kDigitColumns[] = {0, 0, 1, 2, 0, 1, 2, 0, 1, 2};
    for (int d = 0; d <= 9; ++d) {
        const QByteArray name = "bt" + QByteArray::number(d);
        addKey(grid, name.constData(), QString::number(d), CalculatorState::digit(d), kDigitRows[d],
               kDigitColumns[d]);
    }
    addKey(grid, "btPoint", QStringLiteral("．"), Key::Point, 4, 1);
    addKey(grid, "btPercent", QStringLiteral("％"), Key::Percent, 4, 2);
    addKey(grid, "btDivide", QStringLiteral("÷"), Key::Divide, 1, 3);
    addKey(grid, "btTimes", QStringLiteral("×"), Key::Times, 2, 3);
    addKey(grid, "btMinus", QStringLiteral("－"), Key::Minus, 3, 3);
    addKey(grid, "btPlus", QStringLiteral("＋"), Key::Plus, 4, 3);
    addKey(grid, "btClear", QStringLiteral("Ｃ"), Key::Clear, 5, 0, 2);
    addKey(grid, "btEqual", QStringLiteral("＝"), Key::Equal, 5, 2, 2);

    auto* ok = new QPushButton(QStringLiteral("ＯＫ"), this);
    ok->setObjectName(QStringLiteral("btOK"));
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("btCancel"));
    for (QPushButton* button : {ok, cancel}) {
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
    }
    grid->addWidget(ok, 6, 0, 1, 2);
    grid->addWidget(cancel, 6, 2, 1, 2);
    connect(ok, &QPushButton::clicked, this, [this] { writeResult(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    display_->setText(QString::fromStdString(state_.display()));
}

void CalculatorWindow::addKey(QGridLayout* grid, const char* name, const QString& text,
                              CalculatorState::Key key, int row, int column, int columnSpan) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    // The keys never take the focus, so typed keys always reach the calculator.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setMinimumWidth(40);
    grid->addWidget(button, row, column, 1, columnSpan);
    connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
}

bool CalculatorWindow::calculate() {
    return calculate(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
}

bool CalculatorWindow::calculate(QLineEdit* target) {
    startFor(target);
    exec();
    return written_;
}

void CalculatorWindow::startFor(QLineEdit* target) {
    target_ = target;
    written_ = false;
    press(CalculatorState::Key::Clear);
}

void CalculatorWindow::press(CalculatorState::Key key) {
    display_->setText(QString::fromStdString(state_.press(key)));
}

void CalculatorWindow::writeResult() {
    press(CalculatorState::Key::Equal);  // an operation still pending is completed first
    const std::optional<double> value = state_.value();
    NumericEntry* entry =
        target_ ? target_->findChild<NumericEntry*>(QString(), Qt::FindDirectChildrenOnly)
                : nullptr;
    if (!value || !entry) {  // an error shown, or no amount box to write into
        reject();
        return;
    }
    // The box must be able to hold the result as if it had been typed there.
    const FormatCode code = splitFormatCode(entry->formatCode());
    const QString typed = QString::number(*value, 'f', std::max(0, code.decimals));
    const EntryCheck check = validateNumericEntry(typed.toStdString(), entry->formatCode());
    if (!check.error.empty()) {
        messages_.error(this, QString::fromStdString(check.error == kMsgTooManyDigits
                                                         ? tooManyDigitsMessage(entry->formatCode())
                                                         : check.error));
        return;
    }
    entry->setValue(*value);
    written_ = true;
    accept();
}

void CalculatorWindow::keyPressEvent(QKeyEvent* event) {
    using Key = CalculatorState::Key;
    std::optional<Key> key;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            key = Key::Equal;
            break;
        case Qt::Key_Backspace:
            key = Key::Backspace;
            break;
        case Qt::Key_Delete:
            key = Key::Clear;
            break;
        default:
            break;
    }
    const QString text = event->text();
    if (!key && text.size() == 1) {
        const QChar c = text.front();
        if (c >= u'0' && c <= u'9') key = CalculatorState::digit(c.unicode() - u'0');
        switch (c.unicode()) {
            case u'.':
                key = Key::Point;
                break;
            case u'+':
                key = Key::Plus;
                break;
            case u'-':
                key = Key::Minus;
                break;
            case u'*':
                key = Key::Times;
                break;
            case u'/':
                key = Key::Divide;
                break;
            case u'%':
                key = Key::Percent;
                break;
            case u'=':
                key = Key::Equal;
                break;
            case u'c':
            case u'C':
                key = Key::Clear;
                break;
            default:
                break;
        }
    }
    if (key) {
        press(*key);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace keiro::ui
