#pragma once
// The records of the year data file.  Each struct's bytes are the file's bytes: the layout is
// fixed by files already in use, so every offset is checked at compile time.

#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "core/pstr.h"

namespace keiro {

static_assert(std::endian::native == std::endian::little, "the data files are little-endian");

inline constexpr int kMaxEmployees = 100;
inline constexpr int kPeriodCount = 15;
inline constexpr int kFirstBonusPeriod = 13;  // periods 13..15 are bonuses, 1..12 months
inline constexpr int kManualFlagCount = 25;   // hand-entry flags of a payment or deduction record

inline bool isBonusPeriod(int period) {
    return period > 12;
}

// The array index of a 1-based number (slot, period, item), asserted to lie within 1..count: the
// records' accessors take numbers as the files and the calculation count them.
constexpr int indexOf(int number, [[maybe_unused]] int count) {
    assert(number >= 1 && number <= count);
    return number - 1;
}

struct YearFileHeader {
    double headerValue;             // nobody reads it; written back as it was read
    std::uint8_t periodSaved[16];   // index k-1: 1 once period k was saved; entry 16 unused
    std::int32_t bonusPayMonth[3];  // periods 13..15; 0 = not set
    std::int32_t bonusPayDay[3];
    std::uint8_t reserved[80];

    bool isSaved(int period) const { return periodSaved[indexOf(period, kPeriodCount)] == 1; }
};

struct PeriodSettings {
    PStr<44> companyName;  // empty = the period holds no company data
    std::uint8_t companyNameTail[15];
    std::uint8_t generalBusiness;  // 1 一般事業所, 0 それ以外
    std::uint8_t reserved61[3];
    std::int32_t payDay;  // 31 = month end
    std::int32_t scheduledDays;
    double scheduledHours;
    std::int32_t payNextMonth;
    std::uint8_t reserved84[12];
    double hoursPerDay;
    double employmentInsRate;  // employee's shares, in percent
    double healthInsRate;
    double nursingInsRate;
    double pensionRate;
    double pensionFundRate;
    std::int64_t corporateNumber;  // 13 digits; 0 = none
    // Employee's share of 子ども・子育て支援金 in percent (offset 152, once reserved space); a
    // file written before the levy reads 0, which means no levy.
    double supportRate;
    std::uint8_t reserved160[240];
};

// An employee's social-insurance facts kept for the yearly tasks (standard amounts decided from
// April-June pay, revisions on a change of fixed pay, bonus reports, labour insurance totals).
// Every field's 0 means "not set" and gives the behaviour of a file written before them.
#pragma pack(push, 1)
struct SocialInsuranceFields {
    // Which day-count rule decides the months counted: 0 not set (as 1), 1 一般 (17 days),
    // 2 短時間就労者 (17, else 15), 3 短時間労働者 at a 特定適用事業所 (11).
    std::uint8_t dayRule;
    // How the current grade was decided: 0 not set, 1 資格取得時, 2 定時決定, 3 随時改定.
    std::uint8_t decisionKind;
    // The column of the labour insurance wage summary: 0 not set (役員 category: outside it;
    // otherwise by 雇用保険対象者), 1 常用労働者, 2 役員で労働者扱い, 3 臨時労働者, 4 outside
    // (a director without a worker's wage).
    std::uint8_t labourClass;
    std::uint8_t reserved3;
    std::int32_t decidedRemuneration;  // 報酬月額 the current grade was decided on; 0 not set
    std::int32_t revisedYearMonth;     // 改定年月 of the current grade as yyyymm; 0 not set
    // 修正平均額 the clerk entered for this year's April-June decision; 0 none.
    std::int32_t adjustedAverage;
    // 標準賞与額 already counted towards the health yearly cap before the first bonus in the
    // year files (another employer under the same insurer, or a year without a file), for the
    // health insurance year (April-March) that starts in April of `carriedBonusYear`.
    std::int32_t carriedBonus;
    std::int32_t carriedBonusYear;
    std::int32_t insuredSince;  // 資格取得日 as yyyymmdd; 0 not set (insured all along)
    std::int32_t insuredUntil;  // 資格喪失日 as yyyymmdd; 0 not set (still insured)
    // 1: a 70歳以上被用者, reported to the pension office (and from 75 in neither health nor
    // pension) though his insurance flags are off.  0: only the flags say; an employee of 70 or
    // over with the health or pension flag still on is one as well.
    std::uint8_t over70Employee;
    // 1: this year's April-June decision is the insurer's by the annual average (年間平均); the
    // 修正平均額 above is the insurer's figure.
    std::uint8_t annualAverage;
    std::uint8_t reserved34[46];
};
#pragma pack(pop)

#pragma pack(push, 1)
// One employee's pay of the months paid this year before the first period kept in the program:
// what the yearly totals add to the periods' sums and what the first bonus taxed in the program
// takes as the previous month's pay when that month is not in the file.
struct OpeningTotals {
    std::int32_t pay;                 // 総支給額
    std::int32_t taxablePay;          // 課税支給額
    std::int32_t socialInsurance;     // 社会保険料
    std::int32_t incomeTax;           // 所得税 withheld
    std::int32_t lastPayAfterSocial;  // the last of those months: 課税支給額 − 社会保険料
};

struct EmployeeRecord {
    PStr<14> recordId;  // "yymmdd_hhnnss"; empty = free slot
    PStr<11> employeeCode;
    PStr<17> name;
    PStr<13> nameKana;
    PStr<17> department;
    std::uint8_t birthEra;   // 1 明治, 2 大正, 3 昭和, 4 平成
    std::uint8_t birthYear;  // 0 = no birth date
    std::uint8_t birthMonth;
    std::uint8_t birthDay;
    std::uint8_t category;    // 1 役員 .. 5 アルバイト
    std::uint8_t payForm;     // 1 月給, 2 日給, 3 時間給
    std::uint8_t workStatus;  // 1 在職, 2 休職, 3 退職
    std::uint8_t taxColumn;   // 0 甲欄, 1 乙欄
    std::uint8_t payMethod;   // 1 現金, otherwise 振込
    std::uint8_t reserved86[2];
    std::int32_t dependents;
    std::int32_t dependentRelatives;
    std::int32_t basePay;  // monthly amount, daily or hourly wage by payForm
    std::int32_t overtimeRate;
    std::int32_t lateNightRate;
    std::int32_t holidayOvertimeRate;
    std::int32_t holidayLateNightRate;
    std::int32_t commuteNonTaxable;
    std::int32_t commuteTaxable;
    std::int32_t residentTaxJune;
    std::int32_t residentTax;
    std::int32_t positionAllowance;
    std::int32_t familyAllowance;
    std::int32_t fixedAllowance1;
    std::int32_t fixedAllowance2;
    std::int32_t fixedAllowance3;
    std::int32_t fixedDeduction1;
    std::int32_t fixedDeduction2;
    std::int32_t fixedDeduction3;
    std::int32_t paidLeavePay;
    std::int32_t absenceDeductionRate;
    std::int32_t lateDeductionRate;
    // The municipality the employee's residence tax is paid to (offsets 176..195, once reserved
    // space cleared on save; an older file holds zeros here, which reads as "not set"), kept on
    // save and carried into a new year:
    // 全国地方公共団体コード, six digits with the check digit; 0 = not set.
    std::int32_t residentTaxCityCode;
    // Its name in code page 932 ("千代田区", "横浜市").
    PStr<15> residentTaxCity;
    std::uint8_t employmentInsured;
    std::uint8_t reserved197;
    std::uint8_t healthInsured;
    std::uint8_t reserved199;
    std::int32_t healthInsPremium;
    std::uint8_t nursingInsured;
    std::uint8_t reserved205[3];
    std::int32_t nursingInsPremium;
    std::uint8_t pensionInsured;
    std::uint8_t reserved213[3];
    std::int32_t pensionPremium;
    std::uint8_t pensionFundMember;
    std::uint8_t reserved221[3];
    std::int32_t pensionFundPremium;
    PStr<25> bankName;
    PStr<17> bankNameKana;
    PStr<25> branchName;
    PStr<17> branchNameKana;
    std::uint8_t accountType;  // 0 普通, 1 当座, 2 貯蓄
    PStr<8> accountNumber;
    std::uint8_t reserved326[2];
    std::int32_t transferFee;
    std::uint8_t reserved332;
    PStr<175> remarks;
    PStr<12> categoryText;
    std::uint16_t insuranceGrade;
    std::int64_t myNumber;  // 12 digits; 0 = none
    // Monthly 子ども・子育て支援金, set with the health premium from the grade (offset 532, once
    // reserved space cleared on save; an older file holds 0 here).
    std::int32_t supportPremium;
    // The bank transfer file's codes (offsets 536..575, once reserved space cleared on save; an
    // older file holds zeros here, which reads as "not set"):
    // 全銀 bank code, four ASCII digits; set only when all four are digits.
    char bankCode[4];
    // 全銀 branch code, three ASCII digits; set only when all three are digits.
    char branchCode[3];
    // 口座名義カナ: the account holder's name in the transfer file's half-width character set
    // (single bytes of code page 932), left-aligned, the rest zero bytes.
    char accountHolderKana[30];
    std::uint8_t reserved573[3];
    // The password the employee's pay-slip PDFs are encrypted with (printable ASCII; empty =
    // none yet), kept as the encryption needs it, in the file that already holds the pay and
    // the My Number.  An older file holds zeros here: no password.
    PStr<22> slipPassword;
    std::uint8_t slipPasswordGenerated;  // 1: made by the program, not chosen by the employee
    // Bytes 600..679: what the yearly social-insurance tasks need (SocialInsuranceFields);
    // kept on save.  An older file holds zeros here, which read as "not set" throughout.
    SocialInsuranceFields social;
    // Bytes 680..699: the totals of the months this year paid before the first period kept in
    // the program (an office that starts mid-year), kept on save and carried with the master
    // from period to period; an older file holds zeros here (nothing paid before).  Cleared
    // when the master is carried into a new year.
    OpeningTotals opening;

