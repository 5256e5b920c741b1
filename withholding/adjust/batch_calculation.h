#pragma once
// The automatic year-end calculation of many employees in one call (一括計算), exactly as the
// editor's 自動計算 does it for one (automatic_calculation.h), with a summary for the clerk:
// how many were calculated, how many are not adjusted and how many were refused, with the
// reason.  A refused slot (no employee there, a result outside the record's fields) keeps its
// record unchanged; the others are calculated all the same.

#include <cstdint>
#include <string>
#include <vector>

#include "core/year_view.h"
#include "withholding/calc/year_end_calc.h"
#include "withholding/model/withholding_file.h"

namespace keiro::withholding {

struct SlotOutcome {
    int slot = 0;
    YearEndStatus status = YearEndStatus::Unprocessed;         // the record's status afterwards
    std::int64_t annualTax = 0, withheld = 0, difference = 0;  // of the record afterwards
    std::string refusal;  // why the slot was not calculated, in Japanese; empty unless refused
};

struct BatchResult {
    std::vector<SlotOutcome> outcomes;  // one per slot given, in the order given
    int calculated = 0, notAdjusted = 0, refused = 0;
};

BatchResult calculateAll(WithholdingFile& file, const YearView& year, const std::vector<int>& slots,
                         int dataYear, bool roundTaxTo100);

// The slots of December that hold an employee, 1..100 in order: what "every employee" means.
std::vector<int> occupiedSlots(const YearView& year);

}  // namespace keiro::withholding
