#pragma once
// The first characters of UTF-8 text, where the postal data measures in characters (the
// address of an entry, the date of a version file).

#include <cstddef>
#include <string_view>

namespace keiro::withholding {

// At most `count` characters from the start, never splitting one.
inline std::string_view firstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t n = 0; at < utf8.size() && n < count; ++n) {
        ++at;
        while (at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80) ++at;
    }
    return utf8.substr(0, at);
}

}  // namespace keiro::withholding
