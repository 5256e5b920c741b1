#pragma once
// The part of the open period that lives in the year file's header rather than in the period's
// block: a bonus's pay month and day.  The unsaved-change question must see a change of them
// as well as a change of the block.

#include "core/yearfile.h"

namespace keiro {

// Whether the open bonus period's pay month or day differs from the file's header (always
// false for a month, and when no period is open).  A file that cannot be read is an IoError.
bool isOpenHeaderModified(const YearData& year);

}  // namespace keiro
