#include "core/layouts.h"

#include <algorithm>
#include <span>

#include "core/entry.h"
#include "core/item_values.h"
#include "core/text.h"

namespace keiro {
namespace {

using Codes = std::span<const std::string_view>;

// The standard lists, in row order ("F" alone is a blank row).
// clang-format off
constexpr std::array<std::string_view, 16> kSalaryAttendance{
    "F所定労働日数", "V出勤日数", "V有休日数", "V欠勤日数", "V休日出勤日数", "V特別休暇日数",
    "F所定労働時間", "V実働時間", "V普通残業時間", "V深夜残業時間", "V休日普通残業",
    "V休日深夜残業", "V遅刻早退回数", "V遅刻早退時間", "F", "V有休残日数"};
constexpr std::array<std::string_view, 18> kSalaryPay{
    "F基本給", "F役職手当", "F家族手当", "F固定手当１", "F固定手当２", "F固定手当３",
    "F普通残業手当", "F深夜残業手当", "F休日普通残業", "F休日深夜残業", "F非課税通勤費",
    "F課税通勤費", "F欠勤控除", "F遅刻早退控除", "V変動手当１", "V変動手当２", "V変動手当３",
    "F課税支給合計"};
constexpr std::array<std::string_view, 18> kSalaryDeduction{
    "F健康保険料", "F介護保険料", "F子ども・子育て支援金", "F厚生年金保険", "F厚生年金基金",
    "F雇用保険料", "F社会保険料計", "F社保控除後計", "F所得税", "F住民税", "F固定控除１", "F固定控除２",
    "F固定控除３", "V年調過不足", "V変動控除１", "V変動控除２", "V変動控除３", "F"};
constexpr std::array<std::string_view, 3> kOther{"Vその他１", "Vその他２", "Vその他３"};

constexpr std::array<std::string_view, 16> kBlankAttendance{
    "F", "F", "F", "F", "F", "F", "F", "F", "F", "F", "F", "F", "F", "F", "F", "F"};
constexpr std::array<std::string_view, 18> kBonusPay{
    "V賞与", "V役員報酬", "F", "F固定手当１", "F固定手当２", "F固定手当３", "F", "V変動手当１",
    "V変動手当２", "V変動手当３", "F", "F課税支給合計", "F", "F", "F", "F", "F", "F"};
constexpr std::array<std::string_view, 18> kBonusDeduction{
    "F健康保険料", "F介護保険料", "F子ども・子育て支援金", "F厚生年金保険", "F厚生年金基金",
    "F雇用保険料", "F社会保険料計", "F社保控除後計", "F所得税", "V年調過不足", "F固定控除１",
    "F固定控除２", "F固定控除３", "F", "V変動控除１", "V変動控除２", "V変動控除３", "F"};
// clang-format on

// An item added to the deduction band after layouts were first saved: a layout saved without it
// gets it in its first blank row, used on every pay form (nothing when the band has none free).
constexpr std::string_view kSupportLevyCode = "F子ども・子育て支援金";
// Likewise 年調過不足 (the year-end adjustment settled in pay), which the default layouts hold
// in the first row that was blank before it.
constexpr std::string_view kSettlementCode = kYearEndSettlementCode;

// Where a kind of layout lives in the configuration and what it starts from.
struct KindDefinition {
    std::string_view itemSection;      // the row codes
    std::string_view flagSectionStem;  // + pay form 1..3: the use flags
    bool storesAttendance;             // bonus slips have no attendance band
    std::array<Codes, kBandCount> codes;
    // [band][payForm - 1]; "" is all unused
    std::array<std::array<std::string_view, kPayFormCount>, kBandCount> flags;
};

const KindDefinition kSalary{"KyuyoItemName",
                             "KyuyoKeitai",
                             true,
                             {kSalaryAttendance, kSalaryPay, kSalaryDeduction, kOther},
                             {{{"1111111111111111", "0111110111111111", "0111110111110011"},
                               {"111000111111110001", "111000111111110001", "111000111111100001"},
                               {"111111111100010001", "111111111100010001", "111111111100010001"},
                               {"000", "000", "000"}}}};

const KindDefinition kBonus{"SyoyoItemName",
                            "SyoyoKeitai",
                            false,
                            {kBlankAttendance, kBonusPay, kBonusDeduction, kOther},
                            {{{"", "", ""},
                              {"111000100011111111", "111000100011111111", "111000100011111111"},
                              {"111111111100010001", "111111111100010001", "111111111100010001"},
                              {"000", "000", "000"}}}};

constexpr bool hasRows(Codes codes, Band band) {
    return static_cast<int>(codes.size()) == kBandRows[static_cast<int>(band)];
}
static_assert(hasRows(kSalaryAttendance, Band::Attendance) &&
              hasRows(kBlankAttendance, Band::Attendance));
static_assert(hasRows(kSalaryPay, Band::Pay) && hasRows(kBonusPay, Band::Pay));
static_assert(hasRows(kSalaryDeduction, Band::Deduction) &&
              hasRows(kBonusDeduction, Band::Deduction));
static_assert(hasRows(kOther, Band::Other));
// The removable ledger items are the free items and the others, in item order.
static_assert(kItemCount - kFirstFreeItem == kLedgerChoiceCount);

const KindDefinition& definitionOf(LayoutKind kind) {
    return kind == LayoutKind::Bonus ? kBonus : kSalary;
}

constexpr std::array<std::string_view, kBandCount> kBandKeys{"Kintai", "Sikyu", "Koujo", "Sonota"};

bool isStored(const KindDefinition& definition, int band) {
    return band != static_cast<int>(Band::Attendance) || definition.storesAttendance;
}

std::string rowKey(int band, int row) {
    // Two digits from 00 (rows number at most 18).
    const char number[] = {static_cast<char>('0' + row / 10 % 10),
                           static_cast<char>('0' + row % 10), '\0'};
    return std::string(kBandKeys[band]) + number;
}

std::string flagSection(const KindDefinition& definition, int payForm) {
    return std::string(definition.flagSectionStem) + std::to_string(payForm);
}

void applyFlags(std::string_view text, std::vector<LayoutRow>& rows, int payForm) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].use[payForm - 1] = i < text.size() && text[i] == '1';
    }
}

