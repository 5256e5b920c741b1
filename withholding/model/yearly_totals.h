#pragma once
// An employee's yearly totals for the year-end adjustment, from all fifteen periods of the year
// file (twelve months and three bonuses): 課税支給合計 paid, 社会保険料計 and 所得税 withheld.
// The employee is found in each period by `recordId` (its length and text), not by slot, since
// slots may move between periods; every slot with that recordId adds to the totals.  Periods
// never saved add nothing.  The totals of the months paid before the first period kept in the
// program, entered with the employee's master (core/opening_totals.h), are added to them.  The
// year file is read once (YearView) for all employees.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/year_view.h"
#include "withholding/model/records.h"

namespace keiro::withholding {

struct YearlyTotals {
    std::int32_t paid = 0;             // 支払金額
    std::int32_t socialInsurance = 0;  // 社会保険料等の金額
    std::int32_t withheld = 0;         // 徴収税額

    friend bool operator==(const YearlyTotals&, const YearlyTotals&) = default;
};

// The totals of the employee with this recordId (code page 932 bytes); zeros for an empty one.
// These are the payroll's totals: the periods kept in this year file.
// A sum beyond the range of the file's 32-bit fields (only a damaged file gives one) is held at
// the limit.
YearlyTotals yearlyTotals(const YearView& year, std::string_view recordId);

// The totals of every December slot 1..100 (index slot − 1).
std::array<YearlyTotals, kMaxEmployees> yearlyTotalsOfDecember(const YearView& year);

// The totals of the slip, from the payroll's totals and what the employee declares: the
// previous employers' pay, tax and social insurance (前職分, in the supplement) add to each, and
// the social insurance premiums the employee paid personally (国民年金保険料等 and the other
// declared premiums) to 社会保険料等.
YearlyTotals withDeclarations(const YearlyTotals& payroll, const WithholdingRecord& record,
                              const WithholdingSupplement& supplement);
// The 500-byte records declare only 国民年金保険料等.
YearlyTotals withDeclarations(const YearlyTotals& payroll, const LegacyWithholdingRecord& record);

// Stores the totals in the record, each unless its amount is entered by hand (items 1, 6, 7).
void applyYearlyTotals(WithholdingRecord& record, const YearlyTotals& totals);
void applyYearlyTotals(LegacyWithholdingRecord& record, const YearlyTotals& totals);

}  // namespace keiro::withholding
