#pragma once
// The cells of the grid design.  Its items stand in a fixed order of its own, nine to a line;
// an item is shown only when the layout of the employee's pay form prints it, and a blank entry
// or an item not printed takes no cell, so the items of a line close up to the left.  Each line
// starts with its own entry whatever the line before showed.  The totals stand in fixed cells.

#include "print/slip_data.h"

namespace keiro::print {

inline constexpr int kGridColumns = 9;  // the last is the total column

// The cells of the employee in `slot`, with the totals of `slip` (pay, deduction, other, net).
SlipGrid collectGrid(const SlipPeriod& period, int slot, const SlipData& slip);

}  // namespace keiro::print
