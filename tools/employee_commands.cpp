#include <filesystem>
#include <iostream>
#include <memory>

#include "core/attendance_import.h"
#include "core/employee_csv.h"
#include "core/era.h"
#include "core/yearfile.h"
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {
namespace {

// The year file opened at a saved period, as the main window holds it.
YearData openSavedPeriod(const std::filesystem::path& file, int period) {
    const std::optional<EraYear> year = parseYearFileName(file.filename().string());
    if (!year) throw UsageError("not a year file name: " + file.filename().string());
    if (!readYearFileHeader(file).isSaved(period))
        throw std::runtime_error("期間 " + std::to_string(period) + " は保存されていません。");
    EraNames names = eraNamesFor(todayInJapan(), "");
    if (year->eraName != names.earlier) names.newEra = year->eraName;

    // A saved month keeps the scheduled days and hours it was saved with.
    const std::unique_ptr<PeriodBlock> saved = readPeriodBlock(file, period);
    PeriodEntry entry;
    entry.scheduledDays = saved->settings.scheduledDays;
    entry.scheduledHours = saved->settings.scheduledHours;

    YearData data;
    data.setFile(file, year->eraName, year->eraYear, names);
    data.openPeriod(period, entry, nullptr);
    return data;
}

}  // namespace

// employees export FILE --period K OUT.csv
int runEmployees(const Words& words) {
    const Args args(words);
    if (args.positional(0, "command") != "export") throw UsageError("unknown employees command");
    args.expectOnly({"period"}, 3);
    const int period = args.requiredInt("period", 1, kPeriodCount);
    const std::unique_ptr<PeriodBlock> block = readPeriodBlock(args.positional(1, "FILE"), period);
    exportEmployeeCsv(*block, args.positional(2, "OUT.csv"));
    std::cout << kMsgCsvExported << '\n';
    return 0;
}

// attendance import FILE --period K IN.csv [--save]
int runAttendance(const Words& words) {
    const Args args(words, {"save"});
    if (args.positional(0, "command") != "import") throw UsageError("unknown attendance command");
    args.expectOnly({"period", "save"}, 3);
    const int period = args.requiredInt("period", 1, kPeriodCount);
    YearData data = openSavedPeriod(args.positional(1, "FILE"), period);

    const AttendanceCsv csv = readAttendanceCsv(args.positional(2, "IN.csv"));
    if (!csv.error.empty()) throw std::runtime_error(csv.error);
    const AttendanceImportResult result = importAttendance(
        data.block(), csv.rows,
        [&](std::string_view recordId) {
            return data.readPreviousPaidLeaveBalance(period, recordId);
        },
        [](const std::string& message) { std::cerr << message << '\n'; },
        attendanceMonthDays(FileYear{data.eraName() != data.eraNames().earlier, data.eraYear()},
                            period));
    if (!result.error.empty()) throw std::runtime_error(result.error);  // nothing saved
    // The message tells of data kept: after the save, which may still fail.
    if (args.flag("save")) data.savePeriod();
    std::cout << result.message << '\n';
    return 0;
}

}  // namespace keiro::tool
