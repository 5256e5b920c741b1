#include "print/slip_values.h"

#include <string_view>
#include <utility>

#include "core/text.h"

namespace keiro::print {

namespace {

// Item names of the system too long for a slip's cell, in the short form offices print.
constexpr std::pair<std::string_view, std::string_view> kShortNames[] = {
    {"子ども・子育て支援金", "子育て支援金"},
};

}  // namespace

std::string slipName(std::string_view name) {
    for (const auto& [full, shortName] : kShortNames) {
        if (name == full) return std::string(shortName);
    }
    return text::truncateToWidth(name, kSlipNameWidth);
}

std::string slipAmount(long long yen) {
    return formatAmount(kSlipAmountWidth, yen);
}

std::string slipValue(const LayoutItem& item, const PeriodBlock& block, int slot, TimeStyle style) {
    if (!item.attendance) return slipAmount(storedYen(item.source, block, slot));
    const double value = storedValue(item.source, block, slot);
    return item.hoursLabel ? formatHours(value, style) : formatQuantity(value);
}

bool printsOnSlip(const LayoutItem& item, const PeriodBlock& block, int slot) {
    constexpr ItemId kSettlement = ItemId::deduction(DeductionRecord::kSettlementItem);
    return item.source != kSettlement || storedYen(item.source, block, slot) != 0;
}

}  // namespace keiro::print
