#include "print/money_selection.h"

#include "calc/pay_calc.h"

namespace keiro::print {
namespace {

constexpr std::uint8_t kInEmployment = 1;
constexpr std::uint8_t kCash = 1;

bool paidThatWay(const EmployeeRecord& e, PaidBy paidBy) {
    switch (paidBy) {
        case PaidBy::Transfer:
            return e.payMethod != kCash;
        case PaidBy::Cash:
            return e.payMethod == kCash;
        case PaidBy::Either:
            return true;
    }
    return false;
}

}  // namespace

long long paidNetPay(const PaymentRecord& payment, const DeductionRecord& deduction) {
    return calc::netPay(payment, deduction, {true, true, true});
}

std::vector<PaidEmployee> paidEmployees(const PeriodBlock& block, PaidBy paidBy) {
    std::vector<PaidEmployee> paid;
    for (int i = 0; i < kMaxEmployees; ++i) {
        const EmployeeRecord& e = block.employees[i];
        if (!e.isUsed() || e.workStatus != kInEmployment || !paidThatWay(e, paidBy)) continue;
        paid.push_back({e, paidNetPay(block.payments[i], block.deductions[i])});
    }
    return paid;
}

}  // namespace keiro::print
