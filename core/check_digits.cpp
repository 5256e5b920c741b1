#include "core/check_digits.h"

#include <algorithm>

namespace keiro {
namespace {

bool allDigits(std::string_view text, std::size_t count) {
    return text.size() == count &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int digitAt(std::string_view text, std::size_t index) {
    return text[index] - '0';
}

}  // namespace

bool isValidMyNumber(std::string_view digits) {
    if (!allDigits(digits, 12)) return false;
    int sum = 0;
    for (int n = 1; n <= 11; ++n) {
        const int weight = n <= 6 ? n + 1 : n - 5;
        sum += digitAt(digits, static_cast<std::size_t>(11 - n)) * weight;
    }
    const int remainder = sum % 11;
    const int check = remainder <= 1 ? 0 : 11 - remainder;
    return digitAt(digits, 11) == check;
}

bool isValidCorporateNumber(std::string_view digits) {
    if (!allDigits(digits, 13)) return false;
    int sum = 0;
    for (int n = 1; n <= 12; ++n) {
        const int weight = n % 2 == 1 ? 1 : 2;
        sum += digitAt(digits, static_cast<std::size_t>(13 - n)) * weight;
    }
    return digitAt(digits, 0) == 9 - sum % 9;
}

}  // namespace keiro
