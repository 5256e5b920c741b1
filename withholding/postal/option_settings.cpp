#include "withholding/postal/option_settings.h"

#include "core/settings.h"
#include "core/text.h"

namespace keiro::withholding {
namespace {

AddressLookup lookupFromCode(int code) {
    switch (code) {
        case 1:
            return AddressLookup::InputMethodDictionary;
        case 2:
            return AddressLookup::DataFile;
        default:
            return AddressLookup::None;
    }
}

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](std::string_view t, std::size_t at) {
        return t.substr(at, 1) == " " || t.substr(at, 1) == "\t" || t.substr(at, 3) == "　";
    };
    for (;;) {
        if (blank(text, 0)) {
            text.remove_prefix(text.substr(0, 1) == " " || text.substr(0, 1) == "\t" ? 1 : 3);
        } else if (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
            text.remove_suffix(1);
        } else if (text.size() >= 3 && text.substr(text.size() - 3) == "　") {
            text.remove_suffix(3);
        } else {
            return text;
        }
    }
}

}  // namespace

OptionSettings loadOptionSettings(const IniFile& ini) {
    const std::string_view s = kOptionSection;
    OptionSettings o;
    o.documentKind = ini.readString(s, "Syubetu", kDefaultDocumentKind);
    o.addressLookup = lookupFromCode(ini.readInt(s, "YubinDat", 0));
    o.autoSelect = ini.readBool(s, "AutoSelect", true);
    o.overwriteDigits = ini.readBool(s, "InputOverN", true);
    o.printLine = ini.readBool(s, "PrintLine", true);
    o.roundTaxTo100 = ini.readBool(s, "HasuuCut", true);
    o.printOffsetXTenths = ini.readInt(s, "PrAdjustH", 0);
    o.printOffsetYTenths = ini.readInt(s, "PrAdjustV", 0);
    o.postalDataUrl = ini.readString(s, "YubinURL", kDefaultPostalDataUrl);
    if (o.postalDataUrl.empty()) o.postalDataUrl = kDefaultPostalDataUrl;
    return o;
}

void saveOptionSettings(IniFile& ini, const OptionSettings& o) {
    const std::string_view s = kOptionSection;
    IniChanges changes;
    changes.set(s, "Syubetu", o.documentKind)
        .setInt(s, "YubinDat", static_cast<int>(o.addressLookup))
        .setBool(s, "AutoSelect", o.autoSelect)
        .setBool(s, "InputOverN", o.overwriteDigits)
        .setBool(s, "PrintLine", o.printLine)
        .setBool(s, "HasuuCut", o.roundTaxTo100);
    ini.apply(changes);
}

std::string normaliseDocumentKind(std::string_view utf8) {
    return text::truncateToWidth(trimBlanks(utf8), kDocumentKindMaxBytes);
}

}  // namespace keiro::withholding
