#pragma once
// The pay calculation of one employee for a salary month or a bonus, as a function of plain
// values: what the employee master, the attendance and the clerk's entries say (`PayInput`),
// the law of the pay date (`Law`) and, for a bonus, what earlier periods paid
// (`BonusInputs`), in; every amount of the pay slip (`PayResult`) out.  No records, no files:
// calc/pay_records.h maps the period's records to and from these values, and calc/pay_calc.h
// runs it over a period.
//
// Rules that hold throughout:
//  - An amount item takes part only when it is on the pay slip layout of the employee's pay
//    form (`PayInput::items`); an item that is not is 0 and counts in no total.
//  - An amount entered by hand (its manual flag) keeps its stored value but still counts.
//  - The two copies of その他１..３ (payment and deduction) always end equal: the payment copy
//    is the one entered.
//  - 年調過不足 is carried as stored: it always counts in 控除合計 and moves the net pay by
//    exactly its amount; it takes no part in the premiums or the income tax.
//  - Sums are formed in 64 bits.  An amount that a later one is worked from (a premium, a
//    total, 社保控除後計) is first held to the 32-bit range the period keeps it in, so damaged
//    master data gives a capped amount, never a wrapped one, and the same one as stored.
//  - Amounts the calculation does not work out (the variable items, 賞与 and 役員報酬, the
//    items a bonus has no rule for) come back as they went in.

#include <array>
#include <cstdint>

#include "calc/rounding.h"
#include "core/money.h"
#include "core/settings.h"

namespace keiro::calc {

struct TaxTables;

inline constexpr std::int32_t kStandardBonusUnit = 1'000;
inline constexpr std::int32_t kPensionBonusCap = 1'500'000;     // per month
inline constexpr std::int32_t kHealthBonusYearCap = 5'730'000;  // per health insurance year

// Which items of one pay form are on its pay slip layout, by item number of the records
// (index j−1 for amount j).  Built once per pay form and recalculation, so the per-employee
// calculation asks no name lookups.
struct FormItems {
    std::array<bool, 17> pay{};  // payment items 1..17 (1, 2: 賞与, 役員報酬 in bonuses)
    std::array<bool, 15> deduction{};  // deduction items 1..15
    std::array<bool, 3> other{};       // その他１..３
    bool support = false;              // 子ども・子育て支援金 (deduction item 21)
    bool settlement = false;           // 年調過不足 (item 22): whether the grid may set it
};

// The amounts of a pay slip by item number, as the period's records number them.
inline constexpr int kPayItemCount = 22;        // payment amounts 1..22
inline constexpr int kDeductionItemCount = 22;  // deduction amounts 1..22

// Payment items.
namespace pay_item {
inline constexpr int kBasePay = 1;   // 基本給; 賞与 in a bonus
inline constexpr int kPosition = 2;  // 役職手当; 役員報酬 in a bonus
inline constexpr int kFamily = 3;
inline constexpr int kFixedAllowance1 = 4;  // ..6
inline constexpr int kOvertime = 7;
inline constexpr int kLateNight = 8;
inline constexpr int kHolidayOvertime = 9;
inline constexpr int kHolidayLateNight = 10;
inline constexpr int kCommuteNonTaxable = 11;
inline constexpr int kCommuteTaxable = 12;
inline constexpr int kVariableAllowance1 = 13;  // ..15
inline constexpr int kAbsence = 16;
inline constexpr int kLateness = 17;
inline constexpr int kTaxableTotal = 18;  // 課税支給合計
inline constexpr int kPayTotal = 19;      // 支給合計
inline constexpr int kOther1 = 20;        // ..22
}  // namespace pay_item

// Deduction items.
namespace deduction_item {
inline constexpr int kHealth = 1;
inline constexpr int kPension = 2;
inline constexpr int kPensionFund = 3;
inline constexpr int kEmployment = 4;
inline constexpr int kNursing = 5;
inline constexpr int kSocialInsTotal = 6;     // 社会保険料計
inline constexpr int kPayAfterSocialIns = 7;  // 社保控除後計
inline constexpr int kIncomeTax = 8;
inline constexpr int kResidentTax = 9;
inline constexpr int kFixedDeduction1 = 10;     // ..12
inline constexpr int kVariableDeduction1 = 13;  // ..15
inline constexpr int kDeductionTotal = 16;      // 控除合計
inline constexpr int kSocialInsBase = 17;       // 社保算定対象額
inline constexpr int kOther1 = 18;              // ..20
inline constexpr int kSupport = 21;             // 子ども・子育て支援金
inline constexpr int kSettlement = 22;          // 年調過不足
}  // namespace deduction_item

// Amounts by item number (index j−1 for item j).
using PayAmounts = std::array<Yen, kPayItemCount>;
using DeductionAmounts = std::array<Yen, kDeductionItemCount>;

enum class PayForm : std::uint8_t { Monthly = 1, Daily = 2, Hourly = 3 };

// What the calculation reads of one employee who is 在職.
struct PayInput {
    // The employee master.
    int payForm = 1;   // 1 月給, 2 日給, 3 時間給 (another value is paid as 月給)
    Yen basePay;       // the monthly amount, or the daily or hourly wage
    Yen paidLeavePay;  // per paid-leave day (日給, 時間給)
    Yen positionAllowance;
    Yen familyAllowance;
    std::array<Yen, 3> fixedAllowances{};
    Yen commuteNonTaxable;
    Yen commuteTaxable;
    // Unit prices per hour or day.
    Yen overtimeRate;
    Yen lateNightRate;
    Yen holidayOvertimeRate;
    Yen holidayLateNightRate;
    Yen absenceDeductionRate;  // per day absent
    Yen lateDeductionRate;     // per hour late or left early
    std::array<Yen, 3> fixedDeductions{};
    Yen residentTax;      // 住民税 of July to May
    Yen residentTaxJune;  // 住民税 of June
    // Social insurance: the monthly premiums set from the grade, and what the employee is
    // insured for.
    bool healthInsured = false;
    bool nursingInsured = false;
    bool pensionInsured = false;
    bool pensionFundMember = false;
    bool employmentInsured = false;
    Yen healthPremium;
    Yen nursingPremium;
    Yen pensionPremium;
    Yen pensionFundPremium;
    Yen supportPremium;
    // Income tax.
    int taxColumn = 0;  // 0 甲欄, otherwise 乙欄
    std::int32_t dependents = 0;

