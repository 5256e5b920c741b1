// The main window's pay grid as data: which rows the layouts give and who may edit them, the
// columns of the employees at work, Enter and the accepted keys, checking and reformatting an
// entry, the paid-leave balance carried from the previous month, the columns the
// recalculation collects, and the period in the caption.
#include "payroll/model/pay_grid.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "calc/period_calc.h"
#include "tests/support/pay_fixture.h"

namespace keiro::payroll::testing {
namespace {

using namespace calc::testing;

class PayGridTest : public PayFixture {
  protected:
    PayGridTest() { useLayout(defaultLayout(LayoutKind::Salary)); }

    PayGrid& build(TimeStyle style = TimeStyle::Sexagesimal) {
        grid_.build(year_, buildPrintTables(layout_), active_, settings_.itemNames, style);
        return grid_;
    }

    std::vector<std::string> labels() const {
        std::vector<std::string> out;
        for (int r = 1; r < grid_.rowCount(); ++r) out.push_back(grid_.text(r, 0));
        return out;
    }

    // The row labelled `label`; fails the test when there is none.
    int row(std::string_view label) const {
        for (int r = 1; r < grid_.rowCount(); ++r) {
            if (grid_.text(r, 0) == label) return r;
        }
        ADD_FAILURE() << "no row " << label;
        return 0;
    }

