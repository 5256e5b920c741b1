// The documents as reports: sheets and copies, what each copy shows, the refund notice's
// difference, the items of the later forms, and the expected drawings of whole sheets.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/golden.h"
#include "tests/withholding_print/document_fixture.h"
#include "withholding/print/document_pages.h"
#include "withholding/print/document_report.h"
#include "withholding/print/form_drawing.h"
#include "withholding/print/law_items.h"
#include "withholding/print/refund_notice.h"

namespace keiro::withholding {
namespace {

using testing::DocumentYear;
using testing::drawn;
using testing_support::expectMatchesGolden;

bool hasText(const std::string& drawing, const std::string& text) {
    return drawing.find("\"" + text + "\"") != std::string::npos;
}

TEST(DocumentPagesTest, SheetsPaperAndPanelText) {
    EXPECT_EQ(documentSheets(DocumentKind::RefundNotice, 3), 2);
    EXPECT_EQ(documentSheets(DocumentKind::RefundNotice, 4), 2);
    EXPECT_EQ(documentSheets(DocumentKind::Slip, 3), 3);
    EXPECT_EQ(documentSheets(DocumentKind::PaymentReport, 0), 0);
    EXPECT_EQ(documentCountText(2, 3), " 2枚 [3名]");
    EXPECT_EQ(documentPaper(DocumentKind::RefundNotice),
              (print::PaperChoice{print::Paper::B5, print::Orientation::Portrait}));
    EXPECT_EQ(documentPaper(DocumentKind::PaymentReport),
              (print::PaperChoice{print::Paper::A4, print::Orientation::Landscape}));

    const std::vector<int> chosen{7, 2, 9};  // in the order chosen, not by slot
    EXPECT_EQ(slotsOnSheet(DocumentKind::RefundNotice, chosen, 1), (SheetSlots{7, 2}));
    EXPECT_EQ(slotsOnSheet(DocumentKind::RefundNotice, chosen, 2), (SheetSlots{9, 0}));
    EXPECT_EQ(slotsOnSheet(DocumentKind::Slip, chosen, 3), (SheetSlots{9, 0}));
    EXPECT_EQ(slotsOnSheet(DocumentKind::Slip, chosen, 4), (SheetSlots{}));
}

TEST(RefundNoticeTest, ThreeEmployeesTwoSheetsTheSecondWithOneNotice) {
    DocumentYear year("令和", 8);
    for (int slot : {1, 2, 3}) year.addEmployee(slot, "社員" + std::to_string(slot));
    const auto report = makeDocumentReport(year.source, {1, 2, 3}, DocumentKind::RefundNotice);
    EXPECT_EQ(report->pageCount(), 2);
    EXPECT_EQ(report->countText(), " 2枚 [3名]");
    const std::string second = drawn(*report, 2);
    EXPECT_TRUE(hasText(second, "社員3"));
    EXPECT_FALSE(hasText(second, "社員2"));
    // The cutting guide between the two places is drawn on the half-empty sheet too.
    EXPECT_NE(second.find("line 100 1285 1720 1285"), std::string::npos);
}

TEST(RefundNoticeTest, OverWithheldTaxIsANegativeDifference) {
    EXPECT_EQ(taxDifference(100'000, 120'000), -20'000);
    DocumentYear year("令和", 8);
    year.addEmployee(1, "山田 太郎");
    year.record(1).paid = 3'600'000;
    year.record(1).withheld = 120'000;
    year.record(1).annualTax = 100'000;
    const auto report = makeDocumentReport(year.source, {1}, DocumentKind::RefundNotice);
    const std::string sheet = drawn(*report, 1);
    EXPECT_TRUE(hasText(sheet, "    120,000"));
    EXPECT_TRUE(hasText(sheet, "    100,000"));
    EXPECT_TRUE(hasText(sheet, "    -20,000"));
    expectMatchesGolden(sheet, "withholding/refund_notice_one.txt");
}

TEST(SlipReportTest, RecipientCopyHidesTheNumbersTheTaxOfficeCopyShows) {
    DocumentYear year("令和", 4);
    year.addEmployee(1, "山田 太郎");
    testing::fillTypicalRecord(year.record(1));
    const auto slip = makeDocumentReport(year.source, {1}, DocumentKind::Slip);
    print::RecordingCanvas canvas(testing::tenPerMm());
    slip->drawPage(canvas, 1, {});
    // The spouse's number and the company's, one digit a box: on the tax office's copy only
    // (their rows are at 127.8 mm and 186.5 mm).
    auto digitsInRow = [&](int y) {
        int count = 0;
        for (const auto& text : canvas.texts()) {
            if (text.size() == 1 && text[0].at.y == y && std::isdigit(text[0].character[0])) {
                ++count;
            }
        }
        return count;
    };
    EXPECT_EQ(digitsInRow(1278), kPersonalNumberDigits);
    EXPECT_EQ(digitsInRow(1865), kCorporateNumberDigits);
    const std::string sheet = canvas.recording();
    EXPECT_TRUE(hasText(sheet, "（受給者交付用）"));
    EXPECT_TRUE(hasText(sheet, "（税務署提出用）"));
    expectMatchesGolden(sheet, "withholding/slip_2022.txt");
}

// The payer's address goes on one line of 7 pt: the field is too low for two lines readable.
TEST(SlipReportTest, PayersAddressIsOneLineOfSevenPoints) {
    DocumentYear year("令和", 8);
    year.addEmployee(1, "山田 太郎");
    testing::fillTypicalRecord(year.record(1));
    const auto slip = makeDocumentReport(year.source, {1}, DocumentKind::Slip);
    std::istringstream lines(drawn(*slip, 1));
    int height = 0;
    int found = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("font ", 0) == 0) {
            std::istringstream fields(line.substr(line.rfind('"') + 1));
            fields >> height;
        }
        if (line.find("\"東京都港区芝公園1-2-3　テストビル5階\"") == std::string::npos) continue;
        ++found;
        EXPECT_GE(height, 25) << line;  // 7 pt: 2.5 mm at ten pixels a millimetre
    }
    EXPECT_EQ(found, 2);  // on both copies
}

TEST(SlipReportTest, PaymentReportOfTheEarlierErasLastYear) {
    DocumentYear year("平成", 31);
    year.addEmployee(1, "山田 太郎");
    testing::fillTypicalRecord(year.record(1));
    year.record(1).flags.widower = 1;
    const auto report = makeDocumentReport(year.source, {1}, DocumentKind::PaymentReport);
    const std::string sheet = drawn(*report, 1);
    EXPECT_TRUE(hasText(sheet, "令和元年分"));
    EXPECT_TRUE(hasText(sheet, " 2"));  // the year box: 令和2年度
    EXPECT_TRUE(hasText(sheet, "（市区町村提出用）"));
    EXPECT_TRUE(hasText(sheet, "寡夫"));  // the 2019 form still has it
    EXPECT_FALSE(hasText(sheet, "基礎控除の額"));
    expectMatchesGolden(sheet, "withholding/payment_report_h31.txt");
}

TEST(SlipReportTest, FormsFrom2025CarryTheSpecificRelatives) {
    DocumentYear year("令和", 7);
    year.addEmployee(1, "山田 太郎");
    WithholdingRecord& r = year.record(1);
    testing::fillTypicalRecord(r);
    r.singleParent = 1;
    r.specificRelativeIncome[0] = 900'000;
    const auto slip = makeDocumentReport(year.source, {1}, DocumentKind::Slip);
    const std::string sheet = drawn(*slip, 1);
    EXPECT_TRUE(hasText(sheet, "特定親族特別控除の額"));
    EXPECT_TRUE(hasText(sheet, "ひとり"));
    EXPECT_FALSE(hasText(sheet, "寡夫"));
    EXPECT_TRUE(hasText(sheet, "610,000"));  // 900,000 of income: 610,000
    expectMatchesGolden(sheet, "withholding/slip_2025.txt");
}

// 令和7年分 with everything a clerk declares: 国民年金 (inside 社会保険料等), two 特定親族 on
// the free dependant lines, six under-16 dependants and an earlier employer.
void fillDeclarations(testing::DocumentYear& year) {
    WithholdingRecord& r = year.record(1);
    testing::fillTypicalRecord(r);
    r.remarks[0].assign("");  // the earlier employer's line is written from its fields
    r.nationalPension = 199'080;
    r.socialInsurance = 1'234'567 + 199'080;
    WithholdingSupplement& s = year.file.supplement(1);
    const std::array<const char*, 2> relatives{"山田 花梨", "山田 健太"};
    for (std::size_t i = 0; i < relatives.size(); ++i) {
        s.specificRelatives[i].name.assign(relatives[i]);
        s.specificRelatives[i].furigana.assign(i == 0 ? "ﾔﾏﾀﾞ ｶﾘﾝ" : "ﾔﾏﾀﾞ ｹﾝﾀ");
        s.specificRelatives[i].myNumber = 555566667777 + static_cast<long long>(i);
        r.specificRelativeIncome[i] = 900'000;
    }
    for (int k = 1; k < 4; ++k) {
        r.under16Entries[k].name.assign("山田 子" + std::to_string(k + 1));
        r.under16Entries[k].myNumber = 400000000000 + k;
    }
    s.moreUnder16[0].name.assign("山田 子5");
    s.moreUnder16[1].name.assign("山田 子6");
    r.moreUnder16Numbers[0].assign("400000000005");
    r.moreUnder16Numbers[1].assign("400000000006");
    s.previousEmployers[0].payerName.assign("株式会社前田商店");
    s.previousEmployers[0].payerAddress.assign("大阪府大阪市北区梅田1-1-1");
    s.previousEmployers[0].leftOn = {125, 6, 30};
    s.previousEmployers[0].pay = 1'234'567;
    s.previousEmployers[0].tax = 12'345;
    s.previousEmployers[0].socialInsurance = 123'456;
}

// The texts of one copy: the recipient's at the left, the other from x = 138 mm on.
std::vector<std::string> copyTexts(const std::string& drawing, bool right) {
    std::vector<std::string> out;
    std::istringstream lines(drawing);
    for (std::string line; std::getline(lines, line);) {
        int x = 0;
        if (std::sscanf(line.c_str(), "text %d", &x) != 1) continue;
        if ((x >= 1485) == right) out.push_back(line.substr(line.find('"')));
    }
    return out;
}

bool copyHas(const std::vector<std::string>& texts, const std::string& part) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.find(part) != std::string::npos; });
}

