#pragma once
// Opening a year's withholding data: the file when it exists, otherwise the file built for the
// first time (in memory; the user saves it).
//
// Building carries last year's data over.  When last year's withholding file exists, each
// employee of this December is matched by recordId with the employees of last year's December
// (the first match wins) and takes over that employee's record: converted field by field when
// this is the first year with 1500-byte records, copied whole otherwise; the payer header is
// taken over too, with the slot's supplement.  Last year's hand-entry flags and statuses are
// cleared, since they belong to last year's figures, and so are the amounts and dates the
// employee declares for one year (estimate, premiums, housing-loan amounts, 特定親族 and spouse
// incomes, previous employers, 摘要): only the people and the loans carry.  Without a previous file
// everything starts empty, the legacy records with the spouse marked 無, and the furigana and birth
// date come from the year file's master. In both cases every record then gets its yearly totals and
// the 乙欄 flag from the master's tax column, and a record nothing was carried into gets the
// payroll's 扶養人数 as its count of その他 dependants (record_start.h).
//
// Employees who left before December and whose payroll row was removed are placed in free
// slots of December (leavers.h): `year` is the year whose December master both functions
// complete in memory, so that every reader of the master sees them.

#include <optional>

#include "core/year_view.h"
#include "withholding/model/names.h"
#include "withholding/model/withholding_file.h"

namespace keiro::withholding {

// The year's withholding data, or nothing when December's salary of `year` was never saved
// (there is nothing to adjust yet).  IoError when a file exists but cannot be read or is damaged.
std::optional<WithholdingFile> openWithholdingFile(YearView& year, const WithholdingPaths& paths);

// The file built for the first time, whether or not one exists on disk.
WithholdingFile buildWithholdingFile(YearView& year, const WithholdingPaths& paths);

}  // namespace keiro::withholding
