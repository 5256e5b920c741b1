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
    o.syubetu = ini.readString(s, "Syubetu", kDefaultSyubetu);
    o.addressLookup = lookupFromCode(ini.readInt(s, "YubinDat", 0));
    o.autoSelect = ini.readBool(s, "AutoSelect", true);
    o.inputOverN = ini.readBool(s, "InputOverN", true);
    o.printLine = ini.readBool(s, "PrintLine", true);
    o.hasuuCut = ini.readBool(s, "HasuuCut", true);
    o.prAdjustH = ini.readInt(s, "PrAdjustH", 0);
    o.prAdjustV = ini.readInt(s, "PrAdjustV", 0);
    o.yubinUrl = ini.readString(s, "YubinURL", kDefaultYubinUrl);
    if (o.yubinUrl.empty()) o.yubinUrl = kDefaultYubinUrl;
    return o;
}

void saveOptionSettings(IniFile& ini, const OptionSettings& o) {
    const std::string_view s = kOptionSection;
    IniChanges changes;
    changes.set(s, "Syubetu", o.syubetu)
        .setInt(s, "YubinDat", static_cast<int>(o.addressLookup))
        .setBool(s, "AutoSelect", o.autoSelect)
        .setBool(s, "InputOverN", o.inputOverN)
        .setBool(s, "PrintLine", o.printLine)
        .setBool(s, "HasuuCut", o.hasuuCut);
    ini.apply(changes);
}

std::string normaliseSyubetu(std::string_view utf8) {
    return text::truncateToWidth(trimBlanks(utf8), kSyubetuMaxBytes);
}

}  // namespace keiro::withholding