TEST(SlipReportTest, EveryDeclarationReachesTheSlipAndTheReport) {
    DocumentYear year("令和", 7);
    year.addEmployee(1, "山田 太郎");
    fillDeclarations(year);
    const auto slip = makeDocumentReport(year.source, {1}, DocumentKind::Slip);
    const std::string sheet = drawn(*slip, 1);
    for (bool taxOffice : {false, true}) {
        const std::vector<std::string> texts = copyTexts(sheet, taxOffice);
        EXPECT_TRUE(copyHas(texts, "山田 花梨")) << taxOffice;
        EXPECT_TRUE(copyHas(texts, "特親")) << taxOffice;
        EXPECT_TRUE(copyHas(texts, "\"199,080\"")) << taxOffice;  // 国民年金保険料等の金額
        EXPECT_TRUE(copyHas(texts, "前職分 支払金額 1,234,567円 源泉徴収税額 12,345円"));
        EXPECT_TRUE(copyHas(texts, "名称 株式会社前田商店 令和7年6月30日退職"));
        // The sixth under-16 by name; the number on the tax office's copy only.
        EXPECT_TRUE(copyHas(texts, "5人目以降の16歳未満の扶養親族 山田 子5"));
        EXPECT_EQ(copyHas(texts, "山田 子6(400000000006)"), taxOffice);
    }
    expectMatchesGolden(sheet, "withholding/slip_2025_declarations.txt");

    // The payment report: names in 摘要, numbers in its own boxes below the dependants.
    const auto report = makeDocumentReport(year.source, {1}, DocumentKind::PaymentReport);
    const std::vector<std::string> texts = copyTexts(drawn(*report, 1), true);
    EXPECT_TRUE(copyHas(texts, "5人目以降の16歳未満の扶養親族 山田 子5、山田 子6\""));
    EXPECT_TRUE(copyHas(texts, "\"400000000005 400000000006\""));
    EXPECT_TRUE(copyHas(texts, "特親"));
    EXPECT_TRUE(copyHas(texts, "令和7年6月30日退職"));
}

