#pragma once
// The kinds of boxes the employee editor's pages are made of, each with the edit-box behaviour
// every window shares: amount boxes (digits only, a digit limit checked on leaving, thousands
// separators), two-digit boxes ("%2d"), text boxes limited in code page 932 bytes, and the
// twelve-digit My Number box.

#include <QString>
#include <cstdint>

#include "widgets/entry_behaviour.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace keiro::payroll {

// Format codes of the editor's numeric boxes: up to six or seven digits shown with separators,
// four digits for the transfer fee, and two-digit counts and dates.
inline constexpr int kSixDigitAmount = 70;
inline constexpr int kSevenDigitAmount = 90;
inline constexpr int kFourDigitAmount = 40;
inline constexpr int kTwoDigits = 20;
inline constexpr int kFourDigits = 40;

// What every box of the editor is made with.
struct BoxMaker {
    QWidget* parent;
    ui::EntrySettings settings;
    ui::MessageService& messages;

    // An amount box: right-aligned, wide enough for its largest amount with separators, and
    // reformatted with separators whenever it is left with a valid entry.
    QLineEdit* amount(const char* name, int formatCode) const;
    // A right-aligned two-digit box, shown "%2d".
    QLineEdit* twoDigits(const char* name) const;
    // A right-aligned box of up to four digits (an era year, or a Western year to convert).
    QLineEdit* fourDigits(const char* name) const;
    // A right-aligned numeric box of the format code, as wide as `widest`.
    QLineEdit* rightAligned(const char* name, int formatCode, const QString& widest) const;
    // A text box of at most `maxBytes` code page 932 bytes, wide enough for that many (or for
    // `shownBytes` when given).
    QLineEdit* text(const char* name, int maxBytes, int shownBytes = 0) const;
    // The My Number box: twelve digits at most; anything else typed or pasted is dropped.
    QLineEdit* myNumber(const char* name) const;
    // A box of at most `count` digits; anything else typed or pasted is dropped.
    QLineEdit* digits(const char* name, int count) const;
};

// Amount boxes: the value shown with separators ("1,234,567"), and the value read back (0 when
// empty; kept within the range of the record's 32-bit fields).
void showAmount(QLineEdit* box, long long value);
std::int32_t amountIn(const QLineEdit* box);
// Shows an amount box's value again with separators (after the calculator wrote into it);
// other boxes are left alone.
void reformatAmount(QLineEdit* box);

// Two-digit boxes: "%2d", or empty for 0 when `blankZero`.
void showTwoDigits(QLineEdit* box, int value, bool blankZero = false);

// Backspace in the combo box's text is refused with its two-line message (Delete edits it).
void refuseBackspace(QComboBox* combo, ui::MessageService& messages);

// A caption label, and one named for lookups (captions that change).
QLabel* caption(QWidget* parent, const QString& text, const char* name = nullptr);
// A row of a form grid: caption in column `column`, the control right of it.
void addRow(QGridLayout* grid, int row, QLabel* label, QWidget* control, int column = 0);

}  // namespace keiro::payroll
