// The withholding tax lookups, once per employee and period in every recalculation, and the
// loading of the two table files at start-up.  The tables are built from the published CSVs
// of the source tree.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "calc/data_csv.h"
#include "calc/payroll_tables.h"
#include "calc/premium_tables.h"
#include "calc/tax_table_build.h"
#include "calc/tax_tables.h"
#include "core/fileio.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

const fs::path kDataFolder = fs::path(__FILE__).parent_path().parent_path() / "data";

DataCsv dataCsv(const std::string& name) {
    return DataCsv(readFile(kDataFolder / name), name);
}

const std::string& salaryBytes() {
    static const std::string bytes = buildSalaryTaxTable(
        dataCsv("withholding_monthly_2026.csv"), dataCsv("withholding_monthly_2026_rules.csv"),
        dataCsv("withholding_monthly_params.csv"), "2026");
    return bytes;
}

const std::string& bonusBytes() {
    static const std::string bytes = buildBonusTaxTable(dataCsv("withholding_bonus_2026.csv"));
    return bytes;
}

struct Query {
    std::int32_t amount;
    std::int32_t previous;
    std::int32_t dependents;
    int column;
};

// Amounts spread over the whole table, mostly ordinary pay, some above the printed bands.
const std::vector<Query>& queries() {
    static const std::vector<Query> all = [] {
        std::mt19937 random(20260101);
        std::uniform_int_distribution<std::int32_t> ordinary(0, 800'000);
        std::uniform_int_distribution<std::int32_t> high(740'000, 4'000'000);
        std::uniform_int_distribution<std::int32_t> dependents(0, 9);
        std::vector<Query> out(4096);
        for (std::size_t i = 0; i < out.size(); ++i) {
            out[i] = {i % 8 == 0 ? high(random) : ordinary(random), ordinary(random),
                      dependents(random), i % 5 == 0 ? 1 : 0};
        }
        return out;
    }();
    return all;
}

void lookupSalary(benchmark::State& state, const SalaryTaxTable& table) {
    const YenRounding rounding;
    const std::vector<Query>& q = queries();
    std::size_t i = 0;
    for (auto _ : state) {
        const Query& query = q[i++ % q.size()];
        benchmark::DoNotOptimize(
            table.LookupSalaryTax(query.amount, query.column, query.dependents, rounding));
    }
}

void BM_LookupSalaryTax(benchmark::State& state) {
    lookupSalary(state, SalaryTaxTable::fromBytes(salaryBytes(), "bench"));
}
BENCHMARK(BM_LookupSalaryTax);

// The fixed part only: the row search without the extension's breakpoints.
void BM_LookupSalaryTaxWithoutExtension(benchmark::State& state) {
    lookupSalary(state,
                 SalaryTaxTable::fromBytes(
                     std::string_view(salaryBytes()).substr(0, kSalaryTableFixedSize), "bench"));
}
BENCHMARK(BM_LookupSalaryTaxWithoutExtension);

void BM_LookupBonusTax(benchmark::State& state) {
    const BonusTaxTable table = BonusTaxTable::fromBytes(bonusBytes(), "bench");
    const YenRounding rounding;
    const std::vector<Query>& q = queries();
    std::size_t i = 0;
    for (auto _ : state) {
        const Query& query = q[i++ % q.size()];
        benchmark::DoNotOptimize(table.LookupBonusTax(query.previous, query.amount,
                                                      query.dependents, query.column, rounding));
    }
}
BENCHMARK(BM_LookupBonusTax);

// What a period recalculation adds once: looking whether the two files are still there.
void BM_RefreshFilePresence(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "keiro-bench-tax-presence";
    fs::create_directories(folder);
    writeFileAtomic(folder / "salary.dat", salaryBytes());
    SalaryTaxTable table = SalaryTaxTable::fromFile(folder / "salary.dat");
    for (auto _ : state) table.refreshFilePresence();
    fs::remove_all(folder);
}
BENCHMARK(BM_RefreshFilePresence);

// Start-up: the three tables the payroll program needs, read from the program folder.
void BM_LoadPayrollTables(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "keiro-bench-tax-tables";
    fs::create_directories(folder);
    const Places places = placesUnder(folder / "root", folder);
    writeFileAtomic(folder / std::string(kSalaryTaxTableFileName), salaryBytes());
    writeFileAtomic(folder / std::string(kBonusTaxTableFileName), bonusBytes());
    writeFileAtomic(folder / std::string(kHealthGradeTableFileName),
                    buildHealthGradeTable(dataCsv("health_grades.csv")));
    for (auto _ : state) benchmark::DoNotOptimize(loadPayrollTables(places));
    fs::remove_all(folder);
}
BENCHMARK(BM_LoadPayrollTables);

}  // namespace
}  // namespace keiro::calc
