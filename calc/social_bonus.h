#pragma once
// The figures of the bonus payment report (賞与支払届) for each bonus of an employee:
//  - 標準賞与額: the bonus with fractions below 1,000 yen cut off; that is what is reported;
//  - the health base: the standard bonuses of a health insurance year (April to March) are capped
//    at 5,730,000 together; the payment that crosses the cap gets the rest, later ones 0.  A
//    total already used before the first bonus in the year files can be carried in;
//  - the pension base: at most 1,500,000 a month, bonuses paid in the same month added first.

#include <cstdint>
#include <vector>

namespace keiro::calc {

struct BonusPayment {
    int date = 0;  // yyyymmdd
    std::int32_t paid = 0;
};

struct BonusFigures {
    int date = 0;
    std::int32_t paid = 0;
    std::int32_t standard = 0;         // 標準賞与額 (reported)
    std::int32_t healthBase = 0;       // after the yearly cap
    std::int64_t healthYearTotal = 0;  // the capped total of the year up to this payment
    std::int32_t pensionBase = 0;      // after the monthly cap
    int sameMonthFirstDay = 0;         // day of an earlier payment of the same month; 0 none
};

// The health insurance year of a date: April's calendar year (January to March belong to the
// year that began in April before).
int healthInsuranceYearOf(int yyyymmdd);

// The figures of one employee's bonuses, in date order (the input is sorted by date first).
// `carried` counts towards the cap of health insurance year `carriedYear` only.
std::vector<BonusFigures> bonusSeries(std::vector<BonusPayment> payments, std::int64_t carried,
                                      int carriedYear);

}  // namespace keiro::calc
