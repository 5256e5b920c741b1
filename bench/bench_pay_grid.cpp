// The main window's pay grid with 100 employees: building it from the open period, and
// committing a period as the save button does (grid built, its columns collected and the period
// recalculated, then the year file written on disk).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "calc/data_csv.h"
#include "calc/pay_grid.h"
#include "calc/period_calc.h"
#include "calc/tax_table_build.h"
#include "core/fileio.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

const fs::path kDataFolder = fs::path(__FILE__).parent_path().parent_path() / "data";
const EraYear kYear{"令和", 8};

DataCsv dataCsv(const std::string& name) {
    return DataCsv(readFile(kDataFolder / name), name);
}

// The salary layouts with one variable allowance and one variable deduction on every slip.
ItemLayout salaryLayout() {
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    for (Band band : {Band::Pay, Band::Deduction}) {
        for (TEditItems& row : layout.band(band)) {
            if (row.code == "V変動手当１" || row.code == "V変動控除１")
                row.use = {true, true, true};
        }
    }
    return layout;
}

// 100 employees of the three pay forms, insured, with attendance and variable amounts.
void fillPeriod(PeriodBlock& block) {
    PeriodSettings& s = block.settings;
    s.companyName.assign("山田商店株式会社");
    s.healthInsRate = 4.925;
    s.pensionRate = 9.15;
    s.employmentInsRate = 0.55;
    for (int i = 0; i < kMaxEmployees; ++i) {
        EmployeeRecord& e = block.employees[i];
        e.recordId.assign("250401_09" + std::to_string(1000 + i));
        e.name.assign("山田　太郎" + std::to_string(i));
        e.payForm = static_cast<std::uint8_t>(1 + i % 3);
        e.workStatus = 1;
        e.basePay = e.payForm == 1 ? 220'000 + 1'000 * i : e.payForm == 2 ? 9'000 : 1'100;
        e.overtimeRate = 1'600;
        e.lateNightRate = 1'900;
        e.paidLeavePay = 8'000;
        e.absenceDeductionRate = 10'000;
        e.employmentInsured = e.healthInsured = e.pensionInsured = 1;
        e.healthInsPremium = 12'806;
        e.pensionPremium = 23'790;
        AttendanceRecord& a = block.attendance[i];
        a.daysWorked = 20;
        a.paidLeaveDays = 1;
        a.hoursWorked = 160;
        a.overtimeHours = 12.5;
        a.lateNightHours = 2;
        a.lateHours = 0.5;
        a.paidLeaveBalance = 9;
        block.payments[i].variableAllowance1 = 3'000;
        block.deductions[i].variableDeduction1 = 1'500;
    }
}

class Company {
  public:
    Company()
        : folder_(fs::temp_directory_path() /
                  ("keiro-bench-grid-" + std::to_string(std::random_device{}()))),
          tables_(buildPrintTables(salaryLayout())),
          active_(tables_, settings_.itemNames) {
        createPrivateDirectories(folder_);
        const fs::path file = folder_ / yearFileName(kYear);
        createYearFileIfMissing(file);
        year_.setFile(file, kYear.eraName, kYear.eraYear, {"平成", "令和"});
        year_.openPeriod(6, {20, 160.0, 0, 0}, nullptr);
        fillPeriod(year_.block());

        const fs::path taxTable = folder_ / kSalaryTaxTableFileName;
        writeFileAtomic(taxTable,
                        buildSalaryTaxTable(dataCsv("withholding_monthly_2026.csv"),
                                            dataCsv("withholding_monthly_2026_rules.csv"),
                                            dataCsv("withholding_monthly_params.csv"), "2026"));
        tax_.salary = SalaryTaxTable::fromFile(taxTable);
    }
    ~Company() { fs::remove_all(folder_); }

    YearData& year() { return year_; }
    const PrintTables& tables() const { return tables_; }
    const Settings& settings() const { return settings_; }
    CalcContext context() { return CalcContext{settings_, active_, tax_, 2026}; }

  private:
    fs::path folder_;
    Settings settings_;
    PrintTables tables_;
    ActiveItems active_;
    TaxTables tax_;
    YearData year_;
};

Company& company() {
    static Company c;
    return c;
}

void BM_BuildGrid(benchmark::State& state) {
    Company& c = company();
    PayGrid grid;
    for (auto _ : state) {
        grid.build(c.year(), c.tables(), c.settings().itemNames, c.settings().timeStyle);
        benchmark::DoNotOptimize(grid.text(1, 1).data());
    }
}
BENCHMARK(BM_BuildGrid)->Unit(benchmark::kMicrosecond);

void BM_CommitPeriod(benchmark::State& state) {
    Company& c = company();
    const CalcContext ctx = c.context();
    PayGrid grid;
    for (auto _ : state) {
        grid.build(c.year(), c.tables(), c.settings().itemNames, c.settings().timeStyle);
        grid.setText(1, 1, "21");
        grid.commitCell(1, 1);
        const std::vector<GridColumn> columns = grid.columns();
        benchmark::DoNotOptimize(RecalculatePeriod(c.year(), ctx, &columns));
        c.year().savePeriod();
    }
}
BENCHMARK(BM_CommitPeriod)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace keiro::calc
