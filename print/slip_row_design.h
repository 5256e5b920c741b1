#pragma once
// The row design of the pay slip (form types 0 to 3): four bands of named rows, the net pay,
// the payment box and the year-to-date block, one slip in an A5-landscape area.  Coordinates
// are millimetres from the slip's own origin.

#include "print/canvas.h"
#include "print/slip_data.h"

namespace keiro::print {

// The printed frame of plain paper: boxes, shaded strips, labels.  The payment box is headed by
// the payment method (cash or transfer).
void drawRowFrame(Canvas& canvas, bool cash);

// What is filled in.  On the pre-printed form a cash-paid employee's net pay goes below the
// payment box, into the form's own cash field.
void drawRowValues(Canvas& canvas, const SlipData& slip, bool preprinted);

}  // namespace keiro::print
