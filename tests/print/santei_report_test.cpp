// The April-June decision as texts (the window, the list and the CSV file share them), the
// ruled list they print in, and a table of texts as CSV.
#include <gtest/gtest.h>

#include "core/text.h"
#include "print/page_transform.h"
#include "print/recording_canvas.h"
#include "print/santei_rows.h"
#include "print/table_csv.h"
#include "print/text_table_report.h"
#include "tests/print/table_fixture.h"

namespace keiro::print {
namespace {

using testing::kPrintDate;

std::string cell(const std::vector<std::string>& row, SanteiColumn c) {
    return row[static_cast<std::size_t>(c)];
}

calc::SanteiLine decidedLine() {
    calc::SanteiLine line;
    line.slot = 3;
    line.name = "山田 太郎";
    line.months = {{{4, true, 31, 301'000, false},
                    {5, true, 16, 150'000, false},
                    {6, true, 30, 305'500, false}}};
    line.result.counted = {true, false, true};
    line.result.total = 606'500;
    line.result.average = 303'250;
    line.result.grades = {22, 19, 300'000, 300'000};
    line.previous = {20, 17, 260'000, 260'000};
    return line;
}

// Every text drawn, each as its characters and the x of its first one (device units).
std::vector<std::pair<std::string, int>> textsOf(const RecordingCanvas& canvas) {
    std::vector<std::pair<std::string, int>> out;
    for (const auto& glyphs : canvas.texts()) {
        std::string text;
        for (const Glyph& g : glyphs) text += g.character;
        out.emplace_back(text, glyphs.empty() ? 0 : glyphs.front().at.x);
    }
    return out;
}

bool drew(const RecordingCanvas& canvas, const std::string& text) {
    for (const auto& [t, x] : textsOf(canvas)) {
        if (t == text) return true;
    }
    return false;
}

TEST(SanteiRowsTest, ADecidedLineAnExcludedOneAndOneKeepingItsGrades) {
    const std::vector<std::string> row = santeiRow(decidedLine());
    ASSERT_EQ(row.size(), santeiHeadings().size());
    EXPECT_EQ(cell(row, SanteiColumn::Days5), "16");
    EXPECT_EQ(cell(row, SanteiColumn::Pay6), "305,500");
    EXPECT_EQ(cell(row, SanteiColumn::Counted), "4・6");  // May under 17 days
    EXPECT_EQ(cell(row, SanteiColumn::Average), "303,250");
    EXPECT_EQ(cell(row, SanteiColumn::Adjusted), "");
    EXPECT_EQ(cell(row, SanteiColumn::NewHealth), "22");
    EXPECT_EQ(cell(row, SanteiColumn::OldPension), "17");
    EXPECT_EQ(cell(santeiRow(decidedLine(), true), SanteiColumn::Total), "606500");

    calc::SanteiLine excluded = decidedLine();
    excluded.excluded = calc::SanteiExclusion::JoinedFromJune;
    excluded.months[0].paid = excluded.months[1].paid = false;
    const std::vector<std::string> out = santeiRow(excluded);
    EXPECT_EQ(cell(out, SanteiColumn::Pay4), "");  // not paid in April: nothing, not 0
    EXPECT_EQ(cell(out, SanteiColumn::Pay6), "305,500");
    EXPECT_EQ(cell(out, SanteiColumn::Counted), "");
    EXPECT_EQ(cell(out, SanteiColumn::Average), "");
    EXPECT_EQ(cell(out, SanteiColumn::NewHealth), "");
    EXPECT_EQ(cell(out, SanteiColumn::OldHealth), "20");
    EXPECT_EQ(cell(out, SanteiColumn::Note), calc::exclusionText(excluded.excluded));

    calc::SanteiLine kept = decidedLine();
    kept.result = {};
    kept.result.keepPrevious = true;
    kept.result.grades = kept.previous;
    const std::vector<std::string> k = santeiRow(kept);
    EXPECT_EQ(cell(k, SanteiColumn::Average), "");
    EXPECT_EQ(cell(k, SanteiColumn::NewHealth), "20");
    EXPECT_EQ(cell(k, SanteiColumn::Note), "従前");
}

TEST(SanteiRowsTest, RemarksNameEachFactInTheFormsOrder) {
    calc::SanteiLine line = decidedLine();
    EXPECT_EQ(santeiRemarks(line), "");
    line.raiseMonth = 5;
    line.raiseDirection = -1;
    line.backPay = 30'000;
    line.backPayMonth = 4;
    line.annualAverage = true;
    line.rule = calc::DayRule::PartTime;
    line.onLeave = true;
    line.insuredSince = 20260415;
    line.revisionExpected = true;
    line.over70 = true;
    EXPECT_EQ(santeiRemarks(line),
              "5月降給 遡及4月30,000 70歳以上被用者算定 月額変更予定 途中入社(4/15) "
              "病休・育休・休職等 パート 年間平均");

    // An excluded line says why first; a line keeping its grades says 従前 first.
    calc::SanteiLine expected = decidedLine();
    expected.excluded = calc::SanteiExclusion::RevisedJulyToSeptember;
    expected.revisionExpected = true;
    EXPECT_EQ(cell(santeiRow(expected), SanteiColumn::Note),
              calc::exclusionText(expected.excluded) + " 月額変更予定");
    calc::SanteiLine kept = decidedLine();
    kept.result.keepPrevious = true;
    kept.onLeave = true;
    EXPECT_EQ(cell(santeiRow(kept), SanteiColumn::Note), "従前 病休・育休・休職等");
}

TEST(TextTableReportTest, RowsRunOverPagesWithFiguresRightAlignedAndNotesAtTheEnd) {
    TextTable t;
    t.title = "一覧";
    t.company = "山田商店";
    t.headings = {"番号", "金額"};
    t.columns = {{10, false}, {30, true}};
    for (int i = 1; i <= kTextTableRowsPerPage + 2; ++i) {
        t.rows.push_back({"行" + std::to_string(i), i == 1 ? "1" : "1,000,000"});
    }
    t.notes = {"注記"};
    const TextTableReport report(t, kPrintDate);
    EXPECT_EQ(report.pageCount(), 2);
    EXPECT_EQ(report.countText(), "  2枚 [30名]");
    EXPECT_EQ(TextTableReport(TextTable{}, kPrintDate).pageCount(), 1);  // an empty list prints

    RecordingCanvas first(printerDevice({254, 254, 0, 0}));
    report.drawPage(first, 1, {});
    EXPECT_TRUE(drew(first, "行28"));
    EXPECT_FALSE(drew(first, "行29"));
    EXPECT_FALSE(drew(first, "注記"));
    // "1" and "1,000,000" end at the same place: the column's right edge less its padding.
    int oneX = 0, millionX = 0;
    for (const auto& [text, x] : textsOf(first)) {
        if (text == "1") oneX = x;
        if (text == "1,000,000" && millionX == 0) millionX = x;
    }
    ASSERT_GT(oneX, 0);
    ASSERT_GT(millionX, 0);
    EXPECT_GT(oneX, millionX);
    const int pitch = (oneX - millionX) / 8;  // eight characters more
    EXPECT_NEAR(oneX - millionX, 8 * pitch, 8);

    RecordingCanvas second(printerDevice({254, 254, 0, 0}));
    report.drawPage(second, 2, {});
    EXPECT_TRUE(drew(second, "行29"));
    EXPECT_TRUE(drew(second, "行30"));
    EXPECT_TRUE(drew(second, "注記"));
    EXPECT_TRUE(drew(second, "番号"));  // the header row on every page
    EXPECT_FALSE(drew(second, kNobodyListed));

    // A list of nobody says so under its headings.
    t.rows.clear();
    RecordingCanvas empty(printerDevice({254, 254, 0, 0}));
    TextTableReport(t, kPrintDate).drawPage(empty, 1, {});
    EXPECT_TRUE(drew(empty, kNobodyListed));
    EXPECT_TRUE(drew(empty, "注記"));
}

TEST(TextTableCsvTest, FieldsInCodePage932QuotedWhereNeededLinesEndingInCrLf) {
    const std::string csv = csvTable({{"氏名", "金額"}, {"山田,太郎", "1000"}, {"a\"b", ""}});
    EXPECT_EQ(csv, text::toCp932("氏名,金額\r\n\"山田,太郎\",1000\r\n\"a\"\"b\",\r\n"));
    // A name a spreadsheet would run is shown as text; a negative amount stays a number.
    EXPECT_EQ(csvTable({{"=1+2", "-12,000", "@SUM(A1)"}}),
              text::toCp932("'=1+2,\"-12,000\",'@SUM(A1)\r\n"));
    // The list's own CSV: plain amounts.
    const std::string santei = csvTable(santeiTable({decidedLine()}, true));
    EXPECT_NE(santei.find(text::toCp932("山田 太郎,31,301000,16,150000")), std::string::npos);
}

}  // namespace
}  // namespace keiro::print
