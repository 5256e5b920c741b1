#include "calc/social_revision.h"

#include <algorithm>

namespace keiro::calc {
namespace {

bool revised(int currentGrade, int newGrade, int direction) {
    const int step = newGrade - currentGrade;
    if (step >= 2) return direction > 0;
    if (step <= -2) return direction < 0;
    return false;
}

}  // namespace

RevisionResult checkRevision(const RevisionInput& in, const HealthGradeTable& table) {
    RevisionResult r;
    const int days = in.rule == DayRule::ShortTime ? 11 : 17;
    r.daysMet = std::all_of(in.months.begin(), in.months.end(),
                            [&](const SanteiMonth& m) { return m.paid && m.days >= days; });
    if (!r.daysMet || in.direction == 0) return r;

    std::int64_t total = 0;
    for (const SanteiMonth& m : in.months) total += m.pay;
    r.average = static_cast<std::int32_t>(total / 3);
    r.remuneration =
        in.enteredAdjusted > 0
            ? in.enteredAdjusted
            : static_cast<std::int32_t>(std::max<std::int64_t>(0, total - in.backPayBefore) / 3);
    r.grades = gradesOf(table, r.remuneration);
    r.health = revised(healthEdgeGrade(table, in.currentRemuneration),
                       healthEdgeGrade(table, r.remuneration), in.direction);
    r.pension = revised(pensionEdgeGrade(table, in.currentRemuneration),
                        pensionEdgeGrade(table, r.remuneration), in.direction);
    return r;
}

int revisionAppliesFrom(int changeYearMonth) {
    int year = changeYearMonth / 100;
    int month = changeYearMonth % 100 + 3;
    if (month > 12) {
        month -= 12;
        ++year;
    }
    return year * 100 + month;
}

}  // namespace keiro::calc
