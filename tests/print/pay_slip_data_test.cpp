// What a pay slip shows, before it is drawn: rows by the employee's pay form and layout, totals,
// titles, and the year-to-date sums read from the data file.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "core/entry.h"
#include "core/year_view.h"
#include "print/slip_grid_items.h"
#include "tests/print/slip_fixture.h"

namespace keiro::print {

void PrintTo(const SlipLine& line, std::ostream* out) {
    *out << '{' << line.name << ", \"" << line.value << "\"}";
}

namespace {

const SlipLine& row(const SlipData& slip, Band band, int r) {
    return slip.rows[static_cast<int>(band)][r];
}

// The cell of the grid at (line, column), or nullptr.
const GridCell* cellAt(const std::vector<GridCell>& cells, int line, int column) {
    for (const GridCell& cell : cells) {
        if (cell.line == line && cell.column == column) return &cell;
    }
    return nullptr;
}

using SlipDataTest = NovemberSlipsTest;

TEST_F(SlipDataTest, RowsFollowTheLayoutOfTheEmployeesPayForm) {
    const SlipFixture& f = *november_;
    const PeriodBlock& block = f.demo.year.block();
    const TimeStyle style = f.demo.state.settings.timeStyle;

    const SlipData monthly = f.slip(kMonthly);
    EXPECT_EQ(monthly.title, "令和8年 11月分給与");
    EXPECT_EQ(monthly.company, "株式会社サンプル商事");
    EXPECT_EQ(monthly.section, "営業部・一般社員");
    EXPECT_EQ(row(monthly, Band::Pay, 0),
              (SlipLine{"基本給", formatAmount(10, block.payments[kMonthly - 1].basePayAmount)}));
    EXPECT_EQ(row(monthly, Band::Pay, 3).name, "住宅手当");  // the user's own name
    EXPECT_EQ(row(monthly, Band::Attendance, 1),
              (SlipLine{"出勤日数", formatQuantity(block.attendance[kMonthly - 1].daysWorked)}));
    EXPECT_EQ(row(monthly, Band::Deduction, 8).name, "所得税");
    EXPECT_EQ(monthly.netPay, monthly.payTotal - monthly.deductionTotal);
    EXPECT_EQ(monthly.payTotal, block.payments[kMonthly - 1].payTotal);
    EXPECT_FALSE(monthly.cash);

    const SlipData daily = f.slip(kDaily);
    EXPECT_EQ(row(daily, Band::Pay, 0).name, "日給計");
    EXPECT_TRUE(row(daily, Band::Attendance, 0).name.empty());  // 所定労働日数 is off for 日給

    const SlipData hourly = f.slip(kHourlyCash);
    EXPECT_EQ(row(hourly, Band::Pay, 0).name, "時給計");
    EXPECT_EQ(
        row(hourly, Band::Attendance, 7),
        (SlipLine{"実働時間", formatHours(block.attendance[kHourlyCash - 1].hoursWorked, style)}));
    EXPECT_TRUE(hourly.cash);
    EXPECT_TRUE(hourly.secondaryColumn);
}

TEST_F(SlipDataTest, SwitchedOffRowIsEmptyAndTakesNoGridCell) {
    SlipFixture& f = *november_;
    const SlipData before = f.slip(kMonthly, 7);
    ASSERT_NE(cellAt(before.grid.pay, 0, 1), nullptr);
    EXPECT_EQ(cellAt(before.grid.pay, 0, 1)->item.name, "役職手当");
    EXPECT_EQ(cellAt(before.grid.pay, 0, 2)->item.name, "家族手当");

    const PrintTables kept = f.tables;
    f.tables.codes[0][static_cast<int>(Band::Pay)][1] = "F";  // 役職手当 off for 月給
    const SlipData row = f.slip(kMonthly, 3);
    const SlipData grid = f.slip(kMonthly, 7);
    f.tables = kept;

    EXPECT_EQ(row.rows[static_cast<int>(Band::Pay)][1], SlipLine{});
    EXPECT_EQ(row.rows[static_cast<int>(Band::Pay)][2].name, "家族手当");  // rows keep their place
    ASSERT_NE(cellAt(grid.grid.pay, 0, 1), nullptr);
    EXPECT_EQ(cellAt(grid.grid.pay, 0, 1)->item.name, "家族手当");  // cells close up
    // The second line starts with its own entry whatever the first showed.
    EXPECT_EQ(cellAt(grid.grid.pay, 1, 0)->item.name, "普通残業手当");
    EXPECT_EQ(cellAt(grid.grid.pay, 2, 8)->item,
              (SlipLine{"支給合計", formatAmount(10, grid.payTotal)}));
}

TEST_F(SlipDataTest, OnlyPrintedOtherItemsCountInTheNetPay) {
    SlipFixture& f = *november_;
    PeriodBlock& block = f.demo.year.block();
    const std::int32_t kept = block.payments[kMonthly - 1].otherItem1;
    block.payments[kMonthly - 1].otherItem1 = 5000;

    const SlipData hidden = f.slip(kMonthly);  // the sample layout prints no other item
    EXPECT_EQ(hidden.otherTotal, 0);
    EXPECT_EQ(hidden.netPay, hidden.payTotal - hidden.deductionTotal);

    const PrintTables tables = f.tables;
    f.tables.codes[0][static_cast<int>(Band::Other)][0] = "Vその他１";
    const SlipData shown = f.slip(kMonthly);
    const SlipData grid = f.slip(kMonthly, 7);
    f.tables = tables;
    block.payments[kMonthly - 1].otherItem1 = kept;

    EXPECT_EQ(shown.rows[static_cast<int>(Band::Other)][0], (SlipLine{"その他１", "     5,000"}));
    EXPECT_EQ(shown.otherTotal, 5000);
    EXPECT_EQ(shown.netPay, hidden.netPay + 5000);
    EXPECT_EQ(cellAt(grid.grid.other, 0, 4)->item, (SlipLine{"その他合計", "     5,000"}));
    EXPECT_EQ(cellAt(grid.grid.other, 0, 8)->item.value, formatAmount(10, shown.netPay));
}

// 年調過不足 prints, minus sign and all, only on the slip of the pay it is settled in.
TEST_F(SlipDataTest, TheSettlementPrintsOnlyWhenThereIsOne) {
    SlipFixture& f = *november_;
    DeductionRecord& d = f.demo.year.block().deductions[kMonthly - 1];
    const auto settlementRows = [](const SlipData& slip) {
        std::vector<SlipLine> found;
        for (const SlipLine& line : slip.rows[static_cast<int>(Band::Deduction)]) {
            if (line.name == "年調過不足") found.push_back(line);
        }
        for (const GridCell& cell : slip.grid.deduction) {
            if (cell.item.name == "年調過不足") found.push_back(cell.item);
        }
        return found;
    };
    EXPECT_TRUE(settlementRows(f.slip(kMonthly, 3)).empty());
    EXPECT_TRUE(settlementRows(f.slip(kMonthly, 7)).empty());

    const DeductionRecord kept = d;
    d.yearEndSettlement = -12'000;  // a refund, as the calculation counts it
    d.deductionTotal -= 12'000;
    const SlipData row = f.slip(kMonthly, 3);
    const SlipData grid = f.slip(kMonthly, 7);
    d = kept;

    const SlipLine refund{"年調過不足", "   -12,000"};
    EXPECT_EQ(settlementRows(row), std::vector<SlipLine>{refund});
    EXPECT_EQ(row.netPay, f.slip(kMonthly, 3).netPay + 12'000);
    // Its cell follows 住民税 and 子ども・子育て支援金 on the second line, before the totals there.
    const GridCell* cell = nullptr;
    for (const GridCell& c : grid.grid.deduction) {
        if (c.item == refund) cell = &c;
    }
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->line, 1);
    EXPECT_LT(cell->column, 6);
}

// The levy's name is longer than a slip's cell: the slips print its short form, not a cut one.
TEST_F(SlipDataTest, TheLevyPrintsUnderItsShortName) {
    const SlipFixture& f = *november_;
    for (const int formType : {3, 7}) {
        const SlipData slip = f.slip(kMonthly, formType);
        std::vector<std::string> names;
        for (const SlipLine& line : slip.rows[static_cast<int>(Band::Deduction)])
            names.push_back(line.name);
        for (const GridCell& cell : slip.grid.deduction) names.push_back(cell.item.name);
        EXPECT_NE(std::find(names.begin(), names.end(), "子育て支援金"), names.end()) << formType;
        for (const std::string& name : names)
            EXPECT_EQ(name.find("子ども・子育"), std::string::npos);
    }
}

TEST_F(SlipDataTest, OddItemsAndDamagedRecordsStillPrint) {
    SlipFixture& f = *november_;
    PeriodBlock& block = f.demo.year.block();
    const PrintTables tables = f.tables;
    const PaymentRecord payment = block.payments[kMonthly - 1];
    auto& pay = f.tables.codes[0][static_cast<int>(Band::Pay)];
    pay[2] = "F謎の手当";     // a name that matches no field
    pay[14] = "V変動手当１";  // renamed 精勤手当 by the sample company
    block.payments[kMonthly - 1].variableAllowance1 = -1234;
    const SlipData odd = f.slip(kMonthly);

    block.employee(kMonthly).payForm = 9;  // no such pay form
    const SlipData damaged = f.slip(kMonthly);
    const SlipData damagedGrid = f.slip(kMonthly, 7);
    block.employee(kMonthly).payForm = 1;
    block.payments[kMonthly - 1] = payment;
    f.tables = tables;

    EXPECT_EQ(odd.rows[static_cast<int>(Band::Pay)][2], (SlipLine{"謎の手当", "         0"}));
    EXPECT_EQ(odd.rows[static_cast<int>(Band::Pay)][14], (SlipLine{"精勤手当", "    -1,234"}));
    for (const auto& rows : damaged.rows) {
        for (const SlipLine& line : rows) EXPECT_EQ(line, SlipLine{});
    }
    EXPECT_EQ(damaged.payTotal, payment.payTotal);
    EXPECT_EQ(damagedGrid.grid.pay.size(), 1u);  // the pay total alone
}

TEST_F(SlipDataTest, CommentIsTheMemoOrTheEmployeesRemarks) {
    SlipFixture& f = *november_;
    PrintChoices choices = f.choices(3);
    choices.comment = {"年末調整は12月に行います。", "", "3", "4", "5", "6"};
    EXPECT_EQ(f.report({kMonthly}, choices).slips()[0].comment,
              (std::vector<std::string>{"年末調整は12月に行います。", "", "3", "4", "5"}));

    EmployeeRecord& employee = f.demo.year.block().employee(kMonthly);
    const auto kept = employee.remarks;
    employee.remarks.assign("一行目\r\n二行目\r\n" + std::string(20, 'x') +
                            "あいうえおかきくけこさしす");
    choices.printRemarks = true;
    const SlipData slip = f.report({kMonthly}, choices).slips()[0];
    employee.remarks = kept;
    // A line longer than the box (34 characters) goes on in the next.
    EXPECT_EQ(slip.comment,
              (std::vector<std::string>{"一行目", "二行目", std::string(20, 'x') + "あいうえおかき",
                                        "くけこさしす"}));
}

// The sums of the earlier periods in the file, for the employee in `slot` of `current`.
YearToDate earlierSums(const SlipFixture& f, const std::vector<int>& periods, int slot) {
    const YearView file(f.demo.year.path());
    const std::string_view id = f.demo.year.block().employee(slot).recordId.bytes();
    YearToDate sums;
    for (int period : periods) {
        const PeriodBlock& block = file.block(period);
        for (int s = 1; s <= kMaxEmployees; ++s) {
            if (block.employee(s).recordId.bytes() != id) continue;
            sums.taxablePay += block.payments[s - 1].taxablePayTotal;
            sums.socialInsurance += block.deductions[s - 1].socialInsTotal;
            sums.incomeTax += block.deductions[s - 1].incomeTax;
        }
    }
    return sums;
}

YearToDate plus(YearToDate sums, const PeriodBlock& block, int slot) {
    sums.taxablePay += block.payments[slot - 1].taxablePayTotal;
    sums.socialInsurance += block.deductions[slot - 1].socialInsTotal;
    sums.incomeTax += block.deductions[slot - 1].incomeTax;
    return sums;
}

TEST_F(SlipDataTest, YearToDateAddsTheSavedPeriodsPaidBefore) {
    SlipFixture& f = *november_;
    const PeriodBlock& block = f.demo.year.block();
    // November: the months before and the summer bonus.
    const SlipData slip = f.slip(kMonthly);
    ASSERT_TRUE(slip.yearToDate);
    const YearToDate expected =
        plus(earlierSums(f, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13}, kMonthly), block, kMonthly);
    EXPECT_EQ(*slip.yearToDate, expected);
    EXPECT_GT(expected.taxablePay, 10 * block.payments[kMonthly - 1].taxablePayTotal);

