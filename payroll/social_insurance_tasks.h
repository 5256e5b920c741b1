#pragma once
// SocialInsuranceTasks: what the open year's social insurance asks of the clerk.  The yearly
// lists (算定基礎届 with its 適用 of the decided grades, 月額変更届, 賞与支払届, 労働保険
// 年度更新), the notices after opening and saving a period (insurance flags that no longer fit an
// age, revisions that fall due), and the question when a new period still holds the premium rates
// of an earlier year.

#include <optional>
#include <string>
#include <vector>

#include "calc/rate_update.h"

class QWidget;

namespace keiro::calc {
struct HealthGradeTable;
}  // namespace keiro::calc

namespace keiro::print {
struct TextTable;
}  // namespace keiro::print

namespace keiro {
class YearData;
}  // namespace keiro

namespace keiro::payroll {

struct OpenPeriodContext;
struct MainContext;
class ReportPrinting;
class SocialListWindow;
struct DayCorrection;
struct GradeDecision;

inline constexpr const char* kMsgInsuranceAges =
    "次の社員は年齢により社会保険の設定の見直しが必要です。社員情報で確認して下さい。";

class SocialInsuranceTasks {
  public:
    // The lists are printed and written as CSV through `reports`.
    SocialInsuranceTasks(const OpenPeriodContext& period, ReportPrinting& reports);

    // 算定基礎届: the April-June decision of the open year's stored pay (after the question
    // about unsaved changes: it reads the file on disk), whose 適用 writes the new grades into
    // the periods collecting the September premium and after.
    void showYearlyDecision();
    // 月額変更届 (with 適用 as above, from each revision's month).
    void showMonthlyRevisions();
    // 賞与支払届 of the open bonus period once saved.
    void showBonusPaymentReport();
    // 労働保険 年度更新 of the fiscal year that ended in March (or the one running).
    void showYearlyRenewal();

    // One notice listing the employees whose insurance flags no longer fit their age in the
    // period's premium month (calc/insurance_ages.h).  Changes nothing; says nothing when all
    // fit.
    void noticeInsuranceAges();
    // After saving a salary month: one notice listing the employees whose fixed pay changed two
    // months before and whose three months now call for a revision (月額変更届).  Changes
    // nothing; says nothing when there is none.
    void noticeRevisions();
    // After a period that was never saved was opened: when its rates are not the published ones
    // of its months (a new fiscal year), asks once whether to take them, showing old and new;
    // Yes sets them and works the employees' monthly premiums out again from their grades.
    // Says nothing when the rates agree or no published rates are found.
    void offerRateUpdate();
    // The published rates of the open period's months, for the settings dialog.
    calc::RatesOfPeriod ratesOfOpenPeriod() const;

  private:
    // What the yearly lists start from, after the question about unsaved changes (they read the
    // file on disk): the open year and the grade table of its September.
    struct SocialContext {
        int calendarYear = 0;
        const calc::HealthGradeTable* grades = nullptr;
        std::string company;
    };
    std::optional<SocialContext> socialContext(const char* listName);
    // Writes decided grades (and the premiums of each period's rates) into the salary periods
    // from the one collecting premium month `premiumMonth` to December: the saved ones in the
    // file, the open one in memory (saved with it).  Tells the clerk what was written, or that
    // no period collects that premium yet; false then and after a file error (shown).
    bool applyGradeDecisions(QWidget* parent, const std::vector<GradeDecision>& decisions,
                             int premiumMonth, const calc::HealthGradeTable& table);
    // Keeps the 支払基礎日数 the clerk corrected in the April-June list in the attendance of the
    // periods paid in those months (the open one in memory), and says so.
    void storeDayCorrections(QWidget* parent, const std::vector<DayCorrection>& corrections);
    // Shows a list window whose CSV file is `plain` (amounts without separators).
    void showSocialList(SocialListWindow& window, const print::TextTable& plain,
                        const std::string& csvName);

    const OpenPeriodContext& period_;
    const MainContext& context_;
    YearData& year_;
    ReportPrinting& reports_;
};

}  // namespace keiro::payroll
