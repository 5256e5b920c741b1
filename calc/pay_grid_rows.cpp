#include "calc/pay_grid_rows.h"

#include <array>
#include <string_view>

#include "calc/rounding.h"
#include "core/items.h"

namespace keiro::calc {
namespace {

// Items of kItemDefinitions, by index.
constexpr int kFirstPayItem = kBasePayItem;  // F基本給 .. F遅刻早退控除
constexpr int kFirstFixedAllowance = 26;     // F固定手当１
constexpr int kFirstVariableAllowance = 29;  // V変動手当１
constexpr int kFirstFixedDeduction = 32;     // F固定控除１
constexpr int kFirstVariableDeduction = 35;  // V変動控除１
constexpr int kFreeItemsPerKind = 3;

// Record item numbers.
constexpr int kPayBonus = 1;  // 賞与 and 役員報酬 share the fields of 基本給 and 役職手当
constexpr int kPayDirectorFee = 2;
constexpr int kPayFixedAllowance1 = 4;
constexpr int kPayVariable1 = 13;
constexpr int kPayOther1 = 20;
constexpr int kDeductionFixed1 = 10;
constexpr int kDeductionVariable1 = 13;

// PaymentRecord numbers of 基本給 .. 遅刻早退控除 (kItemDefinitions 15..25).
constexpr std::array<int, 11> kPayItemNumbers = {1, 2, 3, 7, 8, 9, 10, 11, 12, 16, 17};

// Items the layouts hold that have no user-given name, with where they are stored.
struct NamedItem {
    std::string_view code;
    CellSource source;
};
constexpr std::array<NamedItem, 10> kNamedItems = {{
    {"F課税支給合計", {CellSource::Kind::Payment, 18}},
    {"F健康保険料", {CellSource::Kind::Deduction, 1}},
    {"F厚生年金保険", {CellSource::Kind::Deduction, 2}},
    {"F厚生年金基金", {CellSource::Kind::Deduction, 3}},
    {"F雇用保険料", {CellSource::Kind::Deduction, 4}},
    {"F介護保険料", {CellSource::Kind::Deduction, 5}},
    {"F社会保険料計", {CellSource::Kind::Deduction, 6}},
    {"F社保控除後計", {CellSource::Kind::Deduction, 7}},
    {"F所得税", {CellSource::Kind::Deduction, 8}},
    {"F住民税", {CellSource::Kind::Deduction, 9}},
}};

// Attendance items (AttendanceRecord::item numbers) and how they are entered.
constexpr int kFirstDaysItem = 2;  // 出勤日数 .. 特別休暇日数
constexpr int kLastDaysItem = 6;
constexpr int kFirstHoursItem = 8;  // 実働時間 .. 休日深夜残業
constexpr int kLastHoursItem = 12;
constexpr int kLateHoursItem = 14;  // 遅刻早退時間

constexpr std::string_view kBonusName = "賞与";
constexpr std::string_view kDirectorFeeName = "役員報酬";

CellSource sourceOfItem(int index) {
    using Kind = CellSource::Kind;
    if (index >= 0 && index < kAttendanceItemCount) return {Kind::Attendance, index + 1};
    if (index >= kFirstPayItem &&
        index < kFirstPayItem + static_cast<int>(kPayItemNumbers.size())) {
        return {Kind::Payment, kPayItemNumbers[index - kFirstPayItem]};
    }
    const auto within = [index](int first) {
        return index >= first && index < first + kFreeItemsPerKind;
    };
    if (within(kFirstFixedAllowance)) {
        return {Kind::Payment, kPayFixedAllowance1 + index - kFirstFixedAllowance};
    }
    if (within(kFirstVariableAllowance)) {
        return {Kind::Payment, kPayVariable1 + index - kFirstVariableAllowance};
    }
    if (within(kFirstFixedDeduction)) {
        return {Kind::Deduction, kDeductionFixed1 + index - kFirstFixedDeduction};
    }
    if (within(kFirstVariableDeduction)) {
        return {Kind::Deduction, kDeductionVariable1 + index - kFirstVariableDeduction};
    }
    if (within(kFirstOtherItem)) return {Kind::Payment, kPayOther1 + index - kFirstOtherItem};
    return {};
}

bool isVariableCode(std::string_view code) {
    return !code.empty() && code.front() != 'F';
}

// The item a row stands for: by its code, or, for a code that is not a standard identifier (a
// layout that stores the user's name of an item), by its label among the items of the same kind
// letter.  賞与 and 役員報酬 exist only in bonus layouts.
CellSource sourceOf(std::string_view code, const std::string& label, LayoutKind kind,
                    const ItemNames& names) {
    if (const std::optional<int> index = itemIndex(code)) return sourceOfItem(*index);
    for (const NamedItem& item : kNamedItems) {
        if (item.code == code) return item.source;
    }
    if (kind == LayoutKind::Bonus) {
        if (label == kBonusName) return {CellSource::Kind::Payment, kPayBonus};
        if (label == kDirectorFeeName) return {CellSource::Kind::Payment, kPayDirectorFee};
    }
    const bool variable = isVariableCode(code);
    for (int i = 0; i < kItemCount; ++i) {
        if (isVariableCode(kItemDefinitions[i].identifier) == variable && names[i] == label) {
            return sourceOfItem(i);
        }
    }
    return {};
}

EntryRule ruleOf(const GridRow& row) {
    if (!row.attendance) return EntryRule::Amount;
    if (row.source.kind != CellSource::Kind::Attendance) return EntryRule::Quantity;
    const int n = row.source.number;
    if (n >= kFirstDaysItem && n <= kLastDaysItem) return EntryRule::Days;
    if ((n >= kFirstHoursItem && n <= kLastHoursItem) || n == kLateHoursItem) {
        return EntryRule::Hours;
    }
    return EntryRule::Quantity;
}

}  // namespace

int formatCodeOf(EntryRule rule) {
    switch (rule) {
        case EntryRule::Amount:
            return 90;
        case EntryRule::Days:
            return 52;
        case EntryRule::Hours:
        case EntryRule::Quantity:
            break;
    }
    return 62;
}

GridRow describeLayoutItem(const ItemNames& names, LayoutKind kind, Band band, int position,
                           std::string_view code) {
    GridRow row;
    row.band = band;
    row.position = position;
    row.label = layoutItemName(names, code);
    row.attendance = band == Band::Attendance;
    row.hoursLabel = row.attendance && isTimeItem(row.label);
    row.source = sourceOf(code, row.label, kind, names);
    row.rule = ruleOf(row);
    return row;
}

std::vector<GridRow> buildGridRows(const PrintTables& tables, const ItemNames& names) {
    std::vector<GridRow> rows;
    for (int b = 0; b < kBandCount; ++b) {
        const Band band = static_cast<Band>(b);
        for (int position = 0; position < kBandRows[b]; ++position) {
            GridRow row;
            std::string_view code;
            for (int payForm = 1; payForm <= kPayFormCount; ++payForm) {
                const std::vector<std::string>& codes = tables.rows(payForm, band);
                if (position >= static_cast<int>(codes.size())) continue;
                if (!isVariableCode(codes[position])) continue;
                row.editable[payForm - 1] = true;
                code = codes[position];  // the last pay form's item names the row
            }
            if (code.empty()) continue;
            if (static_cast<int>(rows.size()) == kMaxGridItemRows) return rows;
            const std::array<bool, kPayFormCount> editable = row.editable;
            row = describeLayoutItem(names, tables.kind, band, position, code);
            row.editable = editable;
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

double storedValue(const GridRow& row, const PeriodBlock& block, int slot) {
    const int index = slot - 1;
    switch (row.source.kind) {
        case CellSource::Kind::Attendance:
            return block.attendance[index].item(row.source.number);
        case CellSource::Kind::Payment:
            return block.payments[index].amount(row.source.number);
        case CellSource::Kind::Deduction:
            return block.deductions[index].amount(row.source.number);
        case CellSource::Kind::None:
            break;
    }
    return 0;
}

std::string cellText(const GridRow& row, double value, TimeStyle style) {
    if (row.source.kind == CellSource::Kind::None) return std::string();
    if (!row.attendance) return formatAmount(7, TruncYen(value));
    return row.hoursLabel ? formatHours(value, style) : formatQuantity(value);
}

EntryCheck checkCellEntry(const GridRow& row, std::string_view text, TimeStyle style) {
    EntryCheck check = validateNumericEntry(text, formatCodeOf(row.rule));
    if (!check.error.empty() || check.text.empty()) return check;
    // A text with ":" is hours and minutes in every row.
    const double value = parseNumber(check.text).value;
    switch (row.rule) {
        case EntryRule::Amount:
            check.text = formatAmount(7, TruncYen(value));
            break;
        case EntryRule::Hours:
            check.text = formatHours(value, style);
            break;
        case EntryRule::Days:
        case EntryRule::Quantity:
            check.text = formatQuantity(value);
            break;
    }
    return check;
}

}  // namespace keiro::calc
