#pragma once
// "YubinNo.dat", the postal-code data file in the data folder: code page 932 text, one entry a
// line.  Characters 1-7 are the seven digits of the code, character 8 separates, and the rest
// of the line is the address (prefecture, city and town, without blanks).  Lines end in CR LF
// (a bare LF is read too).  The file's modification time is shown as the date of the data.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace keiro::withholding {

namespace fs = std::filesystem;

inline constexpr std::string_view kYubinFileName = "YubinNo.dat";
// At most this many characters of an entry's address are used.
inline constexpr std::size_t kMaxAddressCharacters = 99;

fs::path postalFilePath(const fs::path& dataFolder);

// The address of the first line whose first seven bytes are `key` (seven digits), as UTF-8 and
// cut to kMaxAddressCharacters characters; nothing when no line matches.  A key that is not
// seven digits matches nothing.  Lines too short to hold a code are passed over.
std::optional<std::string> findAddress(std::string_view fileBytes, std::string_view key);

// The same in the file itself.  A missing file gives nothing (lookups are then simply off); a
// file that is there but cannot be read is an IoError.
std::optional<std::string> lookupAddress(const fs::path& postalFile, std::string_view key);

// The address for what the postal-code box holds (see postal_code.h), from the data folder's
// YubinNo.dat; nothing when the key is incomplete, the file is missing or no line matches.
std::optional<std::string> addressForPostalCode(const fs::path& dataFolder,
                                                std::string_view boxText);

}  // namespace keiro::withholding
