// Full pages of the transfer list, the denomination table and the roster filled with the widest
// data people have: every text of the table stays between its column lines and inside the box,
// and the box stays on the paper.
#include <gtest/gtest.h>

#include <sstream>

#include "core/text.h"
#include "print/denomination_report.h"
#include "print/recording_canvas.h"
#include "print/roster_report.h"
#include "print/transfer_list_report.h"
#include "tests/print/table_fixture.h"

namespace keiro::print {
namespace {

using testing::kPrintDate;
using testing::TablePeriod;

constexpr float kPixelsPerMm = 10.0f;
// The tables' texts are narrow 10 pt: 3/7 of the cell height a character.
const float kPitchPx = pointsToMm(10) / 7 * 3 * kPixelsPerMm;

struct Vertical {
    int x, top, bottom;
};

// The column lines and the box edges of a recording.
std::vector<Vertical> verticals(const std::string& recording) {
    std::vector<Vertical> out;
    std::istringstream lines(recording);
    std::string kind;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        fields >> kind;
        if (kind != "line" && kind != "box") continue;
        fields >> x1 >> y1 >> x2 >> y2;
        if (kind == "box") {
            out.push_back({x1, y1, y2});
            out.push_back({x2, y1, y2});
        } else if (x1 == x2) {
            out.push_back({x1, y1, y2});
        }
    }
    return out;
}

// Every text inside the table ends before the next column line (its last cell may touch it).
void expectTextsInsideTheirColumns(const Report& report) {
    RecordingCanvas canvas(printerDevice({254, 254, 0, 0}));
    report.drawPage(canvas, 1, {});
    const std::vector<Vertical> lines = verticals(canvas.recording());
    ASSERT_FALSE(lines.empty());
    int checked = 0;
    for (const std::vector<Glyph>& text : canvas.texts()) {
        const Glyph& last = text.back();
        const int start = text.front().at.x;
        const auto width = text::widthCharacters(last.character).front().width;
        const float end = static_cast<float>(last.at.x) + static_cast<float>(width) * kPitchPx;
        for (const Vertical& v : lines) {
            const int y = text.front().at.y;
            if (y < v.top || y > v.bottom) continue;
            ++checked;
            EXPECT_FALSE(start < v.x && end > static_cast<float>(v.x) + 1)
                << "a text from x " << start << " to " << end << " crosses the line at " << v.x;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(FullPagesTest, TransferListTextsStayInTheirColumns) {
    TablePeriod period;
    period.addLongest(30, 0);
    expectTextsInsideTheirColumns(
        TransferListReport(*period.block, "[令和8年 12月分給与]", kPrintDate));
}

TEST(FullPagesTest, DenominationTableTextsStayInTheirColumns) {
    TablePeriod period;
    period.addLongest(30, 1);
    const DenominationReport report(*period.block, "[令和8年 12月分給与]", kPrintDate, {}, true);
    ASSERT_EQ(report.pageCount(), 1);  // the total row on this page too
    expectTextsInsideTheirColumns(report);
}

TEST(FullPagesTest, RosterTextsStayInTheirColumns) {
    TablePeriod period;
    period.addLongest(10, 0);
    expectTextsInsideTheirColumns(RosterReport(*period.block, ItemNames{}, kPrintDate));
}

}  // namespace
}  // namespace keiro::print
