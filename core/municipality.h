#pragma once
// The municipality an employee's residence tax is paid to, named by its 全国地方公共団体コード:
// two digits of prefecture, three of municipality and one check digit.  The check digit of
// d1..d5 is (11 − (6·d1 + 5·d2 + 4·d3 + 3·d4 + 2·d5) mod 11) mod 10, so 13101 (千代田区) is
// filed as 131016.  A record keeps the six digits as a number (0 = not set), so a code of
// Hokkaido (01…) has five digits as a number and is always shown with its leading zero.
//
// The residence tax collected from pay is paid to the municipality, and for the wards of a
// designated city (札幌市中央区, 大阪市北区 …) that is the city, not the ward: the wards are
// offices of the city.  Tokyo's special wards (千代田区 …) are municipalities of their own.

#include <optional>
#include <string>
#include <string_view>

namespace keiro {

struct Municipality {
    int code = 0;      // six digits with the check digit
    std::string name;  // UTF-8
    bool operator==(const Municipality&) const = default;
};

// The check digit of a five-digit code (0..99999).
int municipalityCheckDigit(int fiveDigits);
// The six-digit code of a five-digit one.
int withCheckDigit(int fiveDigits);
// Whether a six-digit code names a prefecture 01..47 and its check digit is right.
bool isValidMunicipalityCode(int sixDigits);
// "131016", "011002"; empty for 0.
std::string municipalityCodeText(int sixDigits);
// Exactly six ASCII digits, as a number; nothing otherwise (the check digit is not looked at).
std::optional<int> parseMunicipalityCode(std::string_view text);

// Where residence tax of a place in the postal data is paid: `fiveDigits` and `name` as the
// postal data has them ("01101", "札幌市中央区"; "01303", "石狩郡当別町").  A ward of a
// designated city gives the city (011002 札幌市); the county in front of a town or village is
// left out (当別町), as the municipality's own name does not carry it.
Municipality payingMunicipality(int fiveDigits, std::string_view name);

}  // namespace keiro
