#pragma once
// Money: whole yen (`Yen`), exact decimals (`Rate`) and the named roundings that turn a
// product of the two into whole yen.  Every computed money value becomes whole yen here.
//
// A product rate × amount is formed exactly: a rate that is a decimal of at most six places
// (a tax rate such as 20.42 % = 0.2042, hours such as 10.5, days such as 1.5) times a whole
// yen amount is counted as an integer number of millionths of a yen, and the rounding is done
// on that integer, so a product such as 23,619 × 0.2042 = 4,822.9998 truncates to 4,822 and
// never to 4,823.  Premium rates are percentages of at most four places (4.925, 0.55), which
// is the same six places of the fraction.
//
// A rate is read once, where it enters the program (a table at load, a stored rate, an
// attendance figure): `Rate::fromDouble` and `Rate::fromPercent` take a double that lies
// within 1/10,000 of a millionth of such a decimal to that decimal, which absorbs the binary
// representation error of values such as 0.2042.  Only a factor that is no such decimal
// (hours typed as 1:20 are 1.3333…, a damaged stored rate) keeps its double: its product is
// the binary product taken to the nearest millionth of a yen, and rounded from there.
//
// The roundings (`Rounding`):
//  - Up (切り上げ) is the mathematical ceiling, HalfUp (四捨五入) rounds halves away from zero,
//    Down (切り捨て) truncates towards zero: the user's three settings for payment items,
//    reduction items and deduction items.
//  - Premium keeps the 50銭 rule of adding 0.49 yen before truncating after a nudge of one
//    millionth of a yen: health, care, pension and fund premiums round up from a fraction of
//    0.509999 yen (a fraction of 0.50 yen or less is dropped).
//  - EmploymentInsurance adds 0.499 yen the same way: it rounds up from 0.500999 yen.
// Premium and EmploymentInsurance act on the magnitude (a negative amount mirrors a positive
// one).
//
// `Yen` is 64 bits, so sums never wrap; the year file's 32-bit fields are filled through
// `Yen::toInt32Clamped`, at the record codec only.

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace keiro {

enum class Rounding : std::uint8_t {
    Up,                   // 切り上げ
    HalfUp,               // 四捨五入
    Down,                 // 切り捨て
    Premium,              // 50銭以下切り捨て: up from 0.509999 yen
    EmploymentInsurance,  // up from 0.500999 yen
};

class Yen {
  public:
    constexpr Yen() = default;
    constexpr explicit Yen(std::int64_t yen) : yen_(yen) {}

    constexpr std::int64_t value() const { return yen_; }
    // The amount in a 32-bit field of the year file: clamped to its range.
    constexpr std::int32_t toInt32Clamped() const {
        if (yen_ < INT32_MIN) return INT32_MIN;
        if (yen_ > INT32_MAX) return INT32_MAX;
        return static_cast<std::int32_t>(yen_);
    }

    constexpr Yen& operator+=(Yen other) {
        yen_ += other.yen_;
        return *this;
    }
    constexpr Yen& operator-=(Yen other) {
        yen_ -= other.yen_;
        return *this;
    }
    friend constexpr Yen operator+(Yen a, Yen b) { return Yen(a.yen_ + b.yen_); }
    friend constexpr Yen operator-(Yen a, Yen b) { return Yen(a.yen_ - b.yen_); }
    friend constexpr Yen operator-(Yen a) { return Yen(-a.yen_); }
    friend constexpr Yen operator*(Yen a, std::int64_t n) { return Yen(a.yen_ * n); }
    friend constexpr Yen operator*(std::int64_t n, Yen a) { return Yen(a.yen_ * n); }
    friend constexpr auto operator<=>(Yen, Yen) = default;
    friend constexpr bool operator==(Yen, Yen) = default;

    // Down to a multiple of `unit` (> 0), towards zero: 1,234,567 to 1,234,000 by 1,000.
    constexpr Yen truncatedTo(std::int64_t unit) const { return Yen(yen_ / unit * unit); }

  private:
    std::int64_t yen_ = 0;
};

// An amount held exactly in millionths of a yen: a product before its rounding.
struct MicroYen {
    static constexpr std::int64_t kPerYen = 1'000'000;
    // Products are held within this many millionths (4,000,000,000,000 yen): far beyond
    // anything a 32-bit field holds, and no sum of a few of them overflows.
    static constexpr std::int64_t kSaturated = 4'000'000'000'000'000'000;

    std::int64_t micros = 0;

    // The nearest millionth of `yen`, saturated; NaN gives 0.
    static MicroYen nearest(long double yen);

    Yen rounded(Rounding rounding) const;
};

// The product of two doubles of which one may be a decimal and the other a whole number:
// exact when one is a decimal of at most six places (within the tolerance above) and the
// other whole, else the nearest millionth of the binary product.  For amounts that are not
// yet `Yen` (a negative unit price of a reduction, a damaged record).
MicroYen productOf(double rate, double amount);
// amount × percent / 100 likewise, exact for a whole amount and a percentage of at most four
// places.
MicroYen percentOf(double amount, double percent);

// An exact decimal: a whole number of millionths of one, made once from a stored double or a
// text.  A double that is no such decimal is kept as it is (see above).
class Rate {
  public:
    static constexpr std::int64_t kUnitsPerOne = 1'000'000;

    constexpr Rate() = default;  // 0, exact

    // `millionths` / 1,000,000: Rate::units(204'200) is 20.42 %.
    static constexpr Rate units(std::int64_t millionths) {
        Rate r;
        r.units_ = millionths;
        r.value_ = static_cast<double>(millionths) / kUnitsPerOne;
        return r;
    }
    // A whole percentage: Rate::percent(45) is 0.45.
    static constexpr Rate percent(std::int64_t wholePercent) {
        return units(wholePercent * (kUnitsPerOne / 100));
    }
    // A fraction or a factor as stored: 0.2042, hours 10.5, days 1.5.
    static Rate fromDouble(double fraction);
    // A percentage as stored: 20.42 for 0.2042.
    static Rate fromPercent(double percent);
    // A decimal written out ("0.2042", "-1.5", "12"; at most six places), or a percentage
    // ("20.42", "4.9255"; at most four places); nullopt for anything else.
    static std::optional<Rate> parse(std::string_view text);
    static std::optional<Rate> parsePercent(std::string_view text);

    // Whether the rate is an exact decimal; the millionths when it is.
    bool isExact() const { return units_.has_value(); }
    std::optional<std::int64_t> millionths() const { return units_; }
    bool isZero() const { return value_ == 0; }

    // rate × amount, exact for an exact rate (saturated far beyond the int32 range).
    MicroYen times(Yen amount) const;
    // rate × amount to whole yen by the rounding named.
    Yen of(Yen amount, Rounding rounding) const { return times(amount).rounded(rounding); }

    // The sum of two rates read the same way (both fractions or both percentages), as if the
    // stored doubles had been added and read once: exact when that sum is a decimal.
    friend Rate operator+(const Rate& a, const Rate& b);

  private:
    std::optional<std::int64_t> units_ = 0;
    double value_ = 0;  // the double read (a percentage when percent_), for an inexact rate
    bool percent_ = false;
};

}  // namespace keiro
