#include "calc/social_santei.h"

#include <algorithm>

namespace keiro::calc {
namespace {

constexpr int kFullDays = 17;
constexpr int kPartTimeDays = 15;
constexpr int kShortTimeDays = 11;

// The paid months with at least `days` days; the first pay after a hire (not a full month's
// pay) only when `withPartial`.
std::array<bool, 3> monthsReaching(const SanteiInput& in, int days, bool withPartial) {
    std::array<bool, 3> use{};
    for (std::size_t i = 0; i < 3; ++i) {
        const SanteiMonth& m = in.months[i];
        use[i] = m.paid && m.days >= days && (withPartial || !m.partial);
    }
    return use;
}

bool none(const std::array<bool, 3>& use) {
    return std::none_of(use.begin(), use.end(), [](bool b) { return b; });
}

}  // namespace

DayRule dayRuleOf(const SocialInsuranceFields& social) {
    switch (social.dayRule) {
        case 2:
            return DayRule::PartTime;
        case 3:
            return DayRule::ShortTime;
        default:
            return DayRule::General;
    }
}

SanteiResult decideTeiji(const SanteiInput& in, const HealthGradeTable& table,
                         const SocialGrades& previous) {
    SanteiResult r;
    // The months that decide: those reaching the day rule, the first pay after a hire left out
    // even when it does; for a 短時間就労者 with none at 17 days, those at 15.  With none, the
    // previous standard continues.
    int threshold = in.rule == DayRule::ShortTime ? kShortTimeDays : kFullDays;
    std::array<bool, 3> use = monthsReaching(in, threshold, false);
    if (none(use) && in.rule == DayRule::PartTime) {
        threshold = kPartTimeDays;
        use = monthsReaching(in, threshold, false);
    }
    if (none(use)) {
        r.keepPrevious = true;
        r.grades = previous;
        return r;
    }
    // The total and average are those of every month reaching the rule, the first pay after a
    // hire included; the months that decide give the 修正平均額 when they differ.
    r.counted = monthsReaching(in, threshold, true);
    int months = 0;
    int fullMonths = 0;
    std::int64_t fullTotal = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!r.counted[i]) continue;
        ++months;
        r.total += in.months[i].pay;
        if (use[i]) {
            ++fullMonths;
            fullTotal += in.months[i].pay;
        }
    }
    r.average = static_cast<std::int32_t>(r.total / months);
    if (in.enteredAdjusted > 0) {
        r.adjusted = in.enteredAdjusted;
    } else if (fullMonths < months || in.backPayBeforeApril != 0) {
        const std::int64_t kept = std::max<std::int64_t>(0, fullTotal - in.backPayBeforeApril);
        r.adjusted = static_cast<std::int32_t>(kept / fullMonths);
    }
    r.remuneration = r.adjusted > 0 ? r.adjusted : r.average;
    r.grades = gradesOf(table, r.remuneration);
    return r;
}

std::int64_t backPayBefore(const SanteiMonth& m, int yearMonth) {
    if (m.backPay == 0) return 0;
    if (m.backPayFirstMonth == 0) return m.backPay;
    const auto index = [](int ym) { return ym / 100 * 12 + ym % 100 - 1; };
    const int first = index(m.backPayFirstMonth);
    const int last =
        std::max(first, index(m.backPayLastMonth == 0 ? m.backPayFirstMonth : m.backPayLastMonth));
    const int before = std::clamp(index(yearMonth) - first, 0, last - first + 1);
    return static_cast<std::int64_t>(m.backPay) * before / (last - first + 1);
}

std::string exclusionText(SanteiExclusion why) {
    switch (why) {
        case SanteiExclusion::None:
            return "";
        case SanteiExclusion::NotInsured:
            return "健康保険・厚生年金の被保険者でない";
        case SanteiExclusion::JoinedFromJune:
            return "6月1日以降の資格取得";
        case SanteiExclusion::LeftByJune:
            return "6月30日以前の退職（7月1日までの資格喪失）";
        case SanteiExclusion::RevisedJulyToSeptember:
            return "7月〜9月の随時改定（月額変更届）";
    }
    return "";
}

SanteiExclusion santeiExclusion(bool healthInsured, int insuredSince, int insuredUntil, int year,
                                int revisionFromMonth) {
    if (!healthInsured) return SanteiExclusion::NotInsured;
    if (insuredUntil != 0 && insuredUntil <= year * 10'000 + 701)
        return SanteiExclusion::LeftByJune;
    if (insuredSince >= year * 10'000 + 601) return SanteiExclusion::JoinedFromJune;
    if (revisionFromMonth >= 7 && revisionFromMonth <= 9) {
        return SanteiExclusion::RevisedJulyToSeptember;
    }
    return SanteiExclusion::None;
}

}  // namespace keiro::calc
