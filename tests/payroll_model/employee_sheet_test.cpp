// One employee's sheet of the individual entry window: the rows the layouts give per pay form,
// which boxes may be typed into, the hand-entry switch, texts and totals after a recalculation,
// the paid-leave balance, the bonus that needs its tax entered by hand, moving between the
// employees at work, the remarks, and editing through the period's document.
#include "payroll/model/employee_sheet.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "calc/bonus_tax.h"
#include "tests/support/pay_fixture.h"

namespace keiro::payroll::testing {
namespace {

using namespace calc::testing;

class EmployeeSheetTest : public PayFixture {
  protected:
    EmployeeSheetTest() { useLayout(defaultLayout(LayoutKind::Salary)); }

    EmployeeSheet& sheet(int slot) {
        tables_ = buildPrintTables(layout_);
        context_ = std::make_unique<calc::CalcContext>(ctx());
        sheet_ = std::make_unique<EmployeeSheet>(year_, tables_, *context_);
        sheet_->show(slot);
        return *sheet_;
    }

    // The band position whose item is labelled `label`.
    int position(Band band, std::string_view label) const {
        for (int p = 0; p < sheet_->rowCount(band); ++p) {
            if (sheet_->row(band, p).item.label == label) return p;
        }
        ADD_FAILURE() << "no row " << label;
        return 0;
    }

