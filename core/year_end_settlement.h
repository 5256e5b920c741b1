#pragma once
// Settling the year-end adjustment in pay: the withholding program writes each adjusted
// employee's 過不足 (annual tax less the tax withheld; positive is collected, negative refunded)
// into the 年調過不足 of one pay period of the year file.  The payroll calculation carries that
// amount as stored and counts it in 控除合計, so writing it moves the deduction total and the
// net pay by exactly the change, and a later recalculation in the payroll program gives the
// same net pay.
//
// The writer refuses, with a sentence for the clerk, rather than write something the payroll
// program would lose or contradict: a period never saved (the payroll program rebuilds such a
// period from the month before and would drop the amounts), the payroll program running on the
// data folder (its next save of the open period would write its own copy over the file), an
// employee missing from the period or not 在職 in it (the calculation empties the deductions of
// such an employee), and an amount outside what the file's amounts may hold.  File failures
// are IoErrors.  The file is replaced in one atomic save; a refusal writes nothing.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/records.h"

namespace keiro {

struct SettlementEntry {
    std::string recordId;  // as in EmployeeRecord (UTF-8 of the stored text)
    std::int64_t amount = 0;
};

struct SettledEmployee {
    int slot = 0;
    std::string name;  // as the period holds it, UTF-8
    std::int64_t amount = 0;
    std::int64_t netPayBefore = 0, netPayAfter = 0;
};

// A settlement the writer will not make; what() is the message to show.
class SettlementRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The lock the payroll program holds on its data folder while it runs (a QLockFile: the first
// line is the holder's process id, the third its host name).
inline constexpr std::string_view kPayrollLockFileName = ".Keiro.lock";

// Whether a running payroll program holds the lock of the folder.  A lock left by a process that
// has gone is not held; a lock taken on another host cannot be checked and counts as held.
bool payrollProgramHoldsFolder(const std::filesystem::path& dataFolder);

// Writes each entry's amount into the 年調過不足 of the employee with that recordId in period
// `period` (1..15) of the year file, replacing an earlier settlement, and moves 控除合計 by the
// change; one atomic save of the file.  Returns what was written, in slot order.
std::vector<SettledEmployee> settleYearEnd(const std::filesystem::path& yearFile, int period,
                                           const std::vector<SettlementEntry>& entries);

// The same checks and results without writing anything (the payroll program's lock is not
// asked: nothing is written).
std::vector<SettledEmployee> previewYearEndSettlement(const std::filesystem::path& yearFile,
                                                      int period,
                                                      const std::vector<SettlementEntry>& entries);

// The settlement applied to a block in memory (what both of the above do after reading the
// period): SettlementRefused for an entry the block cannot take, and then the block unchanged.
std::vector<SettledEmployee> applySettlement(PeriodBlock& block, int period,
                                             const std::vector<SettlementEntry>& entries);

}  // namespace keiro
