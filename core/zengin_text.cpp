#include "core/zengin_text.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace keiro {
namespace {

using Byte = std::uint8_t;

constexpr Byte kVoiced = 0xDE;      // ﾞ
constexpr Byte kSemiVoiced = 0xDF;  // ﾟ
constexpr Byte kFirstKana = 0xB1;   // ｱ
constexpr Byte kLastKana = 0xDD;    // ﾝ

// Full-width katakana ァ (U+30A1) .. ヶ (U+30F6): the half-width base byte (0: refused) and
// the mark that follows it.
struct Kana {
    Byte base;
    Byte mark;
};
constexpr Byte V = kVoiced;
constexpr Byte P = kSemiVoiced;
// clang-format off
constexpr std::array<Kana, 0x30F6 - 0x30A1 + 1> kKatakana{{
    {0xB1, 0}, {0xB1, 0}, {0xB2, 0}, {0xB2, 0}, {0xB3, 0}, {0xB3, 0},  // ァアィイゥウ
    {0xB4, 0}, {0xB4, 0}, {0xB5, 0}, {0xB5, 0},                        // ェエォオ
    {0xB6, 0}, {0xB6, V}, {0xB7, 0}, {0xB7, V}, {0xB8, 0}, {0xB8, V},  // カガキギクグ
    {0xB9, 0}, {0xB9, V}, {0xBA, 0}, {0xBA, V},                        // ケゲコゴ
    {0xBB, 0}, {0xBB, V}, {0xBC, 0}, {0xBC, V}, {0xBD, 0}, {0xBD, V},  // サザシジスズ
    {0xBE, 0}, {0xBE, V}, {0xBF, 0}, {0xBF, V},                        // セゼソゾ
    {0xC0, 0}, {0xC0, V}, {0xC1, 0}, {0xC1, V},                        // タダチヂ
    {0xC2, 0}, {0xC2, 0}, {0xC2, V},                                   // ッツヅ
    {0xC3, 0}, {0xC3, V}, {0xC4, 0}, {0xC4, V},                        // テデトド
    {0xC5, 0}, {0xC6, 0}, {0xC7, 0}, {0xC8, 0}, {0xC9, 0},             // ナニヌネノ
    {0xCA, 0}, {0xCA, V}, {0xCA, P}, {0xCB, 0}, {0xCB, V}, {0xCB, P},  // ハバパヒビピ
    {0xCC, 0}, {0xCC, V}, {0xCC, P}, {0xCD, 0}, {0xCD, V}, {0xCD, P},  // フブプヘベペ
    {0xCE, 0}, {0xCE, V}, {0xCE, P},                                   // ホボポ
    {0xCF, 0}, {0xD0, 0}, {0xD1, 0}, {0xD2, 0}, {0xD3, 0},             // マミムメモ
    {0xD4, 0}, {0xD4, 0}, {0xD5, 0}, {0xD5, 0}, {0xD6, 0}, {0xD6, 0},  // ャヤュユョヨ
    {0xD7, 0}, {0xD8, 0}, {0xD9, 0}, {0xDA, 0}, {0xDB, 0},             // ラリルレロ
    {0xDC, 0}, {0xDC, 0}, {0, 0}, {0, 0}, {0, 0}, {0xDD, 0},           // ヮワヰヱヲン
    {0xB3, V}, {0xB6, 0}, {0xB9, 0},                                   // ヴヵヶ
}};
// clang-format on

// Half-width small kana ｧ..ｯ (0xA7..0xAF) as large kana.
constexpr std::array<Byte, 9> kLargeOfSmall{0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xD4, 0xD5, 0xD6, 0xC2};

bool isKana(Byte b) {
    return b >= kFirstKana && b <= kLastKana;
}

// ｳ, ｶ..ｺ, ｻ..ｿ, ﾀ..ﾄ and ﾊ..ﾎ take ﾞ; only ﾊ..ﾎ take ﾟ.
bool takesMark(Byte base, Byte mark) {
    const bool hRow = base >= 0xCA && base <= 0xCE;
    if (mark == kSemiVoiced) return hRow;
    return base == 0xB3 || (base >= 0xB6 && base <= 0xC4) || hRow;
}

bool isLetter(Byte b) {
    return b >= 'A' && b <= 'Z';
}

// The bytes beyond kana, marks, digits and the space that a class allows.
bool isExtra(Byte b, ZenginClass kind) {
    switch (kind) {
        case ZenginClass::Name:
            return isLetter(b) || b == '(' || b == ')' || b == '-' || b == '.';
        case ZenginClass::Shop:
            return isLetter(b) || b == '-';
        case ZenginClass::StrictName:
            break;
    }
    return false;
}

bool isHyphen(char32_t ch) {
    return ch == U'-' || ch == U'\uFF0D' || ch == U'\u2010' || ch == U'\u2212';
}

// A letter (half- or full-width, either case) as A..Z; 0 for anything else.
Byte letterOf(char32_t ch) {
    if (ch >= U'A' && ch <= U'Z') return static_cast<Byte>(ch);
    if (ch >= U'a' && ch <= U'z') return static_cast<Byte>(ch - 'a' + 'A');
    if (ch >= U'\uFF21' && ch <= U'\uFF3A') return static_cast<Byte>('A' + (ch - 0xFF21));
    if (ch >= U'\uFF41' && ch <= U'\uFF5A') return static_cast<Byte>('A' + (ch - 0xFF41));
    return 0;
}

// What one character becomes; `bytes` empty when it is refused.  Spaces come back as ' '.
struct Converted {
    Byte bytes[2] = {0, 0};
    int count = 0;
};

Converted one(Byte b) {
    Converted c;
    c.bytes[0] = b;
    c.count = 1;
    return c;
}

Converted convert(char32_t ch, ZenginClass kind) {
    if (ch == U' ' || ch == U'\u3000' || ch == U'\u30FB' || ch == U'\uFF65') return one(' ');
    if (ch >= U'0' && ch <= U'9') return one(static_cast<Byte>(ch));
    if (ch >= U'\uFF10' && ch <= U'\uFF19') return one(static_cast<Byte>('0' + (ch - 0xFF10)));
    if (kind != ZenginClass::StrictName) {
        if (const Byte letter = letterOf(ch)) return one(letter);
        if (isHyphen(ch)) return one('-');
    }
    if (kind == ZenginClass::Name) {
        if (ch == U'\u30FC' || ch == U'\uFF70') return one('-');  // ー, ｰ
        if (ch == U'(' || ch == U'\uFF08') return one('(');
        if (ch == U')' || ch == U'\uFF09') return one(')');
        if (ch == U'.' || ch == U'\uFF0E') return one('.');
    }
    // Hiragana ぁ..ゖ are the katakana 0x60 above them.
    if (ch >= U'\u3041' && ch <= U'\u3096') ch += 0x60;
    if (ch >= U'\u30A1' && ch <= U'\u30F6') {
        const Kana k = kKatakana[ch - 0x30A1];
        Converted c;
        if (k.base == 0) return c;
        c.bytes[0] = k.base;
        c.bytes[1] = k.mark;
        c.count = k.mark == 0 ? 1 : 2;
        return c;
    }
    // Sound marks typed on their own (combining, spacing or half-width).
    if (ch == U'\u3099' || ch == U'\u309B' || ch == U'\uFF9E') return one(kVoiced);
    if (ch == U'\u309A' || ch == U'\u309C' || ch == U'\uFF9F') return one(kSemiVoiced);
    // Half-width katakana: ｧ..ｯ become large, ｱ..ﾝ stay; ｦ and ｰ are refused.
    if (ch >= U'\uFF67' && ch <= U'\uFF6F') return one(kLargeOfSmall[ch - 0xFF67]);
    if (ch >= U'\uFF71' && ch <= U'\uFF9D')
        return one(static_cast<Byte>(kFirstKana + (ch - 0xFF71)));
    return {};
}

}  // namespace

