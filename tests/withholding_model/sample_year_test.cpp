// The sample company's whole 2026, as the year-end adjustment of January 2027 sees it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <set>
#include <string>

#include "sample/sample_company.h"
#include "tests/support/temp_folder.h"
#include "withholding/model/opening.h"
#include "withholding/model/yearly_totals.h"

namespace keiro::withholding {
namespace {

using namespace std::chrono;

const EraNames kNames{"平成", "令和"};

TEST(WithholdingSampleYear, BuildsTheYearFromEveryPeriodOfTheSampleCompany) {
    testing_support::TempFolder folder("keiro-wh-sample");
    const sample::SampleFiles files = sample::createSampleCompany(
        folder / "root", year_month_day{2027y, January, 15d}, KEIRO_BINARY_DIR "/bin");
    ASSERT_EQ(files.yearFiles.size(), 2u);
    YearView year(files.yearFiles[0]);
    const WithholdingPaths paths = withholdingPathsFor(year.path(), {"令和", 8}, kNames);
    const std::optional<WithholdingFile> file = openWithholdingFile(year, paths);
    ASSERT_TRUE(file.has_value());

    // Whatever slot an employee had in a period, the year's totals of the file are those of the
    // December employees, and a bonus counts like a month.
    std::set<std::string> ids;
    const PeriodBlock& december = year.block(12);
    for (const EmployeeRecord& e : december.employees) {
        if (e.isUsed()) ids.insert(std::string(e.recordId.bytes()));
    }
    std::int64_t expectedPaid = 0;
    std::int64_t expectedTax = 0;
    int bonusesPaid = 0;
    for (int period = 1; period <= kPeriodCount; ++period) {
        if (!year.isSaved(period)) continue;
        bonusesPaid += isBonusPeriod(period) ? 1 : 0;
        const PeriodBlock& block = year.block(period);
        for (int i = 0; i < kMaxEmployees; ++i) {
            if (ids.count(std::string(block.employees[i].recordId.bytes())) == 0) continue;
            expectedPaid += block.payments[i].taxablePayTotal;
            expectedTax += block.deductions[i].incomeTax;
        }
    }
    EXPECT_GE(bonusesPaid, 2);

    std::int64_t paid = 0;
    std::int64_t tax = 0;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const WithholdingRecord& r = file->record(slot);
        const EmployeeRecord& e = december.employee(slot);
        paid += r.paid;
        tax += r.withheld;
        EXPECT_EQ(r.flags.secondaryColumn, e.taxColumn == 1 ? 1 : 0) << slot;
        EXPECT_EQ(r.furigana.bytes(), e.nameKana.bytes()) << slot;
        EXPECT_EQ(r.joinLeaveBirth.birth.year, e.birthYear) << slot;
        EXPECT_EQ(r.dependants.general, e.dependents) << "扶養人数 from payroll, " << slot;
        if (e.isUsed() && e.workStatus == 1) {
            EXPECT_GT(r.paid, 1'000'000) << slot;
        }
        if (!e.isUsed()) {
            EXPECT_EQ(r.paid, 0) << slot;
        }
    }
    EXPECT_EQ(paid, expectedPaid);
    EXPECT_EQ(tax, expectedTax);

    // The new year has no December yet: nothing to adjust.
    YearView next(files.yearFiles[1]);
    EXPECT_FALSE(openWithholdingFile(next, withholdingPathsFor(next.path(), {"令和", 9}, kNames))
                     .has_value());
}

}  // namespace
}  // namespace keiro::withholding
