#include "print/tax_payment_report.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/era.h"
#include "print/fitted_text.h"
#include "print/report_heading.h"
#include "print/table_csv.h"
#include "print/text_table_report.h"

namespace keiro::print {
namespace {

const char* reportTitle(const TaxPaymentSpan& span) {
    return span.isHalfYear() ? "所得税徴収高計算書（納期特例分）" : "所得税徴収高計算書（一般）";
}

using std::chrono::year_month_day;

constexpr float kLeft = 15.0f;
constexpr float kCellPad = 1.5f;
constexpr float kMainRowHeight = 11.0f;
constexpr float kMonthRowHeight = 6.5f;
constexpr float kMainFontPt = 10.0f;
constexpr float kMonthFontPt = 8.5f;

// The rows of the main table (after the heading row).
constexpr std::size_t kTotalRow = 5;

const std::vector<float> kMainWidths{48, 52, 16, 32, 32};
const std::vector<float> kMonthWidths{12, 12, 26, 22, 12, 26, 22, 24, 24};

std::string eraYearText(const EraDate& date) {
    return date.eraName + std::to_string(date.eraYear) + "年";
}

EraDate eraOfMonth(int calendarYear, int month) {
    return eraDateOf(year_month_day{std::chrono::year{calendarYear},
                                    std::chrono::month{static_cast<unsigned>(month)},
                                    std::chrono::day{1}});
}

std::string dateText(const year_month_day& date, bool withYear) {
    const EraDate era = eraDateOf(date);
    return (withYear ? eraYearText(era) : std::string()) + std::to_string(era.month) + "月" +
           std::to_string(era.day) + "日";
}

std::string peopleCell(int people) {
    return std::to_string(people);
}

// How a table's cells line up: figures to the right.
struct TableStyle {
    const std::vector<float>& widths;
    float rowHeight;
    float fontPt;
    bool narrow;
};

bool isFigure(const std::string& text) {
    return !text.empty() &&
           (std::isdigit(static_cast<unsigned char>(text.back())) || text.back() == '-');
}

// Draws the rows (the first one the heading, shaded) ruled, from `top`; returns the bottom.
float drawRuledTable(Canvas& canvas, const std::vector<std::vector<std::string>>& rows,
                     const TableStyle& style, float top) {
    float right = kLeft;
    for (const float width : style.widths) right += width;
    const float bottom = top + style.rowHeight * static_cast<float>(rows.size());
    canvas.putShade(kLeft, top, right, top + style.rowHeight);
    canvas.setPen(Pen::Thin);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const float y = top + style.rowHeight * static_cast<float>(r);
        canvas.putLine(kLeft, y, right, y);
    }
    float x = kLeft;
    for (std::size_t c = 0; c + 1 < style.widths.size(); ++c) {
        x += style.widths[c];
        canvas.putLine(x, top, x, bottom);
    }
    canvas.setPen(Pen::Thick);
    canvas.putBox(kLeft, top, right, bottom);

    FontInfo font = canvas.font();
    font.sizeMm = pointsToMm(style.fontPt);
    font.narrow = style.narrow;
    canvas.setFont(font);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const float y =
            top + style.rowHeight * static_cast<float>(r) + (style.rowHeight - font.sizeMm) / 2.0f;
        x = kLeft;
        for (std::size_t c = 0; c < style.widths.size() && c < rows[r].size(); ++c) {
            const std::string& text = rows[r][c];
            const float room = style.widths[c] - 2 * kCellPad;
            float at = x + kCellPad;
            if (r > 0 && isFigure(text)) at += std::max(0.0f, room - textWidth(canvas, text));
            putTextWithin(canvas, text, at, y, room);
            x += style.widths[c];
        }
    }
    return bottom;
}

}  // namespace

std::string taxPaymentSpanText(const TaxPaymentSpan& span) {
    const EraDate first = eraOfMonth(span.calendarYear, span.firstMonth);
    std::string text = eraYearText(first) + std::to_string(span.firstMonth) + "月";
    if (span.isHalfYear()) {
        const EraDate last = eraOfMonth(span.calendarYear, span.lastMonth);
        // The year of the change of era (2019) begins in one era and ends in the next.
        if (last.eraName != first.eraName)
            text += "〜" + eraYearText(last);
        else
            text += "〜";
        text += std::to_string(span.lastMonth) + "月";
    }
    return text + "分";
}

std::string payDatesText(const std::vector<year_month_day>& dates, bool halfYear) {
    if (dates.empty()) return {};
    if (halfYear && dates.size() > 1) {
        const bool sameEra = eraDateOf(dates.front()).eraName == eraDateOf(dates.back()).eraName;
        return dateText(dates.front(), true) + "〜" + dateText(dates.back(), !sameEra);
    }
    std::string text;
    for (const year_month_day& date : dates) {
        if (!text.empty()) text += "、";
        text += dateText(date, true);
    }
    return text;
}

std::vector<std::vector<std::string>> taxPaymentRows(const TaxPaymentFigures& f, bool plain) {
    const auto kindRow = [&](const char* label, const PaidKind& kind) {
        return std::vector<std::string>{label, payDatesText(kind.payDates, f.span.isHalfYear()),
                                        peopleCell(kind.people), amountCell(kind.paid, plain),
                                        amountCell(kind.tax, plain)};
    };
    std::string refund = amountCell(f.yearEnd.refund, plain);
    if (!plain && f.yearEnd.refund > 0) refund = "△" + refund;
    return {
        {"区分", "支払年月日", "人員", "支給額", "税額"},
        kindRow("俸給・給料等", f.salary),
        kindRow("賞与", f.bonus),
        {"年末調整による不足税額", "", "", "", amountCell(f.yearEnd.collect, plain)},
        {"年末調整による超過税額", "", "", "", refund},
        {"本税合計", "", "", "", amountCell(f.total, plain)},
    };
}

