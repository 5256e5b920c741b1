#pragma once
// Yen rounding.  Every computed money value becomes whole yen through these helpers.
//
// A product rate × amount is formed exactly: a rate that is a decimal of at most six places
// (a tax rate such as 20.42 % = 0.2042, hours such as 10.5, days such as 1.5) times a whole
// yen amount is counted as an integer number of millionths of a yen, and the rounding is done
// on that integer, so a product such as 23,619 × 0.2042 = 4,822.9998 truncates to 4,822 and
// never to 4,823.  Premium rates are percentages of at most four places (4.925, 0.55), which
// is the same six places of the fraction.  Only a factor that is no such decimal (hours typed
// as 1:20 are 1.3333…) leaves the product to binary floating point; it is then taken to the
// nearest millionth of a yen and rounded from there.
//
// The user's three settings (payment items, reduction items, deduction items): 切り上げ is the
// mathematical ceiling, 四捨五入 rounds halves away from zero, 切り捨て truncates towards zero.
// Premiums keep the 50銭 rule of adding 0.49 yen (employment insurance 0.499 yen) before
// truncating after a nudge of one millionth of a yen: health, care, pension and fund premiums
// round up from a fraction of 0.509999 yen, employment insurance from 0.500999 yen.
//
// `TruncYen` of a plain double truncates towards zero after a nudge of 0.000001 yen away from
// zero, which absorbs the binary representation error of values such as 1234.9999999.
//
// Results outside the int32 range are clamped to it; NaN gives 0.

#include <cstdint>

#include "core/settings.h"

namespace keiro::calc {

// An amount held exactly in millionths of a yen.
struct MicroYen {
    std::int64_t micros = 0;
};

// rate × amount (the rate a fraction: 0.2042 for 20.42 %).  Exact when one factor is a whole
// number and the other a decimal of at most six places; otherwise the nearest millionth.
// Saturates far beyond the int32 range; NaN gives 0.
MicroYen Product(double rate, double amount);
// amount × ratePercent / 100, exact for a percentage of at most four places.
MicroYen PercentOf(double amount, double ratePercent);

// Integer part of x + 0.000001 (x >= 0) or of x - 0.000001 (x < 0).
std::int32_t TruncYen(double x);

// Ceil = mathematical ceiling; Round = halves away from zero; anything else = towards zero.
std::int32_t RoundBySetting(RoundingMode mode, MicroYen x);
// The same for a plain double, taken to the nearest millionth of a yen first.
std::int32_t RoundBySetting(RoundingMode mode, double x);

// Social insurance premiums: a fraction of 0.51 yen or more rounds up (50銭以下切り捨て).
std::int32_t RoundInsurance(MicroYen x);
std::int32_t RoundInsurance(double x);
// Employment insurance: a fraction above 0.501 yen - 0.000001 rounds up, 0.50 rounds down.
std::int32_t RoundEmploymentInsurance(MicroYen x);
std::int32_t RoundEmploymentInsurance(double x);

// The user's three rounding settings applied to products rate × amount, formed by `Product`.
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
