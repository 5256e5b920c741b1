#pragma once
// What the pay ledger shows of one employee: a column of values for each of the fifteen periods
// of the year as the year file on disk holds them, and their totals.
//
// The employee is found in each saved period by the key that stays with a person across periods
// (recordId); when two slots carry the key, the later slot counts, and a saved period without the
// employee shows zeros.  A period never saved shows nothing and adds nothing to the total.  The
// bonus periods have no attendance, so their attendance cells stay empty too.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/items.h"
#include "core/records.h"
#include "core/year_view.h"
#include "print/table_rows.h"

namespace keiro::print {

// An employee chosen for the ledger, as the open period knows them.
struct LedgerEmployee {
    int slot = 0;          // slot of the open period, as the employee list numbers it
    std::string recordId;  // the key's code page 932 bytes
    std::string name;      // UTF-8
};

// The chosen slots of the open period in the order given (unused slots are passed over).
std::vector<LedgerEmployee> ledgerEmployees(const PeriodBlock& block,
                                            const std::vector<int>& slots);

// The same employees as the file has them: the ledger's figures come from the saved periods,
// so its names (and company name) do too.  Each employee keeps the slot and record id of the
// open period's records; the name is the one saved in `period` of the file for that record
// id, unless the period is not saved or does not hold the employee (then the open records'
// name stands).
std::vector<LedgerEmployee> ledgerEmployeesAsSaved(const PeriodBlock& block,
                                                   const std::vector<int>& slots,
                                                   const YearView& file, int period);
// The company name saved in `period` of the file, or the open records' when it is not saved.
std::string ledgerCompanyAsSaved(const PeriodBlock& block, const YearView& file, int period);

// A period's cells, one per row; an empty cell prints nothing.
using LedgerColumn = std::vector<std::optional<CellValue>>;

struct LedgerSheet {
    std::array<LedgerColumn, kPeriodCount> periods;  // period k at index k − 1
    std::vector<CellValue> total;                    // the sums of the cells shown
};

LedgerSheet ledgerSheet(const std::vector<TableRow>& rows, const YearView& year,
                        std::string_view recordId);

// The heading of a period's column: "１月給与" … "９月給与", "10月給与" … "12月給与", "夏期賞与",
// "冬期賞与" and the extra bonus's own name.
std::string ledgerPeriodLabel(int period, const ItemNames& names);

}  // namespace keiro::print
