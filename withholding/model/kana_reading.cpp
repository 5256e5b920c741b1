#include "withholding/model/kana_reading.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace keiro::withholding {
namespace {

bool isKana(UChar32 c) {
    return (c >= 0x3041 && c <= 0x3096) ||  // hiragana
           (c >= 0x3099 && c <= 0x309E) ||  // voicing marks, iteration marks
           (c >= 0x30A1 && c <= 0x30FA) ||  // katakana
           (c >= 0x30FC && c <= 0x30FE) ||  // ー and the katakana iteration marks
           (c >= 0xFF66 && c <= 0xFF9F);    // half-width katakana
}

icu::UnicodeString unicode(std::string_view utf8) {
    return icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
}

bool isBlank(UChar32 c) {
    return c == 0x20 || c == 0x3000;
}

icu::UnicodeString withoutBlanks(std::string_view utf8) {
    icu::UnicodeString text = unicode(utf8);
    for (int32_t i = text.length(); i-- > 0;) {
        if (isBlank(text.charAt(i))) text.remove(i, 1);
    }
    return text;
}

}  // namespace

bool isKanaReading(std::string_view utf8) {
    const icu::UnicodeString text = unicode(utf8);
    if (text.isEmpty()) return false;
    for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
        if (!isKana(text.char32At(i))) return false;
    }
    return true;
}

bool onlyBlanksAdded(std::string_view before, std::string_view now) {
    return unicode(now).length() > unicode(before).length() &&
           withoutBlanks(before) == withoutBlanks(now);
}

std::string halfWidthKatakana(std::string_view utf8) {
    icu::UnicodeString text = unicode(utf8);
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Transliterator> toHalfWidth(icu::Transliterator::createInstance(
        "Hiragana-Katakana; Fullwidth-Halfwidth", UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !toHalfWidth) return std::string(utf8);  // no ICU data: as it came
    toHalfWidth->transliterate(text);
    std::string converted;
    text.toUTF8String(converted);
    return converted;
}

}  // namespace keiro::withholding
