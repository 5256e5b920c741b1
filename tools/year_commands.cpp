#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "core/era.h"
#include "core/opening_totals.h"
#include "core/year_view.h"
#include "core/yearfile.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/record_json.h"
#include "tools/write_lock.h"

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

// The period whose slot --slot names: --period, or the latest saved one (the months from
// December back, then the bonuses).
int slotPeriod(const Args& args, const YearView& year) {
    if (args.option("period")) return args.requiredInt("period", 1, kPeriodCount);
    for (int period : {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 15, 14, 13}) {
        if (year.isSaved(period)) return period;
    }
    throw std::runtime_error("no period of the year file is saved");
}

// "pay=1800000,incomeTax=31000": the named amounts changed, the others kept.
OpeningTotals withAssignments(OpeningTotals totals, std::string_view assignments) {
    while (!assignments.empty()) {
        const std::size_t comma = assignments.find(',');
        const std::string_view assignment = assignments.substr(0, comma);
        assignments = comma == std::string_view::npos ? "" : assignments.substr(comma + 1);
        const std::size_t equals = assignment.find('=');
        if (equals == std::string_view::npos) {
            throw UsageError("--set needs KEY=VALUE: " + std::string(assignment));
        }
        const std::string_view name = assignment.substr(0, equals);
        const std::string_view text = assignment.substr(equals + 1);
        const auto amount = std::find_if(kOpeningAmounts.begin(), kOpeningAmounts.end(),
                                         [name](OpeningAmount a) { return openingKey(a) == name; });
        if (amount == kOpeningAmounts.end()) {
            throw UsageError("--set: unknown key " + std::string(name) +
                             " (pay, taxablePay, socialInsurance, incomeTax, lastPayAfterSocial)");
        }
        std::int64_t value = -1;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || value < 0 ||
            value > kOpeningAmountMax) {
            throw UsageError("--set " + std::string(name) +
                             ": the value must be a whole number 0.." +
                             std::to_string(kOpeningAmountMax) + ", not " + std::string(text));
        }
        openingField(totals, *amount) = static_cast<std::int32_t>(value);
    }
    return totals;
}

// year opening FILE --slot N [--period K] [--set KEY=VALUE,...]
void opening(const Args& args) {
    const std::string& file = args.positional(1, "FILE");
    const int slot = args.requiredInt("slot", 1, kMaxEmployees);
    const std::optional<std::string> assignments = args.option("set");
    if (assignments) withAssignments({}, *assignments);  // wrong keys before the file is read
    std::optional<WriteLock> lock;
    if (assignments) lock.emplace(file, "Keiro");
    const YearView year(file);
    const int period = slotPeriod(args, year);
    const EmployeeRecord& employee = year.block(period).employee(slot);
    if (!employee.isUsed()) {
        throw UsageError("--slot: no employee in slot " + std::to_string(slot) + " of period " +
                         std::to_string(period));
    }
    const std::string recordId(employee.recordId.bytes());
    OpeningTotals totals = readOpeningTotals(year, recordId);
    if (assignments) {
        totals = withAssignments(totals, *assignments);
        const std::string problem = checkOpeningTotals(totals);
        if (!problem.empty()) throw UsageError("--set: " + problem);
        writeOpeningTotals(file, {{recordId, totals}});
        totals = readOpeningTotals(YearView(file), recordId);
    }
    nlohmann::ordered_json out{{"period", period}, {"slot", slot}, {"name", employee.name.utf8()}};
    for (OpeningAmount amount : kOpeningAmounts) {
        out[std::string(openingKey(amount))] = openingField(totals, amount);
    }
    printJson(out);
}

}  // namespace

// year create FILE | year info FILE | year dump FILE --period K
// year opening FILE --slot N [--period K] [--set KEY=VALUE,...]
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
    } else if (command == "opening") {
        args.expectOnly({"slot", "period", "set"}, 2);
        opening(args);
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
