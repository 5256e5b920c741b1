#pragma once
// What one employee's copy of the current-format slip or payment report holds, written into
// the ruled form of slip_frame.h: the year, the recipient, the amounts in their cell styles, the
// counts, marks and breakdowns, the dependants and the payer.  Amounts and counts that are 0
// are left empty, except the tax.  Individual numbers only on the copies that show them.

#include "print/canvas.h"
#include "withholding/print/document_source.h"
#include "withholding/print/law_items.h"
#include "withholding/print/slip_copy.h"

namespace keiro::withholding {

void drawSlipEntries(print::Canvas& canvas, const SlipCopy& copy, const DocumentSource& source,
                     int slot, const LawItems& law);

// Whether the year's spouse special deduction is printed even without a spouse's income: the
// years in which it is typed in by hand (the earlier era's 30 and 31, and every era year below
// 20, which the new era's years are).
bool spouseSpecialAlwaysShown(const EraYear& year);

}  // namespace keiro::withholding
