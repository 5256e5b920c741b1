#pragma once
// What a period's rates should be by the published figures of its months, and how the
// program offers them: the defaults the settings dialog puts into empty boxes, the health rates
// it compares an entered rate with, and the question asked when a new period still holds the
// rates of an earlier fiscal year.
//
// The question leaves a rate alone that the figures cannot speak for: a health rate that is no
// prefecture's rate of the fiscal year before (a 健康保険組合's own rate), or a 介護 rate that
// was never the national one (likewise).  A levy the period's month does not carry yet is not
// offered.

#include <optional>
#include <string>
#include <vector>

#include "calc/premium_rates.h"
#include "core/records.h"

namespace keiro::calc {

// The employee's shares in percent a period's figures give, for the settings dialog.  Without
// figures (no rate file) the dialog's long-standing defaults stand.
struct RatesOfPeriod {
    double generalEmployment = 0.3;  // 雇用保険, 一般の事業
    double otherEmployment = 0.4;    // 雇用保険, the other kinds
    double nursing = 0.865;
    double pension = 9.15;
    double support = 0;  // 0: the period's premium month carries no levy
    // The 協会けんぽ shares of every prefecture in force, and the fiscal year they belong to
    // (0 when none is known).
    std::vector<double> healthShares;
    std::vector<std::string> healthPrefectures;  // the name of each share's prefecture
    int healthFiscalYear = 0;
    std::string healthFiscalYearText;  // "令和8年度"
};

RatesOfPeriod ratesOfPeriod(const PremiumRateHistory& history, const PeriodRateMonths& months,
                            int employmentBusiness);

// One rate the question offers to change.
struct RateChange {
    RateKind kind = RateKind::Health;
    double from = 0;  // percent, the employee's share
    double to = 0;
};

struct RateUpdate {
    std::string fiscalYearText;  // of the newest rate offered: "令和8年度"
    std::vector<RateChange> changes;
};

// The rates of `settings` that differ from the figures of the period's months; nothing when
// none does.  `employmentBusiness` as employmentBusinessOf takes it.
std::optional<RateUpdate> proposeRateUpdate(const PeriodSettings& settings,
                                            const PremiumRateHistory& history,
                                            const PeriodRateMonths& months, int employmentBusiness);

// "令和8年度の料率に更新しますか" with one line per change: "健康保険  4.955% → 4.925%".
std::string rateUpdateQuestion(const RateUpdate& update);

// Sets the offered rates.  Whether a premium kept in the employee master depends on any of
// them (all but 雇用保険, which is computed from each month's pay).
bool applyRateUpdate(PeriodSettings& settings, const RateUpdate& update);

}  // namespace keiro::calc
