#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "core/attendance_import.h"
#include "core/employee_csv.h"
#include "core/era.h"
#include "core/yearfile.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/saved_year.h"
#include "tools/write_lock.h"

namespace keiro::tool {
// employees export FILE --period K OUT.csv
int runEmployees(const Words& words) {
    if (!words.empty() && words.front() == "import-resident-tax")
        return runResidentTaxImport(words);
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
    std::optional<WriteLock> lock;
    if (args.flag("save")) lock.emplace(args.positional(1, "FILE"), "Keiro");
    YearData data = openSavedYear(args.positional(1, "FILE"), period);

    const AttendanceCsv csv = readAttendanceCsv(args.positional(2, "IN.csv"));
    if (!csv.error.empty()) throw std::runtime_error(csv.error);
    const AttendanceImportResult result = importAttendance(
        data.document(), csv.rows,
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
    return result.refused > 0 ? 1 : 0;  // the lines imported are kept; the others were named
}

}  // namespace keiro::tool
