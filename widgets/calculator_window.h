#pragma once
// CalculatorWindow, "簡易電卓": a small modal desk calculator opened from an amount box.  Its ＯＫ
// writes the result into the box that had the focus when it was opened, in that box's format.
//
// The arithmetic lives in CalculatorState (no widgets): chained operations are worked left to
// right as they are keyed (12 + 3 × 2 = 30), ％ works as on a desk calculator, and any error
// (division by zero, a result too long for the display) shows "E" until Ｃ.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

class QGridLayout;
class QLineEdit;

namespace keiro::ui {

class MessageService;

class CalculatorState {
  public:
    enum class Key {
        Digit0,
        Digit1,
        Digit2,
        Digit3,
        Digit4,
        Digit5,
        Digit6,
        Digit7,
        Digit8,
        Digit9,
        Point,
        Plus,
        Minus,
        Times,
        Divide,
        Percent,
        Equal,
        Clear,
        Backspace
    };

    // Significant digits the display holds; longer results are rounded to fit, and a whole
    // part longer than this is an error.
    static constexpr int kMaxDigits = 12;
    static constexpr std::string_view kErrorText = "E";

    static Key digit(int d) { return static_cast<Key>(static_cast<int>(Key::Digit0) + d); }

    // Applies one key and returns what the display shows.
    const std::string& press(Key key);

    const std::string& display() const { return display_; }
    bool hasError() const { return error_; }
    // The number shown; nothing while the display shows an error.
    std::optional<double> value() const;

  private:
    enum class Op { None, Plus, Minus, Times, Divide };

    void enterDigit(int d);
    void enterPoint();
    void backspace();
    void operation(Op op);
    void equal();
    void percent();
    void clear();
    // Shows `result` (rounded to the display), or the error for a result that does not fit.
    void show(double result);
    double current() const;
    static std::optional<double> apply(Op op, double left, double right);

    std::string display_ = "0";
    double accumulator_ = 0;
    Op pending_ = Op::None;
    bool entering_ = false;  // digits typed since the last operation
    bool error_ = false;
};

class CalculatorWindow : public QDialog {
    Q_OBJECT
  public:
    CalculatorWindow(QWidget* parent, MessageService& messages);

    // Remembers the box that has the focus now, starts from 0 and shows the calculator modally;
    // true when ＯＫ wrote a result into the box.
    bool calculate();
    // The same for a given box (a box without numeric entry behaviour receives nothing).
    bool calculate(QLineEdit* target);

    // Starts a calculation for `target` without showing the window.
    void startFor(QLineEdit* target);
    void press(CalculatorState::Key key);
    // ＯＫ: writes the result into the remembered box through its numeric entry (format code),
    // then closes.  An error display or a result the box cannot hold writes nothing.
    void writeResult();

    const CalculatorState& state() const { return state_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void addKey(QGridLayout* grid, const char* name, const QString& text, CalculatorState::Key key,
                int row, int column, int columnSpan = 1);

    MessageService& messages_;
    CalculatorState state_;
    QPointer<QLineEdit> target_;
    QLineEdit* display_;
    bool written_ = false;
};

}  // namespace keiro::ui
