#include "print/position_correction.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace keiro::print {

int correctionTenths(double mm) {
    return static_cast<int>(std::lround(mm * 10));
}

std::string formatCorrection(double mm) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%5.1f", mm);
    return buffer;
}

std::optional<double> parseCorrection(std::string_view text) {
    const auto blank = text.find_first_not_of(' ');
    if (blank == std::string_view::npos) return std::nullopt;
    text = text.substr(blank, text.find_last_not_of(' ') - blank + 1);
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-') return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace keiro::print
