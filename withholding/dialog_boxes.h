#pragma once
// Edit boxes of the withholding program's small dialogs, with the shared entry behaviour
// (Enter moves on, Ctrl+Delete empties, limits in code page 932 bytes).

#include <QString>
#include <string_view>

class QLineEdit;

namespace keiro::ui {
class MessageService;
}

namespace keiro::withholding {

// A text box named `name` whose text fits `maxBytes` code page 932 bytes, wide enough to show
// `shownBytes` of them.
QLineEdit* textBox(const QString& name, int maxBytes, int shownBytes, ui::MessageService& messages);

// A box for an individual number: up to `maxDigits` digits, typed with the input method off;
// anything else typed or pasted is dropped with a beep (full-width digits become digits).  The
// box shows "*" for each digit while its echo mode is Password.
QLineEdit* digitBox(const QString& name, int maxDigits, ui::MessageService& messages);

// Whether a number box's text may be stored: unchanged from `loaded` (a stored number stays as
// it is), empty, or twelve digits whose check digit matches.  A refused number is named in an
// error message and the box gets the focus.
bool acceptMyNumber(QLineEdit* box, const QString& loaded, ui::MessageService& messages);

// A text box of the same kind that masks with "*" too (the 備考 boxes hold numbers).
void maskWithStars(QLineEdit* box);

inline QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace keiro::withholding
