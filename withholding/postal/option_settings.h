#pragma once
// The withholding program's general settings (動作環境設定), section "Option" of the shared
// configuration file, typed and with their defaults.  Read once when the program starts; the
// settings dialog edits them and writes back what it owns.  The year-end calculation reads
// `roundTaxTo100`, the documents `documentKind`, `printLine` and the print offsets, the editors
// `autoSelect`, `overwriteDigits` and `addressLookup`.

#include <string>
#include <string_view>

#include "core/ini.h"

namespace keiro::withholding {

// How the editor completes an address from a postal code (key YubinDat).
enum class AddressLookup {
    None = 0,
    InputMethodDictionary = 1,  // an input method's postal-code dictionary (not on Linux)
    DataFile = 2,               // YubinNo.dat in the data folder
};

inline constexpr std::string_view kDefaultDocumentKind = "給与･賞与";
// The most of the 種別 text, in code page 932 bytes (what the document's box holds).
inline constexpr std::size_t kDocumentKindMaxBytes = 12;
// Where new postal-code data comes from (key YubinURL): Japan Post's list of all addresses.
inline constexpr std::string_view kDefaultPostalDataUrl =
    "https://www.post.japanpost.jp/zipcode/dl/kogaki/zip/ken_all.zip";

struct OptionSettings {
    std::string documentKind =
        std::string(kDefaultDocumentKind);              // Syubetu: 種別 printed on documents
    AddressLookup addressLookup = AddressLookup::None;  // YubinDat
    bool autoSelect = true;       // AutoSelect: select a numeric box's text on entering it
    bool overwriteDigits = true;  // InputOverN: digits overwrite in numeric boxes
    bool printLine = true;        // PrintLine: print the cutting guide lines
    bool roundTaxTo100 = true;    // HasuuCut: the annual tax truncated to 100 yen
    int printOffsetXTenths = 0;   // PrAdjustH: horizontal print offset, tenths of a millimetre
    int printOffsetYTenths = 0;   // PrAdjustV: vertical print offset, tenths of a millimetre
    std::string postalDataUrl =
        std::string(kDefaultPostalDataUrl);  // YubinURL (edited in the file only)

    double printOffsetXMillimetres() const { return printOffsetXTenths / 10.0; }
    double printOffsetYMillimetres() const { return printOffsetYTenths / 10.0; }
    bool operator==(const OptionSettings&) const = default;
};

OptionSettings loadOptionSettings(const IniFile& ini);

// Writes what the settings dialog owns (Syubetu, YubinDat, AutoSelect, InputOverN, PrintLine,
// HasuuCut) in one write; the print offsets belong to the print dialog and the address of the
// data to the file.  Throws IoError or text::EncodingError, leaving the file as it was.
void saveOptionSettings(IniFile& ini, const OptionSettings& settings);

// The 種別 text as it is kept: surrounding blanks removed, cut to kDocumentKindMaxBytes code page
// 932 bytes without splitting a character.
std::string normaliseDocumentKind(std::string_view utf8);

}  // namespace keiro::withholding