    bool isUsed() const { return !recordId.empty(); }
};
#pragma pack(pop)

struct AttendanceRecord {
    double scheduledDays;
    double daysWorked;
    double paidLeaveDays;
    double absentDays;
    double holidayWorkDays;
    double specialLeaveDays;
    double scheduledHours;
    double hoursWorked;
    double overtimeHours;
    double lateNightHours;
    double holidayOvertimeHours;
    double holidayLateNightHours;
    double lateCount;
    double lateHours;
    double paidLeaveBalance;
    // 支払基礎日数 as the clerk corrected it (offset 120), valid when `payBasisDaysSet` (offset
    // 128) is 1; otherwise the days are derived from the period.  Once reserved space: an older
    // file holds 0 in both, "not corrected".
    double payBasisDays;
    double payBasisDaysSet;
    double reserved[8];

    // Item j (1..15) in record order, for code that walks the attendance items by index.
    double& item(int j) { return this->*kItems[indexOf(j, 15)]; }
    double item(int j) const { return this->*kItems[indexOf(j, 15)]; }
    static constexpr double AttendanceRecord::*kItems[15] = {
        &AttendanceRecord::scheduledDays,
        &AttendanceRecord::daysWorked,
        &AttendanceRecord::paidLeaveDays,
        &AttendanceRecord::absentDays,
        &AttendanceRecord::holidayWorkDays,
        &AttendanceRecord::specialLeaveDays,
        &AttendanceRecord::scheduledHours,
        &AttendanceRecord::hoursWorked,
        &AttendanceRecord::overtimeHours,
        &AttendanceRecord::lateNightHours,
        &AttendanceRecord::holidayOvertimeHours,
        &AttendanceRecord::holidayLateNightHours,
        &AttendanceRecord::lateCount,
        &AttendanceRecord::lateHours,
        &AttendanceRecord::paidLeaveBalance};
};

struct PaymentRecord {
    std::int32_t basePayAmount;            // 基本給 / 賞与 in bonus periods
    std::int32_t positionAllowanceAmount;  // 役職手当 / 役員報酬 in bonus periods
    std::int32_t familyAllowanceAmount;
    std::int32_t fixedAllowance1;
    std::int32_t fixedAllowance2;
    std::int32_t fixedAllowance3;
    std::int32_t overtimePay;
    std::int32_t lateNightPay;
    std::int32_t holidayOvertimePay;
    std::int32_t holidayLateNightPay;
    std::int32_t commuteNonTaxableAmount;
    std::int32_t commuteTaxableAmount;
    std::int32_t variableAllowance1;
    std::int32_t variableAllowance2;
    std::int32_t variableAllowance3;
    std::int32_t absenceDeduction;
    std::int32_t lateDeduction;
    std::int32_t taxablePayTotal;
    std::int32_t payTotal;
    std::int32_t otherItem1;  // outside the pay totals
    std::int32_t otherItem2;
    std::int32_t otherItem3;
    // The social-insurance facts of this pay that the amounts do not show (offsets 88..115, once
    // reserved space: an older file holds 0, "none").  They belong to this month only: a new
    // period starts without them.
    //
    // 遡及支払額: pay in this pay that belongs to earlier months (a raise decided late), and the
    // months it belongs to as yyyymm.  The April-June decision and a revision take out the part
    // for months before the months they average.
    std::int32_t backPay;
    std::int32_t backPayFirstMonth;
    std::int32_t backPayLastMonth;
    // 0 none, 1 休職 (sick or other leave; the pay of the month is not a change of fixed pay and
    // is left out of the April-June average), 2 産前産後休業・育児休業 with the premiums exempt.
    std::uint8_t leaveKind;
    std::uint8_t reserved101[3];
    std::int32_t leavePay;  // 休職給 paid for the month of leave; 0 none
    // 修正平均額 the clerk entered for a revision whose first changed pay is this one; 0 none.
    std::int32_t revisionAdjustedAverage;
    std::uint8_t reserved112[4];
    // index j-1: amount j (offset 4*(j-1)) entered by hand
    std::uint8_t manualFlags[kManualFlagCount];
    std::uint8_t reserved141[7];

