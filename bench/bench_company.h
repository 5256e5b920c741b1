#pragma once
// A 100-employee company for the benchmarks: three pay forms, insured, with attendance and
// variable amounts, and salary layouts with one variable allowance and one variable deduction.

#include <string>

#include "core/layouts.h"
#include "core/records.h"

namespace keiro::bench {

// The salary layouts with one variable allowance and one variable deduction on every slip.
inline ItemLayout salaryLayout() {
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    for (Band band : {Band::Pay, Band::Deduction}) {
        for (TEditItems& row : layout.band(band)) {
            if (row.code == "V変動手当１" || row.code == "V変動控除１")
                row.use = {true, true, true};
        }
    }
    return layout;
}

// 100 employees of the three pay forms, insured, with attendance and variable amounts.
inline void fillPeriod(PeriodBlock& block) {
    PeriodSettings& s = block.settings;
    s.companyName.assign("山田商店株式会社");
    s.healthInsRate = 4.925;
    s.pensionRate = 9.15;
    s.employmentInsRate = 0.55;
    for (int i = 0; i < kMaxEmployees; ++i) {
        EmployeeRecord& e = block.employees[i];
        e.recordId.assign("250401_09" + std::to_string(1000 + i));
        e.name.assign("山田　太郎" + std::to_string(i));
        e.payForm = static_cast<std::uint8_t>(1 + i % 3);
        e.workStatus = 1;
        e.basePay = e.payForm == 1 ? 220'000 + 1'000 * i : e.payForm == 2 ? 9'000 : 1'100;
        e.overtimeRate = 1'600;
        e.lateNightRate = 1'900;
        e.paidLeavePay = 8'000;
        e.absenceDeductionRate = 10'000;
        e.employmentInsured = e.healthInsured = e.pensionInsured = 1;
        e.healthInsPremium = 12'806;
        e.pensionPremium = 23'790;
        AttendanceRecord& a = block.attendance[i];
        a.daysWorked = 20;
        a.paidLeaveDays = 1;
        a.hoursWorked = 160;
        a.overtimeHours = 12.5;
        a.lateNightHours = 2;
        a.lateHours = 0.5;
        a.paidLeaveBalance = 9;
        block.payments[i].variableAllowance1 = 3'000;
        block.deductions[i].variableDeduction1 = 1'500;
    }
}

}  // namespace keiro::bench
