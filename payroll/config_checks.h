#pragma once
// What the common settings dialog checks before it stores anything, as pure functions over the
// entered values: the first failure names the page, the box to focus and the message to show.
// The boxes are named here too, so the pages and the checks cannot disagree.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/rate_update.h"
#include "core/items.h"

namespace keiro::payroll {

// The pages of the dialog, in tab order.
enum class ConfigPage {
    CompanyInfo = 0,
    FreeItems = 1,
    ItemNames = 2,
    Behaviour = 3,
    Transfer = 4
};

struct ConfigFailure {
    ConfigPage page = ConfigPage::CompanyInfo;
    std::string control;  // objectName of the box that gets the focus
    std::string message;
    bool operator==(const ConfigFailure&) const = default;
};

inline constexpr std::string_view kMsgNoCompanyName = "会社名が入力されていません。";
inline constexpr std::string_view kMsgBadCorporateNumber = "法人番号の入力に誤りがあります。";
inline constexpr std::string_view kMsgCorporateNumberCheckDigit =
    "法人番号の入力に誤りがあります。1桁目の検査用数字が合いません。番号を確かめてください。";
inline constexpr std::string_view kMsgBadPayDay = "給与支給日の入力に誤りがあります。";
inline constexpr std::string_view kMsgNoHoursPerDay = "所定労働条件が入力されていません。";
inline constexpr std::string_view kMsgNoInsuranceRate = "保険料負担率が入力されていません。";
inline constexpr std::string_view kMsgItemNameRequired = "項目名は必須入力です。";
inline constexpr std::string_view kMsgItemNameDuplicate = "項目名が重複しています。";
// An attendance item that does not hold hours must not look like one (the screens show any
// item whose name has 時間 or 残業 as hours) ...
inline constexpr std::string_view kMsgNotAnHoursName = "｢時間｣や｢残業｣の文字を含んではいけません。";
// ... and an hours item must keep one of the two words, or it would be shown as days.
inline constexpr std::string_view kMsgHoursNameNeedsWord = "｢時間｣か｢残業｣の文字を含めて下さい。";
inline constexpr std::string_view kMsgRatesChanged =
    "社員情報の編集画面で､保険料などの再設定が必要です。";
inline constexpr std::string_view kMsgCloseWithoutCompany =
    "基本情報が未設定の状態では、処理は正常に行われません。\n設定を行わず、この画面を閉じますか？";

// The highest share a rate box takes, in percent: anything above is a slip of the keyboard.
inline constexpr double kHighestRatePercent = 30;
// Above this employee's share of 雇用保険 (percent) the entry is most likely the total rate.
inline constexpr double kHighestEmploymentShare = 1;
// How far (percent) a health share may lie from every prefecture's share before it is asked
// about.
inline constexpr double kHealthShareTolerance = 0.5;

// "雇用保険の保険料負担率は0〜30%の範囲で入力してください。" for the box's caption.
std::string rateRangeMessage(std::string_view caption);

// "項目名｢name｣は既に設定されている項目名です。" + line break +
// "同じ項目名を複数設定する事は出来ません。"
std::string reservedNameMessage(std::string_view name);

// --- the boxes ------------------------------------------------------------------------------

inline constexpr int kPaymentNameCount = 11;  // 基本給 .. 遅刻早退控除 (items 15..25)
inline constexpr int kFreeNameCount = 15;     // 固定手当１ .. その他３ (items 26..40)

// edKintai01..15 for attendance item 0..14.
std::string attendanceNameControl(int index);
// edSikyu01..11 for payment name 0..10 (item 15 + index).
std::string paymentNameControl(int index);
// edFixTeate1..3, edVarTeate1..3, edFixKoujo1..3, edVarKoujo1..3, edSonota1..3 for free name
// 0..14 (item 26 + index).
std::string freeNameControl(int index);
// cbKazei0..11 and cbHoken0..11 for free item 0..11.
std::string taxableFlagControl(int index);
std::string socialInsFlagControl(int index);
inline constexpr std::string_view kExtraBonusCaptionControl = "edTokuSyoyo";

// Attendance items 0..14 that hold hours (所定労働時間, 実働時間, 普通残業時間, 深夜残業時間,
// 休日普通残業, 休日深夜残業, 遅刻早退時間).
bool isHoursAttendanceItem(int index);

// --- the entered values ---------------------------------------------------------------------

// The first page as entered: texts trimmed, numbers as the boxes read them.
struct CompanyEntry {
    std::string companyName;
    std::string corporateNumber;
    int payDay = 0;
    double hoursPerDay = 0;
    double employmentInsRate = 0;
    double healthInsRate = 0;
    double nursingInsRate = 0;
    double pensionRate = 0;
    double pensionFundRate = 0;
    double supportRate = 0;  // 子ども・子育て支援金
};

// The names as entered, trimmed.
struct ItemNameEntries {
    std::array<std::string, kAttendanceItemCount> attendance;
    std::array<std::string, kPaymentNameCount> payment;
    std::array<std::string, kFreeNameCount> freeItems;
    std::string extraBonusCaption;
};

// The corporate number of a box: 0 when empty, the number for exactly 13 digits, nothing for
// anything else.
std::optional<std::int64_t> corporateNumberValue(std::string_view text);

// Names a free item may not take because the calculation and the printing already know an item
// by them: every standard item name and every name of the standard pay and deduction lists
// (健康保険料, 所得税, 課税支給合計, 賞与, 役員報酬, ...), the base pay captions 日給計 and
// 時給計, and the totals 支給合計, 控除合計 and 差引支給額.  A free item's own standard name is
// allowed.
bool isReservedFreeItemName(std::string_view name, int freeIndex);

// The checks of OK in their order: company name, corporate number, pay day, hours per day, the
// four required rates (none may be zero or negative; the pension fund rate may be zero but not
// negative), every rate at most 30 %, then the names of each group (attendance, payment, free
// items): all present, the attendance names keeping or avoiding 時間 and 残業 by their kind, no two
// alike, and no free item taking a name the program already uses (including the attendance and
// payment names as entered).
std::optional<ConfigFailure> checkCompanyEntry(const CompanyEntry& entry);
std::optional<ConfigFailure> checkItemNames(const ItemNameEntries& names);
std::optional<ConfigFailure> checkConfigEntries(const CompanyEntry& entry,
                                                const ItemNameEntries& names);

// The questions OK asks before storing rates that are allowed but unlikely, for rates that
// differ from the ones on show: an employee's 雇用保険 share above 1 %, and a health share more
// than 0.5 point from every prefecture's share of the period's fiscal year (a 健康保険組合 has
// rates of its own, so it is a question, not a refusal).  Each names its box; the clerk may go
// on.
std::vector<ConfigFailure> rateWarnings(const CompanyEntry& shown, const CompanyEntry& entered,
                                        const calc::RatesOfPeriod& rates);

// Whether the health, nursing-care, pension, pension fund or levy rate differs from the one
// that was on show: the employees' monthly premiums then have to be set again.
bool premiumRatesChanged(const CompanyEntry& shown, const CompanyEntry& entered);

}  // namespace keiro::payroll
