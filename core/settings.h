#pragma once
// The program-wide settings kept in the configuration file "Keiro.ini", typed and with their
// defaults, loaded once at start-up and passed to the windows that need them; and the writers
// for exactly what each window stores.  Item layout sections are kept elsewhere.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/entry.h"  // TimeStyle
#include "core/ini.h"
#include "core/items.h"
#include "core/zengin_settings.h"

namespace keiro {

inline constexpr std::string_view kWindowSection = "Window";
inline constexpr std::string_view kOptionSection = "Option";
inline constexpr std::string_view kPrintInfoSection = "PrintInfo";

// The manual's address for offices that keep their own copy on a server; empty (the default):
// the copy installed with the programs.
inline constexpr std::string_view kDefaultManualUrl = "";
// The employee list window's designed size, used until the user has resized it.
inline constexpr int kEmployeeListDesignWidth = 640;
inline constexpr int kEmployeeListDesignHeight = 480;
inline constexpr int kLedgerChoiceCount = 15;

// Yen rounding of computed amounts; the values are the codes stored in the file.  Any other
// stored code means truncation.
enum class RoundingMode { Truncate = 0, Ceil = 1, Round = 2 };  // 切り捨て, 切り上げ, 四捨五入
RoundingMode roundingModeFromCode(int code);

// Payment amounts 1..17 of the pay record (基本給 .. 遅刻早退控除) carry a fixed-pay flag.
inline constexpr int kPaymentFixedFlagCount = 17;

struct RoundingSettings {
    RoundingMode payment = RoundingMode::Ceil;  // 支給項目 (HasuuSik)
    RoundingMode reduction = RoundingMode::Truncate;  // 減額項目: 欠勤控除, 遅刻早退控除 (HasuuGen)
    RoundingMode deduction = RoundingMode::Truncate;  // 控除項目 (HasuuKou)
    bool operator==(const RoundingSettings&) const = default;
};

struct WindowPlacement {
    bool maximized = true;  // State: "wsMaximized" or "wsNormal"
    int x = 0;              // Pos_X
    int y = 0;              // Pos_Y
    int width = 640;
    int height = 440;
    int employeeListWidth = kEmployeeListDesignWidth;    // MembList_X
    int employeeListHeight = kEmployeeListDesignHeight;  // MembList_Y
    bool operator==(const WindowPlacement&) const = default;
};

// The remembered printer: device name and device-mode numbers as decimal texts.
struct PrinterSettings {
    std::string deviceName;
    std::string paperSize = "0";
    std::string paperWidth = "0";
    std::string paperLength = "0";
    std::string orientation = "0";
    std::string defaultSource = "0";
    std::string printQuality = "0";
    bool operator==(const PrinterSettings&) const = default;
};

struct Settings {
    WindowPlacement window;

    std::string newEraName;           // SinGengou: replaces the calendar's name when not empty
    std::string companyName = "Nil";  // CorpName: shown by the main window
    double defaultHoursPerDay = 0.0;  // DefJikanD
    std::string backupPath;           // BackupPath: the last backup folder

    RoundingSettings monthRounding;  // HasuuSik, HasuuGen, HasuuKou
    RoundingSettings bonusRounding;  // HasuuSikS, HasuuGenS, HasuuKouS: month values when unset
    const RoundingSettings& rounding(bool bonusPeriod) const {
        return bonusPeriod ? bonusRounding : monthRounding;
    }

    TimeStyle timeStyle = TimeStyle::Sexagesimal;  // TimeStyle
    bool autoSelect = true;                        // AutoSelect: select the text on entry
    bool overwriteInput = true;                    // InputOverN: typing overwrites
    bool printCumulative = true;                   // PrnRuikei: year-to-date on pay slips
    bool use2000YenNotes = true;                   // Use2kSatu: in denomination tables
    bool hoursWorkedIncludeOvertime = true;        // Jitudou

