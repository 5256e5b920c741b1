#pragma once
// The table the pay ledger and the monthly list draw their rows in: rows 4.4 mm high from y 29,
// every other row shaded (the header row first) from x 10 to the right edge, a thick box around
// the whole, a thick line under the header row and thin lines between the columns; the row
// labels in the narrow font at x 13, and the columns of texts.

#include <string>
#include <vector>

#include "print/canvas.h"
#include "print/table_rows.h"

namespace keiro::print {

inline constexpr float kTableLeft = 10.0f;
inline constexpr float kTableTop = 29.0f;
inline constexpr float kRowHeight = 4.4f;
inline constexpr float kRowLabelX = 13.0f;

// Columns of one width from the first column line on; the row labels stand before it.
struct TableGeometry {
    float firstColumnX = 35.0f;
    float columnWidth = 0.0f;
    int columnLines = 0;  // thin lines at columnX(0) .. columnX(columnLines − 1)
    float right = 0.0f;   // the right edge
    float fontPt = 9.0f;  // the size of the labels and values

    float columnX(int column) const {
        return firstColumnX + columnWidth * static_cast<float>(column);
    }
};

// The height of the rows of a table of `rowCount` rows: kRowHeight, except that a table longer
// than kMaxTableRows shares the height of kMaxTableRows rows, so that it ends where the longest
// ordinary table ends.
float rowPitch(int rowCount);
// The top of row 0.. (row 0 is the header row) of a table of `rowCount` rows.
float rowTop(int row, int rowCount);
// Where the text of a value or a label of the row starts (its top).
float rowTextY(int row, int rowCount);

// Shading, box and lines for `rowCount` rows.  Leaves the thin pen set.
void drawTableFrame(Canvas& canvas, int rowCount, const TableGeometry& geometry);

// The labels of the rows below the header, in the narrow font of the table's size, each within
// the space before the first column line.
void drawRowLabels(Canvas& canvas, const std::vector<TableRow>& rows,
                   const TableGeometry& geometry);

// One column of texts (one per row of the table), texts[i] in row i starting at x, each within
// widthMm; empty texts draw nothing.  Uses the canvas's current font.
void drawColumnTexts(Canvas& canvas, const std::vector<std::string>& texts, float x, float widthMm);

}  // namespace keiro::print
