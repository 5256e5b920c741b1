#pragma once
// Who works at the sample company: the ten employees of 株式会社サンプル商事 in slots 1..10 and,
// for a larger company, generated ones after them in slots 11..100.  Every employee is a fixed
// function of the slot, so the same head count always gives the same people.

#include <array>
#include <string_view>

#include "calc/premium_tables.h"
#include "core/records.h"

namespace keiro::sample {

inline constexpr int kSampleEmployees = 10;  // the company as it is usually shown
inline constexpr double kHoursPerDay = 8.0;  // the company's working day

enum class Status { Employed, OnLeave, LeftLastYear };

struct NamePart {
    std::string_view kanji, kana;
};

struct Bank {
    std::string_view name, kana, branch, branchKana;
    std::string_view code, branchCode;  // the transfer file's codes (made up for the sample)
    int account = 0;                    // seven digits
    int fee = 0;
};

struct Sample {
    std::string_view hired;  // yymmdd: the day the employee was entered
    NamePart family, given;
    std::string_view department;
    int category;   // 1 役員 .. 5 アルバイト
    int payForm;    // 1 月給, 2 日給, 3 時間給
    int taxColumn;  // 0 甲, 1 乙
    int dependents;
    std::array<int, 4> birth;  // era (3 昭和, 4 平成), year, month, day
    int basePay;
    int positionAllowance, familyAllowance, housingAllowance, commute;
    int residentTaxJune, residentTax, clubFee;
    bool employmentInsured, healthInsured, nursingInsured, pensionInsured;
    double hoursPerDay;  // hourly paid: the length of a working day
    int daysOff;         // hourly paid: scheduled days not worked each month
    int leaveGrant;      // paid-leave days granted each April
    int summerBonus, winterBonus;
    Status status;  // in the sample year; the year before, everybody was employed
    bool cash;
    Bank bank;
};

// The employee of slot 1..kMaxEmployees.
Sample sampleOf(int slot);

// The employee master as the employee editor stores it, premiums set from the employee's grade
// with `rates`.  `beforeTheSampleYear`: the employee who left at the end of the year before the
// sample year is still 在職.
EmployeeRecord employeeRecord(int slot, bool beforeTheSampleYear,
                              const calc::HealthGradeTable& grades, const PeriodSettings& rates);

}  // namespace keiro::sample
