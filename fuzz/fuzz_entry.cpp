// Any typed text through the numeric entry checks, and any key sequence through overwrite
// typing.  Input layout: byte 0 picks the format code, byte 1 the time style and hours flag,
// byte 2 the box's maximum length, byte 3 the caret, byte 4 how many of the following bytes
// are the box's text; the rest are typed keys.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/entry.h"

namespace {

void checkEntry(std::string_view text, int formatCode, bool hours, keiro::TimeStyle style) {
    keiro::parseNumber(text);
    keiro::parseInt(text);
    const keiro::EntryCheck check = keiro::validateNumericEntry(text, formatCode);
    if (!check.error.empty() && !check.text.empty()) __builtin_trap();
    // An accepted entry always reads back as a number.
    if (keiro::parseNumber(check.text).inputError) __builtin_trap();
    keiro::reformatEntry(check.text, formatCode, hours, style);
}

void checkOverwrite(std::string text, int caret, int maxLength, std::string_view keys) {
    keiro::OverwriteState state{std::move(text), caret, -1};
    const std::size_t limit = std::max(state.text.size(), static_cast<std::size_t>(maxLength));
    for (char key : keys) {
        const auto next =
            keiro::handleOverwriteKey(state, static_cast<unsigned char>(key), maxLength);
        if (!next) {
            // What the box does itself: insert at the caret while there is room.
            if (maxLength > 0 && state.text.size() >= static_cast<std::size_t>(maxLength)) continue;
            const std::size_t at =
                std::min(static_cast<std::size_t>(std::max(state.caret, 0)), state.text.size());
            state.text.insert(at, 1, key);
            state.caret = static_cast<int>(at) + 1;
            continue;
        }
        state = *next;
        if (state.caret < 0 || state.caret > static_cast<int>(state.text.size())) __builtin_trap();
        if (maxLength > 0 && state.text.size() > limit) __builtin_trap();
    }
    keiro::truncateToMaxLength(state.text, maxLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const int formatCode = 10 + data[0] % 90;
    const bool hours = data[1] & 1;
    const auto style = (data[1] & 2) ? keiro::TimeStyle::Sexagesimal : keiro::TimeStyle::Decimal;
    const int maxLength = data[2] % 40;
    const int caret = data[3] % 48;
    const std::string_view rest(reinterpret_cast<const char*>(data + 5), size - 5);
    const std::size_t textLength = std::min<std::size_t>(data[4], rest.size());

    checkEntry(rest, formatCode, hours, style);
    keiro::formatHours(keiro::parseNumber(rest).value, style);
    checkOverwrite(std::string(rest.substr(0, textLength)), caret, maxLength,
                   rest.substr(textLength));
    return 0;
}