    static constexpr int kAmountCount = 22;
    std::int32_t& amount(int j) { return this->*kAmounts[indexOf(j, kAmountCount)]; }
    std::int32_t amount(int j) const { return this->*kAmounts[indexOf(j, kAmountCount)]; }
    bool isManual(int j) const { return manualFlags[indexOf(j, kManualFlagCount)] == 1; }

    static constexpr std::int32_t PaymentRecord::*kAmounts[kAmountCount] = {
        &PaymentRecord::basePayAmount,
        &PaymentRecord::positionAllowanceAmount,
        &PaymentRecord::familyAllowanceAmount,
        &PaymentRecord::fixedAllowance1,
        &PaymentRecord::fixedAllowance2,
        &PaymentRecord::fixedAllowance3,
        &PaymentRecord::overtimePay,
        &PaymentRecord::lateNightPay,
        &PaymentRecord::holidayOvertimePay,
        &PaymentRecord::holidayLateNightPay,
        &PaymentRecord::commuteNonTaxableAmount,
        &PaymentRecord::commuteTaxableAmount,
        &PaymentRecord::variableAllowance1,
        &PaymentRecord::variableAllowance2,
        &PaymentRecord::variableAllowance3,
        &PaymentRecord::absenceDeduction,
        &PaymentRecord::lateDeduction,
        &PaymentRecord::taxablePayTotal,
        &PaymentRecord::payTotal,
        &PaymentRecord::otherItem1,
        &PaymentRecord::otherItem2,
        &PaymentRecord::otherItem3};
};

struct DeductionRecord {
    std::int32_t healthInsAmount;
    std::int32_t pensionAmount;
    std::int32_t pensionFundAmount;
    std::int32_t employmentInsAmount;
    std::int32_t nursingInsAmount;
    std::int32_t socialInsTotal;
    std::int32_t payAfterSocialIns;  // what the income tax table is applied to
    std::int32_t incomeTax;
    std::int32_t residentTaxAmount;
    std::int32_t fixedDeduction1;
    std::int32_t fixedDeduction2;
    std::int32_t fixedDeduction3;
    std::int32_t variableDeduction1;
    std::int32_t variableDeduction2;
    std::int32_t variableDeduction3;
    std::int32_t deductionTotal;
    std::int32_t socialInsBase;
    std::int32_t otherItem1;  // second copy of the payment record's その他
    std::int32_t otherItem2;
    std::int32_t otherItem3;
    // 子ども・子育て支援金, amount 21 (offset 80, once reserved space; its hand-entry flag is
    // manualFlags[20], offset 128).  An older file holds 0 and no flag.
    std::int32_t supportAmount;
    // 年調過不足, amount 22 (offset 84, once reserved space): the year-end adjustment settled in
    // this period's pay, written by the withholding program; positive is collected from the
    // employee, negative refunded.  Counted in the deduction total, never recalculated (its
    // hand-entry flag is manualFlags[21], offset 129).  An older file holds 0.
    std::int32_t yearEndSettlement;
    std::uint8_t reserved88[20];
    std::uint8_t manualFlags[kManualFlagCount];  // index j-1: amount j entered by hand
    std::uint8_t reserved133[3];

