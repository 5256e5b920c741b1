#pragma once
// Edit-box behaviours for the bank transfer file's codes and kana names, shared by the
// employee editor and the settings dialog.

#include <functional>

#include "core/zengin_text.h"

class QLineEdit;

namespace keiro::payroll {

// Only the digits 0..9 are kept of what is typed or pasted (with a beep for the rest).
void acceptDigitsOnly(QLineEdit* box);

// When the box is left, text that converts to the transfer file's characters is shown
// converted (full-width kana as half-width, small kana large, voiced kana with their mark);
// text that does not is left as typed for the check to name.
void showAsZenginTextOnLeave(QLineEdit* box, ZenginClass kind);
// The same with the class asked when the box is left (a name whose class is a setting).
void showAsZenginTextOnLeave(QLineEdit* box, std::function<ZenginClass()> kind);

// The box's text as the file's bytes, or the text's code page 932 bytes when it does not
// convert (the check refuses those before anything is stored).  Throws text::EncodingError
// for a character without a code page 932 form.
std::string zenginBytesOf(const QLineEdit* box, ZenginClass kind);

}  // namespace keiro::payroll