TEST(LegacySlipTest, FourCopiesAndNoPaymentReport) {
    DocumentYear year("平成", 27);
    year.addEmployee(1, "山田 太郎");
    LegacyWithholdingRecord& r = year.legacy(1);
    r.paid = 4'800'000;
    r.withheld = 101'200;
    r.incomeAfterDeduction = 3'360'000;
    r.totalDeductions = 1'390'000;
    r.annualTax = 98'700;
    r.spouseFlags[LegacyWithholdingRecord::kSpouseYes] = 1;
    r.socialInsurance = 690'000;
    r.remarks[0].assign("前職分 加算");
    EXPECT_FALSE(offersDocument(year.source, DocumentKind::PaymentReport));
    EXPECT_THROW(makeDocumentReport(year.source, {1}, DocumentKind::PaymentReport),
                 std::invalid_argument);
    const auto slip = makeDocumentReport(year.source, {1}, DocumentKind::Slip);
    EXPECT_EQ(slip->pageCount(), 1);
    const std::string sheet = drawn(*slip, 1);
    for (const char* copy : {"(税務署提出用)", "(受給者交付用)", "(市区町村提出用)"}) {
        EXPECT_TRUE(hasText(sheet, copy)) << copy;
    }
    expectMatchesGolden(sheet, "withholding/legacy_sheet.txt");

    year.source.options.printLine = false;
    EXPECT_EQ(drawn(*slip, 1).find("line 1485 100 1485 2000"), std::string::npos);
    EXPECT_NE(sheet.find("line 1485 100 1485 2000"), std::string::npos);
}

