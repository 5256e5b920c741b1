#include "calc/rate_update.h"

#include <algorithm>
#include <cstdio>

#include "calc/premiums.h"

namespace keiro::calc {
namespace {

std::string_view labelOf(RateKind kind) {
    switch (kind) {
        case RateKind::Health:
            return "健康保険";
        case RateKind::Nursing:
            return "介護保険";
        case RateKind::Support:
            return "子ども・子育て支援金";
        case RateKind::Pension:
            return "厚生年金";
        case RateKind::Employment:
            return "雇用保険";
    }
    return {};
}

double& fieldOf(PeriodSettings& settings, RateKind kind) {
    switch (kind) {
        case RateKind::Health:
            return settings.healthInsRate;
        case RateKind::Nursing:
            return settings.nursingInsRate;
        case RateKind::Support:
            return settings.supportRate;
        case RateKind::Pension:
            return settings.pensionRate;
        case RateKind::Employment:
            break;
    }
    return settings.employmentInsRate;
}

// The prefecture rate that follows `current` when `current` is a prefecture's rate of the fiscal
// year before; nothing when it is no prefecture's, or when prefectures sharing it moved to
// different rates.  A rate that is also one of the year in force (東京 令和7年度 9.91 % is 奈良
// 令和8年度) counts as last year's only in the first premium month of the new rates, when the
// period before still held last year's.
std::optional<PremiumRate> nextHealthRate(const PremiumRateHistory& history, MilliPercent current,
                                          RateMonth month) {
    const std::vector<PremiumRate> now = history.healthRatesAt(month);
    const auto isCurrent = [&](const PremiumRate& r) { return r.employee == current; };
    const bool firstMonth =
        std::any_of(now.begin(), now.end(), [&](const PremiumRate& r) { return r.from == month; });
    if (!firstMonth && std::any_of(now.begin(), now.end(), isCurrent)) return std::nullopt;
    std::optional<PremiumRate> next;
    for (const PremiumRate& old : history.healthRatesBefore(month)) {
        if (old.employee != current) continue;
        const auto same = std::find_if(now.begin(), now.end(),
                                       [&](const PremiumRate& r) { return r.key == old.key; });
        if (same == now.end()) continue;
        if (next && next->employee != same->employee) return std::nullopt;
        next = *same;
    }
    return next;
}

// A 介護 rate the figures may replace: none set yet, or a national rate of an earlier year.
bool isNationalNursingRate(const PremiumRateHistory& history, MilliPercent current,
                           RateMonth month) {
    const std::vector<PremiumRate> earlier = history.earlierRates(RateKind::Nursing, {}, month);
    return current == 0 || std::any_of(earlier.begin(), earlier.end(),
                                       [&](const PremiumRate& r) { return r.employee == current; });
}

}  // namespace

RatesOfPeriod ratesOfPeriod(const PremiumRateHistory& history, const PeriodRateMonths& months,
                            int employmentBusiness) {
    RatesOfPeriod rates;
    if (history.empty()) {
        rates.support =
            SupportLevyDue(months.premium.year, months.premium.month) ? kDefaultSupportRate : 0;
        return rates;
    }
    const auto set = [&](double& field, RateKind kind, std::string_view key, RateMonth month) {
        if (const auto rate = history.inForce(kind, key, month)) field = percentOf(rate->employee);
    };
    set(rates.generalEmployment, RateKind::Employment, kGeneralBusiness, months.employment);
    set(rates.otherEmployment, RateKind::Employment,
        employmentBusinessOf(false, employmentBusiness), months.employment);
    set(rates.nursing, RateKind::Nursing, {}, months.premium);
    set(rates.pension, RateKind::Pension, {}, months.premium);
    set(rates.support, RateKind::Support, {}, months.premium);
    for (const PremiumRate& r : history.healthRatesAt(months.premium)) {
        rates.healthShares.push_back(percentOf(r.employee));
        rates.healthPrefectures.push_back(r.name);
        rates.healthFiscalYear = r.fiscalYear;
        rates.healthFiscalYearText = fiscalYearText(r);
    }
    return rates;
}

std::optional<RateUpdate> proposeRateUpdate(const PeriodSettings& settings,
                                            const PremiumRateHistory& history,
                                            const PeriodRateMonths& months,
                                            int employmentBusiness) {
    RateUpdate update;
    int newestYear = 0;
    const auto offer = [&](RateKind kind, double current, const std::optional<PremiumRate>& rate) {
        if (!rate || milliPercentOf(current) == rate->employee) return;
        update.changes.push_back({kind, current, percentOf(rate->employee)});
        if (rate->fiscalYear > newestYear) {
            newestYear = rate->fiscalYear;
            update.fiscalYearText = fiscalYearText(*rate);
        }
    };
    const RateMonth premium = months.premium;
    offer(RateKind::Health, settings.healthInsRate,
          nextHealthRate(history, milliPercentOf(settings.healthInsRate), premium));
    if (isNationalNursingRate(history, milliPercentOf(settings.nursingInsRate), premium)) {
        offer(RateKind::Nursing, settings.nursingInsRate,
              history.inForce(RateKind::Nursing, {}, premium));
    }
    offer(RateKind::Support, settings.supportRate, history.inForce(RateKind::Support, {}, premium));
    offer(RateKind::Pension, settings.pensionRate, history.inForce(RateKind::Pension, {}, premium));
    const std::string_view business =
        employmentBusinessOf(settings.generalBusiness == 1, employmentBusiness);
    offer(RateKind::Employment, settings.employmentInsRate,
          history.inForce(RateKind::Employment, business, months.employment));
    if (update.changes.empty()) return std::nullopt;
    return update;
}

std::string rateUpdateQuestion(const RateUpdate& update) {
    std::string text = update.fiscalYearText + "の料率に更新しますか\n";
    for (const RateChange& change : update.changes) {
        char line[128];
        std::snprintf(line, sizeof line, "\n%s　%.3f%% → %.3f%%",
                      std::string(labelOf(change.kind)).c_str(), change.from, change.to);
        text += line;
    }
    return text;
}

bool applyRateUpdate(PeriodSettings& settings, const RateUpdate& update) {
    bool premiumsChange = false;
    for (const RateChange& change : update.changes) {
        fieldOf(settings, change.kind) = change.to;
        premiumsChange = premiumsChange || change.kind != RateKind::Employment;
    }
    return premiumsChange;
}

}  // namespace keiro::calc
