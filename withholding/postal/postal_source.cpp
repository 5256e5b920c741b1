#include "withholding/postal/postal_source.h"

#include "withholding/postal/utf8_prefix.h"

#include <algorithm>

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

}  // namespace keiro::withholding
