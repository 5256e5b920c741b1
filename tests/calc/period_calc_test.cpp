// Recalculating a whole period: the grid's columns collected into the records (by employee and
// item, columns of employees at work only), the bonus income tax exceptions and the switch to
// hand entry, table files gone while running, and the unsaved-change test.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "calc/bonus_tax.h"
#include "calc/period_calc.h"
#include "tests/support/pay_fixture.h"

namespace keiro::calc::testing {
namespace {

using PeriodCalcTest = PayFixture;

ItemId Attendance(int number) {
    return ItemId::attendance(number);
}

TEST_F(PeriodCalcTest, MonthCollectsEachColumnIntoItsEmployee) {
    settings_.itemNames.names[7] = "勤務時間";     // 実働時間
    settings_.itemNames.names[29] = "残業食事代";  // 変動手当１
    ItemLayout layout = everythingOn(LayoutKind::Salary);
    setUse(layout, Band::Pay, "V変動手当１", 1, false);
    useLayout(layout);
    open(4);
    year_.block().settings.scheduledDays = 21;
    year_.block().settings.scheduledHours = 168.0;

    EmployeeRecord& hourly =
        addEmployee(1, {.recordId = "260101_090001", .payForm = 3, .basePay = 1'000});
    hourly.overtimeRate = 1'250;
    addEmployee(2, {.recordId = "260101_090002", .workStatus = 2});  // on leave: no column
    payment(2).basePayAmount = 99'999;
    addEmployee(3, {.recordId = "260101_090003", .basePay = 300'000}).absenceDeductionRate = 10'000;
    payment(1).variableAllowance2 = 9'999;  // no row: emptied
    attendance(1).paidLeaveBalance = 7.5;   // no row: kept

    const auto A = Attendance;
    const std::vector<GridColumn> columns = {
        {EmployeeId("260101_090001"),
         {{A(2), 20},                      // 出勤日数
          {A(8), 100.5},                   // 実働時間, shown as 勤務時間
          {A(1), 999},                     // 所定労働日数 comes from the period settings
          {A(9), 10},                      // 普通残業時間
          {ItemId::payment(13), 1'234.9},  // 変動手当１, shown as 残業食事代
          {ItemId::deduction(13), 2'000},  // 変動控除１
          {ItemId::payment(20), 500},      // その他１
          {ItemId{}, 5}}},                 // a row that stores nowhere
        {EmployeeId("260101_090003"),
         {{A(4), 1.5}, {ItemId::payment(13), 777}, {ItemId::payment(21), 0}}},
    };
    EXPECT_TRUE(RecalculatePeriod(year_, ctx(), &columns).empty());

    const AttendanceRecord& a = attendance(1);
    EXPECT_EQ(a.scheduledDays, 21.0);
    EXPECT_EQ(a.scheduledHours, 168.0);
    EXPECT_EQ(a.daysWorked, 20.0);
    EXPECT_EQ(a.hoursWorked, 100.5);
    EXPECT_EQ(a.overtimeHours, 10.0);
    EXPECT_EQ(a.paidLeaveBalance, 7.5);
    EXPECT_EQ(payment(1).basePayAmount, 90'500);
    EXPECT_EQ(payment(1).overtimePay, 12'500);
    EXPECT_EQ(payment(1).variableAllowance1, 1'234);
    EXPECT_EQ(payment(1).variableAllowance2, 0);
    EXPECT_EQ(payment(1).payTotal, 90'500 + 12'500 + 1'234);
    EXPECT_EQ(deduction(1).variableDeduction1, 2'000);
    EXPECT_EQ(payment(1).otherItem1, 500);
    EXPECT_EQ(deduction(1).otherItem1, 500);

    EXPECT_EQ(payment(2).basePayAmount, 0);

    EXPECT_EQ(attendance(3).absentDays, 1.5);
    EXPECT_EQ(payment(3).absenceDeduction, -15'000);
    EXPECT_EQ(payment(3).variableAllowance1, 0);  // not on the monthly layout
    EXPECT_EQ(payment(3).otherItem2, 0);
    EXPECT_EQ(payment(3).payTotal, 285'000);
}

TEST_F(PeriodCalcTest, WithoutColumnsThePeriodIsComputedFromTheRecordsAsStored) {
    open(4);
    addEmployee(1, {.recordId = "260101_090001", .payForm = 2, .basePay = 9'000});
    attendance(1).daysWorked = 20;
    payment(1).variableAllowance1 = 3'000;
    addEmployee(5, {.recordId = "260101_090005", .basePay = 200'000});
    payment(9).payTotal = 123;  // a free slot's leftovers
    EXPECT_TRUE(RecalculatePeriod(year_, ctx(), nullptr).empty());
    EXPECT_EQ(payment(1).payTotal, 183'000);
    EXPECT_EQ(payment(5).payTotal, 200'000);
    EXPECT_EQ(payment(9).payTotal, 0);

    // A grid with fewer columns than employees at work: the rest keep their records.
    const std::vector<GridColumn> columns = {{EmployeeId("260101_090001"), {{Attendance(2), 10}}}};
    RecalculatePeriod(year_, ctx(), &columns);
    EXPECT_EQ(payment(1).payTotal, 90'000);
    EXPECT_EQ(payment(5).payTotal, 200'000);

    // A cell is taken at its exact value.
    const std::vector<GridColumn> exact = {
        {EmployeeId("260101_090001"), {{Attendance(2), 10.005}}}};
    RecalculatePeriod(year_, ctx(), &exact);
    EXPECT_EQ(attendance(1).daysWorked, 10.005);
}

TEST_F(PeriodCalcTest, BonusCollectsBonusAndDirectorsFeeRows) {
    openBonus(14, 12);
    addEmployee(1, {.recordId = "260101_090001"});
    addEmployee(2, {.recordId = "260101_090002"});
    payment(2).basePayAmount = 400'000;  // no 賞与 row in its column: emptied
    const std::vector<GridColumn> columns = {
        {EmployeeId("260101_090001"),
         {{ItemId::payment(1), 1'000'000},  // 賞与
          {ItemId::payment(2), 200'000},    // 役員報酬
          {ItemId::payment(13), 3'000},     // 変動手当１
          {Attendance(2), 20}}},            // a bonus has no attendance
        {EmployeeId("260101_090002"), {{ItemId::deduction(13), 1'500}}},
    };
    const GridColumn& first = columns[0];
    CalculateBonus(year_, 1, first, ctx(), PeriodInputs{});
    EXPECT_EQ(payment(1).basePayAmount, 1'000'000);
    EXPECT_EQ(payment(1).positionAllowanceAmount, 200'000);
    EXPECT_EQ(payment(1).variableAllowance1, 3'000);
    EXPECT_EQ(payment(1).payTotal, 1'203'000);
    EXPECT_EQ(attendance(1).scheduledDays, 0.0);  // a bonus has no attendance

    RecalculatePeriod(year_, ctx(), &columns);
    EXPECT_EQ(payment(2).basePayAmount, 0);
    EXPECT_EQ(deduction(2).variableDeduction1, 1'500);
    EXPECT_EQ(deduction(2).deductionTotal, 1'500);
}

// A January bonus takes the previous month from December of the previous year's file.
class BonusTaxExceptionTest : public PayFixture {
  protected:
    void SetUp() override {
        auto december = std::make_unique<PeriodBlock>();
        const struct {
            const char* id;
            std::int32_t pay;
        } previous[] = {{"250101_090001", 300'000},
                        {"250101_090002", 0},
                        {"250101_090003", 50'000},
                        {"250101_090004", 60'000}};
        for (int i = 0; i < 4; ++i) {
            addEmployee(*december, 10 + i, {.recordId = previous[i].id});
            december->deductions[9 + i].payAfterSocialIns = previous[i].pay;
        }
        writeBlock(kReiwa7, 12, *december);
    }

    // Slots 1..5 paid 600,000 each (no premiums); 6 on leave; 7 free.
    void fillBonus() {
        openBonus(13, 1, 15);
        year_.clearBlock();  // not the employees copied from December: only those below
        const char* ids[] = {"250101_090001", "250101_090002", "250101_090003", "250101_090004",
                             "250101_090099"};
        for (int slot = 1; slot <= 5; ++slot) {
            addEmployee(slot, {.recordId = ids[slot - 1]});
            payment(slot).basePayAmount = 600'000;
        }
        addEmployee(6, {.recordId = "250101_090006", .workStatus = 2});
    }
};

TEST_F(BonusTaxExceptionTest, EmployeesTheTableCannotServeAreTaxedByTheMonthlyTableAndNamed) {
    fillBonus();
    // 2: no pay in December; 3: 600,000 is more than ten times 50,000; 5: not found by key.
    // 4: exactly ten times still uses the table (0 % for 60,000).
    EXPECT_EQ(RecalculatePeriod(year_, ctx(), nullptr), (std::vector<int>{2, 3, 5}));
    EXPECT_EQ(deduction(1).incomeTax, 36'756);
    // One sixth is 100,000: below the first band for 2 and 5; 150,000 for 3 (2,420 a month).
    for (const int slot : {2, 4, 5}) EXPECT_EQ(deduction(slot).incomeTax, 0) << slot;
    EXPECT_EQ(deduction(3).incomeTax, 2'420 * 6);
    EXPECT_EQ(deduction(3).deductionTotal, 2'420 * 6);
    for (const int slot : {1, 2, 3, 4, 5}) {
        EXPECT_FALSE(deduction(slot).isManual(DeductionRecord::kIncomeTaxItem)) << slot;
    }
    year_.block().employee(3).name.assign("鈴木 一郎");
    const std::string notice = monthlyTableNotice(year_, std::vector<int>{3});
    EXPECT_TRUE(notice.starts_with("鈴木 一郎さんの賞与の所得税は月額表で計算しました。\n"));
    EXPECT_TRUE(monthlyTableNotice(year_, std::vector<int>{}).empty());
    EXPECT_THROW(monthlyTableNotice(year_, std::vector<int>{0}), std::out_of_range);

    // Typed over in the individual entry window: kept, and no longer named.
    deduction(3).manualFlags[DeductionRecord::kIncomeTaxItem - 1] = 1;
    deduction(3).incomeTax = 55'555;
    EXPECT_EQ(RecalculatePeriod(year_, ctx(), nullptr), (std::vector<int>{2, 5}));
    EXPECT_EQ(deduction(3).incomeTax, 55'555);
    EXPECT_EQ(deduction(3).deductionTotal, 55'555);
}

TEST_F(BonusTaxExceptionTest, WithoutThePreviousYearsFileEveryoneIsTaxedByTheMonthlyTable) {
    std::filesystem::remove(file(kReiwa7));
    fillBonus();
    EXPECT_EQ(RecalculatePeriod(year_, ctx(), nullptr), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(deduction(1).incomeTax, 0);  // 100,000 a month is below the first band
}

// Recalculating the whole period gives, byte for byte, what calculating each slot in turn
// gives: employees of every pay form, one on leave with amounts left over, a free slot with
// attendance left over, and a damaged pay form.
TEST_F(PeriodCalcTest, AWholeMonthIsEverySlotCalculatedInTurn) {
    open(4);
    year_.block().settings.employmentInsRate = 0.6;
    EmployeeRecord& monthly = addEmployee(1, {.recordId = "260101_090001", .basePay = 320'000});
    monthly.overtimeRate = 2'500;
    monthly.absenceDeductionRate = 14'545;
    monthly.healthInsured = monthly.pensionInsured = monthly.employmentInsured = 1;
    monthly.healthInsPremium = 16'000;
    monthly.pensionPremium = 29'280;
    attendance(1).overtimeHours = 12.25;
    attendance(1).absentDays = 0.5;
    addEmployee(2, {.recordId = "260101_090002", .payForm = 2, .basePay = 11'000});
    attendance(2).daysWorked = 18;
    attendance(2).paidLeaveDays = 1.5;
    year_.block().employee(2).paidLeavePay = 9'000;
    addEmployee(3, {.recordId = "260101_090003", .payForm = 3, .basePay = 1'150});
    attendance(3).hoursWorked = 96.75;
    attendance(3).lateHours = 1.5;
    year_.block().employee(3).lateDeductionRate = 1'150;
    addEmployee(4, {.recordId = "260101_090004", .workStatus = 2});
    payment(4).basePayAmount = 77'777;
    attendance(6).daysWorked = 3;  // slot 6 is free
    payment(6).payTotal = 5;
    addEmployee(7, {.recordId = "260101_090007", .payForm = 9, .basePay = 200'000});
    payment(7).basePayAmount = 1;

    const auto start = std::make_unique<PeriodBlock>(year_.block());
    EXPECT_TRUE(RecalculatePeriod(year_, ctx(), nullptr).empty());
    const auto whole = std::make_unique<PeriodBlock>(year_.block());
    EXPECT_GT(payment(1).payTotal, 0);
    EXPECT_EQ(payment(4).basePayAmount, 0);
    EXPECT_EQ(attendance(6).daysWorked, 0.0);

    year_.block() = *start;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) ComputeMonth(year_, slot, ctx());
    EXPECT_EQ(std::memcmp(whole.get(), &year_.block(), kBlockSize), 0);
}

// A year no longer calculated still takes the grid's columns, and calculates nothing.
TEST_F(PeriodCalcTest, AYearNoLongerCalculatedOnlyTakesTheColumns) {
    open(4, EraYear{"平成", 20});
    addEmployee(1, {.recordId = "080101_090001", .basePay = 200'000});
    payment(1).basePayAmount = 180'000;  // as computed back then
    payment(1).payTotal = 180'000;
    addEmployee(2, {.recordId = "080101_090002", .workStatus = 3});
    payment(2).basePayAmount = 50'000;
    const std::vector<GridColumn> columns = {
        {EmployeeId("080101_090001"), {{Attendance(2), 19}, {ItemId::payment(13), 3'000}}}};
    EXPECT_TRUE(RecalculatePeriod(year_, ctx(), &columns).empty());
    EXPECT_EQ(attendance(1).daysWorked, 19.0);
    EXPECT_EQ(payment(1).variableAllowance1, 3'000);
    EXPECT_EQ(payment(1).basePayAmount, 180'000);
    EXPECT_EQ(payment(1).payTotal, 180'000);
    EXPECT_EQ(payment(2).basePayAmount, 50'000);

    openBonus(13, 7, 10, EraYear{"平成", 22});
    addEmployee(1, {.recordId = "100101_090001"});
    payment(1).basePayAmount = 500'000;
    const auto before = std::make_unique<PeriodBlock>(year_.block());
    EXPECT_TRUE(RecalculatePeriod(year_, ctx(), nullptr).empty());
    EXPECT_EQ(std::memcmp(before.get(), &year_.block(), kBlockSize), 0);
}

TEST_F(PeriodCalcTest, ATaxTableFileRemovedWhileRunningGivesNoTax) {
    const fs::path tables = folder_ / "program";
    createPrivateDirectories(tables);
    copyFile(fs::path(KEIRO_BINARY_DIR) / "bin" / kSalaryTaxTableFileName,
             tables / kSalaryTaxTableFileName);
    tax_.salary = SalaryTaxTable::fromFile(tables / kSalaryTaxTableFileName);
    open(4);
    addEmployee(1, {.basePay = 300'000});
    RecalculatePeriod(year_, ctx(), nullptr);
    EXPECT_GT(deduction(1).incomeTax, 0);

    fs::remove(tables / kSalaryTaxTableFileName);
    RecalculatePeriod(year_, ctx(), nullptr);
    EXPECT_EQ(deduction(1).incomeTax, 0);
}

TEST_F(PeriodCalcTest, TheUnsavedChangeTestNeedsNoRecalculation) {
    open(4);
    addEmployee(1, {.recordId = "260101_090001", .basePay = 250'000});
    RecalculatePeriod(year_, ctx(), nullptr);
    year_.savePeriod();
    EXPECT_FALSE(year_.document().isModified());

    // Recalculating what was saved changes nothing.
    RecalculatePeriod(year_, ctx(), nullptr);
    EXPECT_FALSE(year_.document().isModified());
    EXPECT_EQ(payment(1).payTotal, 250'000);

    // A record changed behind the document's back is found all the same.
    year_.block().employee(1).basePay = 260'000;
    EXPECT_TRUE(year_.document().isModified());
    RecalculatePeriod(year_, ctx(), nullptr);
    EXPECT_EQ(payment(1).payTotal, 260'000);
    year_.savePeriod();
    EXPECT_FALSE(year_.document().isModified());
}

// Each grid column goes to the employee it was built for, wherever it stands in the list, and
// each cell to its own item, whatever the items are called.
TEST_F(PeriodCalcTest, ColumnsFindTheirEmployeesAndCellsTheirItems) {
    settings_.itemNames.names[29] = "手当";  // 変動手当１ and ２ under one name
    settings_.itemNames.names[30] = "手当";
    useLayout(everythingOn(LayoutKind::Salary));
    open(4);
    addEmployee(1, {.recordId = "260101_090001", .basePay = 200'000});
    addEmployee(2, {.recordId = "260101_090002", .workStatus = 2});  // on leave: no column
    addEmployee(3, {.recordId = "260101_090003", .basePay = 300'000});
    const std::vector<GridColumn> columns = {
        {EmployeeId("260101_090003"), {{ItemId::payment(13), 3'000}, {ItemId::payment(14), 30}}},
        {EmployeeId("999999_999999"), {{ItemId::payment(13), 9'999}}},  // nobody's
        {EmployeeId("260101_090002"), {{ItemId::payment(13), 8'888}}},  // not at work
        {EmployeeId("260101_090001"), {{ItemId::payment(13), 1'000}, {ItemId::payment(14), 10}}},
    };
    RecalculatePeriod(year_, ctx(), &columns);
    EXPECT_EQ(payment(1).variableAllowance1, 1'000);
    EXPECT_EQ(payment(1).variableAllowance2, 10);
    EXPECT_EQ(payment(3).variableAllowance1, 3'000);
    EXPECT_EQ(payment(3).variableAllowance2, 30);
    EXPECT_EQ(payment(2).variableAllowance1, 0);
    EXPECT_EQ(payment(3).payTotal, 303'030);

    // Two slots with one record id (a damaged file) are still two employees.
    year_.block().employee(3).recordId.assign("260101_090001");
    const std::vector<GridColumn> twins = {
        {EmployeeId("260101_090001", 1), {{ItemId::payment(13), 3}}},
        {EmployeeId("260101_090001"), {{ItemId::payment(13), 1}}},
    };
    RecalculatePeriod(year_, ctx(), &twins);
    EXPECT_EQ(payment(1).variableAllowance1, 1);
    EXPECT_EQ(payment(3).variableAllowance1, 3);
}

TEST(CollectedItems, FollowTheCollectingRules) {
    FormItems on;
    on.pay[12] = true;   // 変動手当１
    on.other[1] = true;  // その他２
    const auto collected = [&](ItemId item, bool bonus) { return collectedItems(item, bonus, on); };
    using V = std::vector<ItemId>;
    EXPECT_EQ(collected(ItemId::attendance(2), false), V{ItemId::attendance(2)});
    EXPECT_EQ(collected(ItemId::attendance(2), true), V{});
    EXPECT_EQ(collected(ItemId::attendance(1), false), V{});  // 所定労働日数
    EXPECT_EQ(collected(ItemId::attendance(7), false), V{});  // 所定労働時間
    EXPECT_EQ(collected(ItemId::payment(13), false), V{ItemId::payment(13)});
    EXPECT_EQ(collected(ItemId::payment(14), false), V{});  // not on the layout
    EXPECT_EQ(collected(ItemId::payment(21), false),
              (V{ItemId::payment(21), ItemId::deduction(19)}));
    EXPECT_EQ(collected(ItemId::payment(20), false), V{});
    EXPECT_EQ(collected(ItemId::payment(1), true), V{ItemId::payment(1)});  // 賞与
    EXPECT_EQ(collected(ItemId::payment(1), false), V{});                   // 基本給 is computed
    EXPECT_EQ(collected(ItemId::payment(2), true), V{ItemId::payment(2)});  // 役員報酬
    const ItemId settlement = ItemId::deduction(DeductionRecord::kSettlementItem);
    EXPECT_EQ(collected(settlement, false), V{});
    on.settlement = true;
    EXPECT_EQ(collected(settlement, false), V{settlement});
    EXPECT_EQ(collected(ItemId::deduction(8), false), V{});  // 所得税 is computed
}

TEST_F(PeriodCalcTest, NoOpenPeriodIsRefused) {
    year_.setFile(file(kReiwa8), "令和", 8, kNames);
    EXPECT_THROW(RecalculatePeriod(year_, ctx(), nullptr), std::logic_error);
}

}  // namespace
}  // namespace keiro::calc::testing
