// Who goes into the settlement of a pay period: the calculated employees the period pays; the
// calculated ones it does not pay are named apart instead of stopping everyone's settlement.
#include <gtest/gtest.h>

#include "core/year_view.h"
#include "tests/support/temp_folder.h"
#include "tests/withholding_model/year_files.h"
#include "withholding/adjust/settlement_plan.h"

namespace keiro::withholding {
namespace {

constexpr int kDecember = 12;

TEST(SettlementPlan, CalculatedEmployeesPaidInThePeriodGoInTheOthersAreNamedApart) {
    testing_support::TempFolder folder{"keiro-settlement-plan"};
    withholding::testing::YearFileWriter writer;
    for (int slot = 1; slot <= 4; ++slot) {
        EmployeeRecord& e = writer.put(kDecember, slot, "id" + std::to_string(slot), 300'000);
        e.name.assign("社員" + std::to_string(slot));
        e.workStatus = 1;
    }
    writer.block(kDecember).employee(3).workStatus = 3;  // left, adjusted for an exception
    writer.write(folder / "y.dat");
    const YearView year(folder / "y.dat");

    WithholdingFile file(true);
    for (int slot : {1, 3, 4}) {
        file.record(slot).adjustStatus = kCalculated;
        file.record(slot).withheld = 50'000;
    }
    file.record(1).annualTax = 38'000;  // refund 12,000
    file.record(3).annualTax = 51'000;
    file.record(4).annualTax = 58'700;  // collect 8,700
    file.record(2).annualTax = 99'999;  // never calculated: left out altogether

    const SettlementPlan plan =
        planSettlement(file, year.block(kDecember), year.block(kDecember), {4, 1, 2, 3, 77});
    ASSERT_EQ(plan.payable.size(), 2u);
    EXPECT_EQ(plan.payable[0].slot, 4);
    EXPECT_EQ(plan.payable[0].entry.amount, 8'700);
    EXPECT_EQ(plan.payable[0].entry.recordId, "id4");
    EXPECT_EQ(plan.payable[1].slot, 1);
    EXPECT_EQ(plan.payable[1].entry.amount, -12'000);
    ASSERT_EQ(plan.notPaidInPeriod.size(), 1u);
    EXPECT_EQ(plan.notPaidInPeriod[0].name, "社員3");
    EXPECT_EQ(plan.notPaidInPeriod[0].entry.amount, 1'000);

    // A bonus period that does not hold them pays nobody.
    const SettlementPlan bonus =
        planSettlement(file, year.block(kDecember), year.block(13), {1, 3, 4});
    EXPECT_TRUE(bonus.payable.empty());
    EXPECT_EQ(bonus.notPaidInPeriod.size(), 3u);
    EXPECT_EQ(entriesOf(plan.payable).size(), 2u);
}

}  // namespace
}  // namespace keiro::withholding
