#pragma once
// The April-June decision as the clerk works on it before applying it: the lines of the stored
// year, a 修正平均額 typed for a line (which decides its grades from then on; 0 takes it away),
// and the grade decisions to write, applying from the September premium.

#include <cstdint>
#include <vector>

#include "calc/social_year.h"
#include "payroll/model/social_apply.h"

namespace keiro::payroll {

inline constexpr int kYearlyDecisionMonth = 9;  // the decided grades apply from September

class SanteiSheet {
  public:
    // The table outlives the sheet.
    SanteiSheet(std::vector<calc::SanteiLine> lines, const calc::HealthGradeTable& table,
                int calendarYear);

    const std::vector<calc::SanteiLine>& lines() const { return lines_; }
    // Whether line `row` is decided here (not excluded): only those take a 修正平均額.
    bool isReported(std::size_t row) const;
    // Sets the 修正平均額 of a reported line and decides it again; false (nothing changed) for
    // an excluded line, a row out of range or a negative amount.
    bool setAdjusted(std::size_t row, std::int32_t yen);
    // The grades to write: every reported line decided from its months or a 修正平均額 (a line
    // keeping its previous grades writes nothing).
    std::vector<GradeDecision> decisions() const;

  private:
    std::vector<calc::SanteiLine> lines_;
    const calc::HealthGradeTable* table_;
    int calendarYear_;
};

}  // namespace keiro::payroll
