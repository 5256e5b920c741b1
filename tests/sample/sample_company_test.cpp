// The sample company made in-process: the year before the sample year, written complete from
// January to March, hands its December on to the sample year's January, which comes out the
// same as when there is no year before; each bonus is saved once its pay day is past.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "calc/tax_tables.h"
#include "core/fileio.h"
#include "core/year_view.h"
#include "core/yearfile.h"
#include "sample/company.h"
#include "sample/sample_company.h"
#include "tests/support/temp_folder.h"

namespace keiro::sample {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using std::chrono::year_month_day;

class SampleCompanyTest : public ::testing::Test {
  protected:
    std::vector<fs::path> make(const char* name, year_month_day date,
                               int employees = kSampleEmployees) {
        return createSampleCompany(folder_ / name, date, KEIRO_BINARY_DIR "/bin", employees)
            .yearFiles;
    }

    testing_support::TempFolder folder_{"keiro-sample-test"};
};

bool sameBlock(const fs::path& a, const fs::path& b, int period) {
    return std::memcmp(readPeriodBlock(a, period).get(), readPeriodBlock(b, period).get(),
                       kBlockSize) == 0;
}

TEST_F(SampleCompanyTest, TheYearBeforeIsWorkedThroughWithBothBonuses) {
    const std::vector<fs::path> files = make("feb", 2026y / std::chrono::February / 15d);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].filename(), "令和07年給与･賞与.dat");
    const YearFileHeader header = readYearFileHeader(files[0]);
    for (int k = 1; k <= kPeriodCount; ++k) EXPECT_EQ(header.isSaved(k), k <= 14) << k;
    EXPECT_EQ(header.bonusPayMonth[0], 7);
    EXPECT_EQ(header.bonusPayDay[0], 10);
    EXPECT_EQ(header.bonusPayMonth[1], 12);
    EXPECT_EQ(header.bonusPayDay[1], 10);

    // The employee who left at the end of that year still worked in it: every employed person
    // is paid each month, and each bonus of the roster.
    for (int period = 1; period <= 14; ++period) {
        const auto block = readPeriodBlock(files[0], period);
        for (int slot = 1; slot <= kSampleEmployees; ++slot) {
            const Sample s = sampleOf(slot);
            const EmployeeRecord& e = block->employee(slot);
            ASSERT_TRUE(e.isUsed());
            EXPECT_EQ(e.workStatus, s.status == Status::OnLeave ? 2 : 1) << period << "/" << slot;
            const int bonus = period == 13 ? s.summerBonus : period == 14 ? s.winterBonus : 1;
            const std::int32_t pay = block->payments[slot - 1].payTotal;
            if (e.workStatus == 1 && bonus > 0) {
                EXPECT_GT(pay, block->deductions[slot - 1].deductionTotal) << period << "/" << slot;
            } else {
                EXPECT_EQ(pay, 0) << period << "/" << slot;
            }
        }
    }
    const YearFileHeader current = readYearFileHeader(files[1]);
    for (int k = 1; k <= kPeriodCount; ++k) EXPECT_EQ(current.isSaved(k), k == 1) << k;
}

TEST_F(SampleCompanyTest, JanuaryStartsFromTheDecemberBefore) {
    const std::vector<fs::path> files = make("mar", 2026y / std::chrono::March / 2d);
    ASSERT_EQ(files.size(), 2u);
    const auto december = readPeriodBlock(files[0], 12);
    const auto january = readPeriodBlock(files[1], 1);
    EXPECT_EQ(january->settings.companyName.utf8(), december->settings.companyName.utf8());
    EXPECT_EQ(january->settings.healthInsRate, december->settings.healthInsRate);
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        SCOPED_TRACE(slot);
        EmployeeRecord carried = december->employee(slot);
        const EmployeeRecord& e = january->employee(slot);
        ASSERT_EQ(e.isUsed(), slot <= kSampleEmployees);
        if (!e.isUsed()) continue;
        const Sample s = sampleOf(slot);
        const AttendanceRecord& before = december->attendance[slot - 1];
        const AttendanceRecord& after = january->attendance[slot - 1];
        if (s.status == Status::LeftLastYear) {
            // The clerk records the leaving; the days he did not take go with him.
            EXPECT_EQ(carried.workStatus, 1);
            EXPECT_EQ(e.workStatus, 3);
            EXPECT_GT(before.paidLeaveBalance, 0);
            EXPECT_EQ(after.paidLeaveBalance, 0);
            carried.workStatus = 3;
        } else if (e.workStatus == 1) {
            // December ends with one year's grant, which January carries on.
            EXPECT_EQ(before.paidLeaveBalance, s.leaveGrant);
            EXPECT_EQ(after.paidLeaveBalance, before.paidLeaveBalance - after.paidLeaveDays);
        }
        // The master itself is December's, remarks apart (a new period starts without them).
        carried.remarks = e.remarks;
        EXPECT_EQ(std::memcmp(&carried, &e, sizeof e), 0);
    }
}

// Whether the year before exists changes nothing in the sample year: its months are those of a
// date in April, when only the sample year is written.
TEST_F(SampleCompanyTest, TheSampleYearDoesNotDependOnTheYearBefore) {
    for (const int employees : {kSampleEmployees, kMaxEmployees}) {
        SCOPED_TRACE(employees);
        const std::string n = std::to_string(employees);
        const std::vector<fs::path> march =
            make(("march" + n).c_str(), 2026y / std::chrono::March / 10d, employees);
        const std::vector<fs::path> april =
            make(("april" + n).c_str(), 2026y / std::chrono::April / 10d, employees);
        ASSERT_EQ(march.size(), 2u);
        ASSERT_EQ(april.size(), 1u);
        for (int month = 1; month <= 2; ++month) {
            EXPECT_TRUE(sameBlock(march[1], april[0], month)) << "month " << month;
        }
    }
}

