#pragma once
// Text that must stay within a width: a column of a table, the space before the next column.
// It is drawn as it is when it fits; a longer text (an unusually large sum, a long name the user
// gave an item) is drawn with the font made smaller until it does, so it never runs over the line
// beside it.  A shrunk text ends exactly at x + width, where a right-aligned figure of full width
// ends, so columns of figures stay aligned.

#include <string_view>

#include "print/canvas.h"

namespace keiro::print {

// The width of a text in the current font, in millimetres (one pitch a code page 932 byte).
float textWidth(const Canvas& canvas, std::string_view utf8);

// Draws the text at (x, y) within widthMm; the canvas's font is the same afterwards.
void putTextWithin(Canvas& canvas, std::string_view utf8, float x, float y, float widthMm);

}  // namespace keiro::print
