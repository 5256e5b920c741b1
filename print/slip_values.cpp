#include "print/slip_values.h"

#include "core/text.h"

namespace keiro::print {

std::string slipName(std::string_view name) {
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
