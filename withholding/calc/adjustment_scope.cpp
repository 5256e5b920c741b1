#include "withholding/calc/adjustment_scope.h"

#include "withholding/calc/year_end_law.h"

namespace keiro::withholding {

NotAdjustedReason whyNotAdjusted(const AdjustmentFacts& facts) {
    if (facts.secondaryColumn) return NotAdjustedReason::SecondaryColumn;
    const YearEndLaw& law = yearEndLaw(facts.dataYear);
    if (law.adjustedPayLimit > 0 && facts.paid > law.adjustedPayLimit) {
        return NotAdjustedReason::PayAboveLimit;
    }
    if (facts.left && !facts.leaveExceptionStated) return NotAdjustedReason::LeftDuringYear;
    return NotAdjustedReason::None;
}

std::string_view notAdjustedText(NotAdjustedReason reason) {
    switch (reason) {
        case NotAdjustedReason::SecondaryColumn:
            return "乙欄のため年末調整の対象外";
        case NotAdjustedReason::PayAboveLimit:
            return "給与の収入金額が2,000万円を超えるため年末調整の対象外";
        case NotAdjustedReason::LeftDuringYear:
            return "中途退職者のため年末調整の対象外";
        case NotAdjustedReason::None:
            break;
    }
    return {};
}

std::int64_t partTimerLeaverPayLimit(int dataYear) {
    return yearEndLaw(dataYear).partTimerLeaverPayLimit;
}

std::optional<std::int64_t> partTimerLimitExceeded(int dataYear, std::int64_t paid) {
    const std::int64_t limit = partTimerLeaverPayLimit(dataYear);
    if (paid > limit) return limit;
    return std::nullopt;
}

}  // namespace keiro::withholding
