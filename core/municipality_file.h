#pragma once
// "YubinJichitai.dat", beside the postal-code file "YubinNo.dat" in the data folder and written
// with it from Japan Post's list: which municipality each postal code lies in.  Code page 932
// text, one postal code a line, CR LF: the seven digits of the postal code, a blank, the five
// digits of the municipality as the list has them (no check digit), a blank, and the
// municipality's name as the list has it ("0600042 01101 札幌市中央区").
//
// The payroll program reads it to fill in where an employee's residence tax is paid.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/municipality.h"

namespace keiro {

inline constexpr std::string_view kMunicipalityFileName = "YubinJichitai.dat";

struct PostalMunicipality {
    std::string postalCode;  // seven digits
    std::string placeCode;   // five digits
    std::string name;        // UTF-8, as the postal list has it
    bool operator==(const PostalMunicipality&) const = default;
};

std::filesystem::path municipalityFilePath(const std::filesystem::path& dataFolder);

// The file's text, code page 932.  Throws text::EncodingError for a name with no code page 932
// form (the postal list is code page 932, so its names always have one).
std::string municipalityFileText(const std::vector<PostalMunicipality>& entries);

// The municipality the residence tax of a place with this postal code (seven digits) is paid
// to, from the file's bytes: the first line of the postal code, mapped by payingMunicipality.
// Nothing when no line matches or the line is damaged.
std::optional<Municipality> findMunicipality(std::string_view fileBytes,
                                             std::string_view postalCode);

enum class MunicipalityLookup { Found, NotFound, NoData };
struct MunicipalityAnswer {
    MunicipalityLookup outcome = MunicipalityLookup::NoData;
    Municipality municipality;  // when Found
};

// The same from the data folder's file.  A missing file is NoData; a file that is there but
// cannot be read throws IoError.  A postal code given as "123-4567" is taken too; anything but
// seven digits is NotFound.
MunicipalityAnswer lookupMunicipality(const std::filesystem::path& dataFolder,
                                      std::string_view postalCode);

}  // namespace keiro
