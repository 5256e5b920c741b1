#include "sample/roster.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "calc/premiums.h"
#include "core/employee_transfer.h"
#include "core/zengin_text.h"

namespace keiro::sample {
namespace {

// clang-format off
constexpr Bank kToutoHonten{"東都銀行", "ﾄｳﾄｷﾞﾝｺｳ", "本店", "ﾎﾝﾃﾝ", "0998", "001", 0, 0};
constexpr Bank kToutoShinjuku{"東都銀行", "ﾄｳﾄｷﾞﾝｺｳ", "新宿支店", "ｼﾝｼﾞｭｸ", "0998", "123", 0, 0};
constexpr Bank kMidoriChuo{"みどり信用金庫", "ﾐﾄﾞﾘｼﾝｷﾝ", "中央支店", "ﾁｭｳｵｳ", "1999", "010", 0, 330};
// clang-format on

constexpr Bank withAccount(Bank bank, int account) {
    bank.account = account;
    return bank;
}

// clang-format off
constexpr std::array<Sample, kSampleEmployees> kRoster{{
    {"100401", {"佐藤", "ｻﾄｳ"}, {"健一", "ｹﾝｲﾁ"}, "本社", 1, 1, 0, 3, {3, 43, 5, 12},
     450000, 0, 0, 0, 21000, 38700, 38600, 0, false, true, true, true, 0, 0, 0, 0, 0,
     Status::Employed, false, withAccount(kToutoHonten, 1234567)},
    {"120401", {"高橋", "ﾀｶﾊｼ"}, {"誠", "ﾏｺﾄ"}, "営業部", 2, 1, 0, 2, {3, 54, 9, 3},
     340000, 30000, 15000, 0, 18400, 19500, 19100, 1000, true, true, true, true, 0, 0, 18,
     510000, 560000, Status::Employed, false, withAccount(kToutoShinjuku, 2345678)},
    {"170403", {"鈴木", "ｽｽﾞｷ"}, {"美咲", "ﾐｻｷ"}, "総務部", 2, 1, 0, 0, {4, 7, 2, 18},
     255000, 0, 0, 10000, 9800, 13300, 13200, 1000, true, true, false, true, 0, 0, 14,
     382000, 420000, Status::Employed, false, withAccount(kMidoriChuo, 3456789)},
    {"140901", {"伊藤", "ｲﾄｳ"}, {"大輔", "ﾀﾞｲｽｹ"}, "製造部", 2, 1, 0, 4, {3, 59, 11, 30},
     290000, 0, 25000, 0, 12600, 9800, 9700, 1000, true, true, true, true, 0, 0, 16,
     435000, 478000, Status::Employed, false, withAccount(kToutoHonten, 4567890)},
    {"190401", {"田中", "ﾀﾅｶ"}, {"由美", "ﾕﾐ"}, "経理部", 2, 1, 0, 1, {3, 63, 4, 7},
     228000, 0, 5000, 10000, 7200, 11400, 11000, 1000, true, true, false, true, 0, 0, 12,
     342000, 376000, Status::Employed, false, withAccount(kToutoShinjuku, 5678901)},
    {"220601", {"渡辺", "ﾜﾀﾅﾍﾞ"}, {"翔太", "ｼｮｳﾀ"}, "製造部", 3, 2, 0, 0, {4, 11, 8, 21},
     10500, 0, 0, 0, 6300, 8100, 8000, 0, true, true, false, true, 0, 0, 10,
     80000, 90000, Status::Employed, false, withAccount(kMidoriChuo, 6789012)},
    {"200701", {"山本", "ﾔﾏﾓﾄ"}, {"恵子", "ｹｲｺ"}, "製造部", 4, 3, 0, 0, {3, 49, 3, 15},
     1180, 0, 0, 0, 4200, 0, 0, 0, true, false, false, false, 5.0, 3, 9,
     30000, 30000, Status::Employed, false, withAccount(kMidoriChuo, 7890123)},
    {"240501", {"中村", "ﾅｶﾑﾗ"}, {"拓也", "ﾀｸﾔ"}, "営業部", 5, 3, 1, 0, {4, 17, 6, 2},
     1350, 0, 0, 0, 3000, 0, 0, 0, false, false, false, false, 6.0, 8, 0, 0, 0,
     Status::Employed, true, {}},
    {"160401", {"加藤", "ｶﾄｳ"}, {"さくら", "ｻｸﾗ"}, "総務部", 2, 1, 0, 0, {4, 4, 10, 9},
     235000, 0, 0, 10000, 8600, 9900, 9800, 1000, true, true, false, true, 0, 0, 15, 0, 0,
     Status::OnLeave, false, withAccount(kToutoShinjuku, 8901234)},
    {"080401", {"吉田", "ﾖｼﾀﾞ"}, {"浩二", "ｺｳｼﾞ"}, "営業部", 2, 1, 0, 1, {3, 36, 1, 20},
     310000, 20000, 5000, 0, 15800, 17200, 17100, 1000, true, true, false, true, 0, 0, 20,
     465000, 510000, Status::LeftLastYear, false, withAccount(kToutoHonten, 9012345)},
}};
// clang-format on

// What the generated employees are made of.  Family and given names are combined so that slots
// 11..100 all have different names.
constexpr std::array<NamePart, 10> kFamilyNames{{{"小林", "ｺﾊﾞﾔｼ"},
                                                 {"山口", "ﾔﾏｸﾞﾁ"},
                                                 {"松本", "ﾏﾂﾓﾄ"},
                                                 {"井上", "ｲﾉｳｴ"},
                                                 {"木村", "ｷﾑﾗ"},
                                                 {"林", "ﾊﾔｼ"},
                                                 {"清水", "ｼﾐｽﾞ"},
                                                 {"山崎", "ﾔﾏｻﾞｷ"},
                                                 {"森", "ﾓﾘ"},
                                                 {"池田", "ｲｹﾀﾞ"}}};
constexpr std::array<NamePart, 10> kGivenNames{{{"舞", "ﾏｲ"},
                                                {"大輝", "ﾀﾞｲｷ"},
                                                {"陽菜", "ﾋﾅ"},
                                                {"直樹", "ﾅｵｷ"},
                                                {"彩", "ｱﾔ"},
                                                {"亮", "ﾘｮｳ"},
                                                {"真由美", "ﾏﾕﾐ"},
                                                {"和也", "ｶｽﾞﾔ"},
                                                {"愛", "ｱｲ"},
                                                {"隆", "ﾀｶｼ"}}};
constexpr std::array<std::string_view, 5> kDepartments{"営業部", "製造部", "総務部", "製造部",
                                                       "経理部"};
constexpr std::array<std::string_view, 6> kHireDates{"110401", "130401", "150401",
                                                     "180401", "210401", "230401"};
constexpr std::array<Bank, 3> kBanks{kToutoHonten, kToutoShinjuku, kMidoriChuo};

constexpr std::array<std::string_view, 5> kCategoryTexts{"役員", "一般社員", "臨時社員", "パート",
                                                         "アルバイト"};

constexpr double kMonthlyHours = 160.0;  // the hours a monthly wage is divided by
constexpr int kAverageWorkingDays = 21;

int roundedToThousands(int amount) {
    return amount / 1000 * 1000;
}

// Slots 11..100: regular staff on a monthly wage, temporary staff on a daily wage and part-time
// staff on an hourly wage in turn, every one employed.  Some of the hourly paid are students
// (乙 column, uninsured, paid in cash, no paid leave).
Sample generatedSample(int slot) {
    Sample s{};
    s.hired = kHireDates[slot % kHireDates.size()];
    s.family = kFamilyNames[slot % 10];
    s.given = kGivenNames[slot / 10 % 10];
    s.department = kDepartments[slot % kDepartments.size()];
    s.payForm = 1 + slot % 3;
    const bool student = s.payForm == 3 && slot % 4 == 0;
    s.category = s.payForm == 1 ? 2 : s.payForm == 2 ? 3 : student ? 5 : 4;
    s.taxColumn = student ? 1 : 0;
    s.dependents = s.payForm == 1 ? slot % 4 : 0;
    s.birth = slot % 2 == 1
                  ? std::array<int, 4>{3, 45 + slot % 18, 1 + slot % 12, 1 + slot % 28}
                  : std::array<int, 4>{4, 1 + slot % 12, 1 + slot * 5 % 12, 1 + slot % 27};
    s.commute = 4000 + slot * 7 % 12 * 1000;
    switch (s.payForm) {
        case 1:
            s.basePay = 200000 + slot * 37 % 17 * 10000;
            s.positionAllowance = slot % 9 == 0 ? 20000 : 0;
            s.familyAllowance = 5000 * s.dependents;
            s.housingAllowance = slot % 4 == 0 ? 10000 : 0;
            s.residentTax = s.basePay / 2500 * 100;
            s.residentTaxJune = s.residentTax + slot % 10 * 100;
            s.clubFee = 1000;
            s.leaveGrant = 10 + slot % 11;
            s.summerBonus = roundedToThousands(s.basePay * 3 / 2);
            s.winterBonus = roundedToThousands(s.basePay * 8 / 5);
            break;
        case 2:
            s.basePay = 9000 + slot % 6 * 500;
            s.residentTax = 6000;
            s.residentTaxJune = 6200;
            s.leaveGrant = 10;
            s.summerBonus = 80000;
            s.winterBonus = 90000;
            break;
        default:
            s.basePay = 1100 + slot % 5 * 50;
            s.hoursPerDay = slot % 2 == 1 ? 5.0 : 6.0;
            s.daysOff = 3 + slot % 4;
            s.leaveGrant = student ? 0 : 7;
            s.summerBonus = s.winterBonus = student ? 0 : 30000;
            break;
    }
    s.employmentInsured = !student;
    s.healthInsured = s.pensionInsured = s.payForm != 3;
    s.nursingInsured = s.healthInsured && s.birth[0] == 3 && s.birth[1] <= 60;
    s.status = Status::Employed;
    s.cash = student;
    if (!student) s.bank = withAccount(kBanks[slot % kBanks.size()], 1000000 + slot * 7919);
    return s;
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
    e.supportPremium = s.healthInsured ? premiums.supportFor(s.nursingInsured) : 0;
}

std::string digits(int value, int width) {
    std::string text(static_cast<std::size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i, value /= 10) {
        text[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
    }
    return text;
}

std::string joined(const NamePart& family, const NamePart& given, bool kana) {
    return kana ? std::string(family.kana) + " " + std::string(given.kana)
                : std::string(family.kanji) + "　" + std::string(given.kanji);
}

}  // namespace

Sample sampleOf(int slot) {
    return slot <= kSampleEmployees ? kRoster[static_cast<std::size_t>(slot - 1)]
                                    : generatedSample(slot);
}

EmployeeRecord employeeRecord(int slot, bool beforeTheSampleYear,
                              const calc::HealthGradeTable& grades, const PeriodSettings& rates) {
    const Sample s = sampleOf(slot);
    EmployeeRecord e{};
    // Entered at 9 o'clock, one second after the other.
    e.recordId.assign(std::string(s.hired) + "_09" + digits(slot / 60, 2) + digits(slot % 60, 2));
    e.employeeCode.assign(digits(slot, 3));
    e.name.assign(joined(s.family, s.given, false));
    e.nameKana.assign(joined(s.family, s.given, true));
    e.department.assign(s.department);
    e.birthEra = static_cast<std::uint8_t>(s.birth[0]);
    e.birthYear = static_cast<std::uint8_t>(s.birth[1]);
    e.birthMonth = static_cast<std::uint8_t>(s.birth[2]);
    e.birthDay = static_cast<std::uint8_t>(s.birth[3]);
    e.category = static_cast<std::uint8_t>(s.category);
    e.categoryText.assign(kCategoryTexts[static_cast<std::size_t>(s.category - 1)]);
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
        e.accountNumber.assign(digits(s.bank.account, 7));
        e.transferFee = s.bank.fee;
        // The account holder is the employee: the name's reading in the file's kana.
        setTransferCodes(e, s.bank.code, s.bank.branchCode,
                         toZenginText(joined(s.family, s.given, true), ZenginClass::Name).bytes);
    }
    setInsurance(e, s, grades, rates);
    return e;
}

}  // namespace keiro::sample
