#pragma once
// The rules of the employee master editor that need no window: the checks made before an
// employee is stored, storing the record into the open period with its key, and the template
// that new employees start from ("社員情報.dat" in the data folder).

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/payroll_period.h"
#include "core/records.h"

namespace keiro {

inline constexpr std::string_view kEmployeeTemplateFileName = "社員情報.dat";

inline constexpr std::string_view kMsgNameRequired = "氏名を入力して下さい。";
inline constexpr std::string_view kMsgMyNumberInvalid = "マイナンバーの入力に誤りがあります。";
inline constexpr std::string_view kMsgMyNumberCheckDigit =
    "マイナンバーの入力に誤りがあります。12桁目の検査用数字が合いません。番号を確かめてください。";
inline constexpr std::string_view kMsgDuplicateCode = "社員コードが重複しています。";
inline constexpr std::string_view kMsgDropChanges =
    "変更した内容は保存されていません。保存せずに閉じますか？";
inline constexpr std::string_view kMsgDependantsNotCounted =
    "扶養人数が入力されていますが、扶養親族等の数が0人です。源泉所得税は扶養親族等の数で"
    "計算されます。このまま登録しますか？";
inline constexpr std::string_view kMsgNoFreeSlot =
    "社員数が上限(100人)に達しているため登録できません。";
inline constexpr std::string_view kMsgChangedNoMove = "データ内容に変更がある場合は出来ません。";

// The entries of the 社員区分 list; EmployeeRecord::category is an entry's number (1..5), or 0
// when the user typed a text of their own (categoryText).
inline constexpr std::array<std::string_view, 5> kEmployeeCategories{"役員", "一般社員", "臨時社員",
                                                                     "パート", "アルバイト"};

// The entries of the 支給形態 list; EmployeeRecord::payForm is an entry's number (1..3).
inline constexpr std::array<std::string_view, 3> kPayForms{"月給", "日給", "時間給"};

// 社員区分, 支給形態 and 就業形態 of a new employee without a template file: 一般社員, 月給, 在職.
inline constexpr std::uint8_t kDefaultCategory = 2;
inline constexpr std::uint8_t kMonthlyPay = 1;
inline constexpr std::uint8_t kEmployed = 1;
inline constexpr int kMyNumberDigits = 12;

// --- checks before storing ---------------------------------------------------------------------

// The box a failed check sends the user back to.
enum class EmployeeField { Name, MyNumber, EmployeeCode };

struct EmployeeCheckFailure {
    EmployeeField field;
    std::string_view message;
};

// The checks of OK, in order: a name that is not blank; a My Number that is empty or exactly
// twelve digits (`myNumberText` as typed); an employee code (blanks around it ignored) that no
// other employee of the period has.  The other employees are the used slots whose key differs
// from `entered.recordId`, so an employee never clashes with itself and every used slot counts
// for a new one.  An empty code never clashes.
std::optional<EmployeeCheckFailure> checkEmployeeEntry(const PeriodBlock& block,
                                                       const EmployeeRecord& entered,
                                                       std::string_view myNumberText);

// A My Number box may be empty or hold a number of twelve digits whose check digit matches.
bool isValidMyNumberText(std::string_view myNumberText);
// Why a My Number box's text is refused (kMsgMyNumberInvalid or kMsgMyNumberCheckDigit); empty
// when it is not.
std::string_view myNumberProblem(std::string_view myNumberText);

// Whether an in-use slot other than the employee with key `recordId` has this code.
bool isEmployeeCodeTaken(const PeriodBlock& block, std::string_view codeUtf8,
                         std::string_view recordId);

// --- My Number ---------------------------------------------------------------------------------

// The box text of a stored number: twelve digits with leading zeros; empty for 0 (none).
std::string formatMyNumber(std::int64_t value);
// The number of a box text of at most 18 digits (empty is 0); nothing for any other text.
std::optional<std::int64_t> parseMyNumber(std::string_view text);

// --- storing -----------------------------------------------------------------------------------

// The lowest free slot (1..100); nothing when all are in use.
std::optional<int> firstFreeSlot(const PeriodBlock& block);

// The key "yymmdd_hhnnss" of a moment, in local time (as the system log stamps its lines).
std::string recordKeyAt(std::chrono::system_clock::time_point moment);

// A text field from a box: unchanged text keeps the field's bytes (so text that was read damaged
// is not re-encoded); new text is stored cut to the field.  The bytes after the text are zeroed
// either way.  Throws text::EncodingError for new text without a code page 932 form.
template <std::size_t N>
void storeText(PStr<N>& field, std::string_view utf8) {
    if (utf8 != field.utf8()) field.assign(utf8);
    field.clearTail();
}

// What every stored record gets: a birth year of 0 clears era, month and day, and the bytes the
// record does not use are zeroed (176–195, 573–699 and the padding between fields).
void normaliseEmployee(EmployeeRecord& record);

// Where OK put the employee.
struct StoredEmployee {
    EmployeeId employee;   // as stored
    bool created = false;  // a new employee: the key was made now
};

// Stores an entered employee into the open period: over `employee`, or as a new employee when
// `employee` is empty (PayrollPeriod::addEmployee: the lowest free slot, the month started as
// a new employee's).  A record without a key gets `newKey`; what the user entered is kept whole
// (only the period's remarks, which belong to another employee's month, are cleared).  Nothing
// when no slot is free (the period is unchanged).  Throws std::invalid_argument when
// `employee` is not in the period.
std::optional<StoredEmployee> storeEmployee(PayrollPeriod& period, const EmployeeId& employee,
                                            EmployeeRecord record, std::string_view newKey);

// --- the new-employee template -----------------------------------------------------------------

// A zeroed record with 社員区分 2 (一般社員), 支給形態 1 (月給) and 就業形態 1 (在職).
EmployeeRecord defaultEmployeeTemplate();

std::filesystem::path employeeTemplatePath(const std::filesystem::path& dataFolder);

// What belongs to one person only and never to a template: name, kana, key, employee code,
// remembered grade, the period's remarks and the slip PDF password.
void clearPersonalFields(EmployeeRecord& record);

// The template from the data folder: the 700 bytes of "社員情報.dat" when the file holds exactly
// one record (its personal fields cleared), else the default.  A file of another size is
// ignored.  Throws IoError when the file exists but cannot be read.
EmployeeRecord loadEmployeeTemplate(const std::filesystem::path& dataFolder);

// Writes `record` as the template, its personal fields cleared (atomically, mode 0600).
// Throws IoError.
void saveEmployeeTemplate(const std::filesystem::path& dataFolder, EmployeeRecord record);

// Removes the template file; false when there was none.  Throws IoError when it cannot be
// removed.
bool removeEmployeeTemplate(const std::filesystem::path& dataFolder);

// --- changes -----------------------------------------------------------------------------------

// Byte-for-byte equality: the editor's test for unsaved changes.
bool sameBytes(const EmployeeRecord& a, const EmployeeRecord& b);

}  // namespace keiro
