#include "core/pay_day.h"

#include <algorithm>

#include "core/entry.h"

namespace keiro {

SalaryPayDay salaryPayDay(int calendarYear, int period, const PeriodSettings& settings) {
    SalaryPayDay paid{calendarYear, period, 0};
    if (settings.payNextMonth == 1 && ++paid.month > 12) {
        paid.month = 1;
        ++paid.year;
    }
    paid.day = std::clamp(settings.payDay, 1, daysInMonth(paid.year, paid.month));
    return paid;
}

}  // namespace keiro
