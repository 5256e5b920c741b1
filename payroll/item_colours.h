#pragma once
// The colours that mark how a pay item is set, shared by the windows that show items.

#include <QColor>

namespace keiro::payroll {

// The "disabled" colour of the pay slip layouts (the colour value 14540236, stored
// blue-green-red): items set automatically in the individual entry window and its legend
// 自動セット項目, the grid cells that are not for their employee, and the layout windows' sample.
inline const QColor kAutomaticItemColour(204, 221, 221);

// The text of an automatic item switched to hand entry.
inline const QColor kHandEnteredTextColour(Qt::red);

}  // namespace keiro::payroll
