#include "print/denominations.h"

namespace keiro::print {

DenominationCounts breakDown(long long netPay, bool use2000YenNotes) {
    DenominationCounts counts{};
    long long rest = netPay > 0 ? netPay : 0;
    for (int i = 0; i < kDenominationCount; ++i) {
        if (i == k2000YenNote && !use2000YenNotes) continue;
        counts[i] = rest / kDenominations[i].yen;
        rest %= kDenominations[i].yen;
    }
    return counts;
}

}  // namespace keiro::print
