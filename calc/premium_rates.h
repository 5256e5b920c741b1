#pragma once
// The premium rates as published, each from the month it applies from: 協会けんぽ health per
// prefecture, 介護 (national), 子ども・子育て支援金 (national), 厚生年金 and 雇用保険 per kind of
// business.  The figures are data (data/health_rates_*.csv, one file per fiscal year, gathered
// by the build into one sealed file), so a new fiscal year is a new file and no code.
//
// Which month decides: a month's pay carries the premium of the month before, so salary period
// K takes health, 介護, 支援金 and pension from premium month K-1 (period 1 from December of the
// year before); a bonus from its pay month.  Health and 介護 change with the March premium, the
// levy with the April premium.  雇用保険 follows the pay's closing day: a pay closed on or after
// 1 April takes the new rate, which is salary period 4 onwards (the period's own month), and a
// bonus by its pay month.
//
// Rates are kept in thousandths of a percent (the employee's 4.925 % is 4925): the published
// figures have at most three decimals, so they compare exactly with what the settings hold.

#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/table_check.h"

namespace keiro::calc {

// The file the build writes beside the programs (sealed text, the rows of every fiscal year).
inline constexpr std::string_view kPremiumRateFileName = "保険料率(年度別).dat";

using MilliPercent = std::int32_t;
MilliPercent milliPercentOf(double percent);
double percentOf(MilliPercent rate);

enum class RateKind { Health, Nursing, Support, Pension, Employment };

// The business kinds of 雇用保険, as the rows name them.
inline constexpr std::string_view kGeneralBusiness = "general";
inline constexpr std::string_view kAgricultureBusiness = "agri_sake";
inline constexpr std::string_view kConstructionBusiness = "construction";

struct RateMonth {
    int year = 0;
    int month = 1;
    friend auto operator<=>(const RateMonth&, const RateMonth&) = default;
};

struct PremiumRate {
    RateKind kind = RateKind::Health;
    std::string key;              // health: the prefecture code "13"; employment: the business kind
    std::string name;             // health: the prefecture name
    std::string fiscalYearLabel;  // as published: "R8"
    int fiscalYear = 0;           // the calendar year the fiscal year starts in: R8 → 2026
    RateMonth from;
    MilliPercent total = 0;
    MilliPercent employee = 0;
};

class PremiumRateHistory {
  public:
    // The rows of one rates CSV (section, code, name, fiscal_year, applies_from, total_rate_pct,
    // employee_rate_pct; sections it does not know are skipped).  A row already held is not
    // added twice; two rows for the same rate and month with different figures are a DataError,
    // as is a malformed row.  `name` names the file in the messages.
    void addCsv(std::string_view content, const std::string& name);
    // Every health_rates_*.csv of the data folder.
    static PremiumRateHistory fromDataFolder(const std::filesystem::path& folder);
    // The file the build writes: IoError when it cannot be read or its seal is broken,
    // DataError when its rows are not sound.
    static PremiumRateHistory load(const std::filesystem::path& path);
    // The rows as the build writes them (a CSV the reader above takes back), without the seal.
    std::string text() const;

    bool empty() const { return rows_.empty(); }
    const std::vector<PremiumRate>& rows() const { return rows_; }

    // The row of `kind` (and `key` where the kind has one) in force in `month`: the one with the
    // latest start not after it.  Nothing before the first row.
    std::optional<PremiumRate> inForce(RateKind kind, std::string_view key, RateMonth month) const;
    // The health rows of the fiscal year in force in `month` (every prefecture), and of the
    // fiscal year before that one.
    std::vector<PremiumRate> healthRatesAt(RateMonth month) const;
    std::vector<PremiumRate> healthRatesBefore(RateMonth month) const;
    // Every row of `kind` that started before `month`'s row in force.
    std::vector<PremiumRate> earlierRates(RateKind kind, std::string_view key,
                                          RateMonth month) const;

  private:
    std::vector<PremiumRate> rows_;
};

// "令和8年度" for a rate of fiscal year "R8".
std::string fiscalYearText(const PremiumRate& rate);

// The verdict of `tables check` on the built file: a broken seal, a malformed row, a rate
// outside 0–50 %, or an employee's share above its total.
TableCheck checkPremiumRateFile(std::string_view bytes);

// The months that decide a period's rates.
struct PeriodRateMonths {
    RateMonth premium;     // health, 介護, 支援金, pension
    RateMonth employment;  // 雇用保険
};
// Salary period 1..12 of `calendarYear`, or a bonus period with its pay month (January when it
// has none).
PeriodRateMonths rateMonthsOf(int calendarYear, int period, int bonusPayMonth);

// The 雇用保険 business kind: 一般 when `generalBusiness`, else the kind of the labour insurance
// setting (0 一般, 1 農林水産・清酒製造, 2 建設), 農林水産・清酒製造 when that says 一般 (both
// other kinds have had the same employee share).
std::string_view employmentBusinessOf(bool generalBusiness, int employmentBusiness);

}  // namespace keiro::calc
