#include "withholding/calc/employment_income.h"

#include <algorithm>
#include <cassert>
#include <iterator>

#include "core/money.h"

namespace keiro::withholding {
namespace {

// The lower bound of the traditional step the pay falls in.
std::int64_t traditionalStep(std::int64_t pay) {
    auto stepFrom = [pay](std::int64_t origin, std::int64_t width) {
        return pay - (pay - origin) % width;
    };
    if (pay < 1'619'000 || pay > 6'599'999) return pay;
    if (pay <= 1'619'999) return stepFrom(1'619'000, 1'000);
    if (pay <= 1'623'999) return stepFrom(1'620'000, 2'000);
    return stepFrom(1'624'000, 4'000);
}

constexpr Rate kTenth = Rate::percent(10);
constexpr Rate kHundredth = Rate::percent(1);

// tenths / 10 with a half rounded away from zero (all values here are positive).
std::int64_t roundTenths(std::int64_t tenths) {
    return kTenth.of(Yen(tenths), Rounding::HalfUp).value();
}

// amount × rate, the fraction of a yen cut off.
std::int64_t cut(const Rate& rate, std::int64_t amount) {
    return rate.of(Yen(amount), Rounding::Down).value();
}

}  // namespace

std::int64_t traditionalEmploymentIncome(std::int64_t pay, bool legacyFormat) {
    if (pay <= 650'999) return 0;
    if (pay <= 1'618'999) return pay - 650'000;
    const std::int64_t a = traditionalStep(pay);
    if (a <= 1'619'999) return roundTenths(6 * a - 24'000);
    if (a <= 1'621'999) return roundTenths(6 * a - 20'000);
    if (a <= 1'623'999) return roundTenths(6 * a - 12'000);
    if (a <= 1'627'999) return roundTenths(6 * a - 4'000);
    if (a <= 1'799'999) return roundTenths(6 * a);
    if (a <= 3'599'999) return roundTenths(7 * a - 1'800'000);
    if (a <= 6'599'999) return roundTenths(8 * a - 5'400'000);
    if (a <= 9'999'999) return cut(kTenth, 9 * a - 12'000'000);
    if (legacyFormat) {
        if (a <= 14'999'999) return cut(kHundredth, 95 * a - 170'000'000);
        return a - 2'450'000;
    }
    if (a <= 19'999'999) return a - 2'200'000;
    return 17'800'000;
}

namespace {

// Pay minus the statutory deduction of its band, fractions of a yen of the income cut off.
std::int64_t incomeByFormula(std::int64_t pay, const EmploymentTable& table) {
    for (auto bands : {table.lowDeduction, table.upperDeduction}) {
        for (const DeductionBand& band : bands) {
            if (pay <= band.upTo) return cut(Rate::percent(100 - band.percent), pay) - band.add;
        }
    }
    return pay - table.upperDeduction.back().add;
}

}  // namespace

std::int64_t statutoryEmploymentIncome(std::int64_t pay, const EmploymentTable& table) {
    constexpr std::int64_t kFormulaFrom = 6'600'000;
    constexpr std::int64_t kGrid = 4'000;
    if (pay < table.zeroBelow) return 0;
    if (pay < table.exactBelow) return pay - table.minimum;
    std::int64_t row = pay;
    if (pay < kFormulaFrom) {
        if (pay >= table.gridFrom) {
            row = Yen(pay).truncatedTo(kGrid).value();
        } else {
            const auto& starts = table.transitionRows;
            assert(!starts.empty() && starts.front() <= pay);
            row = *std::prev(std::upper_bound(starts.begin(), starts.end(), pay));
        }
    }
    return std::max<std::int64_t>(0, incomeByFormula(row, table));
}

}  // namespace keiro::withholding
