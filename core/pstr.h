#pragma once
// A length-prefixed text field as stored in the data files: one length byte, then N bytes of
// code page 932 text.  Bytes after the text carry no meaning (they may hold the rest of an
// earlier, longer text), so every reader goes through bytes(), which never trusts the length
// byte beyond N.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/text.h"

namespace keiro {

template <std::size_t N>
struct PStr {
    static_assert(N > 0 && N < 256);
    static constexpr std::size_t kCapacity = N;

    std::uint8_t len;
    char text[N];

    // The stored code page 932 bytes.  A damaged length byte above N is read as N.
    std::string_view bytes() const { return {text, std::min<std::size_t>(len, N)}; }
    bool empty() const { return bytes().empty(); }

    // The text as UTF-8 (undecodable bytes become U+FFFD).
    std::string utf8() const { return text::fromCp932(bytes()); }

    // Stores UTF-8 text, cut at N bytes without splitting a double-byte character.
    // Throws text::EncodingError when a character has no code page 932 form.
    void assign(std::string_view utf8Text) { assignBytes(text::toCp932(utf8Text)); }

    // Stores code page 932 bytes, cut at N bytes without splitting a double-byte character.
    void assignBytes(std::string_view cp932) {
        const std::string_view cut = text::truncateBytes(cp932, N);
        std::memcpy(text, cut.data(), cut.size());
        len = static_cast<std::uint8_t>(cut.size());
    }

    // Zeroes the bytes after the text, so that two equal texts compare equal byte by byte.
    void clearTail() {
        const std::size_t used = bytes().size();
        len = static_cast<std::uint8_t>(used);
        std::memset(text + used, 0, N - used);
    }

    void clear() {
        len = 0;
        std::memset(text, 0, N);
    }
};

}  // namespace keiro
