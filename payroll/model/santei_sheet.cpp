#include "payroll/model/santei_sheet.h"

namespace keiro::payroll {

SanteiSheet::SanteiSheet(std::vector<calc::SanteiLine> lines, const calc::HealthGradeTable& table,
                         int calendarYear)
    : lines_(std::move(lines)), table_(&table), calendarYear_(calendarYear) {}

bool SanteiSheet::isReported(std::size_t row) const {
    return row < lines_.size() && lines_[row].excluded == calc::SanteiExclusion::None;
}

bool SanteiSheet::setAdjusted(std::size_t row, std::int32_t yen) {
    if (!isReported(row) || yen < 0) return false;
    calc::SanteiLine& line = lines_[row];
    calc::SanteiInput in;
    in.rule = line.rule;
    in.months = line.months;
    in.enteredAdjusted = yen;
    line.enteredAdjusted = yen;
    line.result = calc::decideTeiji(in, *table_, line.previous);
    return true;
}

std::vector<GradeDecision> SanteiSheet::decisions() const {
    std::vector<GradeDecision> out;
    for (std::size_t row = 0; row < lines_.size(); ++row) {
        const calc::SanteiResult& r = lines_[row].result;
        if (!isReported(row) || r.keepPrevious || r.grades.health == 0) continue;
        out.push_back({lines_[row].recordId, r.grades.health, r.remuneration,
                       lines_[row].enteredAdjusted, calendarYear_ * 100 + kYearlyDecisionMonth,
                       kDecidedYearly});
    }
    return out;
}

}  // namespace keiro::payroll
