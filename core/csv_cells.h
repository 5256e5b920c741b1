#pragma once
// Cells a spreadsheet would run as a formula.  A name, department or item name beginning with
// "=", "+", "-", "@", a tab or a carriage return is written with a "'" in front, which every
// spreadsheet shows as text; the import of our own files takes that "'" off again.  Numbers
// ("-12,000") are written as they are.  Works on UTF-8 and code page 932 bytes alike: the six
// characters are single bytes in both, and no double-byte character starts with one.

#include <string>
#include <string_view>

namespace keiro {

bool looksLikeFormula(std::string_view cell);
std::string neutralisedCell(std::string_view cell);
std::string_view withoutNeutraliser(std::string_view cell);

}  // namespace keiro
