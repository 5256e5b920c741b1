#pragma once
// The yearly social-insurance tasks read from the stored periods of the year files, never
// re-entered: the April-June decision, the revisions after a change of fixed pay, the bonus
// report and the labour insurance wage summary.
//
// Months.  A salary period k covers calendar month k (its pay period, whose calendar days give
// the 支払基礎日数 of monthly pay) and is paid in month k, or in month k+1 when the period is
// set to pay in the following month.  The social-insurance tasks go by the month paid ("April
// pay" is the pay with a pay date in April); the labour insurance summary by the month covered.
// A bonus goes by its pay month.  Employees are matched across periods and files by record id.
//
// 報酬 of a month is the period's social-insurance base (commuting allowances included, the
// items not counted for social insurance left out).  Fixed pay is the sum of the pay items
// flagged 固定的 (the reductions among them taken off).

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calc/labour_totals.h"
#include "calc/social_bonus.h"
#include "calc/social_revision.h"
#include "calc/social_santei.h"
#include "core/era.h"
#include "core/settings.h"
#include "core/year_view.h"

namespace keiro::calc {

struct SocialYear {
    const YearView& file;
    int calendarYear = 0;
    const HealthGradeTable& grades;  // the table in force for the premiums decided
    std::array<bool, kPaymentFixedFlagCount> fixedPayFlags{};
    // The year files before and after, when they exist: a change of fixed pay first paid in
    // January is compared with December's pay, and one first paid in November or December is
    // decided on months of the next year (in a company paying the month after, January's pay is
    // the previous file's December).
    const YearView* previous = nullptr;
    const YearView* next = nullptr;
};

// The year files of the years before and after `calendarYear` in `dataFolder`, when they exist,
// for SocialYear::previous and ::next.
struct NeighbourYears {
    std::optional<YearView> previous;
    std::optional<YearView> next;
    void lendTo(SocialYear& year) const {
        year.previous = previous ? &*previous : nullptr;
        year.next = next ? &*next : nullptr;
    }
};
NeighbourYears neighbourYearsOf(const std::filesystem::path& dataFolder, const EraNames& names,
                                int calendarYear);

// The grade table in force from a month (yyyymm).
using GradesFrom = std::function<const HealthGradeTable&(int yearMonth)>;

// The saved salary period whose pay date falls in month `month` of the file's year.
std::optional<int> periodPaidIn(const YearView& file, int month);
// The fixed pay of one employee's pay record, as far as a change in it starts the check for a
// revision.  For daily and hourly pay the base pay counts by its unit price (the wage per day or
// hour): more or fewer days or hours worked change the pay, not the fixed pay.
std::int64_t fixedPayOf(const EmployeeRecord& employee, const PaymentRecord& pay,
                        const std::array<bool, kPaymentFixedFlagCount>& flags);
// The grades stored with an employee (health grade of the master; zeros when not one of the
// table's).
SocialGrades storedGrades(const HealthGradeTable& table, const EmployeeRecord& employee);

struct SanteiLine {
    int slot = 0;  // 1-based, in the listed period
    std::string name;
    std::string recordId;  // code page 932 bytes
    DayRule rule = DayRule::General;
    std::int32_t enteredAdjusted = 0;  // the 修正平均額 stored with the employee; 0 none
    std::array<SanteiMonth, 3> months;
    SanteiResult result;
    SocialGrades previous;
    SanteiExclusion excluded = SanteiExclusion::None;
    // What the form shows beside the figures.
    int raiseMonth = 0;  // 昇(降)給: the month (4..6) changed fixed pay was first paid; 0 none
    int raiseDirection = 0;    // +1 昇給, -1 降給
    int backPayMonth = 0;      // 遡及支払額: the month (4..6) it was paid in; 0 none
    std::int32_t backPay = 0;  // paid in April-June for months before April
    // Of bonuses paid four times or more in the twelve months to June: their sum ÷ 12, 1 yen cut
    // off, included in each month's pay above.
    std::int32_t frequentBonusShare = 0;
    bool over70 = false;            // 70歳以上被用者 (算定基礎月 the months above)
    bool revisionExpected = false;  // 月額変更予定: revised from August or September
    bool annualAverage = false;  // 年間平均: the 修正平均額 is the insurer's annual figure
    bool onLeave = false;        // 病休・育休・休職等 in April-June
    int insuredSince = 0;  // 資格取得日 (yyyymmdd) when it falls in April-June (途中入社)
};
// Every health-insured employee of the latest saved period of March to June work, in slot order.
std::vector<SanteiLine> santeiOfYear(const SocialYear& year);

struct RevisionLine {
    int slot = 0;
    std::string name;
    std::string recordId;  // code page 932 bytes
    int changeMonth = 0;   // yyyymm of the first pay at the changed fixed pay
    int appliesFrom = 0;   // yyyymm of the first premium month at the new grades
    int direction = 0;
    std::array<SanteiMonth, 3> months;
    RevisionResult result;
    SocialGrades previous;
    int backPayMonth = 0;              // 遡及支払額: the month (yyyymm) it was paid in; 0 none
    std::int32_t backPay = 0;          // paid in the three months for months before the change
    std::int32_t enteredAdjusted = 0;  // 修正平均額 the clerk entered; 0 none
    bool over70 = false;               // 70歳以上被用者
};
// The revisions the stored year gives (only those where health or pension is revised).  Each is
// decided with the table in force from the month it starts (`gradesFrom`; unset: `year.grades`),
// as the pension ceiling may change between one revision and the next.
std::vector<RevisionLine> revisionsOfYear(const SocialYear& year,
                                          const GradesFrom& gradesFrom = {});

struct BonusLine {
    int slot = 0;
    std::string name;
    BonusFigures figures;
    bool over70 = false;  // 70歳以上被用者: no pension premium (and from 75 no health premium)
    // No premium is due on this bonus: paid in the month coverage ends (資格喪失月), or during a
    // 産前産後休業・育児休業 with the premiums exempt.  It is still reported and still counts
    // toward the health yearly total.
    bool premiumExempt = false;
};
// The bonus report of bonus period 13..15 for every health- or pension-insured employee paid in
// it.  The health year's earlier bonuses come from this file and, for a bonus paid in January to
// March, from the previous year's file (when there is one); each employee's carried total joins.
// std::invalid_argument for another period or a bonus without a pay month.
std::vector<BonusLine> bonusReportOf(const SocialYear& year,
                                     const std::optional<YearView>& previous, int period);

// The wage summary of fiscal year `fiscalYear` (April of it to March of the next): months 4..12
// from `first` (the file of that calendar year), 1..3 from `second`; a missing file or an unsaved
// period reads as a missing month.  Bonuses by pay month likewise.
LabourTotals labourTotalsOf(const std::optional<YearView>& first,
                            const std::optional<YearView>& second, const LabourRates& rates);

// The rates of fiscal year `fiscalYear` for the office's settings; nothing when that year's
// 雇用保険 rate is not known.
std::optional<LabourRates> labourRatesOf(int fiscalYear, const Settings& settings);
// The same summary from the year files of `dataFolder`: that of `fiscalYear` and the next.
LabourTotals labourTotalsOfFiscalYear(const std::filesystem::path& dataFolder,
                                      const EraNames& names, int fiscalYear,
                                      const LabourRates& rates);

// The whole 年度更新 filed for fiscal year `fiscalYear`: its 確定, the 概算 paid for it, the
// 概算 of the next year and the 精算.  The 概算 paid is the clerk's figure when given, else what
// the previous year's 確定 bases give at this year's rates, when every month of that year is in
// the year files; otherwise it is unknown and there is no 精算.  The next year's 概算 is unknown
// while its 雇用保険 rate is.
struct LabourRenewalInputs {
    std::optional<std::int64_t> paidEstimate;        // the 概算 actually paid for the year
    std::optional<std::int64_t> expectedAccident;    // wages expected next year, 労災
    std::optional<std::int64_t> expectedEmployment;  // wages expected next year, 雇用
};
struct LabourRenewal {
    LabourTotals confirmed;
    std::optional<std::int64_t> paidEstimate;
    std::optional<LabourRates> nextRates;
    std::optional<LabourEstimate> nextEstimate;
    std::optional<LabourSettlement> settlement;  // with the next 概算 as 0 when it is unknown
};
LabourRenewal labourRenewalOf(const std::filesystem::path& dataFolder, const EraNames& names,
                              int fiscalYear, const Settings& settings, const LabourRates& rates,
                              const LabourRenewalInputs& inputs = {});

}  // namespace keiro::calc
