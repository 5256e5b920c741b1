// report tax-payment FILE (--month M | --half 1|2) [--root DIR] (--pdf OUT | --csv OUT)
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {

int runTaxPaymentReport(const Args&) {
    throw UsageError("report tax-payment is not built yet");
}

}  // namespace keiro::tool
