// report resident-tax FILE --period K [--root DIR] (--pdf OUT | --csv OUT)
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {

int runResidentTaxReport(const Args&) {
    throw UsageError("report resident-tax is not built yet");
}

}  // namespace keiro::tool