ZenginText toZenginText(std::string_view utf8, ZenginClass kind) {
    ZenginText out;
    const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    std::int32_t i = 0;
    while (i < length) {
        UChar32 ch = 0;
        U8_NEXT(s, i, length, ch);
        if (ch < 0) ch = 0xFFFD;
        const auto character = static_cast<char32_t>(ch);
        const Converted c = convert(character, kind);
        if (c.count == 0) {
            out.refused = character;
            return out;
        }
        if (c.bytes[0] == ' ') {
            // One space between words, none at the start.
            if (!out.bytes.empty() && out.bytes.back() != ' ') out.bytes += ' ';
            continue;
        }
        const Byte first = c.bytes[0];
        if (first == kVoiced || first == kSemiVoiced) {
            const Byte before = out.bytes.empty() ? 0 : static_cast<Byte>(out.bytes.back());
            if (!isKana(before) || !takesMark(before, first)) {
                out.refused = character;
                return out;
            }
        }
        for (int k = 0; k < c.count; ++k) out.bytes += static_cast<char>(c.bytes[k]);
    }
    while (!out.bytes.empty() && out.bytes.back() == ' ') out.bytes.pop_back();
    return out;
}

bool isZenginText(std::string_view bytes, ZenginClass kind) {
    Byte before = 0;
    for (const char ch : bytes) {
        const auto b = static_cast<Byte>(ch);
        const bool fits =
            isKana(b) || b == ' ' || (b >= '0' && b <= '9') || isExtra(b, kind) ||
            ((b == kVoiced || b == kSemiVoiced) && isKana(before) && takesMark(before, b));
        if (!fits) return false;
        before = b;
    }
    return true;
}

std::string_view cutZenginText(std::string_view bytes, std::size_t width) {
    if (bytes.size() <= width) return bytes;
    std::size_t end = width;
    const auto next = static_cast<Byte>(bytes[end]);
    if (end > 0 && (next == kVoiced || next == kSemiVoiced)) --end;
    return bytes.substr(0, end);
}

bool isAsciiDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string quotedCharacter(char32_t character) {
    char buffer[U8_MAX_LENGTH] = {};
    std::int32_t length = 0;
    UBool failed = false;
    U8_APPEND(reinterpret_cast<std::uint8_t*>(buffer), length, U8_MAX_LENGTH,
              static_cast<UChar32>(character), failed);
    if (failed) return "「?」";
    return "「" + std::string(buffer, static_cast<std::size_t>(length)) + "」";
}

std::string_view zenginClassCharacters(ZenginClass kind) {
    switch (kind) {
        case ZenginClass::Name:
            return "半角ｶﾀｶﾅ(ｦ・小さい文字を除く)、濁点、半濁点、英大文字、数字、記号( ) - .、空白";
        case ZenginClass::Shop:
            return "半角ｶﾀｶﾅ(ｦ・小さい文字・長音ｰを除く)、英大文字、数字、ﾊｲﾌﾝ、空白";
        case ZenginClass::StrictName:
            break;
    }
    return "半角ｶﾀｶﾅ(ｦ・小さい文字・長音ｰを除く)、濁点、半濁点、数字、空白";
}

}  // namespace keiro
