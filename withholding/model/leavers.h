#pragma once
// Employees who left during the year and whose payroll row was removed before December.  They
// are in earlier periods of the year file but not in December's master, yet they still need a
// 源泉徴収票 and a 給与支払報告書.  Each is placed in a slot that is free in December (in the
// order they first appear in the year) and shown there as an employee with work status 退職,
// taken from the latest period that holds them: the December master of the YearView in memory
// is completed (the year file itself is never written), so the list, the editor, printing and
// the calculation by recordId see the leaver like any other employee without knowing.  The
// record of that slot keeps the leaver's recordId (leaverRecordId), so that later openings put
// the leaver back in the same slot; if December has meanwhile given that slot to someone else,
// the leaver's record moves to another free slot and the slot's new employee starts afresh.
// Only the 1500-byte records can keep a leaver; the years before 平成28 are left as they are.
// When December has no free slot left, a leaver is not shown.

#include <string>
#include <vector>

#include "core/year_view.h"
#include "withholding/model/withholding_file.h"

namespace keiro::withholding {

struct PlacedLeaver {
    int slot = 0;
    std::string recordId;  // code page 932 bytes
};

// The leavers of `year` not yet in December, each placed into December of `year` in a free slot
// (the file's records are not touched).  Used when the withholding file is built.
std::vector<PlacedLeaver> placeNewLeavers(YearView& year, const WithholdingFile* file = nullptr);

// Puts the leavers a saved file keeps back into December of `year`, moving a leaver whose slot
// December now uses, and places the leavers found since (their records start afresh).
void completeWithLeavers(YearView& year, WithholdingFile& file);

}  // namespace keiro::withholding
