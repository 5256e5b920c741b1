#include "calc/rounding.h"

#include <cmath>
#include <limits>

namespace keiro::calc {
namespace {

constexpr double kNudge = 0.000001;

std::int32_t clampToInt32(double whole) {
    if (std::isnan(whole)) return 0;
    if (whole <= std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (whole >= std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(whole);
}

}  // namespace

Rounding roundingOf(RoundingMode mode) {
    switch (mode) {
        case RoundingMode::Ceil:
            return Rounding::Up;
        case RoundingMode::Round:
            return Rounding::HalfUp;
        case RoundingMode::Truncate:
            break;
    }
    return Rounding::Down;
}

MicroYen Product(double rate, double amount) {
    return productOf(rate, amount);
}

MicroYen PercentOf(double amount, double ratePercent) {
    return percentOf(amount, ratePercent);
}

std::int32_t TruncYen(double x) {
    return clampToInt32(std::trunc(x >= 0 ? x + kNudge : x - kNudge));
}

std::int32_t RoundBySetting(RoundingMode mode, MicroYen x) {
    return x.rounded(roundingOf(mode)).toInt32Clamped();
}

std::int32_t RoundBySetting(RoundingMode mode, double x) {
    return RoundBySetting(mode, MicroYen::nearest(x));
}

std::int32_t RoundInsurance(MicroYen x) {
    return x.rounded(Rounding::Premium).toInt32Clamped();
}

std::int32_t RoundInsurance(double x) {
    return TruncYen(x >= 0 ? x + 0.49 : x - 0.49);
}

std::int32_t RoundEmploymentInsurance(MicroYen x) {
    return x.rounded(Rounding::EmploymentInsurance).toInt32Clamped();
}

std::int32_t RoundEmploymentInsurance(double x) {
    return TruncYen(x >= 0 ? x + 0.499 : x - 0.499);
}

std::int32_t YenRounding::RoundPayItem(double rate, double amount) const {
    return RoundBySetting(settings_.payment, Product(rate, amount));
}

std::int32_t YenRounding::RoundReduction(double rate, double amount) const {
    return RoundBySetting(settings_.reduction, Product(rate, amount));
}

std::int32_t YenRounding::RoundTax(double rate, double amount) const {
    return RoundBySetting(settings_.deduction, Product(rate, amount));
}

}  // namespace keiro::calc
