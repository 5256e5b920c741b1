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

int recalculateGradePremiums(PayrollPeriod& period, const calc::HealthGradeTable& table) {
    int set = 0;
    for (const EmployeeId& id : period.employeeIds()) {
        const EmployeeRecord* stored = period.employee(id);
        if (stored == nullptr || !stored->isUsed()) continue;
        const int grade = stored->insuranceGrade;
        if (grade == 0 || !table.hasGrade(grade)) continue;
        EmployeeRecord employee = *stored;
        setGradePremiums(employee, grade, table, period.settings());
        period.setEmployee(id, employee);
        ++set;
    }
    return set;
}

}  // namespace keiro::payroll
