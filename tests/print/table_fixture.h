#pragma once
// A period built in memory for the tests of the transfer list, the denomination table and the
// roster: a company and employees put into chosen slots with just what those reports read.

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "core/records.h"

namespace keiro::print::testing {

inline constexpr std::chrono::year_month_day kPrintDate{std::chrono::year(2026),
                                                        std::chrono::December,
                                                        std::chrono::day(9)};

struct Person {
    std::string_view code;
    std::string_view name;
    std::string_view kana;
    std::uint8_t payMethod = 0;  // 0 transfer, 1 cash
    std::uint8_t workStatus = 1;
    long long netPay = 0;        // set as 支給合計, nothing deducted
};

struct TablePeriod {
    std::unique_ptr<PeriodBlock> block = std::make_unique<PeriodBlock>();

    TablePeriod() { block->settings.companyName.assign("株式会社テスト商会"); }

    EmployeeRecord& add(int slot, const Person& p) {
        EmployeeRecord& e = block->employee(slot);
        e.recordId.assign("260401_09000" + std::to_string(slot % 10));
        e.employeeCode.assign(p.code);
        e.name.assign(p.name);
        e.nameKana.assign(p.kana);
        e.payMethod = p.payMethod;
        e.workStatus = p.workStatus;
        e.category = 2;
        e.payForm = 1;
        block->payments[slot - 1].payTotal = static_cast<std::int32_t>(p.netPay);
        return e;
    }

    // Slots 1..n, everyone employed, paid by `payMethod`, codes "E001"…, net pay 1000 × slot.
    void addMany(int n, std::uint8_t payMethod) {
        for (int slot = 1; slot <= n; ++slot) {
            char code[16];
            std::snprintf(code, sizeof code, "E%03d", slot);
            add(slot, {code, "社員", "ｼｬｲﾝ", payMethod, 1, 1000LL * slot});
        }
    }
};

}  // namespace keiro::print::testing
