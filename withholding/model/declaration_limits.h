#pragma once
// What the law allows a clerk to declare, checked where the amount is typed and again in the
// calculation, so an amount outside the law never reaches the tax.
//
// - 生命保険料の控除額: at most 120,000 yen from 2012 (the three categories of the contracts
//   from 2012 together); 100,000 yen before (一般 and 個人年金 of 50,000 each).
// - 地震保険料の控除額: at most 50,000 yen from 2007, when it replaced the 損害保険料控除.
// - Premiums themselves have no upper limit (any premium may be paid; the formulas cap the
//   deduction), but a premium or a declared amount is never negative.
// - The employee's estimate of 合計所得金額 includes the employment income of this employer:
//   it is at least the 給与所得控除後の金額 after the 所得金額調整控除.
//
// Each check gives the amount to use and, when it differs from the amount typed, the message
// the editor shows.

#include <cstdint>
#include <string>

namespace keiro::withholding {

struct LimitedAmount {
    std::int64_t value = 0;  // the amount to use
    bool changed = false;    // the amount typed was outside the law
    std::string message;     // what the editor says when it changed the amount; empty otherwise
};

std::int64_t lifeInsuranceDeductionLimit(int dataYear);
// 0 for years with no such deduction (before 2007): no check.
std::int64_t earthquakeDeductionLimit(int dataYear);

LimitedAmount limitLifeInsuranceDeduction(std::int64_t typed, int dataYear);
LimitedAmount limitEarthquakeDeduction(std::int64_t typed, int dataYear);
// A premium or a declared social insurance amount: not below zero.  `caption` names the box.
LimitedAmount limitPremium(std::int64_t typed, const std::string& caption);

// The estimate of 合計所得金額: never below the employment income.  An estimate below it is
// refused with a message naming the minimum; the value is then the minimum.
LimitedAmount limitIncomeEstimate(std::int64_t typed, std::int64_t employmentIncome);

}  // namespace keiro::withholding