    PayGrid grid_;
};

const std::vector<std::string> kDefaultSalaryRows = {
    "出勤日数",     "有休日数",     "欠勤日数",     "休日出勤日数", "特別休暇日数",
    "実働時間",     "普通残業時間", "深夜残業時間", "休日普通残業", "休日深夜残業",
    "遅刻早退回数", "遅刻早退時間", "有休残日数"};

TEST_F(PayGridTest, DefaultSalaryLayoutsGiveTheVariableAttendanceRows) {
    open(4);
    addEmployee(1, {.recordId = "260101_090001", .payForm = 1});
    addEmployee(2, {.recordId = "260101_090002", .payForm = 3});
    attendance(1).daysWorked = 20;
    attendance(1).hoursWorked = 160.5;
    attendance(1).paidLeaveBalance = 12.25;
    build();

    EXPECT_EQ(labels(), kDefaultSalaryRows);
    EXPECT_EQ(grid_.columnCount(), 101);
    EXPECT_EQ(grid_.text(0, 1), "社員1");
    for (int r = 1; r < grid_.rowCount(); ++r) {
        EXPECT_TRUE(grid_.isAttendanceRow(r));
        EXPECT_EQ(grid_.isHoursRow(r), isTimeItem(grid_.text(r, 0))) << grid_.text(r, 0);
        EXPECT_TRUE(grid_.isEditable(r, 1)) << grid_.text(r, 0);
    }
    // Hourly pay slips have no lateness items.
    EXPECT_FALSE(grid_.isEditable(row("遅刻早退回数"), 2));
    EXPECT_FALSE(grid_.isEditable(row("遅刻早退時間"), 2));
    EXPECT_EQ(grid_.cellKind(row("遅刻早退時間"), 2), GridCellKind::Disabled);
    EXPECT_EQ(grid_.cellKind(row("出勤日数"), 2), GridCellKind::Editable);
    EXPECT_EQ(grid_.cellKind(0, 2), GridCellKind::Header);
    EXPECT_EQ(grid_.cellKind(3, 0), GridCellKind::Header);

    EXPECT_EQ(grid_.text(row("出勤日数"), 1), " 20.00");
    EXPECT_EQ(grid_.text(row("実働時間"), 1), "160:30");
    EXPECT_EQ(grid_.text(row("有休残日数"), 1), " 12.25");
    EXPECT_EQ(build(TimeStyle::Decimal).text(row("実働時間"), 1), "160.50");
}

TEST_F(PayGridTest, RowsFollowTheLayoutsAndTheUsersNames) {
    settings_.itemNames.names[29] = "残業食事代";  // 変動手当１
    settings_.itemNames.names[36] = "親睦会費";    // 変動控除２
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    setUse(layout, Band::Pay, "V変動手当１", 2, true);
    setUse(layout, Band::Deduction, "V変動控除２", 1, true);
    setUse(layout, Band::Deduction, "V変動控除２", 3, true);
    setUse(layout, Band::Other, "Vその他３", 3, true);
    useLayout(layout);
    open(4);
    addEmployee(1, {.recordId = "260101_090001", .payForm = 1});
    addEmployee(2, {.recordId = "260101_090002", .payForm = 2});
    addEmployee(3, {.recordId = "260101_090003", .payForm = 3});
    payment(2).variableAllowance1 = 3'000;
    deduction(1).variableDeduction2 = -1'234'567;
    payment(3).otherItem3 = 500;
    build();

    std::vector<std::string> expected = kDefaultSalaryRows;
    expected.insert(expected.end(), {"残業食事代", "親睦会費", "その他３"});
    ASSERT_EQ(labels(), expected);

    const int allowance = row("残業食事代");
    EXPECT_FALSE(grid_.isAttendanceRow(allowance));
    EXPECT_FALSE(grid_.isHoursRow(allowance));  // "残業" in an amount's name is no time
    EXPECT_FALSE(grid_.isEditable(allowance, 1));
    EXPECT_TRUE(grid_.isEditable(allowance, 2));
    EXPECT_FALSE(grid_.isEditable(allowance, 3));
    EXPECT_EQ(grid_.text(allowance, 2), "  3,000");
    EXPECT_TRUE(grid_.isEditable(row("親睦会費"), 1));
    EXPECT_FALSE(grid_.isEditable(row("親睦会費"), 2));
    EXPECT_EQ(grid_.text(row("親睦会費"), 1), "-1,234,567");
    EXPECT_EQ(grid_.text(row("その他３"), 3), "    500");

    // A position whose item differs by pay form is labelled after the last form that has it.
    PrintTables tables = buildPrintTables(layout_);
    tables.codes[0][static_cast<int>(Band::Pay)][14] = "V変動手当１";
    tables.codes[2][static_cast<int>(Band::Pay)][14] = "V変動手当２";
    grid_.build(year_, tables, active_, settings_.itemNames, TimeStyle::Sexagesimal);
    const int mixed = row("変動手当２");
    for (int col = 1; col <= 3; ++col) EXPECT_TRUE(grid_.isEditable(mixed, col));
}

// 年調過不足 follows the default salary rows in the periods a year-end is settled in, and in
// any other month only while an employee holds one.
TEST_F(PayGridTest, TheSettlementRowShowsWhereAYearEndIsSettled) {
    std::vector<std::string> withSettlement = kDefaultSalaryRows;
    withSettlement.push_back("年調過不足");
    for (const int month : {1, 12}) {
        open(month);
        addEmployee(1, {.recordId = "260101_090001"});
        deduction(1).yearEndSettlement = -12'345;
        build();
        EXPECT_EQ(labels(), withSettlement) << month;
        EXPECT_EQ(grid_.text(row("年調過不足"), 1), "-12,345");
        EXPECT_TRUE(grid_.isEditable(row("年調過不足"), 1));
    }
    open(4);
    addEmployee(1, {.recordId = "260101_090001"});
    build();
    EXPECT_EQ(labels(), kDefaultSalaryRows);
    deduction(1).yearEndSettlement = 800;
    build();
    EXPECT_EQ(labels(), withSettlement);
}

TEST_F(PayGridTest, DefaultBonusLayoutsGiveTheBonusRows) {
    openBonus(13, 7);
    useLayout(defaultLayout(LayoutKind::Bonus));
    addEmployee(1, {.recordId = "260101_090001"});
    payment(1).basePayAmount = 500'000;
    payment(1).positionAllowanceAmount = 1'000'000;
    build();

    EXPECT_EQ(labels(), (std::vector<std::string>{"賞与", "役員報酬", "年調過不足"}));
    EXPECT_EQ(grid_.text(1, 1), "500,000");
    EXPECT_EQ(grid_.text(2, 1), "1,000,000");
    EXPECT_FALSE(grid_.isAttendanceRow(1));
}

TEST_F(PayGridTest, AMonthWithoutVariableItemsHasNoItemRows) {
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    for (auto& band : layout.bands) {
        for (LayoutRow& r : band) {
            if (r.code.starts_with("V")) r.use = {false, false, false};
        }
    }
    useLayout(layout);
    open(4);
    addEmployee(1, {.recordId = "260101_090001"});
    build();

    EXPECT_EQ(grid_.rowCount(), 1);
    EXPECT_EQ(grid_.text(0, 1), "社員1");
    ASSERT_EQ(grid_.columns().size(), 1u);
    EXPECT_TRUE(grid_.columns()[0].cells.empty());
    EXPECT_EQ(grid_.nextEditableRow(0, 1), 0);
}

TEST_F(PayGridTest, EveryPositionVariableStopsAtFiftyTwoRows) {
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    for (auto& band : layout.bands) {
        for (LayoutRow& r : band) r = {"V変動手当１", {true, true, true}};
    }
    useLayout(layout);
    open(4);
    build();
    EXPECT_EQ(grid_.rowCount(), 1 + kMaxGridItemRows);
}

TEST_F(PayGridTest, ColumnsAreTheEmployeesAtWorkInSlotOrder) {
    open(4);
    addEmployee(1, {.recordId = "260101_090001"});
    addEmployee(2, {.recordId = "260101_090002", .workStatus = 2});  // 休職
    addEmployee(4, {.recordId = "260101_090004", .workStatus = 3});  // 退職
    addEmployee(7, {.recordId = "260101_090007", .payForm = 2});
    build();

    EXPECT_EQ(grid_.employeeCount(), 2);
    EXPECT_EQ(grid_.slotOf(0), kNoSlot);
    EXPECT_EQ(grid_.slotOf(1), 1);
    EXPECT_EQ(grid_.slotOf(2), 7);
    EXPECT_EQ(grid_.slotOf(3), kNoSlot);
    EXPECT_EQ(grid_.slotOf(100), kNoSlot);
    EXPECT_EQ(grid_.text(0, 2), "社員7");

    // Right of the last employee nothing can be edited, typed or moved to.
    const int days = row("出勤日数");
    EXPECT_FALSE(grid_.isEditable(days, 3));
    EXPECT_EQ(grid_.cellKind(days, 3), GridCellKind::Disabled);
    EXPECT_FALSE(grid_.setText(days, 3, "5"));
    EXPECT_EQ(grid_.text(days, 3), "");
    EXPECT_EQ(grid_.commitCell(days, 3), "");
    EXPECT_EQ(grid_.nextEditableRow(days, 3), days);
    EXPECT_EQ(grid_.text(days, 101), "");
    EXPECT_EQ(grid_.text(-1, 1), "");
}

TEST_F(PayGridTest, EnterMovesToTheNextEditableRowAndWraps) {
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    setUse(layout, Band::Attendance, "V出勤日数", 3, false);
    setUse(layout, Band::Attendance, "V有休残日数", 3, false);
    for (LayoutRow& r : layout.band(Band::Attendance)) r.use[1] = r.code == "V欠勤日数";
    useLayout(layout);
    open(4);
    addEmployee(1, {.recordId = "260101_090001", .payForm = 1});
    addEmployee(2, {.recordId = "260101_090002", .payForm = 3});
    addEmployee(3, {.recordId = "260101_090003", .payForm = 2});
    build();
    const int last = grid_.rowCount() - 1;

    EXPECT_EQ(grid_.nextEditableRow(1, 1), 2);
    EXPECT_EQ(grid_.nextEditableRow(last, 1), 1);
    // Hourly: 遅刻早退回数, 遅刻早退時間 and 有休残日数 are skipped, 出勤日数 too after wrapping.
    EXPECT_EQ(grid_.nextEditableRow(row("休日深夜残業"), 2), 2);
    EXPECT_EQ(grid_.nextEditableRow(row("遅刻早退回数"), 2), 2);
    // Daily: only 欠勤日数, so Enter stays.
    EXPECT_EQ(grid_.nextEditableRow(row("欠勤日数"), 3), row("欠勤日数"));
}

TEST_F(PayGridTest, KeysAcceptedDependOnTheRow) {
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    setUse(layout, Band::Pay, "V変動手当１", 1, true);
    useLayout(layout);
    open(4);
    build();
    const int hours = row("普通残業時間");
    const int days = row("出勤日数");
    const int amount = row("変動手当１");

    struct Case {
        char32_t key;
        KeyVerdict hours, days, amount;
    };
    using K = KeyVerdict;
    const Case cases[] = {
        {U'7', K::Accept, K::Accept, K::Accept},        {U'-', K::Accept, K::Accept, K::Accept},
        {U'.', K::Accept, K::Accept, K::Reject},        {U':', K::Accept, K::Reject, K::Reject},
        {U'a', K::Reject, K::Reject, K::Reject},        {U'＋', K::Reject, K::Reject, K::Reject},
        {U'\b', K::Accept, K::Accept, K::Accept},       {U'\t', K::Accept, K::Accept, K::Accept},
        {U'\r', K::MoveNext, K::MoveNext, K::MoveNext},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.key));
        EXPECT_EQ(grid_.keyVerdict(hours, c.key), c.hours);
        EXPECT_EQ(grid_.keyVerdict(days, c.key), c.days);
        EXPECT_EQ(grid_.keyVerdict(amount, c.key), c.amount);
    }
    EXPECT_EQ(grid_.keyVerdict(0, U'7'), K::Reject);
}

