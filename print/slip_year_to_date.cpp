#include "print/slip_year_to_date.h"

namespace keiro::print {
namespace {

void add(YearToDate& sums, const PaymentRecord& payment, const DeductionRecord& deduction) {
    sums.taxablePay += payment.taxablePayTotal;
    sums.socialInsurance += deduction.socialInsTotal;
    sums.incomeTax += deduction.incomeTax;
}

struct BonusDay {
    int month = 0;
    int day = 0;
};

BonusDay bonusDay(const YearFileHeader& header, int period) {
    const int index = period - kFirstBonusPeriod;
    return {header.bonusPayMonth[index], header.bonusPayDay[index]};
}

}  // namespace

std::vector<int> yearToDatePeriods(int period, const YearFileHeader& header, int salaryPayDay,
                                   int slipPayDay) {
    std::vector<int> periods;
    if (!isBonusPeriod(period)) {
        for (int month = 1; month < period; ++month) periods.push_back(month);
        for (int bonus = kFirstBonusPeriod; bonus <= kPeriodCount; ++bonus) {
            const BonusDay paid = bonusDay(header, bonus);
            if (paid.month < 1) continue;
            if (paid.month < period || (paid.month == period && slipPayDay >= paid.day)) {
                periods.push_back(bonus);
            }
        }
        return periods;
    }
    const BonusDay own = bonusDay(header, period);
    for (int month = 1; month <= own.month && month <= 12; ++month) {
        if (month == own.month && own.day < salaryPayDay) continue;
        periods.push_back(month);
    }
    for (int bonus = kFirstBonusPeriod; bonus <= kPeriodCount; ++bonus) {
        if (bonus == period) continue;
        const BonusDay paid = bonusDay(header, bonus);
        if (paid.month < 1) continue;
        if (paid.month < own.month || (paid.month == own.month && paid.day < own.day)) {
            periods.push_back(bonus);
        }
    }
    return periods;
}

YearToDate sumYearToDate(const YearView& file, const std::vector<int>& periods,
                         const PeriodBlock& current, int slot) {
    YearToDate sums;
    const std::string_view id = current.employee(slot).recordId.bytes();
    if (!id.empty()) {
        for (int period : periods) {
            const PeriodBlock& block = file.block(period);
            for (int s = 0; s < kMaxEmployees; ++s) {
                if (block.employees[s].recordId.bytes() != id) continue;
                add(sums, block.payments[s], block.deductions[s]);
            }
        }
    }
    add(sums, current.payments[slot - 1], current.deductions[slot - 1]);
    return sums;
}

}  // namespace keiro::print
