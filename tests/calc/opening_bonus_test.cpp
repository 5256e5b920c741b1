// The bonus of an office that began with the program in December: the pay of the month before,
// not in the file, comes from the totals entered for the months before the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "calc/pay_calc.h"
#include "tests/support/pay_fixture.h"

namespace keiro::calc::testing {
namespace {

using OpeningBonusTest = PayFixture;

constexpr const char* kId = "260101_090001";

TEST_F(OpeningBonusTest, ADecemberStartTaxesTheBonusByTheRateTableLikeAYearKeptMonthByMonth) {
    const struct {
        const char* what;
        bool novemberSaved;           // the year kept month by month
        bool inNovember;              // the employee is in that November
        std::int32_t openingLastPay;  // entered for the months before the program
        std::int32_t expectedTax;
        bool byRateTable;
    } cases[] = {
        // 甲, no dependants, P 250,000: 4.084 % of 600,000 = 24,504.
        {"kept month by month", true, true, 0, 24'504, true},
        {"December start with the last month entered", false, false, 250'000, 24'504, true},
        // Nothing to go on: the monthly-table method, and the clerk is asked.
        {"December start without it", false, false, 0, -1, false},
        // November is in the file and did not pay him: the entered figure does not override it.
        {"November kept without him", true, false, 250'000, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(file(kReiwa8));
        if (c.novemberSaved) {
            auto november = std::make_unique<PeriodBlock>();
            addEmployee(*november, 3, {.recordId = c.inNovember ? kId : "260101_099999"});
            november->deductions[2].payAfterSocialIns = 250'000;
            writeBlock(kReiwa8, 11, *november);
        }
        settings_.bonusRounding.deduction = RoundingMode::Truncate;
        openBonus(14, 12);
        EmployeeRecord& e = addEmployee(1, {.recordId = kId});
        e.opening.lastPayAfterSocial = c.openingLastPay;
        payment(1).basePayAmount = 600'000;

        const PeriodInputs inputs = loadPeriodInputs(year_);
        EXPECT_EQ(inputs.previousMonthKept, c.novemberSaved);
        EXPECT_EQ(ComputeBonus(year_, 1, ctx(), inputs), c.byRateTable);
        EXPECT_EQ(deduction(1).payAfterSocialIns, 600'000);
        if (c.byRateTable) {
            EXPECT_EQ(deduction(1).incomeTax, c.expectedTax);
        }
    }
}

}  // namespace
}  // namespace keiro::calc::testing