std::vector<std::vector<std::string>> taxPaymentMonthRows(const TaxPaymentFigures& f) {
    std::vector<std::vector<std::string>> rows{{"月", "給与人員", "給与支給額", "給与税額",
                                                "賞与人員", "賞与支給額", "賞与税額",
                                                "年調不足税額", "年調超過税額"}};
    for (const MonthTaxFigures& m : f.months) {
        rows.push_back({std::to_string(m.month) + "月", peopleCell(m.salary.people),
                        amountCell(m.salary.paid, false), amountCell(m.salary.tax, false),
                        peopleCell(m.bonus.people), amountCell(m.bonus.paid, false),
                        amountCell(m.bonus.tax, false), amountCell(m.yearEnd.collect, false),
                        amountCell(m.yearEnd.refund, false)});
    }
    return rows;
}

std::vector<std::string> taxPaymentNotes(const TaxPaymentFigures& f) {
    std::vector<std::string> notes{
        "支給額は課税支給額です（非課税の通勤手当を除き、社会保険料等を差し引く前の額）。",
        "保存済みの給与・賞与を支給日の月で集計しています。乙欄の人も含みます。"};
    if (f.span.isHalfYear()) notes.push_back("人員は各月の支給人員の合計（延べ人員）です。");
    if (f.carried > 0) {
        notes.push_back("年末調整による超過税額が税額を上回るため、本税は0円です。");
        notes.push_back("残りの超過税額 " + amountCell(f.carried, false) +
                        "円は、次回以降に納付する税額から差し引きます。");
    }
    for (const int period : f.undatedBonuses) {
        notes.push_back("賞与（第" + std::to_string(period - kFirstBonusPeriod + 1) +
                        "回）は支給月が設定されていないため含まれていません。");
    }
    return notes;
}

std::string taxPaymentCsv(const TaxPaymentFigures& figures) {
    return csvTable(taxPaymentRows(figures, true));
}

std::string taxPaymentCsvFileName(const TaxPaymentSpan& span) {
    return taxPaymentSpanText(span) + "所得税徴収高.csv";
}

TaxPaymentReport::TaxPaymentReport(TaxPaymentFigures figures, TaxPaymentHeading heading)
    : figures_(std::move(figures)), heading_(std::move(heading)) {}

std::string TaxPaymentReport::countText() const {
    return " 1枚 [" + taxPaymentSpanText(figures_.span) + "]";
}

PaperChoice TaxPaymentReport::paper() const {
    return {Paper::A4, Orientation::Portrait};
}

DocumentInfo TaxPaymentReport::documentInfo() const {
    return {std::string(reportTitle(figures_.span)) + " " + taxPaymentSpanText(figures_.span),
            heading_.company};
}

float TaxPaymentReport::drawHeading(Canvas& canvas) const {
    canvas.setFont(FontInfo{});
    canvas.setFontPt(16);
    canvas.putText(reportTitle(figures_.span), kLeft, 15);
    canvas.setFontPt(12);
    canvas.putText(taxPaymentSpanText(figures_.span) + "　給与所得の源泉所得税", kLeft, 26);
    canvas.setFontPt(10);
    canvas.putText(heading_.company, kLeft, 36);
    canvas.putText(printDateText(heading_.printDate), 150, 36);
    if (heading_.corporateNumber > 0) {
        char number[32];
        std::snprintf(number, sizeof number, "%013lld",
                      static_cast<long long>(heading_.corporateNumber));
        canvas.putText(std::string("法人番号 ") + number, kLeft, 41);
    }
    return 50.0f;
}

float TaxPaymentReport::drawMainTable(Canvas& canvas, float top) const {
    const std::vector<std::vector<std::string>> rows = taxPaymentRows(figures_, false);
    const float bottom =
        drawRuledTable(canvas, rows, {kMainWidths, kMainRowHeight, kMainFontPt, false}, top);
    // The total is the figure the 納付書 is paid with.
    float left = kLeft;
    for (std::size_t c = 0; c + 1 < kMainWidths.size(); ++c) left += kMainWidths[c];
    canvas.setPen(Pen::Thick);
    canvas.putBox(left, top + kMainRowHeight * static_cast<float>(kTotalRow),
                  left + kMainWidths.back(), bottom);
    return bottom;
}

float TaxPaymentReport::drawMonthTable(Canvas& canvas, float top) const {
    canvas.setFontPt(10);
    canvas.putText("月別の内訳", kLeft, top);
    return drawRuledTable(canvas, taxPaymentMonthRows(figures_),
                          {kMonthWidths, kMonthRowHeight, kMonthFontPt, true}, top + 5.0f);
}

void TaxPaymentReport::drawPage(Canvas& canvas, int /*page*/, const PageOptions&) const {
    float y = drawMainTable(canvas, drawHeading(canvas));
    canvas.setFont(FontInfo{});
    canvas.setFontPt(9);
    y += 4.0f;
    for (const std::string& note : taxPaymentNotes(figures_)) {
        canvas.putText(note, kLeft, y);
        y += 5.0f;
    }
    if (figures_.span.isHalfYear()) drawMonthTable(canvas, y + 6.0f);
}

}  // namespace keiro::print
