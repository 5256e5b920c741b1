#pragma once
// 随時改定: a revision of the standard monthly amount after a change of fixed pay.
// Three conditions, all of them:
//  1. the fixed pay (the items flagged 固定的) changed; the change is dated to the month the
//     changed pay was first paid;
//  2. that month and the two after it were each paid with 17 支払基礎日数 or more (11 for a
//     短時間労働者; there is no 15-day step here);
//  3. the average of the three months' whole pay (variable items too, 1 yen cut off, back-pay for
//     months before the change taken out) lies two grades or more from the current grade, in the
//     direction of the change.  At the ends of each scale one real grade is enough: the test is
//     made on the edge grades of social_grades.h, compared between the new average and the
//     remuneration the current grade was decided on.
// Health and pension are tested separately.  The revision applies from the premium of the fourth
// month, counting the month of the change as the first.

#include <array>
#include <cstdint>

#include "calc/social_santei.h"

namespace keiro::calc {

struct RevisionInput {
    DayRule rule = DayRule::General;
    int direction = 0;                  // sign of the change of fixed pay: +1 raise, -1 cut, 0 none
    std::array<SanteiMonth, 3> months;  // the month of the change and the two after it
    std::int32_t backPayBefore = 0;     // back-pay in them for months before the change
    std::int32_t currentRemuneration = 0;  // what the current grade was decided on
    std::int32_t enteredAdjusted = 0;      // 修正平均額 entered by the clerk; 0 none
};

struct RevisionResult {
    bool daysMet = false;
    std::int32_t average = 0;
    // The average less the back-pay, or the 修正平均額 the clerk entered.
    std::int32_t remuneration = 0;
    bool health = false;   // health is revised, to grades.health
    bool pension = false;  // pension is revised, to grades.pension
    SocialGrades grades;   // the grades of the new remuneration
    bool any() const { return health || pension; }
};

RevisionResult checkRevision(const RevisionInput& input, const HealthGradeTable& table);

// The premium month a revision applies from: the fourth month counting the month of the change
// (yyyymm in and out).
int revisionAppliesFrom(int changeYearMonth);

}  // namespace keiro::calc
