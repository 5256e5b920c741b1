// 年調過不足 in pay: the calculation carries it as stored in 控除合計 (net pay moves by exactly
// the amount), the grid's row sets it, and the withholding program's writer puts it into a saved
// period so that the payroll program's own recalculation then agrees with what it reported.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <vector>

#include "calc/period_calc.h"
#include "core/year_end_settlement.h"
#include "tests/support/pay_fixture.h"

namespace keiro::calc::testing {
namespace {

constexpr const char* kFirst = "260101_090001";
constexpr const char* kSecond = "260101_090002";

class YearEndSettlementTest : public PayFixture {
  protected:
    // December with two monthly-paid employees, recalculated.
    void openDecember() {
        open(12);
        addEmployee(1, {.recordId = kFirst, .basePay = 300'000});
        addEmployee(2, {.recordId = kSecond, .basePay = 250'000});
        RecalculatePeriod(year_, ctx(), nullptr);
    }

    std::int64_t net(int slot) {
        return netPay(payment(slot), deduction(slot), {true, true, true});
    }

    // December as the payroll program would show it after opening the file again.
    YearData reopened() {
        YearData again;
        again.setFile(file(kReiwa8), kReiwa8.eraName, kReiwa8.eraYear, kNames);
        again.openPeriod(12, PeriodEntry{20, 160.0, 0, 0}, nullptr);
        return again;
    }

    void holdPayrollLock(long pid) {
        std::array<char, 256> host{};
        ::gethostname(host.data(), host.size() - 1);
        std::ofstream(folder_.path() / std::string(kPayrollLockFileName)) << pid << "\nKeiro\n"
                                                                          << host.data() << "\n";
    }
};

TEST_F(YearEndSettlementTest, TheCalculationCountsItInTheDeductionsAndMovesNetPayByItsAmount) {
    openDecember();
    const std::int64_t plainNet = net(1);
    const std::int32_t plainTax = deduction(1).incomeTax;
    const std::int32_t plainTotal = deduction(1).deductionTotal;

    deduction(1).yearEndSettlement = 12'345;  // collected
    deduction(2).yearEndSettlement = -20'000;
    const std::int64_t refundedBefore = net(2);
    RecalculatePeriod(year_, ctx(), nullptr);
    EXPECT_EQ(deduction(1).yearEndSettlement, 12'345);  // kept as stored
    EXPECT_EQ(deduction(1).deductionTotal, plainTotal + 12'345);
    EXPECT_EQ(net(1), plainNet - 12'345);
    EXPECT_EQ(deduction(1).incomeTax, plainTax);  // the month's tax is not touched
    EXPECT_EQ(net(2), refundedBefore + 20'000);   // a refund raises net pay

    // Off the layout it still counts: it is owed, whatever the slip shows.
    ItemLayout layout = layout_;
    setUse(layout, Band::Deduction, std::string(kYearEndSettlementCode), 1, false);
    useLayout(layout);
    RecalculatePeriod(year_, ctx(), nullptr);
    EXPECT_EQ(deduction(1).deductionTotal, plainTotal + 12'345);
}

TEST_F(YearEndSettlementTest, TheGridRowSetsItAndAGridWithoutTheRowLeavesItAlone) {
    openDecember();
    deduction(1).yearEndSettlement = 5'000;
    deduction(2).yearEndSettlement = 7'000;
    const ItemId settlement = ItemId::deduction(DeductionRecord::kSettlementItem);
    const std::vector<GridColumn> withRow = {{EmployeeId(kFirst), {{settlement, -3'210}}},
                                             {EmployeeId(kSecond), {}}};
    RecalculatePeriod(year_, ctx(), &withRow);
    EXPECT_EQ(deduction(1).yearEndSettlement, -3'210);
    EXPECT_EQ(deduction(2).yearEndSettlement, 7'000);  // its column has no such row

    // An employee whose layout lacks the item keeps the stored amount whatever the cell says.
    ItemLayout layout = layout_;
    setUse(layout, Band::Deduction, std::string(kYearEndSettlementCode), 1, false);
    useLayout(layout);
    const std::vector<GridColumn> stale = {{EmployeeId(kFirst), {{settlement, 0}}}};
    RecalculatePeriod(year_, ctx(), &stale);
    EXPECT_EQ(deduction(1).yearEndSettlement, -3'210);
}

TEST_F(YearEndSettlementTest, SettlingWritesTheAmountsAndRecalculationAgreesWithTheNetPayAfter) {
    openDecember();
    year_.savePeriod();
    const std::int64_t before1 = net(1), before2 = net(2);

    const std::vector<SettledEmployee> settled =
        settleYearEnd(file(kReiwa8), 12, {{kSecond, -15'000}, {kFirst, 4'321}});
    ASSERT_EQ(settled.size(), 2u);
    EXPECT_EQ(settled[0].slot, 1);  // slot order, whatever the order of the entries
    EXPECT_EQ(settled[0].name, "社員1");
    EXPECT_EQ(settled[0].amount, 4'321);
    EXPECT_EQ(settled[0].netPayBefore, before1);
    EXPECT_EQ(settled[0].netPayAfter, before1 - 4'321);
    EXPECT_EQ(settled[1].netPayAfter, before2 + 15'000);

    YearData again = reopened();
    EXPECT_EQ(again.block().deductions[0].yearEndSettlement, 4'321);
    RecalculatePeriod(again, ctx(), nullptr);
    for (const SettledEmployee& s : settled) {
        const int i = s.slot - 1;
        EXPECT_EQ(
            netPay(again.block().payments[i], again.block().deductions[i], {true, true, true}),
            s.netPayAfter);
    }
    EXPECT_EQ(fs::status(file(kReiwa8)).permissions() & fs::perms::all, kPrivateFile);

    // Settling again replaces the amount; it is never added to the first.
    const std::vector<SettledEmployee> second = settleYearEnd(file(kReiwa8), 12, {{kFirst, 1'000}});
    EXPECT_EQ(second[0].netPayBefore, before1 - 4'321);
    EXPECT_EQ(second[0].netPayAfter, before1 - 1'000);
    EXPECT_EQ(reopened().block().deductions[0].yearEndSettlement, 1'000);
    EXPECT_EQ(reopened().block().deductions[1].yearEndSettlement, -15'000);
}

TEST_F(YearEndSettlementTest, APreviewReportsTheSameAndWritesNothing) {
    openDecember();
    year_.savePeriod();
    const std::string bytes = readFile(file(kReiwa8));
    holdPayrollLock(static_cast<long>(::getpid()));  // nothing is written, so it may run
    const std::vector<SettledEmployee> preview =
        previewYearEndSettlement(file(kReiwa8), 12, {{kFirst, 900}});
    ASSERT_EQ(preview.size(), 1u);
    EXPECT_EQ(preview[0].netPayAfter, net(1) - 900);
    EXPECT_EQ(readFile(file(kReiwa8)), bytes);
}

TEST_F(YearEndSettlementTest, RefusalsNameTheReasonAndLeaveTheFileAsItWas) {
    openDecember();
    year_.block().employee(2).workStatus = 3;  // left
    year_.savePeriod();
    const std::string bytes = readFile(file(kReiwa8));
    const auto refusal = [&](int period, const std::vector<SettlementEntry>& entries) {
        try {
            settleYearEnd(file(kReiwa8), period, entries);
        } catch (const SettlementRefused& e) {
            EXPECT_EQ(readFile(file(kReiwa8)), bytes);
            return std::string(e.what());
        }
        return std::string("(written)");
    };
    EXPECT_NE(refusal(11, {{kFirst, 100}}).find("11月分給与のデータが保存されていません"),
              std::string::npos);
    EXPECT_NE(refusal(12, {{"991231_235959", 100}}).find("（991231_235959）は12月分給与"),
              std::string::npos);
    EXPECT_NE(refusal(12, {{kSecond, 100}}).find("在職していない"), std::string::npos);
    EXPECT_NE(refusal(12, {{kFirst, 100}, {kFirst, 200}}).find("二つ"), std::string::npos);
    EXPECT_NE(refusal(12, {{kFirst, 1'000'000'000}}).find("超えています"), std::string::npos);
    EXPECT_NE(refusal(0, {{kFirst, 100}}).find("1〜15"), std::string::npos);

    holdPayrollLock(static_cast<long>(::getppid()));  // another running process
    EXPECT_TRUE(payrollProgramHoldsFolder(folder_.path()));
    EXPECT_NE(refusal(12, {{kFirst, 100}}).find("給与プログラムが起動しています"),
              std::string::npos);
}

TEST_F(YearEndSettlementTest, ALockLeftByAProcessThatHasGoneOrUnreadableIsNotHeld) {
    EXPECT_FALSE(payrollProgramHoldsFolder(folder_.path()));  // no lock file
    holdPayrollLock(static_cast<long>(::getpid()));           // this process writing under it
    EXPECT_FALSE(payrollProgramHoldsFolder(folder_.path()));
    holdPayrollLock(0x7ffffff0);  // no such process
    EXPECT_FALSE(payrollProgramHoldsFolder(folder_.path()));
    std::ofstream(folder_.path() / std::string(kPayrollLockFileName)) << "garbage\n";
    EXPECT_FALSE(payrollProgramHoldsFolder(folder_.path()));
}

}  // namespace
}  // namespace keiro::calc::testing
