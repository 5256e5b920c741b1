#pragma once
// Readings for furigana boxes.  The furigana of the withholding records is half-width katakana
// (as the payroll program's name readings are), so a reading in hiragana or full-width katakana
// that an input method composed is converted before it goes into a furigana box.

#include <string>
#include <string_view>

namespace keiro::withholding {

// Whether the text is a reading: not empty, and only hiragana, katakana (full-width or
// half-width), the prolonged sound mark and voicing marks.  A composition that still holds
// latin letters or has been converted to kanji is not.
bool isKanaReading(std::string_view utf8);

// The text with hiragana and full-width katakana as half-width katakana (ガ becomes ｶﾞ); other
// characters are kept.
std::string halfWidthKatakana(std::string_view utf8);

// Whether `now` is `before` with only blanks (half-width or full-width spaces) added.
bool onlyBlanksAdded(std::string_view before, std::string_view now);

}  // namespace keiro::withholding