std::string flagText(const std::vector<LayoutRow>& rows, int rowCount, int payForm) {
    std::string text;
    for (int i = 0; i < rowCount; ++i) {
        const bool used = i < static_cast<int>(rows.size()) && rows[i].use[payForm - 1];
        text += used ? '1' : '0';
    }
    return text;
}

// A row code as stored.  An empty code, or one whose bytes are no code page 932 text (it could
// never be written back), is a blank row; any other text is kept: it simply matches no item.
std::string readCode(const IniFile& ini, std::string_view section, std::string_view key) {
    const std::string bytes = ini.readBytes(section, key);
    if (bytes.empty()) return std::string(kBlankItemCode);
    std::string code = text::fromCp932(bytes);
    if (text::firstUnencodable(code) != 0) return std::string(kBlankItemCode);
    return code;
}

// The code a pay, deduction or other row is stored under.  A row that names an item by the
// user's name of a renamable item (a code that is not one of the standard identifiers, such as
// "V残業食事代") goes back to that item's standard code.  Standard identifiers are stored as
// they are, so that two items given the same name never overwrite each other's rows.
std::string storedCode(std::string_view code, int band, const ItemNames& names) {
    if (band == static_cast<int>(Band::Attendance) || itemIndex(code)) return std::string(code);
    const std::string name = layoutItemName(names, code);
    if (name.empty()) return std::string(code);
    for (int i = kFirstFreeItem; i < kItemCount; ++i) {
        if (names[i] == name) return std::string(kItemDefinitions[i].identifier);
    }
    return std::string(code);
}

const LayoutRow& rowOrBlank(const std::vector<LayoutRow>& rows, int row) {
    static const LayoutRow blank{std::string(kBlankItemCode), {}};
    return row < static_cast<int>(rows.size()) ? rows[row] : blank;
}

