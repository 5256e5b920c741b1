#include "calc/premium_rates.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#include "calc/data_csv.h"
#include "calc/table_seal.h"
#include "core/errors.h"
#include "core/fileio.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

constexpr MilliPercent kHighestRate = 50'000;  // 50 %: nothing above is a premium rate

constexpr std::array<std::pair<std::string_view, RateKind>, 5> kSections = {{
    {"health", RateKind::Health},
    {"nursing", RateKind::Nursing},
    {"child_support", RateKind::Support},
    {"pension", RateKind::Pension},
    {"employment", RateKind::Employment},
}};

// The eras a fiscal year is published in, with the calendar year before their first year.
struct EraLetter {
    char letter;
    int base;
    std::string_view name;
};
constexpr std::array<EraLetter, 2> kEraLetters = {{{'R', 2018, "令和"}, {'H', 1988, "平成"}}};

std::optional<RateKind> kindOf(std::string_view section) {
    for (const auto& [name, kind] : kSections) {
        if (name == section) return kind;
    }
    return std::nullopt;
}

std::string_view sectionOf(RateKind kind) {
    for (const auto& [name, k] : kSections) {
        if (k == kind) return name;
    }
    return {};
}

bool hasKey(RateKind kind) {
    return kind == RateKind::Health || kind == RateKind::Employment;
}

int digits(std::string_view text) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : -1;
}

// "R8" → 2026.
int fiscalYearOf(const std::string& label) {
    if (label.size() < 2) return -1;
    for (const EraLetter& era : kEraLetters) {
        const int year = digits(std::string_view(label).substr(1));
        if (label[0] == era.letter && year >= 1 && year < 1000) return era.base + year;
    }
    return -1;
}

// "2026-03" or "2026-04-01".
std::optional<RateMonth> monthOf(std::string_view text) {
    if (text.size() < 7 || text[4] != '-') return std::nullopt;
    const RateMonth month{digits(text.substr(0, 4)), digits(text.substr(5, 2))};
    if (month.year < 1900 || month.month < 1 || month.month > 12) return std::nullopt;
    return month;
}

std::string percentText(MilliPercent rate) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", percentOf(rate));
    return text;
}

bool sameRate(const PremiumRate& a, const PremiumRate& b) {
    return a.kind == b.kind && a.key == b.key && a.from == b.from;
}

std::string describe(const PremiumRate& rate) {
    char month[16];
    std::snprintf(month, sizeof month, "%04d-%02d", rate.from.year, rate.from.month);
    return std::string(sectionOf(rate.kind)) + (rate.key.empty() ? "" : " " + rate.key) + " from " +
           month;
}

}  // namespace

MilliPercent milliPercentOf(double percent) {
    if (!std::isfinite(percent) || std::fabs(percent) > 1e6) return -1;
    return static_cast<MilliPercent>(std::lround(percent * 1000));
}

double percentOf(MilliPercent rate) {
    return rate / 1000.0;
}

std::string fiscalYearText(const PremiumRate& rate) {
    for (const EraLetter& era : kEraLetters) {
        if (rate.fiscalYearLabel[0] == era.letter) {
            return std::string(era.name) + std::to_string(rate.fiscalYear - era.base) + "年度";
        }
    }
    return std::to_string(rate.fiscalYear) + "年度";
}

void PremiumRateHistory::addCsv(std::string_view content, const std::string& name) {
    const DataCsv csv(content, name);
    for (std::size_t row = 0; row < csv.rowCount(); ++row) {
        const std::optional<RateKind> kind = kindOf(csv.text(row, "section"));
        if (!kind) continue;
        const auto fail = [&](const std::string& why) {
            throw DataError(name + " line " + std::to_string(row + 2) + ": " + why);
        };
        PremiumRate rate;
        rate.kind = *kind;
        rate.key = hasKey(*kind) ? csv.text(row, "code") : std::string();
        rate.name = csv.text(row, "name");
        rate.fiscalYearLabel = csv.text(row, "fiscal_year");
        rate.fiscalYear = fiscalYearOf(rate.fiscalYearLabel);
        if (rate.fiscalYear < 0) fail("fiscal_year is not like R8: " + rate.fiscalYearLabel);
        const std::optional<RateMonth> from = monthOf(csv.text(row, "applies_from"));
        if (!from) fail("applies_from is not a month: " + csv.text(row, "applies_from"));
        rate.from = *from;
        rate.total = milliPercentOf(csv.decimal(row, "total_rate_pct"));
        rate.employee = milliPercentOf(csv.decimal(row, "employee_rate_pct"));
        if (rate.total < 0 || rate.total > kHighestRate || rate.employee < 0 ||
            rate.employee > rate.total) {
            fail("the rates are not plausible");
        }
        if (hasKey(*kind) && rate.key.empty()) fail("the code is empty");
        const auto held = std::find_if(rows_.begin(), rows_.end(),
                                       [&](const PremiumRate& r) { return sameRate(r, rate); });
        if (held == rows_.end()) {
            rows_.push_back(std::move(rate));
        } else if (held->total != rate.total || held->employee != rate.employee) {
            fail("a second figure for " + describe(rate));
        }
    }
}

