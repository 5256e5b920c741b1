#pragma once
// The ruled form of one current-format copy (slip or payment report): title, outer box, every
// ruling and every printed label, drawn with the thin pen.  The entries go on top of it
// (slip_entries.h).

#include "print/canvas.h"
#include "withholding/print/slip_copy.h"

namespace keiro::withholding {

void drawSlipFrame(print::Canvas& canvas, const SlipCopy& copy);

// The width of each box of the row of single amounts.
float singleBoxWidth(const FormEdition& edition);

}  // namespace keiro::withholding
