#include "withholding/calc/year_end_law.h"

#include <array>
#include <cassert>
#include <cstdint>

namespace keiro::withholding {
namespace {

// ---- up to 2019 ----------------------------------------------------------------------------

// By the spouse's total income: up to 380,000 nothing (the spouse deduction itself applies),
// then falling bands of 50,000 yen to nothing from 760,000.
constexpr std::array<AmountBand, 10> kTraditionalSpouseSpecial{{
    {380'000, 0},
    {399'999, 380'000},
    {449'999, 360'000},
    {499'999, 310'000},
    {549'999, 260'000},
    {599'999, 210'000},
    {649'999, 160'000},
    {699'999, 110'000},
    {749'999, 60'000},
    {759'999, 30'000},
}};

// Ends at 16,920,000: a taxable amount above it has no row.
constexpr std::array<RateBand, 5> kTraditionalRates{{
    {1'950'000, 5, 0},
    {3'300'000, 10, 97'500},
    {6'950'000, 20, 427'500},
    {9'000'000, 23, 636'000},
    {16'920'000, 33, 1'536'000},
}};

// ---- from 2020 -----------------------------------------------------------------------------

// The year-end rate table runs to 18,050,000 (the most a pay of 20,000,000 leaves); the
// statutory rates beyond it are kept so that no taxable amount ever falls off the table.
constexpr std::array<RateBand, 7> kStatutoryRates{{
    {1'950'000, 5, 0},
    {3'300'000, 10, 97'500},
    {6'950'000, 20, 427'500},
    {9'000'000, 23, 636'000},
    {18'000'000, 33, 1'536'000},
    {40'000'000, 40, 2'796'000},
    {INT64_MAX, 45, 4'796'000},
}};

// The lower bands of the employment-income deduction differ by period; from 3,600,000 down
// (the 30 % band, which starts where the period's lower bands end) they are the same.
constexpr std::array<DeductionBand, 2> kLowDeduction2020{{
    {1'625'000, 0, 550'000},
    {1'800'000, 40, -100'000},
}};
constexpr std::array<DeductionBand, 1> kLowDeduction2025{{{1'900'000, 0, 650'000}}};
// 690,000 by law plus 50,000 more in the year-end adjustment of 2026 and 2027.
constexpr std::array<DeductionBand, 1> kLowDeduction2026{{{2'200'000, 0, 740'000}}};
constexpr std::array<DeductionBand, 4> kUpperDeduction{{
    {3'600'000, 30, 80'000},
    {6'600'000, 20, 440'000},
    {8'500'000, 10, 1'100'000},
    {INT64_MAX, 0, 1'950'000},
}};

// The narrow rows of the table between the exact zone and the 4,000-yen grid.
constexpr std::array<std::int32_t, 4> kTransition2020{1'619'000, 1'620'000, 1'622'000, 1'624'000};
constexpr std::array<std::int32_t, 3> kTransition2026{2'191'000, 2'193'000, 2'196'000};

// The basic deduction: each period's own bands for the lower incomes, then the taper above
// 23,500,000 that all periods share.
constexpr std::array<AmountBand, 5> kBasic2025{{
    {1'320'000, 950'000},
    {3'360'000, 880'000},
    {4'890'000, 680'000},
    {6'550'000, 630'000},
    {23'500'000, 580'000},
}};
constexpr std::array<AmountBand, 3> kBasic2026{{
    {4'890'000, 1'040'000},
    {6'550'000, 670'000},
    {23'500'000, 620'000},
}};
constexpr std::array<AmountBand, 3> kBasicTaper{{
    {24'000'000, 480'000},
    {24'500'000, 320'000},
    {25'000'000, 160'000},
}};

constexpr std::array<std::int64_t, 3> kSpouseEmployeeBands{9'000'000, 9'500'000, 10'000'000};
constexpr std::array<std::int32_t, 3> kSpouseByBand{380'000, 260'000, 130'000};
constexpr std::array<std::int32_t, 3> kElderlySpouseByBand{480'000, 320'000, 160'000};
constexpr std::array<SpouseSpecialRow, 9> kSpouseSpecial{{
    {950'000, {380'000, 260'000, 130'000}},
    {1'000'000, {360'000, 240'000, 120'000}},
    {1'050'000, {310'000, 210'000, 110'000}},
    {1'100'000, {260'000, 180'000, 90'000}},
    {1'150'000, {210'000, 140'000, 70'000}},
    {1'200'000, {160'000, 110'000, 60'000}},
    {1'250'000, {110'000, 80'000, 40'000}},
    {1'300'000, {60'000, 40'000, 20'000}},
    {1'330'000, {30'000, 20'000, 10'000}},
}};

// A relative aged 19 to 22 whose income is above the dependant limit (the rows start there).
constexpr std::array<AmountBand, 9> kSpecificRelative{{
    {850'000, 630'000},
    {900'000, 610'000},
    {950'000, 510'000},
    {1'000'000, 410'000},
    {1'050'000, 310'000},
    {1'100'000, 210'000},
    {1'150'000, 110'000},
    {1'200'000, 60'000},
    {1'230'000, 30'000},
}};

constexpr YearEndLaw traditional() {
    YearEndLaw law;
    law.lastYear = 2019;
    law.method = YearEndMethod::Traditional;
    law.fixedBasic = 380'000;
    law.spouseSpecialBySpouse = kTraditionalSpouseSpecial;
    law.spouseSpecialTypedFrom = 2018;
    law.taxRates = kTraditionalRates;
    law.surtaxFreeFrom = 2003;
    law.surtaxFreeTo = 2012;
    return law;
}

constexpr YearEndLaw statutory(int first, int last) {
    YearEndLaw law;
    law.firstYear = first;
    law.lastYear = last;
    law.basicTaper = kBasicTaper;
    law.spouseEmployeeBands = kSpouseEmployeeBands;
    law.spouseByBand = kSpouseByBand;
    law.elderlySpouseByBand = kElderlySpouseByBand;
    law.spouseSpecial = kSpouseSpecial;
    law.singleParentIncomeLimit = 5'000'000;
    law.adjustedPayLimit = 20'000'000;
    law.taxRates = kStatutoryRates;
    return law;
}

constexpr YearEndLaw period2020(int first, int last) {
    YearEndLaw law = statutory(first, last);
    law.employment = {550'000,   551'000,           1'619'000,      kTransition2020,
                      1'628'000, kLowDeduction2020, kUpperDeduction};
    law.dependantIncomeLimit = 480'000;
    law.workingStudentIncomeLimit = 750'000;
    return law;
}

constexpr YearEndLaw period2024() {
    YearEndLaw law = period2020(2024, 2024);
    law.flatCutPerPerson = 30'000;
    law.flatCutIncomeLimit = 18'050'000;
    law.withholdingSpouseEmployeeLimit = 9'000'000;
    law.withholdingSpouseIncomeLimit = 950'000;
    return law;
}

constexpr YearEndLaw period2025() {
    YearEndLaw law = statutory(2025, 2025);
    law.employment = {650'000,   651'000,           1'900'000,      {},
                      1'900'000, kLowDeduction2025, kUpperDeduction};
    law.basicByIncome = kBasic2025;
    law.dependantIncomeLimit = 580'000;
    law.specificRelative = kSpecificRelative;
    law.workingStudentIncomeLimit = 850'000;
    law.partTimerLeaverPayLimit = 1'230'000;
    return law;
}

constexpr YearEndLaw period2026() {
    YearEndLaw law = statutory(2026, 2026);
    law.employment = {740'000,   741'000,           2'191'000,      kTransition2026,
                      2'200'000, kLowDeduction2026, kUpperDeduction};
    law.basicByIncome = kBasic2026;
    law.dependantIncomeLimit = 620'000;
    law.specificRelative = kSpecificRelative;
    law.workingStudentIncomeLimit = 890'000;
    law.partTimerLeaverPayLimit = 1'230'000;
    law.youngFamilyLifeInsurance = true;
    return law;
}

// 2027 and on, until a later year's law is added: as 2026, with the larger single-parent
// amount and without the young-family life insurance formula.
constexpr YearEndLaw period2027() {
    YearEndLaw law = period2026();
    law.firstYear = 2027;
    law.lastYear = INT32_MAX;
    law.amounts.singleParent = 380'000;
    law.youngFamilyLifeInsurance = false;
    return law;
}

constexpr std::array<YearEndLaw, 6> kPeriods{traditional(), period2020(2020, 2023), period2024(),
                                             period2025(),  period2026(),           period2027()};

}  // namespace

const YearEndLaw& yearEndLaw(int dataYear) {
    for (const YearEndLaw& law : kPeriods) {
        if (dataYear <= law.lastYear) return law;
    }
    assert(false && "the last period is open-ended");
    return kPeriods.back();
}

std::int32_t basicDeduction(const YearEndLaw& law, std::int64_t totalIncome) {
    const auto& own = law.basicByIncome;
    if (!own.empty() && totalIncome <= own.back().upTo) return amountFor(own, totalIncome);
    return amountFor(law.basicTaper, totalIncome);
}

std::int32_t amountFor(std::span<const AmountBand> bands, std::int64_t value) {
    for (const AmountBand& band : bands) {
        if (value <= band.upTo) return band.amount;
    }
    return 0;
}

}  // namespace keiro::withholding