TEST_F(PayGridTest, CommittingChecksAndReformatsByRow) {
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    setUse(layout, Band::Pay, "V変動手当１", 1, true);
    useLayout(layout);
    open(4);
    addEmployee(1, {.recordId = "260101_090001"});

    struct Case {
        const char* row;
        const char* typed;
        TimeStyle style;
        const char* shown;
        std::string_view error;
    };
    constexpr auto H = TimeStyle::Sexagesimal;
    constexpr auto D = TimeStyle::Decimal;
    const Case cases[] = {
        {"普通残業時間", "10:30", H, " 10:30", ""},
        {"普通残業時間", "10:30", D, " 10.50", ""},
        {"実働時間", "7.5", H, "  7:30", ""},
        {"普通残業時間", "1:75", H, "", kMsgMinutesOver59},
        {"出勤日数", "20.5", H, " 20.50", ""},
        {"出勤日数", "123", H, "", kMsgTooManyDigits},  // day counts: two digits
        {"遅刻早退回数", "123", H, "123.00", ""},       // other attendance: three
        {"有休残日数", "1:30", H, "  1.50", ""},        // ":" reads as hours and minutes
        {"欠勤日数", "2-", H, "", kMsgSignPosition},
        {"変動手当１", "1234567", H, "1,234,567", ""},
        {"変動手当１", "-500", H, "   -500", ""},
        {"変動手当１", "12345678", H, "", kMsgTooManyDigits},
        {"変動手当１", "1,000abc", H, "", kMsgNotANumber},
        {"変動手当１", "", H, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.row) + " " + c.typed);
        build(c.style);
        const int r = row(c.row);
        ASSERT_TRUE(grid_.setText(r, 1, c.typed));
        EXPECT_EQ(grid_.commitCell(r, 1), c.error);
        EXPECT_EQ(grid_.text(r, 1), c.shown);
    }
}

