#pragma once
// Yen rounding by the user's settings, over the money types of core/money.h, which state the
// policy: what is rounded, how, and why.
//
// The user's three settings (payment items, reduction items, deduction items) name a
// `Rounding` each: 切り上げ Up, 四捨五入 HalfUp, 切り捨て Down.  Premiums keep the 50銭 rule
// (Rounding::Premium) and employment insurance its own (Rounding::EmploymentInsurance).
//
// `TruncYen` of a plain double truncates towards zero after a nudge of 0.000001 yen away from
// zero, which absorbs the binary representation error of values such as 1234.9999999.
//
// The functions here return what a 32-bit field of a record holds: results outside the int32
// range are clamped to it; NaN gives 0.

#include <cstdint>

#include "core/money.h"
#include "core/settings.h"

namespace keiro::calc {

using keiro::MicroYen;

// The rounding a setting names.
Rounding roundingOf(RoundingMode mode);

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

// The user's three rounding settings applied to products rate × amount.
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

    // The same for a rate read once (a table's): rate × amount, clamped.
    std::int32_t RoundTax(const Rate& rate, Yen amount) const {
        return rate.of(amount, deduction()).toInt32Clamped();
    }

    // The roundings the settings name.
    Rounding payment() const { return roundingOf(settings_.payment); }
    Rounding reduction() const { return roundingOf(settings_.reduction); }
    Rounding deduction() const { return roundingOf(settings_.deduction); }

    const RoundingSettings& settings() const { return settings_; }

  private:
    RoundingSettings settings_;
};

}  // namespace keiro::calc
