#include "calc/unit_prices.h"

#include <cmath>

namespace keiro::calc {
namespace {

// numerator ÷ denominator (both positive) rounded by `mode`, in whole yen.
int roundedRatio(std::int64_t numerator, std::int64_t denominator, RoundingMode mode) {
    std::int64_t q = numerator / denominator;
    const std::int64_t r = numerator % denominator;
    if (mode == RoundingMode::Ceil && r != 0) ++q;
    if (mode == RoundingMode::Round && 2 * r >= denominator) ++q;
    return static_cast<int>(q);
}

}  // namespace

int minutesOfHours(double hours) {
    return std::isfinite(hours) && hours > 0 && hours < 1000
               ? static_cast<int>(std::lround(hours * 60))
               : 0;
}

UnitPriceBasis unitPriceBasisOf(const EmployeeRecord& e) {
    UnitPriceBasis basis;
    basis.payForm = e.payForm >= 1 && e.payForm <= 3 ? e.payForm : 1;
    basis.wage = e.basePay;
    if (basis.payForm == 1) {
        basis.wage += std::int64_t{e.positionAllowance} + e.fixedAllowance1 + e.fixedAllowance2 +
                      e.fixedAllowance3;
    }
    return basis;
}

std::optional<UnitPrices> suggestUnitPrices(const UnitPriceBasis& basis,
                                            const RoundingSettings& rounding) {
    // The hourly wage as wage × 60 ÷ minutes.
    std::int64_t minutes = 60;
    if (basis.payForm == 1) minutes = basis.minutesPerMonth;
    if (basis.payForm == 2) minutes = basis.minutesPerDay;
    if (basis.wage <= 0 || minutes <= 0) return std::nullopt;
    const auto perHour = [&](int percent, RoundingMode mode) {
        return roundedRatio(basis.wage * 60 * percent, minutes * 100, mode);
    };
    UnitPrices prices;
    prices.overtime = perHour(kOvertimePercent, rounding.payment);
    prices.lateNight = perHour(kLateNightOvertimePercent, rounding.payment);
    prices.holidayOvertime = perHour(kHolidayPercent, rounding.payment);
    prices.holidayLateNight = perHour(kHolidayLateNightPercent, rounding.payment);
    if (basis.payForm == 1) {
        prices.latePerHour = perHour(100, rounding.reduction);
        if (basis.daysPerMonth > 0)
            prices.absencePerDay = roundedRatio(basis.wage, basis.daysPerMonth, rounding.reduction);
    }
    return prices;
}

}  // namespace keiro::calc
