#pragma once
// The data year as the documents print it.  The calendar year 2019 is filed under the earlier
// era's 31 but was the new era's first year from May, so its documents say "<new era>元年分".

#include <string>

#include "core/era.h"

namespace keiro::withholding {

// The slip's and the report's label: "令和 8 年分", "令和元年分" for the earlier era's 31.
std::string documentYearLabel(const EraYear& year, const EraNames& eras);

// The refund notice's label: "(令和8年分)", " (令和元年分)" for the earlier era's 31.
std::string noticeYearLabel(const EraYear& year, const EraNames& eras);

// The year after the data year, which the payment report names in its top-left box (the year
// of the residence tax it is for): era year + 1, and the new era's 2 after the earlier era's 31.
EraYear followingYear(const EraYear& year, const EraNames& eras);

// The era of a birth or residence-start date as the records keep it: 1 明治, 2 大正, 3 昭和,
// 4 平成, 5 the new era; empty for anything else.
std::string eraOfIndex(int index, const EraNames& eras);

}  // namespace keiro::withholding
