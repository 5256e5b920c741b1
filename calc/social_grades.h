#pragma once
// Standard monthly amounts decided from a 報酬月額 (the monthly remuneration) for the yearly
// social-insurance tasks.  Health and pension are decided on the same remuneration but each on
// its own scale: the pension grades are the health grades clamped to the pension range, and
// numbered from 1 at the bottom of that range.

#include <cstdint>

#include "calc/premium_tables.h"

namespace keiro::calc {

struct SocialGrades {
    int health = 0;   // health grade 1..50
    int pension = 0;  // pension grade 1..32 (1..33 once the range grows)
    std::int32_t healthStandard = 0;
    std::int32_t pensionStandard = 0;
    bool operator==(const SocialGrades&) const = default;
};

// The grades a remuneration falls in.
SocialGrades gradesOf(const HealthGradeTable& table, std::int32_t remuneration);
// The pension grade number of health grade g (clamped to the pension range).
int pensionNumberOf(const HealthGradeTable& table, int healthGrade);
// The health grade whose standard a pension grade number uses.
int healthGradeOfPension(const HealthGradeTable& table, int pensionNumber);

// The grades of the edge test of a revision: beyond each end of a scale lies one virtual grade,
// reached by a remuneration under (or from) the edge amount, so that a single real grade step at
// the ends of the table counts as two.  Health: under 53,000 is grade 0, from 1,415,000 grade 51
// (one band beyond each end, the table unchanged since 2016).  Pension: under the bottom of the
// first pension band's health grade (83,000) is grade 0, from the top of the last pension band
// (665,000; it moves up with the range) the grade above the last.
inline constexpr std::int32_t kHealthBottomEdge = 53'000;
inline constexpr std::int32_t kHealthTopEdge = 1'415'000;
int healthEdgeGrade(const HealthGradeTable& table, std::int32_t remuneration);
int pensionEdgeGrade(const HealthGradeTable& table, std::int32_t remuneration);

}  // namespace keiro::calc
