// The 支給控除一覧: the monthly list's amount rows per employee with the company's sums, and the
// overtime entered where a unit price of 0 yen pays nothing.
#include "print/pay_summary.h"

#include <gtest/gtest.h>

#include "tests/print/ledger_fixture.h"

namespace keiro::print {
namespace {

TEST(PaySummaryTest, EachEmployeesAmountsAndTheCompanySums) {
    auto block = testing_support::newBlock();
    testing_support::addEmployee(*block, 3, "260101_090000", "山田 太郎", 250000);
    testing_support::addEmployee(*block, 5, "260101_090001", "鈴木 花子", 200000);
    block->employee(5).overtimeRate = 1800;

    const PaySummary summary = paySummary(*block, TableOptions{}, {5, 3});
    ASSERT_EQ(summary.employees.size(), 2u);
    EXPECT_EQ(summary.employees[0].name, "鈴木 花子");  // in the order asked for
    std::size_t net = 0;
    for (std::size_t r = 0; r < summary.rows.size(); ++r) {
        if (summary.rows[r].label == "差引支給額") net = r;
        EXPECT_FALSE(summary.rows[r].label.empty());  // no header, no attendance
        EXPECT_EQ(summary.company[r], summary.employees[0].yen[r] + summary.employees[1].yen[r]);
    }
    ASSERT_EQ(summary.rows[net].label, "差引支給額");
    EXPECT_TRUE(summary.rows[net].total);
    EXPECT_EQ(summary.employees[1].yen[net], 241700);  // 255,000 + 1,000 − 14,300
    // 1:30 of overtime: paid for 鈴木, nothing for 山田, whose unit price is 0.
    EXPECT_EQ(summary.unpaidOvertime, std::vector<std::string>{"山田 太郎(普通残業)"});
}

}  // namespace
}  // namespace keiro::print
