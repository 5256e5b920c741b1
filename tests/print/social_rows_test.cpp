// The revisions, the bonus report and the labour insurance summary as texts: which grades show,
// the caps named where they cut, missing months and the premiums with their rates.
#include <gtest/gtest.h>

#include "print/social_rows.h"

namespace keiro::print {
namespace {

TEST(SocialRowsTest, ARevisionShowsOnlyTheGradesItRevisesAndItsMonths) {
    calc::RevisionLine l;
    l.slot = 2;
    l.name = "高橋 誠";
    l.changeMonth = 202604;
    l.appliesFrom = 202607;
    l.direction = -1;
    l.months = {
        {{4, true, 30, 250'000, false}, {5, true, 31, 251'000, false}, {6, false, 0, 0, false}}};
    l.result.average = 250'500;
    l.result.health = true;
    l.result.grades = {20, 17, 260'000, 260'000};
    l.previous = {23, 20, 320'000, 320'000};
    const TextTable t = revisionTable({l}, "会社", 2026, false);
    ASSERT_EQ(t.rows.size(), 1u);
    const std::vector<std::string>& row = t.rows[0];
    ASSERT_EQ(row.size(), t.headings.size());
    EXPECT_EQ(row[2], "2026年4月");
    EXPECT_EQ(row[3], "降給");
    EXPECT_EQ(row[5], "250,000");
    EXPECT_EQ(row[8], "");  // June not paid
    EXPECT_EQ(row[11], "20");
    EXPECT_EQ(row[12], "");  // pension not revised
    EXPECT_EQ(row[14], "20");
    EXPECT_EQ(row[15], "2026年7月");
    EXPECT_EQ(revisionTable({l}, "会社", 2026, true).rows[0][10], "250500");
    EXPECT_EQ(row[16], "健保のみ");

    l.result.remuneration = 240'500;
    l.backPay = 30'000;
    l.backPayMonth = 202604;
    EXPECT_EQ(revisionTable({l}, "会社", 2026, false).rows[0][16],
              "遡及4月30,000 修正平均額240,500 健保のみ");
    l.over70 = true;
    EXPECT_EQ(revisionTable({l}, "会社", 2026, false).rows[0][16],
              "遡及4月30,000 修正平均額240,500 70歳以上被用者月額変更");
}

TEST(SocialRowsTest, BonusLinesNameTheCapsThatCutThem) {
    calc::BonusLine under{1, "佐藤", {20260710, 801'500, 801'000, 801'000, 801'000, 801'000, 0}};
    calc::BonusLine over{
        2, "鈴木", {20260710, 2'000'000, 2'000'000, 730'000, 5'730'000, 1'500'000, 0}};
    const TextTable t = bonusTable({under, over}, "会社", 20260710, false);
    EXPECT_EQ(t.subtitle, "支給日 2026年7月10日");
    EXPECT_EQ(t.rows[0][4], "801,000");
    EXPECT_EQ(t.rows[0][8], "");
    EXPECT_EQ(t.rows[1][5], "730,000");
    EXPECT_EQ(t.rows[1][8], "健保年度上限573万円 厚年上限150万円");
    EXPECT_EQ(bonusTable({over}, "会社", 20260710, true).rows[0][6], "5730000");
}

TEST(SocialRowsTest, LabourSummaryMarksMissingMonthsAndStatesBasesRatesAndPremiums) {
    calc::LabourTotals totals;
    calc::LabourRow april;
    april.label = "4月";
    april.regular.add(300'000);
    april.accidentTotal.add(300'000);
    calc::LabourRow march;
    march.label = "3月";
    march.missing = true;
    totals.rows = {april, march};
    totals.total = april;
    totals.accidentBase = 300'000;
    totals.employmentBase = 0;
    totals.accidentPremium = 900;
    totals.employmentPremium = 0;
    totals.levy = 6;
    totals.missingMonths = {"3月"};
    const calc::LabourRates rates{300, 1'450, 2};
    const TextTable t = labourTable(totals, rates, "会社", 2025, false);
    EXPECT_EQ(t.subtitle, "2025年4月〜2026年3月");
    ASSERT_EQ(t.rows.size(), 3u);  // the months and the total
    EXPECT_EQ(t.rows[0][1], "300,000");
    EXPECT_EQ(t.rows[0][2], "1");
    EXPECT_EQ(t.rows[1][1], "データなし");
    EXPECT_EQ(t.rows[1][2], "");
    EXPECT_EQ(t.rows[2][0], "合計");
    ASSERT_EQ(t.notes.size(), 4u);
    EXPECT_NE(t.notes[1].find("労災保険 3/1000: 900円"), std::string::npos);
    EXPECT_NE(t.notes[1].find("雇用保険 14.5/1000: 0円"), std::string::npos);
    EXPECT_NE(t.notes[1].find("一般拠出金 0.02/1000: 6円"), std::string::npos);
    EXPECT_NE(t.notes[3].find("3月"), std::string::npos);
    EXPECT_EQ(csvRowsOf(t).front(), t.headings);
    EXPECT_EQ(csvRowsOf(t).size(), 4u);
}

TEST(SocialRows, RenewalNotesGiveTheEstimateTheSettlementAndThePayment) {
    calc::LabourRenewal r;
    r.nextRates = calc::LabourRates{300, 1'350, 2};
    r.nextEstimate = calc::estimateLabour(8'763'000, 7'801'000, *r.nextRates);
    r.settlement = calc::settleLabour(139'403, 136'725, r.nextEstimate->total(), 175);
    const std::vector<std::string> notes = labourRenewalNotes(r, 2025);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_NE(notes[0].find("2026年度概算保険料"), std::string::npos);
    EXPECT_NE(notes[0].find("計 131,602円"), std::string::npos);
    EXPECT_NE(notes[1].find("不足額 2,678円"), std::string::npos);
    EXPECT_NE(notes[2].find("134,455円"), std::string::npos);

    r.settlement = calc::settleLabour(100'000, 250'000, r.nextEstimate->total(), 175);
    EXPECT_NE(
        labourRenewalNotes(r, 2025)[1].find("超過額 150,000円（充当 131,602円、還付 18,398円）"),
        std::string::npos);

    // Neither the next rate nor the 概算 paid known: say so rather than show a figure.
    const std::vector<std::string> unknown = labourRenewalNotes(calc::LabourRenewal{}, 2026);
    ASSERT_EQ(unknown.size(), 2u);
    EXPECT_NE(unknown[0].find("2027年度の雇用保険料率がない"), std::string::npos);
    EXPECT_NE(unknown[1].find("精算できません"), std::string::npos);
}

}  // namespace
}  // namespace keiro::print