    PrintTables tables_;
    std::unique_ptr<calc::CalcContext> context_;
    std::unique_ptr<EmployeeSheet> sheet_;
};

TEST_F(EmployeeSheetTest, RowsCaptionsAndStatesFollowThePayForm) {
    open(4);
    addEmployee(1, {.recordId = "260101_090001", .payForm = 1});
    addEmployee(2, {.recordId = "260101_090002", .payForm = 2});
    addEmployee(3, {.recordId = "260101_090003", .payForm = 3});
    EmployeeSheet& s = sheet(1);
    EXPECT_EQ(s.rowCount(Band::Attendance), 16);
    EXPECT_EQ(s.rowCount(Band::Pay), 18);
    EXPECT_EQ(s.rowCount(Band::Deduction), 18);
    EXPECT_EQ(s.rowCount(Band::Other), 3);

    const int scheduled = position(Band::Attendance, "所定労働日数");
    const int worked = position(Band::Attendance, "出勤日数");
    const int basePay = position(Band::Pay, "基本給");
    const int taxable = position(Band::Pay, "課税支給合計");
    const struct {
        int slot;
        const char* basePayCaption;
        BoxState scheduledDays;
    } forms[] = {{1, "基本給", BoxState::ReadOnly},
                 {2, "日給計", BoxState::Hidden},  // not on the daily-paid slip
                 {3, "時給計", BoxState::Hidden}};
    for (const auto& f : forms) {
        SCOPED_TRACE(f.slot);
        s.show(f.slot);
        EXPECT_EQ(s.caption(Band::Pay, basePay), f.basePayCaption);
        EXPECT_EQ(s.state(Band::Attendance, scheduled), f.scheduledDays);
        EXPECT_EQ(s.state(Band::Attendance, worked), BoxState::Editable);
        EXPECT_EQ(s.state(Band::Pay, basePay), BoxState::ReadOnly);
        EXPECT_EQ(s.state(Band::Pay, taxable), BoxState::ReadOnly);
        EXPECT_EQ(s.state(Band::Deduction, 17), BoxState::Hidden);  // a blank row
        // 年調過不足 is typed like the variable items (the withholding program writes it too).
        EXPECT_EQ(s.caption(Band::Deduction, 13), "年調過不足");
        EXPECT_EQ(s.state(Band::Deduction, 13), BoxState::Editable);
        EXPECT_EQ(s.state(Band::Other, 0), BoxState::Hidden);  // その他 off by default
        EXPECT_EQ(s.caption(Band::Other, 0), "");
    }
    EXPECT_EQ(s.row(Band::Pay, taxable).kind, SheetRowKind::Total);
    EXPECT_EQ(s.title(), "詳細入力画面 【社員3】");
}

TEST_F(EmployeeSheetTest, ManualFlagNumbersAreThoseOfTheRecordFields) {
    useLayout(everythingOn(LayoutKind::Salary));
    open(4);
    addEmployee(1, {});
    sheet(1);
    const struct {
        Band band;
        const char* label;
        int flag;
        bool switchable;
    } cases[] = {
        {Band::Pay, "基本給", 1, true},
        {Band::Pay, "役職手当", 2, true},
        {Band::Pay, "家族手当", 3, true},
        {Band::Pay, "固定手当１", 4, true},
        {Band::Pay, "固定手当３", 6, true},
        {Band::Pay, "普通残業手当", 7, true},
        {Band::Pay, "深夜残業手当", 8, true},
        {Band::Pay, "休日普通残業", 9, true},
        {Band::Pay, "休日深夜残業", 10, true},
        {Band::Pay, "非課税通勤費", 11, true},
        {Band::Pay, "課税通勤費", 12, true},
        {Band::Pay, "欠勤控除", 16, true},
        {Band::Pay, "遅刻早退控除", 17, true},
        {Band::Pay, "変動手当１", 0, false},
        {Band::Pay, "課税支給合計", 0, false},
        {Band::Deduction, "健康保険料", 1, true},
        {Band::Deduction, "厚生年金保険", 2, true},
        {Band::Deduction, "厚生年金基金", 3, true},
        {Band::Deduction, "雇用保険料", 4, true},
        {Band::Deduction, "介護保険料", 5, true},
        {Band::Deduction, "子ども・子育て支援金", 21, true},
        {Band::Deduction, "社会保険料計", 0, false},
        {Band::Deduction, "社保控除後計", 0, false},
        {Band::Deduction, "所得税", 8, true},
        {Band::Deduction, "住民税", 9, true},
        {Band::Deduction, "固定控除１", 10, true},
        {Band::Deduction, "固定控除３", 12, true},
        {Band::Deduction, "変動控除２", 0, false},
        {Band::Other, "その他１", 0, false},
        {Band::Attendance, "所定労働日数", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const SheetRow& row = sheet_->row(c.band, position(c.band, c.label));
        EXPECT_EQ(row.manualFlag, c.flag);
        EXPECT_EQ(row.switchable(), c.switchable);
        EXPECT_EQ(sheet_->toggleManual(c.band, row.item.position), c.switchable);
    }
}

TEST_F(EmployeeSheetTest, BonusRowsAreTypedAndHaveNoAttendance) {
    openBonus(13, 7);
    addEmployee(1, {});
    EmployeeSheet& s = sheet(1);
    EXPECT_TRUE(s.isBonus());
    for (int p = 0; p < s.rowCount(Band::Attendance); ++p) {
        EXPECT_EQ(s.state(Band::Attendance, p), BoxState::Hidden);
    }
    EXPECT_EQ(s.caption(Band::Pay, 0), "賞与");
    EXPECT_EQ(s.caption(Band::Pay, 1), "役員報酬");
    EXPECT_EQ(s.state(Band::Pay, 0), BoxState::Editable);
    // 賞与 carries flag 1 in its record, but a typed item is not switched.
    EXPECT_EQ(s.row(Band::Pay, 0).manualFlag, 1);
    EXPECT_FALSE(s.toggleManual(Band::Pay, 0));
}

TEST_F(EmployeeSheetTest, TextsFollowTheItemAndTheTimeStyle) {
    open(4);
    addEmployee(1, {});
    attendance(1).hoursWorked = 160.5;
    attendance(1).daysWorked = 20;
    payment(1).basePayAmount = 1'234'567;
    payment(1).absenceDeduction = -12'499;
    EmployeeSheet& s = sheet(1);
    const int hours = position(Band::Attendance, "実働時間");
    const int days = position(Band::Attendance, "出勤日数");
    EXPECT_EQ(s.text(Band::Attendance, hours), "160:30");
    EXPECT_EQ(s.text(Band::Attendance, days), "20.00");
    EXPECT_EQ(s.text(Band::Pay, 0), "1,234,567");
    EXPECT_EQ(s.text(Band::Pay, position(Band::Pay, "欠勤控除")), "-12,499");
    settings_.timeStyle = TimeStyle::Decimal;
    EXPECT_EQ(s.text(Band::Attendance, hours), "160.50");

    EXPECT_EQ(s.check(Band::Attendance, hours, "1.5").text, "1.50");
    EXPECT_EQ(s.check(Band::Pay, 0, "9999").text, "9,999");
    EXPECT_EQ(s.check(Band::Attendance, hours, "1:75").error, kMsgMinutesOver59);
}

TEST_F(EmployeeSheetTest, TypedEntriesAreStoredAndTheEmployeeRecalculated) {
    open(4);
    EmployeeRecord& e = addEmployee(1, {.payForm = 2, .basePay = 9'000});
    e.paidLeavePay = 8'000;
    EmployeeSheet& s = sheet(1);
    const int days = position(Band::Attendance, "出勤日数");
    const int leave = position(Band::Attendance, "有休日数");

    EXPECT_TRUE(s.enter(Band::Attendance, days, "20.00"));
    EXPECT_TRUE(s.enter(Band::Attendance, leave, "1"));
    EXPECT_FALSE(s.enter(Band::Attendance, leave, " 1.00"));  // what it shows already
    EXPECT_FALSE(s.enter(Band::Pay, 0, "5"));                 // 日給計 is computed
    EXPECT_TRUE(s.recalculate());
    EXPECT_EQ(s.text(Band::Pay, 0), "188,000");
    EXPECT_EQ(s.totals().pay, 188'000);
    EXPECT_EQ(s.totals().net, 188'000 - s.totals().deduction);
}

// The sheet edits the period through its document: each entry and the remarks are told to the
// other windows; a change another window makes to the employee shown is passed on.
TEST_F(EmployeeSheetTest, EntriesGoThroughTheDocumentAndChangesElsewhereAreShown) {
    open(4);
    addEmployee(1, {.recordId = "260101_090001"});
    addEmployee(2, {.recordId = "260101_090002"});
    year_.savePeriod();
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription grid =
        year_.document().subscribe([&](const PeriodChange& change) { told.push_back(change); });
    EmployeeSheet& s = sheet(1);
    int shownAgain = 0;
    s.onChangedElsewhere([&] { ++shownAgain; });

    ASSERT_TRUE(s.enter(Band::Attendance, position(Band::Attendance, "欠勤日数"), "1.5"));
    s.setMemo("備考");
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0].employee, EmployeeId("260101_090001"));
    EXPECT_EQ(told[0].item, ItemId::attendance(4));
    EXPECT_FALSE(told[1].item.has_value());  // the employee record
    EXPECT_TRUE(year_.document().isDirty());
    EXPECT_EQ(shownAgain, 0);  // its own entries

    year_.document().setValue(EmployeeId("260101_090002"), ItemId::attendance(4), 2);
    EXPECT_EQ(shownAgain, 0);  // another employee
    year_.document().setValue(EmployeeId("260101_090001"), ItemId::attendance(4), 3);
    EXPECT_EQ(shownAgain, 1);
    EXPECT_EQ(s.text(Band::Attendance, position(Band::Attendance, "欠勤日数")), "3.00");
}

// The hand-entry switch and the corrected 支払基礎日数 are the employee's rows: told without an
// item, for the employee shown, and kept apart from a twin of a damaged file.
TEST_F(EmployeeSheetTest, TheHandEntrySwitchAndCorrectedDaysGoThroughTheDocument) {
    open(4);
    addEmployee(1, {.recordId = "260101_090001"});
    addEmployee(2, {.recordId = "260101_090001"});
    year_.savePeriod();
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription grid =
        year_.document().subscribe([&](const PeriodChange& change) { told.push_back(change); });
    EmployeeSheet& s = sheet(2);
    int shownAgain = 0;
    s.onChangedElsewhere([&] { ++shownAgain; });
    const int health = position(Band::Deduction, "健康保険料");

    ASSERT_TRUE(s.toggleManual(Band::Deduction, health));
    EXPECT_TRUE(s.setPayBasisDays(17));
    EXPECT_FALSE(s.setPayBasisDays(17));
    ASSERT_EQ(told.size(), 2u);
    for (const PeriodChange& change : told) {
        EXPECT_EQ(change.employee, EmployeeId("260101_090001", 1));
        EXPECT_FALSE(change.item.has_value());
    }
    EXPECT_EQ(shownAgain, 0);
    EXPECT_TRUE(year_.document().isModified());
    EXPECT_TRUE(year_.block().deductions[1].isManual(1));
    EXPECT_FALSE(year_.block().deductions[0].isManual(1));
    EXPECT_EQ(s.attendance().payBasisDays, 17);
    EXPECT_EQ(year_.block().attendance[0].payBasisDaysSet, 0);

    ASSERT_TRUE(s.toggleManual(Band::Deduction, health));
    EXPECT_TRUE(s.setPayBasisDays(std::nullopt));
    EXPECT_EQ(year_.block().attendance[1].payBasisDaysSet, 0);
    EXPECT_FALSE(year_.block().deductions[1].isManual(1));
}

TEST_F(EmployeeSheetTest, HandEnteredPremiumSurvivesRecalculationUntilSwitchedBack) {
    open(4);
    EmployeeRecord& e = addEmployee(1, {.basePay = 250'000});
    e.healthInsured = 1;
    e.healthInsPremium = 12'000;
    EmployeeSheet& s = sheet(1);
    const int health = position(Band::Deduction, "健康保険料");
    const int socialIns = position(Band::Deduction, "社会保険料計");
    s.recalculate();
    EXPECT_EQ(s.text(Band::Deduction, health), "12,000");

    ASSERT_TRUE(s.toggleManual(Band::Deduction, health));
    EXPECT_EQ(s.state(Band::Deduction, health), BoxState::HandEntered);
    EXPECT_TRUE(s.enter(Band::Deduction, health, "9,999"));
    for (int round = 0; round < 2; ++round) {
        s.recalculate();
        EXPECT_EQ(s.text(Band::Deduction, health), "9,999");
        EXPECT_EQ(s.text(Band::Deduction, socialIns), "9,999");
    }
    ASSERT_TRUE(s.toggleManual(Band::Deduction, health));
    EXPECT_EQ(s.state(Band::Deduction, health), BoxState::ReadOnly);
    s.recalculate();
    EXPECT_EQ(s.text(Band::Deduction, health), "12,000");
}

TEST_F(EmployeeSheetTest, PaidLeaveBalanceIsThePreviousBalanceLessTheDaysTaken) {
    auto march = std::make_unique<PeriodBlock>();
    addEmployee(*march, 1, {.recordId = "260101_090001"});
    march->attendance[0].paidLeaveBalance = 12;
    march->settings.companyName.assign("テスト商事");
    writeBlock(kReiwa8, 3, *march);
    open(4);
    addEmployee(1, {.recordId = "260101_090001"});
    addEmployee(2, {.recordId = "260401_090002"});  // new this month
    EmployeeSheet& s = sheet(1);
    const int leave = position(Band::Attendance, "有休日数");
    EXPECT_TRUE(s.isPaidLeaveDays(Band::Attendance, leave));
    EXPECT_FALSE(s.isPaidLeaveDays(Band::Attendance, leave + 1));

    s.enter(Band::Attendance, leave, "10");
    EXPECT_TRUE(s.carryPaidLeave());
    EXPECT_EQ(s.text(Band::Attendance, position(Band::Attendance, "有休残日数")), "2.00");
    s.show(2);
    attendance(2).paidLeaveBalance = 5;
    EXPECT_FALSE(s.carryPaidLeave());
    EXPECT_EQ(attendance(2).paidLeaveBalance, 5);
}

TEST_F(EmployeeSheetTest, BonusWithoutPayTheMonthBeforeIsTaxedByTheMonthlyTable) {
    openBonus(13, 7);  // nothing saved for June
    EmployeeRecord& e = addEmployee(1, {});
    e.name.assign("山田 花子");
    payment(1).basePayAmount = 1'200'000;
    EmployeeSheet& s = sheet(1);
    EXPECT_FALSE(s.recalculate());
    const int tax = position(Band::Deduction, "所得税");
    EXPECT_EQ(s.state(Band::Deduction, tax), BoxState::ReadOnly);
    const std::int32_t computed = deduction(1).incomeTax;
    EXPECT_EQ(computed, calc::MonthlyTableBonusTax(tax_.salary, 0, deduction(1).payAfterSocialIns,
                                                   0, 0, 6, calc::YenRounding()));
    EXPECT_GT(computed, 0);
    EXPECT_TRUE(s.monthlyTableNotice().starts_with("山田 花子さんの賞与の所得税は月額表で"));

    // The clerk may still type over it.
    EXPECT_TRUE(s.toggleManual(Band::Deduction, tax));
    EXPECT_EQ(s.state(Band::Deduction, tax), BoxState::HandEntered);
    EXPECT_TRUE(s.enter(Band::Deduction, tax, "12,345"));
    EXPECT_TRUE(s.recalculate());
    EXPECT_EQ(deduction(1).incomeTax, 12'345);
    EXPECT_TRUE(s.toggleManual(Band::Deduction, tax));
    EXPECT_FALSE(s.recalculate());
    EXPECT_EQ(deduction(1).incomeTax, computed);
}

TEST_F(EmployeeSheetTest, NeighboursAreTheEmployeesAtWork) {
    open(4);
    addEmployee(2, {.recordId = "a"});
    addEmployee(3, {.recordId = "b", .workStatus = 2});
    addEmployee(5, {.recordId = "c", .workStatus = 3});
    addEmployee(7, {.recordId = "d"});
    EmployeeSheet& s = sheet(2);
    EXPECT_EQ(s.neighbour(-1), 0);
    EXPECT_EQ(s.neighbour(+1), 7);
    s.show(7);
    EXPECT_EQ(s.neighbour(-1), 2);
    EXPECT_EQ(s.neighbour(+1), 0);
}

TEST_F(EmployeeSheetTest, RemarksLeftAloneKeepTheirBytes) {
    open(4);
    EmployeeRecord& e = addEmployee(1, {});
    e.remarks.assignBytes("ok\x85\x40");  // a code no character has
    EmployeeSheet& s = sheet(1);
    s.setMemo(s.memo());
    EXPECT_EQ(e.remarks.bytes(), "ok\x85\x40");
    s.setMemo("新しい備考");
    EXPECT_EQ(memoText(e), "新しい備考");
}

TEST(EmployeeSheetMemo, FitsFiveLinesWithinTheField) {
    const std::string line34(34, 'a');  // five of them with four CR LF: 178 bytes
    const struct {
        std::string text;
        bool fits;
    } cases[] = {
        {"", true},
        {"一\n二\n三\n四\n五", true},
        {"一\n二\n三\n四\n五\n", false},  // a line break after the fifth line
        {"一\n二\n三\n四\n五\n六", false},
        {std::string(175, 'a'), true},
        {std::string(176, 'a'), false},
        {line34 + "\n" + line34 + "\n" + line34 + "\n" + line34 + "\n" + std::string(33, 'a'),
         false},
        {"絵文字😀", false},
        {"壊\xEF\xBF\xBDれ", true},  // damaged bytes of the record, as read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(memoFits(c.text), c.fits);
    }
}

TEST(EmployeeSheetMemo, StoredWithCrLfAndCutToFiveLines) {
    EmployeeRecord e{};
    storeMemo(e, "一行目\n二行目");
    EXPECT_EQ(e.remarks.bytes(), text::toCp932("一行目\r\n二行目"));
    EXPECT_EQ(memoText(e), "一行目\n二行目");

    storeMemo(e, "1\n2\n3\n4\n5\n6\n7");
    EXPECT_EQ(memoText(e), "1\n2\n3\n4\n5");
    storeMemo(e, "a😀b");
    EXPECT_EQ(memoText(e), "ab");
    // Cut to the field without leaving half a line break.
    storeMemo(e, std::string(174, 'a') + "\nb");
    EXPECT_EQ(e.remarks.bytes(), std::string(174, 'a'));
}

}  // namespace
}  // namespace keiro::payroll::testing
