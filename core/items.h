#pragma once
// The 41 pay items.  An item's identifier is a kind letter ("F" fixed: computed from the
// employee master and settings; "V" variable: entered per period) followed by its standard
// name.  Layout settings store identifiers; screens and paper show the user's display name.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace keiro {

struct ItemDefinition {
    std::string_view identifier;  // "F基本給", "V出勤日数", ...
    std::string_view nameKey;     // Option key holding the display name
    std::string_view defaultName;
};

inline constexpr int kItemCount = 41;
inline constexpr int kAttendanceItemCount = 15;  // items 0..14, in AttendanceRecord order
inline constexpr int kBasePayItem = 15;          // "F基本給": its name never changes

inline constexpr std::array<ItemDefinition, kItemCount> kItemDefinitions{{
    {"F所定労働日数", "inSyoNisu", "所定労働日数"}, {"V出勤日数", "inSyuNisu", "出勤日数"},
    {"V有休日数", "inYukNisu", "有休日数"},         {"V欠勤日数", "inKekNisu", "欠勤日数"},
    {"V休日出勤日数", "inKyuNisu", "休日出勤日数"}, {"V特別休暇日数", "inTokNisu", "特別休暇日数"},
    {"F所定労働時間", "inSyoJikn", "所定労働時間"}, {"V実働時間", "inJitJikn", "実働時間"},
    {"V普通残業時間", "inFutZan", "普通残業時間"},  {"V深夜残業時間", "inSinZan", "深夜残業時間"},
    {"V休日普通残業", "inKyuZanF", "休日普通残業"}, {"V休日深夜残業", "inKyuZanS", "休日深夜残業"},
    {"V遅刻早退回数", "inCikoSuu", "遅刻早退回数"}, {"V遅刻早退時間", "inCikoJik", "遅刻早退時間"},
    {"V有休残日数", "inYukZan", "有休残日数"},      {"F基本給", "inKihon", "基本給"},
    {"F役職手当", "inYakuTea", "役職手当"},         {"F家族手当", "inFamiTea", "家族手当"},
    {"F普通残業手当", "inFutuTea", "普通残業手当"}, {"F深夜残業手当", "inSinTea", "深夜残業手当"},
    {"F休日普通残業", "inKyFuTea", "休日普通残業"}, {"F休日深夜残業", "inKySnTea", "休日深夜残業"},
    {"F非課税通勤費", "inTuukin0", "非課税通勤費"}, {"F課税通勤費", "inTuukin1", "課税通勤費"},
    {"F欠勤控除", "inKekKojo", "欠勤控除"},         {"F遅刻早退控除", "inChiKojo", "遅刻早退控除"},
    {"F固定手当１", "FixTeate1", "固定手当１"},     {"F固定手当２", "FixTeate2", "固定手当２"},
    {"F固定手当３", "FixTeate3", "固定手当３"},     {"V変動手当１", "VarTeate1", "変動手当１"},
    {"V変動手当２", "VarTeate2", "変動手当２"},     {"V変動手当３", "VarTeate3", "変動手当３"},
    {"F固定控除１", "FixKoujo1", "固定控除１"},     {"F固定控除２", "FixKoujo2", "固定控除２"},
    {"F固定控除３", "FixKoujo3", "固定控除３"},     {"V変動控除１", "VarKoujo1", "変動控除１"},
    {"V変動控除２", "VarKoujo2", "変動控除２"},     {"V変動控除３", "VarKoujo3", "変動控除３"},
    {"Vその他１", "Sonota1", "その他１"},           {"Vその他２", "Sonota2", "その他２"},
    {"Vその他３", "Sonota3", "その他３"},
}};

// Index of the first free item ("F固定手当１"); the twelve free items with taxable and
// social-insurance flags are indices 26..37, the three others 38..40.
inline constexpr int kFirstFreeItem = 26;
inline constexpr int kFreeItemCount = 12;
inline constexpr int kFirstOtherItem = 38;

// Index of an identifier in kItemDefinitions.
std::optional<int> itemIndex(std::string_view identifier);

// The display names in force: loaded from the configuration at start-up, changed by the
// settings dialog.  `extraBonusCaption` is the caption of bonus period 15 (key TokuSyoyo).
struct ItemNames {
    std::array<std::string, kItemCount> names;
    std::string extraBonusCaption = "特別賞与";

    ItemNames();  // the defaults
    const std::string& operator[](int index) const { return names[index]; }
};

}  // namespace keiro
