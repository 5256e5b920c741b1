#pragma once
// The rules of the employee withholding editors that need no window.
//
// Dates are entered as era, era year, month and day.  An era index is 1 明治, 2 大正, 3 昭和,
// 4 平成 and 5 the new era; a birth date uses 1..4, a residence start 1..5, and the date of joining
// or leaving is in the era of the data year.  A part is checked when its box is left: a part that
// cannot stand is emptied, and a part that needs an earlier one which is missing sends the focus
// back to it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keiro::withholding {

inline constexpr int kEraMeiji = 1;
inline constexpr int kEraTaisho = 2;
inline constexpr int kEraShowa = 3;
inline constexpr int kEraHeisei = 4;
inline constexpr int kEraNew = 5;

// The last era year a date may name in the era (明治45, 大正15, 昭和64, 平成99, new era 99);
// 0 for an index that names no era.
int lastEraYear(int eraIndex);

// The Gregorian year of an era year; 0 for an index that names no era.
int gregorianYearOf(int eraIndex, int eraYear);

// Days of a month of a Gregorian year (February has 29 in years divisible by 4, except
// centuries not divisible by 400); 0 for a month outside 1..12.
int daysInMonth(int gregorianYear, int month);

enum class DateField { Era, Year, Month, Day };

// What happens when one part of a date group is left.
struct DateCheck {
    bool emptyPart = false;              // the part left is emptied
    std::optional<DateField> focusBack;  // the focus goes to this earlier part
};

// The parts as they stand (0 = empty; eraIndex 0 = no era chosen).
struct DateParts {
    int eraIndex = 0;
    int year = 0;
    int month = 0;
    int day = 0;
};

// Checks `left` (Year, Month or Day) of `date`.  An empty part is never an error.
DateCheck checkDatePart(DateField left, const DateParts& date);

// The state shown beside the employee, by the adjustment status: 計算済, 年調対象外 or 未処理
// (a 乙欄 employee too, until calculated: the calculation gives the slip its tax).
std::string_view editorStatusText(std::uint8_t adjustStatus);

// Moving between slots 1..100: back from any slot above 1, forward only to an occupied slot.
bool canGoBack(int slot);
bool canGoForward(int slot, bool nextSlotOccupied);

// The inputs that only some years' law has, shown in the editor for those years only.
struct LaterInputs {
    bool incomeEstimate = false;  // 所得の見積額: the deductions that depend on total income
    bool singleParent = false;    // ひとり親 (from 2020)
    bool widower = false;         // 寡夫 and the special 寡婦 (up to 2019)
    bool specificRelatives = false;  // 特定親族 ①-④ with their incomes (from 2025)
};
LaterInputs laterInputsOf(int dataYear);

// The lists of the 500-byte years' editor: the spouse choice, the birth era, the category and
// the pay form (the category and pay-form texts of the employee list come from here).
inline constexpr std::array<std::string_view, 4> kLegacySpouseChoices = {"有", "無", "従有",
                                                                         "従無"};
inline constexpr std::array<std::string_view, 5> kBirthEras = {"", "明治", "大正", "昭和", "平成"};
inline constexpr std::array<std::string_view, 6> kLegacyCategories = {
    "", "役員", "一般社員", "臨時社員", "パート", "アルバイト"};
inline constexpr std::array<std::string_view, 3> kLegacyPayForms = {"月給", "日給", "時間給"};
// Why a leaver's year is still adjusted, by the record's LeaveException: none (the leaver is
// not adjusted), death, disability with no work again this year, leaving after December's pay,
// a part-timer whose year's pay stays within the limit and who has no other pay.
inline constexpr std::array<std::string_view, 5> kLeaveExceptionChoices = {
    "なし", "死亡退職", "心身の障害で退職", "12月分給与の支払後に退職", "パート（限度額以下）"};
// The warning when a part-timer who left is to be adjusted but the year's pay is above the
// year's limit for that exception.
std::string partTimerPayWarning(std::int64_t paid, std::int64_t limit);

// The housing-loan credit categories (index stored in the record).
inline constexpr std::array<std::string_view, 5> kHousingLoanKinds = {"", "住", "認", "増", "震"};

}  // namespace keiro::withholding
