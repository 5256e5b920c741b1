#pragma once
// Whether a withholding record is one the program could have written: the statuses, flags,
// counts and dates in their ranges, the amounts within what a box takes, the texts within their
// fields and readable in code page 932.  A file of the right size holding anything else is
// damaged, and is refused rather than shown (every employee "不要") and saved back.

#include <string>

#include "withholding/model/records.h"

namespace keiro::withholding {

// The first field that is not sound, as "12人目: 摘要"; empty when the record is sound.
std::string withholdingRecordProblem(const WithholdingRecord& record, int slot);

}  // namespace keiro::withholding
