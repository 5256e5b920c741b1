#include "withholding/calc/insurance_deductions.h"

#include <algorithm>

#include "core/money.h"

namespace keiro::withholding {
namespace {

constexpr std::int64_t kLifeTotalCap = 120'000;
constexpr std::int64_t kEarthquakeCap = 50'000;

constexpr Rate kHalf = Rate::units(500'000);
constexpr Rate kQuarter = Rate::units(250'000);

// premium × rate, a fraction of a yen rounded up.
std::int64_t roundedUp(const Rate& rate, std::int64_t premium) {
    return rate.of(Yen(premium), Rounding::Up).value();
}

std::int64_t category(std::int64_t newPremium, std::int64_t oldPremium,
                      const PremiumFormula& newFormula) {
    const std::int64_t fromNew = premiumDeduction(newPremium, newFormula);
    const std::int64_t fromOld = premiumDeduction(oldPremium, kOldContract);
    return std::max<std::int64_t>(std::min<std::int64_t>(fromNew + fromOld, newFormula.cap),
                                  fromOld);
}

}  // namespace

std::int64_t premiumDeduction(std::int64_t premium, const PremiumFormula& formula) {
    if (premium <= 0) return 0;
    if (premium <= formula.fullUpTo) return premium;
    if (premium <= formula.halfUpTo) return roundedUp(kHalf, premium) + formula.halfAdd;
    if (premium <= formula.quarterUpTo) return roundedUp(kQuarter, premium) + formula.quarterAdd;
    return formula.cap;
}

std::int64_t lifeInsuranceDeduction(const LifePremiums& p, bool youngFamilyGeneral) {
    const PremiumFormula& general = youngFamilyGeneral ? kNewContractYoungFamily : kNewContract;
    const std::int64_t total = category(p.generalNew, p.generalOld, general) +
                               category(p.careMedical, 0, kNewContract) +
                               category(p.pensionNew, p.pensionOld, kNewContract);
    return std::min(total, kLifeTotalCap);
}

std::int64_t earthquakeInsuranceDeduction(const EarthquakePremiums& p) {
    const std::int64_t total =
        std::min<std::int64_t>(std::max<std::int64_t>(p.earthquake, 0), kEarthquakeCap) +
        premiumDeduction(p.oldLongTerm, kOldLongTerm);
    return std::min(total, kEarthquakeCap);
}

}  // namespace keiro::withholding
