#pragma once
// The employee's share of the social insurance items: 健康保険料, 介護保険料, 厚生年金保険,
// 厚生年金基金, 雇用保険料 and 子ども・子育て支援金.  Rates are the employee's share in percent,
// taken from the period's settings.
//
// 子ども・子育て支援金 is collected with the health premium from every employee insured for health
// insurance, on the same standard amount (the same yearly cap for bonuses).  Its share is not
// rounded on its own: health and the levy are rounded together at the combined rate, and the
// levy is that amount less the health premium rounded alone, the way 介護 is derived.  For an
// employee who also pays 介護, health + 介護 + levy are rounded together and health + 介護
// rounded together are taken off.
//
// Monthly health, care, pension and fund premiums are fixed amounts of the employee master,
// set from the grade table; employment insurance is computed from each month's pay.  For a
// bonus all five are computed from the bonus through the standard bonus amount, with the
// pension cap per payment and the health cap per health insurance year (April to March).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "calc/pay_engine.h"
#include "calc/premium_tables.h"
#include "core/records.h"

namespace keiro {
class YearData;
class YearView;
}  // namespace keiro

namespace keiro::calc {

// Deduction items j of the DeductionRecord (amount(j), isManual(j)).
inline constexpr int kHealthInsItem = 1;                            // 健康保険料
inline constexpr int kPensionItem = 2;                              // 厚生年金保険
inline constexpr int kPensionFundItem = 3;                          // 厚生年金基金
inline constexpr int kEmploymentInsItem = 4;                        // 雇用保険料
inline constexpr int kNursingInsItem = 5;                           // 介護保険料
inline constexpr int kSupportItem = DeductionRecord::kSupportItem;  // 子ども・子育て支援金

// The first premium month of 子ども・子育て支援金 (April 2026): a bonus paid earlier carries none.
inline constexpr int kSupportFirstYear = 2026;
inline constexpr int kSupportFirstMonth = 4;
// The employee's share of the levy's first rate (0.23 % split in half), offered for a period
// whose premium month is the first one or later when its rate is still 0.
inline constexpr double kDefaultSupportRate = 0.115;

// Whether premium month `month` of `calendarYear` carries the levy.
bool SupportLevyDue(int calendarYear, int month);
// Whether the open period's premium month carries it: a bonus's is its pay month (none without
// one); a salary month's the month before, as a month's pay carries the premium of the month
// before.
bool SupportLevyDueInPeriod(const YearData& year);

// The monthly premiums the employee editor fills in from a grade.  The levy depends on
// whether the employee pays 介護: `support` is the one of an employee who does not,
// `supportWithCare` of one who does; `supportFor` picks.
struct MonthlyPremiums {
    std::int32_t health = 0;
    std::int32_t nursing = 0;
    std::int32_t pension = 0;
    std::int32_t pensionFund = 0;
    std::int32_t support = 0;
    std::int32_t supportWithCare = 0;

    std::int32_t supportFor(bool paysCare) const { return paysCare ? supportWithCare : support; }
};

// For grade g with standard amount S: health = S × health rate; nursing = S × (health + care
// rates), rounded once, less the health part; support = S × (health + levy rates) rounded once
// less the health part, and with care S × (health + care + levy) less S × (health + care);
// pension and fund from the standard amount of g kept within the pension grades.
// std::out_of_range when g is not a grade of the table.
MonthlyPremiums SetPremiumsFromGrade(const HealthGradeTable& table, int grade,
                                     const PeriodSettings& rates);

// The levy's share on standard amount `base`: the combined amount (health [+ care] + levy)
// rounded once, less the same without the levy rounded once.
std::int32_t SupportShare(double base, const PeriodSettings& rates, bool paysCare);

// 雇用保険料 of a month: total pay (commuting allowance included) × rate, a fraction of 0.50
// yen or less dropped.
std::int32_t MonthlyEmploymentInsurance(std::int32_t total, double ratePercent);

// Which of the six premium items are among the deduction items of the employee's pay form.
// An item not on the form is 0.
struct DeductionItemsActive {
    bool health = true;
    bool pension = true;
    bool pensionFund = true;
    bool employment = true;
    bool nursing = true;
    bool support = true;
};

// Sets the six premium items of a salary month in `deductions`, in the order 健康, 厚生年金,
// 基金, 雇用, 介護, 支援金: an item not on the form is 0; an item entered by hand keeps its
// amount; otherwise the master's monthly premium when the employee is insured (else 0; the
// levy with health insurance), and employment insurance from `payTotal`.  Returns the sum of
// the six, which the caller adds to 社会保険料計 and 控除合計 (kept to the int32 range).
std::int32_t ApplyMonthlyPremiums(const EmployeeRecord& employee, const PeriodSettings& rates,
                                  std::int32_t payTotal, const DeductionItemsActive& onForm,
                                  DeductionRecord& deductions);

// --- bonuses ------------------------------------------------------------------------------

// 標準賞与額: 課税支給合計 truncated to a multiple of 1,000 yen.
std::int32_t StandardBonus(std::int32_t taxablePayTotal);
// The base of pension and fund: the standard bonus, at most 1,500,000.
std::int32_t PensionStandardBonus(std::int32_t standardBonus);

// The standard bonuses (標準賞与額) of each employee's earlier bonuses in the health insurance
// year of the current bonus, read once per recalculation of a bonus period:
//  - a bonus paid in January to March (pay month M, day D) belongs to the year that began in
//    April of the previous calendar year: the previous year's file adds its bonuses paid in
//    April to December, and this year's file its other bonuses paid in January to March no
//    later than the current one (an earlier month, or the same month on day D or before);
//  - a bonus paid in April to December counts this year's other bonuses paid in April to
//    December no later than it.
// Employees are matched by recordId (the first slot with it in each block).  The other bonus
// blocks are read from the files on disk; their pay months come from `header` (this year) and
// from the previous year's file header.  A bonus without a pay month was never paid and adds
// nothing; so does a missing previous-year file.  A file that cannot be read is an IoError.
class BonusHistory {
  public:
    BonusHistory() = default;  // no earlier bonuses

