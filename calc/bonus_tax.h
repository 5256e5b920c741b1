#pragma once
// The withholding income tax (所得税) of a bonus.
//
// Ordinarily the bonus (after its premiums) times the rate the bonus table gives for the
// previous month's pay.  The rate table may not be used when there was no pay the month
// before (or it did not exceed its premiums) or when the bonus is more than ten times that
// pay; the tax is then worked by the monthly-table method: one sixth of the bonus is added to
// the previous month's pay, the salary table's tax on that sum less its tax on the previous
// month's pay alone is the tax on one sixth, and six times it is the bonus's tax (twelve times
// on one twelfth where the bonus covers more than six months).  The year data holds no period
// a bonus covers, so the calculation uses six; the one twelfth is there for the tool.  The
// sixth of the bonus drops its fraction of a yen; both monthly taxes are those of the
// employee's column and dependants, as for a month.

#include <cstdint>
#include <string>
#include <vector>

#include "calc/rounding.h"
#include "calc/tax_tables.h"

namespace keiro::calc {

// The monthly-table method divides the bonus by six, or twelve for more than six months.
inline constexpr int kBonusTaxMonths = 6;
inline constexpr int kBonusTaxMonthsLong = 12;

struct BonusTaxInput {
    bool taxItemActive = false;  // 所得税 is among the deduction items of the pay form
    bool manual = false;         // the 所得税 manual flag of the bonus's deduction record
    std::int32_t storedTax = 0;  // 所得税 as stored (kept when manual)
    std::int32_t previousMonthAmount = 0;  // P: 社保控除後計 of the month before the pay month
    std::int32_t bonusAmount = 0;          // B: this bonus's 社保控除後計
    std::int32_t dependents = 0;           // 扶養親族等の数
    int column = 0;                        // 0 = 甲欄, otherwise 乙欄
    int months = kBonusTaxMonths;          // the monthly-table method's divisor: 6 or 12
};

struct BonusTaxResult {
    std::int32_t tax = 0;
    bool byMonthlyTable = false;  // the rate table could not be used: worked from the salary table
};

// Item absent: 0.  Manual flag set: the stored tax.  No bonus (B <= 0): 0, by either method.
// No pay the month before (P <= 0, which
// covers pay not above its premiums) or B above ten times P: the monthly-table method; exactly
// ten times still uses the rate table.  Otherwise the rate table's tax.
BonusTaxResult BonusIncomeTax(const BonusTaxInput& input, const SalaryTaxTable& salary,
                              const BonusTaxTable& bonus, const YenRounding& rounding);

// (salary tax on P + B / months − salary tax on P) × months, P taken as 0 when negative; never
// below 0.  `months` below 1 counts as 1.
std::int32_t MonthlyTableBonusTax(const SalaryTaxTable& salary, std::int32_t previousMonthAmount,
                                  std::int32_t bonusAmount, std::int32_t dependents, int column,
                                  int months, const YenRounding& rounding);

// The notice after a recalculation that worked some bonuses by the monthly-table method: one
// line per employee (name as shown), the reason after them.  At most kNoticeNames names; the
// rest are counted.
inline constexpr std::size_t kNoticeNames = 20;
std::string bonusTaxMonthlyTableNotice(const std::vector<std::string>& names);

}  // namespace keiro::calc
