// The published premium rates by the month they apply from: which figures a period takes across
// the March and April changes, a new fiscal year added as a file, the built file and its seal,
// the defaults a period's settings get, and the question of a new fiscal year.
#include <gtest/gtest.h>

#include "calc/data_csv.h"
#include "calc/labour_totals.h"
#include "calc/premium_rates.h"
#include "calc/rate_update.h"
#include "calc/table_seal.h"
#include "core/errors.h"
#include "core/fileio.h"
#include "tests/support/temp_folder.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(KEIRO_SOURCE_DIR) / "data";
constexpr const char* kHeader =
    "section,code,name,fiscal_year,applies_from,total_rate_pct,employee_rate_pct,"
    "employer_rate_pct,note\n";

const PremiumRateHistory& published() {
    static const PremiumRateHistory history = PremiumRateHistory::fromDataFolder(kData);
    return history;
}

MilliPercent employeeShare(RateKind kind, std::string_view key, RateMonth month) {
    const std::optional<PremiumRate> rate = published().inForce(kind, key, month);
    return rate ? rate->employee : -1;
}

PeriodSettings settingsWith(double health, double nursing, double support, double employment) {
    PeriodSettings s{};
    s.generalBusiness = 1;
    s.healthInsRate = health;
    s.nursingInsRate = nursing;
    s.supportRate = support;
    s.pensionRate = 9.15;
    s.employmentInsRate = employment;
    return s;
}

TEST(PremiumRates, SalaryPeriodsTakeThePremiumMonthBeforeAndTheirOwnMonthForEmployment) {
    // Period 3 of 2026 carries the February premium: 令和7年度 health and 介護, no levy, and
    // 雇用保険 is still the 令和7年度 5.5/1000 (closed in March).
    PeriodRateMonths march = rateMonthsOf(2026, 3, 0);
    EXPECT_EQ(employeeShare(RateKind::Health, "13", march.premium), 4955);  // 9.91 / 2
    EXPECT_EQ(employeeShare(RateKind::Nursing, "", march.premium), 795);
    EXPECT_EQ(employeeShare(RateKind::Support, "", march.premium), -1);
    EXPECT_EQ(employeeShare(RateKind::Employment, kGeneralBusiness, march.employment), 550);

    // Period 4 carries the March premium: the new health and 介護 rates; April's 雇用保険.
    PeriodRateMonths april = rateMonthsOf(2026, 4, 0);
    EXPECT_EQ(employeeShare(RateKind::Health, "13", april.premium), 4925);  // 9.85 / 2
    EXPECT_EQ(employeeShare(RateKind::Nursing, "", april.premium), 810);
    EXPECT_EQ(employeeShare(RateKind::Support, "", april.premium), -1);
    EXPECT_EQ(employeeShare(RateKind::Employment, kGeneralBusiness, april.employment), 500);
    EXPECT_EQ(employeeShare(RateKind::Employment, kConstructionBusiness, april.employment), 600);

    // Period 5 carries the April premium, the first with the levy.
    EXPECT_EQ(employeeShare(RateKind::Support, "", rateMonthsOf(2026, 5, 0).premium), 115);
    // January's pay carries December's premium of the year before.
    EXPECT_EQ(rateMonthsOf(2027, 1, 0).premium, (RateMonth{2026, 12}));
    EXPECT_EQ(employeeShare(RateKind::Pension, "", rateMonthsOf(2027, 1, 0).premium), 9150);
}

TEST(PremiumRates, BonusesGoByTheirPayMonth) {
    // A bonus paid in March 2026: the new health rate, the old 雇用保険, no levy.
    const PeriodRateMonths march = rateMonthsOf(2026, 13, 3);
    EXPECT_EQ(employeeShare(RateKind::Health, "13", march.premium), 4925);
    EXPECT_EQ(employeeShare(RateKind::Employment, kGeneralBusiness, march.employment), 550);
    EXPECT_EQ(employeeShare(RateKind::Support, "", march.premium), -1);
    const PeriodRateMonths july = rateMonthsOf(2026, 14, 7);
    EXPECT_EQ(employeeShare(RateKind::Support, "", july.premium), 115);
    EXPECT_EQ(employeeShare(RateKind::Employment, kGeneralBusiness, july.employment), 500);
}