    // Kazei, Syaho: 課税対象 and 社保算定対象 of the twelve free items, in item order.
    std::array<bool, kFreeItemCount> taxableFlags{true, true, true, true, true, true};
    std::array<bool, kFreeItemCount> socialInsBaseFlags{true, true, true, true, true, true};

    // Kotei: whether each payment amount 1..17 of the pay record is 固定的賃金, whose change
    // starts the check for a revision of the standard monthly amount.  Base pay, 役職手当,
    // 家族手当, the fixed allowances and both commuting allowances are fixed; overtime, the
    // variable allowances and the absence and lateness reductions are not.
    std::array<bool, kPaymentFixedFlagCount> fixedPayFlags{true,  true,  true,  true,  true, true,
                                                           false, false, false, false, true, true,
                                                           false, false, false, false, false};

    // The labour insurance return: RousaiRitu, the 労災保険率 of the business type in tenths of
    // a per mille (30 = 3/1000, その他の各種事業); KoyouJigyou, the 雇用保険 business kind
    // (0 一般, 1 農林水産・清酒製造, 2 建設).
    int accidentRateTenthsPerMille = 30;
    int employmentBusiness = 0;

    ItemNames itemNames;  // the 41 display names and TokuSyoyo

    std::string password;  // ListFile, unscrambled; empty: no password

    int formType = 3;            // FormType: the pay slip form
    int printOffsetXTenths = 0;  // PrAdjustH: position correction in tenths of a millimetre
    int printOffsetYTenths = 0;  // PrAdjustV
    PrinterSettings printer;     // section PrintInfo

    // DaichoAdd: attendance items added to the ledger and list; DaichoDel: items removed.
    std::array<bool, kLedgerChoiceCount> ledgerAddedItems{};
    std::array<bool, kLedgerChoiceCount> ledgerRemovedItems{};

    std::string manualUrl = std::string(kDefaultManualUrl);  // ManualURL

    TransferOriginator transfer;  // section Zengin: the company's side of the transfer file
};

Settings loadSettings(const IniFile& ini);
PrinterSettings loadPrinterSettings(const IniFile& ini, std::string_view section);

// What the common settings dialog's OK stores: DefJikanD, CorpName, every display name in
// double quotes, Kazei, Syaho, TimeStyle, the three month roundings, PrnRuikei, Use2kSatu,
// Jitudou.  The bonus roundings are never written.
void saveCommonSettings(IniFile& ini, const Settings& settings);
// What closing the main window stores in section Window.
void saveWindowPlacement(IniFile& ini, const WindowPlacement& placement);
void saveBackupPath(IniFile& ini, std::string_view folder);
// What every print stores: the printer in PrintInfo, FormType, PrAdjustH, PrAdjustV.
void savePrintSettings(IniFile& ini, const Settings& settings);
void savePrinterSettings(IniFile& ini, std::string_view section, const PrinterSettings& printer);
// DaichoAdd and DaichoDel.
void saveLedgerItemChoices(IniFile& ini, const Settings& settings);

// Kotei (the fixed-pay flags of the payment amounts), RousaiRitu and KoyouJigyou.
void saveSocialSettings(IniFile& ini, const Settings& settings);

// Flags stored as a text of "1"/"0": flag i is set when character i is "1"; a short text
// leaves the rest unset.
void parseFlagText(std::string_view text, std::span<bool> flags);
std::string formatFlagText(std::span<const bool> flags);

// The password is stored in ListFile in double quotes with every byte of its code page 932
// form lowered by 16 (wrapping around).
std::string scramblePassword(std::string_view cp932);
std::string unscramblePassword(std::string_view scrambled);
// The stored password as UTF-8; empty when none is set.
std::string loadPassword(const IniFile& ini);
// Stores the password (empty clears it).  A character without a code page 932 form, or a
// control character (which would break the line once lowered), throws text::EncodingError.
void savePassword(IniFile& ini, std::string_view utf8Password);

}  // namespace keiro
