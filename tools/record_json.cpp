#include "tools/record_json.h"

#include "core/municipality.h"

namespace keiro::tool {
namespace {

template <std::size_t N>
nlohmann::ordered_json byteArray(const std::uint8_t (&values)[N]) {
    auto list = nlohmann::ordered_json::array();
    for (const std::uint8_t value : values) list.push_back(value);
    return list;
}

}  // namespace

nlohmann::ordered_json toJson(const YearFileHeader& h) {
    nlohmann::ordered_json j;
    j["headerValue"] = h.headerValue;
    j["periodSaved"] = byteArray(h.periodSaved);
    j["bonusPayMonth"] = {h.bonusPayMonth[0], h.bonusPayMonth[1], h.bonusPayMonth[2]};
    j["bonusPayDay"] = {h.bonusPayDay[0], h.bonusPayDay[1], h.bonusPayDay[2]};
    return j;
}

nlohmann::ordered_json toJson(const PeriodSettings& s) {
    return {{"companyName", s.companyName.utf8()},
            {"generalBusiness", s.generalBusiness},
            {"payDay", s.payDay},
            {"scheduledDays", s.scheduledDays},
            {"scheduledHours", s.scheduledHours},
            {"payNextMonth", s.payNextMonth},
            {"hoursPerDay", s.hoursPerDay},
            {"employmentInsRate", s.employmentInsRate},
            {"healthInsRate", s.healthInsRate},
            {"nursingInsRate", s.nursingInsRate},
            {"pensionRate", s.pensionRate},
            {"pensionFundRate", s.pensionFundRate},
            {"corporateNumber", s.corporateNumber}};
}

nlohmann::ordered_json toJson(const EmployeeRecord& e) {
    return {{"recordId", e.recordId.utf8()},
            {"employeeCode", e.employeeCode.utf8()},
            {"name", e.name.utf8()},
            {"nameKana", e.nameKana.utf8()},
            {"department", e.department.utf8()},
            {"birthEra", e.birthEra},
            {"birthYear", e.birthYear},
            {"birthMonth", e.birthMonth},
            {"birthDay", e.birthDay},
            {"category", e.category},
            {"payForm", e.payForm},
            {"workStatus", e.workStatus},
            {"taxColumn", e.taxColumn},
            {"payMethod", e.payMethod},
            {"dependents", e.dependents},
            {"dependentRelatives", e.dependentRelatives},
            {"basePay", e.basePay},
            {"overtimeRate", e.overtimeRate},
            {"lateNightRate", e.lateNightRate},
            {"holidayOvertimeRate", e.holidayOvertimeRate},
            {"holidayLateNightRate", e.holidayLateNightRate},
            {"commuteNonTaxable", e.commuteNonTaxable},
            {"commuteTaxable", e.commuteTaxable},
            {"residentTaxJune", e.residentTaxJune},
            {"residentTax", e.residentTax},
            {"residentTaxCityCode", municipalityCodeText(int(e.residentTaxCityCode))},
            {"residentTaxCity", e.residentTaxCity.utf8()},
            {"positionAllowance", e.positionAllowance},
            {"familyAllowance", e.familyAllowance},
            {"fixedAllowance1", e.fixedAllowance1},
            {"fixedAllowance2", e.fixedAllowance2},
            {"fixedAllowance3", e.fixedAllowance3},
            {"fixedDeduction1", e.fixedDeduction1},
            {"fixedDeduction2", e.fixedDeduction2},
            {"fixedDeduction3", e.fixedDeduction3},
            {"paidLeavePay", e.paidLeavePay},
            {"absenceDeductionRate", e.absenceDeductionRate},
            {"lateDeductionRate", e.lateDeductionRate},
            {"employmentInsured", e.employmentInsured},
            {"healthInsured", e.healthInsured},
            {"healthInsPremium", e.healthInsPremium},
            {"nursingInsured", e.nursingInsured},
            {"nursingInsPremium", e.nursingInsPremium},
            {"pensionInsured", e.pensionInsured},
            {"pensionPremium", e.pensionPremium},
            {"pensionFundMember", e.pensionFundMember},
            {"pensionFundPremium", e.pensionFundPremium},
            {"bankName", e.bankName.utf8()},
            {"bankNameKana", e.bankNameKana.utf8()},
            {"branchName", e.branchName.utf8()},
            {"branchNameKana", e.branchNameKana.utf8()},
            {"accountType", e.accountType},
            {"accountNumber", e.accountNumber.utf8()},
            {"transferFee", e.transferFee},
            {"remarks", e.remarks.utf8()},
            {"categoryText", e.categoryText.utf8()},
            {"insuranceGrade", e.insuranceGrade},
            {"myNumber", std::int64_t{e.myNumber}}};  // a copy: the field is not aligned
}

nlohmann::ordered_json toJson(const AttendanceRecord& a) {
    return {{"scheduledDays", a.scheduledDays},
            {"daysWorked", a.daysWorked},
            {"paidLeaveDays", a.paidLeaveDays},
            {"absentDays", a.absentDays},
            {"holidayWorkDays", a.holidayWorkDays},
            {"specialLeaveDays", a.specialLeaveDays},
            {"scheduledHours", a.scheduledHours},
            {"hoursWorked", a.hoursWorked},
            {"overtimeHours", a.overtimeHours},
            {"lateNightHours", a.lateNightHours},
            {"holidayOvertimeHours", a.holidayOvertimeHours},
            {"holidayLateNightHours", a.holidayLateNightHours},
            {"lateCount", a.lateCount},
            {"lateHours", a.lateHours},
            {"paidLeaveBalance", a.paidLeaveBalance}};
}

nlohmann::ordered_json toJson(const PaymentRecord& p) {
    return {{"basePayAmount", p.basePayAmount},
            {"positionAllowanceAmount", p.positionAllowanceAmount},
            {"familyAllowanceAmount", p.familyAllowanceAmount},
            {"fixedAllowance1", p.fixedAllowance1},
            {"fixedAllowance2", p.fixedAllowance2},
            {"fixedAllowance3", p.fixedAllowance3},
            {"overtimePay", p.overtimePay},
            {"lateNightPay", p.lateNightPay},
            {"holidayOvertimePay", p.holidayOvertimePay},
            {"holidayLateNightPay", p.holidayLateNightPay},
            {"commuteNonTaxableAmount", p.commuteNonTaxableAmount},
            {"commuteTaxableAmount", p.commuteTaxableAmount},
            {"variableAllowance1", p.variableAllowance1},
            {"variableAllowance2", p.variableAllowance2},
            {"variableAllowance3", p.variableAllowance3},
            {"absenceDeduction", p.absenceDeduction},
            {"lateDeduction", p.lateDeduction},
            {"taxablePayTotal", p.taxablePayTotal},
            {"payTotal", p.payTotal},
            {"otherItem1", p.otherItem1},
            {"otherItem2", p.otherItem2},
            {"otherItem3", p.otherItem3},
            {"manualFlags", byteArray(p.manualFlags)},
            {"backPay", p.backPay},
            {"backPayFirstMonth", p.backPayFirstMonth},
            {"backPayLastMonth", p.backPayLastMonth},
            {"leaveKind", p.leaveKind},
            {"leavePay", p.leavePay},
            {"revisionAdjustedAverage", p.revisionAdjustedAverage}};
}

nlohmann::ordered_json toJson(const DeductionRecord& d) {
    return {{"healthInsAmount", d.healthInsAmount},
            {"pensionAmount", d.pensionAmount},
            {"pensionFundAmount", d.pensionFundAmount},
            {"employmentInsAmount", d.employmentInsAmount},
            {"nursingInsAmount", d.nursingInsAmount},
            {"socialInsTotal", d.socialInsTotal},
            {"payAfterSocialIns", d.payAfterSocialIns},
            {"incomeTax", d.incomeTax},
            {"residentTaxAmount", d.residentTaxAmount},
            {"fixedDeduction1", d.fixedDeduction1},
            {"fixedDeduction2", d.fixedDeduction2},
            {"fixedDeduction3", d.fixedDeduction3},
            {"variableDeduction1", d.variableDeduction1},
            {"variableDeduction2", d.variableDeduction2},
            {"variableDeduction3", d.variableDeduction3},
            {"deductionTotal", d.deductionTotal},
            {"socialInsBase", d.socialInsBase},
            {"otherItem1", d.otherItem1},
            {"otherItem2", d.otherItem2},
            {"otherItem3", d.otherItem3},
            {"manualFlags", byteArray(d.manualFlags)}};
}

nlohmann::ordered_json usedSlotsJson(const PeriodBlock& block) {
    auto list = nlohmann::ordered_json::array();
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& employee = block.employee(slot);
        if (!employee.isUsed()) continue;
        nlohmann::ordered_json entry;
        entry["slot"] = slot;
        entry.update(toJson(employee));
        entry["attendance"] = toJson(block.attendance[slot - 1]);
        entry["payment"] = toJson(block.payments[slot - 1]);
        entry["deduction"] = toJson(block.deductions[slot - 1]);
        list.push_back(std::move(entry));
    }
    return list;
}

}  // namespace keiro::tool