TEST(PremiumRates, EveryPrefectureHasBothYearsAndEmploymentAgreesWithTheLabourSummary) {
    EXPECT_EQ(published().healthRatesAt({2026, 3}).size(), 47u);
    EXPECT_EQ(published().healthRatesBefore({2026, 3}).size(), 47u);
    EXPECT_EQ(published().healthRatesBefore({2026, 2}).size(), 0u);  // nothing before 令和7年度
    int employmentRows = 0;
    for (const PremiumRate& r : published().rows()) {
        if (r.kind == RateKind::Health) {
            EXPECT_EQ(r.employee * 2, r.total) << r.name;
        }
        if (r.kind != RateKind::Employment) continue;
        const LabourBusiness business = r.key == kGeneralBusiness ? LabourBusiness::General
                                        : r.key == kConstructionBusiness
                                            ? LabourBusiness::Construction
                                            : LabourBusiness::AgricultureSake;
        EXPECT_EQ(employmentRateOf(r.fiscalYear, business), r.total) << r.key << r.fiscalYear;
        ++employmentRows;
    }
    EXPECT_EQ(employmentRows, 6);  // 令和7年度 and 令和8年度, held once though in both files
}

TEST(PremiumRates, ANewFiscalYearFileIsPickedUpWithoutCode) {
    testing_support::TempFolder folder{"keiro-rates-fy"};
    for (const char* name : {"health_rates_2025.csv", "health_rates_2026.csv"}) {
        writeFileAtomic(folder / name, readFile(kData / name));
    }
    writeFileAtomic(folder / "health_rates_2027.csv",
                    std::string(kHeader) +
                        "health,13,東京都,R9,2027-03,9.70,4.850,4.850,\n"
                        "nursing,,介護,R9,2027-03,1.70,0.850,0.850,\n"
                        "employment,general,一般の事業,R9,2027-04-01,1.300,0.450,0.850,\n");
    const PremiumRateHistory history = PremiumRateHistory::fromDataFolder(folder);
    EXPECT_EQ(history.inForce(RateKind::Health, "13", {2027, 2})->employee, 4925);
    EXPECT_EQ(history.inForce(RateKind::Health, "13", {2027, 3})->employee, 4850);
    EXPECT_EQ(history.inForce(RateKind::Nursing, "", {2027, 3})->employee, 850);
    EXPECT_EQ(history.inForce(RateKind::Employment, kGeneralBusiness, {2027, 4})->employee, 450);

    // The question of period 4 of 2027 over the 令和8年度 rates names the new year.
    const std::optional<RateUpdate> update = proposeRateUpdate(
        settingsWith(4.925, 0.81, 0.115, 0.5), history, rateMonthsOf(2027, 4, 0), 0);
    ASSERT_TRUE(update);
    EXPECT_EQ(update->fiscalYearText, "令和9年度");
    EXPECT_EQ(update->changes.size(), 3u);  // health, 介護, 雇用保険

    // The built file holds the new rows and reads back the same.
    const std::string sealed = sealTable(history.text());
    EXPECT_TRUE(checkPremiumRateFile(sealed).ok());
    writeFileAtomic(folder / "built.dat", sealed);
    EXPECT_EQ(PremiumRateHistory::load(folder / "built.dat").text(), history.text());
}

