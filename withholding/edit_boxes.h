#pragma once
// The boxes of the employee withholding editors, made by entry class.  Each box carries its
// class as the property "tag":
//   10  one-digit counts (dependants, disabled persons), at most 1 character
//   20  two-digit date parts, shown "%2d" (empty for 0)
//   100 yen amounts, at most 8 digits, shown with thousands separators
//   0   text, limited to its field's code page 932 bytes
// Numeric boxes and the postal-code box take digits only (and "-" in the postal code); other
// keys beep.  Keys typed while Ctrl is held are left to the system.  The entry rules shared by
// every window (AutoSelect in the numeric boxes, overwrite typing, Enter to the next box,
// Ctrl+Delete) come from widgets/entry_behaviour.

#include <QObject>
#include <cstdint>
#include <string>

#include "widgets/entry_behaviour.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace keiro::ui {
class MessageService;
}

namespace keiro::withholding {

enum class BoxTag { Text = 0, Count = 10, DatePart = 20, Amount = 100 };

// The tag of a box made here (Text for any other widget).
BoxTag tagOf(const QWidget* box);

class EditBoxes : public QObject {
    Q_OBJECT
  public:
    EditBoxes(QWidget* owner, const ui::EntrySettings& settings, ui::MessageService& messages);

    QLineEdit* amount(const char* name);
    QLineEdit* count(const char* name);
    QLineEdit* datePart(const char* name);
    QLineEdit* text(const char* name, int maxBytes, int widthChars);
    // The postal code: digits and "-", at most 8 characters.
    QLineEdit* postalCode(const char* name);
    // Digits only, at most `maxBytes` characters (the recipient number).
    QLineEdit* digits(const char* name, int maxBytes);
    QCheckBox* check(const char* name, const QString& caption);
    QComboBox* combo(const char* name, const QStringList& items);

    // Values in the display of each class; reading an unparsable or empty box gives 0.
    static void setAmount(QLineEdit* box, std::int32_t value);
    static std::int32_t amountOf(const QLineEdit* box);
    // `showZero`: the counts that show 0 rather than an empty box.
    static void setCount(QLineEdit* box, int value, bool showZero = false);
    static void setDatePart(QLineEdit* box, int value);
    static int numberOf(const QLineEdit* box);
    static void setText(QLineEdit* box, const std::string& utf8);
    // The box's text as stored: normalised for code page 932 and trimmed.
    static std::string textOf(const QLineEdit* box);

  signals:
    // A numeric box was left with a valid entry and shows its value in its class's display.
    void numberLeft(QLineEdit* box);

  private:
    QLineEdit* numeric(const char* name, BoxTag tag, int formatCode, int maxLength);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget* owner_;
    ui::EntrySettings settings_;
    ui::MessageService& messages_;
};

}  // namespace keiro::withholding
