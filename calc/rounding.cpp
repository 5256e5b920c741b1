#include "calc/rounding.h"

#include <cmath>
#include <limits>
#include <optional>

namespace keiro::calc {
namespace {

constexpr double kNudge = 0.000001;
constexpr std::int64_t kMicrosPerYen = 1'000'000;
constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();
// Products are held within this many millionths; beyond it no value comes back into int32.
constexpr std::int64_t kSaturated = 4'000'000'000'000'000'000;
// A factor scaled to whole units farther than this from a whole number is no decimal.
constexpr double kDecimalTolerance = 1e-4;
// Up to here a double resolves far finer than the tolerance; larger factors are left to the
// binary product.
constexpr double kLargestUnits = 1e11;

// A whole number (or anything beyond the int32 range) as int32, clamped; NaN gives 0.
std::int32_t clampToInt32(double whole) {
    if (std::isnan(whole)) return 0;
    if (whole <= kInt32Min) return std::numeric_limits<std::int32_t>::min();
    if (whole >= kInt32Max) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(whole);
}

std::int32_t clampToInt32(std::int64_t whole) {
    if (whole < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (whole > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(whole);
}

// x × unitsPerOne when that is a whole number up to binary representation error: the count of
// units (millionths of a rate, ten-thousandths of a percent, yen) the decimal x stands for.
std::optional<std::int64_t> wholeUnits(double x, double unitsPerOne) {
    const double scaled = x * unitsPerOne;
    if (!(std::fabs(scaled) <= kLargestUnits)) return std::nullopt;  // also NaN and infinity
    const auto whole = static_cast<std::int64_t>(scaled + (scaled >= 0 ? 0.5 : -0.5));
    if (std::fabs(scaled - static_cast<double>(whole)) > kDecimalTolerance) return std::nullopt;
    return whole;
}

MicroYen saturated(long double micros) {
    if (std::isnan(micros)) return {};
    if (micros >= static_cast<long double>(kSaturated)) return {kSaturated};
    if (micros <= -static_cast<long double>(kSaturated)) return {-kSaturated};
    return {std::llround(micros)};
}

// `decimal` (a whole number of units when multiplied by unitsPerOne, each unit a millionth of
// a yen per yen of `count`) times the whole number `count`, exactly; nullopt when either factor
// is not what it has to be.
std::optional<MicroYen> exactProduct(double decimal, double unitsPerOne, double count) {
    const std::optional<std::int64_t> units = wholeUnits(decimal, unitsPerOne);
    const std::optional<std::int64_t> whole = wholeUnits(count, 1.0);
    if (!units || !whole) return std::nullopt;
    std::int64_t micros = 0;
    if (__builtin_mul_overflow(*units, *whole, &micros) || micros > kSaturated ||
        micros < -kSaturated) {
        return MicroYen{(*units < 0) != (*whole < 0) ? -kSaturated : kSaturated};
    }
    return MicroYen{micros};
}

MicroYen microsOf(long double yen) {
    return saturated(yen * kMicrosPerYen);
}

// Truncation towards zero of (x + add), with add carrying x's sign.
std::int32_t truncAdding(MicroYen x, std::int64_t add) {
    const std::int64_t m = x.micros;
    return clampToInt32(m >= 0 ? (m + add) / kMicrosPerYen : -((-m + add) / kMicrosPerYen));
}

}  // namespace

MicroYen Product(double rate, double amount) {
    if (const auto exact = exactProduct(rate, kMicrosPerYen, amount)) return *exact;
    if (const auto exact = exactProduct(amount, kMicrosPerYen, rate)) return *exact;
    return microsOf(static_cast<long double>(rate) * amount);
}

MicroYen PercentOf(double amount, double ratePercent) {
    // A percentage in ten-thousandths of a percent is a rate in millionths.
    if (const auto exact = exactProduct(ratePercent, kMicrosPerYen / 100.0, amount)) return *exact;
    return microsOf(static_cast<long double>(amount) * ratePercent / 100);
}

std::int32_t TruncYen(double x) {
    return clampToInt32(std::trunc(x >= 0 ? x + kNudge : x - kNudge));
}

std::int32_t RoundBySetting(RoundingMode mode, MicroYen x) {
    const std::int64_t whole = x.micros / kMicrosPerYen;  // towards zero
    const std::int64_t fraction = x.micros % kMicrosPerYen;
    switch (mode) {
        case RoundingMode::Ceil:
            return clampToInt32(fraction > 0 ? whole + 1 : whole);
        case RoundingMode::Round:
            if (fraction >= kMicrosPerYen / 2) return clampToInt32(whole + 1);
            if (fraction <= -kMicrosPerYen / 2) return clampToInt32(whole - 1);
            return clampToInt32(whole);
        case RoundingMode::Truncate:
            break;
    }
    return clampToInt32(whole);
}

std::int32_t RoundBySetting(RoundingMode mode, double x) {
    return RoundBySetting(mode, microsOf(x));
}

std::int32_t RoundInsurance(MicroYen x) {
    return truncAdding(x, 490'000 + 1);
}

std::int32_t RoundInsurance(double x) {
    return TruncYen(x >= 0 ? x + 0.49 : x - 0.49);
}

std::int32_t RoundEmploymentInsurance(MicroYen x) {
    return truncAdding(x, 499'000 + 1);
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
