#include "withholding/postal/postal_file.h"

#include <algorithm>
#include <system_error>

#include "core/fileio.h"
#include "core/text.h"
#include "withholding/postal/postal_code.h"
#include "withholding/postal/utf8_prefix.h"

namespace keiro::withholding {
namespace {

constexpr std::size_t kCodeLength = 7;
constexpr std::size_t kAddressStart = 8;

bool isSevenDigits(std::string_view key) {
    return key.size() == kCodeLength &&
           std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

fs::path postalFilePath(const fs::path& dataFolder) {
    return dataFolder / kYubinFileName;
}

std::optional<std::string> findAddress(std::string_view fileBytes, std::string_view key) {
    if (!isSevenDigits(key)) return std::nullopt;
    std::size_t start = 0;
    while (start < fileBytes.size()) {
        std::size_t end = fileBytes.find('\n', start);
        if (end == std::string_view::npos) end = fileBytes.size();
        std::string_view line = fileBytes.substr(start, end - start);
        if (line.compare(0, kCodeLength, key) == 0 && line.size() >= kCodeLength) {
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            const std::string_view address =
                line.size() > kAddressStart ? line.substr(kAddressStart) : std::string_view();
            return std::string(firstCharacters(text::fromCp932(address), kMaxAddressCharacters));
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<std::string> lookupAddress(const fs::path& postalFile, std::string_view key) {
    std::error_code error;
    if (!fs::exists(postalFile, error) && !error) return std::nullopt;
    return findAddress(readFile(postalFile), key);
}

std::optional<std::string> addressForPostalCode(const fs::path& dataFolder,
                                                std::string_view boxText) {
    const std::optional<std::string> key = postalLookupKey(boxText);
    if (!key) return std::nullopt;
    return lookupAddress(postalFilePath(dataFolder), *key);
}

}  // namespace keiro::withholding
