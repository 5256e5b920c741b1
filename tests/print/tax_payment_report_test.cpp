// The tax payment page and its CSV: the 納付書's rows, the dates and months as the form wants
// them, the refund shown as taken off, and what the page says about a carried refund.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/text.h"
#include "print/recording_canvas.h"
#include "print/tax_payment_report.h"

namespace keiro::print {
namespace {

using namespace std::chrono;

TaxPaymentFigures figuresOfNovember() {
    TaxPaymentFigures f;
    f.span = TaxPaymentSpan::of(2026, {false, 11});
    f.salary = {{year_month_day(2026y, November, 25d)}, 9, 2'950'000, 61'230};
    f.yearEnd = {70'000, 1'500};
    f.total = 0;
    f.carried = 7'270;
    return f;
}

bool recorded(const RecordingCanvas& canvas, const std::string& text) {
    return canvas.recording().find('"' + text + '"') != std::string::npos;
}

TEST(TaxPaymentReportTest, MonthsAndPayDatesAreNamedAsTheFormWantsThem) {
    EXPECT_EQ(taxPaymentSpanText(TaxPaymentSpan::of(2026, {false, 11})), "令和8年11月分");
    EXPECT_EQ(taxPaymentSpanText(TaxPaymentSpan::of(2026, {true, 2})), "令和8年7月〜12月分");
    // 2019 begins in one era and ends in the next.
    EXPECT_EQ(taxPaymentSpanText(TaxPaymentSpan::of(2019, {true, 1})), "平成31年1月〜令和1年6月分");

    const std::vector<year_month_day> dates{year_month_day(2026y, July, 10d),
                                            year_month_day(2026y, July, 25d),
                                            year_month_day(2026y, December, 10d)};
    EXPECT_EQ(payDatesText(dates, true), "令和8年7月10日〜12月10日");
    EXPECT_EQ(payDatesText({dates[0], dates[1]}, false), "令和8年7月10日、令和8年7月25日");
    EXPECT_EQ(payDatesText({}, false), "");
}

TEST(TaxPaymentReportTest, RowsFollowTheFormAndTheCsvHoldsPlainNumbers) {
    const TaxPaymentFigures f = figuresOfNovember();
    const auto rows = taxPaymentRows(f, false);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"俸給・給料等", "令和8年11月25日", "9",
                                                 "2,950,000", "61,230"}));
    EXPECT_EQ(rows[2][2], "0");
    EXPECT_EQ(rows[3].back(), "1,500");
    EXPECT_EQ(rows[4].back(), "△70,000");
    EXPECT_EQ(rows[5], (std::vector<std::string>{"本税合計", "", "", "", "0"}));

    const std::string csv = text::fromCp932(taxPaymentCsv(f));
    EXPECT_NE(csv.find("区分,支払年月日,人員,支給額,税額\r\n"), std::string::npos);
    EXPECT_NE(csv.find("俸給・給料等,令和8年11月25日,9,2950000,61230\r\n"), std::string::npos);
    EXPECT_NE(csv.find("年末調整による超過税額,,,,70000\r\n"), std::string::npos);
    EXPECT_EQ(taxPaymentCsvFileName(f.span), "令和8年11月分所得税徴収高.csv");
}

TEST(TaxPaymentReportTest, ThePageShowsTheCompanyTheTotalAndTheCarriedRefund) {
    TaxPaymentReport report(figuresOfNovember(), {"株式会社サンプル商事", 1234567890123,
                                                  year_month_day(2026y, December, 9d)});
    EXPECT_EQ(report.pageCount(), 1);
    EXPECT_EQ(report.paper().orientation, Orientation::Portrait);
    RecordingCanvas canvas;
    report.drawPage(canvas, 1, {});
    EXPECT_TRUE(recorded(canvas, "株式会社サンプル商事"));
    EXPECT_TRUE(recorded(canvas, "法人番号 1234567890123"));
    EXPECT_TRUE(recorded(canvas, "2,950,000"));
    EXPECT_TRUE(
        recorded(canvas, "残りの超過税額 7,270円は、次回以降に納付する税額から差し引きます。"));
    EXPECT_FALSE(recorded(canvas, "月別の内訳"));  // a single month has no months to list

    TaxPaymentFigures half = figuresOfNovember();
    half.span = TaxPaymentSpan::of(2026, {true, 2});
    half.carried = 0;
    half.months.resize(6);
    RecordingCanvas halfCanvas;
    TaxPaymentReport(half, {"会社", 0, year_month_day(2026y, December, 9d)})
        .drawPage(halfCanvas, 1, {});
    EXPECT_TRUE(recorded(halfCanvas, "月別の内訳"));
    EXPECT_TRUE(recorded(halfCanvas, "人員は各月の支給人員の合計（延べ人員）です。"));
    EXPECT_FALSE(halfCanvas.recording().find("法人番号") != std::string::npos);
}

}  // namespace
}  // namespace keiro::print
