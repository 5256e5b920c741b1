#pragma once
// Building the two withholding tax table files from the published figures under data/, and
// checking table files, whoever made them.
//
// The salary file holds the printed bands from the first band up to the end of the table, then
// the first four 甲 breakpoints as one-yen rows carrying the printed tax at exactly that amount,
// the rates above them and the deductions per dependent; after this fixed part comes the
// extension with every published breakpoint, which the fixed part cannot hold.

#include <string>
#include <string_view>
#include <vector>

#include "calc/data_csv.h"
#include "calc/table_check.h"

namespace keiro::calc {

// The complete bytes of "税額表(給与).dat" for `period` (a value of the params file's `period`
// column, e.g. "2026").  `monthly` is withholding_monthly_<period>.csv, `rules` its _rules.csv,
// `params` withholding_monthly_params.csv.  DataError when a file is malformed or the figures do
// not fit together (bands not contiguous, rules out of order, too many rows, ...).
std::string buildSalaryTaxTable(const DataCsv& monthly, const DataCsv& rules, const DataCsv& params,
                                std::string_view period);

// The complete bytes of "税額表(賞与).dat" from withholding_bonus_<period>.csv.  DataError when
// malformed.
std::string buildBonusTaxTable(const DataCsv& bonus);

// Size, counts, bands ascending and contiguous, breakpoints ascending, rates, and the
// extension: sound and agreeing with the breakpoint rows of the fixed part.
TableCheck checkSalaryTaxTable(std::string_view bytes);
// Size, counts, rates, each dependents column's bands ascending and contiguous, 乙 bounds.
TableCheck checkBonusTaxTable(std::string_view bytes);

}  // namespace keiro::calc
