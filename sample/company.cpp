#include "sample/company.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calc/premiums.h"
#include "core/zengin_text.h"
#include "sample/roster.h"

namespace keiro::sample {
namespace {

// Working days lost to holidays and the company's closing days, by month: New Year, national
// holidays, Golden Week, Obon and the year end.
constexpr std::array<int, 12> kHolidayWeekdays{3, 2, 1, 1, 3, 0, 1, 3, 2, 1, 2, 3};

constexpr int kPerfectAttendanceAllowance = 5000;
constexpr int kFirstEmploymentRateChange = 2026;  // from April of that year 0.50 %

// The employee's half of 東京都's health-insurance rate of 協会けんぽ and of the care rate, in
// percent, from the March premiums of the fiscal year that begins in `fromYear`.  A premium
// before the first listed year takes the first.
struct HealthRates {
    int fromYear;
    double health;
    double nursing;
};
constexpr HealthRates kTokyoRates[] = {
    {2024, 4.99, 0.80},    // 令和6年度: 9.98 %, care 1.60 %
    {2025, 4.955, 0.795},  // 令和7年度: 9.91 %, care 1.59 %
    {2026, 4.925, 0.81},   // 令和8年度: 9.85 %, care 1.62 %
};

const HealthRates& healthRatesOfPremium(int year, int month) {
    const int fiscalYear = month >= 3 ? year : year - 1;
    const HealthRates* found = &kTokyoRates[0];
    for (const HealthRates& rates : kTokyoRates) {
        if (rates.fromYear <= fiscalYear) found = &rates;
    }
    return *found;
}

// The items this company renamed (indices of kItemDefinitions).
constexpr int kHousingItem = kFirstFreeItem;              // 固定手当１
constexpr int kAttendanceBonusItem = kFirstFreeItem + 3;  // 変動手当１
constexpr int kClubFeeItem = kFirstFreeItem + 6;          // 固定控除１

constexpr int kHandEnteredPremiumSlot = 5;

int weekdaysIn(int year, int month) {
    using namespace std::chrono;
    const year_month ym{std::chrono::year(year), std::chrono::month(month)};
    const unsigned days = static_cast<unsigned>((ym / std::chrono::last).day());
    int count = 0;
    for (unsigned d = 1; d <= days; ++d) {
        const weekday w{sys_days{ym / day(d)}};
        if (w != Saturday && w != Sunday) ++count;
    }
    return count;
}

// One employee's month, a fixed function of slot and month.
struct MonthFigures {
    double absent = 0, paidLeave = 0, lateCount = 0, lateHours = 0;
    double overtime = 0, lateNight = 0, holidayOvertime = 0;
};

MonthFigures monthFigures(const Sample& s, int slot, int month, double leaveLeft) {
    MonthFigures f;
    if (s.category == 1) return f;  // a director's attendance is not recorded
    f.absent = (slot * 5 + month * 3) % 11 == 0 ? 1 : 0;
    double leave = (slot * 3 + month) % 5 == 0 ? 1 : 0;
    if (month == 8 && s.payForm != 3) leave += 2;  // summer holidays
    f.paidLeave = std::min(leave, std::floor(leaveLeft));
    if (s.payForm == 3) return f;  // part-timers work their hours and no overtime
    if ((slot + month * 2) % 9 == 0) {
        f.lateCount = 1;
        f.lateHours = 0.5;
    }
    const bool factory = s.department == "製造部";
    const bool busy = month == 3 || month == 12;
    f.overtime = ((slot * 7 + month * 11) % 25) * 0.5 + (factory ? 6 : 0) + (busy ? 4 : 0);
    f.lateNight = factory ? (slot + month) % 4 : 0;
    f.holidayOvertime = (slot + month) % 6 == 0 ? 8 : 0;
    return f;
}

void enterAttendance(AttendanceRecord& a, const Sample& s, const MonthFigures& f,
                     const PeriodSettings& settings) {
    const double off = f.absent + f.paidLeave;
    const double extra = f.overtime + f.lateNight + f.holidayOvertime;  // 実働 includes overtime
    a.scheduledDays = settings.scheduledDays;  // as the grid's columns hand them over
    a.scheduledHours = settings.scheduledHours;
    a.absentDays = f.absent;
    a.paidLeaveDays = f.paidLeave;
    a.lateCount = f.lateCount;
    a.lateHours = f.lateHours;
    a.overtimeHours = f.overtime;
    a.lateNightHours = f.lateNight;
    a.holidayOvertimeHours = f.holidayOvertime;
    a.holidayWorkDays = f.holidayOvertime > 0 ? 1 : 0;
    switch (s.payForm) {
        case 1:
            a.daysWorked = settings.scheduledDays - off;
            a.hoursWorked = settings.scheduledHours - off * kHoursPerDay - f.lateHours + extra;
            break;
        case 2:
            a.daysWorked = settings.scheduledDays - off;
            a.hoursWorked = a.daysWorked * kHoursPerDay - f.lateHours + extra;
            break;
        default:
            a.daysWorked = std::max(0.0, settings.scheduledDays - s.daysOff - off);
            a.hoursWorked = a.daysWorked * s.hoursPerDay;
            break;
    }
}

// The paid-leave days an employee takes in a year when the balance never holds them back.
double daysTakenInYear(const Sample& s, int slot) {
    constexpr double kPlenty = 366;
    double days = 0;
    for (int month = 1; month <= 12; ++month) {
        days += monthFigures(s, slot, month, kPlenty).paidLeave;
    }
    return days;
}

double openingBalance(const Sample& s, int slot, LeaveStart start, double carried) {
    switch (start) {
        case LeaveStart::SampleYear:
            return s.leaveGrant;
        case LeaveStart::YearBefore:
            return s.leaveGrant > 0 ? daysTakenInYear(s, slot) : 0;
        case LeaveStart::Carried:
            break;
    }
    return carried;
}

}  // namespace

bool isPaidBy(const BonusDate& bonus, std::chrono::year_month_day date) {
    const int month = static_cast<int>(static_cast<unsigned>(date.month()));
    const int day = static_cast<int>(static_cast<unsigned>(date.day()));
    return month > bonus.month || (month == bonus.month && day > bonus.day);
}

Settings sampleSettings() {
    Settings settings;
    settings.companyName = std::string(kCompanyName);
    settings.defaultHoursPerDay = kHoursPerDay;
    settings.itemNames.names[kHousingItem] = "住宅手当";
    settings.itemNames.names[kAttendanceBonusItem] = "精勤手当";
    settings.itemNames.names[kClubFeeItem] = "親睦会費";
    // The transfer file's company side: the bank's code for the company and its account at
    // 東都銀行 本店 (codes made up for the sample).
    TransferOriginator& transfer = settings.transfer;
    transfer.requesterCode = "1234567890";
    transfer.requesterName = toZenginText("サンプルショウジ", ZenginClass::Name).bytes;
    transfer.bankCode = "0998";
    transfer.bankName = toZenginText("トウトギンコウ", ZenginClass::Shop).bytes;
    transfer.branchCode = "001";
    transfer.branchName = toZenginText("ホンテン", ZenginClass::Shop).bytes;
    transfer.accountType = kOrdinaryAccount;
    transfer.accountNumber = "1002003";
    return settings;
}

ItemLayout salaryLayout() {
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    const auto useEverywhere = [&](Band band, std::string_view code) {
        for (LayoutRow& row : layout.band(band)) {
            if (row.code == code) row.use = {true, true, true};
        }
    };
    useEverywhere(Band::Pay, kItemDefinitions[kHousingItem].identifier);
    useEverywhere(Band::Pay, kItemDefinitions[kAttendanceBonusItem].identifier);
    useEverywhere(Band::Deduction, kItemDefinitions[kClubFeeItem].identifier);
    return layout;
}

void writeSampleSettings(IniFile& ini) {
    const Settings settings = sampleSettings();
    saveCommonSettings(ini, settings);
    saveLayout(ini, salaryLayout(), settings.itemNames);
    saveTransferOriginator(ini, settings.transfer);
}

PeriodEntry monthEntry(int year, int month) {
    PeriodEntry entry;
    entry.scheduledDays = weekdaysIn(year, month) - kHolidayWeekdays[month - 1];
    entry.scheduledHours = entry.scheduledDays * kHoursPerDay;
    return entry;
}

PeriodSettings companySettings(int year, int month) {
    PeriodSettings settings{};
    settings.companyName.assign(kCompanyName);
    settings.generalBusiness = 1;
    settings.payDay = 25;
    settings.hoursPerDay = kHoursPerDay;
    settings.pensionRate = 9.15;
    settings.pensionFundRate = 0;
    updateCompanySettings(settings, year, month);
    return settings;
}

bool updateCompanySettings(PeriodSettings& settings, int year, int month) {
    const bool newRate =
        year > kFirstEmploymentRateChange || (year == kFirstEmploymentRateChange && month >= 4);
    settings.employmentInsRate = newRate ? 0.50 : 0.55;
    // The pay of month M collects the premium of month M − 1.
    const int premiumYear = month == 1 ? year - 1 : year;
    const int premiumMonth = month == 1 ? 12 : month - 1;
    const HealthRates& rates = healthRatesOfPremium(premiumYear, premiumMonth);
    const double supportRate =
        calc::SupportLevyDue(premiumYear, premiumMonth) ? calc::kDefaultSupportRate : 0;
    const bool changed = settings.healthInsRate != rates.health ||
                         settings.nursingInsRate != rates.nursing ||
                         settings.supportRate != supportRate;
    settings.healthInsRate = rates.health;
    settings.nursingInsRate = rates.nursing;
    settings.supportRate = supportRate;
    return changed;
}

namespace {

// Every employee of the period in roster order (the roster's slot is the employee's), with
// his id and slot.
template <class Visit>
void forEachEmployee(const PayrollPeriod& period, Visit visit) {
    const std::vector<EmployeeId> ids = period.employeeIds();
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord* e = period.employee(ids[slot - 1]);
        if (e != nullptr && e->isUsed()) visit(ids[slot - 1], slot, *e);
    }
}

}  // namespace

