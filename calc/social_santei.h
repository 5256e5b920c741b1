#pragma once
// 定時決定: the standard monthly amounts decided each July from the pay paid in April, May and
// June, applying from the September premium (first deducted from October's pay) to the next
// August premium.
//
// Which months count depends on the employee's day rule and each month's 支払基礎日数:
//  - 一般: months of 17 days or more;
//  - 短時間就労者 (part-time, normally insured): months of 17 days or more; when there is none,
//    months of 15 days or more; when there is none either, nothing is averaged;
//  - 短時間労働者 (insured only because the office is a 特定適用事業所): months of 11 days or more.
// With no month counted the previous standard amount continues (nothing is averaged).
// The average is the total of the months counted ÷ their number, fractions of a yen cut off.
// A 修正平均額 replaces it for the grade: the average without a first month that was not a full
// month's pay (a hire during its pay period), with back-pay for months before April taken out;
// or the figure the clerk entered.
//
// Who is reported: everyone insured on 1 July, except those insured from 1 June on, those who
// left by 30 June (資格喪失 by 1 July), and those whose grade is revised from July, August or
// September by a change of fixed pay (they are reported as revisions instead).

#include <array>
#include <cstdint>
#include <string>

#include "calc/premium_tables.h"
#include "calc/social_grades.h"
#include "core/records.h"

namespace keiro::calc {

enum class DayRule { General = 1, PartTime = 2, ShortTime = 3 };
// The stored day rule; "not set" (and any unknown code) reads as 一般.
DayRule dayRuleOf(const SocialInsuranceFields& social);

struct SanteiMonth {
    int month = 0;      // 4, 5, 6
    bool paid = false;  // a pay was paid in the month
    int days = 0;
    std::int32_t pay = 0;  // 報酬 of the month (the social-insurance base, commuting included)
    bool partial = false;  // the first pay after the hire, not a full month's pay
    // 遡及支払額 included in the pay, and the months (yyyymm) it belongs to; months 0: not said,
    // taken as belonging before the months averaged.
    std::int32_t backPay = 0;
    int backPayFirstMonth = 0;
    int backPayLastMonth = 0;
    bool leave = false;  // a month of 休職 or 産休・育休
};

// The part of a month's 遡及支払額 that belongs to months before `yearMonth` (yyyymm): spread
// evenly over the months it belongs to, 1 yen cut off.
std::int64_t backPayBefore(const SanteiMonth& month, int yearMonth);

struct SanteiInput {
    DayRule rule = DayRule::General;
    std::array<SanteiMonth, 3> months;
    std::int32_t backPayBeforeApril = 0;  // 遡及支払額 in these months for months before April
    std::int32_t enteredAdjusted = 0;     // 修正平均額 entered by the clerk; 0 none
};

struct SanteiResult {
    std::array<bool, 3> counted{};
    bool keepPrevious = false;      // no month counted: the previous standard continues
    std::int64_t total = 0;         // of the months counted
    std::int32_t average = 0;       // total ÷ months counted, 1 yen cut off
    std::int32_t adjusted = 0;      // 修正平均額; 0 none
    std::int32_t remuneration = 0;  // what the grades are looked up on
    SocialGrades grades;            // the new grades (the previous ones when keepPrevious)
};

// The months counted, the average and the new grades.  `previous` is returned as the grades
// when no month counts.
SanteiResult decideTeiji(const SanteiInput& input, const HealthGradeTable& table,
                         const SocialGrades& previous);

// Why an employee is left out of the year's decision; None: reported.
enum class SanteiExclusion { None, NotInsured, JoinedFromJune, LeftByJune, RevisedJulyToSeptember };
std::string exclusionText(SanteiExclusion why);

// `revisionFromMonth`: the month (of `year`) a revision by a change of fixed pay applies from,
// 0 when there is none.  Dates are yyyymmdd, 0 not set.
SanteiExclusion santeiExclusion(bool healthInsured, int insuredSince, int insuredUntil, int year,
                                int revisionFromMonth);

}  // namespace keiro::calc
