#pragma once
// Yen rounding.  Every computed money value becomes whole yen through these helpers, so that
// amounts agree with what the program has always produced, fractions of a yen included.
//
// Truncation works towards zero after a nudge of 0.000001 yen away from zero, which absorbs the
// binary representation error of values such as 1234.9999999.  Products rounded by one of the
// user's three settings are first reduced to a 32-bit float: their fraction carries only
// single-precision accuracy (about 1/128 yen at 100,000 yen, 1/16 yen at a million).
//
// Results outside the int32 range are clamped to it; NaN gives 0.

#include <cstdint>

#include "core/settings.h"

namespace keiro::calc {

// Integer part of x + 0.000001 (x >= 0) or of x - 0.000001 (x < 0).
std::int32_t TruncYen(double x);

// x reduced to a 32-bit float, then: Ceil = mathematical ceiling (no nudge); Round = halves
// away from zero (TruncYen(x ± 0.5)); anything else = TruncYen(x).
std::int32_t RoundBySetting(RoundingMode mode, double x);

// Social insurance premiums: a fraction of 0.51 yen or more rounds up (50銭以下切り捨て).
std::int32_t RoundInsurance(double x);
// Employment insurance: a fraction above 0.501 yen - 0.000001 rounds up, 0.50 rounds down.
std::int32_t RoundEmploymentInsurance(double x);

// The user's three rounding settings applied to products rate × amount.  The product is
// formed in extended precision and stored as a 32-bit float before rounding.
class YenRounding {
  public:
    YenRounding() = default;  // the defaults: payment 切り上げ, reduction and deduction 切り捨て
    explicit YenRounding(const RoundingSettings& settings) : settings_(settings) {}

    // Payment items (base pay by days or hours, overtime): HasuuSik / HasuuSikS.
    std::int32_t RoundPayItem(double rate, double amount) const;
    // 欠勤控除 and 遅刻早退控除 (negative products): HasuuGen / HasuuGenS.
    std::int32_t RoundReduction(double rate, double amount) const;
    // Every rate-based income tax: HasuuKou / HasuuKouS.
    std::int32_t RoundTax(double rate, double amount) const;

    const RoundingSettings& settings() const { return settings_; }

  private:
    RoundingSettings settings_;
};

}  // namespace keiro::calc
