#pragma once
// How many pages (or sheets) each report needs for n employees or rows.  The lists print at least
// one page, headings only when there is nobody to list; pay slips are only ever drawn for
// someone, so no selection gives no sheet.

#include <string>

#include "print/report_mode.h"

namespace keiro::print {

// Roster: ten employees a page.
int rosterPages(int employees);
// Pay slips: one or two slips a sheet, by form type.
int slipSheets(int employees, int formType);
// Monthly list, ordinary order: ten employee columns a page, and the total needs a column of
// its own, so ten employees take two pages.
int monthlyListPages(int employees);
// Transfer list and denomination table: thirty rows a page.
int transferPages(int rows);

// The page panel's text of the roster, the transfer list and the denomination table:
// " %2d枚 [%d名]" of the pages and the people listed.
std::string pagesAndPeopleText(int pages, int people);

// The two slips on a two-slip sheet (counted from 1): employees 2·sheet − 1 and 2·sheet of the
// selection, second 0 when the selection ends with the first.
struct SlipPair {
    int first = 0;
    int second = 0;
    bool operator==(const SlipPair&) const = default;
};
SlipPair slipsOnSheet(int sheet, int employees);

}  // namespace keiro::print
