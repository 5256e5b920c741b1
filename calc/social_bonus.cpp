#include "calc/social_bonus.h"

#include <algorithm>

#include "calc/premiums.h"

namespace keiro::calc {

int healthInsuranceYearOf(int yyyymmdd) {
    const int year = yyyymmdd / 10'000;
    const int month = yyyymmdd / 100 % 100;
    return month >= 4 ? year : year - 1;
}

std::vector<BonusFigures> bonusSeries(std::vector<BonusPayment> payments, std::int64_t carried,
                                      int carriedYear) {
    std::stable_sort(payments.begin(), payments.end(),
                     [](const BonusPayment& a, const BonusPayment& b) { return a.date < b.date; });
    std::vector<BonusFigures> out;
    int year = 0;
    std::int64_t yearTotal = 0;
    int month = 0;
    std::int64_t monthPension = 0;
    int monthFirstDay = 0;
    for (const BonusPayment& p : payments) {
        BonusFigures f;
        f.date = p.date;
        f.paid = p.paid;
        f.standard = StandardBonus(std::max(0, p.paid));
        const int y = healthInsuranceYearOf(p.date);
        if (y != year) {
            year = y;
            yearTotal =
                y == carriedYear ? std::clamp<std::int64_t>(carried, 0, kHealthBonusYearCap) : 0;
        }
        f.healthBase = static_cast<std::int32_t>(
            std::min<std::int64_t>(f.standard, kHealthBonusYearCap - yearTotal));
        yearTotal += f.healthBase;
        f.healthYearTotal = yearTotal;

        if (p.date / 100 != month) {
            month = p.date / 100;
            monthPension = 0;
            monthFirstDay = p.date % 100;
        } else {
            f.sameMonthFirstDay = monthFirstDay;
        }
        f.pensionBase = static_cast<std::int32_t>(
            std::min<std::int64_t>(f.standard, kPensionBonusCap - monthPension));
        monthPension += f.pensionBase;
        out.push_back(f);
    }
    return out;
}

}  // namespace keiro::calc
