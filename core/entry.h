#pragma once
// Entry, formatting and small text helpers shared by every window of both programs.  Each
// function is pure: settings come in as parameters, results go out as values, so the widgets
// only call these and the behaviour is tested here without a display.
//
// Text parameters are UTF-8 unless a name says cp932 (code page 932 bytes, as the data files and
// the overwrite typing measure them).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/items.h"
#include "core/records.h"

namespace keiro {

// --- item names ---------------------------------------------------------------------------------

// The identifier's kind letter ("F" or "V") followed by the item's current display name, e.g.
// "V残業食事代" for "V変動手当１" once the user renamed it.  An identifier that is not one of
// the 41 items (the blank entry "F", a damaged layout entry) comes back unchanged.
std::string displayItemName(const ItemNames& names, std::string_view identifier);

// Whether an item with this display name holds hours ("時間" or "残業" in the name); such values
// are shown with formatHours.
bool isTimeItem(std::string_view displayName);

// --- display formats ----------------------------------------------------------------------------

// Whole yen with thousands separators, right-aligned in `width` characters ("  -1,234").  A
// longer number is never cut.
std::string formatAmount(int width, long long value);

// Setting `TimeStyle`: hours shown as decimals ("  1.75") or as hours and minutes ("  1:45").
enum class TimeStyle { Decimal = 0, Sexagesimal = 1 };

// Hours right-aligned in 6 characters.  Minutes are rounded to the nearest minute and carry into
// the hour (1.9999 shows "  2:00", never "1:60"); a value that rounds to zero shows no minus
// sign; a value that is not finite (a damaged record) shows as 0.
std::string formatHours(double value, TimeStyle style);

// Other attendance quantities (days, counts): "%6.2f".
std::string formatQuantity(double value);

// --- reading numbers ----------------------------------------------------------------------------

// An integer typed by the user: "," and " " are removed and the text trimmed; empty is 0.  A text
// that is not a whole number in the range of int (after an optional sign) is std::nullopt, so
// the caller can tell the user instead of failing.
std::optional<int> parseInt(std::string_view text);

// parseNumber's result; inputError means the message kMsgInputError is to be shown (value 0).
struct ParsedNumber {
    double value = 0;
    bool inputError = false;
};
inline constexpr std::string_view kMsgInputError = "入力エラー";

// A decimal number or hours written as h:mm ("-1:30" is -1.5).  Decimal texts are read up to the
// first character that cannot belong to a number ("12abc" is 12; at most 32 characters);
// "," and blanks are ignored.  A second sign, point or colon is an input error.
ParsedNumber parseNumber(std::string_view text);

// --- numeric edit boxes -------------------------------------------------------------------------

// Every numeric edit box carries a two-digit format code: tens = width, units = decimals
// (90: 9 wide, whole numbers; 63: 6 wide, 3 decimals; 20: 2 wide, digits only).
struct FormatCode {
    int width = 0;
    int decimals = 0;
};
FormatCode splitFormatCode(int formatCode);

inline constexpr std::string_view kMsgDuplicateSeparator = "．や：又は符号(－)が重複しています。";
inline constexpr std::string_view kMsgMinutesOver59 = "分の入力が59を超えています。";
inline constexpr std::string_view kMsgSignPosition = "符号(－)の位置が不正です。";
inline constexpr std::string_view kMsgTooManyDigits = "入力した数値が上限を超えました。";
inline constexpr std::string_view kMsgNotANumber = "数値以外の文字が含まれています。";

// What a numeric box holds after the user leaves it: the checked text, or an empty text and
// the message to show (error empty when the entry is fine or the box was empty).
struct EntryCheck {
    std::string text;
    std::string error;
};

// Checks the text of a numeric box on leaving it: "," and " " removed, trimmed, first 9
// characters; at most one "." or ":" and one "-", the sign first, minutes at most 59, the
// fraction cut (not rounded) to the code's decimals, and the integer part within the code's
// digit limit (6 for code 70, 7 for code 90, else width − decimals, less one for the point).
EntryCheck validateNumericEntry(std::string_view text, int formatCode);

// The message a box shows when too many digits were typed: kMsgTooManyDigits and the largest
// number the box takes ("入力した数値が上限を超えました。99以下で入力してください。").
std::string tooManyDigitsMessage(int formatCode);

// What the box shows after a successful check: hours fields through formatHours without the
// leading blanks, other boxes "%*.*f" with the code's width and decimals.  Empty stays empty.
std::string reformatEntry(std::string_view checkedText, int formatCode, bool hoursField,
                          TimeStyle style);

// The characters an input method in かな mode gives for a number, as the ASCII ones the boxes
// take: ０–９, the minus signs (－ − ー), the comma, the full stop and the colon.  Every other
// character is left as it is.
std::string asciiNumberText(std::string_view utf8);

// What a numeric box does with a typed character: Enter moves to the next control (the key is
// swallowed), Backspace passes, code 20 takes digits only, other codes digits and ".", boxes
// that take hours also ":".  Reject means beep and swallow.
enum class KeyVerdict { Accept, Reject, MoveNext };
KeyVerdict filterNumericKey(char32_t typed, int formatCode, bool takesHours);

// --- overwrite typing (setting InputOverN) ------------------------------------------------------

// The text (cp932 bytes), the caret as a byte offset, and the position still waiting for the
// second byte of a double-byte character (-1: none).  The caller keeps the state between keys.
struct OverwriteState {
    std::string text;
    int caret = 0;
    int pendingLead = -1;
    bool operator==(const OverwriteState&) const = default;
};

// Overwrite typing: the typed byte replaces the character under the caret instead of being
// inserted, keeping double-byte characters whole (a half that is overwritten becomes a blank).
// `maxLength` is the box's limit in bytes; 0 means none (combo boxes).  std::nullopt means this
// key is not for overwriting (caret at the end): the box inserts it as usual.  Otherwise the key
// is swallowed and the box shows the returned text with the caret at `caret`.  A double-byte
// character that would not fit in a full box is dropped (both of its bytes).
std::optional<OverwriteState> handleOverwriteKey(OverwriteState state, unsigned char typed,
                                                 int maxLength);

// A box's text cut to its maximum length in bytes without splitting a double-byte character;
// caretToEnd when the text fills the box.
struct TruncatedText {
    std::string cp932;
    bool caretToEnd = false;
};
TruncatedText truncateToMaxLength(std::string_view cp932, int maxLength);

// --- dates and employees ------------------------------------------------------------------------

// The year of the open year data file: its era (the earlier era, whose year 1 is 1989, or the
// new era, whose year 1 is 2019) and its era year.
struct FileYear {
    bool newEra = false;
    int eraYear = 0;
    int calendarYear() const { return eraYear + (newEra ? 2018 : 1988); }
};

// The number of days of `month` (1..12) in a calendar year; 31 for any other month number.
int daysInMonth(int calendarYear, int month);

inline constexpr std::string_view kMsgBadBonusPayMonth = "賞与支給月の入力に誤りがあります。";
inline constexpr std::string_view kMsgBadBonusPayDay = "賞与支給日の入力に誤りがあります。";

// A bonus's pay month and day as the boxes of the period choice hold them: the message for a
// month outside 1..12 or a day that its month (in the file's year) does not have; empty when
// the date is fine.
std::string_view bonusPayDateError(FileYear year, int month, int day);

// A pay date as the "%2d" texts of the pay date boxes.
struct PayDate {
    std::string year, month, day;
    bool operator==(const PayDate&) const = default;
};

// The default pay date of salary month `period` (1..12): the period's `payDay` in that month, or
// in the next when `payNextMonth` is 1 (December's pay then falls in January of the next year;
// the year after 31 of the earlier era is year 2 of the new era).  A pay day of 0 is the 1st;
// 31 means the month end, and any day past the end of its month is the month end (2/29 in leap
// years).
PayDate payDate(FileYear year, int period, const PeriodSettings& settings);

// An employee who is 在職 (workStatus 1).
bool isActiveEmployee(const EmployeeRecord& employee);

constexpr int maxEmployees() {
    return kMaxEmployees;
}

// Data of the earlier era's years 16..24 is not calculated once the current year is after 2012.
bool isUncalculatedEraYear(int currentCalendarYear, FileYear open);

// --- CSV ----------------------------------------------------------------------------------------

inline constexpr std::size_t kCsvFieldCount = 15;
inline constexpr std::size_t kCsvFieldMaxBytes = 999;

// Splits one line of a CSV file (cp932 bytes, with or without its line ending) into fields
// 1..15 (index 0 is field 1); missing fields are empty, fields after the 15th are ignored.  A
// field in double quotes may hold commas and doubled quotes ("" for one "); in an unquoted
// field a doubled quote also stands for one.  A field keeps at most 999 bytes.
std::array<std::string, kCsvFieldCount> splitCsvLine(std::string_view line);

// The same, with the number of fields the line holds (at most 15; "a,b," holds three).
struct CsvLine {
    std::array<std::string, kCsvFieldCount> fields;
    std::size_t count = 0;
};
CsvLine splitCsvLineCounted(std::string_view line);

}  // namespace keiro
