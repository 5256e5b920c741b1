#include "core/municipality_file.h"

#include <algorithm>

#include "core/fileio.h"
#include "core/text.h"

namespace keiro {
namespace {

constexpr std::size_t kPostalDigits = 7;
constexpr std::size_t kPlaceDigits = 5;
// "1234567 12345 " before the name.
constexpr std::size_t kNameStart = kPostalDigits + 1 + kPlaceDigits + 1;

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<Municipality> municipalityOfLine(std::string_view line) {
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() <= kNameStart || line[kPostalDigits] != ' ' || line[kNameStart - 1] != ' ') {
        return std::nullopt;
    }
    const std::string_view place = line.substr(kPostalDigits + 1, kPlaceDigits);
    if (!allDigits(place)) return std::nullopt;
    const std::string name = text::fromCp932(line.substr(kNameStart));
    return payingMunicipality(std::stoi(std::string(place)), name);
}

}  // namespace

std::filesystem::path municipalityFilePath(const std::filesystem::path& dataFolder) {
    return dataFolder / std::string(kMunicipalityFileName);
}

std::string municipalityFileText(const std::vector<PostalMunicipality>& entries) {
    std::string utf8;
    for (const PostalMunicipality& entry : entries) {
        utf8 += entry.postalCode;
        utf8 += ' ';
        utf8 += entry.placeCode;
        utf8 += ' ';
        utf8 += entry.name;
        utf8 += "\r\n";
    }
    return text::toCp932(utf8);
}

std::optional<Municipality> findMunicipality(std::string_view fileBytes,
                                             std::string_view postalCode) {
    if (postalCode.size() != kPostalDigits || !allDigits(postalCode)) return std::nullopt;
    std::size_t start = 0;
    while (start < fileBytes.size()) {
        std::size_t end = fileBytes.find('\n', start);
        if (end == std::string_view::npos) end = fileBytes.size();
        const std::string_view line = fileBytes.substr(start, end - start);
        if (line.substr(0, kPostalDigits) == postalCode) return municipalityOfLine(line);
        start = end + 1;
    }
    return std::nullopt;
}

MunicipalityAnswer lookupMunicipality(const std::filesystem::path& dataFolder,
                                      std::string_view postalCode) {
    const std::filesystem::path file = municipalityFilePath(dataFolder);
    if (!mayExist(file)) return {};
    std::string key(postalCode);
    if (key.size() == kPostalDigits + 1 && key[3] == '-') key.erase(3, 1);
    if (const std::optional<Municipality> found = findMunicipality(readFile(file), key)) {
        return {MunicipalityLookup::Found, *found};
    }
    return {MunicipalityLookup::NotFound, {}};
}

}  // namespace keiro
