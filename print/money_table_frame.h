#pragma once
// The page the transfer list and the denomination table share, on A4 landscape: the title with
// the period beside it, the heading, and a table of a header row and thirty rows of 5 mm, the
// header row and every second row after it shaded, in a thick box with a thick line under the
// header and thin column lines.  The rows' texts are the reports' own.

#include <span>
#include <string_view>

#include "print/canvas.h"

namespace keiro::print {

inline constexpr int kMoneyRowsPerPage = 30;
inline constexpr float kMoneyTableLeft = 18.0f;

struct ColumnHeader {
    std::string_view text;
    float x;
};

struct MoneyTableLayout {
    std::string_view title;
    float right;       // the box's and the shading's right edge
    float bottom;      // the box's bottom edge
    float totalLineY;  // a thick line above a total row; 0 for none
    std::span<const float> columnLines;
    std::span<const ColumnHeader> headers;
};

struct MoneyTablePage {
    std::string_view company;
    std::string_view periodCaption;  // "[令和8年 7月分給与]"
    std::string_view printDate;
    int page = 1;
    int pages = 1;
};

// Draws everything but the rows and leaves the canvas with the rows' font: 10 pt, narrow.
void drawMoneyTableFrame(Canvas& canvas, const MoneyTableLayout& layout,
                         const MoneyTablePage& page);

// Where the texts of a row go: row 0 is the header row, 1..30 the table's rows, 31 the total
// row of the denomination table.
float moneyRowTextY(int row);

}  // namespace keiro::print
