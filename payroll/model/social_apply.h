#pragma once
// Writing decided standard monthly amounts into the employees of the periods they apply to.
//
// A month's pay carries the premium of the month before, so a grade that applies from premium
// month m is first deducted in salary period m+1 (the September decision from October's pay);
// a decision from a December premium falls into the next year's file and is not written here.
// Each employee (matched by record id) gets the health grade, the monthly premiums of that
// grade at the period's own rates (the 子ども・子育て支援金 share for whether the employee pays
// 介護保険料), and the remuneration, month and kind the grade was decided on.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/premium_tables.h"
#include "core/payroll_period.h"
#include "core/records.h"

namespace keiro::payroll {

inline constexpr std::uint8_t kDecidedOnJoining = 1;
inline constexpr std::uint8_t kDecidedYearly = 2;      // 定時決定
inline constexpr std::uint8_t kDecidedOnRevision = 3;  // 随時改定

struct GradeDecision {
    std::string recordId;  // code page 932 bytes
    int grade = 0;         // health grade of the table
    std::int32_t remuneration = 0;
    std::int32_t adjustedAverage = 0;  // 修正平均額 kept with it; 0 none
    int yearMonth = 0;                 // premium month the grade applies from, yyyymm
    std::uint8_t kind = kDecidedYearly;
};

// The salary period first collecting the premium of month 1..12; nothing for December.
std::optional<int> collectingPeriod(int premiumMonth);
// The last salary period of the year file a grade from premium month 1..12 is collected in.  A
// grade from January to June holds until the August premium (September's decision follows it);
// one from July on until the year's end.
int lastCollectingPeriod(int premiumMonth);

// Writes the decisions into the period's employees (found by record id, whatever slot they
// are in now) at the period's rates; those of a grade the table lacks are skipped.  Returns
// how many employees were written.
int applyDecisions(PayrollPeriod& period, const std::vector<GradeDecision>& decisions,
                   const calc::HealthGradeTable& table);

}  // namespace keiro::payroll
