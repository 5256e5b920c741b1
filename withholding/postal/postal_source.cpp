#include "withholding/postal/postal_source.h"

#include "withholding/postal/utf8_prefix.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace keiro::withholding {
namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return out;
}

}  // namespace

PostalSource postalSourceFor(std::string_view postalDataUrl) {
    std::string_view path = postalDataUrl.substr(0, postalDataUrl.find_first_of("?#"));
    if (lowered(path).ends_with(".zip")) return {false, {}, std::string(postalDataUrl)};
    while (path.ends_with('/')) path.remove_suffix(1);
    const std::string base = std::string(path) + "/support/zip/";
    return {true, base + "version.txt", base + "zip.dat"};
}

std::string versionDate(std::string_view versionFile) {
    if (versionFile.starts_with("\xEF\xBB\xBF")) versionFile.remove_prefix(3);
    std::string_view line = versionFile.substr(0, versionFile.find_first_of("\r\n"));
    // Ten characters: the date is ASCII ("2026/12/01"); a longer text is cut at a character.
    return std::string(firstCharacters(line, 10));
}

bool isVersionDate(std::string_view text) {
    if (text.size() != 10 || text[4] != text[7] ||
        std::string_view("/-.").find(text[4]) == std::string_view::npos)
        return false;
    int parts[3] = {0, 0, 0};
    const std::pair<std::size_t, std::size_t> spans[3] = {{0, 4}, {5, 2}, {8, 2}};
    for (int i = 0; i < 3; ++i) {
        for (std::size_t k = 0; k < spans[i].second; ++k) {
            const char c = text[spans[i].first + k];
            if (c < '0' || c > '9') return false;
            parts[i] = parts[i] * 10 + (c - '0');
        }
    }
    const std::chrono::year_month_day date{std::chrono::year(parts[0]),
                                           std::chrono::month(static_cast<unsigned>(parts[1])),
                                           std::chrono::day(static_cast<unsigned>(parts[2]))};
    return date.ok() && parts[0] >= 1990;
}

}  // namespace keiro::withholding
