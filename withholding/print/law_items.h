#pragma once
// The amounts the official forms print from 2020 (基礎控除の額, 所得金額調整控除額) and from 2025
// (特定親族特別控除の額, with the number of such relatives), which the withholding record does
// not keep: they are worked out again from the record by the year-end calculation of the data
// year.  They are shown only for an employee whose adjustment gave deductions; an employee of
// the 乙欄 has none.

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

// What of the record the calculation needs, in plain numbers (kept apart from the record so
// that the calculation's and the file's types never meet in one place).
struct LawInputs {
    int calendarYear = 0;
    long long paid = 0;
    long long withheld = 0;
    long long socialInsurance = 0;
    bool manualIncomeAfterDeduction = false;
    long long incomeAfterDeduction = 0;
    bool incomeEstimateEntered = false;
    long long incomeEstimate = 0;
    bool otsu = false;
    bool selfSpecialDisabled = false;
    int specificDependants = 0;
    int under16Dependants = 0;
    int specialDisabled = 0;
    long long specificRelativeIncomes[4] = {};
};
LawItems lawItemsFrom(const LawInputs& inputs);

}  // namespace keiro::withholding
