// The items of a layout as windows and reports see them: every standard item of the default
// layouts stores in a place of its own, the places of named record fields, renamed free items
// found by their display name, 賞与 and 役員報酬 of the bonus layouts, and the text of amounts,
// hours and other quantities.
#include "core/item_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <utility>

namespace keiro {
namespace {

constexpr int kSlot = 3;

// The kind of record each band's items are stored in.
ItemId::Kind recordOf(Band band) {
    switch (band) {
        case Band::Attendance:
            return ItemId::Kind::Attendance;
        case Band::Deduction:
            return ItemId::Kind::Deduction;
        case Band::Pay:
        case Band::Other:
            break;
    }
    return ItemId::Kind::Payment;  // その他 is kept in the payment record
}

LayoutItem describe(std::string_view code, Band band, LayoutKind kind = LayoutKind::Salary,
                    const ItemNames& names = ItemNames()) {
    return describeLayoutItem(names, kind, band, 0, code);
}

TEST(ItemValues, EveryItemOfTheDefaultLayoutsStoresInAPlaceOfItsOwn) {
    for (const LayoutKind kind : {LayoutKind::Salary, LayoutKind::Bonus}) {
        const ItemLayout layout = defaultLayout(kind);
        std::set<std::pair<ItemId::Kind, int>> places;
        for (int b = 0; b < kBandCount; ++b) {
            const Band band = static_cast<Band>(b);
            for (const LayoutRow& row : layout.band(band)) {
                SCOPED_TRACE(row.code);
                const LayoutItem item = describe(row.code, band, kind);
                if (row.code == kBlankItemCode) {
                    EXPECT_EQ(item.source, ItemId{});
                    EXPECT_EQ(item.label, "");
                    continue;
                }
                EXPECT_EQ(item.source.kind, recordOf(band));
                EXPECT_TRUE(places.insert({item.source.kind, item.source.number}).second)
                    << "stored in the same place as another item";
                EXPECT_EQ(item.label, row.code.substr(1));
                EXPECT_EQ(item.attendance, band == Band::Attendance);
            }
        }
    }
}

TEST(ItemValues, ItemsReadTheRecordFieldsOfTheirName) {
    auto block = std::make_unique<PeriodBlock>();
    AttendanceRecord& a = block->attendance[kSlot - 1];
    PaymentRecord& p = block->payments[kSlot - 1];
    DeductionRecord& d = block->deductions[kSlot - 1];
    a.daysWorked = 20;
    a.lateHours = 1.25;
    a.paidLeaveBalance = 12.5;
    p.basePayAmount = 300'000;
    p.positionAllowanceAmount = 50'000;
    p.fixedAllowance3 = 3'000;
    p.variableAllowance2 = 4'000;
    p.absenceDeduction = -9'000;
    p.taxablePayTotal = 350'000;
    p.otherItem2 = 700;
    d.nursingInsAmount = 2'000;
    d.supportAmount = 345;
    d.payAfterSocialIns = 300'000;
    d.incomeTax = 6'000;
    d.residentTaxAmount = 10'000;
    d.fixedDeduction1 = 1'500;
    d.variableDeduction3 = 2'500;

    const struct {
        const char* code;
        Band band;
        LayoutKind kind;
        double value;
    } cases[] = {
        {"V出勤日数", Band::Attendance, LayoutKind::Salary, 20},
        {"V遅刻早退時間", Band::Attendance, LayoutKind::Salary, 1.25},
        {"V有休残日数", Band::Attendance, LayoutKind::Salary, 12.5},
        {"F基本給", Band::Pay, LayoutKind::Salary, 300'000},
        {"F役職手当", Band::Pay, LayoutKind::Salary, 50'000},
        {"F固定手当３", Band::Pay, LayoutKind::Salary, 3'000},
        {"V変動手当２", Band::Pay, LayoutKind::Salary, 4'000},
        {"F欠勤控除", Band::Pay, LayoutKind::Salary, -9'000},
        {"F課税支給合計", Band::Pay, LayoutKind::Salary, 350'000},
        {"Vその他２", Band::Other, LayoutKind::Salary, 700},
        {"F介護保険料", Band::Deduction, LayoutKind::Salary, 2'000},
        {"F子ども・子育て支援金", Band::Deduction, LayoutKind::Bonus, 345},
        {"F社保控除後計", Band::Deduction, LayoutKind::Salary, 300'000},
        {"F所得税", Band::Deduction, LayoutKind::Salary, 6'000},
        {"F住民税", Band::Deduction, LayoutKind::Salary, 10'000},
        {"F固定控除１", Band::Deduction, LayoutKind::Salary, 1'500},
        {"V変動控除３", Band::Deduction, LayoutKind::Salary, 2'500},
        // A bonus keeps 賞与 and 役員報酬 in the fields of 基本給 and 役職手当.
        {"V賞与", Band::Pay, LayoutKind::Bonus, 300'000},
        {"V役員報酬", Band::Pay, LayoutKind::Bonus, 50'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(storedValue(describe(c.code, c.band, c.kind).source, *block, kSlot), c.value);
        EXPECT_EQ(storedValue(describe(c.code, c.band, c.kind).source, *block, kSlot + 1), 0);
    }
    // 賞与 and 役員報酬 are no salary items.
    EXPECT_EQ(describe("V賞与", Band::Pay).source, ItemId{});
    EXPECT_EQ(describe("V役員報酬", Band::Pay).source, ItemId{});
    EXPECT_EQ(storedValue(ItemId{}, *block, kSlot), 0);
}

TEST(ItemValues, RenamedItemsAreFoundByTheirDisplayNameAndKindLetter) {
    ItemNames names;
    names.names[26] = "住宅手当";    // 固定手当１
    names.names[29] = "残業食事代";  // 変動手当１
    names.names[36] = "親睦会費";    // 変動控除２
    names.names[39] = "立替金";      // その他２
    const auto source = [&names](std::string_view code, Band band) {
        return describe(code, band, LayoutKind::Salary, names).source;
    };
    using Kind = ItemId::Kind;
    EXPECT_EQ(source("F住宅手当", Band::Pay), (ItemId{Kind::Payment, 4}));
    EXPECT_EQ(source("V残業食事代", Band::Pay), (ItemId{Kind::Payment, 13}));
    EXPECT_EQ(source("V親睦会費", Band::Deduction), (ItemId{Kind::Deduction, 14}));
    EXPECT_EQ(source("V立替金", Band::Other), (ItemId{Kind::Payment, 21}));
    // The standard code still finds the renamed item, with the user's name as its label.
    const LayoutItem allowance = describe("V変動手当１", Band::Pay, LayoutKind::Salary, names);
    EXPECT_EQ(allowance.source, (ItemId{Kind::Payment, 13}));
    EXPECT_EQ(allowance.label, "残業食事代");
    // The kind letter must match: a fixed item is no variable one, and names nobody gave
    // store nowhere.
    EXPECT_EQ(source("V住宅手当", Band::Pay), ItemId{});
    EXPECT_EQ(source("F残業食事代", Band::Pay), ItemId{});
    EXPECT_EQ(source("V変動手当９", Band::Pay), ItemId{});
}

TEST(ItemValues, FormatsFollowTheBandAndTheAttendanceItem) {
    const struct {
        const char* code;
        Band band;
        ItemFormat format;
        int formatCode;
        bool hours;
    } cases[] = {
        {"V出勤日数", Band::Attendance, ItemFormat::Days, 52, false},
        {"V特別休暇日数", Band::Attendance, ItemFormat::Days, 52, false},
        {"V実働時間", Band::Attendance, ItemFormat::Hours, 62, true},
        {"V休日深夜残業", Band::Attendance, ItemFormat::Hours, 62, true},
        {"V遅刻早退時間", Band::Attendance, ItemFormat::Hours, 62, true},
        {"V遅刻早退回数", Band::Attendance, ItemFormat::Quantity, 62, false},
        {"V有休残日数", Band::Attendance, ItemFormat::Quantity, 62, false},
        {"F基本給", Band::Attendance, ItemFormat::Quantity, 62, false},
        {"F休日深夜残業", Band::Pay, ItemFormat::Amount, 90, false},  // an amount is no time
        {"V出勤日数", Band::Pay, ItemFormat::Amount, 90, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const LayoutItem item = describe(c.code, c.band);
        EXPECT_EQ(item.format, c.format);
        EXPECT_EQ(formatCodeOf(item.format), c.formatCode);
        EXPECT_EQ(item.hoursLabel, c.hours);
    }
    EXPECT_TRUE(isVariableCode("V出勤日数"));
    EXPECT_FALSE(isVariableCode("F基本給"));
    EXPECT_FALSE(isVariableCode(kBlankItemCode));
    EXPECT_FALSE(isVariableCode(""));
}

TEST(ItemValues, TextsOfAmountsHoursAndQuantities) {
    auto block = std::make_unique<PeriodBlock>();
    AttendanceRecord& a = block->attendance[kSlot - 1];
    PaymentRecord& p = block->payments[kSlot - 1];
    const auto text = [&block](std::string_view code, Band band, TimeStyle style) {
        return storedText(describe(code, band), *block, kSlot, style);
    };
    constexpr auto H = TimeStyle::Sexagesimal;
    constexpr auto D = TimeStyle::Decimal;

    a.hoursWorked = 160.5;
    a.daysWorked = 20;
    a.lateCount = 3;
    EXPECT_EQ(text("V実働時間", Band::Attendance, H), "160:30");
    EXPECT_EQ(text("V実働時間", Band::Attendance, D), "160.50");
    EXPECT_EQ(text("V出勤日数", Band::Attendance, H), " 20.00");
    EXPECT_EQ(text("V遅刻早退回数", Band::Attendance, H), "  3.00");
    EXPECT_EQ(text(kBlankItemCode, Band::Attendance, H), "");

    p.variableAllowance1 = 500;
    p.basePayAmount = -1'234'567;
    p.positionAllowanceAmount = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(text("V変動手当１", Band::Pay, H), "    500");
    EXPECT_EQ(text("F基本給", Band::Pay, H), "-1,234,567");
    EXPECT_EQ(text("F役職手当", Band::Pay, H), "-2,147,483,648");
    EXPECT_EQ(text("F", Band::Pay, H), "");
    // A payment placed in the attendance band shows as a quantity.
    EXPECT_EQ(text("F基本給", Band::Attendance, H), "-1234567.00");

    // An attendance item a layout puts among the amounts shows its whole part.
    a.daysWorked = 20.75;
    EXPECT_EQ(text("V出勤日数", Band::Pay, H), "     20");
    a.daysWorked = -0.5;
    EXPECT_EQ(text("V出勤日数", Band::Pay, H), "      0");
    a.daysWorked = std::nan("");
    EXPECT_EQ(text("V出勤日数", Band::Pay, H), "      0");
    a.daysWorked = 1e300;
    EXPECT_EQ(text("V出勤日数", Band::Pay, H), "2,147,483,647");
}

}  // namespace
}  // namespace keiro
