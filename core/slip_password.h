#pragma once
// The password that protects an employee's pay-slip PDFs when they are handed over
// electronically.  The employee may choose one (entered in the employee editor); for an employee
// without one the program makes one from the system's cryptographic random source, keeps it in
// the record and prints it once on a hand-over notice.  A password is never derived from
// anything about the employee (a birth date, a code), which anyone in the office could guess.
//
// The password is kept as the encryption needs it, in plain text, in the year file that already
// holds the pay and the My Number (readable by its owner only).

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/payroll_period.h"
#include "core/records.h"

namespace keiro {

inline constexpr std::size_t kSlipPasswordMinLength = 8;
inline constexpr std::size_t kSlipPasswordMaxLength = 22;    // what the record holds
inline constexpr std::size_t kGeneratedPasswordLength = 14;  // about 77 bits
// Letters and digits that cannot be mistaken for one another when read off paper or typed
// from it: no 0/O/o, 1/l/I, 5/S, 2/Z, 8/B, 9/q, u/v.
inline constexpr std::string_view kGeneratedPasswordAlphabet =
    "ACDEFGHJKLMNPQRTUVWXYabcdefghijkmnprstwxyz3467";

inline constexpr std::string_view kMsgPasswordCharacters =
    "PDFのパスワードは半角の英数字と記号（空白を除く）で入力してください。";
inline constexpr std::string_view kMsgPasswordTooShort =
    "PDFのパスワードは8文字以上で入力してください。";
inline constexpr std::string_view kMsgPasswordTooLong =
    "PDFのパスワードは22文字以内で入力してください。";

// What is wrong with a password as typed, or nothing.  An empty text is right (no password);
// otherwise 8 to 22 printable ASCII characters other than the blank.
std::optional<std::string_view> slipPasswordProblem(std::string_view text);

// A new password of kGeneratedPasswordLength characters of the alphabet above, each drawn
// evenly from the kernel's random source (getrandom).  Throws std::runtime_error when the source
// fails; never falls back to anything weaker.
std::string generateSlipPassword();

std::string slipPasswordOf(const EmployeeRecord& record);
bool hasSlipPassword(const EmployeeRecord& record);
// Stores a password (already checked) and whether the program made it; an empty text removes
// the password.
void setSlipPassword(EmployeeRecord& record, std::string_view password, bool generated);

struct StoredSlipPassword {
    std::string password;
    bool generated = false;
};
using SlipPasswordsByKey = std::map<std::string, StoredSlipPassword>;

// The passwords the employees have in the saved periods of a year file other than `period`,
// by record key (code page 932 bytes).  When several periods hold one, the latest period in
// file order wins.  Throws IoError when the file cannot be read.
SlipPasswordsByKey slipPasswordsElsewhere(const std::filesystem::path& yearFile, int period);

// Where the password of one employee comes from.
enum class PasswordSource {
    Record,       // the period's own record had it
    OtherPeriod,  // taken over from another period of the year (already handed over)
    Generated,    // new: it must be saved and handed over
};

struct SlipPasswordChoice {
    int slot = 0;
    std::string password;
    PasswordSource source = PasswordSource::Record;
};

// The password of every chosen slot, in order: the record's own, else the same employee's in
// another period (`elsewhere`), else a new one.  A stored password that fails the checks (a
// damaged record) counts as none.  Those not from the record are stored in the employee's
// record of the period, which must then be saved before any file is encrypted with them.
std::vector<SlipPasswordChoice> assignSlipPasswords(PayrollPeriod& period,
                                                    const std::vector<int>& slots,
                                                    const SlipPasswordsByKey& elsewhere);
// The same into a saved period's block read on its own (keiro-tool's slip PDFs).
std::vector<SlipPasswordChoice> assignSlipPasswords(PeriodBlock& block,
                                                    const std::vector<int>& slots,
                                                    const SlipPasswordsByKey& elsewhere);

// Whether any choice changed the block (it then needs saving), and how many are new.
bool passwordsNeedSaving(const std::vector<SlipPasswordChoice>& choices);
int generatedCount(const std::vector<SlipPasswordChoice>& choices);

}  // namespace keiro