TEST_F(PayGridTest, LeavingPaidLeaveDaysCarriesThePreviousBalanceLessTheDays) {
    auto march = std::make_unique<PeriodBlock>();
    addEmployee(*march, 1, {.recordId = "260101_090001"});
    march->attendance[0].paidLeaveBalance = 10.5;
    march->settings.companyName.assign("テスト商事");
    writeBlock(kReiwa8, 3, *march);
    open(4);
    addEmployee(2, {.recordId = "260401_090002"});  // new this month: no balance to carry
    build();
    const int days = row("有休日数");
    const int balance = row("有休残日数");

    ASSERT_TRUE(grid_.setText(days, 1, "2"));
    EXPECT_EQ(grid_.commitCell(days, 1), "");
    EXPECT_TRUE(grid_.leaveCell(days, 1));
    EXPECT_EQ(grid_.text(balance, 1), "  8.50");

    const std::string before = grid_.text(balance, 2);
    ASSERT_TRUE(grid_.setText(days, 2, "1"));
    EXPECT_FALSE(grid_.leaveCell(days, 2));
    EXPECT_EQ(grid_.text(balance, 2), before);

    EXPECT_FALSE(grid_.leaveCell(row("欠勤日数"), 1));  // other rows carry nothing
    EXPECT_FALSE(grid_.leaveCell(days, 3));             // no employee

    // The balance was read when the period was opened: leaving the cell reads no file.
    std::filesystem::remove(file(kReiwa8));
    ASSERT_TRUE(grid_.setText(days, 1, "3"));
    EXPECT_TRUE(grid_.leaveCell(days, 1));
    EXPECT_EQ(grid_.text(balance, 1), "  7.50");
    EXPECT_EQ(attendance(1).paidLeaveBalance, 7.5);  // in the records at once
}