TEST_F(SampleCompanyTest, TheWinterBonusIsSavedAfterItsPayDay) {
    const std::vector<fs::path> onPayDay = make("dec10", 2026y / std::chrono::December / 10d);
    const std::vector<fs::path> after = make("dec11", 2026y / std::chrono::December / 11d);
    ASSERT_EQ(onPayDay.size(), 1u);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_FALSE(readYearFileHeader(onPayDay[0]).isSaved(14));
    const YearFileHeader header = readYearFileHeader(after[0]);
    EXPECT_TRUE(header.isSaved(14));
    EXPECT_FALSE(header.isSaved(12));
    EXPECT_EQ(header.bonusPayMonth[1], 12);
    EXPECT_EQ(header.bonusPayDay[1], 10);
    for (int period = 1; period <= 13; ++period) {
        EXPECT_TRUE(sameBlock(onPayDay[0], after[0], period)) << period;
    }

    const auto bonus = readPeriodBlock(after[0], 14);
    int paid = 0;
    for (int slot = 1; slot <= kSampleEmployees; ++slot) {
        const bool employed = bonus->employee(slot).workStatus == 1;
        const std::int32_t pay = bonus->payments[slot - 1].payTotal;
        EXPECT_EQ(pay, employed ? sampleOf(slot).winterBonus : 0) << slot;
        if (pay > 0) {
            ++paid;
            EXPECT_GT(bonus->deductions[slot - 1].incomeTax, 0) << slot;
        }
    }
    EXPECT_GE(paid, 5);
}

// 協会けんぽ's rates change with the March premiums, which April's pay collects: January to
// March are paid at the fiscal year before's rates, and in April the clerk sets every premium
// again from the grade.  A bonus copies the month before it and collects its own month's rates.
TEST_F(SampleCompanyTest, EachMonthCollectsThePremiumOfTheMonthBeforeAtItsRates) {
    const std::vector<fs::path> files = make("rates", 2026y / std::chrono::February / 15d);
    const YearView before(files[0]);
    const YearView sampleYear(files[1]);
    const struct {
        const PeriodBlock& block;
        double health, nursing;
    } cases[] = {
        {before.block(1), 4.99, 0.80},        // 2025-01 pays 2024-12: 令和6年度
        {before.block(3), 4.99, 0.80},        // pays February's premium
        {before.block(4), 4.955, 0.795},      // pays March's: 令和7年度
        {before.block(13), 4.955, 0.795},     // the July bonus
        {sampleYear.block(1), 4.955, 0.795},  // 2026-01 pays 2025-12
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.block.settings.healthInsRate, c.health);
        EXPECT_EQ(c.block.settings.nursingInsRate, c.nursing);
    }
    // Slot 2 is insured: the premium follows the rate from April on.
    const EmployeeRecord& march = before.block(3).employee(2);
    const EmployeeRecord& april = before.block(4).employee(2);
    ASSERT_GT(march.healthInsPremium, 0);
    EXPECT_EQ(march.insuranceGrade, april.insuranceGrade);
    EXPECT_LT(april.healthInsPremium, march.healthInsPremium);  // 4.955 % below 4.99 %

    const auto april2026 = readPeriodBlock(make("april", 2026y / std::chrono::May / 1d)[0], 4);
    EXPECT_EQ(april2026->settings.healthInsRate, 4.925);  // 令和8年度
    EXPECT_EQ(april2026->settings.nursingInsRate, 0.81);
}

// A year before the newest tables is calculated with its own: November 2025's 甲 tax is that of
// 令和7年分 (with 令和8年分's it came out 420〜430円 lower for every one of them).
TEST_F(SampleCompanyTest, EachYearIsCalculatedWithItsOwnTaxTables) {
    const std::vector<fs::path> files = make("dec2025", 2025y / std::chrono::December / 15d);
    ASSERT_EQ(files.size(), 1u);
    const fs::path built = KEIRO_BINARY_DIR "/bin";
    const auto table2025 = calc::SalaryTaxTable::fromFile(built / "表データ/2025/税額表(給与).dat");
    const auto table2026 = calc::SalaryTaxTable::fromFile(built / "表データ/2026/税額表(給与).dat");
    const calc::YenRounding rounding(sampleSettings().monthRounding);
    const auto november = readPeriodBlock(files[0], 11);
    int checked = 0;
    for (int slot = 1; slot <= kSampleEmployees; ++slot) {
        const EmployeeRecord& e = november->employee(slot);
        const DeductionRecord& d = november->deductions[slot - 1];
        if (!e.isUsed() || e.workStatus != 1 || e.taxColumn != 0 ||
            d.isManual(DeductionRecord::kIncomeTaxItem) || d.incomeTax == 0) {
            continue;
        }
        const int deps = e.dependentRelatives;
        EXPECT_EQ(d.incomeTax, table2025.LookupSalaryTax(d.payAfterSocialIns, 0, deps, rounding))
            << slot;
        const int lower = table2026.LookupSalaryTax(d.payAfterSocialIns, 0, deps, rounding);
        EXPECT_GE(d.incomeTax - lower, 420) << slot;
        EXPECT_LE(d.incomeTax - lower, 430) << slot;
        ++checked;
    }
    EXPECT_GE(checked, 5);
}

TEST_F(SampleCompanyTest, RefusesAHeadCountOutsideTheFile) {
    for (const int employees : {0, kMaxEmployees + 1}) {
        EXPECT_THROW(make("bad", 2026y / std::chrono::May / 1d, employees), std::invalid_argument);
        EXPECT_FALSE(fs::exists(folder_ / "bad"));
    }
}

}  // namespace
}  // namespace keiro::sample