    // The loaders read the year files (calc/pay_history.cpp): called once per recalculation.
    // `bonusPeriod` is the current period, 13..15 (std::invalid_argument otherwise);
    // `header` the header in memory, holding the current bonus's pay month and day.
    static BonusHistory load(const std::filesystem::path& yearFile,
                             const std::filesystem::path& previousYearFile, int bonusPeriod,
                             const YearFileHeader& header);
    // The same with this year's file already read.
    static BonusHistory load(const YearView& thisYear,
                             const std::filesystem::path& previousYearFile, int bonusPeriod,
                             const YearFileHeader& header);
    // The same for the open period of the year in memory.
    static BonusHistory load(const YearData& year);

    // The total of this employee's earlier standard bonuses as each was capped when paid (so at
    // most 5,730,000; recordId as stored, code page 932 bytes).
    std::int64_t earlierTotal(std::string_view recordId) const;
    // The same with the total the clerk carried in for this health insurance year (bonuses of
    // another employer under the same insurer, or of a year without a file).
    std::int64_t earlierTotal(const EmployeeRecord& employee) const;
    // The standard bonuses of this employee's earlier bonuses paid in the same calendar month,
    // which share the pension's monthly 1,500,000.
    std::int64_t earlierThisMonth(std::string_view recordId) const;

    // The health insurance year (the calendar year of its April) of the current bonus, for the
    // carried-in totals: the loader leaves it 0, "not known", and none is counted.
    void setHealthYear(int calendarYear) { healthYear_ = calendarYear; }

  private:
    void add(const PeriodBlock& block, bool sameMonth);

    std::unordered_map<std::string, std::int64_t> totals_;
    std::unordered_map<std::string, std::int64_t> sameMonth_;
    int healthYear_ = 0;
};

// The health and care base of the current bonus: the standard bonus, cut so that the
// standard bonuses of the health insurance year stay within 5,730,000 (0 once the earlier
// bonuses exceed it).
std::int32_t StandardBonusForHealth(const BonusHistory& history, std::string_view recordId,
                                    std::int32_t standardBonus);
// The same with the employee's carried-in total counted too.
std::int32_t StandardBonusForHealth(const BonusHistory& history, const EmployeeRecord& employee,
                                    std::int32_t standardBonus);
// The pension base of the current bonus: the standard bonus, cut so that the bonuses paid in
// the same month stay within 1,500,000 together.
std::int32_t PensionStandardBonus(const BonusHistory& history, std::string_view recordId,
                                  std::int32_t standardBonus);

// Sets the six premium items of one employee's bonus in `deductions` (health, pension, fund,
// employment, care, levy): health, care and the levy on the health base, pension and fund on
// the pension base, employment insurance on 支給合計 less 役員報酬 (a director's fee is not
// subject to it); each only when the employee is insured, care as the combined health-and-care
// amount less the 健康保険料 then in the record, the levy by SupportShare (at rates.supportRate:
// the caller passes 0 for a bonus paid before the levy began).  Items not on the form are 0;
// items entered by hand are kept.  Returns the sum of the six for 社会保険料計 and 控除合計 (kept
// to the int32 range).
std::int32_t BonusSocialInsurance(const EmployeeRecord& employee, const PeriodSettings& rates,
                                  const PaymentRecord& payment, const BonusHistory& history,
                                  const DeductionItemsActive& onForm, DeductionRecord& deductions);

}  // namespace keiro::calc
