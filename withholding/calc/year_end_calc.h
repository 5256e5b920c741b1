#pragma once
// The year-end adjustment of one employee over plain inputs: the yearly totals, the employee's
// declarations and any hand-entered items in, every deduction, the annual tax and the
// difference to the tax withheld out.  The law is that of the calendar data year
// (year_end_law.h).  Money is whole yen.

#include <cstdint>
#include <optional>
#include <vector>

#include "withholding/calc/adjustment_scope.h"
#include "withholding/calc/insurance_deductions.h"

namespace keiro::withholding {

// The outcome stored in a record's status byte, with the same numbers (未処理, 計算済, 年調対象外).
enum class YearEndStatus : std::uint8_t { Unprocessed = 0, Calculated = 1, NotAdjusted = 2 };

enum class Widow : std::uint8_t { None, General, Special };

struct YearEndInput {
    int dataYear = 0;  // calendar year

    // Yearly totals.
    std::int64_t paid = 0;             // 支払金額
    std::int64_t withheld = 0;         // 徴収税額
    std::int64_t socialInsurance = 0;  // 社会保険料等, withheld and declared

    // Deductions declared as amounts.
    std::int64_t smallEnterprise = 0;  // 小規模企業共済等掛金 (not on the 500-byte records)
    std::int64_t lifeInsurance = 0;
    std::int64_t earthquakeInsurance = 0;
    std::int64_t housingLoanCredit = 0;  // 住宅借入金等特別控除, a credit against the tax
    // From 2020, premiums paid in place of the two insurance deductions when given.
    std::optional<LifePremiums> lifePremiums;
    std::optional<EarthquakePremiums> earthquakePremiums;

    // Spouse.  `spouse` is the record's spouse flag: a spouse whose income is within the
    // limit is declared.  From 2020 a spouse counts when the flag is set or an income is given.
    bool spouse = false;
    bool elderlySpouse = false;      // 70 or older at 31 December
    bool spouseNonResident = false;  // 非居住者: not counted in the 2024 flat cut
    std::int64_t spouseIncome = 0;
    // The spouse special deduction as it stands in the record: used as typed in the years in
    // which it is entered by hand (2018 and 2019).
    std::int64_t spouseSpecialEntered = 0;

    // Dependants by kind (spouse not included).
    int generalDependants = 0;
    int specificDependants = 0;  // 19 to 22
    int elderlyDependants = 0;   // 70 or older
    int cohabitingParents = 0;   // of the elderly: lineal ascendants living together
    int under16Dependants = 0;
    int nonResidentDependants = 0;  // of all the dependants above
    // Disabled among the spouse and the dependants.
    int specialDisabled = 0;
    int cohabitingSpecialDisabled = 0;  // of the special disabled
    int otherDisabled = 0;
    // The incomes of relatives aged 19 to 22 above the dependant limit (from 2025).
    std::vector<std::int64_t> specificRelativeIncomes;

    // The employee.
    bool selfSpecialDisabled = false;
    bool selfDisabled = false;
    Widow widow = Widow::None;
    bool widower = false;       // until 2019
    bool singleParent = false;  // ひとり親, from 2020
    bool workingStudent = false;
    // A dependant under 23 not seen in the counts (aged 16 to 18) for the income adjustment.
    bool youngDependantDeclared = false;
    // 合計所得金額 (見積額) when entered.  It includes the employment income, so an estimate
    // below that income is taken as the employment income.
    std::optional<std::int64_t> incomeEstimate;

    bool otsu = false;  // 乙欄: never adjusted
    // Left during the year, and whether the clerk stated one of the law's exceptions under
    // which a leaver is still adjusted (adjustment_scope.h).
    bool left = false;
    bool leaveExceptionStated = false;
    bool roundTaxTo100 = true;  // HasuuCut, in the years up to 2019

    // Hand-entered items, kept as they are.
    std::optional<std::int64_t> manualIncomeAfterDeduction;
    std::optional<std::int64_t> manualTotalDeductions;
    std::optional<std::int64_t> manualAnnualTax;
    std::optional<std::int64_t> manualSpouseSpecial;
};

struct YearEndResult {
    // Not adjusted (乙欄, pay above the limit, a leaver without an exception): nothing is
    // computed, the annual tax is the tax withheld (or the hand-entered one) and no difference
    // arises.
    bool notNeeded = false;
    NotAdjustedReason reason = NotAdjustedReason::None;
    YearEndStatus status = YearEndStatus::Unprocessed;

    std::int64_t employmentIncome = 0;      // after the employment-income deduction
    std::int64_t incomeAdjustment = 0;      // 所得金額調整控除
    std::int64_t incomeAfterDeduction = 0;  // the slip's amount: employment income − adjustment
    std::int64_t totalIncome = 0;           // the employee's 合計所得金額 used for the tests

    std::int64_t lifeInsurance = 0;
    std::int64_t earthquakeInsurance = 0;
    std::int64_t spouseDeduction = 0;
    std::int64_t spouseSpecial = 0;
    // The spouse amount counted in the total: the 配偶者控除 or the 配偶者特別控除, whichever
    // was given (the slip's box 配偶者(特別)控除の額).
    std::int64_t spouseGiven = 0;
    std::int64_t specificRelative = 0;
    std::int64_t dependants = 0;
    std::int64_t disability = 0;  // the employee's and the family's
    std::int64_t widowOrSingleParent = 0;
    std::int64_t workingStudent = 0;
    std::int64_t basic = 0;
    std::int64_t totalDeductions = 0;

    std::int64_t taxable = 0;          // 1,000-yen floor
    std::int64_t computedTax = 0;      // by the rate table
    std::int64_t housingLoanUsed = 0;  // the credit deducted, at most the computed tax
    std::int64_t flatCutDue = 0;       // 2024 年調減税額 in full
    std::int64_t flatCut = 0;  // 2024 定額減税 applied (控除済額); the rest is 控除外額
    // 2024: the flat cut counted a spouse who is not the 源泉控除対象配偶者.
    bool flatCutSpouseNotDeductible = false;
    std::int64_t annualTax = 0;   // with the surtax, 100-yen floor
    std::int64_t difference = 0;  // annualTax − withheld: negative is a refund
};

YearEndResult calculateYearEnd(const YearEndInput& input);

}  // namespace keiro::withholding
