#include "core/municipality.h"

#include <array>
#include <cstdio>

namespace keiro {
namespace {

constexpr int kTokyo = 13;

struct DesignatedCity {
    int code;  // five digits
    std::string_view name;
};

// The designated cities (政令指定都市); each has wards whose codes follow its own.
constexpr std::array<DesignatedCity, 20> kDesignatedCities = {{
    {1100, "札幌市"},  {4100, "仙台市"},    {11100, "さいたま市"}, {12100, "千葉市"},
    {14100, "横浜市"}, {14130, "川崎市"},   {14150, "相模原市"},   {15100, "新潟市"},
    {22100, "静岡市"}, {22130, "浜松市"},   {23100, "名古屋市"},   {26100, "京都市"},
    {27100, "大阪市"}, {27140, "堺市"},     {28100, "神戸市"},     {33100, "岡山市"},
    {34100, "広島市"}, {40100, "北九州市"}, {40130, "福岡市"},     {43100, "熊本市"},
}};

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// "石狩郡当別町" → "当別町"; "郡山市" and "郡上市" are cities named so and stay.
std::string_view withoutCounty(std::string_view name) {
    constexpr std::string_view kCounty = "郡";
    const std::size_t county = name.find(kCounty);
    if (county == std::string_view::npos || county == 0) return name;
    if (!endsWith(name, "町") && !endsWith(name, "村")) return name;
    const std::string_view rest = name.substr(county + kCounty.size());
    return rest.empty() ? name : rest;
}

}  // namespace

int municipalityCheckDigit(int fiveDigits) {
    int sum = 0;
    int weight = 2;
    for (int rest = fiveDigits; weight <= 6; rest /= 10, ++weight) sum += (rest % 10) * weight;
    return (11 - sum % 11) % 10;
}

int withCheckDigit(int fiveDigits) {
    return fiveDigits * 10 + municipalityCheckDigit(fiveDigits);
}

bool isValidMunicipalityCode(int sixDigits) {
    if (sixDigits < 10000 || sixDigits > 999999) return false;
    const int prefecture = sixDigits / 10000;
    if (prefecture < 1 || prefecture > 47) return false;
    return withCheckDigit(sixDigits / 10) == sixDigits;
}

std::string municipalityCodeText(int sixDigits) {
    if (sixDigits == 0) return {};
    char text[16];
    std::snprintf(text, sizeof text, "%06d", sixDigits);
    return text;
}

std::optional<int> parseMunicipalityCode(std::string_view text) {
    if (text.size() != 6) return std::nullopt;
    int code = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        code = code * 10 + (c - '0');
    }
    return code;
}

Municipality payingMunicipality(int fiveDigits, std::string_view name) {
    const int prefecture = fiveDigits / 1000;
    if (prefecture != kTokyo) {
        for (const DesignatedCity& city : kDesignatedCities) {
            if (city.code / 1000 == prefecture && fiveDigits > city.code &&
                name.size() > city.name.size() && startsWith(name, city.name) &&
                endsWith(name, "区")) {
                return {withCheckDigit(city.code), std::string(city.name)};
            }
        }
    }
    return {withCheckDigit(fiveDigits), std::string(withoutCounty(name))};
}

}  // namespace keiro
