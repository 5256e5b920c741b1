#include "core/item_values.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/items.h"

namespace keiro {
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
    ItemId source;
};
constexpr std::array<NamedItem, 12> kNamedItems = {{
    {"F課税支給合計", {ItemId::Kind::Payment, 18}},
    {"F健康保険料", {ItemId::Kind::Deduction, 1}},
    {"F厚生年金保険", {ItemId::Kind::Deduction, 2}},
    {"F厚生年金基金", {ItemId::Kind::Deduction, 3}},
    {"F雇用保険料", {ItemId::Kind::Deduction, 4}},
    {"F介護保険料", {ItemId::Kind::Deduction, 5}},
    {"F社会保険料計", {ItemId::Kind::Deduction, 6}},
    {"F社保控除後計", {ItemId::Kind::Deduction, 7}},
    {"F所得税", {ItemId::Kind::Deduction, 8}},
    {"F住民税", {ItemId::Kind::Deduction, 9}},
    {"F子ども・子育て支援金", {ItemId::Kind::Deduction, 21}},
    {kYearEndSettlementCode, {ItemId::Kind::Deduction, DeductionRecord::kSettlementItem}},
}};

// Attendance items (AttendanceRecord::item numbers) and how they are entered.
constexpr int kFirstDaysItem = 2;  // 出勤日数 .. 特別休暇日数
constexpr int kLastDaysItem = 6;
constexpr int kFirstHoursItem = 8;  // 実働時間 .. 休日深夜残業
constexpr int kLastHoursItem = 12;
constexpr int kLateHoursItem = 14;  // 遅刻早退時間

constexpr std::string_view kBonusName = "賞与";
constexpr std::string_view kDirectorFeeName = "役員報酬";

ItemId sourceOfItem(int index) {
    using Kind = ItemId::Kind;
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

// The item a row stands for: by its code, or, for a code that is not a standard identifier (a
// layout that stores the user's name of an item), by its label among the items of the same kind
// letter.  賞与 and 役員報酬 exist only in bonus layouts.
ItemId sourceOf(std::string_view code, const std::string& label, LayoutKind kind,
                const ItemNames& names) {
    if (const std::optional<int> index = itemIndex(code)) return sourceOfItem(*index);
    for (const NamedItem& item : kNamedItems) {
        if (item.code == code) return item.source;
    }
    if (kind == LayoutKind::Bonus) {
        if (label == kBonusName) return {ItemId::Kind::Payment, kPayBonus};
        if (label == kDirectorFeeName) return {ItemId::Kind::Payment, kPayDirectorFee};
    }
    const bool variable = isVariableCode(code);
    for (int i = 0; i < kItemCount; ++i) {
        if (isVariableCode(kItemDefinitions[i].identifier) == variable && names[i] == label) {
            return sourceOfItem(i);
        }
    }
    return {};
}

ItemFormat formatOf(const LayoutItem& item) {
    if (!item.attendance) return ItemFormat::Amount;
    if (item.source.kind != ItemId::Kind::Attendance) return ItemFormat::Quantity;
    return attendanceItemFormat(item.source.number);
}

}  // namespace

ItemFormat attendanceItemFormat(int number) {
    if (number >= kFirstDaysItem && number <= kLastDaysItem) return ItemFormat::Days;
    if ((number >= kFirstHoursItem && number <= kLastHoursItem) || number == kLateHoursItem) {
        return ItemFormat::Hours;
    }
    return ItemFormat::Quantity;
}

long long storedYen(const ItemId& source, const PeriodBlock& block, int slot) {
    const double value = std::trunc(storedValue(source, block, slot));
    if (std::isnan(value)) return 0;
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<long long>(std::clamp(value, kLowest, kHighest));
}

bool isVariableCode(std::string_view code) {
    return !code.empty() && code.front() != 'F';
}

int formatCodeOf(ItemFormat format) {
    switch (format) {
        case ItemFormat::Amount:
            return 90;
        case ItemFormat::Days:
            return 52;
        case ItemFormat::Hours:
        case ItemFormat::Quantity:
            break;
    }
    return 62;
}

LayoutItem describeLayoutItem(const ItemNames& names, LayoutKind kind, Band band, int position,
                              std::string_view code) {
    LayoutItem item;
    item.band = band;
    item.position = position;
    item.label = layoutItemName(names, code);
    item.attendance = band == Band::Attendance;
    item.hoursLabel = item.attendance && isTimeItem(item.label);
    item.source = sourceOf(code, item.label, kind, names);
    item.format = formatOf(item);
    return item;
}

double storedValue(const ItemId& source, const PeriodBlock& block, int slot) {
    const int index = slot - 1;
    switch (source.kind) {
        case ItemId::Kind::Attendance:
            return block.attendance[index].item(source.number);
        case ItemId::Kind::Payment:
            return block.payments[index].amount(source.number);
        case ItemId::Kind::Deduction:
            return block.deductions[index].amount(source.number);
        case ItemId::Kind::None:
            break;
    }
    return 0;
}

bool storeValue(const ItemId& item, PeriodBlock& block, int slot, double value) {
    const int index = slot - 1;
    switch (item.kind) {
        case ItemId::Kind::Attendance: {
            double& stored = block.attendance[index].item(item.number);
            // By bits, as the file compares: -0.0 is a change, NaN again is none.
            if (std::bit_cast<std::uint64_t>(stored) == std::bit_cast<std::uint64_t>(value)) {
                return false;
            }
            stored = value;
            return true;
        }
        case ItemId::Kind::Payment:
        case ItemId::Kind::Deduction: {
            std::int32_t& stored = item.kind == ItemId::Kind::Payment
                                       ? block.payments[index].amount(item.number)
                                       : block.deductions[index].amount(item.number);
            const auto yen = static_cast<std::int32_t>(value);
            if (stored == yen) return false;
            stored = yen;
            return true;
        }
        case ItemId::Kind::None:
            break;
    }
    return false;
}

std::string storedText(const LayoutItem& item, const PeriodBlock& block, int slot,
                       TimeStyle style) {
    if (item.source.kind == ItemId::Kind::None) return std::string();
    if (!item.attendance) return formatAmount(7, storedYen(item.source, block, slot));
    const double value = storedValue(item.source, block, slot);
    return item.hoursLabel ? formatHours(value, style) : formatQuantity(value);
}

}  // namespace keiro