PremiumRateHistory PremiumRateHistory::fromDataFolder(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("health_rates_") && name.ends_with(".csv")) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    PremiumRateHistory history;
    for (const fs::path& file : files) {
        history.addCsv(readFile(file), file.filename().string());
    }
    if (history.empty()) throw DataError(folder.string() + ": no health_rates_*.csv rows");
    return history;
}

PremiumRateHistory PremiumRateHistory::load(const fs::path& path) {
    const std::string bytes = readFile(path);
    const UnsealedTable table = unsealTable(bytes);
    if (!table.intact) {
        throw IoError(path, "読み込み", "保険料率の検査値が合いません（ファイルが壊れています）。");
    }
    PremiumRateHistory history;
    history.addCsv(table.content, path.filename().string());
    return history;
}

std::string PremiumRateHistory::text() const {
    std::string out =
        "section,code,name,fiscal_year,applies_from,total_rate_pct,employee_rate_pct\n";
    for (const PremiumRate& r : rows_) {
        char month[16];
        std::snprintf(month, sizeof month, "%04d-%02d", r.from.year, r.from.month);
        out += std::string(sectionOf(r.kind)) + ',' + r.key + ',' + r.name + ',' +
               r.fiscalYearLabel + ',' + month + ',' + percentText(r.total) + ',' +
               percentText(r.employee) + '\n';
    }
    return out;
}

std::optional<PremiumRate> PremiumRateHistory::inForce(RateKind kind, std::string_view key,
                                                       RateMonth month) const {
    const PremiumRate* best = nullptr;
    for (const PremiumRate& r : rows_) {
        if (r.kind != kind || (hasKey(kind) && r.key != key) || month < r.from) continue;
        if (best == nullptr || best->from < r.from) best = &r;
    }
    if (best == nullptr) return std::nullopt;
    return *best;
}

std::vector<PremiumRate> PremiumRateHistory::healthRatesAt(RateMonth month) const {
    int year = 0;
    for (const PremiumRate& r : rows_) {
        if (r.kind == RateKind::Health && !(month < r.from)) year = std::max(year, r.fiscalYear);
    }
    std::vector<PremiumRate> rates;
    for (const PremiumRate& r : rows_) {
        if (r.kind == RateKind::Health && r.fiscalYear == year && !(month < r.from)) {
            rates.push_back(r);
        }
    }
    return rates;
}

std::vector<PremiumRate> PremiumRateHistory::healthRatesBefore(RateMonth month) const {
    const std::vector<PremiumRate> current = healthRatesAt(month);
    if (current.empty()) return {};
    RateMonth start = current.front().from;
    for (const PremiumRate& r : current) start = std::min(start, r.from);
    RateMonth before{start.year, start.month - 1};
    if (before.month == 0) before = {start.year - 1, 12};
    return healthRatesAt(before);
}

std::vector<PremiumRate> PremiumRateHistory::earlierRates(RateKind kind, std::string_view key,
                                                          RateMonth month) const {
    const std::optional<PremiumRate> current = inForce(kind, key, month);
    std::vector<PremiumRate> rates;
    if (!current) return rates;
    for (const PremiumRate& r : rows_) {
        if (r.kind == kind && (!hasKey(kind) || r.key == key) && r.from < current->from) {
            rates.push_back(r);
        }
    }
    return rates;
}

TableCheck checkPremiumRateFile(std::string_view bytes) {
    TableCheck check;
    const std::string_view content = checkTableSeal(bytes, check);
    try {
        PremiumRateHistory history;
        history.addCsv(content, std::string(kPremiumRateFileName));
        int first = 0;
        int last = 0;
        for (const PremiumRate& r : history.rows()) {
            first = first == 0 ? r.fiscalYear : std::min(first, r.fiscalYear);
            last = std::max(last, r.fiscalYear);
        }
        check.summary.push_back("料率 " + std::to_string(history.rows().size()) + "（" +
                                std::to_string(first) + "〜" + std::to_string(last) + "年度）");
        if (history.empty()) check.faults.push_back("no rates");
    } catch (const DataError& e) {
        check.faults.push_back(e.what());
    }
    return check;
}

PeriodRateMonths rateMonthsOf(int calendarYear, int period, int bonusPayMonth) {
    if (period > 12) {
        const RateMonth pay{calendarYear,
                            bonusPayMonth >= 1 && bonusPayMonth <= 12 ? bonusPayMonth : 1};
        return {pay, pay};
    }
    const RateMonth premium =
        period == 1 ? RateMonth{calendarYear - 1, 12} : RateMonth{calendarYear, period - 1};
    return {premium, {calendarYear, period}};
}

std::string_view employmentBusinessOf(bool generalBusiness, int employmentBusiness) {
    if (generalBusiness) return kGeneralBusiness;
    return employmentBusiness == 2 ? kConstructionBusiness : kAgricultureBusiness;
}

}  // namespace keiro::calc
