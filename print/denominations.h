#pragma once
// The notes and coins a cash payment is counted out in, and the breakdown of one net pay into
// them: as few pieces as possible, the largest first.  Whole yen, integer arithmetic only.

#include <array>
#include <string_view>

namespace keiro::print {

struct Denomination {
    int yen;
    std::string_view heading;  // the column heading of the denomination table
};

inline constexpr int kDenominationCount = 10;
inline constexpr int k2000YenNote = 2;  // its index: left out when the setting is off

inline constexpr std::array<Denomination, kDenominationCount> kDenominations{{
    {10'000, "１万円"},
    {5'000, "５千円"},
    {2'000, "２千円"},
    {1'000, " 千円"},
    {500, "500円"},
    {100, "100円"},
    {50, " 50円"},
    {10, " 10円"},
    {5, "  5円"},
    {1, "  1円"},
}};

using DenominationCounts = std::array<long long, kDenominationCount>;

// The pieces of each denomination, in the order above, that pay `netPay` yen.  The 2,000-yen
// note is used only when `use2000YenNotes`; a negative net pay is paid in nothing (all zero).
DenominationCounts breakDown(long long netPay, bool use2000YenNotes);

}  // namespace keiro::print
