#include "core/money.h"

#include <cmath>
#include <limits>

namespace keiro {
namespace {

constexpr std::int64_t kPerYen = MicroYen::kPerYen;
constexpr std::int64_t kSaturated = MicroYen::kSaturated;
// A factor scaled to whole units farther than this from a whole number is no decimal.
constexpr double kDecimalTolerance = 1e-4;
// Up to here a double resolves far finer than the tolerance; larger factors are left to the
// binary product.
constexpr double kLargestUnits = 1e11;
// Millionths of one per unit of a percentage.
constexpr double kUnitsPerPercent = Rate::kUnitsPerOne / 100.0;

// x × unitsPerOne when that is a whole number up to binary representation error: the count of
// units (millionths of a rate, ten-thousandths of a percent, yen) the decimal x stands for.
std::optional<std::int64_t> wholeUnits(double x, double unitsPerOne) {
    const double scaled = x * unitsPerOne;
    if (!(std::fabs(scaled) <= kLargestUnits)) return std::nullopt;  // also NaN and infinity
    const auto whole = static_cast<std::int64_t>(scaled + (scaled >= 0 ? 0.5 : -0.5));
    if (std::fabs(scaled - static_cast<double>(whole)) > kDecimalTolerance) return std::nullopt;
    return whole;
}

// units (millionths of a yen per yen) × count, saturated.
MicroYen exactProduct(std::int64_t units, std::int64_t count) {
    std::int64_t micros = 0;
    if (__builtin_mul_overflow(units, count, &micros) || micros > kSaturated ||
        micros < -kSaturated) {
        return MicroYen{(units < 0) != (count < 0) ? -kSaturated : kSaturated};
    }
    return MicroYen{micros};
}

// Truncation towards zero of (x + add), with add carrying x's sign.
std::int64_t truncAdding(std::int64_t m, std::int64_t add) {
    return m >= 0 ? (m + add) / kPerYen : -((-m + add) / kPerYen);
}

// A decimal written out, as a whole number of 10^-places; nullopt when it has more places or
// is no plain decimal.
std::optional<std::int64_t> parseDecimal(std::string_view text, int places) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    int decimals = -1;  // -1 before the point
    bool digits = false;
    for (const char c : text) {
        if (c == '.') {
            if (decimals >= 0) return std::nullopt;
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        if (decimals >= 0 && ++decimals > places) return std::nullopt;
        if (value > 100'000'000'000) return std::nullopt;  // far beyond any rate
        value = value * 10 + (c - '0');
        digits = true;
    }
    if (!digits) return std::nullopt;
    for (int k = decimals < 0 ? 0 : decimals; k < places; ++k) value *= 10;
    return negative ? -value : value;
}

}  // namespace

MicroYen MicroYen::nearest(long double yen) {
    const long double micros = yen * kPerYen;
    if (std::isnan(micros)) return {};
    if (micros >= static_cast<long double>(kSaturated)) return {kSaturated};
    if (micros <= -static_cast<long double>(kSaturated)) return {-kSaturated};
    return {std::llround(micros)};
}

Yen MicroYen::rounded(Rounding rounding) const {
    const std::int64_t whole = micros / kPerYen;  // towards zero
    const std::int64_t fraction = micros % kPerYen;
    switch (rounding) {
        case Rounding::Up:
            return Yen(fraction > 0 ? whole + 1 : whole);
        case Rounding::HalfUp:
            if (fraction >= kPerYen / 2) return Yen(whole + 1);
            if (fraction <= -kPerYen / 2) return Yen(whole - 1);
            return Yen(whole);
        case Rounding::Down:
            return Yen(whole);
        case Rounding::Premium:
            return Yen(truncAdding(micros, 490'000 + 1));
        case Rounding::EmploymentInsurance:
            return Yen(truncAdding(micros, 499'000 + 1));
    }
    return Yen(whole);
}

MicroYen productOf(double rate, double amount) {
    const std::optional<std::int64_t> wholeAmount = wholeUnits(amount, 1.0);
    if (wholeAmount) {
        if (const auto units = wholeUnits(rate, Rate::kUnitsPerOne)) {
            return exactProduct(*units, *wholeAmount);
        }
    }
    if (const auto wholeRate = wholeUnits(rate, 1.0)) {
        if (const auto units = wholeUnits(amount, Rate::kUnitsPerOne)) {
            return exactProduct(*units, *wholeRate);
        }
    }
    return MicroYen::nearest(static_cast<long double>(rate) * amount);
}

MicroYen percentOf(double amount, double percent) {
    const std::optional<std::int64_t> wholeAmount = wholeUnits(amount, 1.0);
    if (wholeAmount) {
        if (const auto units = wholeUnits(percent, kUnitsPerPercent)) {
            return exactProduct(*units, *wholeAmount);
        }
    }
    return MicroYen::nearest(static_cast<long double>(amount) * percent / 100);
}

Rate Rate::fromDouble(double fraction) {
    Rate r;
    r.units_ = wholeUnits(fraction, kUnitsPerOne);
    r.value_ = fraction;
    return r;
}

Rate Rate::fromPercent(double percent) {
    Rate r;
    r.units_ = wholeUnits(percent, kUnitsPerPercent);
    r.value_ = percent;
    r.percent_ = true;
    return r;
}

std::optional<Rate> Rate::parse(std::string_view text) {
    const std::optional<std::int64_t> units = parseDecimal(text, 6);
    if (!units) return std::nullopt;
    return Rate::units(*units);
}

std::optional<Rate> Rate::parsePercent(std::string_view text) {
    const std::optional<std::int64_t> units = parseDecimal(text, 4);
    if (!units) return std::nullopt;
    // Ten-thousandths of a percent are millionths of one.
    Rate r = Rate::units(*units);
    r.value_ = static_cast<double>(*units) / 10'000;
    r.percent_ = true;
    return r;
}

MicroYen Rate::times(Yen amount) const {
    const double yen = static_cast<double>(amount.value());
    if (units_ && std::fabs(yen) <= kLargestUnits) return exactProduct(*units_, amount.value());
    if (percent_) return MicroYen::nearest(static_cast<long double>(yen) * value_ / 100);
    return productOf(value_, yen);
}

Rate operator+(const Rate& a, const Rate& b) {
    if (a.percent_ == b.percent_) {
        return a.percent_ ? Rate::fromPercent(a.value_ + b.value_)
                          : Rate::fromDouble(a.value_ + b.value_);
    }
    if (a.units_ && b.units_) return Rate::units(*a.units_ + *b.units_);
    const double fractionA = a.percent_ ? a.value_ / 100 : a.value_;
    const double fractionB = b.percent_ ? b.value_ / 100 : b.value_;
    return Rate::fromDouble(fractionA + fractionB);
}

}  // namespace keiro