TEST(PremiumRates, DamagedFilesAndRowsAreRefused) {
    testing_support::TempFolder folder{"keiro-rates-bad"};
    std::string sealed = sealTable(published().text());
    sealed[200] ^= 1;
    writeFileAtomic(folder / "built.dat", sealed);
    EXPECT_THROW(PremiumRateHistory::load(folder / "built.dat"), IoError);
    EXPECT_FALSE(checkPremiumRateFile(sealed).ok());

    const auto refused = [](const std::string& rows) {
        PremiumRateHistory h;
        EXPECT_THROW(h.addCsv(kHeader + rows, "t.csv"), DataError) << rows;
    };
    refused("health,13,東京都,X8,2026-03,9.85,4.925,4.925,\n");  // no era
    refused("health,13,東京都,R8,2026-13,9.85,4.925,4.925,\n");  // no month
    refused("health,13,東京都,R8,2026-03,9.85,9.925,4.925,\n");  // share above the total
    refused("health,13,東京都,R8,2026-03,98.5,49.25,49.25,\n");  // not a premium rate
    refused("health,,東京都,R8,2026-03,9.85,4.925,4.925,\n");    // no prefecture
    refused("health,13,東京都,R2147483647,2026-03,9.85,4.925,4.925,\n");
    refused("health,13,東京都,R8,2026-03,nan,4.925,4.925,\n");
    refused("health,13,東京都,R8\n");  // cut short
    refused(
        "nursing,,介護,R8,2026-03,1.62,0.810,0.810,\n"  // two figures, one month
        "nursing,,介護,R8,2026-03,1.64,0.820,0.820,\n");
}

TEST(RatesOfPeriod, ANew2027PeriodTakesTheNewestPublishedRates) {
    // 令和9年度 is not published: January 2027 takes 令和8年度.
    const RatesOfPeriod r = ratesOfPeriod(published(), rateMonthsOf(2027, 1, 0), 2);
    EXPECT_DOUBLE_EQ(r.generalEmployment, 0.5);
    EXPECT_DOUBLE_EQ(r.otherEmployment, 0.6);
    EXPECT_DOUBLE_EQ(r.nursing, 0.81);
    EXPECT_DOUBLE_EQ(r.pension, 9.15);
    EXPECT_DOUBLE_EQ(r.support, 0.115);
    EXPECT_EQ(r.healthShares.size(), 47u);
    EXPECT_EQ(r.healthFiscalYear, 2026);
    EXPECT_EQ(r.healthFiscalYearText, "令和8年度");

    // Without the file: the dialog's own defaults, the levy by its first month.
    const RatesOfPeriod none = ratesOfPeriod({}, rateMonthsOf(2026, 4, 0), 0);
    EXPECT_DOUBLE_EQ(none.generalEmployment, 0.3);
    EXPECT_DOUBLE_EQ(none.nursing, 0.865);
    EXPECT_DOUBLE_EQ(none.support, 0);
    EXPECT_DOUBLE_EQ(ratesOfPeriod({}, rateMonthsOf(2026, 5, 0), 0).support, 0.115);
    EXPECT_TRUE(none.healthShares.empty());
}