// January's balance comes from the previous year's file; one that cannot be read is told
// each time a balance is asked for, and the period can still be worked on.
TEST_F(PayGridTest, AnUnreadablePreviousYearIsReportedWhenTheCellIsLeft) {
    open(1);
    addEmployee(1, {.recordId = "260101_090001"});
    year_.savePeriod();
    writeFileAtomic(file(kReiwa7), "not a year file");
    open(1);  // saved January, opened again
    build();
    const int days = row("有休日数");
    ASSERT_TRUE(grid_.setText(days, 1, "1"));
    EXPECT_THROW(grid_.leaveCell(days, 1), IoError);
    EXPECT_THROW(grid_.leaveCell(days, 1), IoError);
    EXPECT_EQ(grid_.commitCell(days, 1), "");
    EXPECT_EQ(attendance(1).paidLeaveDays, 1.0);
}

TEST_F(PayGridTest, ColumnsFeedTheRecalculation) {
    open(4);
    addEmployee(1, {.recordId = "260101_090001", .workStatus = 3});
    addEmployee(2, {.recordId = "260101_090002", .basePay = 300'000}).overtimeRate = 1'250;
    build();
    const int overtime = row("普通残業時間");
    ASSERT_TRUE(grid_.setText(overtime, 1, "10:30"));
    EXPECT_EQ(grid_.commitCell(overtime, 1), "");

    const std::vector<calc::GridColumn> columns = grid_.columns();
    ASSERT_EQ(columns.size(), 1u);
    ASSERT_EQ(columns[0].cells.size(), kDefaultSalaryRows.size());
    EXPECT_EQ(columns[0].employee, EmployeeId("260101_090002"));
    EXPECT_EQ(columns[0].cells[overtime - 1].item, ItemId::attendance(9));  // 普通残業時間
    EXPECT_TRUE(calc::RecalculatePeriod(year_, ctx(), &columns).empty());

    EXPECT_EQ(attendance(2).overtimeHours, 10.5);
    EXPECT_EQ(payment(2).overtimePay, 13'125);
    EXPECT_EQ(payment(2).payTotal, 313'125);
    EXPECT_EQ(build().text(overtime, 1), " 10:30");
}

// The grid shows values rounded to the minute or to 0.01, but the period keeps them as they
// were entered: typed (1:20 is 4/3 hours, not the 1.33 decimal hours show), imported or typed
// in the individual entry window (kept to the last digit, also in cells nobody may edit).
TEST_F(PayGridTest, RecalculationKeepsTheExactValuesBehindTheShownTexts) {
    for (const TimeStyle style : {TimeStyle::Sexagesimal, TimeStyle::Decimal}) {
        SCOPED_TRACE(style == TimeStyle::Decimal ? "decimal hours" : "h:mm");
        useLayout(defaultLayout(LayoutKind::Salary));
        open(4);
        addEmployee(1, {.recordId = "260101_090001", .basePay = 300'000}).overtimeRate = 2'000;
        addEmployee(2, {.recordId = "260101_090002", .payForm = 3});
        attendance(1).hoursWorked = 7.3333;
        attendance(1).daysWorked = 1.005;
        attendance(2).lateHours = 0.3333;  // hourly slips have no lateness row: not editable
        build(style);
        const int overtime = row("普通残業時間");
        ASSERT_FALSE(grid_.isEditable(row("遅刻早退時間"), 2));
        ASSERT_TRUE(grid_.setText(overtime, 1, "1:20"));
        EXPECT_EQ(grid_.commitCell(overtime, 1), "");
        EXPECT_EQ(grid_.text(overtime, 1), style == TimeStyle::Decimal ? "  1.33" : "  1:20");

        const std::vector<calc::GridColumn> columns = grid_.columns();
        calc::RecalculatePeriod(year_, ctx(), &columns);
        EXPECT_EQ(attendance(1).overtimeHours, parseNumber("1:20").value);
        EXPECT_EQ(payment(1).overtimePay, 2'667);  // 4/3 h × 2,000 rounded up; 1.33 h gave 2,660
        EXPECT_EQ(attendance(1).hoursWorked, 7.3333);
        EXPECT_EQ(attendance(1).daysWorked, 1.005);
        EXPECT_EQ(attendance(2).lateHours, 0.3333);

        // Typing the shown text again is no change; typing a new value takes what was typed.
        build(style);
        ASSERT_TRUE(grid_.setText(row("出勤日数"), 1, "2.5"));
        EXPECT_EQ(grid_.commitCell(row("出勤日数"), 1), "");
        EXPECT_EQ(grid_.commitCell(row("実働時間"), 1), "");  // not typed into: kept as it is
        const std::vector<calc::GridColumn> again = grid_.columns();
        calc::RecalculatePeriod(year_, ctx(), &again);
        EXPECT_EQ(attendance(1).daysWorked, 2.5);
        EXPECT_EQ(attendance(1).hoursWorked, 7.3333);
        EXPECT_EQ(attendance(1).overtimeHours, parseNumber("1:20").value);
    }
}

// Values off the minute or the hundredth (imported, or saved under the other display) are no
// change when the period is opened again, whichever way hours are shown.
TEST_F(PayGridTest, AnUntouchedGridIsNoChangeToTheSavedPeriod) {
    useLayout(defaultLayout(LayoutKind::Salary));
    open(5);
    addEmployee(1, {.recordId = "260101_090001", .basePay = 250'000}).overtimeRate = 1'700;
    attendance(1).overtimeHours = 7.3333;
    attendance(1).daysWorked = 1.005;
    attendance(1).paidLeaveBalance = 10.125;
    build(TimeStyle::Sexagesimal);
    const std::vector<calc::GridColumn> saved = grid_.columns();
    calc::RecalculatePeriod(year_, ctx(), &saved);  // as saving does
    year_.savePeriod();
    EXPECT_EQ(attendance(1).overtimeHours, 7.3333);

    for (const TimeStyle style : {TimeStyle::Sexagesimal, TimeStyle::Decimal}) {
        build(style);
        // Leaving cells without typing, and the recalculation saving does, change nothing.
        EXPECT_EQ(grid_.commitCell(row("普通残業時間"), 1), "");
        EXPECT_FALSE(grid_.leaveCell(row("出勤日数"), 1));
        const std::vector<calc::GridColumn> columns = grid_.columns();
        calc::RecalculatePeriod(year_, ctx(), &columns);
        EXPECT_FALSE(year_.document().isModified());
    }
    // A value typed into the grid is a change at once, before any recalculation.
    ASSERT_TRUE(grid_.setText(row("普通残業時間"), 1, "7:21"));
    EXPECT_TRUE(year_.document().isModified());
    EXPECT_EQ(grid_.commitCell(row("普通残業時間"), 1), "");
    EXPECT_TRUE(year_.document().isModified());
    EXPECT_EQ(attendance(1).overtimeHours, parseNumber("7:21").value);
}

// The grid stores what is typed as the recalculation collects it, through the document; a
// change made through the document elsewhere shows in the grid.
TEST_F(PayGridTest, EntriesGoThroughTheDocumentAndItsChangesShow) {
    useLayout(everythingOn(LayoutKind::Salary));
    open(4);
    addEmployee(1, {.recordId = "260101_090001"});
    addEmployee(2, {.recordId = "260101_090002", .payForm = 3});
    payment(2).otherItem1 = 40;
    year_.savePeriod();
    build();
    std::vector<std::pair<int, int>> shown;
    grid_.onCellChanged([&](int r, int c) { shown.emplace_back(r, c); });

    int other = 0;
    for (int r = 1; r < grid_.rowCount(); ++r) {
        if (grid_.rowInfo(r)->item.source == ItemId::payment(20)) other = r;
    }
    ASSERT_NE(other, 0);
    ASSERT_TRUE(grid_.setText(other, 2, "1,500"));
    EXPECT_EQ(grid_.commitCell(other, 2), "");
    EXPECT_EQ(payment(2).otherItem1, 1'500);  // その他 into both records
    EXPECT_EQ(deduction(2).otherItem1, 1'500);
    EXPECT_EQ(payment(1).otherItem1, 0);
    EXPECT_TRUE(year_.document().isDirty());
    EXPECT_TRUE(shown.empty());  // the grid's own entries need no telling

    PayrollPeriod& period = year_.document();
    ASSERT_TRUE(period.setValue(EmployeeId("260101_090001"), ItemId::attendance(4), 2.5));
    const int absent = row("欠勤日数");
    EXPECT_EQ(grid_.text(absent, 1), "  2.50");
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{absent, 1}}));
    const std::vector<calc::GridColumn> columns = grid_.columns();
    EXPECT_EQ(columns[0].cells[absent - 1].value, 2.5);
}

TEST_F(PayGridTest, ABonusGridStoresNoAttendance) {
    openBonus(13, 6);
    addEmployee(1, {.recordId = "260101_090001"});
    // Bonus layouts have no attendance band; should one still hold an attendance row...
    PrintTables tables = buildPrintTables(layout_);
    for (auto& form : tables.codes) form[static_cast<int>(Band::Attendance)] = {"F", "V出勤日数"};
    grid_.build(year_, tables, active_, settings_.itemNames, TimeStyle::Sexagesimal);
    const int days = row("出勤日数");
    ASSERT_TRUE(grid_.setText(days, 1, "3"));
    EXPECT_EQ(grid_.commitCell(days, 1), "");
    EXPECT_EQ(grid_.text(days, 1), "  3.00");
    EXPECT_EQ(attendance(1).daysWorked, 0.0);
    EXPECT_FALSE(year_.document().isDirty());
}

// Two items the user gave one name (a Keiro.ini edited by hand) are still two rows, each
// with its own value.
TEST_F(PayGridTest, ItemsOfTheSameNameEachKeepTheirOwnValue) {
    settings_.itemNames.names[29] = "手当";  // 変動手当１
    settings_.itemNames.names[30] = "手当";  // 変動手当２
    useLayout(everythingOn(LayoutKind::Salary));
    open(4);
    addEmployee(1, {.recordId = "260101_090001", .basePay = 200'000});
    build();
    int first = 0;
    int second = 0;
    for (int r = 1; r < grid_.rowCount(); ++r) {
        if (grid_.rowInfo(r)->item.source == ItemId::payment(13)) first = r;
        if (grid_.rowInfo(r)->item.source == ItemId::payment(14)) second = r;
    }
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    EXPECT_EQ(grid_.text(first, 0), "手当");
    EXPECT_EQ(grid_.text(second, 0), "手当");
    ASSERT_TRUE(grid_.setText(first, 1, "1000"));
    EXPECT_EQ(grid_.commitCell(first, 1), "");
    ASSERT_TRUE(grid_.setText(second, 1, "20"));
    EXPECT_EQ(grid_.commitCell(second, 1), "");

    const std::vector<calc::GridColumn> columns = grid_.columns();
    calc::RecalculatePeriod(year_, ctx(), &columns);
    EXPECT_EQ(payment(1).variableAllowance1, 1'000);
    EXPECT_EQ(payment(1).variableAllowance2, 20);
    EXPECT_EQ(payment(1).payTotal, 201'020);
    EXPECT_EQ(build().text(first, 1), "  1,000");
    EXPECT_EQ(grid_.text(second, 1), "     20");
}

TEST_F(PayGridTest, PeriodTextFollowsTheKindAndTheChangeOfEra) {
    const EraYear heisei31{"平成", 31};
    settings_.itemNames.extraBonusCaption = "決算賞与";
    struct Case {
        EraYear file;
        int period;
        int bonusMonth;
        const char* text;
    };
    const Case cases[] = {
        {heisei31, 4, 0, "平成31年4月分給与"},  {heisei31, 5, 0, "令和1年5月分給与"},
        {heisei31, 13, 6, "令和1年・夏期賞与"}, {heisei31, 13, 4, "平成31年・夏期賞与"},
        {kReiwa8, 14, 12, "令和8年・冬期賞与"}, {kReiwa8, 15, 3, "令和8年・決算賞与"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        open(c.period, c.file, PeriodEntry{20, 160.0, c.bonusMonth, 10});
        EXPECT_EQ(periodText(year_, settings_.itemNames), c.text);
    }
    EXPECT_EQ(periodTitle(year_, settings_.itemNames), "Keiro 【テスト商事 令和8年・決算賞与】");

    YearData none;
    EXPECT_EQ(periodText(none, settings_.itemNames), "");
}

}  // namespace
}  // namespace keiro::payroll::testing

namespace keiro::payroll {
namespace {

TEST(PayGridBeforeBuild, EveryCellIsEmptyAndNothingIsEditable) {
    const PayGrid grid;
    EXPECT_EQ(grid.text(0, 0), "");
    EXPECT_EQ(grid.text(0, 5), "");
    EXPECT_FALSE(grid.isEditable(1, 1));
    EXPECT_EQ(grid.slotOf(1), kNoSlot);
}

}  // namespace
}  // namespace keiro::payroll
