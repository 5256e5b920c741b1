#include "sample/company.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <string>
#include <string_view>

#include "calc/premiums.h"
#include "core/layouts.h"
#include "core/settings.h"

namespace keiro::sample {
namespace {

enum class Status { Employed, OnLeave, LeftLastYear };

struct Bank {
    std::string_view name, kana, branch, branchKana;
    std::string_view account;
    int fee = 0;
};

struct Sample {
    std::string_view hired;  // yymmdd: the day the employee was entered
    std::string_view code, name, kana, department;
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
    int summerBonus;
    Status status;
    bool cash;
    Bank bank;
};

constexpr Bank kToutoHonten{"東都銀行", "ﾄｳﾄｷﾞﾝｺｳ", "本店", "ﾎﾝﾃﾝ", "", 0};
constexpr Bank kToutoShinjuku{"東都銀行", "ﾄｳﾄｷﾞﾝｺｳ", "新宿支店", "ｼﾝｼﾞｭｸ", "", 0};
constexpr Bank kMidoriChuo{"みどり信用金庫", "ﾐﾄﾞﾘｼﾝｷﾝ", "中央支店", "ﾁｭｳｵｳ", "", 330};

constexpr Bank withAccount(Bank bank, std::string_view account) {
    bank.account = account;
    return bank;
}

// clang-format off
constexpr std::array<Sample, kEmployeeCount> kRoster{{
    {"100401", "001", "佐藤　健一", "ｻﾄｳ ｹﾝｲﾁ", "本社", 1, 1, 0, 3, {3, 43, 5, 12},
     450000, 0, 0, 0, 21000, 38700, 38600, 0, false, true, true, true, 0, 0, 0, 0,
     Status::Employed, false, withAccount(kToutoHonten, "1234567")},
    {"120401", "002", "高橋　誠", "ﾀｶﾊｼ ﾏｺﾄ", "営業部", 2, 1, 0, 2, {3, 54, 9, 3},
     340000, 30000, 15000, 0, 18400, 19500, 19100, 1000, true, true, true, true, 0, 0, 18, 510000,
     Status::Employed, false, withAccount(kToutoShinjuku, "2345678")},
    {"170403", "003", "鈴木　美咲", "ｽｽﾞｷ ﾐｻｷ", "総務部", 2, 1, 0, 0, {4, 7, 2, 18},
     255000, 0, 0, 10000, 9800, 13300, 13200, 1000, true, true, false, true, 0, 0, 14, 382000,
     Status::Employed, false, withAccount(kMidoriChuo, "3456789")},
    {"140901", "004", "伊藤　大輔", "ｲﾄｳ ﾀﾞｲｽｹ", "製造部", 2, 1, 0, 4, {3, 59, 11, 30},
     290000, 0, 25000, 0, 12600, 9800, 9700, 1000, true, true, true, true, 0, 0, 16, 435000,
     Status::Employed, false, withAccount(kToutoHonten, "4567890")},
    {"190401", "005", "田中　由美", "ﾀﾅｶ ﾕﾐ", "経理部", 2, 1, 0, 1, {3, 63, 4, 7},
     228000, 0, 5000, 10000, 7200, 11400, 11000, 1000, true, true, false, true, 0, 0, 12, 342000,
     Status::Employed, false, withAccount(kToutoShinjuku, "5678901")},
    {"220601", "006", "渡辺　翔太", "ﾜﾀﾅﾍﾞ ｼｮｳﾀ", "製造部", 3, 2, 0, 0, {4, 11, 8, 21},
     10500, 0, 0, 0, 6300, 8100, 8000, 0, true, true, false, true, 0, 0, 10, 80000,
     Status::Employed, false, withAccount(kMidoriChuo, "6789012")},
    {"200701", "007", "山本　恵子", "ﾔﾏﾓﾄ ｹｲｺ", "製造部", 4, 3, 0, 0, {3, 49, 3, 15},
     1180, 0, 0, 0, 4200, 0, 0, 0, true, false, false, false, 5.0, 3, 9, 30000,
     Status::Employed, false, withAccount(kMidoriChuo, "7890123")},
    {"240501", "008", "中村　拓也", "ﾅｶﾑﾗ ﾀｸﾔ", "営業部", 5, 3, 1, 0, {4, 17, 6, 2},
     1350, 0, 0, 0, 3000, 0, 0, 0, false, false, false, false, 6.0, 8, 0, 0,
     Status::Employed, true, {}},
    {"160401", "009", "加藤　さくら", "ｶﾄｳ ｻｸﾗ", "総務部", 2, 1, 0, 0, {4, 4, 10, 9},
     235000, 0, 0, 10000, 8600, 9900, 9800, 1000, true, true, false, true, 0, 0, 15, 0,
     Status::OnLeave, false, withAccount(kToutoShinjuku, "8901234")},
    {"080401", "010", "吉田　浩二", "ﾖｼﾀﾞ ｺｳｼﾞ", "営業部", 2, 1, 0, 1, {3, 36, 1, 20},
     310000, 20000, 5000, 0, 15800, 17200, 17100, 1000, true, true, false, true, 0, 0, 20, 0,
     Status::LeftLastYear, false, withAccount(kToutoHonten, "9012345")},
}};
// clang-format on

constexpr std::array<std::string_view, 5> kCategoryTexts{"役員", "一般社員", "臨時社員", "パート",
                                                         "アルバイト"};

// Working days lost to holidays and the company's closing days, by month: New Year, national
// holidays, Golden Week, Obon and the year end.
constexpr std::array<int, 12> kHolidayWeekdays{3, 2, 1, 1, 3, 0, 1, 3, 2, 1, 2, 3};

constexpr double kHoursPerDay = 8.0;
constexpr double kMonthlyHours = 160.0;  // the hours a monthly wage is divided by
constexpr int kAverageWorkingDays = 21;
constexpr int kPerfectAttendanceAllowance = 5000;
constexpr int kFirstEmploymentRateChange = 2026;  // from April of that year 0.50 %

// The items this company renamed (indices of kItemDefinitions).
constexpr int kHousingItem = kFirstFreeItem;              // 固定手当１
constexpr int kAttendanceBonusItem = kFirstFreeItem + 3;  // 変動手当１
constexpr int kClubFeeItem = kFirstFreeItem + 6;          // 固定控除１

const Sample& sampleOf(int slot) {
    return kRoster[slot - 1];
}

int perHourUnit(const Sample& s, double factor) {
    if (s.category == 1) return 0;  // a director is paid no overtime
    const double hourly = s.payForm == 1   ? s.basePay / kMonthlyHours
                          : s.payForm == 2 ? s.basePay / kHoursPerDay
                                           : s.basePay;
    return static_cast<int>(std::lround(hourly * factor));
}

// The monthly remuneration the grade is chosen for: the fixed pay with a usual month's work.
std::int32_t expectedRemuneration(const Sample& s, const EmployeeRecord& e) {
    switch (s.payForm) {
        case 1:
            return s.basePay + s.positionAllowance + s.familyAllowance + s.housingAllowance +
                   s.commute + 10 * e.overtimeRate;
        case 2:
            return s.basePay * 20 + s.commute + 8 * e.overtimeRate;
        default:
            return static_cast<std::int32_t>(s.basePay * s.hoursPerDay * 16) + s.commute;
    }
}

void setInsurance(EmployeeRecord& e, const Sample& s, const calc::HealthGradeTable& grades,
                  const PeriodSettings& rates) {
    e.employmentInsured = s.employmentInsured;
    e.healthInsured = s.healthInsured;
    e.nursingInsured = s.nursingInsured;
    e.pensionInsured = s.pensionInsured;
    if (!s.healthInsured && !s.pensionInsured) return;
    const int grade = grades.gradeOf(expectedRemuneration(s, e));
    const calc::MonthlyPremiums premiums = calc::SetPremiumsFromGrade(grades, grade, rates);
    e.insuranceGrade = static_cast<std::uint16_t>(grade);
    e.healthInsPremium = s.healthInsured ? premiums.health : 0;
    e.nursingInsPremium = s.nursingInsured ? premiums.nursing : 0;
    e.pensionPremium = s.pensionInsured ? premiums.pension : 0;
}

std::string twoDigits(int value) {
    return std::string{static_cast<char>('0' + value / 10 % 10),
                       static_cast<char>('0' + value % 10)};
}

EmployeeRecord employeeRecord(int slot, bool beforeTheSampleYear) {
    const Sample& s = sampleOf(slot);
    EmployeeRecord e{};
    e.recordId.assign(std::string(s.hired) + "_0900" + twoDigits(slot));
    e.employeeCode.assign(s.code);
    e.name.assign(s.name);
    e.nameKana.assign(s.kana);
    e.department.assign(s.department);
    e.birthEra = static_cast<std::uint8_t>(s.birth[0]);
    e.birthYear = static_cast<std::uint8_t>(s.birth[1]);
    e.birthMonth = static_cast<std::uint8_t>(s.birth[2]);
    e.birthDay = static_cast<std::uint8_t>(s.birth[3]);
    e.category = static_cast<std::uint8_t>(s.category);
    e.categoryText.assign(kCategoryTexts[s.category - 1]);
    e.payForm = static_cast<std::uint8_t>(s.payForm);
    const bool left = s.status == Status::LeftLastYear && !beforeTheSampleYear;
    e.workStatus = s.status == Status::OnLeave ? 2 : left ? 3 : 1;
    e.taxColumn = static_cast<std::uint8_t>(s.taxColumn);
    e.payMethod = s.cash ? 1 : 0;
    e.dependents = s.dependents;
    e.dependentRelatives = s.dependents;
    e.basePay = s.basePay;
    e.overtimeRate = perHourUnit(s, 1.25);
    e.lateNightRate = perHourUnit(s, 1.50);
    e.holidayOvertimeRate = perHourUnit(s, 1.35);
    e.holidayLateNightRate = perHourUnit(s, 1.60);
    e.commuteNonTaxable = s.commute;
    e.residentTaxJune = s.residentTaxJune;
    e.residentTax = s.residentTax;
    e.positionAllowance = s.positionAllowance;
    e.familyAllowance = s.familyAllowance;
    e.fixedAllowance1 = s.housingAllowance;
    e.fixedDeduction1 = s.clubFee;
    if (s.payForm == 1 && s.category != 1) {
        e.absenceDeductionRate = s.basePay / kAverageWorkingDays;
        e.lateDeductionRate = static_cast<std::int32_t>(s.basePay / kMonthlyHours);
    } else if (s.payForm == 2) {
        e.paidLeavePay = s.basePay;
    } else if (s.payForm == 3) {
        e.paidLeavePay = static_cast<std::int32_t>(s.basePay * s.hoursPerDay);
    }
    if (!s.cash) {
        e.bankName.assign(s.bank.name);
        e.bankNameKana.assign(s.bank.kana);
        e.branchName.assign(s.bank.branch);
        e.branchNameKana.assign(s.bank.branchKana);
        e.accountNumber.assign(s.bank.account);
        e.transferFee = s.bank.fee;
    }
    return e;
}

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

}  // namespace

void writeSampleSettings(IniFile& ini) {
    Settings settings;
    settings.companyName = std::string(kCompanyName);
    settings.defaultHoursPerDay = kHoursPerDay;
    settings.itemNames.names[kHousingItem] = "住宅手当";
    settings.itemNames.names[kAttendanceBonusItem] = "精勤手当";
    settings.itemNames.names[kClubFeeItem] = "親睦会費";
    saveCommonSettings(ini, settings);

    // The renamed items are switched on in the salary slips of every pay form.
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    const auto useEverywhere = [&](Band band, std::string_view code) {
        for (TEditItems& row : layout.band(band)) {
            if (row.code == code) row.use = {true, true, true};
        }
    };
    useEverywhere(Band::Pay, kItemDefinitions[kHousingItem].identifier);
    useEverywhere(Band::Pay, kItemDefinitions[kAttendanceBonusItem].identifier);
    useEverywhere(Band::Deduction, kItemDefinitions[kClubFeeItem].identifier);
    saveLayout(ini, layout, settings.itemNames);
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
    settings.healthInsRate = 4.925;  // half of 東京都's 9.85 %
    settings.nursingInsRate = 0.81;
    settings.pensionRate = 9.15;
    settings.pensionFundRate = 0;
    updateCompanySettings(settings, year, month);
    return settings;
}

void updateCompanySettings(PeriodSettings& settings, int year, int month) {
    const bool newRate =
        year > kFirstEmploymentRateChange || (year == kFirstEmploymentRateChange && month >= 4);
    settings.employmentInsRate = newRate ? 0.50 : 0.55;
}

void enterEmployees(PeriodBlock& block, const calc::HealthGradeTable& grades,
                    bool beforeTheSampleYear) {
    for (int slot = 1; slot <= kEmployeeCount; ++slot) {
        EmployeeRecord& e = block.employee(slot);
        e = employeeRecord(slot, beforeTheSampleYear);
        setInsurance(e, sampleOf(slot), grades, block.settings);
    }
}

void enterMonth(PeriodBlock& block, int month, bool firstMonth) {
    for (int slot = 1; slot <= kEmployeeCount; ++slot) {
        const Sample& s = sampleOf(slot);
        if (block.employee(slot).workStatus != 1) continue;
        AttendanceRecord& a = block.attendance[slot - 1];
        double balance = firstMonth ? s.leaveGrant : a.paidLeaveBalance;
        if (month == 4) balance = std::min(balance + s.leaveGrant, 2.0 * s.leaveGrant);
        const MonthFigures figures = monthFigures(s, slot, month, balance);
        enterAttendance(a, s, figures, block.settings);
        a.paidLeaveBalance = balance - figures.paidLeave;

        const bool perfect = figures.absent == 0 && figures.lateCount == 0;
        block.payments[slot - 1].variableAllowance1 =
            s.category == 2 && s.payForm == 1 && perfect ? kPerfectAttendanceAllowance : 0;
    }
}

void enterHandEnteredPremium(PeriodBlock& block) {
    constexpr int kSlot = 5;
    EmployeeRecord& e = block.employee(kSlot);
    DeductionRecord& d = block.deductions[kSlot - 1];
    d.healthInsAmount = 2 * e.healthInsPremium;
    d.manualFlags[calc::kHealthInsItem - 1] = 1;
    e.remarks.assign("健康保険料は前月の徴収漏れ分を含みます。");
}

void enterSummerBonus(PeriodBlock& block) {
    for (int slot = 1; slot <= kEmployeeCount; ++slot) {
        if (block.employee(slot).workStatus != 1) continue;
        block.payments[slot - 1].basePayAmount = sampleOf(slot).summerBonus;
    }
}

}  // namespace keiro::sample