    static constexpr int kAmountCount = 22;
    static constexpr int kIncomeTaxItem = 8;
    static constexpr int kSupportItem = 21;
    static constexpr int kSettlementItem = 22;
    std::int32_t& amount(int j) { return this->*kAmounts[indexOf(j, kAmountCount)]; }
    std::int32_t amount(int j) const { return this->*kAmounts[indexOf(j, kAmountCount)]; }
    bool isManual(int j) const { return manualFlags[indexOf(j, kManualFlagCount)] == 1; }

    static constexpr std::int32_t DeductionRecord::*kAmounts[kAmountCount] = {
        &DeductionRecord::healthInsAmount,    &DeductionRecord::pensionAmount,
        &DeductionRecord::pensionFundAmount,  &DeductionRecord::employmentInsAmount,
        &DeductionRecord::nursingInsAmount,   &DeductionRecord::socialInsTotal,
        &DeductionRecord::payAfterSocialIns,  &DeductionRecord::incomeTax,
        &DeductionRecord::residentTaxAmount,  &DeductionRecord::fixedDeduction1,
        &DeductionRecord::fixedDeduction2,    &DeductionRecord::fixedDeduction3,
        &DeductionRecord::variableDeduction1, &DeductionRecord::variableDeduction2,
        &DeductionRecord::variableDeduction3, &DeductionRecord::deductionTotal,
        &DeductionRecord::socialInsBase,      &DeductionRecord::otherItem1,
        &DeductionRecord::otherItem2,         &DeductionRecord::otherItem3,
        &DeductionRecord::supportAmount,      &DeductionRecord::yearEndSettlement};
};

// One pay period: the company settings and up to 100 employees with their records.
// Slot i (1..100) is index i-1 of each array.
struct PeriodBlock {
    PeriodSettings settings;
    EmployeeRecord employees[kMaxEmployees];
    AttendanceRecord attendance[kMaxEmployees];
    PaymentRecord payments[kMaxEmployees];
    DeductionRecord deductions[kMaxEmployees];

