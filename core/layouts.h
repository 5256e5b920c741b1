#pragma once
// Item layouts: which items the pay slips of each pay form (月給, 日給, 時間給) show, in which
// order, for salaries and for bonuses.  The same layouts decide which items take part in the
// calculation: an amount counts for an employee only when its item is on the pay slip layout
// of the employee's pay form.
//
// A layout row (LayoutRow) is an item code ("F基本給", "V変動手当１"; "F" alone is a blank
// row) with one use flag per pay form.  The edit tables hold the rows in their order; the
// print tables give, per pay form, each row's code when it is used and "F" when not.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini.h"
#include "core/items.h"
#include "core/settings.h"  // kLedgerChoiceCount

namespace keiro {

struct ItemId;  // core/item_values.h

enum class LayoutKind { Salary, Bonus };

// The four bands of a pay slip, with their row counts.
enum class Band { Attendance = 0, Pay = 1, Deduction = 2, Other = 3 };
inline constexpr int kBandCount = 4;
inline constexpr std::array<int, kBandCount> kBandRows = {16, 18, 18, 3};
inline constexpr int kPayFormCount = 3;  // 1 月給, 2 日給, 3 時間給

inline constexpr std::string_view kBlankItemCode = "F";
// 年調過不足: the year-end adjustment settled in a period's pay (DeductionRecord item 22).  An
// amount entered per period (the withholding program writes it, the clerk may type it), never
// calculated.
inline constexpr std::string_view kYearEndSettlementCode = "V年調過不足";

struct LayoutRow {
    std::string code;
    std::array<bool, kPayFormCount> use{};  // index payForm - 1

    bool operator==(const LayoutRow&) const = default;
};

// The edit tables of one layout.  A bonus layout's attendance band is all blank and unused.
struct ItemLayout {
    LayoutKind kind = LayoutKind::Salary;
    std::array<std::vector<LayoutRow>, kBandCount> bands;

    std::vector<LayoutRow>& band(Band b) { return bands[static_cast<int>(b)]; }
    const std::vector<LayoutRow>& band(Band b) const { return bands[static_cast<int>(b)]; }
    bool operator==(const ItemLayout&) const = default;
};

// The standard lists with the default use flags.
ItemLayout defaultLayout(LayoutKind kind);

// Reads the layout from the configuration (sections KyuyoItemName / KyuyoKeitai1..3 or
// SyoyoItemName / SyoyoKeitai1..3); every missing key takes its default.  A flag character
// other than "1", or a missing one, means not used.  An empty code, or one whose bytes are no
// code page 932 text, reads as a blank row; any other code is kept as it is (a damaged one then
// matches no item).
ItemLayout loadLayout(const IniFile& ini, LayoutKind kind);

// Writes every row's code and the flag texts.  A pay, deduction or other row whose item carries
// the user's name of a renamable free item (固定手当１..３, 変動手当１..３, 固定控除１..３,
// 変動控除１..３, その他１..３) is written under that item's standard code.
void saveLayout(IniFile& ini, const ItemLayout& layout, const ItemNames& names);

// Moves row `from` of a band to position `to`; the rows in between shift by one towards
// `from`.  The row keeps its code and all three flags, so the order is common to the pay forms.
// An index outside the band changes nothing.
void moveRow(ItemLayout& layout, Band band, int from, int to);

// Per pay form and band, each row's code when used, else "F".
struct PrintTables {
    LayoutKind kind = LayoutKind::Salary;
    // [payForm - 1][band][row]
    std::array<std::array<std::vector<std::string>, kBandCount>, kPayFormCount> codes;

    const std::vector<std::string>& rows(int payForm, Band band) const {
        return codes[payForm - 1][static_cast<int>(band)];
    }
};

PrintTables buildPrintTables(const ItemLayout& layout);

// The question the calculation asks: is this item on the pay slip of this pay form?  An item is
// the place its value is stored (ItemId, core/item_values.h), so two items the user gave the
// same display name are still two items.  Every row of the layout is resolved once, when the
// set is built, the way describeLayoutItem finds a row's item: by its code, else by its display
// name among the items of the same kind letter (layouts may store the user's name of a renamed
// item).  A row whose code names no stored item makes nothing active.
class ActiveItems {
  public:
    ActiveItems() = default;  // nothing active
    ActiveItems(const PrintTables& tables, const ItemNames& names);

    // Constant time.  False for an item that stores nowhere and for a pay form outside 1..3 (a
    // damaged employee record).
    bool isActive(int payForm, Band band, const ItemId& item) const;
    // The same for the item a layout code stands for, resolved as the rows were (with the
    // names and the kind of the layout the set was built from); false for a blank code or one
    // that names no stored item.  Resolves on every call: for questions asked once.
    bool isActive(int payForm, Band band, std::string_view code) const;

    LayoutKind kind() const { return kind_; }

  private:
    // One bit per item number of each record: attendance, payment, deduction.
    using ItemBits = std::array<std::uint32_t, 3>;

    LayoutKind kind_ = LayoutKind::Salary;
    ItemNames names_;
    // [payForm - 1][band]
    std::array<std::array<ItemBits, kBandCount>, kPayFormCount> active_{};
};

// The caption of the base pay row for a pay form: 基本給, 日給計 or 時給計 (基本給 for a pay
// form outside 1..3).
std::string_view basePayCaption(int payForm);

// --- the slip layout windows ---------------------------------------------------------------

inline constexpr std::string_view kMsgResetLayoutConfirm =
    "項目使用有無と順序の変更を初期状態に戻します。";

// The text a layout row shows: the display name without the kind letter ("" for a blank row).
std::string layoutItemName(const ItemNames& names, std::string_view code);

// What a salary pay row shows on a pay form's tab: a row whose text is 基本給, 日給計 or 時給計
// shows basePayCaption(payForm); any other text stays as it is.
std::string_view payRowCaption(std::string_view text, int payForm);

// The text of a row in the grid of a band on a pay form's tab: layoutItemName, relabelled by
// payRowCaption for salary pay rows (the bonus window keeps the names as they are).
std::string layoutRowCaption(const ItemNames& names, LayoutKind kind, Band band,
                             std::string_view code, int payForm);

// --- ledger and monthly list items (DaichoAdd / DaichoDel) -----------------------------------

// The same arrays as Settings::ledgerAddedItems and ledgerRemovedItems.
using LedgerItemFlags = std::array<bool, kLedgerChoiceCount>;

inline constexpr std::string_view kMsgResetLedgerItemsConfirm =
    "追加/削除する項目設定を初期状態に戻します。";
inline constexpr std::string_view kMsgTooManyAddedItems =
    "追加する勤怠項目が多すぎます。\n追加項目数≦削除項目数にして下さい。";

// The captions of the check boxes: `added` are the display names of the attendance list entries
// 1..15 (the fifteenth is the blank entry, "", whose box stays hidden); `removed` are the display
// names of 固定手当１..３, 変動手当１..３, 固定控除１..３, 変動控除１..３, その他１..３.
struct LedgerItemCaptions {
    std::array<std::string, kLedgerChoiceCount> added;
    std::array<std::string, kLedgerChoiceCount> removed;
};
LedgerItemCaptions ledgerItemCaptions(const ItemNames& names);

// The ledger and the list have a fixed number of rows, so no more attendance items may be added
// than items removed: kMsgTooManyAddedItems when they are, else nothing (the choices may be
// stored).
std::optional<std::string_view> checkLedgerItemChoices(const LedgerItemFlags& added,
                                                       const LedgerItemFlags& removed);

}  // namespace keiro
