#include "print/ledger_report.h"

#include <stdexcept>

#include "print/fitted_text.h"
#include "print/raised_layout.h"
#include "print/report_heading.h"
#include "print/table_frame.h"

namespace keiro::print {
namespace {

// Fifteen period columns 15.5 mm wide from x 35, the total column after them up to 285 mm; at
// 8 pt the ten characters of an amount fit a column.
constexpr float kColumnWidth = 15.5f;
constexpr TableGeometry kTable{35.0f, kColumnWidth, kPeriodCount + 1, 285.0f, 8.0f};
constexpr int kAmountWidth = 10;
// Texts start 1 mm into a column and keep clear of its right line.
constexpr float kTextInset = 1.0f;
constexpr float kPeriodTextWidth = kColumnWidth - kTextInset - 0.2f;
constexpr float kTotalTextWidth = 16.0f;

// The ledger carries 年調過不足 when a saved period of the year holds one.
TableOptions ledgerOptions(TableOptions options, const YearView& year) {
    for (int period = 1; period <= kPeriodCount && !options.settlementRow; ++period) {
        options.settlementRow = year.isSaved(period) && holdsSettlement(year.block(period));
    }
    return options;
}

}  // namespace

LedgerReport::LedgerReport(const TableOptions& options, const YearView& year, LedgerInput input)
    : options_(ledgerOptions(options, year)),
      input_(std::move(input)),
      rows_(tableRows(options_)),
      printDate_(printDateText(input_.printDate)) {
    sheets_.reserve(input_.employees.size());
    for (const LedgerEmployee& employee : input_.employees) {
        sheets_.push_back(ledgerSheet(rows_, year, employee.recordId));
    }
}

std::string LedgerReport::countText() const {
    return " " + std::to_string(pageCount()) + "枚";
}

PaperChoice LedgerReport::paper() const {
    return paperFor(ReportKind::Ledger, 0);
}

const LedgerEmployee& LedgerReport::employee(int page) const {
    return input_.employees.at(static_cast<std::size_t>(page - 1));
}

const LedgerSheet& LedgerReport::sheet(int page) const {
    return sheets_.at(static_cast<std::size_t>(page - 1));
}

void LedgerReport::drawPage(Canvas& canvas, int page, const PageOptions&) const {
    if (page < 1 || page > pageCount()) return;
    canvas.setFont(FontInfo{});
    drawHeading(canvas, page);
    drawTable(canvas, page);
}

void LedgerReport::drawHeading(Canvas& canvas, int page) const {
    const RaisedLayout raised(canvas, kHeadingRaiseMm);
    print::drawHeading(canvas, input_.companyName, printDate_, {240.0f, 0.0f}, page, pageCount());
    canvas.setFontPt(16);
    canvas.putText(input_.year.eraName + std::to_string(input_.year.eraYear) + "年", 95, 20);
    canvas.putText("社 員 別 給 与 台 帳", 122, 20);
    canvas.setFontPt(10);
    canvas.putText("氏名:" + employee(page).name, 190, 22);
}

void LedgerReport::drawTable(Canvas& canvas, int page) const {
    const RaisedLayout raised(canvas, kTableRaiseMm);
    drawTableFrame(canvas, static_cast<int>(rows_.size()), kTable);
    drawRowLabels(canvas, rows_, kTable);

    FontInfo font;
    font.sizeMm = pointsToMm(kTable.fontPt);
    canvas.setFont(font);
    const LedgerSheet& data = sheet(page);
    for (int period = 1; period <= kPeriodCount; ++period) {
        const float x = kTable.columnX(period - 1) + kTextInset;
        putTextWithin(canvas, ledgerPeriodLabel(period, options_.names), x, 30, kPeriodTextWidth);
        const LedgerColumn& column = data.periods[static_cast<std::size_t>(period - 1)];
        std::vector<std::string> texts(rows_.size());
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (column[i])
                texts[i] = cellText(rows_[i], *column[i], kAmountWidth, options_.timeStyle);
        }
        drawColumnTexts(canvas, texts, x, kPeriodTextWidth);
    }

    std::vector<std::string> totals(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        totals[i] = cellText(rows_[i], data.total[i], kAmountWidth, options_.timeStyle);
    }
    drawColumnTexts(canvas, totals, kTable.columnX(kPeriodCount) + kTextInset, kTotalTextWidth);
    font.bold = true;
    canvas.setFont(font);
    canvas.putText("合   計", 270.5f, 30);
}

}  // namespace keiro::print
