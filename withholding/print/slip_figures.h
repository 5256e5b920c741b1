#pragma once
// Which of a record's figures a box of the current-format slip and payment report shows.  A
// record the calculation has written its figures into (figuresStored) prints what the
// adjustment actually gave; a record calculated by an older version, or typed by hand, prints
// its fields as they are.

#include "core/era.h"
#include "withholding/model/records.h"
#include "withholding/print/slip_copy.h"

namespace keiro::withholding {

// 配偶者(特別)控除の額 (0 = left empty).  Since 平成30年分 the box holds the 配偶者控除 or the
// 配偶者特別控除, whichever was given; the stored figure says which amount that was.  Without it,
// the spouse special deduction field where it means something: when the spouse has an income,
// or in the years it is typed by hand.
long long spouseAmountShown(const WithholdingRecord& record, const EraYear& year);

// 住宅借入金等特別控除の額: the credit actually deducted (at most the tax), not the credit the
// employee declared.
long long housingCreditShown(const WithholdingRecord& record);

// Whether the "○" of a person mark is printed.  From 2020 ひとり親 takes the place of 寡夫 and
// of the special 寡婦, and 寡婦 is marked only for a widow who is not ひとり親 (the deduction
// the calculation gives her).
bool personMarkSet(const WithholdingRecord& record, PersonMark mark, const FormEdition& edition);

}  // namespace keiro::withholding
