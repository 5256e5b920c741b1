#pragma once
// The characters of the banks' fixed-length transfer file (全銀協 format) and the conversion of
// names into them.
//
// Every text item of the file is single bytes of JIS X 0201, which are also the single bytes
// of code page 932: half-width katakana ｱ..ﾝ, the sound marks ﾞ and ﾟ as bytes of their own,
// digits and the space.  Three classes of item are written here:
//
// - names (受取人名, 委託者名), the class banks call 口座名等: also the letters A..Z and the
//   four symbols ( ) - . (never '/').  This is what the banks' and the payroll vendors' salary
//   formats take, and what a company's bank-registered name needs (ｶ)ｻﾝﾌﾟﾙ).
// - names under the strict reading of the salary format, for a bank that refuses symbols:
//   kana, marks, digits and the space, nothing else.
// - bank and branch names: kana, marks, digits, the space, A..Z and the hyphen.
//
// Never allowed anywhere: ｦ, the small kana ｧ..ｯ, the long vowel mark ｰ, the comma and the
// middle dot.
//
// Conversion of typed names: full-width katakana and hiragana become half-width; a voiced or
// semi-voiced kana becomes two bytes, the base and its mark (ガ → ｶﾞ, パ → ﾊﾟ, ヴ → ｳﾞ); small
// kana become large (ャ → ﾔ, ッ → ﾂ, ヵ → ｶ); the middle dot and the ideographic space become a
// space, runs of spaces one space, and blanks at either end go.  Full-width digits become
// digits; where letters are allowed, full-width and lower-case letters become A..Z, and the
// full-width symbols their half-width twins.  In a name of the 口座名等 class the long vowel
// mark (ー or ｰ) becomes '-', as banks write it; the strict class and bank names refuse it.
// ヲ, ヰ and ヱ are refused too (no bank document says what to write for them), as is every
// kanji: the kana reading must be typed.

#include <cstddef>
#include <string>
#include <string_view>

namespace keiro {

enum class ZenginClass {
    Name,  // 受取人名, 委託者名 (口座名等): kana, marks, digits, space, A..Z, ( ) - .
    StrictName,  // the same names read strictly: kana, marks, digits, space
    Shop,        // 銀行名, 支店名: kana, marks, digits, space, A..Z, '-'
};

// A name converted to the file's bytes; `refused` is the first character that cannot be
// written (0 when the whole text converted).
struct ZenginText {
    std::string bytes;
    char32_t refused = 0;
    bool ok() const { return refused == 0; }
};

// Converts UTF-8 text (full- or half-width kana, digits, spaces, and where the class allows
// them letters and symbols) to the file's bytes.  Empty text converts to nothing.
ZenginText toZenginText(std::string_view utf8, ZenginClass kind);

// Whether stored bytes hold only characters of the class, with every sound mark right after a
// kana that takes it.
bool isZenginText(std::string_view bytes, ZenginClass kind);

// The bytes cut to at most `width`, never parting a kana from its sound mark: a kana whose
// mark would fall beyond the cut goes with it.
std::string_view cutZenginText(std::string_view bytes, std::size_t width);

// Whether every character is one of 0..9 (true for empty text): the file's number items and
// the codes kept for them.
bool isAsciiDigits(std::string_view text);

// The character a refusal names, for messages: "「漢」".
std::string quotedCharacter(char32_t character);

// What a class allows, for messages: "半角ｶﾀｶﾅ(ｦ・小さい文字を除く)、英大文字、数字、…".
std::string_view zenginClassCharacters(ZenginClass kind);

}  // namespace keiro
