#pragma once
// Life and earthquake insurance deductions from the premiums paid in the year.  Each formula
// takes the premium in full up to a first bound, then half plus an amount, then a quarter plus
// an amount, and a fixed cap above; fractions of a yen are rounded up.

#include <cstdint>

namespace keiro::withholding {

struct PremiumFormula {
    std::int64_t fullUpTo;
    std::int64_t halfUpTo;
    std::int64_t quarterUpTo;
    std::int32_t halfAdd;
    std::int32_t quarterAdd;
    std::int32_t cap;
};

// Contracts from 2012 (一般, 介護医療, 個人年金).
inline constexpr PremiumFormula kNewContract{20'000, 40'000, 80'000, 10'000, 20'000, 40'000};
// New 一般 contracts of an employee with a dependant under 23, in the years that allow it.
inline constexpr PremiumFormula kNewContractYoungFamily{30'000, 60'000, 120'000,
                                                        15'000, 30'000, 60'000};
// Contracts up to 2011 (一般, 個人年金).
inline constexpr PremiumFormula kOldContract{25'000, 50'000, 100'000, 12'500, 25'000, 50'000};
// Old long-term casualty premiums (旧長期損害保険料).
inline constexpr PremiumFormula kOldLongTerm{10'000, 20'000, 20'000, 5'000, 0, 15'000};

std::int64_t premiumDeduction(std::int64_t premium, const PremiumFormula& formula);

struct LifePremiums {
    std::int64_t generalNew = 0;
    std::int64_t generalOld = 0;
    std::int64_t careMedical = 0;
    std::int64_t pensionNew = 0;
    std::int64_t pensionOld = 0;
};

struct EarthquakePremiums {
    std::int64_t earthquake = 0;
    std::int64_t oldLongTerm = 0;
};

// The three categories, each with new and old contracts counted together up to the new cap
// (never below the old contracts alone), together at most 120,000.
std::int64_t lifeInsuranceDeduction(const LifePremiums& premiums, bool youngFamilyGeneral);

// Earthquake premiums up to 50,000 plus the old long-term premiums, together at most 50,000.
std::int64_t earthquakeInsuranceDeduction(const EarthquakePremiums& premiums);

}  // namespace keiro::withholding
