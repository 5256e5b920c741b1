#pragma once
// The amounts the official forms print from 2020 (基礎控除の額, 所得金額調整控除額) and from 2025
// (特定親族特別控除の額, with the number of such relatives), which the withholding record does
// not keep: they are worked out again from the record by the year-end calculation of the data
// year.  They are shown only for an employee whose adjustment gave deductions; an employee of
// the 乙欄, or one the adjustment does not cover (年調対象外), has none.

namespace keiro::withholding {

struct WithholdingRecord;

// Which of the later items a data year's forms carry.
struct FormEdition {
    bool from2020 = false;  // basic deduction, income adjustment, ひとり親 in place of 寡夫
    bool from2025 = false;  // 特定親族
};
FormEdition formEdition(int calendarYear);

struct LawItems {
    bool shown = false;
    long long basic = 0;
    long long incomeAdjustment = 0;
    int specificRelatives = 0;  // relatives aged 19 to 22 above the dependant limit
    long long specificRelativeDeduction = 0;
};

LawItems lawItemsFor(const WithholdingRecord& record, int calendarYear);

}  // namespace keiro::withholding
