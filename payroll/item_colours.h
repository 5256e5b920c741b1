#pragma once
// The colours that mark how a pay item is set, shared by the windows that show items.

#include <QColor>

namespace keiro::payroll {

// The "disabled" colour of the pay slip layouts (the colour value 14540236, stored
// blue-green-red): items set automatically in the individual entry window and its legend
// 自動セット項目, the grid cells that are not for their employee, and the layout windows' sample.
inline const QColor kAutomaticItemColour(204, 221, 221);

// The slip layout windows: the teal handle column rows are dragged by (colour value 8421376)
// with white text, and the grey text of an item not used on the chosen pay form (8421504).
inline const QColor kLayoutHandleColour(0, 128, 128);
inline const QColor kLayoutHandleTextColour(Qt::white);
inline const QColor kUnusedItemTextColour(128, 128, 128);

// The text of an automatic item switched to hand entry.
inline const QColor kHandEnteredTextColour(Qt::red);

}  // namespace keiro::payroll
