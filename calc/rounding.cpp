#include "calc/rounding.h"

#include <cmath>
#include <limits>

namespace keiro::calc {
namespace {

constexpr double kNudge = 0.000001;
constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();
// Beyond this no value can come back into the int32 range, and the float reduction of larger
// values could leave the float range.
constexpr long double kReducible = 1e15L;

// A whole number (or anything beyond the int32 range) as int32, clamped; NaN gives 0.
std::int32_t clampToInt32(double whole) {
    if (std::isnan(whole)) return 0;
    if (whole <= kInt32Min) return std::numeric_limits<std::int32_t>::min();
    if (whole >= kInt32Max) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(whole);
}

// The 32-bit float the value is reduced to before rounding by setting.
float reduceToFloat(long double x) {
    if (std::isnan(x)) return 0.0f;
    if (x > kReducible) x = kReducible;
    if (x < -kReducible) x = -kReducible;
    return static_cast<float>(x);
}

std::int32_t roundReduced(RoundingMode mode, float reduced) {
    const double x = reduced;
    switch (mode) {
        case RoundingMode::Ceil:
            return clampToInt32(std::ceil(x));
        case RoundingMode::Round:
            return x >= 0 ? TruncYen(x + 0.5) : TruncYen(x - 0.5);
        case RoundingMode::Truncate:
            break;
    }
    return TruncYen(x);
}

std::int32_t roundProduct(RoundingMode mode, double rate, double amount) {
    const long double product = static_cast<long double>(rate) * amount;
    return roundReduced(mode, reduceToFloat(product));
}

}  // namespace

std::int32_t TruncYen(double x) {
    return clampToInt32(std::trunc(x >= 0 ? x + kNudge : x - kNudge));
}

std::int32_t RoundBySetting(RoundingMode mode, double x) {
    return roundReduced(mode, reduceToFloat(x));
}

std::int32_t RoundInsurance(double x) {
    return TruncYen(x >= 0 ? x + 0.49 : x - 0.49);
}

std::int32_t RoundEmploymentInsurance(double x) {
    return TruncYen(x >= 0 ? x + 0.499 : x - 0.499);
}

std::int32_t YenRounding::RoundPayItem(double rate, double amount) const {
    return roundProduct(settings_.payment, rate, amount);
}

std::int32_t YenRounding::RoundReduction(double rate, double amount) const {
    return roundProduct(settings_.reduction, rate, amount);
}

std::int32_t YenRounding::RoundTax(double rate, double amount) const {
    return roundProduct(settings_.deduction, rate, amount);
}

}  // namespace keiro::calc
