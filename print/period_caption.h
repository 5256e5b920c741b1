#pragma once
// The period as the transfer list and the denomination table name it beside their title:
// "[令和8年 7月分給与]", "[令和8年 夏期賞与]".

#include <string>
#include <string_view>

#include "core/era.h"
#include "core/items.h"
#include "core/yearfile.h"

namespace keiro::print {

// `fileYear` is the era year of the data file, `month` the month the period is paid for (its
// number for a salary month, the pay month of a bonus, 0 when not set): the earlier era's 31
// paid after April is shown as year 1 of the new era.
std::string periodCaption(const EraYear& fileYear, const EraNames& names, int period, int month,
                          std::string_view extraBonusCaption);

// The same for the period open in `year`.
std::string periodCaption(const YearData& year, const ItemNames& names);

}  // namespace keiro::print
