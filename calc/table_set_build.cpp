#include "calc/table_set_build.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>

#include "calc/data_csv.h"
#include "calc/payroll_tables.h"
#include "calc/premium_rates.h"
#include "calc/premium_tables.h"
#include "calc/table_seal.h"
#include "calc/tax_table_build.h"
#include "core/fileio.h"
#include "core/places.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

constexpr const char* kParamsCsv = "withholding_monthly_params.csv";
constexpr const char* kGradesCsv = "health_grades.csv";
constexpr const char* kPensionLimitsCsv = "health_pension_limits.csv";
// The prefecture rates of the settings dialog: the current fiscal year's only.
constexpr const char* kRatesCsv = "health_rates_2026.csv";

DataCsv readCsv(const fs::path& folder, const std::string& name) {
    return DataCsv(readFile(folder / name), name);
}

int digitsAt(const std::string& text, std::size_t at, std::size_t width) {
    int value = 0;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + width, value);
    return error == std::errc() && end == first + width ? value : -1;
}

// "2026-01-01" or "2020-09" → its year and month.
TableStart startOf(const DataCsv& csv, std::size_t row, std::string_view column) {
    const std::string& text = csv.text(row, column);
    const bool shaped = text.size() >= 7 && text[4] == '-';
    const TableStart start{shaped ? digitsAt(text, 0, 4) : -1, shaped ? digitsAt(text, 5, 2) : -1};
    if (start.year < 0 || start.month < 1 || start.month > 12) {
        throw DataError(std::string(column) + " is not a date: " + text);
    }
    return start;
}

// One period of the withholding tables: its files and the years it covers.  The bonus rate
// table of a year is sometimes published later than the monthly table: a period without one has
// none in its folders, and its bonuses are taxed with the newest earlier bonus table.
struct TaxPeriod {
    int firstYear = 0;
    int lastYear = 0;
    std::string salary;
    std::optional<std::string> bonus;
};

std::vector<TaxPeriod> buildTaxPeriods(const fs::path& data) {
    const DataCsv params = readCsv(data, kParamsCsv);
    std::vector<TaxPeriod> periods;
    for (std::size_t row = 0; row < params.rowCount(); ++row) {
        const std::string& name = params.text(row, "period");
        TaxPeriod period;
        period.firstYear = startOf(params, row, "valid_from").year;
        period.lastYear = params.empty(row, "valid_to") ? period.firstYear
                                                        : startOf(params, row, "valid_to").year;
        if (period.lastYear < period.firstYear) {
            throw DataError(std::string(kParamsCsv) + ": period " + name +
                            " ends before it starts");
        }
        period.salary = buildSalaryTaxTable(
            readCsv(data, "withholding_monthly_" + name + ".csv"),
            readCsv(data, "withholding_monthly_" + name + "_rules.csv"), params, name);
        const std::string bonusCsv = "withholding_bonus_" + name + ".csv";
        if (fs::exists(data / bonusCsv)) period.bonus = buildBonusTaxTable(readCsv(data, bonusCsv));
        periods.push_back(std::move(period));
    }
    if (periods.empty()) throw DataError(std::string(kParamsCsv) + ": no periods");
    std::sort(periods.begin(), periods.end(),
              [](const TaxPeriod& a, const TaxPeriod& b) { return a.firstYear < b.firstYear; });
    return periods;
}

// The grade table from each month its pension range changed, ascending.
std::map<TableStart, std::string> buildGradeTables(const fs::path& data) {
    const DataCsv grades = readCsv(data, kGradesCsv);
    const DataCsv limits = readCsv(data, kPensionLimitsCsv);
    std::map<TableStart, std::string> tables;
    for (std::size_t row = 0; row < limits.rowCount(); ++row) {
        tables[startOf(limits, row, "in_force_from")] =
            buildHealthGradeTable(grades, limits.integer(row, "top_pension_grade"));
    }
    if (tables.empty()) throw DataError(std::string(kPensionLimitsCsv) + ": no rows");
    return tables;
}

// The grade table in force at `start` (the earliest one before all of them).
const std::string& gradesAt(const std::map<TableStart, std::string>& tables,
                            const TableStart& start) {
    auto after = tables.upper_bound(start);
    return after == tables.begin() ? after->second : std::prev(after)->second;
}

fs::path datedPath(const TableStart& start, std::string_view name) {
    return fs::path(std::string(kYearTablesFolderName)) / start.folderName() / std::string(name);
}

}  // namespace

std::vector<TableFile> buildTableFiles(const fs::path& data) {
    const std::vector<TaxPeriod> periods = buildTaxPeriods(data);
    const std::map<TableStart, std::string> gradeTables = buildGradeTables(data);
    const auto newestBonus =
        std::find_if(periods.rbegin(), periods.rend(), [](const TaxPeriod& p) { return p.bonus; });
    if (newestBonus == periods.rend()) {
        throw DataError("no period of the withholding tables has a bonus table");
    }

    std::vector<TableFile> files = {
        {std::string(kSalaryTaxTableFileName), periods.back().salary},
        {std::string(kBonusTaxTableFileName), *newestBonus->bonus},
        {std::string(kHealthGradeTableFileName), std::prev(gradeTables.end())->second},
        {std::string(kHealthRateListFileName), buildPrefectureRateList(readCsv(data, kRatesCsv))},
        {std::string(kPremiumRateFileName), PremiumRateHistory::fromDataFolder(data).text()},
    };
    std::set<TableStart> gradesPlaced;
    for (const TaxPeriod& period : periods) {
        for (int year = period.firstYear; year <= period.lastYear; ++year) {
            const TableStart january{year, 1};
            files.push_back({datedPath(january, kSalaryTaxTableFileName), period.salary});
            if (period.bonus) {
                files.push_back({datedPath(january, kBonusTaxTableFileName), *period.bonus});
            }
            files.push_back(
                {datedPath(january, kHealthGradeTableFileName), gradesAt(gradeTables, january)});
            gradesPlaced.insert(january);
        }
    }
    // Every change of the grades gets a folder of its own month, whether or not its year has
    // tax tables: the grade table in force is chosen by date among all of them.
    for (const auto& [start, bytes] : gradeTables) {
        if (!gradesPlaced.contains(start)) {
            files.push_back({datedPath(start, kHealthGradeTableFileName), bytes});
        }
    }
    for (TableFile& file : files) file.bytes = sealTable(file.bytes);
    return files;
}

}  // namespace keiro::calc
