#pragma once
// The user's print position correction: millimetres added to every printed position, shown as
// "%5.1f" in the print dialog and kept in the ini in tenths of a millimetre (PrAdjustH,
// PrAdjustV), the value × 10 rounded.

#include <optional>
#include <string>
#include <string_view>

namespace keiro::print {

constexpr double correctionMm(int tenths) {
    return tenths / 10.0;
}
int correctionTenths(double mm);

std::string formatCorrection(double mm);
// A decimal number with "." as the point, blanks around it allowed; nothing for anything else
// (the dialog then says so and does not print).
std::optional<double> parseCorrection(std::string_view text);

}  // namespace keiro::print
