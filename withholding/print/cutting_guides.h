#pragma once
// The lines along which a sheet of copies is cut apart, drawn when the setting PrintLine is on:
// between the two side-by-side copies of the slip and the report, also between the upper and
// lower copies of the legacy slip, and between the two refund notices.

#include "print/canvas.h"

namespace keiro::withholding {

enum class GuideLayout { SideBySide, FourCopies, Notices };

// Drawn with the thin pen at the sheet's own origin.
void drawCuttingGuides(print::Canvas& canvas, GuideLayout layout);

}  // namespace keiro::withholding
