// The 摘要 lines: what the clerk typed keeps its place, then the lines written from the
// declarations (定額減税, 前職分, the fifth dependant on, 特定親族 without a free line), packed
// and set smaller when they outgrow the five lines, never dropped.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "print/canvas.h"
#include "withholding/print/slip_remarks.h"

namespace keiro::withholding {
namespace {

using Lines = std::vector<std::string>;

const EraNames kEras{"平成", "令和"};

Lines remarks(const WithholdingRecord& r, int year, const WithholdingSupplement& s = {},
              bool withNumbers = false) {
    return remarkLines(r, s, {year, kEras, withNumbers, false, year >= 2025});
}

// Whether some line holds the text.
bool written(const Lines& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(text) != std::string::npos;
    });
}

PreviousEmployer employer(const std::string& name, const std::string& address) {
    PreviousEmployer p{};
    p.payerName.assign(name);
    p.payerAddress.assign(address);
    p.leftOn = {125, 6, 30};  // 2025-06-30
    p.pay = 1'234'567;
    p.tax = 12'345;
    p.socialInsurance = 123'456;
    return p;
}

TEST(SlipRemarksTest, FlatCutRemarksFollowTheTypedLinesIn2024Only) {
    WithholdingRecord r{};
    r.remarks[0].assign("前職分 支払金額 1,000,000円");
    r.remarks[2].assign("住宅借入金等 1回目");
    r.figuresStored = 1;
    r.flatCutApplied = 48'000;
    r.flatCutNotApplied = 42'000;
    r.flatCutSpouseNotDeductible = 1;
    const Lines lines = remarks(r, 2024);
    EXPECT_EQ(lines[1], "");  // a gap the clerk left stays
    EXPECT_EQ(lines[3], "源泉徴収時所得税減税控除済額 48,000円");
    EXPECT_EQ(lines[4], "控除外額 42,000円、非控除対象配偶者減税有");  // no line left: appended
    EXPECT_EQ(remarks(r, 2025)[3], "");
    r.figuresStored = 0;  // nothing stored to say it
    EXPECT_EQ(remarks(r, 2024)[3], "");
}

TEST(SlipRemarksTest, FlatCutRemarksNeverPushTypedTextOut) {
    WithholdingRecord r{};
    for (int i = 0; i < kRemarkLines; ++i) r.remarks[i].assign("行" + std::to_string(i + 1));
    r.figuresStored = 1;
    r.flatCutApplied = 30'000;
    const Lines lines = remarks(r, 2024);
    EXPECT_EQ(lines[3], "行4");
    EXPECT_EQ(lines[4], "行5、源泉徴収時所得税減税控除済額 30,000円");
    // Entitled but with no tax to take it from: 控除済額 0 is said too.
    WithholdingRecord none{};
    none.figuresStored = 1;
    none.flatCutNotApplied = 30'000;
    EXPECT_EQ(remarks(none, 2024)[0], "源泉徴収時所得税減税控除済額 0円");
    EXPECT_EQ(remarks(none, 2024)[1], "控除外額 30,000円");
}

TEST(SlipRemarksTest, EarlierEmployerInTheOrderOfItsOwnSlip) {
    WithholdingRecord r{};
    r.remarks[0].assign("住宅借入金等 1回目");
    WithholdingSupplement s{};
    s.previousEmployers[0] = employer("株式会社前田商店", "大阪府大阪市北区梅田1-1-1");
    const Lines lines = remarks(r, 2025, s);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "住宅借入金等 1回目");
    EXPECT_EQ(lines[1],
              "前職分 支払金額 1,234,567円 源泉徴収税額 12,345円 社会保険料等の金額 123,456円");
    EXPECT_EQ(lines[2], "住所 大阪府大阪市北区梅田1-1-1 名称 株式会社前田商店 令和7年6月30日退職");
    EXPECT_EQ(lines[3], "");

    // A payer whose address and name do not fit one line: one line each.
    s.previousEmployers[1] = employer("株式会社ながいなまえのしょうかいほんてん",
                                      "北海道札幌市中央区北一条西二丁目三番地 札幌中央ビル九階");
    s.previousEmployers[1].leftOn = {};  // the leaving date not entered
    const Lines two = remarks(r, 2025, s);
    EXPECT_EQ(two[4], "住所 北海道札幌市中央区北一条西二丁目三番地 札幌中央ビル九階");
    ASSERT_EQ(two.size(), 6u);  // a sixth line, set smaller
    EXPECT_EQ(two[5], "名称 株式会社ながいなまえのしょうかいほんてん");
}

TEST(SlipRemarksTest, FifthDependantOnByNameWithTheNumberOnlyWhereNumbersAreShown) {
    WithholdingRecord r{};
    WithholdingSupplement s{};
    s.moreDependants[0].name.assign("山田 五郎");
    s.moreDependants[1].name.assign("山田 六子");
    r.moreDependantNumbers[0].assign("234567890123");
    r.moreDependantNumbers[1].assign("345678901234");
    r.moreUnder16Numbers[0].assign("456789012345");  // a file written before names were kept
    const Lines taxOffice = remarks(r, 2026, s, true);
    EXPECT_EQ(taxOffice[0],
              "5人目以降の控除対象扶養親族 山田 五郎(234567890123)、山田 六子(345678901234)");
    EXPECT_EQ(taxOffice[1], "5人目以降の16歳未満の扶養親族 (456789012345)");
    const Lines recipient = remarks(r, 2026, s, false);
    EXPECT_EQ(recipient[0], "5人目以降の控除対象扶養親族 山田 五郎、山田 六子");
    EXPECT_EQ(recipient[1], "");  // a number without a name says nothing on this copy
    EXPECT_FALSE(written(recipient, "234567890123"));
    // The payment report has boxes for these numbers: the names alone here.
    const Lines report = remarkLines(r, s, {2026, kEras, true, true, true});
    EXPECT_EQ(report[0], recipient[0]);
}