    EXPECT_FALSE(f.slip(kMonthly, 7).yearToDate);  // the grid design has no such block
    f.demo.state.settings.printCumulative = false;
    const SlipData off = f.slip(kMonthly);
    f.demo.state.settings.printCumulative = true;
    EXPECT_FALSE(off.yearToDate);
}

TEST(SlipYearToDateTest, JanuaryAndBonusesCountWhatWasPaidBefore) {
    const SlipFixture january(1);
    const PeriodBlock& block = january.demo.year.block();
    EXPECT_EQ(*january.slip(kMonthly).yearToDate, plus(YearToDate{}, block, kMonthly));

    // The summer bonus is paid on 7/10, before July's salary (the 25th).
    const SlipFixture summer(13);
    EXPECT_EQ(*summer.slip(kMonthly).yearToDate,
              plus(earlierSums(summer, {1, 2, 3, 4, 5, 6}, kMonthly), summer.demo.year.block(),
                   kMonthly));
}

TEST(SlipYearToDateTest, PeriodsPaidBeforeFollowTheDays) {
    YearFileHeader header{};
    header.bonusPayMonth[0] = 7;  // summer 7/10
    header.bonusPayDay[0] = 10;
    header.bonusPayMonth[2] = 7;  // extra 7/25; winter never set
    header.bonusPayDay[2] = 25;
    using Periods = std::vector<int>;
    EXPECT_EQ(yearToDatePeriods(1, header, 25, 25), Periods{});
    EXPECT_EQ(yearToDatePeriods(7, header, 25, 25), (Periods{1, 2, 3, 4, 5, 6, 13, 15}));
    EXPECT_EQ(yearToDatePeriods(7, header, 25, 9), (Periods{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(yearToDatePeriods(7, header, 25, 0), (Periods{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(yearToDatePeriods(8, header, 25, 25), (Periods{1, 2, 3, 4, 5, 6, 7, 13, 15}));
    // A bonus before the month's salary leaves that month out, one after it takes it in.
    EXPECT_EQ(yearToDatePeriods(13, header, 25, 10), (Periods{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(yearToDatePeriods(15, header, 25, 25), (Periods{1, 2, 3, 4, 5, 6, 7, 13}));
    EXPECT_EQ(yearToDatePeriods(15, header, 0, 25), (Periods{1, 2, 3, 4, 5, 6, 7, 13}));
}

TEST(SlipTitleTest, EraChangesAfterAprilOfTheEarlierErasLastYear) {
    YearFileHeader header{};
    header.bonusPayMonth[0] = 7;
    header.bonusPayMonth[2] = 3;
    ItemNames names;
    names.extraBonusCaption = "決算賞与";
    SlipPeriod period{
        .header = &header, .fileYear = {"平成", 31}, .eraNames = {"平成", "令和"}, .names = &names};
    const auto title = [&](int p, bool grid) {
        period.period = p;
        return slipTitle(period, grid);
    };
    EXPECT_EQ(title(4, false), "平成31年 4月分給与");
    EXPECT_EQ(title(5, false), "令和1年 5月分給与");
    EXPECT_EQ(title(5, true), "令和1年 5月分給与");
    EXPECT_EQ(title(13, false), "令和1年 夏期賞与");
    EXPECT_EQ(title(13, true), "令和1年夏期 賞与");
    EXPECT_EQ(title(15, false), "平成31年 決算賞与");  // paid in March
    EXPECT_EQ(title(15, true), "平成31年決算賞与");

    period.period = 5;
    EXPECT_EQ(slipPeriodLabel(period), "給与31-05");
    period.period = 14;
    EXPECT_EQ(slipPeriodLabel(period), "冬期賞与");
    period.period = 15;
    EXPECT_EQ(slipPeriodLabel(period), "決算賞与");
}

}  // namespace
}  // namespace keiro::print