void addMissingItem(std::vector<LayoutRow>& rows, std::string_view code) {
    const auto named = [code](const LayoutRow& row) { return row.code == code; };
    if (std::any_of(rows.begin(), rows.end(), named)) return;
    const auto blank = std::find_if(
        rows.begin(), rows.end(), [](const LayoutRow& row) { return row.code == kBlankItemCode; });
    if (blank == rows.end()) return;
    blank->code = std::string(code);
    blank->use.fill(true);
}

bool validPayForm(int payForm) {
    return payForm >= 1 && payForm <= kPayFormCount;
}

// Where an item's bit lives in ActiveItems: which record's word, and the bit of its number.  An
// item that stores nowhere, or whose number no record has, has no bit (mask 0, in word 0).
struct ItemBit {
    int record = 0;
    std::uint32_t mask = 0;
};

ItemBit bitOf(const ItemId& item) {
    if (item.number < 0 || item.number >= 32) return {};
    const std::uint32_t mask = std::uint32_t{1} << item.number;
    switch (item.kind) {
        case ItemId::Kind::Attendance:
            return {0, mask};
        case ItemId::Kind::Payment:
            return {1, mask};
        case ItemId::Kind::Deduction:
            return {2, mask};
        case ItemId::Kind::None:
            break;
    }
    return {};
}

}  // namespace

ItemLayout defaultLayout(LayoutKind kind) {
    const KindDefinition& definition = definitionOf(kind);
    ItemLayout layout;
    layout.kind = kind;
    for (int b = 0; b < kBandCount; ++b) {
        std::vector<LayoutRow>& rows = layout.bands[b];
        for (std::string_view code : definition.codes[b]) rows.push_back({std::string(code), {}});
        for (int payForm = 1; payForm <= kPayFormCount; ++payForm) {
            applyFlags(definition.flags[b][payForm - 1], rows, payForm);
        }
    }
    return layout;
}

ItemLayout loadLayout(const IniFile& ini, LayoutKind kind) {
    const KindDefinition& definition = definitionOf(kind);
    ItemLayout layout = defaultLayout(kind);
    for (int b = 0; b < kBandCount; ++b) {
        if (!isStored(definition, b)) continue;
        std::vector<LayoutRow>& rows = layout.bands[b];
        for (int i = 0; i < kBandRows[b]; ++i) {
            const std::string key = rowKey(b, i);
            if (ini.hasKey(definition.itemSection, key)) {
                rows[i].code = readCode(ini, definition.itemSection, key);
            }
        }
        for (int payForm = 1; payForm <= kPayFormCount; ++payForm) {
            const std::string section = flagSection(definition, payForm);
            if (ini.hasKey(section, kBandKeys[b])) {
                applyFlags(ini.readBytes(section, kBandKeys[b]), rows, payForm);
            }
        }
    }
    addMissingItem(layout.band(Band::Deduction), kSupportLevyCode);
    addMissingItem(layout.band(Band::Deduction), kSettlementCode);
    return layout;
}

void saveLayout(IniFile& ini, const ItemLayout& layout, const ItemNames& names) {
    const KindDefinition& definition = definitionOf(layout.kind);
    IniChanges changes;
    for (int b = 0; b < kBandCount; ++b) {
        if (!isStored(definition, b)) continue;
        const std::vector<LayoutRow>& rows = layout.bands[b];
        for (int i = 0; i < kBandRows[b]; ++i) {
            const std::string& code = rowOrBlank(rows, i).code;
            changes.set(definition.itemSection, rowKey(b, i),
                        code.empty() ? std::string(kBlankItemCode) : storedCode(code, b, names));
        }
        for (int payForm = 1; payForm <= kPayFormCount; ++payForm) {
            changes.set(flagSection(definition, payForm), kBandKeys[b],
                        flagText(rows, kBandRows[b], payForm));
        }
    }
    ini.apply(changes);
}

void moveRow(ItemLayout& layout, Band band, int from, int to) {
    std::vector<LayoutRow>& rows = layout.band(band);
    const int count = static_cast<int>(rows.size());
    if (from < 0 || to < 0 || from >= count || to >= count || from == to) return;
    const auto source = rows.begin() + from;
    const auto target = rows.begin() + to;
    if (from < to) {
        std::rotate(source, source + 1, target + 1);
    } else {
        std::rotate(target, source, source + 1);
    }
}

