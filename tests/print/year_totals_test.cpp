// The year chart's figures from the sample company's file: saved periods in order with their
// ledger headings, the company's bars the sum of its employees', and the open period as it
// stands in memory.
#include "print/year_totals.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/demo_year.h"

namespace keiro::print {
namespace {

TEST(YearTotals, TheCompanyIsTheSumOfItsEmployeesAndTheOpenPeriodCountsUnsaved) {
    testing_support::DemoYear demo(11);
    const YearView file(demo.year.path());
    const ItemNames& names = demo.state.settings.itemNames;
    const OpenPeriod open{11, &demo.year.block()};
    const std::vector<PeriodTotals> company = yearTotals(file, open, {}, names);
    ASSERT_GE(company.size(), 11u);
    for (int month = 1; month <= 11; ++month) EXPECT_EQ(company[month - 1].period, month);
    EXPECT_EQ(company[0].label, "１月給与");
    EXPECT_GT(company[10].pay, company[10].deductions);

    std::set<std::string> everyone;
    for (const PeriodTotals& t : company) {
        const PeriodBlock& block = file.block(t.period);
        for (int slot = 1; slot <= kMaxEmployees; ++slot)
            if (block.employee(slot).isUsed())
                everyone.insert(std::string(block.employee(slot).recordId.bytes()));
    }
    std::vector<PeriodTotals> summed = company;
    for (PeriodTotals& t : summed) t.pay = t.deductions = 0;
    for (const std::string& id : everyone) {
        const std::vector<PeriodTotals> one = yearTotals(file, open, id, names);
        ASSERT_EQ(one.size(), company.size());
        for (std::size_t i = 0; i < one.size(); ++i) {
            summed[i].pay += one[i].pay;
            summed[i].deductions += one[i].deductions;
        }
    }
    for (std::size_t i = 0; i < company.size(); ++i) {
        EXPECT_EQ(summed[i].pay, company[i].pay) << company[i].label;
        EXPECT_EQ(summed[i].deductions, company[i].deductions) << company[i].label;
    }

    // A change not yet saved shows; December, never saved, has no bar.
    demo.year.block().payments[0].payTotal += 1'000;
    const std::vector<PeriodTotals> changed = yearTotals(file, open, {}, names);
    EXPECT_EQ(changed[10].pay, company[10].pay + 1'000);
    for (const PeriodTotals& t : changed) EXPECT_NE(t.period, 12);
    EXPECT_TRUE(yearTotals(file, open, "no such id", names)[10].pay == 0);
}

}  // namespace
}  // namespace keiro::print
