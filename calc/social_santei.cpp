#include "calc/social_santei.h"

#include <algorithm>

namespace keiro::calc {
namespace {

constexpr int kFullDays = 17;
constexpr int kPartTimeDays = 15;
constexpr int kShortTimeDays = 11;

std::array<bool, 3> monthsReaching(const SanteiInput& in, int days) {
    std::array<bool, 3> use{};
    for (std::size_t i = 0; i < 3; ++i) use[i] = in.months[i].paid && in.months[i].days >= days;
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
    r.counted = monthsReaching(in, in.rule == DayRule::ShortTime ? kShortTimeDays : kFullDays);
    if (none(r.counted) && in.rule == DayRule::PartTime)
        r.counted = monthsReaching(in, kPartTimeDays);

    int months = 0;
    int fullMonths = 0;
    std::int64_t fullTotal = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!r.counted[i]) continue;
        ++months;
        r.total += in.months[i].pay;
        if (!in.months[i].partial) {
            ++fullMonths;
            fullTotal += in.months[i].pay;
        }
    }
    if (months == 0) {
        r.keepPrevious = true;
        r.grades = previous;
        return r;
    }
    r.average = static_cast<std::int32_t>(r.total / months);
    if (in.enteredAdjusted > 0) {
        r.adjusted = in.enteredAdjusted;
    } else if ((fullMonths < months || in.backPayBeforeApril != 0) && fullMonths > 0) {
        const std::int64_t kept = std::max<std::int64_t>(0, fullTotal - in.backPayBeforeApril);
        r.adjusted = static_cast<std::int32_t>(kept / fullMonths);
    }
    r.remuneration = r.adjusted > 0 ? r.adjusted : r.average;
    r.grades = gradesOf(table, r.remuneration);
    return r;
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
