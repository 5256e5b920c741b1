// An office that began with the payroll program in October: the totals of January to September
// entered with the employee's master give the year-end adjustment of the same year kept month
// by month.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "tests/support/temp_folder.h"
#include "tests/withholding_model/year_files.h"
#include "withholding/adjust/automatic_calculation.h"
#include "withholding/model/names.h"
#include "withholding/model/opening.h"
#include "withholding/model/yearly_totals.h"

namespace keiro::withholding {
namespace {

namespace fs = std::filesystem;

constexpr const char* kId = "260101_090001";
constexpr int kFirstMonthKept = 10;
constexpr int kSummerBonus = 13;

struct Month {
    std::int32_t taxable, social, tax;
};

// 2026 of one employee: a raise in April, the summer bonus in July.
Month monthOf(int period) {
    if (period == kSummerBonus) return {500'000, 75'000, 20'420};
    return period < 4 ? Month{300'000, 44'000, 6'640} : Month{320'000, 47'000, 7'170};
}

// The year file with the periods from `firstKept` saved; the months before it entered as the
// opening totals of every master kept.
fs::path writeYear(const fs::path& folder, int firstKept) {
    OpeningTotals opening{};
    for (int period = 1; period < firstKept; ++period) {
        opening.taxablePay += monthOf(period).taxable;
        opening.socialInsurance += monthOf(period).social;
        opening.incomeTax += monthOf(period).tax;
        opening.lastPayAfterSocial = monthOf(period).taxable - monthOf(period).social;
    }
    opening.pay = opening.taxablePay + 10'000 * (firstKept - 1);  // with the commuting allowance
    if (firstKept > 7) {  // the summer bonus was paid before the program too
        opening.pay += monthOf(kSummerBonus).taxable;
        opening.taxablePay += monthOf(kSummerBonus).taxable;
        opening.socialInsurance += monthOf(kSummerBonus).social;
        opening.incomeTax += monthOf(kSummerBonus).tax;
    }
    testing::YearFileWriter writer;
    for (int period = firstKept; period <= 12; ++period) {
        const Month m = monthOf(period);
        EmployeeRecord& e = writer.put(period, 1, kId, m.taxable, m.social, m.tax);
        e.name.assign("山田太郎");
        e.workStatus = 1;
        e.opening = opening;
        writer.block(period).settings.companyName.assign("山田商店");
    }
    if (firstKept <= 7) {
        const Month bonus = monthOf(kSummerBonus);
        writer.put(kSummerBonus, 1, kId, bonus.taxable, bonus.social, bonus.tax).opening = opening;
    }
    fs::create_directories(folder);
    const fs::path path = folder / "令和08年給与･賞与.dat";
    writer.write(path);
    return path;
}

struct Adjusted {
    YearlyTotals totals;
    std::int64_t annualTax = 0;
};

Adjusted adjust(const fs::path& yearFile) {
    YearView year(yearFile);
    std::optional<WithholdingFile> file =
        openWithholdingFile(year, withholdingPathsFor(yearFile, {"令和", 8}, {"平成", "令和"}));
    EXPECT_TRUE(file.has_value());
    if (!file) return {};
    const YearEndResult result = calculateSlot(*file, 1, year, 2026, true);
    const WithholdingRecord& r = file->record(1);
    return {{r.paid, r.socialInsurance, r.withheld}, result.annualTax};
}

TEST(OpeningTotalsAtYearEnd, AnOctoberStartGivesTheYearKeptMonthByMonth) {
    testing_support::TempFolder folder("keiro-opening-year-end");
    const Adjusted wholeYear = adjust(writeYear(folder / "whole", 1));
    const Adjusted octoberStart = adjust(writeYear(folder / "october", kFirstMonthKept));

    // 300,000 × 3 + 320,000 × 9 + 500,000; 44,000 × 3 + 47,000 × 9 + 75,000;
    // 6,640 × 3 + 7,170 × 9 + 20,420.
    const YearlyTotals expected{4'280'000, 630'000, 104'870};
    EXPECT_EQ(wholeYear.totals, expected);
    EXPECT_EQ(octoberStart.totals, expected);
    EXPECT_GT(wholeYear.annualTax, 0);
    EXPECT_EQ(octoberStart.annualTax, wholeYear.annualTax);
}

}  // namespace
}  // namespace keiro::withholding