    EmployeeRecord& employee(int slot) { return employees[indexOf(slot, kMaxEmployees)]; }
    const EmployeeRecord& employee(int slot) const {
        return employees[indexOf(slot, kMaxEmployees)];
    }
};

// Byte counts of the file and of the earlier edition's 80-employee layout.
inline constexpr std::size_t kHeaderSize = 128;
inline constexpr std::size_t kBlockSize = 118'800;
inline constexpr std::size_t kYearFileSize = kHeaderSize + kPeriodCount * kBlockSize;  // 1,782,128
inline constexpr int kLegacyEmployees = 80;
inline constexpr std::size_t kLegacyBlockSize = 95'120;
inline constexpr std::size_t kLegacyYearFileSize = kHeaderSize + kPeriodCount * kLegacyBlockSize;

inline constexpr std::size_t blockOffset(int period) {
    return kHeaderSize + static_cast<std::size_t>(period - 1) * kBlockSize;
}

// --- layout checks ---------------------------------------------------------------------------

template <typename T>
inline constexpr bool kIsFileRecord =
    std::is_trivially_copyable_v<T>&& std::is_standard_layout_v<T>;

static_assert(kIsFileRecord<YearFileHeader> && sizeof(YearFileHeader) == 128);
static_assert(offsetof(YearFileHeader, periodSaved) == 8);
static_assert(offsetof(YearFileHeader, bonusPayMonth) == 24);
static_assert(offsetof(YearFileHeader, bonusPayDay) == 36);

static_assert(kIsFileRecord<PeriodSettings> && sizeof(PeriodSettings) == 400);
static_assert(offsetof(PeriodSettings, generalBusiness) == 60);
static_assert(offsetof(PeriodSettings, payDay) == 64);
static_assert(offsetof(PeriodSettings, scheduledDays) == 68);
static_assert(offsetof(PeriodSettings, scheduledHours) == 72);
static_assert(offsetof(PeriodSettings, payNextMonth) == 80);
static_assert(offsetof(PeriodSettings, hoursPerDay) == 96);
static_assert(offsetof(PeriodSettings, employmentInsRate) == 104);
static_assert(offsetof(PeriodSettings, healthInsRate) == 112);
static_assert(offsetof(PeriodSettings, nursingInsRate) == 120);
static_assert(offsetof(PeriodSettings, pensionRate) == 128);
static_assert(offsetof(PeriodSettings, pensionFundRate) == 136);
static_assert(offsetof(PeriodSettings, corporateNumber) == 144);
static_assert(offsetof(PeriodSettings, supportRate) == 152);

static_assert(kIsFileRecord<EmployeeRecord> && sizeof(EmployeeRecord) == 700);
static_assert(offsetof(EmployeeRecord, employeeCode) == 15);
static_assert(offsetof(EmployeeRecord, name) == 27);
static_assert(offsetof(EmployeeRecord, nameKana) == 45);
static_assert(offsetof(EmployeeRecord, department) == 59);
static_assert(offsetof(EmployeeRecord, birthEra) == 77);
static_assert(offsetof(EmployeeRecord, birthYear) == 78);
static_assert(offsetof(EmployeeRecord, birthMonth) == 79);
static_assert(offsetof(EmployeeRecord, birthDay) == 80);
static_assert(offsetof(EmployeeRecord, category) == 81);
static_assert(offsetof(EmployeeRecord, payForm) == 82);
static_assert(offsetof(EmployeeRecord, workStatus) == 83);
static_assert(offsetof(EmployeeRecord, taxColumn) == 84);
static_assert(offsetof(EmployeeRecord, payMethod) == 85);
static_assert(offsetof(EmployeeRecord, dependents) == 88);
static_assert(offsetof(EmployeeRecord, dependentRelatives) == 92);
static_assert(offsetof(EmployeeRecord, basePay) == 96);
static_assert(offsetof(EmployeeRecord, overtimeRate) == 100);
static_assert(offsetof(EmployeeRecord, lateNightRate) == 104);
static_assert(offsetof(EmployeeRecord, holidayOvertimeRate) == 108);
static_assert(offsetof(EmployeeRecord, holidayLateNightRate) == 112);
static_assert(offsetof(EmployeeRecord, commuteNonTaxable) == 116);
static_assert(offsetof(EmployeeRecord, commuteTaxable) == 120);
static_assert(offsetof(EmployeeRecord, residentTaxJune) == 124);
static_assert(offsetof(EmployeeRecord, residentTax) == 128);
static_assert(offsetof(EmployeeRecord, positionAllowance) == 132);
static_assert(offsetof(EmployeeRecord, familyAllowance) == 136);
static_assert(offsetof(EmployeeRecord, fixedAllowance1) == 140);
static_assert(offsetof(EmployeeRecord, fixedAllowance2) == 144);
static_assert(offsetof(EmployeeRecord, fixedAllowance3) == 148);
static_assert(offsetof(EmployeeRecord, fixedDeduction1) == 152);
static_assert(offsetof(EmployeeRecord, fixedDeduction2) == 156);
static_assert(offsetof(EmployeeRecord, fixedDeduction3) == 160);
static_assert(offsetof(EmployeeRecord, paidLeavePay) == 164);
static_assert(offsetof(EmployeeRecord, absenceDeductionRate) == 168);
static_assert(offsetof(EmployeeRecord, lateDeductionRate) == 172);
static_assert(offsetof(EmployeeRecord, residentTaxCityCode) == 176);
static_assert(offsetof(EmployeeRecord, residentTaxCity) == 180);
static_assert(offsetof(EmployeeRecord, employmentInsured) == 196);
static_assert(offsetof(EmployeeRecord, healthInsured) == 198);
static_assert(offsetof(EmployeeRecord, healthInsPremium) == 200);
static_assert(offsetof(EmployeeRecord, nursingInsured) == 204);
static_assert(offsetof(EmployeeRecord, nursingInsPremium) == 208);
static_assert(offsetof(EmployeeRecord, pensionInsured) == 212);
static_assert(offsetof(EmployeeRecord, pensionPremium) == 216);
static_assert(offsetof(EmployeeRecord, pensionFundMember) == 220);
static_assert(offsetof(EmployeeRecord, pensionFundPremium) == 224);
static_assert(offsetof(EmployeeRecord, bankName) == 228);
static_assert(offsetof(EmployeeRecord, bankNameKana) == 254);
static_assert(offsetof(EmployeeRecord, branchName) == 272);
static_assert(offsetof(EmployeeRecord, branchNameKana) == 298);
static_assert(offsetof(EmployeeRecord, accountType) == 316);
static_assert(offsetof(EmployeeRecord, accountNumber) == 317);
static_assert(offsetof(EmployeeRecord, transferFee) == 328);
static_assert(offsetof(EmployeeRecord, remarks) == 333);
static_assert(offsetof(EmployeeRecord, categoryText) == 509);
static_assert(offsetof(EmployeeRecord, insuranceGrade) == 522);
static_assert(offsetof(EmployeeRecord, myNumber) == 524);
static_assert(offsetof(EmployeeRecord, supportPremium) == 532);
static_assert(offsetof(EmployeeRecord, bankCode) == 536);
static_assert(offsetof(EmployeeRecord, branchCode) == 540);
static_assert(offsetof(EmployeeRecord, accountHolderKana) == 543);
static_assert(offsetof(EmployeeRecord, reserved573) == 573);
static_assert(offsetof(EmployeeRecord, slipPassword) == 576);
static_assert(offsetof(EmployeeRecord, slipPasswordGenerated) == 599);
static_assert(offsetof(EmployeeRecord, social) == 600);
static_assert(offsetof(EmployeeRecord, opening) == 680);
static_assert(kIsFileRecord<OpeningTotals> && sizeof(OpeningTotals) == 20);
static_assert(kIsFileRecord<SocialInsuranceFields> && sizeof(SocialInsuranceFields) == 80);
static_assert(offsetof(SocialInsuranceFields, decisionKind) == 1);
static_assert(offsetof(SocialInsuranceFields, labourClass) == 2);
static_assert(offsetof(SocialInsuranceFields, decidedRemuneration) == 4);
static_assert(offsetof(SocialInsuranceFields, revisedYearMonth) == 8);
static_assert(offsetof(SocialInsuranceFields, adjustedAverage) == 12);
static_assert(offsetof(SocialInsuranceFields, carriedBonus) == 16);
static_assert(offsetof(SocialInsuranceFields, carriedBonusYear) == 20);
static_assert(offsetof(SocialInsuranceFields, insuredSince) == 24);
static_assert(offsetof(SocialInsuranceFields, insuredUntil) == 28);
static_assert(offsetof(SocialInsuranceFields, over70Employee) == 32);
static_assert(offsetof(SocialInsuranceFields, annualAverage) == 33);

static_assert(kIsFileRecord<AttendanceRecord> && sizeof(AttendanceRecord) == 200);
static_assert(offsetof(AttendanceRecord, daysWorked) == 8);
static_assert(offsetof(AttendanceRecord, paidLeaveDays) == 16);
static_assert(offsetof(AttendanceRecord, absentDays) == 24);
static_assert(offsetof(AttendanceRecord, holidayWorkDays) == 32);
static_assert(offsetof(AttendanceRecord, specialLeaveDays) == 40);
static_assert(offsetof(AttendanceRecord, scheduledHours) == 48);
static_assert(offsetof(AttendanceRecord, hoursWorked) == 56);
static_assert(offsetof(AttendanceRecord, overtimeHours) == 64);
static_assert(offsetof(AttendanceRecord, lateNightHours) == 72);
static_assert(offsetof(AttendanceRecord, holidayOvertimeHours) == 80);
static_assert(offsetof(AttendanceRecord, holidayLateNightHours) == 88);
static_assert(offsetof(AttendanceRecord, lateCount) == 96);
static_assert(offsetof(AttendanceRecord, lateHours) == 104);
static_assert(offsetof(AttendanceRecord, paidLeaveBalance) == 112);
static_assert(offsetof(AttendanceRecord, payBasisDays) == 120);
static_assert(offsetof(AttendanceRecord, payBasisDaysSet) == 128);

static_assert(kIsFileRecord<PaymentRecord> && sizeof(PaymentRecord) == 148);
static_assert(offsetof(PaymentRecord, positionAllowanceAmount) == 4);
static_assert(offsetof(PaymentRecord, familyAllowanceAmount) == 8);
static_assert(offsetof(PaymentRecord, fixedAllowance1) == 12);
static_assert(offsetof(PaymentRecord, overtimePay) == 24);
static_assert(offsetof(PaymentRecord, lateNightPay) == 28);
static_assert(offsetof(PaymentRecord, holidayOvertimePay) == 32);
static_assert(offsetof(PaymentRecord, holidayLateNightPay) == 36);
static_assert(offsetof(PaymentRecord, commuteNonTaxableAmount) == 40);
static_assert(offsetof(PaymentRecord, commuteTaxableAmount) == 44);
static_assert(offsetof(PaymentRecord, variableAllowance1) == 48);
static_assert(offsetof(PaymentRecord, absenceDeduction) == 60);
static_assert(offsetof(PaymentRecord, lateDeduction) == 64);
static_assert(offsetof(PaymentRecord, taxablePayTotal) == 68);
static_assert(offsetof(PaymentRecord, payTotal) == 72);
static_assert(offsetof(PaymentRecord, otherItem1) == 76);
static_assert(offsetof(PaymentRecord, otherItem3) == 84);
static_assert(offsetof(PaymentRecord, backPay) == 88);
static_assert(offsetof(PaymentRecord, backPayLastMonth) == 96);
static_assert(offsetof(PaymentRecord, leaveKind) == 100);
static_assert(offsetof(PaymentRecord, leavePay) == 104);
static_assert(offsetof(PaymentRecord, revisionAdjustedAverage) == 108);
static_assert(offsetof(PaymentRecord, manualFlags) == 116);

static_assert(kIsFileRecord<DeductionRecord> && sizeof(DeductionRecord) == 136);
static_assert(offsetof(DeductionRecord, pensionAmount) == 4);
static_assert(offsetof(DeductionRecord, pensionFundAmount) == 8);
static_assert(offsetof(DeductionRecord, employmentInsAmount) == 12);
static_assert(offsetof(DeductionRecord, nursingInsAmount) == 16);
static_assert(offsetof(DeductionRecord, socialInsTotal) == 20);
static_assert(offsetof(DeductionRecord, payAfterSocialIns) == 24);
static_assert(offsetof(DeductionRecord, incomeTax) == 28);
static_assert(offsetof(DeductionRecord, residentTaxAmount) == 32);
static_assert(offsetof(DeductionRecord, fixedDeduction1) == 36);
static_assert(offsetof(DeductionRecord, variableDeduction1) == 48);
static_assert(offsetof(DeductionRecord, deductionTotal) == 60);
static_assert(offsetof(DeductionRecord, socialInsBase) == 64);
static_assert(offsetof(DeductionRecord, otherItem1) == 68);
static_assert(offsetof(DeductionRecord, otherItem3) == 76);
static_assert(offsetof(DeductionRecord, supportAmount) == 80);
static_assert(offsetof(DeductionRecord, yearEndSettlement) == 84);
static_assert(offsetof(DeductionRecord, manualFlags) == 108);
static_assert(offsetof(DeductionRecord, manualFlags) + DeductionRecord::kIncomeTaxItem - 1 == 115);
static_assert(offsetof(DeductionRecord, manualFlags) + DeductionRecord::kSupportItem - 1 == 128);
static_assert(offsetof(DeductionRecord, manualFlags) + DeductionRecord::kSettlementItem - 1 == 129);

static_assert(kIsFileRecord<PeriodBlock> && sizeof(PeriodBlock) == kBlockSize);
static_assert(offsetof(PeriodBlock, employees) == 400);
static_assert(offsetof(PeriodBlock, attendance) == 70'400);
static_assert(offsetof(PeriodBlock, payments) == 90'400);
static_assert(offsetof(PeriodBlock, deductions) == 105'200);
static_assert(kYearFileSize == 1'782'128);
static_assert(kLegacyBlockSize == 400 + kLegacyEmployees * (700 + 200 + 148 + 136));

}  // namespace keiro
