#include "payroll/model/social_apply.h"

#include "payroll/model/grade_premiums.h"

namespace keiro::payroll {

std::optional<int> collectingPeriod(int premiumMonth) {
    if (premiumMonth < 1 || premiumMonth >= 12) return std::nullopt;
    return premiumMonth + 1;
}

int lastCollectingPeriod(int premiumMonth) {
    constexpr int kAugust = 8;
    constexpr int kLastSalaryPeriod = 12;
    return premiumMonth <= 6 ? *collectingPeriod(kAugust) : kLastSalaryPeriod;
}

int applyDecisions(PayrollPeriod& period, const std::vector<GradeDecision>& decisions,
                   const calc::HealthGradeTable& table) {
    int written = 0;
    for (const GradeDecision& d : decisions) {
        const EmployeeId id(d.recordId);
        const EmployeeRecord* stored = period.employee(id);
        if (stored == nullptr || !table.hasGrade(d.grade)) continue;
        EmployeeRecord e = *stored;
        setGradePremiums(e, d.grade, table, period.block().settings);
        e.social.decidedRemuneration = d.remuneration;
        e.social.adjustedAverage = d.adjustedAverage;
        e.social.revisedYearMonth = d.yearMonth;
        e.social.decisionKind = d.kind;
        period.setEmployee(id, e);
        ++written;
    }
    return written;
}

}  // namespace keiro::payroll
