#pragma once
// Every table file the programs ship, built from the published figures under data/: the newest
// tables beside the programs under their fixed names, and each year's tables in its own folder
// below "表データ" (calc/payroll_tables.h).
//
// Which years there are comes from withholding_monthly_params.csv: each period of the withholding
// tables covers the years from its valid_from to its valid_to (only its first year when it has
// no end); the period with the latest start is the newest.  A period's bonus table comes from
// withholding_bonus_<period>.csv when that file exists; a period without one has no bonus table
// in its folders, and the newest bonus table beside the programs is that of the newest period
// that has one.  The health insurance grades come from health_grades.csv, their pension range
// from health_pension_limits.csv (one row for each month the top pension grade changed); every
// change gets a folder of its own month ("2028-09"), also in a year without tax tables.

#include <filesystem>
#include <string>
#include <vector>

namespace keiro::calc {

// Every file ends in its seal (calc/table_seal.h).
struct TableFile {
    std::filesystem::path relative;  // "税額表(給与).dat", "表データ/2025/税額表(給与).dat"
    std::string bytes;
};

// IoError when a CSV cannot be read, DataError when one is malformed.
std::vector<TableFile> buildTableFiles(const std::filesystem::path& dataFolder);

}  // namespace keiro::calc
