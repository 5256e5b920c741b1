#pragma once
// The law a year-end adjustment applies, one struct of constants per statutory period, chosen
// by the calendar year of the data.  Adding a year is adding (or extending) a period here.
//
// Years up to 2019 keep the program's long-standing rules: a fixed basic deduction, the
// employment-income formulas with their steps, a spouse special deduction by the spouse's
// income alone and a tax table that ends at 16,920,000.  From 2020 the statute of the year
// applies: the stepped employment-income table, the income adjustment deduction, deductions
// that depend on the employee's and the spouse's incomes, and the year-end rate table.

#include <cstdint>
#include <span>

namespace keiro::withholding {

// How the adjustment is worked out; the only switch on the period, taken in one place.
enum class YearEndMethod { Traditional, Statutory };

// "Up to and including `upTo` gives `amount`"; a table of these is read top down and the
// first row whose bound is not exceeded applies.  Past the last row the amount is 0.
struct AmountBand {
    std::int64_t upTo;
    std::int32_t amount;
};

// A row of a rate table: up to `upTo`, amount × percent / 100 − subtract.
struct RateBand {
    std::int64_t upTo;
    std::int32_t percent;
    std::int32_t subtract;
};

// A row of the statutory employment-income deduction: up to `upTo`, pay × percent / 100 + add
// (percent 0: the fixed amount `add`).
struct DeductionBand {
    std::int64_t upTo;
    std::int32_t percent;
    std::int32_t add;
};

// A row of the spouse special deduction: up to the spouse's income `upTo`, one amount per
// employee income band.
struct SpouseSpecialRow {
    std::int64_t upTo;
    std::int32_t byBand[3];
};

// The per-person and per-condition amounts.
struct PersonAmounts {
    std::int32_t spouse = 380'000;
    std::int32_t elderlySpouse = 480'000;
    std::int32_t general = 380'000;
    std::int32_t specific = 630'000;
    std::int32_t elderly = 480'000;
    std::int32_t cohabitingParentExtra = 100'000;  // on top of the elderly amount
    std::int32_t specialDisabled = 400'000;
    std::int32_t cohabitingSpecialDisabledExtra = 350'000;  // on top of the special amount
    std::int32_t disabled = 270'000;
    std::int32_t widow = 270'000;
    std::int32_t specialWidow = 350'000;  // until 2019
    std::int32_t widower = 270'000;       // until 2019
    std::int32_t singleParent = 350'000;  // from 2020
    std::int32_t workingStudent = 270'000;
};

// The employment-income table of the year-end adjustment (statutory years).
struct EmploymentTable {
    std::int32_t minimum;     // the smallest deduction
    std::int32_t zeroBelow;   // pay below this gives 0 (the table's first row)
    std::int32_t exactBelow;  // below this (and from zeroBelow) pay − minimum
    std::span<const std::int32_t> transitionRows;  // row starts between exactBelow and gridFrom
    std::int32_t gridFrom;  // rows of 4,000 yen from here up to the formula range
    // The statutory deduction by pay: the period's own lower bands, then the common ones.
    std::span<const DeductionBand> lowDeduction;
    std::span<const DeductionBand> upperDeduction;
};

struct YearEndLaw {
    int firstYear = 0;
    int lastYear = 0;
    YearEndMethod method = YearEndMethod::Statutory;
    PersonAmounts amounts{};

    // Traditional years.
    std::int32_t fixedBasic = 0;
    std::span<const AmountBand> spouseSpecialBySpouse{};  // by the spouse's income alone
    // From this year the spouse special deduction of the 1500-byte records is typed in, not
    // calculated (the 500-byte years always calculate it).
    int spouseSpecialTypedFrom = 0;

    // Statutory years.
    EmploymentTable employment{};
    // The basic deduction by the employee's total income: the period's own bands (none while
    // it is flat), then the taper of the highest incomes.
    std::span<const AmountBand> basicByIncome{};
    std::span<const AmountBand> basicTaper{};
    std::int32_t dependantIncomeLimit = 0;  // spouse and dependant limit
    // The employee's income bands of the spouse deductions (upper bounds; above the last none).
    std::span<const std::int64_t> spouseEmployeeBands{};
    std::span<const std::int32_t> spouseByBand{};         // 配偶者控除, one amount per band
    std::span<const std::int32_t> elderlySpouseByBand{};  // the same for a spouse aged 70 or more
    std::span<const SpouseSpecialRow> spouseSpecial{};    // above the limit, by the spouse's income
    std::span<const AmountBand> specificRelative{};  // by the relative's income, above the limit
    std::int32_t singleParentIncomeLimit = 0;        // employee's total income (寡婦 too)
    std::int32_t workingStudentIncomeLimit = 0;
    // The new 一般 life insurance contracts of an employee with a dependant under 23 have the
    // larger formula.
    bool youngFamilyLifeInsurance = false;
    std::int32_t flatCutPerPerson = 0;  // 定額減税 per person (2024 only)
    std::int64_t flatCutIncomeLimit = 0;
    std::int64_t adjustedPayLimit = 0;  // no adjustment above this pay (0: no limit)
    // The 2024 flat cut counts the 同一生計配偶者; when such a spouse is not also the
    // 源泉控除対象配偶者 of the monthly withholding (the employee's total income above the first
    // limit, or the spouse's above the second) the slip says so.
    std::int64_t withholdingSpouseEmployeeLimit = 0;
    std::int64_t withholdingSpouseIncomeLimit = 0;

    // Both.
    // A part-timer who left during the year is still adjusted when the year's pay is at most
    // this (and no other pay follows).
    std::int64_t partTimerLeaverPayLimit = 1'030'000;
    std::span<const RateBand> taxRates{};
    // Years without the reconstruction surtax, inclusive (none when surtaxFreeFrom >
    // surtaxFreeTo).  The traditional rule leaves it off from 2003 to 2012.
    int surtaxFreeFrom = 0;
    int surtaxFreeTo = -1;
};

// The law of a calendar data year.
const YearEndLaw& yearEndLaw(int dataYear);

// Data years before this keep the 500-byte record and its formulas.
inline constexpr int kFirstCurrentFormatYear = 2016;

// The basic deduction of a statutory year.
std::int32_t basicDeduction(const YearEndLaw& law, std::int64_t totalIncome);

// The amount of the first band whose bound is not exceeded; 0 past the last.
std::int32_t amountFor(std::span<const AmountBand> bands, std::int64_t value);

}  // namespace keiro::withholding
