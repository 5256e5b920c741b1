#include "calc/social_grades.h"

#include <algorithm>

namespace keiro::calc {

int pensionNumberOf(const HealthGradeTable& table, int healthGrade) {
    return table.pensionGrade(healthGrade) - table.pensionMinGrade() + 1;
}

int healthGradeOfPension(const HealthGradeTable& table, int pensionNumber) {
    return table.pensionGrade(pensionNumber + table.pensionMinGrade() - 1);
}

SocialGrades gradesOf(const HealthGradeTable& table, std::int32_t remuneration) {
    SocialGrades g;
    g.health = table.gradeOf(remuneration);
    g.pension = pensionNumberOf(table, g.health);
    g.healthStandard = table.standard(g.health);
    g.pensionStandard = table.standard(table.pensionGrade(g.health));
    return g;
}

int healthEdgeGrade(const HealthGradeTable& table, std::int32_t remuneration) {
    if (remuneration < kHealthBottomEdge) return 0;
    if (remuneration >= kHealthTopEdge) return table.gradeCount() + 1;
    return table.gradeOf(remuneration);
}

int pensionEdgeGrade(const HealthGradeTable& table, std::int32_t remuneration) {
    const int top = pensionNumberOf(table, table.pensionMaxGrade());
    if (remuneration < table.lower(table.pensionMinGrade())) return 0;
    if (remuneration >= table.upper(table.pensionMaxGrade())) return top + 1;
    return pensionNumberOf(table, table.gradeOf(remuneration));
}

}  // namespace keiro::calc
