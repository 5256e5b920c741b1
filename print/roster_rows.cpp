#include "print/roster_rows.h"

#include <cstdint>
#include <cstdio>

#include "core/employee_master.h"
#include "core/entry.h"

namespace keiro::print {
namespace {

// Indices of the renamable items among the 41 pay items.
constexpr int kPositionAllowanceItem = 16;
constexpr int kFamilyAllowanceItem = 17;
constexpr int kFixedAllowance1Item = kFirstFreeItem;
constexpr int kFixedDeduction1Item = kFirstFreeItem + 6;

constexpr std::string_view kNotInsured = "     －";

RosterCell text(std::string value) {
    return {std::move(value), false};
}

RosterCell amount(std::int32_t value) {
    return {formatAmount(9, value), true};
}

RosterCell premium(std::uint8_t insured, std::int32_t value) {
    return insured != 0 ? amount(value) : RosterCell{std::string(kNotInsured), true};
}

std::string categoryText(const EmployeeRecord& e) {
    if (e.category >= 1 && e.category <= kEmployeeCategories.size()) {
        return std::string(kEmployeeCategories[e.category - 1u]);
    }
    return e.categoryText.utf8();
}

std::string payFormText(int payForm) {
    if (payForm < 1 || payForm > static_cast<int>(kPayForms.size())) return {};
    return std::string(kPayForms[static_cast<std::size_t>(payForm) - 1]);
}

std::string dependentsText(const EmployeeRecord& e) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%2d人 / %2d人", e.dependents, e.dependentRelatives);
    return buffer;
}

}  // namespace

std::array<std::string, kRosterRows> rosterLabels(const ItemNames& names) {
    return {"氏　　名",
            "部　　署",
            "社員区分",
            "支給形態",
            "税額表  ",
            "扶養人数",
            "基本給  ",
            "残業手当(普通)",
            "残業手当(深夜)",
            "休日残業(普通)",
            "休日残業(深夜)",
            "交通費(非課税)",
            "交通費(課税)",
            "　支給単位  ",
            "住民税(６月)",
            "住民税(以外)",
            names[kPositionAllowanceItem],
            names[kFamilyAllowanceItem],
            names[kFixedAllowance1Item],
            names[kFixedAllowance1Item + 1],
            names[kFixedAllowance1Item + 2],
            names[kFixedDeduction1Item],
            names[kFixedDeduction1Item + 1],
            names[kFixedDeduction1Item + 2],
            "雇用保険対象",
            "健康保険料",
            "介護保険料",
            "子育て支援金",
            "厚生年金保険料",
            "厚生年金掛け金"};
}

std::array<RosterCell, kRosterRows> rosterColumn(const EmployeeRecord& e) {
    return {text(e.name.utf8()),
            text(e.department.utf8()),
            text(categoryText(e)),
            text(payFormText(e.payForm)),
            text(e.taxColumn == 1 ? "乙欄" : "甲欄"),
            text(dependentsText(e)),
            amount(e.basePay),
            amount(e.overtimeRate),
            amount(e.lateNightRate),
            amount(e.holidayOvertimeRate),
            amount(e.holidayLateNightRate),
            amount(e.commuteNonTaxable),
            amount(e.commuteTaxable),
            text("毎月"),
            amount(e.residentTaxJune),
            amount(e.residentTax),
            amount(e.positionAllowance),
            amount(e.familyAllowance),
            amount(e.fixedAllowance1),
            amount(e.fixedAllowance2),
            amount(e.fixedAllowance3),
            amount(e.fixedDeduction1),
            amount(e.fixedDeduction2),
            amount(e.fixedDeduction3),
            RosterCell{e.employmentInsured != 0 ? "     ○" : std::string(kNotInsured), true},
            premium(e.healthInsured, e.healthInsPremium),
            premium(e.nursingInsured, e.nursingInsPremium),
            premium(e.healthInsured, e.supportPremium),
            premium(e.pensionInsured, e.pensionPremium),
            premium(e.pensionFundMember, e.pensionFundPremium)};
}

}  // namespace keiro::print