PrintTables buildPrintTables(const ItemLayout& layout) {
    PrintTables tables;
    tables.kind = layout.kind;
    const KindDefinition& definition = definitionOf(layout.kind);
    for (int payForm = 1; payForm <= kPayFormCount; ++payForm) {
        for (int b = 0; b < kBandCount; ++b) {
            std::vector<std::string>& out = tables.codes[payForm - 1][b];
            for (int i = 0; i < kBandRows[b]; ++i) {
                const LayoutRow& row = rowOrBlank(layout.bands[b], i);
                const bool used =
                    isStored(definition, b) && row.use[payForm - 1] && !row.code.empty();
                out.push_back(used ? row.code : std::string(kBlankItemCode));
            }
        }
    }
    return tables;
}

ActiveItems::ActiveItems(const PrintTables& tables, const ItemNames& names)
    : kind_(tables.kind), names_(names) {
    for (int p = 0; p < kPayFormCount; ++p) {
        for (int b = 0; b < kBandCount; ++b) {
            const std::vector<std::string>& codes = tables.codes[p][b];
            for (std::size_t row = 0; row < codes.size(); ++row) {
                if (codes[row] == kBlankItemCode) continue;
                const LayoutItem item = describeLayoutItem(names_, kind_, static_cast<Band>(b),
                                                           static_cast<int>(row), codes[row]);
                if (item.label.empty()) continue;  // "V" alone names nothing either
                if (const ItemBit bit = bitOf(item.source); bit.mask != 0) {
                    active_[p][b][bit.record] |= bit.mask;
                }
            }
        }
    }
}

bool ActiveItems::isActive(int payForm, Band band, const ItemId& item) const {
    if (!validPayForm(payForm)) return false;
    const ItemBit bit = bitOf(item);
    return (active_[payForm - 1][static_cast<int>(band)][bit.record] & bit.mask) != 0;
}

bool ActiveItems::isActive(int payForm, Band band, std::string_view code) const {
    if (code == kBlankItemCode) return false;
    const LayoutItem item = describeLayoutItem(names_, kind_, band, 0, code);
    return !item.label.empty() && isActive(payForm, band, item.source);
}

std::string_view basePayCaption(int payForm) {
    switch (payForm) {
        case 2:
            return "日給計";
        case 3:
            return "時給計";
        default:
            return "基本給";
    }
}

std::string layoutItemName(const ItemNames& names, std::string_view code) {
    const std::string display = displayItemName(names, code);
    if (display.empty()) return display;
    // Drop the kind letter: one whole character, even when a damaged code starts with a
    // multi-byte one.
    std::size_t first = 1;
    while (first < display.size() && (static_cast<unsigned char>(display[first]) & 0xC0) == 0x80) {
        ++first;
    }
    return display.substr(first);
}

std::string_view payRowCaption(std::string_view text, int payForm) {
    for (int form = 1; form <= kPayFormCount; ++form) {
        if (text == basePayCaption(form)) return basePayCaption(payForm);
    }
    return text;
}

std::string layoutRowCaption(const ItemNames& names, LayoutKind kind, Band band,
                             std::string_view code, int payForm) {
    std::string name = layoutItemName(names, code);
    if (kind == LayoutKind::Salary && band == Band::Pay)
        return std::string(payRowCaption(name, payForm));
    return name;
}

LedgerItemCaptions ledgerItemCaptions(const ItemNames& names) {
    LedgerItemCaptions captions;
    for (int i = 0; i < kLedgerChoiceCount; ++i) {
        captions.added[i] = layoutItemName(names, kSalaryAttendance[i]);
        captions.removed[i] = names[kFirstFreeItem + i];
    }
    return captions;
}

std::optional<std::string_view> checkLedgerItemChoices(const LedgerItemFlags& added,
                                                       const LedgerItemFlags& removed) {
    const auto addedCount = std::count(added.begin(), added.end(), true);
    const auto removedCount = std::count(removed.begin(), removed.end(), true);
    if (removedCount < addedCount) return kMsgTooManyAddedItems;
    return std::nullopt;
}

}  // namespace keiro
