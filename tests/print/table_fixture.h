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
                                                        std::chrono::December, std::chrono::day(9)};

struct Person {
    std::string_view code;
    std::string_view name;
    std::string_view kana;
    std::uint8_t payMethod = 0;  // 0 transfer, 1 cash
    std::uint8_t workStatus = 1;
    long long netPay = 0;  // set as 支給合計, nothing deducted
};

struct Account {
    std::string_view bank, bankKana, branch, branchKana;
    std::uint8_t type = 0;  // 0 普通, 1 当座, 2 貯蓄
    std::string_view number;
    std::int32_t fee = 0;
};

inline void setAccount(EmployeeRecord& e, const Account& a) {
    e.bankName.assign(a.bank);
    e.bankNameKana.assign(a.bankKana);
    e.branchName.assign(a.branch);
    e.branchNameKana.assign(a.branchKana);
    e.accountType = a.type;
    e.accountNumber.assign(a.number);
    e.transferFee = a.fee;
}

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

    // Slots 1..n filled as wide as people's data gets: eleven-place codes, names of eight
    // double-byte characters, twelve-place readings, the longest bank texts, eight-digit
    // accounts and amounts in the millions, everyone insured.
    void addLongest(int n, std::uint8_t payMethod) {
        for (int slot = 1; slot <= n; ++slot) {
            char code[16];
            std::snprintf(code, sizeof code, "K%010d", slot);
            EmployeeRecord& e =
                add(slot, {code, "長谷川久美子様方", "ﾊｾｶﾞﾜ ｸﾐｺｻﾏﾃ", payMethod, 1, 9'876'543});
            e.department.assign("第一営業部東京支社");
            e.categoryText.assign("嘱託・再雇用");
            e.category = 0;
            e.payForm = 3;
            e.dependents = 10;
            e.dependentRelatives = 10;
            setAccount(e, {"東日本信用漁業協同組合連合", "ﾋｶﾞｼﾆﾎﾝｼﾝﾖｳｷﾞｮｷﾞ",
                           "新宿西口駅前出張所営業部", "ｼﾝｼﾞｭｸﾆｼｸﾞﾁｴｷﾏｴ", 2, "12345678", 99'999});
            for (std::int32_t* amount : {&e.basePay,
                                         &e.overtimeRate,
                                         &e.lateNightRate,
                                         &e.holidayOvertimeRate,
                                         &e.holidayLateNightRate,
                                         &e.commuteNonTaxable,
                                         &e.commuteTaxable,
                                         &e.residentTaxJune,
                                         &e.residentTax,
                                         &e.positionAllowance,
                                         &e.familyAllowance,
                                         &e.fixedAllowance1,
                                         &e.fixedAllowance2,
                                         &e.fixedAllowance3,
                                         &e.fixedDeduction1,
                                         &e.fixedDeduction2,
                                         &e.fixedDeduction3,
                                         &e.healthInsPremium,
                                         &e.nursingInsPremium,
                                         &e.pensionPremium,
                                         &e.pensionFundPremium,
                                         &e.supportPremium}) {
                *amount = 9'999'999;
            }
            e.employmentInsured = e.healthInsured = e.nursingInsured = e.pensionInsured =
                e.pensionFundMember = 1;
        }
    }
};

}  // namespace keiro::print::testing