    // Attendance of the month as entered (days and hours; unused for a bonus).
    double daysWorked = 0;
    double paidLeaveDays = 0;
    double absentDays = 0;
    double hoursWorked = 0;
    double overtimeHours = 0;
    double lateNightHours = 0;
    double holidayOvertimeHours = 0;
    double holidayLateNightHours = 0;
    double lateHours = 0;

    // The amounts as the period holds them: what the clerk entered (変動手当, 変動控除,
    // その他, 賞与, 役員報酬, 年調過不足, any amount entered by hand) and what an earlier
    // calculation left.  `…Manual[j−1]`: amount j was entered by hand and is kept.
    PayAmounts payments{};
    DeductionAmounts deductions{};
    std::array<bool, kPayItemCount> paymentManual{};
    std::array<bool, kDeductionItemCount> deductionManual{};

    // Which items are on the pay slip layout of the employee's pay form.
    FormItems items;
};

// The employee's shares of the premium rates, in percent.
struct PremiumRates {
    Rate health;
    Rate nursing;
    Rate pension;
    Rate pensionFund;
    Rate employment;
    Rate support;  // 0: no levy in this period
};

// The law and the settings a calculation applies, the same for every employee of a period.
struct Law {
    const TaxTables* tax = nullptr;  // the tax tables of the pay date's year
    PremiumRates rates;
    YenRounding rounding;  // the settings of the period's kind (month or bonus)
    // 課税対象 and 社保算定対象 of the free items: 固定手当１..３, 変動手当１..３, 固定控除１..３,
    // 変動控除１..３.
    std::array<bool, kFreeItemCount> taxableFlags{};
    std::array<bool, kFreeItemCount> socialInsBaseFlags{};
    bool hoursWorkedIncludeOvertime = true;  // 時間給: the hours worked include the overtime
    bool june = false;                       // the month's 住民税 is the June amount
    // The month the period's premiums are for (yyyymm), by which an employee's age ends his
    // pension (70) and health (75) premiums; 0: the employee's insurance flags alone decide.
    int premiumYearMonth = 0;

