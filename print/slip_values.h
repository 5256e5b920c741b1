#pragma once
// How a pay slip writes an item: its name cut to the width of its cell, amounts in 10
// characters with thousands separators (a negative one keeps its sign), attendance as days or
// hours.  An item that stores nowhere (a name that matches no field) shows 0.

#include <string>
#include <string_view>

#include "core/entry.h"
#include "core/item_values.h"
#include "core/records.h"

namespace keiro::print {

inline constexpr int kSlipAmountWidth = 10;
// The widest name a slip's cell holds, in single-byte characters.
inline constexpr std::size_t kSlipNameWidth = 12;

std::string slipName(std::string_view name);
std::string slipAmount(long long yen);
// The value of an item for the employee of `slot`: as a quantity in the attendance band, else
// as an amount.
std::string slipValue(const LayoutItem& item, const PeriodBlock& block, int slot, TimeStyle style);
// Whether a slip prints the item for the employee of `slot`: every item of the layout, except
// 年調過不足 while it is 0 (a slip carries it only in the pay the year-end is settled in).
bool printsOnSlip(const LayoutItem& item, const PeriodBlock& block, int slot);

}  // namespace keiro::print
