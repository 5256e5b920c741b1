#include "core/settings.h"

#include <charconv>
#include <cstdint>
#include <utility>

#include "core/text.h"

namespace keiro {
namespace {

constexpr std::string_view kOption = kOptionSection;
constexpr std::string_view kDefaultFreeItemFlags = "111111000000";
constexpr std::string_view kMaximized = "wsMaximized";
constexpr std::string_view kNormal = "wsNormal";

struct RoundingKeys {
    std::string_view payment, reduction, deduction;
};
constexpr RoundingKeys kMonthRoundingKeys{"HasuuSik", "HasuuGen", "HasuuKou"};
constexpr RoundingKeys kBonusRoundingKeys{"HasuuSikS", "HasuuGenS", "HasuuKouS"};

RoundingSettings readRounding(const IniFile& ini, const RoundingKeys& keys,
                              const RoundingSettings& fallback) {
    auto read = [&](std::string_view key, RoundingMode mode) {
        return roundingModeFromCode(ini.readInt(kOption, key, static_cast<int>(mode)));
    };
    return {read(keys.payment, fallback.payment), read(keys.reduction, fallback.reduction),
            read(keys.deduction, fallback.deduction)};
}

// Flag texts are compared byte by byte in their stored code page 932 form.
void readFlags(const IniFile& ini, std::string_view section, std::string_view key,
               std::string_view fallback, std::span<bool> flags) {
    parseFlagText(ini.hasKey(section, key) ? ini.readBytes(section, key) : std::string(fallback),
                  flags);
}

// A display name left empty in the file falls back to the standard name: every item needs
// a name on screen and paper.
std::string readName(const IniFile& ini, std::string_view key, std::string_view standard) {
    std::string name = ini.readString(kOption, key);
    return name.empty() ? std::string(standard) : name;
}

ItemNames loadItemNames(const IniFile& ini) {
    ItemNames names;
    for (int i = 0; i < kItemCount; ++i) {
        if (i == kBasePayItem) continue;  // 基本給 cannot be renamed
        const ItemDefinition& item = kItemDefinitions[i];
        names.names[i] = readName(ini, item.nameKey, item.defaultName);
    }
    names.extraBonusCaption = readName(ini, "TokuSyoyo", names.extraBonusCaption);
    return names;
}

WindowPlacement loadWindowPlacement(const IniFile& ini) {
    const WindowPlacement d;
    const std::string_view w = kWindowSection;
    WindowPlacement p;
    p.maximized = ini.readString(w, "State", kMaximized) == kMaximized;
    p.x = ini.readInt(w, "Pos_X", d.x);
    p.y = ini.readInt(w, "Pos_Y", d.y);
    p.width = ini.readInt(w, "Width", d.width);
    p.height = ini.readInt(w, "Height", d.height);
    p.employeeListWidth = ini.readInt(w, "MembList_X", d.employeeListWidth);
    p.employeeListHeight = ini.readInt(w, "MembList_Y", d.employeeListHeight);
    return p;
}

// "%.2f" independent of the process locale (the window toolkit sets LC_NUMERIC).
std::string formatHundredths(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

// The printer keys of a PrintInfo section and the fields that hold them.
constexpr std::pair<std::string_view, std::string PrinterSettings::*> kPrinterKeys[] = {
    {"DeviceName", &PrinterSettings::deviceName},
    {"PaperSize", &PrinterSettings::paperSize},
    {"PaperWidth", &PrinterSettings::paperWidth},
    {"PaperLength", &PrinterSettings::paperLength},
    {"Orientation", &PrinterSettings::orientation},
    {"DefaultSource", &PrinterSettings::defaultSource},
    {"PrintQuality", &PrinterSettings::printQuality},
};

void addPrinterSettings(IniChanges& changes, std::string_view section, const PrinterSettings& p) {
    for (const auto& [key, field] : kPrinterKeys) changes.set(section, key, p.*field);
}

}  // namespace

RoundingMode roundingModeFromCode(int code) {
    switch (code) {
        case 1:
            return RoundingMode::Ceil;
        case 2:
            return RoundingMode::Round;
        default:
            return RoundingMode::Truncate;
    }
}

void parseFlagText(std::string_view text, std::span<bool> flags) {
    for (std::size_t i = 0; i < flags.size(); ++i) flags[i] = i < text.size() && text[i] == '1';
}

std::string formatFlagText(std::span<const bool> flags) {
    std::string out;
    for (const bool flag : flags) out += flag ? '1' : '0';
    return out;
}

PrinterSettings loadPrinterSettings(const IniFile& ini, std::string_view section) {
    const PrinterSettings defaults;
    PrinterSettings p;
    for (const auto& [key, field] : kPrinterKeys) {
        p.*field = ini.readString(section, key, defaults.*field);
    }
    return p;
}

Settings loadSettings(const IniFile& ini) {
    Settings s;
    s.window = loadWindowPlacement(ini);

    s.newEraName = ini.readString(kOption, "SinGengou");
    s.companyName = ini.readString(kOption, "CorpName", s.companyName);
    s.defaultHoursPerDay = ini.readDouble(kOption, "DefJikanD", s.defaultHoursPerDay);
    s.backupPath = ini.readString(kOption, "BackupPath");

    s.monthRounding = readRounding(ini, kMonthRoundingKeys, RoundingSettings{});
    s.bonusRounding = readRounding(ini, kBonusRoundingKeys, s.monthRounding);

    s.timeStyle =
        ini.readInt(kOption, "TimeStyle", 1) == 0 ? TimeStyle::Decimal : TimeStyle::Sexagesimal;
    s.autoSelect = ini.readBool(kOption, "AutoSelect", s.autoSelect);
    s.overwriteInput = ini.readBool(kOption, "InputOverN", s.overwriteInput);
    s.printCumulative = ini.readBool(kOption, "PrnRuikei", s.printCumulative);
    s.use2000YenNotes = ini.readBool(kOption, "Use2kSatu", s.use2000YenNotes);
    s.hoursWorkedIncludeOvertime = ini.readBool(kOption, "Jitudou", s.hoursWorkedIncludeOvertime);

    readFlags(ini, kOption, "Kazei", kDefaultFreeItemFlags, s.taxableFlags);
    readFlags(ini, kOption, "Syaho", kDefaultFreeItemFlags, s.socialInsBaseFlags);
    readFlags(ini, kOption, "Kotei", formatFlagText(s.fixedPayFlags), s.fixedPayFlags);
    const int accident = ini.readInt(kOption, "RousaiRitu", s.accidentRateTenthsPerMille);
    if (accident > 0 && accident <= 1'000) s.accidentRateTenthsPerMille = accident;
    const int business = ini.readInt(kOption, "KoyouJigyou", s.employmentBusiness);
    if (business >= 0 && business <= 2) s.employmentBusiness = business;
    s.itemNames = loadItemNames(ini);
    s.password = loadPassword(ini);

    s.formType = ini.readInt(kOption, "FormType", s.formType);
    s.printOffsetXTenths = ini.readInt(kOption, "PrAdjustH", s.printOffsetXTenths);
    s.printOffsetYTenths = ini.readInt(kOption, "PrAdjustV", s.printOffsetYTenths);
    s.printer = loadPrinterSettings(ini, kPrintInfoSection);
    readFlags(ini, kOption, "DaichoAdd", {}, s.ledgerAddedItems);
    readFlags(ini, kOption, "DaichoDel", {}, s.ledgerRemovedItems);

    s.manualUrl = ini.readString(kOption, "ManualURL", s.manualUrl);
    s.transfer = loadTransferOriginator(ini);
    return s;
}

void saveCommonSettings(IniFile& ini, const Settings& s) {
    IniChanges changes;
    changes.set(kOption, "DefJikanD", formatHundredths(s.defaultHoursPerDay))
        .set(kOption, "CorpName", s.companyName);

    auto addName = [&](int item) {
        const std::string_view name = item == kBasePayItem
                                          ? kItemDefinitions[kBasePayItem].defaultName
                                          : std::string_view(s.itemNames[item]);
        changes.setQuoted(kOption, kItemDefinitions[item].nameKey, name);
    };
    for (int i = kFirstFreeItem; i < kFirstFreeItem + kFreeItemCount; ++i) addName(i);
    changes.setQuoted(kOption, "TokuSyoyo", s.itemNames.extraBonusCaption);
    for (int i = kFirstOtherItem; i < kItemCount; ++i) addName(i);
    for (int i = 0; i < kFirstFreeItem; ++i) addName(i);  // attendance, 基本給, payments

    changes.set(kOption, "Kazei", formatFlagText(s.taxableFlags))
        .set(kOption, "Syaho", formatFlagText(s.socialInsBaseFlags))
        .setInt(kOption, "TimeStyle", static_cast<int>(s.timeStyle))
        .setInt(kOption, kMonthRoundingKeys.payment, static_cast<int>(s.monthRounding.payment))
        .setInt(kOption, kMonthRoundingKeys.reduction, static_cast<int>(s.monthRounding.reduction))
        .setInt(kOption, kMonthRoundingKeys.deduction, static_cast<int>(s.monthRounding.deduction))
        .setBool(kOption, "PrnRuikei", s.printCumulative)
        .setBool(kOption, "Use2kSatu", s.use2000YenNotes)
        .setBool(kOption, "Jitudou", s.hoursWorkedIncludeOvertime);
    ini.apply(changes);
}

void saveWindowPlacement(IniFile& ini, const WindowPlacement& p) {
    const std::string_view w = kWindowSection;
    ini.apply(IniChanges()
                  .set(w, "State", p.maximized ? kMaximized : kNormal)
                  .setInt(w, "Pos_X", p.x)
                  .setInt(w, "Pos_Y", p.y)
                  .setInt(w, "Width", p.width)
                  .setInt(w, "Height", p.height)
                  .setInt(w, "MembList_X", p.employeeListWidth)
                  .setInt(w, "MembList_Y", p.employeeListHeight));
}

void saveBackupPath(IniFile& ini, std::string_view folder) {
    ini.writeString(kOption, "BackupPath", folder);
}

void savePrinterSettings(IniFile& ini, std::string_view section, const PrinterSettings& p) {
    IniChanges changes;
    addPrinterSettings(changes, section, p);
    ini.apply(changes);
}

void savePrintSettings(IniFile& ini, const Settings& s) {
    IniChanges changes;
    addPrinterSettings(changes, kPrintInfoSection, s.printer);
    changes.setInt(kOption, "FormType", s.formType)
        .setInt(kOption, "PrAdjustH", s.printOffsetXTenths)
        .setInt(kOption, "PrAdjustV", s.printOffsetYTenths);
    ini.apply(changes);
}

void saveSocialSettings(IniFile& ini, const Settings& s) {
    ini.apply(IniChanges()
                  .set(kOption, "Kotei", formatFlagText(s.fixedPayFlags))
                  .setInt(kOption, "RousaiRitu", s.accidentRateTenthsPerMille)
                  .setInt(kOption, "KoyouJigyou", s.employmentBusiness));
}

void saveLedgerItemChoices(IniFile& ini, const Settings& s) {
    ini.apply(IniChanges()
                  .set(kOption, "DaichoAdd", formatFlagText(s.ledgerAddedItems))
                  .set(kOption, "DaichoDel", formatFlagText(s.ledgerRemovedItems)));
}

std::string scramblePassword(std::string_view cp932) {
    std::string out(cp932);
    for (char& c : out) c = static_cast<char>(static_cast<std::uint8_t>(c) - 16);
    return out;
}

std::string unscramblePassword(std::string_view scrambled) {
    std::string out(scrambled);
    for (char& c : out) c = static_cast<char>(static_cast<std::uint8_t>(c) + 16);
    return out;
}

std::string loadPassword(const IniFile& ini) {
    return text::fromCp932(unscramblePassword(ini.readBytes(kOption, "ListFile")));
}

void savePassword(IniFile& ini, std::string_view utf8Password) {
    const std::string bytes = text::toCp932(utf8Password);
    for (const char c : bytes) {
        // Lowered by 16, bytes below 0x20 become NUL, LF or CR among others.
        if (static_cast<std::uint8_t>(c) < 0x20) {
            throw text::EncodingError("パスワードに使用できない文字が含まれています。",
                                      static_cast<char32_t>(c));
        }
    }
    ini.apply(IniChanges().setBytes(kOption, "ListFile", "\"" + scramblePassword(bytes) + "\""));
}

}  // namespace keiro
