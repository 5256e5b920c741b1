#include "withholding/model/declaration_limits.h"

#include <algorithm>

#include "core/entry.h"

namespace keiro::withholding {
namespace {

constexpr int kNewLifeSystemFrom = 2012;
constexpr int kEarthquakeDeductionFrom = 2007;

std::string yen(std::int64_t value) {
    return formatAmount(0, static_cast<long long>(value)) + "円";
}

LimitedAmount heldAtMaximum(std::int64_t typed, std::int64_t maximum, const char* caption) {
    if (typed <= maximum) return limitPremium(typed, caption);
    return {maximum, true,
            std::string(caption) + "の上限は" + yen(maximum) + "です。" + yen(maximum) +
                "にしました。"};
}

}  // namespace

std::int64_t lifeInsuranceDeductionLimit(int dataYear) {
    return dataYear >= kNewLifeSystemFrom ? 120'000 : 100'000;
}

std::int64_t earthquakeDeductionLimit(int dataYear) {
    return dataYear >= kEarthquakeDeductionFrom ? 50'000 : 0;
}

LimitedAmount limitLifeInsuranceDeduction(std::int64_t typed, int dataYear) {
    return heldAtMaximum(typed, lifeInsuranceDeductionLimit(dataYear), "生命保険料の控除額");
}

LimitedAmount limitEarthquakeDeduction(std::int64_t typed, int dataYear) {
    const std::int64_t maximum = earthquakeDeductionLimit(dataYear);
    if (maximum == 0) return limitPremium(typed, "地震保険料の控除額");
    return heldAtMaximum(typed, maximum, "地震保険料の控除額");
}

LimitedAmount limitPremium(std::int64_t typed, const std::string& caption) {
    if (typed >= 0) return {typed, false, {}};
    return {0, true, caption + "に負の金額は入力できません。0円にしました。"};
}

LimitedAmount limitIncomeEstimate(std::int64_t typed, std::int64_t employmentIncome) {
    const std::int64_t minimum = std::max<std::int64_t>(0, employmentIncome);
    if (typed >= minimum) return {typed, false, {}};
    return {minimum, true,
            "合計所得金額の見積額は給与所得の金額" + yen(minimum) + "を含みます。" + yen(minimum) +
                "以上を入力してください。"};
}

}  // namespace keiro::withholding
