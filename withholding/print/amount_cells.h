#pragma once
// Amounts as the slip and the payment report print them: no separators, but three-digit groups
// that fall into the printed form's columns (the 円 column, the 千 column, the one before), in
// one of three cell styles.
//
// A cell starts at its x and ends `width` further right; its groups end `spacing` apart from
// the cell's end leftwards, and each group's text starts 5.5 mm before its group's end.  The
// last three digits are printed "%.3d" above 999 (leading zeros inside the amount), else "%3d";
// the thousands group only above 999, "%.3d" above 999,999, else "%3d"; the millions group only
// when not zero, "%3d" — in the small deduction cells "%3d," from 4 mm right of its group's end,
// as those cells hold millions and thousands in one column.

#include <string>
#include <vector>

#include "print/canvas.h"

namespace keiro::withholding {

enum class AmountStyle {
    Main,  // 支払金額, 給与所得控除後の金額, 所得控除の額の合計額, 源泉徴収税額
    Spouse,     // 配偶者(特別)控除の額
    Deduction,  // the deduction amounts and their breakdowns
};

struct AmountGroup {
    std::string text;
    float x = 0.0f;  // from the cell's x
    bool operator==(const AmountGroup&) const = default;
};

// The texts of an amount and where each starts, highest group first.  A negative amount (the
// calculation never gives one) carries its sign before the highest group.
std::vector<AmountGroup> amountGroups(AmountStyle style, long long amount);

// The cell's width, the distance between its groups' ends and the font its amounts are drawn in.
float amountCellWidth(AmountStyle style);
float amountGroupSpacing(AmountStyle style);
print::FontInfo amountFont(AmountStyle style);

// Whether the amount's groups fit the form's columns: up to 999,999,999, and up to 999,999 in
// the spouse's cell, which has no millions column.
bool fitsAmountColumns(AmountStyle style, long long amount);

// Draws the amount's groups in the cell at (x, y) with the style's font.  An amount beyond the
// columns (a hand-entered figure no adjustment gives) is drawn whole with separators instead,
// made small enough to stay inside the cell.
void putStyledAmount(print::Canvas& canvas, AmountStyle style, long long amount, float x, float y);

// A plain amount with thousands separators ending at `right` (the small boxes of the breakdown
// rows and the notice), in the canvas's current font.
void putAmountEndingAt(print::Canvas& canvas, long long amount, float right, float y);

}  // namespace keiro::withholding
