// The transfer list and the denomination table: who is listed, what is paid, how a payment is
// counted out in notes and coins, pages of thirty with the totals at the end, and the drawings.
#include <gtest/gtest.h>

#include <algorithm>

#include "print/denomination_report.h"
#include "print/period_caption.h"
#include "print/recording_canvas.h"
#include "print/transfer_list_report.h"
#include "tests/print/table_fixture.h"
#include "tests/support/built_page.h"
#include "tests/support/golden.h"

namespace keiro::print {
namespace {

using testing::kPrintDate;
using testing::TablePeriod;

const PageDevice k10PerMm = printerDevice({254, 254, 0, 0});

std::vector<std::string> codes(const MoneyTableReport& report) {
    std::vector<std::string> out;
    for (const PaidEmployee& paid : report.employees())
        out.push_back(paid.employee.employeeCode.utf8());
    return out;
}

std::string drawn(const Report& report, int page) {
    return testing_support::builtPageRecording(report, page, k10PerMm);
}

bool shows(const std::string& recording, std::string_view text) {
    return recording.find("\"" + std::string(text) + "\"") != std::string::npos;
}

TEST(DenominationTest, BreaksAPaymentIntoTheFewestPieces) {
    //                               1万 5千 2千 千 500 100 50 10 5 1
    EXPECT_EQ(breakDown(18'765, true), (DenominationCounts{1, 1, 1, 1, 1, 2, 1, 1, 1, 0}));
    EXPECT_EQ(breakDown(18'765, false), (DenominationCounts{1, 1, 0, 3, 1, 2, 1, 1, 1, 0}));
    EXPECT_EQ(breakDown(1'234'569, true), (DenominationCounts{123, 0, 2, 0, 1, 0, 1, 1, 1, 4}));
    EXPECT_EQ(breakDown(0, true), DenominationCounts{});
    EXPECT_EQ(breakDown(-18'765, true), DenominationCounts{});
    EXPECT_EQ(breakDown(-1, false), DenominationCounts{});
}

TEST(MoneyTablesTest, NetPayIsThePayTotalWithAllOtherItemsLessDeductions) {
    PaymentRecord payment{};
    DeductionRecord deduction{};
    payment.payTotal = 300'000;
    payment.otherItem1 = 1'000;
    payment.otherItem2 = -2'000;
    payment.otherItem3 = 3'000;
    deduction.otherItem1 = 99'999;  // the deduction record's copy is not counted again
    deduction.deductionTotal = 52'000;
    EXPECT_EQ(paidNetPay(payment, deduction), 250'000);
}

TEST(MoneyTablesTest, ListThoseInEmploymentByPayMethodInSlotOrder) {
    TablePeriod period;
    period.add(1, {"T1", "振込 一郎", "ﾌﾘｺﾐ", 0, 1, 1});
    period.add(2, {"C1", "現金 花子", "ｹﾞﾝｷﾝ", 1, 1, 1});
    period.add(3, {"T2", "休職 次郎", "ｷｭｳｼｮｸ", 0, 2, 1});  // on leave
    period.add(4, {"C2", "退職 三郎", "ﾀｲｼｮｸ", 1, 3, 1});   // gone
    // slot 5 free: the money tables go on past it
    period.add(6, {"T3", "振込 四郎", "ﾌﾘｺﾐ", 2, 1, 1});  // not 現金, so a transfer
    period.add(7, {"C3", "現金 五郎", "ｹﾞﾝｷﾝ", 1, 1, 1});

    const TransferListReport transfers(*period.block, "[令和8年 12月分給与]", kPrintDate);
    EXPECT_EQ(codes(transfers), (std::vector<std::string>{"T1", "T3"}));
    EXPECT_EQ(transfers.countText(), "  1枚 [2名]");

    const DenominationReport cash(*period.block, "", kPrintDate, {}, true);
    EXPECT_EQ(codes(cash), (std::vector<std::string>{"C1", "C3"}));

    PrintChoices all;
    all.allEmployees = true;
    const DenominationReport everyone(*period.block, "", kPrintDate, all, true);
    EXPECT_EQ(codes(everyone), (std::vector<std::string>{"T1", "C1", "T3", "C3"}));
}

TEST(MoneyTablesTest, ThirtyRowsAPageAndAtLeastOnePage) {
    TablePeriod thirty;
    thirty.addMany(30, 0);
    const TransferListReport one(*thirty.block, "", kPrintDate);
    EXPECT_EQ(one.pageCount(), 1);
    EXPECT_EQ(one.countText(), "  1枚 [30名]");

    TablePeriod thirtyOne;
    thirtyOne.addMany(31, 0);
    const TransferListReport two(*thirtyOne.block, "", kPrintDate);
    EXPECT_EQ(two.pageCount(), 2);
    EXPECT_EQ(two.countText(), "  2枚 [31名]");
    const std::string first = drawn(two, 1);
    const std::string second = drawn(two, 2);
    EXPECT_TRUE(shows(first, "E030"));
    EXPECT_FALSE(shows(first, "E031"));
    EXPECT_TRUE(shows(second, "E031"));
    EXPECT_FALSE(shows(second, "E001"));
    EXPECT_TRUE(shows(second, "Page 2 / 2"));

    TablePeriod nobody;
    const DenominationReport empty(*nobody.block, "", kPrintDate, {}, true);
    EXPECT_EQ(empty.pageCount(), 1);
    EXPECT_EQ(empty.countText(), "  1枚 [0名]");
    EXPECT_TRUE(shows(drawn(empty, 1), "合　計"));
}

TEST(DenominationTableTest, TotalsLeaveOutNegativePayAndComeOnTheLastPage) {
    TablePeriod period;
    period.addMany(31, 1);                                // 1,000 … 31,000 yen
    period.block->deductions[4].deductionTotal = 10'000;  // slot 5: 5,000 − 10,000 = −5,000
    const DenominationReport report(*period.block, "", kPrintDate, {}, false);

    long long expected = 0;
    for (int slot = 1; slot <= 31; ++slot) expected += slot == 5 ? 0 : 1000LL * slot;
    EXPECT_EQ(report.totals().netPay, expected);
    long long paidOut = 0;
    for (int d = 0; d < kDenominationCount; ++d) {
        paidOut += report.totals().counts[d] * kDenominations[d].yen;
    }
    EXPECT_EQ(paidOut, expected);
    EXPECT_EQ(report.totals().counts[k2000YenNote], 0);

    const std::string first = drawn(report, 1);
    EXPECT_FALSE(shows(first, "合　計"));
    EXPECT_TRUE(shows(first, "    -5,000"));  // the row shows what it is, paid in nothing
    EXPECT_TRUE(shows(first, " - "));         // no 2,000-yen notes
    const std::string last = drawn(report, 2);
    EXPECT_TRUE(shows(last, "合　計"));
    EXPECT_TRUE(shows(last, "   491,000"));
}

// The x of the last character of the drawn text `text`.
int lastCharacterX(const RecordingCanvas& canvas, std::string_view text) {
    for (const std::vector<Glyph>& glyphs : canvas.texts()) {
        std::string whole;
        for (const Glyph& g : glyphs) whole += g.character;
        if (whole == text) return glyphs.back().at.x;
    }
    ADD_FAILURE() << "no text \"" << text << "\"";
    return -1;
}

TEST(DenominationTableTest, LongTotalsKeepTheirLastDigitsInTheColumn) {
    TablePeriod period;
    for (int slot = 1; slot <= 30; ++slot) {
        period.add(slot, {"C", "現金", "ｹﾞﾝｷﾝ", 1, 1, 4'000'000});
    }
    const DenominationReport report(*period.block, "", kPrintDate, {}, true);
    RecordingCanvas canvas(k10PerMm);
    report.drawPage(canvas, 1, {});
    EXPECT_EQ(lastCharacterX(canvas, "12000"), lastCharacterX(canvas, "400"));
    EXPECT_EQ(lastCharacterX(canvas, "120,000,000"), lastCharacterX(canvas, " 4,000,000"));
}

TEST(MoneyTablesTest, PeriodCaptionAcrossTheChangeOfEra) {
    const EraNames names{"平成", "令和"};
    EXPECT_EQ(periodCaption({"令和", 8}, names, 7, 7, "決算賞与"), "[令和8年 7月分給与]");
    EXPECT_EQ(periodCaption({"平成", 31}, names, 4, 4, "決算賞与"), "[平成31年 4月分給与]");
    EXPECT_EQ(periodCaption({"平成", 31}, names, 5, 5, "決算賞与"), "[令和1年 5月分給与]");
    EXPECT_EQ(periodCaption({"平成", 31}, names, 13, 7, "決算賞与"), "[令和1年 夏期賞与]");
    EXPECT_EQ(periodCaption({"令和", 8}, names, 14, 12, "決算賞与"), "[令和8年 冬期賞与]");
    EXPECT_EQ(periodCaption({"令和", 8}, names, 15, 0, "決算賞与"), "[令和8年 決算賞与]");
}

// Three transfers with their accounts, one cash payment that stays out.
TEST(MoneyTablesTest, TransferPageDrawing) {
    TablePeriod period;
    testing::setAccount(period.add(1, {"0001", "山田 太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", 0, 1, 312'345}),
                        {"みずほ銀行", "ﾐｽﾞﾎ", "新宿支店", "ｼﾝｼﾞｭｸ", 0, "1234567", 440});
    testing::setAccount(period.add(2, {"0002", "佐藤 花子", "ｻﾄｳ ﾊﾅｺ", 0, 1, 1'234'567}),
                        {"城南信用金庫", "", "本店営業部", "", 1, "7654321", 0});
    period.add(3, {"0003", "現金 一郎", "ｹﾞﾝｷﾝ", 1, 1, 100});
    EmployeeRecord& c = period.add(4, {"0004", "鈴木 三郎", "ｽｽﾞｷ", 0, 1, -2'500});
    c.accountType = 2;
    c.transferFee = 1'100;

    const TransferListReport report(*period.block, "[令和8年 12月分給与]", kPrintDate);
    testing_support::expectMatchesGolden(drawn(report, 1), "print/transfer_list_page.txt");
}

TEST(MoneyTablesTest, DenominationPageDrawingWithTheTotalRow) {
    TablePeriod period;
    period.add(1, {"0001", "山田 太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", 1, 1, 18'765});
    period.add(2, {"0002", "佐藤 花子", "ｻﾄｳ ﾊﾅｺ", 1, 1, 203'456});
    period.add(3, {"0003", "鈴木 三郎", "ｽｽﾞｷ ｻﾌﾞﾛｳ", 1, 1, -1'200});

    const DenominationReport report(*period.block, "[令和8年 夏期賞与]", kPrintDate, {}, true);
    testing_support::expectMatchesGolden(drawn(report, 1), "print/denomination_page.txt");
}

}  // namespace
}  // namespace keiro::print
