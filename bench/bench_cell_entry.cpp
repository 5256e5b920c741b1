// Typing one cell and seeing the net pay, with 100 employees in the period: the value set
// through the period's document, that employee recalculated and the 差引支給額 read back; and
// the same typed into the main window's grid (checked, reformatted and stored as the
// recalculation collects it).  Nothing here reads a file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "calc/data_csv.h"
#include "calc/pay_calc.h"
#include "calc/premium_tables.h"
#include "calc/tax_table_build.h"
#include "core/fileio.h"
#include "core/yearfile.h"
#include "payroll/model/pay_grid.h"
#include "sample/company.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

const fs::path kDataFolder = fs::path(__FILE__).parent_path().parent_path() / "data";
const EraYear kYear{"令和", 8};
constexpr int kOvertimeHours = 9;  // 普通残業時間 in AttendanceRecord

DataCsv dataCsv(const std::string& name) {
    return DataCsv(readFile(kDataFolder / name), name);
}

class Company {
  public:
    Company()
        : folder_(fs::temp_directory_path() /
                  ("keiro-bench-cell-" + std::to_string(std::random_device{}()))),
          settings_(sample::sampleSettings()),
          tables_(buildPrintTables(sample::salaryLayout())),
          active_(tables_, settings_.itemNames),
          forms_(active_, false) {
        createPrivateDirectories(folder_);
        const fs::path file = folder_ / yearFileName(kYear);
        createYearFileIfMissing(file);
        year_.setFile(file, kYear.eraName, kYear.eraYear, {"平成", "令和"});
        year_.openPeriod(6, sample::monthEntry(2026, 6), nullptr);
        const HealthGradeTable grades = HealthGradeTable::fromBytes(
            buildHealthGradeTable(dataCsv("health_grades.csv")), "health_grades.csv");
        sample::fillMonth(year_.block(), grades, 2026, 6, kMaxEmployees);

        const fs::path taxTable = folder_ / kSalaryTaxTableFileName;
        writeFileAtomic(taxTable,
                        buildSalaryTaxTable(dataCsv("withholding_monthly_2026.csv"),
                                            dataCsv("withholding_monthly_2026_rules.csv"),
                                            dataCsv("withholding_monthly_params.csv"), "2026"));
        tax_.salary = SalaryTaxTable::fromFile(taxTable);
        recalculateAll();
    }
    ~Company() { fs::remove_all(folder_); }

    YearData& year() { return year_; }
    const PrintTables& tables() const { return tables_; }
    const Settings& settings() const { return settings_; }
    const ActiveItems& active() const { return active_; }
    CalcContext context() { return CalcContext{settings_, active_, tax_, 2026}; }
    const FormItems& formsOf(int slot) const {
        return forms_.of(year_.block().employee(slot).payForm);
    }

  private:
    void recalculateAll() {
        const CalcContext ctx = context();
        for (int slot = 1; slot <= kMaxEmployees; ++slot) ComputeMonth(year_, slot, ctx);
    }

    fs::path folder_;
    Settings settings_;
    PrintTables tables_;
    ActiveItems active_;
    FormItemTable forms_;
    TaxTables tax_;
    YearData year_;
};

Company& company() {
    static Company c;
    return c;
}

// The net pay of one employee after a new value of one item.
void BM_SetCellThroughTheDocument(benchmark::State& state) {
    Company& c = company();
    const CalcContext ctx = c.context();
    PayrollPeriod& period = c.year().document();
    int n = 0;
    for (auto _ : state) {
        const int slot = n % kMaxEmployees + 1;
        const FormItems& on = c.formsOf(slot);
        period.setValue(period.idAt(slot), ItemId::attendance(kOvertimeHours), 10 + n++ % 7);
        ComputeMonth(c.year(), slot, ctx, on);
        const int index = slot - 1;
        benchmark::DoNotOptimize(
            netPay(c.year().block().payments[index], c.year().block().deductions[index], on.other));
    }
}
BENCHMARK(BM_SetCellThroughTheDocument)->Unit(benchmark::kMicrosecond);

// The same typed into the grid: the entry checked and shown as h:mm, then stored.
void BM_TypeCellInTheGrid(benchmark::State& state) {
    Company& c = company();
    const CalcContext ctx = c.context();
    payroll::PayGrid grid;
    grid.build(c.year(), c.tables(), c.active(), c.settings().itemNames, c.settings().timeStyle);
    const int row = grid.attendanceRow(kOvertimeHours);
    if (row == 0) {
        state.SkipWithError("the sample layout has no 普通残業時間 row");
        return;
    }
    int n = 0;
    for (auto _ : state) {
        const int col = n % grid.employeeCount() + 1;
        const int slot = grid.slotOf(col);
        grid.setText(row, col, std::to_string(10 + n++ % 7) + ":30");
        grid.commitCell(row, col);
        const FormItems& on = c.formsOf(slot);
        ComputeMonth(c.year(), slot, ctx, on);
        const int index = slot - 1;
        benchmark::DoNotOptimize(
            netPay(c.year().block().payments[index], c.year().block().deductions[index], on.other));
    }
}
BENCHMARK(BM_TypeCellInTheGrid)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace keiro::calc
