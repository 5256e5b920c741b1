#include "core/text.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>
#include <unicode/utrans.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

namespace keiro::text {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Decoding never fails: a byte sequence that is illegal, cut off or unassigned becomes U+FFFD.
void replacementCallback(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                         UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to write
    static const UChar kReplacement = 0xFFFD;
    *status = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, status);
}

// One converter per thread, opened on first use: opening costs far more than converting a name.
UConverter* converter() {
    thread_local ConverterPtr cached = [] {
        UErrorCode status = U_ZERO_ERROR;
        ConverterPtr c(ucnv_open("windows-31j", &status));
        if (U_FAILURE(status) || !c) throw std::runtime_error("windows-31j converter missing");
        ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &status);
        ucnv_setToUCallBack(c.get(), replacementCallback, nullptr, nullptr, nullptr, &status);
        return c;
    }();
    return cached.get();
}

std::u16string toUtf16(std::string_view utf8) {
    std::u16string out(utf8.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                         &length, utf8.data(), static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr,
                         &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

// Encodes UTF-16 text; false when a character has no code page 932 form.
bool encode(const std::u16string& utf16, std::string& out) {
    UConverter* c = converter();
    ucnv_resetFromUnicode(c);
    out.assign(utf16.size() * 2 + 2, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(c, out.data(), static_cast<int32_t>(out.size()),
                                      reinterpret_cast<const UChar*>(utf16.data()),
                                      static_cast<int32_t>(utf16.size()), &status);
    if (U_FAILURE(status)) {
        out.clear();
        return false;
    }
    out.resize(static_cast<std::size_t>(n));
    return true;
}

bool encodable(char32_t cp) {
    if (cp == 0xFFFD) return false;
    std::u16string one;
    if (cp > 0xFFFF) {
        one.push_back(static_cast<char16_t>(U16_LEAD(cp)));
        one.push_back(static_cast<char16_t>(U16_TRAIL(cp)));
    } else {
        one.push_back(static_cast<char16_t>(cp));
    }
    std::string ignored;
    return encode(one, ignored);
}

std::string characterMessage(char32_t cp) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
    return std::string("使用できない文字が含まれています。(") + code + ")";
}

}  // namespace

std::string normaliseForCp932(std::string_view utf8) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kTwins{{
        {"\u301C", "\uFF5E"},  // 〜 → ～
        {"\u2212", "\uFF0D"},  // − → －
        {"\u2016", "\u2225"},  // ‖ → ∥
        {"\u2014", "\u2015"},  // — → ―
        {"\u00A2", "\uFFE0"},  // ¢ → ￠
        {"\u00A3", "\uFFE1"},  // £ → ￡
        {"\u00AC", "\uFFE2"},  // ¬ → ￢
    }};
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        bool replaced = false;
        if (static_cast<unsigned char>(utf8[i]) >= 0xC2) {
            for (const auto& [from, to] : kTwins) {
                if (utf8.substr(i, from.size()) == from) {
                    out += to;
                    i += from.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += utf8[i++];
    }
    return out;
}

char32_t firstUnencodable(std::string_view utf8) {
    const std::string normal = normaliseForCp932(utf8);
    std::string ignored;
    if (encode(toUtf16(normal), ignored) && normal.find("\xEF\xBF\xBD") == std::string::npos) {
        return 0;
    }
    const auto* s = reinterpret_cast<const uint8_t*>(normal.data());
    const auto length = static_cast<int32_t>(normal.size());
    int32_t i = 0;
    while (i < length) {
        UChar32 cp = 0;
        U8_NEXT(s, i, length, cp);
        if (cp < 0) return 0xFFFD;  // broken UTF-8
        if (!encodable(static_cast<char32_t>(cp))) return static_cast<char32_t>(cp);
    }
    return 0;
}

std::string toCp932(std::string_view utf8) {
    std::string out;
    if (!encode(toUtf16(normaliseForCp932(utf8)), out)) {
        const char32_t bad = firstUnencodable(utf8);
        if (bad != 0) throw EncodingError(characterMessage(bad), bad);
    }
    return out;
}

std::string fromCp932(std::string_view cp932) {
    if (cp932.empty()) return {};
    UConverter* c = converter();
    ucnv_resetToUnicode(c);
    std::u16string utf16(cp932.size() + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n =
        ucnv_toUChars(c, reinterpret_cast<UChar*>(utf16.data()), static_cast<int32_t>(utf16.size()),
                      cp932.data(), static_cast<int32_t>(cp932.size()), &status);
    if (U_FAILURE(status)) return {};
    utf16.resize(static_cast<std::size_t>(n));
    std::string out(utf16.size() * 3 + 1, '\0');
    int32_t length = 0;
    status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                       reinterpret_cast<const UChar*>(utf16.data()),
                       static_cast<int32_t>(utf16.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

std::string_view truncateBytes(std::string_view cp932, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < cp932.size()) {
        const std::size_t step = isLeadByte(static_cast<std::uint8_t>(cp932[i])) ? 2 : 1;
        if (i + step > maxBytes || i + step > cp932.size()) break;
        i += step;
    }
    return cp932.substr(0, i);
}

namespace {

// The code page 932 width of a character of the Basic Multilingual Plane beyond ASCII and
// half-width katakana: 2, or the bytes it encodes to.  Reports ask for the same few hundred
// characters again and again, so each thread remembers what the converter said.
std::size_t bmpWidth(UChar32 cp) {
    thread_local std::array<std::uint8_t, 0x10000> known{};
    std::uint8_t& width = known[static_cast<std::size_t>(cp)];
    if (width == 0) {
        std::string bytes;
        width = encode(std::u16string(1, static_cast<char16_t>(cp)), bytes)
                    ? static_cast<std::uint8_t>(bytes.size())
                    : 2;
        if (width == 0) width = 2;
    }
    return width;
}

// Walks UTF-8 text character by character with each character's code page 932 width.
template <typename Visit>
void forEachCharacter(std::string_view utf8, Visit visit) {
    // Plain ASCII (amounts, codes, dates) needs neither normalising nor decoding.
    if (std::all_of(utf8.begin(), utf8.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            if (!visit(utf8.substr(i, 1), std::size_t{1})) return;
        }
        return;
    }
    const std::string normal = normaliseForCp932(utf8);
    const auto* s = reinterpret_cast<const uint8_t*>(normal.data());
    const auto length = static_cast<int32_t>(normal.size());
    int32_t i = 0;
    while (i < length) {
        const int32_t start = i;
        UChar32 cp = 0;
        U8_NEXT(s, i, length, cp);
        std::size_t width = 2;
        if (cp >= 0 && cp < 0x80) {
            width = 1;
        } else if (cp >= 0xFF61 && cp <= 0xFF9F) {
            width = 1;  // half-width katakana
        } else if (cp >= 0 && cp <= 0xFFFF) {
            width = bmpWidth(cp);
        }
        if (!visit(std::string_view(normal).substr(static_cast<std::size_t>(start),
                                                   static_cast<std::size_t>(i - start)),
                   width)) {
            return;
        }
    }
}

}  // namespace

std::size_t cp932Width(std::string_view utf8) {
    std::size_t total = 0;
    forEachCharacter(utf8, [&](std::string_view, std::size_t width) {
        total += width;
        return true;
    });
    return total;
}

std::vector<WidthCharacter> widthCharacters(std::string_view utf8) {
    std::vector<WidthCharacter> out;
    forEachCharacter(utf8, [&](std::string_view ch, std::size_t width) {
        out.push_back({std::string(ch), width});
        return true;
    });
    return out;
}

std::string truncateToWidth(std::string_view utf8, std::size_t maxBytes) {
    std::string out;
    std::size_t used = 0;
    forEachCharacter(utf8, [&](std::string_view ch, std::size_t width) {
        if (used + width > maxBytes) return false;
        used += width;
        out += ch;
        return true;
    });
    return out;
}

std::string padRight(std::string_view utf8, std::size_t width) {
    std::string out = truncateToWidth(utf8, width);
    out.append(width - cp932Width(out), ' ');
    return out;
}

std::string padLeft(std::string_view utf8, std::size_t width) {
    std::string cut = truncateToWidth(utf8, width);
    return std::string(width - cp932Width(cut), ' ') + cut;
}

std::string sortKey(std::string_view utf8) {
    try {
        return toCp932(utf8);
    } catch (const EncodingError&) {
        return std::string(utf8);
    }
}

std::string toHalfWidthKana(std::string_view utf8) {
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; }))
        return std::string(utf8);
    struct Close {
        void operator()(UTransliterator* t) const { utrans_close(t); }
    };
    // Opened once per thread: opening parses the rules.
    thread_local const std::unique_ptr<UTransliterator, Close> halfWidth = [] {
        static constexpr char16_t kRules[] = u"Hiragana-Katakana; Fullwidth-Halfwidth";
        UErrorCode status = U_ZERO_ERROR;
        UTransliterator* t = utrans_openU(reinterpret_cast<const UChar*>(kRules), -1,
                                          UTRANS_FORWARD, nullptr, 0, nullptr, &status);
        return std::unique_ptr<UTransliterator, Close>(U_SUCCESS(status) ? t : nullptr);
    }();
    if (!halfWidth) return std::string(utf8);
    std::u16string text(utf8.size() * 2 + 8, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(reinterpret_cast<UChar*>(text.data()), static_cast<int32_t>(text.size()), &length,
                  utf8.data(), static_cast<int32_t>(utf8.size()), &status);
    if (U_FAILURE(status)) return std::string(utf8);
    int32_t limit = length;
    utrans_transUChars(halfWidth.get(), reinterpret_cast<UChar*>(text.data()), &length,
                       static_cast<int32_t>(text.size()), 0, &limit, &status);
    if (U_FAILURE(status)) return std::string(utf8);
    std::string out(static_cast<std::size_t>(length) * 3 + 4, '\0');
    int32_t written = 0;
    u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &written,
                reinterpret_cast<const UChar*>(text.data()), length, &status);
    if (U_FAILURE(status)) return std::string(utf8);
    out.resize(static_cast<std::size_t>(written));
    return out;
}

}  // namespace keiro::text
