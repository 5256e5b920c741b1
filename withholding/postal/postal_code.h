#pragma once
// The postal-code box of the withholding editor.  The box shows a code as "123-4567"; what the
// user typed is tidied when the box is left, and the tidied text gives the key that the address
// lookup searches for.

#include <optional>
#include <string>
#include <string_view>

namespace keiro::withholding {

// The text of the box after the user leaves it.  Only the first ten characters count; of those
// the digits are kept (full-width digits, as an input method may commit them, count as digits)
// and everything else is dropped.  Up to three digits stay as they are ("12"); four or five
// become the first three, "-" and the rest ("123-4", "123-45"); six or more become
// "123-4567" (digits past the seventh are dropped).  Nothing left gives "".
std::string normalisePostalCode(std::string_view boxText);

// The seven digits a box text is looked up by: the code as normalised above, with a five-digit
// code completed by "00" (123-45 is looked up as 1234500).  A code of fewer than five digits
// cannot match any entry and gives nothing.
std::optional<std::string> postalLookupKey(std::string_view boxText);

// What the box accepts while typing: digits, "-" and backspace.
bool isPostalCodeKey(char32_t typed);

}  // namespace keiro::withholding