void updatePremiums(PayrollPeriod& period, const calc::HealthGradeTable& grades) {
    forEachEmployee(period, [&](const EmployeeId& id, int, EmployeeRecord e) {
        if (!grades.hasGrade(e.insuranceGrade)) return;
        const calc::MonthlyPremiums premiums =
            calc::SetPremiumsFromGrade(grades, e.insuranceGrade, period.settings());
        if (e.healthInsured) {
            e.healthInsPremium = premiums.health;
            e.supportPremium = premiums.supportFor(e.nursingInsured != 0);
        }
        if (e.nursingInsured) e.nursingInsPremium = premiums.nursing;
        period.setEmployee(id, e);
    });
}

void enterEmployees(PeriodBlock& block, const calc::HealthGradeTable& grades, int employees,
                    bool beforeTheSampleYear) {
    for (int slot = 1; slot <= employees; ++slot) {
        block.employee(slot) = employeeRecord(slot, beforeTheSampleYear, grades, block.settings);
    }
}

void recordLeavers(PayrollPeriod& period) {
    forEachEmployee(period, [&](const EmployeeId& id, int slot, EmployeeRecord e) {
        if (sampleOf(slot).status != Status::LeftLastYear) return;
        e.workStatus = 3;
        period.setEmployee(id, e);
        EmployeeRows rows = period.rows(id);
        rows.attendance.paidLeaveBalance = 0;
        period.setRows(id, rows);
    });
}

