#include "payroll/model/grade_premiums.h"

#include "calc/premiums.h"

namespace keiro::payroll {

void setGradePremiums(EmployeeRecord& employee, int grade, const calc::HealthGradeTable& table,
                      const PeriodSettings& settings) {
    const calc::MonthlyPremiums p = calc::SetPremiumsFromGrade(table, grade, settings);
    employee.insuranceGrade = static_cast<std::uint16_t>(grade);
    employee.healthInsPremium = p.health;
    employee.nursingInsPremium = p.nursing;
    employee.pensionPremium = p.pension;
    employee.pensionFundPremium = p.pensionFund;
    employee.supportPremium = p.supportFor(employee.nursingInsured != 0);
}

int recalculateGradePremiums(PeriodBlock& block, const calc::HealthGradeTable& table) {
    int set = 0;
    for (EmployeeRecord& employee : block.employees) {
        const int grade = employee.insuranceGrade;
        if (!employee.isUsed() || grade == 0 || !table.hasGrade(grade)) continue;
        setGradePremiums(employee, grade, table, block.settings);
        ++set;
    }
    return set;
}

}  // namespace keiro::payroll
