// employees import-resident-tax FILE IN.csv [--period K] [--save]
//
// Previews the year's residence-tax amounts of IN.csv against the employee master of a saved
// salary month from June to December (by default the latest saved month) as JSON:
//   {"period":K,"changes":[{"code","name","june":{"old","new"},"later":{"old","new"}}],
//    "refused":[{"line":N,"reason":"…"}],"saved":bool}
// With --save the accepted lines are written and the change is logged, refused lines or not.
// Exit code 1 when lines were refused (the accepted ones are still saved with --save).
#include <iostream>
#include <optional>
#include <stdexcept>

#include "core/resident_tax_import.h"
#include "core/syslog.h"
#include "core/yearfile.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/saved_year.h"
#include "tools/write_lock.h"

namespace keiro::tool {
namespace {

// The --period given, else the latest saved salary month.
int targetPeriod(const Args& args, const std::filesystem::path& file) {
    if (const auto period = args.option("period")) return parseIntArgument(*period, "--period");
    const YearFileHeader header = readYearFileHeader(file);
    int latest = 0;
    for (int month = 1; month < kFirstBonusPeriod; ++month) {
        if (header.isSaved(month)) latest = month;
    }
    return latest;
}

nlohmann::ordered_json changeJson(const ResidentTaxChange& change) {
    return {{"code", change.code},
            {"name", change.name},
            {"june", {{"old", change.oldJune}, {"new", change.newJune}}},
            {"later", {{"old", change.oldLater}, {"new", change.newLater}}}};
}

}  // namespace

int runResidentTaxImport(const Words& words) {
    const Args args(words, {"save"});
    args.expectOnly({"period", "save"}, 3);
    const std::filesystem::path file = args.positional(1, "FILE");
    const std::filesystem::path csv = args.positional(2, "IN.csv");
    const int period = targetPeriod(args, file);
    if (!isResidentTaxImportPeriod(period)) {
        throw std::runtime_error(std::string(kMsgResidentTaxWrongPeriod));
    }
    std::optional<WriteLock> lock;
    if (args.flag("save")) lock.emplace(file, "Keiro");
    YearData data = openSavedYear(file, period);
    const ResidentTaxImport preview = readResidentTaxImport(data.block(), csv);
    if (!preview.error.empty()) throw std::runtime_error(preview.error);

    const bool save = args.flag("save") && !preview.changes.empty();
    if (save) {
        applyResidentTaxImport(data.document(), preview);
        data.savePeriod();
        writeLog(file.parent_path(), kLogEmployeeUpdated);
    }
    nlohmann::ordered_json changes = nlohmann::ordered_json::array();
    for (const ResidentTaxChange& change : preview.changes) changes.push_back(changeJson(change));
    nlohmann::ordered_json refused = nlohmann::ordered_json::array();
    for (const RefusedResidentTaxLine& line : preview.refused) {
        refused.push_back({{"line", line.line}, {"reason", line.reason}});
    }
    printJson({{"period", period}, {"changes", changes}, {"refused", refused}, {"saved", save}});
    return preview.refused.empty() ? 0 : 1;
}

}  // namespace keiro::tool