TEST(RateUpdate, LastYearsRatesAreOfferedWithOldAndNewValues) {
    // April 2026 (the March premium) still holding Tokyo's 令和7年度 rates.
    PeriodSettings s = settingsWith(4.955, 0.795, 0, 0.55);
    const std::optional<RateUpdate> update =
        proposeRateUpdate(s, published(), rateMonthsOf(2026, 4, 0), 0);
    ASSERT_TRUE(update);
    EXPECT_EQ(rateUpdateQuestion(*update),
              "令和8年度の料率に更新しますか\n"
              "\n健康保険　4.955% → 4.925%"
              "\n介護保険　0.795% → 0.810%"
              "\n雇用保険　0.550% → 0.500%");
    EXPECT_TRUE(applyRateUpdate(s, *update));
    EXPECT_DOUBLE_EQ(s.healthInsRate, 4.925);
    EXPECT_DOUBLE_EQ(s.nursingInsRate, 0.81);
    EXPECT_DOUBLE_EQ(s.employmentInsRate, 0.5);
    EXPECT_FALSE(proposeRateUpdate(s, published(), rateMonthsOf(2026, 4, 0), 0));

    // May brings the levy.
    const auto levy = proposeRateUpdate(s, published(), rateMonthsOf(2026, 5, 0), 0);
    ASSERT_TRUE(levy);
    EXPECT_EQ(rateUpdateQuestion(*levy),
              "令和8年度の料率に更新しますか\n\n子ども・子育て支援金　0.000% → 0.115%");
    EXPECT_TRUE(applyRateUpdate(s, *levy));
    EXPECT_DOUBLE_EQ(s.supportRate, 0.115);

    // After the first month 9.91 % is 奈良's rate of the year, not 東京's of the year before.
    EXPECT_FALSE(proposeRateUpdate(settingsWith(4.955, 0.81, 0.115, 0.5), published(),
                                   rateMonthsOf(2026, 6, 0), 0));
    // 埼玉's 令和7年度 share, shared with no other rate, is recognised in any later month.
    const auto later = proposeRateUpdate(settingsWith(4.88, 0.81, 0.115, 0.5), published(),
                                         rateMonthsOf(2027, 1, 0), 0);
    ASSERT_TRUE(later);
    EXPECT_DOUBLE_EQ(later->changes.at(0).to, 4.835);

    // Only 雇用保険 behind: nothing kept in the master changes.
    PeriodSettings employmentOnly = s;
    employmentOnly.employmentInsRate = 0.55;
    const auto update2 =
        proposeRateUpdate(employmentOnly, published(), rateMonthsOf(2027, 4, 0), 0);
    ASSERT_TRUE(update2);
    EXPECT_FALSE(applyRateUpdate(employmentOnly, *update2));

    // A business of another kind compares with its own share.
    PeriodSettings construction = s;
    construction.generalBusiness = 0;
    construction.employmentInsRate = 0.6;
    EXPECT_FALSE(proposeRateUpdate(construction, published(), rateMonthsOf(2026, 5, 0), 2));
}

TEST(RateUpdate, RatesTheFiguresCannotSpeakForAreLeftAlone) {
    // A 健康保険組合's own health and 介護 rates: nothing to offer.
    EXPECT_FALSE(proposeRateUpdate(settingsWith(4.6, 0.9, 0.115, 0.5), published(),
                                   rateMonthsOf(2026, 5, 0), 0));
    // Before the levy's first month no levy is offered.
    EXPECT_FALSE(proposeRateUpdate(settingsWith(4.925, 0.81, 0, 0.5), published(),
                                   rateMonthsOf(2026, 4, 0), 0));

    // Two prefectures shared last year's rate and moved apart: which one is not known.
    PremiumRateHistory h;
    h.addCsv(std::string(kHeader) +
                 "health,01,甲県,R7,2025-03,10.00,5.000,5.000,\n"
                 "health,02,乙県,R7,2025-03,10.00,5.000,5.000,\n"
                 "health,01,甲県,R8,2026-03,9.90,4.950,4.950,\n"
                 "health,02,乙県,R8,2026-03,9.80,4.900,4.900,\n",
             "t.csv");
    EXPECT_FALSE(proposeRateUpdate(settingsWith(5.0, 0, 0, 0), h, rateMonthsOf(2026, 5, 0), 0));
    // Moved together, the new rate is known.
    PremiumRateHistory together;
    together.addCsv(std::string(kHeader) +
                        "health,01,甲県,R7,2025-03,10.00,5.000,5.000,\n"
                        "health,02,乙県,R7,2025-03,10.00,5.000,5.000,\n"
                        "health,01,甲県,R8,2026-03,9.90,4.950,4.950,\n"
                        "health,02,乙県,R8,2026-03,9.90,4.950,4.950,\n",
                    "t.csv");
    const auto update =
        proposeRateUpdate(settingsWith(5.0, 0, 0, 0), together, rateMonthsOf(2026, 5, 0), 0);
    ASSERT_TRUE(update);
    EXPECT_DOUBLE_EQ(update->changes.at(0).to, 4.95);
}

}  // namespace
}  // namespace keiro::calc
