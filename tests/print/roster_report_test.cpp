// The employee roster: every registered employee up to the first free slot, ten a page, those
// on leave included, the master settings in their rows with the user's item names.
#include <gtest/gtest.h>

#include "print/denomination_report.h"
#include "print/recording_canvas.h"
#include "print/roster_report.h"
#include "print/transfer_list_report.h"
#include "tests/print/table_fixture.h"
#include "tests/support/built_page.h"
#include "tests/support/golden.h"

namespace keiro::print {
namespace {

using testing::kPrintDate;
using testing::TablePeriod;

TEST(RosterReportTest, TenEmployeesAPageUpToTheFirstFreeSlot) {
    TablePeriod ten;
    ten.addMany(10, 0);
    const RosterReport one(*ten.block, ItemNames{}, kPrintDate);
    EXPECT_EQ(one.pageCount(), 1);
    EXPECT_EQ(one.countText(), "  1枚 [10名]");

    TablePeriod eleven;
    eleven.addMany(11, 0);
    eleven.add(13, {"E013", "空きの後", "ｱﾄ"});  // after the free slot 12: not registered
    const RosterReport two(*eleven.block, ItemNames{}, kPrintDate);
    EXPECT_EQ(two.employeeCount(), 11);
    EXPECT_EQ(two.countText(), "  2枚 [11名]");

    TablePeriod nobody;
    EXPECT_EQ(RosterReport(*nobody.block, ItemNames{}, kPrintDate).countText(), "  1枚 [0名]");
}

TEST(RosterReportTest, OnLeaveInTheRosterButPaidNothingThroughTheMoneyTables) {
    TablePeriod period;
    period.add(1, {"0001", "休職 一郎", "ｷｭｳｼｮｸ", 0, 2, 200'000});
    period.add(2, {"0002", "休職 二郎", "ｷｭｳｼｮｸ", 1, 2, 200'000});
    EXPECT_EQ(RosterReport(*period.block, ItemNames{}, kPrintDate).employeeCount(), 2);
    EXPECT_TRUE(TransferListReport(*period.block, "", kPrintDate).employees().empty());
    PrintChoices all;
    all.allEmployees = true;
    EXPECT_TRUE(DenominationReport(*period.block, "", kPrintDate, all, true).employees().empty());
}

TEST(RosterReportTest, ColumnTextsAndInsuranceMarks) {
    TablePeriod period;
    EmployeeRecord& e = period.add(1, {"0001", "山田 太郎", "ﾔﾏﾀﾞ"});
    e.category = 0;  // a category of the user's own
    e.categoryText.assign("嘱託");
    e.payForm = 3;
    e.taxColumn = 1;
    e.dependents = 2;
    e.dependentRelatives = 10;
    e.basePay = 1'250;
    e.employmentInsured = 1;
    e.healthInsured = 1;
    e.healthInsPremium = 14'970;
    e.supportPremium = 690;
    e.nursingInsured = 0;
    e.nursingInsPremium = 2'300;  // not insured: not shown
    e.pensionInsured = 0;
    e.pensionPremium = 27'450;

    const auto column = rosterColumn(e);
    EXPECT_EQ(column[2].text, "嘱託");
    EXPECT_EQ(column[3].text, "時間給");
    EXPECT_EQ(column[4].text, "乙欄");
    EXPECT_EQ(column[5].text, " 2人 / 10人");
    EXPECT_EQ(column[6], (RosterCell{"    1,250", true}));
    EXPECT_EQ(column[24], (RosterCell{"     ○", true}));
    EXPECT_EQ(column[25].text, "   14,970");
    EXPECT_EQ(column[26].text, "     －");
    EXPECT_EQ(column[27].text, "      690");  // 子育て支援金 goes with health insurance
    EXPECT_EQ(column[28].text, "     －");

    e.healthInsured = 0;
    EXPECT_EQ(rosterColumn(e)[27].text, "     －");
}

TEST(RosterReportTest, RenamedItemsShowTheUsersNames) {
    ItemNames names;
    names.names[17] = "扶養手当";                  // 家族手当
    names.names[kFirstFreeItem + 1] = "住宅手当";  // 固定手当２
    names.names[kFirstFreeItem + 6] = "親睦会費";  // 固定控除１
    const auto labels = rosterLabels(names);
    EXPECT_EQ(labels[16], "役職手当");
    EXPECT_EQ(labels[17], "扶養手当");
    EXPECT_EQ(labels[19], "住宅手当");
    EXPECT_EQ(labels[21], "親睦会費");
    EXPECT_EQ(labels[6], "基本給  ");
}

TEST(RosterReportTest, PageDrawing) {
    TablePeriod period;
    EmployeeRecord& a = period.add(1, {"0001", "山田 太郎", "ﾔﾏﾀﾞ ﾀﾛｳ"});
    a.department.assign("営業部");
    a.dependents = 1;
    a.basePay = 320'000;
    a.overtimeRate = 2'500;
    a.lateNightRate = 625;
    a.commuteNonTaxable = 12'800;
    a.residentTaxJune = 15'200;
    a.residentTax = 14'800;
    a.positionAllowance = 30'000;
    a.fixedAllowance1 = 20'000;
    a.fixedDeduction1 = 1'000;
    a.employmentInsured = a.healthInsured = a.nursingInsured = a.pensionInsured = 1;
    a.healthInsPremium = 18'463;
    a.nursingInsPremium = 2'974;
    a.supportPremium = 855;
    a.pensionPremium = 31'110;
    EmployeeRecord& b = period.add(2, {"0002", "佐藤 花子", "ｻﾄｳ ﾊﾅｺ", 1, 2});  // on leave
    b.category = 4;
    b.payForm = 3;
    b.taxColumn = 1;
    b.basePay = 1'150;
    ItemNames names;
    names.names[kFirstFreeItem] = "住宅手当";

    const RosterReport report(*period.block, names, kPrintDate);
    testing_support::expectMatchesGolden(
        testing_support::builtPageRecording(report, 1, printerDevice({254, 254, 0, 0})),
        "print/roster_page.txt");
}

}  // namespace
}  // namespace keiro::print
