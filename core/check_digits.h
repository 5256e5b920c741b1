#pragma once
// The check digits of the two public numbering schemes.  An individual number (個人番号) is 11
// digits and a check digit at the end: the digits from the right, the n-th weighted n + 1 for
// n ≤ 6 and n − 5 beyond, summed; the remainder of the sum by 11 gives 0 when it is 0 or 1 and
// 11 minus itself otherwise.  A corporate number (法人番号) is a check digit followed by 12
// digits: the digits from the right weighted 1, 2, 1, 2, …, summed; the check digit is 9 minus
// the remainder of the sum by 9.

#include <string_view>

namespace keiro {

// Both take the number's digits as typed: anything but exactly 12 (13) ASCII digits is false.
bool isValidMyNumber(std::string_view digits);
bool isValidCorporateNumber(std::string_view digits);

}  // namespace keiro
