#include "withholding/calc/insurance_deductions.h"

#include <algorithm>

namespace keiro::withholding {
namespace {

constexpr std::int64_t kLifeTotalCap = 120'000;
constexpr std::int64_t kEarthquakeCap = 50'000;

std::int64_t ceilDiv(std::int64_t value, std::int64_t divisor) {
    return (value + divisor - 1) / divisor;
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
    if (premium <= formula.halfUpTo) return ceilDiv(premium, 2) + formula.halfAdd;
    if (premium <= formula.quarterUpTo) return ceilDiv(premium, 4) + formula.quarterAdd;
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
