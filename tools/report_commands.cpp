// report tax-payment|resident-tax: the figures an office files every month.
#include <string>

#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {

int runReport(const Words& words) {
    const Args args(words);
    const std::string& command = args.positional(0, "command");
    if (command == "tax-payment") return runTaxPaymentReport(args);
    if (command == "resident-tax") return runResidentTaxReport(args);
    throw UsageError("unknown report command: " + command);
}

}  // namespace keiro::tool
