#pragma once
// The April-June decision as the clerk works on it before applying it: the lines of the stored
// year, a 修正平均額 typed for a line (which decides its grades from then on; 0 takes it away),
// a 支払基礎日数 corrected for one of its paid months (which decides whether the month counts),
// and what 適用 writes: the grade decisions, applying from the September premium, and the
// corrected days, kept in the attendance of the month's pay.

#include <cstdint>
#include <string>
#include <vector>

#include "calc/social_year.h"
#include "payroll/model/social_apply.h"

namespace keiro::payroll {

inline constexpr int kYearlyDecisionMonth = 9;  // the decided grades apply from September

struct DayCorrection {
    std::string recordId;  // code page 932 bytes
    int month = 0;         // 4, 5, 6: the month the pay was paid in
    int days = 0;
};

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
    // Corrects the days of month index k (0 April .. 2 June) of a reported line that was paid
    // then, and decides it again; false (nothing changed) otherwise or for days outside 0..31.
    bool setDays(std::size_t row, std::size_t k, int days);
    const std::vector<DayCorrection>& dayCorrections() const { return corrections_; }
    // The grades to write: every reported line decided from its months or a 修正平均額 (a line
    // keeping its previous grades writes nothing).
    std::vector<GradeDecision> decisions() const;

  private:
    void decide(calc::SanteiLine& line) const;

    std::vector<calc::SanteiLine> lines_;
    std::vector<DayCorrection> corrections_;
    const calc::HealthGradeTable* table_;
    int calendarYear_;
};

}  // namespace keiro::payroll
