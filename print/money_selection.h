#pragma once
// Who the transfer list and the denomination table list, and what they pay them.
//
// Both list the employees of the period in employment (就業形態 在職), in slot order; those on
// leave or gone are paid nothing through them.  The pay method splits them: 現金 is cash, any
// other value is a bank transfer, as the employee editor shows it.

#include <vector>

#include "core/records.h"

namespace keiro::print {

enum class PaidBy { Transfer, Cash, Either };

struct PaidEmployee {
    EmployeeRecord employee;
    long long netPay = 0;
};

// The net pay the two tables pay out: 支給合計 with all three その他 items of the payment
// record, less 控除合計 (the pay slips count only the その他 items on their layout).
long long paidNetPay(const PaymentRecord& payment, const DeductionRecord& deduction);

std::vector<PaidEmployee> paidEmployees(const PeriodBlock& block, PaidBy paidBy);

}  // namespace keiro::print
