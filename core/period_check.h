#pragma once
// Plausibility of what a year file holds, checked before anything is computed from it: a file
// damaged on the disk (flipped bits, foreign bytes of the right size) is refused with the place
// of the damage instead of being paid out.  Only fields with a range are checked: counts,
// yes/no marks, dates, codes and amounts (at most 999,999,999 yen either way).

#include <filesystem>
#include <string>

#include "core/records.h"

namespace keiro {

inline constexpr long long kMaxStoredAmount = 999'999'999;

// A period as the clerk names it: "3月", "賞与1".
std::string periodLabel(int period);

// The first field out of range in the header ("" when all are in range).
std::string headerProblem(const YearFileHeader& header);

// The first field out of range in a period, as "従業員欄 7: 扶養人数" or "会社設定: 支給日"
// ("" when all are in range).  Slots without an employee are not looked at.
std::string periodProblem(const PeriodBlock& block);

// IoError naming the file and the place when the header or the period is out of range.
void requireSoundHeader(const std::filesystem::path& path, const YearFileHeader& header);
void requireSoundPeriod(const std::filesystem::path& path, int period, const PeriodBlock& block);

}  // namespace keiro
