#pragma once
// Each saved period's 総支給 and 控除 of a year, for one employee or for the whole company: the
// figures of the year's bar chart.  The open period counts as it stands in memory, saved or not.

#include <cstdint>
#include <string>
#include <vector>

#include "core/items.h"
#include "core/records.h"
#include "core/year_view.h"

namespace keiro::print {

struct PeriodTotals {
    int period = 0;
    std::string label;     // "１月給与" … "冬期賞与", as the ledger heads its columns
    std::int64_t pay = 0;  // 支給合計
    std::int64_t deductions = 0;  // 控除合計
};

struct OpenPeriod {
    int period = 0;  // 0: none open
    const PeriodBlock* block = nullptr;
};

// Months 1..12, then the bonuses, each only when saved (or open).  `recordId` (the stored
// bytes) picks one employee, matched in every period by it; empty counts everyone.
std::vector<PeriodTotals> yearTotals(const YearView& year, OpenPeriod open,
                                     const std::string& recordId, const ItemNames& names);

}  // namespace keiro::print
