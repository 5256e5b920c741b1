// Recalculating a whole period of 100 employees, as the main window does before every save,
// print and unsaved-change test: a salary month from the records and from the grid's columns,
// and a bonus, which also reads the month before its pay month and the earlier bonuses of the
// health insurance year from the files (January: from the previous year's file).
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "calc/data_csv.h"
#include "calc/period_calc.h"
#include "calc/tax_table_build.h"
#include "core/fileio.h"
#include "core/places.h"
#include "core/yearfile.h"
#include "payroll/model/employee_sheet.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

const fs::path kDataFolder = fs::path(__FILE__).parent_path().parent_path() / "data";
const EraNames kNames{"平成", "令和"};
const EraYear kThisYear{"令和", 8};
const EraYear kPreviousYear{"令和", 7};

DataCsv dataCsv(const std::string& name) {
    return DataCsv(readFile(kDataFolder / name), name);
}

std::string recordId(int slot) {
    return "250401_09" + std::to_string(1000 + slot);
}

// 100 employees of all three pay forms, insured, with allowances, deductions and attendance.
std::unique_ptr<PeriodBlock> fullBlock() {
    auto block = std::make_unique<PeriodBlock>();
    PeriodSettings& s = block->settings;
    s.companyName.assign("山田商店株式会社");
    s.scheduledDays = 20;
    s.scheduledHours = 160.0;
    s.healthInsRate = 4.925;
    s.nursingInsRate = 0.81;
    s.pensionRate = 9.15;
    s.pensionFundRate = 1.0;
    s.employmentInsRate = 0.55;
    for (int i = 0; i < kMaxEmployees; ++i) {
        EmployeeRecord& e = block->employees[i];
        e.recordId.assign(recordId(i + 1));
        e.name.assign("山田　太郎" + std::to_string(i));
        e.payForm = static_cast<std::uint8_t>(1 + i % 3);
        e.workStatus = i % 17 == 16 ? 2 : 1;
        e.taxColumn = i % 11 == 10 ? 1 : 0;
        e.dependentRelatives = i % 5;
        e.basePay = e.payForm == 1 ? 220'000 + 1'000 * i : e.payForm == 2 ? 9'000 : 1'100;
        e.overtimeRate = 1'600;
        e.lateNightRate = 1'900;
        e.paidLeavePay = 8'000;
        e.absenceDeductionRate = 10'000;
        e.lateDeductionRate = 1'300;
        e.commuteNonTaxable = 12'000;
        e.positionAllowance = i % 4 == 0 ? 20'000 : 0;
        e.familyAllowance = 5'000;
        e.residentTaxJune = 12'300;
        e.residentTax = 11'000;
        e.employmentInsured = e.healthInsured = e.pensionInsured = 1;
        e.nursingInsured = i % 2;
        e.healthInsPremium = 12'806;
        e.nursingInsPremium = 2'106;
        e.pensionPremium = 23'790;
        AttendanceRecord& a = block->attendance[i];
        a.daysWorked = 20;
        a.hoursWorked = 160;
        a.overtimeHours = 12.5;
        a.lateNightHours = 2;
        a.absentDays = i % 7 == 0 ? 1 : 0;
        a.lateHours = 0.5;
        block->payments[i].basePayAmount = 500'000 + 1'000 * i;  // the bonus, in bonus blocks
        block->payments[i].taxablePayTotal = 500'000;
        block->deductions[i].payAfterSocialIns = 240'000 + 500 * i;
    }
    return block;
}

// Two year files in a private folder: every month and the bonuses of July and December saved
// in the previous year, January to November and a July bonus in this year.
class Company {
  public:
    Company()
        : folder_(fs::temp_directory_path() /
                  ("keiro-bench-recalc-" + std::to_string(std::random_device{}()))) {
        createPrivateDirectories(folder_);
        const auto block = fullBlock();
        writeYear(kPreviousYear, *block, 12, {7, 12});
        writeYear(kThisYear, *block, 11, {7, 0});

        const fs::path programFolder = folder_ / "program";
        createPrivateDirectories(programFolder);
        writeFileAtomic(programFolder / kSalaryTaxTableFileName,
                        buildSalaryTaxTable(dataCsv("withholding_monthly_2026.csv"),
                                            dataCsv("withholding_monthly_2026_rules.csv"),
                                            dataCsv("withholding_monthly_params.csv"), "2026"));
        writeFileAtomic(programFolder / kBonusTaxTableFileName,
                        buildBonusTaxTable(dataCsv("withholding_bonus_2026.csv")));
        tables_.salary = SalaryTaxTable::fromFile(programFolder / kSalaryTaxTableFileName);
        tables_.bonus = BonusTaxTable::fromFile(programFolder / kBonusTaxTableFileName);
        salary_ =
            ActiveItems(buildPrintTables(defaultLayout(LayoutKind::Salary)), settings_.itemNames);
        bonus_ =
            ActiveItems(buildPrintTables(defaultLayout(LayoutKind::Bonus)), settings_.itemNames);
    }
    ~Company() { fs::remove_all(folder_); }

