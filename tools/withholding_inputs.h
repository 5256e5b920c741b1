#pragma once
// The inputs of a withholding record that `keiro-tool withholding calc --set KEY=VALUE` can
// change, by name.  Every key is listed in the README.  Setting one of the automatic amounts
// (paid, withheld, socialInsurance, incomeAfterDeduction, totalDeductions, annualTax,
// spouseSpecial) also flags it as entered by hand, as typing it in the editor does, so the
// calculation keeps it.

#include <string_view>

#include "withholding/model/records.h"

namespace keiro::tool {

// The data year, for the leaving date: a date of that calendar year is stored with the era
// year of the year file.
struct InputYear {
    int calendarYear = 0;
    int eraYear = 0;
};

// "KEY=VALUE" into the record, or into the slot's supplement (prevPay, prevTax, prevSocial: the
// first previous employer).  UsageError for a missing "=", an unknown key, a value that is not a
// whole number in the key's range (leftDate: not a date of the data year; leftReason,
// …Relation, …Reason: not one of its names; …Birth: not a date YYYY-MM-DD from 1900 to the
// data year, or "none"), or a key the 500-byte records of the years before 平成28 do not have.
void setRecordInput(withholding::WithholdingRecord& record,
                    withholding::WithholdingSupplement& supplement, std::string_view assignment,
                    const InputYear& year);
void setRecordInput(withholding::LegacyWithholdingRecord& record, std::string_view assignment,
                    const InputYear& year);

}  // namespace keiro::tool
