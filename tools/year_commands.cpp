#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>

#include "core/era.h"
#include "core/year_view.h"
#include "core/yearfile.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/record_json.h"

namespace keiro::tool {
namespace {

int usedSlots(const PeriodBlock& block) {
    int count = 0;
    for (const EmployeeRecord& employee : block.employees) count += employee.isUsed() ? 1 : 0;
    return count;
}

void info(const std::string& file) {
    const YearView year(file);
    const YearFileHeader& header = year.header();
    nlohmann::ordered_json out;
    auto saved = nlohmann::ordered_json::array();
    for (int k = 1; k <= kPeriodCount; ++k) saved.push_back(header.isSaved(k));
    out["saved"] = saved;
    out["bonusPayMonth"] = {header.bonusPayMonth[0], header.bonusPayMonth[1],
                            header.bonusPayMonth[2]};
    out["bonusPayDay"] = {header.bonusPayDay[0], header.bonusPayDay[1], header.bonusPayDay[2]};
    auto periods = nlohmann::ordered_json::array();
    for (int k = 1; k <= kPeriodCount; ++k) {
        const PeriodBlock& block = year.block(k);
        periods.push_back(
            {{"companyName", block.settings.companyName.utf8()}, {"employees", usedSlots(block)}});
    }
    out["periods"] = periods;
    printJson(out);
}

void dump(const std::string& file, int period) {
    const std::unique_ptr<PeriodBlock> block = readPeriodBlock(file, period);
    printJson({{"settings", toJson(block->settings)}, {"employees", usedSlotsJson(*block)}});
}

}  // namespace

// year create FILE | year info FILE | year dump FILE --period K
int runYear(const Words& words) {
    const Args args(words);
    const std::string& command = args.positional(0, "command");
    if (command == "create") {
        args.expectOnly({}, 2);
        createYearFileIfMissing(args.positional(1, "FILE"));
    } else if (command == "info") {
        args.expectOnly({}, 2);
        info(args.positional(1, "FILE"));
    } else if (command == "dump") {
        args.expectOnly({"period"}, 2);
        dump(args.positional(1, "FILE"), args.requiredInt("period", 1, kPeriodCount));
    } else {
        throw UsageError("unknown year command " + command);
    }
    return 0;
}

// era filename --date YYYY-MM-DD [--new-era NAME]
int runEra(const Words& words) {
    const Args args(words);
    args.expectOnly({"date", "new-era"}, 1);
    if (args.positional(0, "command") != "filename") throw UsageError("unknown era command");
    const auto date = parseDateArgument(args.required("date"), "--date");
    const EraNames names = eraNamesFor(date, args.option("new-era").value_or(""));
    std::cout << currentYearFileName(date, names) << '\n';
    return 0;
}

}  // namespace keiro::tool
