#pragma once
// The pay ledger and the monthly list as the print and export commands make them, from a saved
// period and the settings of --root, exactly as the print dialog would.

#include <vector>

#include "print/ledger_report.h"
#include "print/monthly_list_report.h"
#include "tools/print_common.h"

namespace keiro::tool {

// --method 0 通常, 1 社員区分別, 2 部署別; 通常 when it is missing.
print::ListMethod listMethodFrom(const Args& args);

print::MonthlyListReport monthlyListReport(const SavedPeriod& saved, print::ListMethod method);

// One page per slot of the saved period, in the order given; the figures of every period come
// from the year file on disk.
print::LedgerReport ledgerReport(const SavedPeriod& saved, const std::vector<int>& chosen);

}  // namespace keiro::tool