    YearData open(int period, int bonusMonth = 0) const {
        YearData year;
        year.setFile(folder_ / yearFileName(kThisYear), kThisYear.eraName, kThisYear.eraYear,
                     kNames);
        year.openPeriod(period, {20, 160.0, bonusMonth, 10}, nullptr);
        std::memcpy(&year.block(), fullBlock().get(), kBlockSize);  // a fully used period
        return year;
    }

    CalcContext context(bool bonus) {
        return CalcContext{settings_, bonus ? bonus_ : salary_, tables_, 2026};
    }

  private:
    void writeYear(const EraYear& year, const PeriodBlock& block, int lastMonth,
                   std::array<int, 2> bonusMonths) {
        std::string content(kYearFileSize, '\0');
        YearFileHeader header{};
        for (int k = 1; k <= lastMonth; ++k) header.periodSaved[k - 1] = 1;
        for (int b = 0; b < 2; ++b) {
            header.bonusPayMonth[b] = bonusMonths[b];
            header.bonusPayDay[b] = bonusMonths[b] == 0 ? 0 : 10;
            if (bonusMonths[b] != 0) header.periodSaved[kFirstBonusPeriod + b - 1] = 1;
        }
        std::memcpy(content.data(), &header, sizeof header);
        for (int k = 1; k <= kPeriodCount; ++k) {
            if (header.periodSaved[k - 1] == 1) {
                std::memcpy(content.data() + blockOffset(k), &block, kBlockSize);
            }
        }
        writeFileAtomic(folder_ / yearFileName(year), content);
    }

    fs::path folder_;
    Settings settings_;
    TaxTables tables_;
    ActiveItems salary_;
    ActiveItems bonus_;
};

Company& company() {
    static Company c;
    return c;
}

// The grid's columns: the variable rows of the default salary layout, as the window shows them.
std::vector<GridColumn> gridColumns(const YearData& year) {
    std::vector<GridColumn> columns;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& e = year.block().employee(slot);
        if (!e.isUsed() || e.workStatus != 1) continue;
        columns.push_back({{{"出勤日数", " 20.00"},
                            {"有休日数", "  1.00"},
                            {"欠勤日数", "  0.00"},
                            {"休日出勤日数", "  0.00"},
                            {"特別休暇日数", "  0.00"},
                            {"実働時間", "160:00"},
                            {"普通残業時間", " 12:30"},
                            {"深夜残業時間", "  2:00"},
                            {"休日普通残業", "  0:00"},
                            {"休日深夜残業", "  0:00"},
                            {"遅刻早退回数", "  1.00"},
                            {"遅刻早退時間", "  0:30"},
                            {"有休残日数", "  9.00"},
                            {"変動手当１", "  3,000"},
                            {"変動控除１", "  1,500"}}});
    }
    return columns;
}

void BM_RecalculateMonthFromRecords(benchmark::State& state) {
    YearData year = company().open(6);
    const CalcContext ctx = company().context(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecalculatePeriod(year, ctx, nullptr));
    }
}
BENCHMARK(BM_RecalculateMonthFromRecords)->Unit(benchmark::kMicrosecond);

void BM_RecalculateMonthFromGrid(benchmark::State& state) {
    YearData year = company().open(6);
    const std::vector<GridColumn> columns = gridColumns(year);
    const CalcContext ctx = company().context(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecalculatePeriod(year, ctx, &columns));
    }
}
BENCHMARK(BM_RecalculateMonthFromGrid)->Unit(benchmark::kMicrosecond);

// A bonus paid in January: December and the bonuses of the previous year's file.
void BM_RecalculateJanuaryBonus(benchmark::State& state) {
    YearData year = company().open(15, 1);
    const CalcContext ctx = company().context(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecalculatePeriod(year, ctx, nullptr));
    }
}
BENCHMARK(BM_RecalculateJanuaryBonus)->Unit(benchmark::kMicrosecond);

// A bonus paid in December: November and the July bonus of this year's file.
void BM_RecalculateDecemberBonus(benchmark::State& state) {
    YearData year = company().open(14, 12);
    const CalcContext ctx = company().context(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecalculatePeriod(year, ctx, nullptr));
    }
}
BENCHMARK(BM_RecalculateDecemberBonus)->Unit(benchmark::kMicrosecond);

// Leaving one box of the individual entry window: the typed value stored, the employee
// recalculated, and every box's text made again for the redisplay.
void BM_DetailEntryBox(benchmark::State& state) {
    YearData year = company().open(6);
    const CalcContext ctx = company().context(false);
    const PrintTables tables = buildPrintTables(defaultLayout(LayoutKind::Salary));
    payroll::EmployeeSheet sheet(year, tables, ctx);
    sheet.show(1);
    int position = 0;  // the 普通残業時間 row
    while (sheet.caption(Band::Attendance, position) != "普通残業時間") ++position;
    int hours = 0;
    for (auto _ : state) {
        sheet.enter(Band::Attendance, position, std::to_string(10 + hours++ % 5) + ":30");
        benchmark::DoNotOptimize(sheet.recalculate());
        for (int b = 0; b < kBandCount; ++b) {
            const Band band = static_cast<Band>(b);
            for (int p = 0; p < sheet.rowCount(band); ++p) {
                benchmark::DoNotOptimize(sheet.text(band, p));
            }
        }
        benchmark::DoNotOptimize(sheet.totals());
    }
}
BENCHMARK(BM_DetailEntryBox)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace keiro::calc
