#pragma once
// The one conversion of a 500-byte record into a 1500-byte one, made when the first year with
// the larger records (平成28) is built from the year before.  What the year-end work of the new
// year takes over is carried field by field; the year's amounts, the remarks, the hand-entry
// flags and the status are not (the new year computes its own).

#include "withholding/model/records.h"

namespace keiro::withholding {

// Fills `out` (cleared first) from `legacy`.
void convertLegacyRecord(const LegacyWithholdingRecord& legacy, WithholdingRecord& out);

}  // namespace keiro::withholding
