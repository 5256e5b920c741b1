#pragma once
// The grid design of the pay slip (form types 4 to 7): three bands of cells, each cell an item's
// name over its value, nine cells a line with the totals on the right.  Coordinates are
// millimetres from the slip's own origin.

#include "print/canvas.h"
#include "print/slip_data.h"

namespace keiro::print {

// The printed frame of plain paper: boxes, bands of cells with shaded name strips.
void drawGridFrame(Canvas& canvas);

// The pay date's line with its labels, printed on plain paper (the pre-printed form has them).
void drawGridPayDateLine(Canvas& canvas);

// The labels of name, section and bands, printed on every form.
void drawGridLabels(Canvas& canvas);

// What is filled in.
void drawGridValues(Canvas& canvas, const SlipData& slip);

}  // namespace keiro::print