TEST(LawItemsTest, LaterFormsShowTheAmountsOfTheAdjustment) {
    WithholdingRecord r{};
    testing::fillTypicalRecord(r);
    EXPECT_FALSE(lawItemsFor(r, 2019).shown);  // the form had no such boxes

    const LawItems y2022 = lawItemsFor(r, 2022);
    EXPECT_TRUE(y2022.shown);
    EXPECT_EQ(y2022.basic, 480'000);
    // Pay above 8,500,000 with a dependant under 23: 10 % of the excess.
    EXPECT_EQ(y2022.incomeAdjustment, 70'000);
    EXPECT_EQ(y2022.specificRelatives, 0);

    r.specificRelativeIncome[0] = 1'000'000;
    r.specificRelativeIncome[1] = 1'230'001;  // above the last band: counted, no deduction
    const LawItems y2026 = lawItemsFor(r, 2026);
    EXPECT_EQ(y2026.basic, 620'000);
    EXPECT_EQ(y2026.specificRelatives, 2);
    EXPECT_EQ(y2026.specificRelativeDeduction, 410'000);

    r.flags.secondaryColumn = 1;  // 乙欄: no adjustment, nothing to show
    EXPECT_FALSE(lawItemsFor(r, 2026).shown);
    r.flags.secondaryColumn = 0;
    r.totalDeductions = 0;  // not adjusted yet
    EXPECT_FALSE(lawItemsFor(r, 2026).shown);
}

}  // namespace
}  // namespace keiro::withholding
