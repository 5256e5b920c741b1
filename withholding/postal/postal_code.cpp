#include "withholding/postal/postal_code.h"

#include <cstddef>

namespace keiro::withholding {
namespace {

// The digit of one UTF-8 character at `at` ('\0' when it is none) and the character's length.
std::pair<char, std::size_t> digitAt(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) return {byte >= '0' && byte <= '9' ? static_cast<char>(byte) : '\0', 1};
    std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    if (at + length > text.size()) length = text.size() - at;
    // Full-width ０..９ are U+FF10..U+FF19: EF BC 90..99.
    if (length == 3 && byte == 0xEF && static_cast<unsigned char>(text[at + 1]) == 0xBC) {
        const auto last = static_cast<unsigned char>(text[at + 2]);
        if (last >= 0x90 && last <= 0x99) return {static_cast<char>('0' + (last - 0x90)), 3};
    }
    return {'\0', length};
}

constexpr std::size_t kCharactersRead = 10;

std::string digitsOf(std::string_view boxText) {
    std::string digits;
    std::size_t at = 0;
    for (std::size_t characters = 0; at < boxText.size() && characters < kCharactersRead;
         ++characters) {
        const auto [digit, length] = digitAt(boxText, at);
        if (digit != '\0') digits.push_back(digit);
        at += length;
    }
    return digits;
}

}  // namespace

std::string normalisePostalCode(std::string_view boxText) {
    const std::string digits = digitsOf(boxText);
    if (digits.size() <= 3) return digits;
    if (digits.size() <= 5) return digits.substr(0, 3) + "-" + digits.substr(3, 2);
    return digits.substr(0, 3) + "-" + digits.substr(3, 4);
}

std::optional<std::string> postalLookupKey(std::string_view boxText) {
    std::string digits = digitsOf(normalisePostalCode(boxText));
    if (digits.size() == 5) digits += "00";
    if (digits.size() != 7) return std::nullopt;
    return digits;
}

bool isPostalCodeKey(char32_t typed) {
    return (typed >= U'0' && typed <= U'9') || typed == U'-' || typed == U'\b';
}

}  // namespace keiro::withholding
