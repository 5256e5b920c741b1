#pragma once
// Who is adjusted at the year end, decided in one place for the editor's 自動計算, the batch
// calculation and keiro-tool.
//
// No adjustment is made for an employee taxed in the 乙欄 (no 扶養控除等申告書 given to this
// employer), whatever else applies; for one whose pay of the year exceeds the law's limit
// (20,000,000 from 2020; the years before keep their own rule, a taxable amount beyond the
// table); and for one who left during the year, unless the clerk states one of the law's
// exceptions: death, a disability that keeps the employee from working again this year,
// leaving after December's pay, or a part-timer with a small year's pay and no other pay.
// For an employee who is not adjusted the tax of the year is the tax actually withheld.

#include <cstdint>
#include <optional>
#include <string_view>

namespace keiro::withholding {

enum class NotAdjustedReason : std::uint8_t {
    None,             // adjusted
    SecondaryColumn,  // 乙欄
    PayAboveLimit,    // pay above the law's limit
    LeftDuringYear,   // left during the year without an exception
};

struct AdjustmentFacts {
    int dataYear = 0;  // calendar year
    std::int64_t paid = 0;
    bool secondaryColumn = false;  // 乙欄
    bool left = false;             // left during the year
    bool leaveExceptionStated = false;
};

NotAdjustedReason whyNotAdjusted(const AdjustmentFacts& facts);

// The reason in the words the clerk reads (empty for None).
std::string_view notAdjustedText(NotAdjustedReason reason);

// The most a part-timer who left may have been paid in the year and still be adjusted.
std::int64_t partTimerLeaverPayLimit(int dataYear);

// The limit, when the year's pay exceeds it: the editor warns that the part-timer exception
// does not hold.  Nothing when the pay is within it.
std::optional<std::int64_t> partTimerLimitExceeded(int dataYear, std::int64_t paid);

}  // namespace keiro::withholding
