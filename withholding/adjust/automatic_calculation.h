#pragma once
// The automatic year-end calculation of one employee's withholding record, as the editor's
// 自動計算 button runs it, without the window.
//
// In this order: the 同居 part of a count raises the count when it is larger; the yearly totals
// are stored (支払金額, 社会保険料等, 徴収税額, each unless entered by hand); the record's inputs
// go to the year-end calculation of the data year's law; and its results come back: the income
// after the employment-income deduction, the total of the deductions, the annual tax, the spouse
// special deduction where the year's law works it out, and the status (計算済, or 年調対象外).
// An item flagged as entered by hand is never overwritten.  An employee who is not adjusted
// (adjustment_scope.h: 乙欄, pay above the limit, a leaver without an exception) gets status
// 年調対象外, the tax actually withheld as the annual tax and 0 for the computed amounts; the
// totals are still refreshed.  When the life or earthquake insurance deduction is worked out
// from the premiums paid, the deduction's field is set to it, so that the slip shows the amount
// deducted; a typed amount above the law's maximum is stored at the maximum.  Likewise, when the
// family's birth dates give the dependant counts (family_ages.h), the counts and the spouse's
// 老人 are stored as the dates give them.
//
// The 1500-byte records also receive the figures the documents print (figuresStored = 1): the
// spouse amount given, the housing-loan credit used and its 可能額 (the credit declared, when
// the tax could not take all of it; else 0), and for 2024 the flat cut applied, the part not
// applied and whether it counted a spouse who is not the 源泉控除対象配偶者.  An employee who
// is not adjusted gets 0 for each.
//
// A result outside the record's 32-bit fields (only absurd inputs give one) is a
// std::overflow_error, and the record is left as it was.

#include "core/year_view.h"
#include "withholding/adjust/record_input.h"
#include "withholding/model/withholding_file.h"
#include "withholding/model/yearly_totals.h"

namespace keiro::withholding {

// `totals` are the payroll's; the 1500-byte record adds what the employee declares (previous
// employers from the supplement, premiums paid personally: yearly_totals.h) before storing them,
// and reads the family's birth dates with the supplement's fifth and later dependants.
YearEndResult calculateRecord(WithholdingRecord& record, const WithholdingSupplement& supplement,
                              const YearlyTotals& totals, const RecordContext& context);
YearEndResult calculateRecord(WithholdingRecord& record, const YearlyTotals& totals,
                              const RecordContext& context);
YearEndResult calculateRecord(LegacyWithholdingRecord& record, const YearlyTotals& totals,
                              const RecordContext& context);

// Slot 1..100 of `file`, for the employee in that slot of the year file's December: the totals
// of `year` by the employee's recordId; a work status of 退職 there means the employee left
// (a leaver placed from earlier periods has it too, see leavers.h).
YearEndResult calculateSlot(WithholdingFile& file, int slot, const YearView& year, int dataYear,
                            bool roundTaxTo100);

}  // namespace keiro::withholding
