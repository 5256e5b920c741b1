#pragma once
// The short set-up of a new office: what the clerk answers on the first start, checked, and put
// into the first period's settings with the rates of its fiscal year.

#include <string>

#include "calc/rate_update.h"
#include "core/company_address.h"
#include "core/records.h"

namespace keiro::payroll {

struct FirstStartAnswers {
    std::string companyName;
    CompanyAddress address;       // its prefecture chooses the health rate
    int healthRateIndex = -1;     // into RatesOfPeriod::healthShares; -1 none chosen
    bool generalBusiness = true;  // 雇用保険: 一般の事業, or another kind
    int payDay = 25;              // 31 = month end
    double hoursPerDay = 8.0;
};

// Paid in the month after the one worked when the pay day does not come after the closing day
// (closed at month end, paid on the 25th of the next month).
bool paidNextMonth(int payDay, int closingDay);

// The first answer the clerk must still put right, with the message saying how; field None and
// no message when the answers will do.
struct FirstStartProblem {
    enum class Field { None, CompanyName, Prefecture, PayDay, ClosingDay, HoursPerDay };
    Field field = Field::None;
    std::string message;
};
FirstStartProblem firstStartProblem(const FirstStartAnswers& answers,
                                    const calc::RatesOfPeriod& rates);

// Company, pay day and the employee's shares of the period's fiscal year into `settings`.
void applyFirstStart(PeriodSettings& settings, const FirstStartAnswers& answers,
                     const calc::RatesOfPeriod& rates);

}  // namespace keiro::payroll