TEST(SlipRemarksTest, TooManyLinesShrinkToTenThenJoinTheLastNothingDropped) {
    WithholdingRecord r{};
    for (int i = 0; i < kRemarkLines; ++i) {
        r.remarks[i].assign("摘要の行" + std::to_string(i + 1) + std::string(60, '*'));
    }
    WithholdingSupplement s{};
    s.previousEmployers[0] = employer("前職一株式会社", "東京都新宿区西新宿2-8-1");
    s.previousEmployers[1] = employer("前職二株式会社", "東京都渋谷区道玄坂1-2-3");
    for (int i = 0; i < 5; ++i) {
        s.moreDependants[i].name.assign("扶養者" + std::to_string(i + 5));
        s.moreUnder16[i].name.assign("年少者" + std::to_string(i + 5));
        r.moreDependantNumbers[i].assign(std::to_string(100000000000 + i));
        r.moreUnder16Numbers[i].assign(std::to_string(200000000000 + i));
    }
    for (int i = 0; i < 4; ++i) {
        r.dependantEntries[i].name.assign("扶養者" + std::to_string(i + 1));
        s.specificRelatives[i].name.assign("特定者" + std::to_string(i + 1));
        r.specificRelativeIncome[i] = 900'000;
    }
    const Lines lines = remarks(r, 2025, s, true);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kMaxRemarkLines));
    EXPECT_EQ(lines[4].substr(0, 13), "摘要の行5");
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(written(lines, "扶養者" + std::to_string(i + 5))) << i;
        EXPECT_TRUE(written(lines, std::to_string(200000000000 + i))) << i;
    }
    for (int i = 1; i <= 4; ++i) EXPECT_TRUE(written(lines, "特定者" + std::to_string(i)));
    EXPECT_TRUE(written(lines, "前職二株式会社"));
    EXPECT_NE(lines.back().find("特定者4"), std::string::npos);  // the last line took what was left

    const RemarkSpacing full = remarkSpacing(5);
    EXPECT_FLOAT_EQ(full.step, 3.1f);
    EXPECT_FLOAT_EQ(full.points, 6.5f);
    const RemarkSpacing ten = remarkSpacing(kMaxRemarkLines);
    EXPECT_FLOAT_EQ(ten.step, 1.55f);
    EXPECT_LT(print::pointsToMm(ten.points), ten.step);  // lines never overlap
}

TEST(SlipRemarksTest, SpecificRelativesTakeFreeDependantLinesAndTheRestGoToRemarks) {
    WithholdingRecord r{};
    WithholdingSupplement s{};
    r.dependantEntries[0].name.assign("山田 一郎");
    r.dependantEntries[2].myNumber = 123456789012;  // a number alone uses the line
    r.specificRelativeIncome[1] = 1'000'000;        // an income with no name yet
    s.specificRelatives[3].name.assign("山田 四葉");
    s.specificRelatives[3].myNumber = 987654321098;
    const std::vector<int> places = specificRelativePlaces(r, s);
    EXPECT_EQ(places, (std::vector<int>{1, 3}));
    EXPECT_EQ(specificRelativeLines(r, places), (std::vector<int>{1, 3}));
    EXPECT_FALSE(written(remarks(r, 2025, s, true), "特定親族"));

    r.dependantEntries[1].name.assign("山田 二郎");
    r.dependantEntries[3].name.assign("山田 三郎");
    EXPECT_EQ(specificRelativeLines(r, places), (std::vector<int>{-1, -1}));
    EXPECT_EQ(remarks(r, 2025, s, true)[0], "特定親族 (氏名未記入)、山田 四葉(987654321098)");
    EXPECT_EQ(remarks(r, 2025, s, false)[0], "特定親族 (氏名未記入)、山田 四葉");
    EXPECT_EQ(remarks(r, 2024, s, true)[0], "");  // the form before 令和7年分 has none
}

TEST(SlipRemarksTest, LeavingDatesInTheEraOfTheDay) {
    EXPECT_EQ(eraDateText({119, 4, 30}, kEras), "平成31年4月30日");
    EXPECT_EQ(eraDateText({119, 5, 1}, kEras), "令和元年5月1日");
    EXPECT_EQ(eraDateText({126, 12, 31}, kEras), "令和8年12月31日");
    EXPECT_EQ(eraDateText({}, kEras), "");
    EXPECT_EQ(eraDateText({125, 13, 1}, kEras), "");              // no such month: nothing
    EXPECT_EQ(eraDateText({85, 3, 31}, kEras), "1985年3月31日");  // before the earlier era
}

}  // namespace
}  // namespace keiro::withholding
