#pragma once
// Text at the file boundary.  Inside the program text is UTF-8; everything written to disk as
// text, and every string field of the data files, is code page 932 (Microsoft's Shift-JIS).
// Widths that the files and printed columns measure are code page 932 bytes, so the helpers
// here measure, pad, cut and sort by those bytes, never by UTF-8 length.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace keiro::text {

// A character that has no code page 932 form.  what() is a Japanese message for the user.
class EncodingError : public std::runtime_error {
  public:
    EncodingError(const std::string& message, char32_t character)
        : std::runtime_error(message), character_(character) {}
    char32_t character() const { return character_; }

  private:
    char32_t character_;
};

// Maps the characters that Linux input methods produce to their code page 932 twins
// (〜 U+301C → ～ U+FF5E, − U+2212 → － U+FF0D, ‖ U+2016 → ∥ U+2225, — U+2014 → ― U+2015,
// ¢ £ ¬ → ￠ ￡ ￢).  Everything else is left as it is.
std::string normaliseForCp932(std::string_view utf8);

// UTF-8 → code page 932, after normaliseForCp932.  Throws EncodingError naming the first
// character that has no code page 932 form (𠮷, emoji, ...).
std::string toCp932(std::string_view utf8);

// The first character of the text that cannot be stored, or 0 when all can.
char32_t firstUnencodable(std::string_view utf8);

// Code page 932 → UTF-8.  Never fails: undecodable bytes become U+FFFD.
std::string fromCp932(std::string_view cp932);

// Shift-JIS lead byte: 0x81..0x9F or 0xE0..0xFC.
constexpr bool isLeadByte(std::uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The longest prefix of at most maxBytes bytes that does not split a double-byte character.
std::string_view truncateBytes(std::string_view cp932, std::size_t maxBytes);

// Width of UTF-8 text in code page 932 bytes (a character without a form counts as 2).
std::size_t cp932Width(std::string_view utf8);

// The characters of UTF-8 text (after normaliseForCp932) with their code page 932 widths, as
// fixed-pitch printing places them.
struct WidthCharacter {
    std::string character;  // UTF-8
    std::size_t width = 0;  // 1 or 2
};
std::vector<WidthCharacter> widthCharacters(std::string_view utf8);

// UTF-8 text cut to at most maxBytes code page 932 bytes without splitting a character.
std::string truncateToWidth(std::string_view utf8, std::size_t maxBytes);

// UTF-8 text cut to `width` bytes and filled with blanks to exactly `width` bytes (left aligned
// or right aligned), as the fixed-width columns of lists and printouts need.
std::string padRight(std::string_view utf8, std::size_t width);
std::string padLeft(std::string_view utf8, std::size_t width);

// A key that sorts texts in code page 932 byte order (how the lists order names).
std::string sortKey(std::string_view utf8);

// What a half-width kana box keeps of what an input method gives: hiragana and full-width
// katakana as half-width katakana (ガ as ｶﾞ), full-width letters, digits, signs and the
// ideographic space as their half-width forms.  Other characters are left as they are.
std::string toHalfWidthKana(std::string_view utf8);

}  // namespace keiro::text