void enterMonth(PayrollPeriod& period, int month, LeaveStart start) {
    forEachEmployee(period, [&](const EmployeeId& id, int slot, const EmployeeRecord& e) {
        if (e.workStatus != 1) return;
        const Sample s = sampleOf(slot);
        EmployeeRows rows = period.rows(id);
        AttendanceRecord& a = rows.attendance;
        double balance = openingBalance(s, slot, start, a.paidLeaveBalance);
        if (month == 4) balance = std::min(balance + s.leaveGrant, 2.0 * s.leaveGrant);
        const MonthFigures figures = monthFigures(s, slot, month, balance);
        enterAttendance(a, s, figures, period.settings());
        a.paidLeaveBalance = balance - figures.paidLeave;

        const bool perfect = figures.absent == 0 && figures.lateCount == 0;
        rows.payment.variableAllowance1 =
            s.category == 2 && s.payForm == 1 && perfect ? kPerfectAttendanceAllowance : 0;
        period.setRows(id, rows);
    });
}

void enterHandEnteredPremium(PayrollPeriod& period) {
    const EmployeeId id = period.idAt(kHandEnteredPremiumSlot);
    const EmployeeRecord* stored = period.employee(id);
    if (stored == nullptr || !stored->isUsed()) return;
    EmployeeRecord e = *stored;
    EmployeeRows rows = period.rows(id);
    rows.deduction.healthInsAmount = 2 * e.healthInsPremium;
    rows.deduction.manualFlags[calc::kHealthInsItem - 1] = 1;
    period.setRows(id, rows);
    e.remarks.assign("健康保険料は前月の徴収漏れ分を含みます。");
    period.setEmployee(id, e);
}

void enterBonus(PayrollPeriod& period, const BonusDate& bonus) {
    const bool winter = bonus.period == kWinterBonus.period;
    forEachEmployee(period, [&](const EmployeeId& id, int slot, const EmployeeRecord& e) {
        if (e.workStatus != 1) return;
        const Sample s = sampleOf(slot);
        EmployeeRows rows = period.rows(id);
        rows.payment.basePayAmount = winter ? s.winterBonus : s.summerBonus;
        period.setRows(id, rows);
    });
}

void fillMonth(PeriodBlock& block, const calc::HealthGradeTable& grades, int year, int month,
               int employees) {
    const PeriodEntry entry = monthEntry(year, month);
    block.settings = companySettings(year, month);
    block.settings.scheduledDays = entry.scheduledDays;
    block.settings.scheduledHours = entry.scheduledHours;
    enterEmployees(block, grades, employees, false);
    PayrollPeriod period;
    period.open(month, std::make_unique<PeriodBlock>(block), nullptr, nullptr);
    enterMonth(period, month, LeaveStart::SampleYear);
    block = period.block();
}

}  // namespace keiro::sample
