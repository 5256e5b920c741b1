#pragma once
// The colours that mark how a pay item is set, shared by the windows that show items.

#include <QColor>

namespace keiro::payroll {

// Items set automatically: the read-only boxes of the individual entry window and its legend
// 自動セット項目, and the sample of the pay slip layout windows (the colour value 14540236, stored
// blue-green-red).
inline const QColor kAutomaticItemColour(204, 221, 221);

// The text of an automatic item switched to hand entry.
inline const QColor kHandEnteredTextColour(Qt::red);

}  // namespace keiro::payroll
