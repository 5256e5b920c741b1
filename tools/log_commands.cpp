#include <iostream>

#include "core/syslog.h"
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {

// log export --data DIR OUT.csv
int runLog(const Words& words) {
    const Args args(words);
    args.expectOnly({"data"}, 2);
    if (args.positional(0, "command") != "export") throw UsageError("unknown log command");
    const SystemLog log = readLogLines(args.required("data"));
    exportLogCsv(log.lines, args.positional(1, "OUT.csv"));
    return 0;
}

}  // namespace keiro::tool
