#include "payroll/model/santei_sheet.h"

namespace keiro::payroll {

SanteiSheet::SanteiSheet(std::vector<calc::SanteiLine> lines, const calc::HealthGradeTable& table,
                         int calendarYear)
    : lines_(std::move(lines)), table_(&table), calendarYear_(calendarYear) {}

bool SanteiSheet::isReported(std::size_t row) const {
    return row < lines_.size() && lines_[row].excluded == calc::SanteiExclusion::None;
}

void SanteiSheet::decide(calc::SanteiLine& line) const {
    calc::SanteiInput in;
    in.rule = line.rule;
    in.months = line.months;
    in.enteredAdjusted = line.enteredAdjusted;
    in.backPayBeforeApril = line.backPay;
    line.result = calc::decideTeiji(in, *table_, line.previous);
}

bool SanteiSheet::setAdjusted(std::size_t row, std::int32_t yen) {
    if (!isReported(row) || yen < 0) return false;
    lines_[row].enteredAdjusted = yen;
    decide(lines_[row]);
    return true;
}

bool SanteiSheet::setDays(std::size_t row, std::size_t k, int days) {
    if (!isReported(row) || k > 2 || days < 0 || days > 31) return false;
    calc::SanteiLine& line = lines_[row];
    calc::SanteiMonth& month = line.months[k];
    if (!month.paid) return false;
    month.days = days;
    decide(line);
    for (DayCorrection& c : corrections_) {
        if (c.recordId == line.recordId && c.month == month.month) {
            c.days = days;
            return true;
        }
    }
    corrections_.push_back({line.recordId, month.month, days});
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
