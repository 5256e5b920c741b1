#pragma once
// Which employees' year-end 過不足 go into a pay period: every chosen employee whose year is
// calculated (計算済), with the annual tax less the tax withheld, split by whether the period
// pays that employee.  Someone the period does not pay (a leaver adjusted for one of the law's
// exceptions, an employee on leave) is listed apart, for the clerk to settle another way,
// instead of stopping the settlement of everyone else.

#include <string>
#include <vector>

#include "core/year_end_settlement.h"
#include "withholding/model/withholding_file.h"

namespace keiro::withholding {

struct SettlementLine {
    int slot = 0;      // the withholding slot
    std::string name;  // December's master (or the leaver's last one)
    SettlementEntry entry;
};

struct SettlementPlan {
    std::vector<SettlementLine> payable;
    std::vector<SettlementLine> notPaidInPeriod;
};

// `slots` in the order given (1..100), each employee as `master` (December, leavers placed)
// holds it; `paying` is the pay period as saved on disk (read it afresh: the payroll program
// may have saved it since the year was opened).
SettlementPlan planSettlement(const WithholdingFile& file, const PeriodBlock& master,
                              const PeriodBlock& paying, const std::vector<int>& slots);

// The entries of the lines, for the writer.
std::vector<SettlementEntry> entriesOf(const std::vector<SettlementLine>& lines);

}  // namespace keiro::withholding