    // Bonuses.
    std::int64_t standardBonusUnit = kStandardBonusUnit;  // 標準賞与額: 課税支給合計 down to it
    std::int64_t pensionBonusCap = kPensionBonusCap;        // the bonuses of one month
    std::int64_t healthBonusYearCap = kHealthBonusYearCap;  // of one health insurance year
};

// What a bonus reads of other periods, for one employee.
struct BonusInputs {
    // 社保控除後計 of the month before the pay month (or what stands in for it).
    Yen previousMonthPay;
    // The standard bonuses of the earlier bonuses of the health insurance year (with any total
    // the clerk carried in), and of those paid in the same month: each as it was capped.
    Yen earlierHealthYear;
    Yen earlierThisMonth;
    // No health, care, pension, fund or levy premium is due on the bonus: it is paid in the
    // month the employee loses coverage (the month of the 資格喪失日), or during a 産前産後休業 or
    // 育児休業 with the premiums exempt.  It still counts towards the health insurance year's
    // total, and employment insurance is charged as usual.
    bool premiumExempt = false;
};

struct PayResult {
    PayAmounts payments{};
    DeductionAmounts deductions{};
    // A bonus's income tax could not be taken from the rate table and was worked by the
    // monthly-table method (calc/bonus_tax.h).
    bool byMonthlyTable = false;

    Yen payment(int item) const { return payments[item - 1]; }
    Yen deduction(int item) const { return deductions[item - 1]; }
    // 差引支給額: 支給合計 − 控除合計 + the その他 items on the layout.
    Yen netPay(const std::array<bool, 3>& activeOthers) const;
};

// A salary month: 基本給 by pay form (days or hours at the wage, paid leave at its rate),
// the allowances, overtime and reductions by the rounding settings, the premiums, 住民税 (the
// June amount in June), the fixed and variable deductions and 所得税 from the salary table.
PayResult computeMonth(const PayInput& input, const Law& law);
// A bonus: 賞与 and 役員報酬 as entered (`input.payments`), the fixed and variable allowances,
// the premiums on the standard bonus within the caps, the fixed and variable deductions and the
// income tax by the bonus table or the monthly-table method.  住民税 and the items a bonus has
// no rule for keep their amounts.
PayResult computeBonus(const PayInput& input, const BonusInputs& history, const Law& law);

// 標準賞与額 of a bonus: 課税支給合計 down to the unit.
Yen standardBonus(Yen taxablePayTotal, const Law& law);

// The six premium items (健康, 厚生年金, 基金, 雇用, 介護, 支援金) into `deductions`: an item not
// on the layout is 0, one entered by hand keeps its amount, else the premium when the employee
// is insured (the levy with health insurance).  Each returns the sum of the six, held to the
// 32-bit range.
//
// A month: the master's premiums, employment insurance on 支給合計.
Yen monthlyPremiums(const PayInput& input, const PremiumRates& rates, Yen payTotal,
                    DeductionAmounts& deductions);
// A bonus: health, care and the levy on the standard bonus within the health insurance year's
// cap, pension and fund within the month's cap, employment insurance on `employmentBase`
// (支給合計 less a director's fee that counts in it); care is the combined health-and-care
// amount less the 健康保険料 then in `deductions`.  A bonus of the month of 資格喪失
// (`history.premiumExempt`) carries employment insurance only.
Yen bonusPremiums(const PayInput& input, const Law& law, Yen taxablePayTotal, Yen employmentBase,
                  const BonusInputs& history, DeductionAmounts& deductions);

// The levy's share on `base`: the combined amount (health [+ care] + levy) rounded once, less
// the same without the levy rounded once; 0 when there is no levy.
Yen supportShare(Yen base, const PremiumRates& rates, bool paysCare);

}  // namespace keiro::calc
