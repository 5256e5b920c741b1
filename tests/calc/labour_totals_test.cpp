// The labour insurance wage summary: the columns, the 1,000-yen cut of both bases, the premiums
// cut to the yen, the combined-rate yen, and the rates of each fiscal year.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "calc/labour_totals.h"
#include "core/fileio.h"

namespace keiro::calc {
namespace {

std::vector<LabourRow> months() {
    return std::vector<LabourRow>(kLabourMonthRows);
}

TEST(LabourTotals, FiscalYear2025WorkedExample) {
    // N1: A employee, B 兼務役員 (worker part), C part-timer not insured, D 代表取締役.
    const std::vector<LabourEntry> entries = {
        {0, LabourColumn::Regular, true, 4'401'999},
        {0, LabourColumn::WorkingDirector, true, 3'400'000},
        {0, LabourColumn::Temporary, false, 961'457},
        {0, LabourColumn::Outside, false, 6'000'000},
    };
    const LabourTotals t = summarizeLabour(
        months(), entries, {300, *employmentRateOf(2025, LabourBusiness::General), 2});
    EXPECT_EQ(t.total.regular.wage, 4'401'999);
    EXPECT_EQ(t.total.director.wage, 3'400'000);
    EXPECT_EQ(t.total.temporary.wage, 961'457);
    EXPECT_EQ(t.total.accidentTotal.wage, 8'763'456);
    EXPECT_EQ(t.total.insured.wage, 4'401'999);
    EXPECT_EQ(t.total.insuredDirector.wage, 3'400'000);
    EXPECT_EQ(t.total.employmentTotal.wage, 7'801'999);
    EXPECT_EQ(t.accidentBase, 8'763'000);
    EXPECT_EQ(t.employmentBase, 7'801'000);
    EXPECT_EQ(t.accidentPremium, 26'289);
    EXPECT_EQ(t.employmentPremium, 113'114);
    EXPECT_EQ(t.levy, 175);

    // N2: the FY2026 estimate on the FY2025 bases at the new rate.
    EXPECT_EQ(labourPremium(7'801'000, *employmentRateOf(2026, LabourBusiness::General)), 105'313);
    EXPECT_EQ(labourPremium(7'650'000, *employmentRateOf(2025, LabourBusiness::General)), 110'925);
    EXPECT_EQ(labourPremium(8'600'000, 300), 25'800);
}

TEST(LabourTotals, EqualBasesGiveTheCombinedYenToAccidentInsurance) {
    // 1,001,000 × 3/1000 = 3,003; × 15.5/1000 = 15,515.5; combined 18.5/1000 = 18,518.5.
    const LabourTotals t =
        summarizeLabour(months(), {{3, LabourColumn::Regular, true, 1'001'999}}, {300, 1'550, 2});
    EXPECT_EQ(t.accidentBase, t.employmentBase);
    EXPECT_EQ(t.employmentPremium, 15'515);
    EXPECT_EQ(t.accidentPremium, 3'003);  // 3,003 + 15,515 = 18,518, the combined amount
    const LabourTotals odd =
        summarizeLabour(months(), {{3, LabourColumn::Regular, true, 1'003'000}}, {300, 1'450, 2});
    // 3,009 + 14,543.5 → 14,543 = 17,552; combined 17.5/1000 = 17,552.5 → 17,552: no change.
    EXPECT_EQ(odd.accidentPremium + odd.employmentPremium, 17'552);
    const LabourTotals gain =
        summarizeLabour(months(), {{3, LabourColumn::Regular, true, 1'001'000}}, {360, 1'450, 2});
    // 3,603.6 → 3,603 and 14,514.5 → 14,514 lose a yen against 18,118.1 → 18,118.
    EXPECT_EQ(gain.employmentPremium, 14'514);
    EXPECT_EQ(gain.accidentPremium, 3'604);
}

TEST(LabourTotals, HeadcountsMissingMonthsAndBonusRows) {
    std::vector<LabourRow> rows = months();
    rows[11].missing = true;
    rows[11].label = "3月";
    rows.push_back(LabourRow{"賞与 7月", false, {}, {}, {}, {}, {}, {}, {}});
    std::vector<LabourEntry> entries;
    for (int m = 0; m < 11; ++m) {
        entries.push_back({m, LabourColumn::Regular, true, 200'000});
        entries.push_back({m, LabourColumn::Temporary, false, 50'000});
    }
    entries.push_back({12, LabourColumn::Regular, true, 300'000});
    const LabourTotals t = summarizeLabour(rows, entries, {300, 1'450, 2});
    EXPECT_EQ(t.missingMonths, std::vector<std::string>{"3月"});
    EXPECT_EQ(t.accidentHeadcount, 1);    // 22 monthly counts ÷ 12
    EXPECT_EQ(t.employmentHeadcount, 1);  // 11 ÷ 12 is 0: at least 1
    EXPECT_EQ(t.total.employmentTotal.wage, 11 * 200'000 + 300'000);
    EXPECT_EQ(t.rows[12].regular.wage, 300'000);
}

TEST(LabourTotals, RatesMatchThePublishedFile) {
    std::istringstream csv(readFile(std::string(KEIRO_SOURCE_DIR) + "/data/labour_rates.csv"));
    std::string line;
    std::getline(csv, line);
    int checked = 0;
    while (std::getline(csv, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string s; std::getline(fields, s, ',');) f.push_back(s);
        if (f[0] != "employment") continue;
        const int year = 2018 + std::stoi(f[2].substr(1));
        const LabourBusiness b = f[1] == "general"     ? LabourBusiness::General
                                 : f[1] == "agri_sake" ? LabourBusiness::AgricultureSake
                                                       : LabourBusiness::Construction;
        EXPECT_EQ(employmentRateOf(year, b), static_cast<int>(std::stod(f[4]) * 100 + 0.5)) << line;
        ++checked;
    }
    EXPECT_EQ(checked, 9);
    EXPECT_FALSE(employmentRateOf(2023, LabourBusiness::General));
}

TEST(LabourTotals, ColumnFromTheRecordOrFromCategoryAndInsurance) {
    EmployeeRecord e{};
    e.category = 1;
    EXPECT_EQ(labourColumnOf(e), LabourColumn::Outside);
    e.category = 2;
    EXPECT_EQ(labourColumnOf(e), LabourColumn::Temporary);
    e.employmentInsured = 1;
    EXPECT_EQ(labourColumnOf(e), LabourColumn::Regular);
    e.social.labourClass = 2;
    EXPECT_EQ(labourColumnOf(e), LabourColumn::WorkingDirector);
}

TEST(LabourTotals, SettlementOfTheWorkedExample) {
    // N2: the FY2025 概算 was paid on FY2024 bases at the FY2025 rates; the FY2026 概算 goes on
    // the FY2025 確定 bases at the FY2026 rates.
    const LabourEstimate paid = estimateLabour(8'600'000, 7'650'000, {300, 1'450, 2});
    EXPECT_EQ(paid.accidentPremium, 25'800);
    EXPECT_EQ(paid.employmentPremium, 110'925);
    EXPECT_EQ(paid.total(), 136'725);
    const LabourEstimate next = estimateLabour(8'763'000, 7'801'000, {300, 1'350, 2});
    EXPECT_EQ(next.employmentPremium, 105'313);  // 105,313.5 cut off
    EXPECT_EQ(next.total(), 131'602);
    const LabourSettlement s = settleLabour(26'289 + 113'114, paid.total(), next.total(), 175);
    EXPECT_EQ(s.shortfall, 2'678);
    EXPECT_EQ(s.surplus, 0);
    EXPECT_EQ(s.payment, 134'455);

    // Paid more than the 確定: the surplus goes against the new 概算, the rest is refunded.
    const LabourSettlement over = settleLabour(100'000, 130'000, 20'000, 175);
    EXPECT_EQ(over.surplus, 30'000);
    EXPECT_EQ(over.credited, 20'000);
    EXPECT_EQ(over.refund, 10'000);
    EXPECT_EQ(over.payment, 175);
    const LabourSettlement some = settleLabour(100'000, 110'000, 131'602, 175);
    EXPECT_EQ(some.payment, 131'602 - 10'000 + 175);
}

TEST(LabourTotals, ExpectedWagesReplaceTheBaseOnlyOutsideHalfToTwice) {
    const LabourRates rates{300, 1'350, 2};
    struct Case {
        std::int64_t expected;
        std::int64_t base;
    };
    for (const Case c : {Case{4'000'000, 8'000'000},   // exactly half: the 確定 base
                         Case{3'999'999, 3'999'000},   // below half: the expectation, cut
                         Case{16'000'000, 8'000'000},  // exactly twice
                         Case{16'001'500, 16'001'000}}) {
        SCOPED_TRACE(c.expected);
        const LabourEstimate e = estimateLabour(8'000'000, 8'000'000, rates, c.expected);
        EXPECT_EQ(e.accidentBase, c.base);
        EXPECT_EQ(e.employmentBase, 8'000'000);  // no expectation given for it
    }
}

}  // namespace
}  // namespace keiro::calc
