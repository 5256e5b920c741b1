#pragma once
// What the year-end calculation reads from a withholding record.  Both record formats carry
// the same inputs at different places; the 1500-byte records add the 小規模企業共済等掛金, the
// count of non-resident relatives, the inputs of the later law (the employee's income
// estimate, ひとり親, the incomes of 特定親族) and the exception under which a leaver is still
// adjusted (the 死亡退職 flag counts as the exception of death).  The 500-byte records cannot
// state an exception, so the leaver rule is not applied to them.  An item flagged as entered by
// hand is handed to the calculation as a fixed value.

#include "withholding/calc/year_end_calc.h"
#include "withholding/model/records.h"

namespace keiro::withholding {

// What the calculation needs besides the record.
struct RecordContext {
    int dataYear = 0;  // calendar year of the data (平成31 = 2019, 令和N = 2018 + N)
    // The year file says the employee left: December's work status is 退職, or the employee
    // left before December and was placed in a free slot.  The record's own 中途退職 flag is
    // read from the record.
    bool left = false;
    bool roundTaxTo100 = true;  // the setting HasuuCut
};

// The 同居 part of a count is included in it: a count below its 同居 part (同居老親等 of the
// elderly dependants, 同居 of the specially disabled) is raised to that part.
void raiseCountsToCohabiting(DependantCounts& dependants, DisabledCounts& disabled);

// The 1500-byte records with the slot's supplement (the fifth and later dependants): when the
// family's birth dates are complete (family_ages.h) they give the dependant counts, the
// non-resident dependants and whether a dependant is under 23; otherwise the typed counts stay
// the input.  A valid spouse birth date decides 老人.  The 生命 and 地震 amounts typed are held
// at the law's maximum (declaration_limits.h); when 地震保険料 or 旧長期損害保険料 is given the
// 地震保険料控除 is worked out from the premiums instead.
YearEndInput yearEndInputOf(const WithholdingRecord& record,
                            const WithholdingSupplement& supplement, const RecordContext& context);
// The same without a supplement (nobody from the fifth on).
YearEndInput yearEndInputOf(const WithholdingRecord& record, const RecordContext& context);
YearEndInput yearEndInputOf(const LegacyWithholdingRecord& record, const RecordContext& context);

// Whether the calculation works out the spouse special deduction of the year's records, or
// the amount is typed in (the 1500-byte records of 2018 and 2019) and stays as typed.
bool spouseSpecialComputed(int dataYear, bool currentFormat);

// Whether the record states an exception under which a leaver is still adjusted.
bool leaveExceptionStated(const WithholdingRecord& record);

}  // namespace keiro::withholding
