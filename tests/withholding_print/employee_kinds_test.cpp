// The documents of the employees every office has besides the plain full-year one: 乙欄 and
// leavers not adjusted, a spouse deduction, a housing credit larger than the tax, the 2024 flat
// cut, ひとり親; the employee's own individual number on the copies that carry numbers only;
// the notice's title and sentence by the sign of the difference.
#include <gtest/gtest.h>

#include <cctype>

#include "tests/support/golden.h"
#include "tests/withholding_print/document_fixture.h"
#include "withholding/print/document_report.h"
#include "withholding/print/form_drawing.h"
#include "withholding/print/refund_notice.h"
#include "withholding/print/slip_entries.h"

namespace keiro::withholding {
namespace {

using testing::DocumentYear;
using testing::drawn;
using testing_support::expectMatchesGolden;

constexpr long long kEmployeeNumber = 98765432109;  // 098765432109 in twelve boxes

bool hasText(const std::string& drawing, const std::string& text) {
    return drawing.find("\"" + text + "\"") != std::string::npos;
}

// The 源泉徴収票 of one employee of the year: its record to fill, the drawings to look at.
struct OneEmployee {
    DocumentYear year;
    explicit OneEmployee(int eraYear) : year("令和", eraYear) {
        year.addEmployee(1, "山田 太郎");
        year.december->employee(1).myNumber = kEmployeeNumber;
        WithholdingRecord& r = record();
        r.paid = 3'600'000;
        r.withheld = 85'000;
        r.socialInsurance = 520'000;
        r.adjustStatus = kCalculated;
        r.figuresStored = 1;
    }
    WithholdingRecord& record() { return year.record(1); }
    // The entries of the tax office's copy, without the ruled form.
    std::string entries() const {
        print::RecordingCanvas canvas(testing::tenPerMm());
        const SlipCopy copy{false, CopyName::TaxOffice, formEdition(year.source.calendarYear())};
        drawSlipEntries(canvas, copy, year.source, 1, {});
        return canvas.recording();
    }
    std::string sheet(DocumentKind kind) const {
        return drawn(*makeDocumentReport(year.source, {1}, kind), 1);
    }
};

// Who the adjustment leaves out: the slip's tax is what was withheld, and the notice says that
// there is nothing to refund or collect.
void notAdjusted(WithholdingRecord& r) {
    r.adjustStatus = kNotAdjusted;
    r.annualTax = r.withheld;
    r.incomeAfterDeduction = 0;
    r.totalDeductions = 0;
}

TEST(EmployeeKindsTest, EachKindsSlipBoxesOnTheTaxOfficeCopy) {
    std::string all;
    auto add = [&all](const std::string& kind, const std::string& drawing) {
        all += "# " + kind + "\n" + drawing;
    };

    OneEmployee secondary(8);
    secondary.record().flags.secondaryColumn = 1;
    secondary.record().withheld = 38'206;
    notAdjusted(secondary.record());
    const std::string secondaryEntries = secondary.entries();
    EXPECT_TRUE(hasText(secondaryEntries, " 38"));  // 源泉徴収税額 38 206: the tax withheld
    EXPECT_TRUE(hasText(secondaryEntries, "206"));
    add("乙欄, not adjusted", secondaryEntries);

    OneEmployee leaver(8);
    JoinLeaveBirth& j = leaver.record().joinLeaveBirth;
    j.left = 1;
    j.changeYear = 8;
    j.changeMonth = 9;
    j.changeDay = 30;
    notAdjusted(leaver.record());
    add("leaver without an exception, not adjusted", leaver.entries());

    OneEmployee spouse(8);
    spouse.record().spouseDeductible = 1;
    spouse.record().spouseSpecial = 0;  // the special deduction's field: nothing
    spouse.record().spouseAmountGiven = 380'000;
    const std::string spouseEntries = spouse.entries();
    EXPECT_TRUE(hasText(spouseEntries, "380"));
    add("spouse deduction of 380,000", spouseEntries);

    OneEmployee housing(8);
    housing.record().housingLoanCredit = 120'000;
    housing.record().housingLoanUsed = 41'750;
    housing.record().housingLoanAvailable = 120'000;
    housing.record().housingLoanCount = 1;
    const std::string housingEntries = housing.entries();
    EXPECT_TRUE(hasText(housingEntries, " 41"));  // the 住宅借入金等特別控除の額: 41 750
    EXPECT_TRUE(hasText(housingEntries, "750"));
    EXPECT_TRUE(hasText(housingEntries, "120,000"));  // the 内訳's 可能額
    add("housing credit used 41,750 of 120,000", housingEntries);

    OneEmployee flatCut(6);
    flatCut.record().remarks[0].assign("前職分 支払金額 800,000円");
    flatCut.record().flatCutApplied = 60'000;
    flatCut.record().flatCutSpouseNotDeductible = 1;
    const std::string flatCutEntries = flatCut.entries();
    EXPECT_TRUE(hasText(flatCutEntries, "源泉徴収時所得税減税控除済額 60,000円"));
    EXPECT_TRUE(hasText(flatCutEntries, "非控除対象配偶者減税有"));
    add("令和6年分 flat cut", flatCutEntries);

    OneEmployee singleParent(2);
    singleParent.record().flags.widow = 1;
    singleParent.record().singleParent = 1;
    add("ひとり親 in 2020", singleParent.entries());
    const std::string form = singleParent.sheet(DocumentKind::Slip);
    EXPECT_TRUE(hasText(form, "寡婦"));
    EXPECT_TRUE(hasText(form, "ひとり"));
    EXPECT_FALSE(hasText(form, "寡　婦"));  // the two columns of 一般 and 特別 are gone
    EXPECT_FALSE(hasText(form, "一般"));

    expectMatchesGolden(all, "withholding/slip_employee_kinds.txt");
}

// The digits of the employee's own (個人番号) row (27.8 mm) on the left and the right copy.
std::pair<std::string, std::string> ownNumberDigits(const OneEmployee& e, DocumentKind kind) {
    print::RecordingCanvas canvas(testing::tenPerMm());
    makeDocumentReport(e.year.source, {1}, kind)->drawPage(canvas, 1, {});
    std::pair<std::string, std::string> digits;
    for (const auto& text : canvas.texts()) {
        if (text.size() != 1 || text[0].at.y != 275) continue;
        (text[0].at.x < 1385 ? digits.first : digits.second) += text[0].character;
    }
    return digits;
}

// Single digits: what the number boxes hold (amounts are drawn in groups, counts left empty).
int boxedDigits(const OneEmployee& e, CopyName name) {
    print::RecordingCanvas canvas(testing::tenPerMm());
    drawSlipEntries(canvas, {false, name, formEdition(2026)}, e.year.source, 1, {});
    int count = 0;
    for (const auto& text : canvas.texts()) {
        if (text.size() == 1 && std::isdigit(static_cast<unsigned char>(text[0].character[0]))) {
            ++count;
        }
    }
    return count;
}

TEST(EmployeeKindsTest, OwnNumberOnTheTaxOfficeCopyAndTheReportNeverOnTheRecipients) {
    OneEmployee one(8);
    using Digits = std::pair<std::string, std::string>;
    EXPECT_EQ(ownNumberDigits(one, DocumentKind::Slip), (Digits{"", "098765432109"}));
    EXPECT_EQ(ownNumberDigits(one, DocumentKind::PaymentReport),
              (Digits{"098765432109", "098765432109"}));
    one.year.december->employee(1).myNumber = 0;  // none in the master: the boxes stay empty
    EXPECT_EQ(ownNumberDigits(one, DocumentKind::Slip), (Digits{"", ""}));
}

TEST(EmployeeKindsTest, RecipientCopyCarriesNoIndividualNumberAtAll) {
    OneEmployee one(8);
    WithholdingRecord& r = one.record();
    r.spouse.myNumber = 123456789012;
    r.dependantEntries[0].myNumber = 234567890123;
    r.under16Entries[3].myNumber = 345678901234;
    // The employee's, the spouse's, two dependants' and the payer's 13 digits.
    EXPECT_EQ(boxedDigits(one, CopyName::TaxOffice), 4 * kPersonalNumberDigits + 13);
    EXPECT_EQ(boxedDigits(one, CopyName::Recipient), 0);
}

TEST(NoticeWordingTest, TitleAndSentenceFollowTheSignOfTheDifference) {
    EXPECT_EQ(noticeWording(-20'000, true),
              (NoticeWording{"還付金通知書", "年末調整の結果、過不足税額 20,000円を還付します。"}));
    EXPECT_EQ(noticeWording(1'500, true),
              (NoticeWording{"不足額徴収通知書",
                             "年末調整の結果、不足額 1,500円を給与から徴収します。"}));
    EXPECT_EQ(noticeWording(0, true).title, "年末調整通知書");
    EXPECT_EQ(noticeWording(0, true).sentence,
              "年末調整の結果、還付又は徴収する税額はありません。");
    EXPECT_EQ(noticeWording(0, false).sentence,
              "年末調整の対象とならないため、還付又は徴収する税額はありません。");
}

TEST(NoticeWordingTest, NoticesOfACollectionAndOfAnEmployeeNotAdjusted) {
    OneEmployee owes(8);
    owes.record().annualTax = 105'000;  // withheld 85,000
    const std::string collection = owes.sheet(DocumentKind::RefundNotice);
    EXPECT_TRUE(hasText(collection, "不足額徴収通知書"));
    EXPECT_FALSE(hasText(collection, "還付金通知書"));
    EXPECT_TRUE(hasText(collection, "     20,000"));
    EXPECT_TRUE(hasText(collection, "年末調整の結果、不足額 20,000円を給与から徴収します。"));
    // The longer title starts two characters further left, to end before the year label.
    EXPECT_NE(collection.find("text 357 200 \"不足額徴収通知書\""), std::string::npos);
    expectMatchesGolden(collection, "withholding/collection_notice.txt");

    OneEmployee secondary(8);
    secondary.record().flags.secondaryColumn = 1;
    notAdjusted(secondary.record());
    const std::string none = secondary.sheet(DocumentKind::RefundNotice);
    EXPECT_TRUE(hasText(none, "年末調整通知書"));
    EXPECT_TRUE(hasText(none, "          0"));  // 過不足税額
    EXPECT_TRUE(hasText(none, "年末調整の対象とならないため、還付又は徴収する税額はありません。"));
}

}  // namespace
}  // namespace keiro::withholding
