#include "core/open_header.h"

namespace keiro {

bool isOpenHeaderModified(const YearData& year) {
    const int period = year.period();
    if (period == 0 || !isBonusPeriod(period)) return false;
    const YearFileHeader onDisk = readYearFileHeader(year.path());
    const int b = period - kFirstBonusPeriod;
    return onDisk.bonusPayMonth[b] != year.header().bonusPayMonth[b] ||
           onDisk.bonusPayDay[b] != year.header().bonusPayDay[b];
}

}  // namespace keiro
