// What a copy leaves empty and what it always prints: amounts only when positive except the
// tax, the spouse special deduction only where it means something, counts of 0 left out.
#include <gtest/gtest.h>

#include <algorithm>

#include "print/recording_canvas.h"
#include "tests/withholding_print/document_fixture.h"
#include "withholding/print/slip_entries.h"

namespace keiro::withholding {
namespace {

using testing::DocumentYear;

// The texts of one tax-office copy of slot 1, the later items left out.
std::vector<std::string> copyTexts(const DocumentYear& year) {
    print::RecordingCanvas canvas(testing::tenPerMm());
    drawSlipEntries(canvas, {false, CopyName::TaxOffice, {}}, year.source, 1, {});
    std::vector<std::string> out;
    for (const auto& glyphs : canvas.texts()) {
        std::string text;
        for (const auto& g : glyphs) text += g.character;
        out.push_back(text);
    }
    return out;
}

bool has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(SlipEntriesTest, ZeroAmountsStayEmptyButTheTaxIsAlwaysThere) {
    DocumentYear year("令和", 8);
    year.addEmployee(1, "山田 太郎");
    year.december->settings.corporateNumber = 0;  // its digit boxes would hold a 0
    WithholdingRecord& r = year.record(1);
    r.paid = 1'500'000;
    r.incomeAfterDeduction = 950'000;
    const auto texts = copyTexts(year);
    EXPECT_TRUE(has(texts, "500"));  // 支払金額 1 500 000
    EXPECT_TRUE(has(texts, "950"));
    EXPECT_TRUE(has(texts, "  0"));  // 源泉徴収税額 0 is printed, the deductions' 0 is not
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "  0"), 1);
    EXPECT_FALSE(has(texts, "0"));  // no count of 0
}

TEST(SlipEntriesTest, SpouseSpecialDeductionWhereItIsEnteredOrHasAnIncome) {
    EXPECT_TRUE(spouseSpecialAlwaysShown({"令和", 8}));
    EXPECT_TRUE(spouseSpecialAlwaysShown({"平成", 30}));
    EXPECT_FALSE(spouseSpecialAlwaysShown({"平成", 29}));
    EXPECT_TRUE(spouseSpecialAlwaysShown({"平成", 19}));

    DocumentYear year("平成", 29);
    year.addEmployee(1, "山田 太郎");
    year.record(1).spouseSpecial = 260'000;
    EXPECT_FALSE(has(copyTexts(year), "260"));  // no spouse income: an old amount, not printed
    year.record(1).spouseIncome = 900'000;
    EXPECT_TRUE(has(copyTexts(year), "260"));
}

}  // namespace
}  // namespace keiro::withholding
