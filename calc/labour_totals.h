#pragma once
// The wage summary of the yearly labour insurance return (労働保険 年度更新): the wages of a
// fiscal year (April to March) by month and for the bonuses, split into the columns of the
// summary sheet, and the premiums at the year's rates.
//
// Wages belong to the month of their closing day (a month's pay to the month it covers), unlike
// the social-insurance decisions, which go by the month paid.  Columns:
//   労災保険 and 一般拠出金: (1) 常用労働者, (2) 役員で労働者扱いの者 (their worker's wage only),
//   (3) 臨時労働者 (not 雇用保険 insured), (4) = (1)+(2)+(3);
//   雇用保険 (insured only): (5) 被保険者, (6) 役員で雇用保険の資格のある者, (7) = (5)+(6).
// A director who is not a worker is outside the sheet.  The totals (4) and (7) are each cut to
// 1,000 yen; every premium is base × rate with fractions of a yen cut off.  When the two bases
// are equal the premium is also computed once at the combined rate, and a yen that the separate
// premiums lose against it goes to 労災.  一般拠出金 is the 労災 base × 0.02/1000.
// The yearly headcount of a column is its monthly counts ÷ 12, cut off, at least 1 when anyone
// was counted.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/records.h"

namespace keiro::calc {

enum class LabourColumn { Regular = 1, WorkingDirector = 2, Temporary = 3, Outside = 4 };
// The stored column, or when not set: a director (category 1 役員) outside, else 常用 when
// 雇用保険 insured and 臨時 when not.
LabourColumn labourColumnOf(const EmployeeRecord& employee);

enum class LabourBusiness { General = 0, AgricultureSake = 1, Construction = 2 };

// Rates in units of 1/100,000 (3/1000 is 300, 14.5/1000 is 1,450).
inline constexpr int kLabourRateUnit = 100'000;
inline constexpr int kAsbestosLevyRate = 2;  // 一般拠出金 0.02/1000, since April 2014
// The whole 雇用保険 rate (employee and employer) of a fiscal year; nothing for a year not known.
std::optional<int> employmentRateOf(int fiscalYear, LabourBusiness business);

inline constexpr int kLabourMonthRows = 12;  // April .. March; bonus rows follow

struct LabourEntry {
    int row = 0;  // 0..11 April..March, 12.. the bonuses in order
    LabourColumn column = LabourColumn::Regular;
    bool employmentInsured = false;
    std::int64_t wage = 0;
};

struct LabourCell {
    int count = 0;
    std::int64_t wage = 0;
    void add(std::int64_t w) {
        ++count;
        wage += w;
    }
};

struct LabourRow {
    std::string label;
    bool missing = false;  // no year file or no saved period for the month
    LabourCell regular, director, temporary, accidentTotal;  // (1) (2) (3) (4)
    LabourCell insured, insuredDirector, employmentTotal;    // (5) (6) (7)
};

struct LabourRates {
    int accident = 300;  // 労災 of the business type, company setting
    int employment = 0;
    int levy = kAsbestosLevyRate;
};

struct LabourTotals {
    std::vector<LabourRow> rows;
    LabourRow total;
    std::int64_t accidentBase = 0;    // (4) cut to 1,000 yen
    std::int64_t employmentBase = 0;  // (7) cut to 1,000 yen
    std::int64_t accidentPremium = 0;
    std::int64_t employmentPremium = 0;
    std::int64_t levy = 0;
    int accidentHeadcount = 0;
    int employmentHeadcount = 0;
    std::vector<std::string> missingMonths;
};

// `rows` gives the labels and missing marks (kLabourMonthRows months, then the bonuses).
LabourTotals summarizeLabour(std::vector<LabourRow> rows, const std::vector<LabourEntry>& entries,
                             const LabourRates& rates);

// base × rate / 100,000, cut off.
std::int64_t labourPremium(std::int64_t base, int rate);

// The 概算保険料 of a fiscal year, filed with the previous year's 確定.  Its bases are the
// previous year's 確定 bases, unless the wages expected for the year lie outside half to twice
// them: then the expected wages (cut to 1,000 yen) are the base.  Premiums as for the 確定, with
// the combined-rate yen; there is no 一般拠出金 in an estimate.
struct LabourEstimate {
    std::int64_t accidentBase = 0;
    std::int64_t employmentBase = 0;
    std::int64_t accidentPremium = 0;
    std::int64_t employmentPremium = 0;
    std::int64_t total() const { return accidentPremium + employmentPremium; }
};
// `expected…`: the wages the clerk expects for the year, when given.
LabourEstimate estimateLabour(std::int64_t accidentBase, std::int64_t employmentBase,
                              const LabourRates& rates,
                              std::optional<std::int64_t> expectedAccident = std::nullopt,
                              std::optional<std::int64_t> expectedEmployment = std::nullopt);

// The 精算 of the year's 確定 premium against the 概算 paid for it, and what is paid with the
// return: the new 概算, plus a shortfall, or less a surplus set against it (充当; what the new
// 概算 cannot take is refunded), plus the 一般拠出金.
struct LabourSettlement {
    std::int64_t confirmed = 0;  // 確定: 労災 + 雇用
    std::int64_t paid = 0;       // the 概算 paid for the year
    std::int64_t shortfall = 0;  // 不足額
    std::int64_t surplus = 0;    // 超過額
    std::int64_t credited = 0;   // of the surplus, set against the new 概算 (充当額)
    std::int64_t refund = 0;     // of the surplus, refunded (還付額)
    std::int64_t payment = 0;  // 納付額: the new 概算 + shortfall − credited + 一般拠出金
};
LabourSettlement settleLabour(std::int64_t confirmed, std::int64_t paid, std::int64_t nextEstimate,
                              std::int64_t levy);

}  // namespace keiro::calc
