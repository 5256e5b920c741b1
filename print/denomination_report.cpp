#include "print/denomination_report.h"

#include <array>
#include <cstdio>
#include <utility>

#include "core/entry.h"

namespace keiro::print {
namespace {

constexpr float kRight = 269.5f;
constexpr float kBottom = 189.0f;
constexpr float kTotalLine = 184.0f;
constexpr int kTotalRow = kMoneyRowsPerPage + 1;

// Columns of the code, the name and the reading, then one 15 mm column per denomination and
// the net pay after them.
constexpr float kFirstCountColumn = 95.0f;
constexpr float kCountColumnWidth = 15.0f;

constexpr std::array<float, 13> columnLines() {
    std::array<float, 13> lines{37, 70};
    for (int k = 0; k <= kDenominationCount; ++k) {
        lines[static_cast<std::size_t>(k) + 2] = kFirstCountColumn + kCountColumnWidth * k;
    }
    return lines;
}
constexpr std::array<float, 13> kColumnLines = columnLines();

constexpr std::array<ColumnHeader, 14> headers() {
    std::array<ColumnHeader, 14> h{{{"社員ｺｰﾄﾞ", 21}, {"社 員 名", 45}, {"フリガナ", 76}}};
    for (int d = 0; d < kDenominationCount; ++d) {
        h[static_cast<std::size_t>(d) + 3] = {kDenominations[static_cast<std::size_t>(d)].heading,
                                              98 + kCountColumnWidth * d};
    }
    h[13] = {" 支給額合計", 248};
    return h;
}
constexpr std::array<ColumnHeader, 14> kHeaders = headers();

std::string pieceCountText(long long count) {
    char text[32];
    std::snprintf(text, sizeof text, "%3lld", count);
    return text;
}

// A number right-aligned in `places` characters from x; one that needs more places (a total of
// four-digit counts, of a hundred million yen) grows to the left, so the last digits still line
// up with the column's.
void putRightAligned(Canvas& canvas, const std::string& number, std::size_t places, float x,
                     float y) {
    const std::size_t extra = number.size() > places ? number.size() - places : 0;
    canvas.putText(number, x - canvas.pitch() * static_cast<float>(extra), y);
}

}  // namespace

DenominationReport::DenominationReport(const PeriodBlock& block, std::string periodCaption,
                                       std::chrono::year_month_day printDate,
                                       const PrintChoices& choices, bool use2000YenNotes)
    : MoneyTableReport(block, choices.allEmployees ? PaidBy::Either : PaidBy::Cash,
                       std::move(periodCaption), printDate),
      use2000YenNotes_(use2000YenNotes) {
    for (const PaidEmployee& paid : employees()) {
        const DenominationCounts counts = breakDown(paid.netPay, use2000YenNotes_);
        for (int d = 0; d < kDenominationCount; ++d) totals_.counts[d] += counts[d];
        if (paid.netPay > 0) totals_.netPay += paid.netPay;
    }
}

MoneyTableLayout DenominationReport::layout() const {
    return {"給与/賞与支払金種表", kRight, kBottom, kTotalLine, kColumnLines, kHeaders};
}

void DenominationReport::drawAmounts(Canvas& canvas, const DenominationCounts& counts,
                                     long long netPay, float y) const {
    for (int d = 0; d < kDenominationCount; ++d) {
        const float x = 100 + kCountColumnWidth * static_cast<float>(d);
        if (d == k2000YenNote && !use2000YenNotes_) {
            canvas.putText(" - ", x, y);
        } else {
            putRightAligned(canvas, pieceCountText(counts[d]), 3, x, y);
        }
    }
    putRightAligned(canvas, formatAmount(10, netPay), 10, 249, y);
}

void DenominationReport::drawRow(Canvas& canvas, const PaidEmployee& paid, float y) const {
    const EmployeeRecord& e = paid.employee;
    canvas.putText(e.employeeCode.utf8(), 20, y);
    canvas.putText(e.name.utf8(), 38, y);
    canvas.putText(e.nameKana.utf8(), 71, y);
    drawAmounts(canvas, breakDown(paid.netPay, use2000YenNotes_), paid.netPay, y);
}

void DenominationReport::drawLastPageEnd(Canvas& canvas) const {
    const float y = moneyRowTextY(kTotalRow);
    canvas.putText("合　計", 22.5f, y);
    drawAmounts(canvas, totals_.counts, totals_.netPay, y);
}

}  // namespace keiro::print
