// Typing one cell and seeing the net pay, with 100 employees in the period: the value set
// through the period's document, that employee recalculated and the 差引支給額 read back; and
// the same typed into the main window's grid (checked, reformatted and stored as the
// recalculation collects it).  Nothing here reads a file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "bench/june_company.h"
#include "calc/pay_calc.h"
#include "core/fileio.h"
#include "core/yearfile.h"
#include "payroll/model/pay_grid.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

constexpr int kOvertimeHours = 9;  // 普通残業時間 in AttendanceRecord

// The June company with every employee calculated once, and the slip items of each pay form.
class Company : public JuneCompany {
  public:
    Company() : JuneCompany("cell"), forms_(active(), false) {
        const CalcContext ctx = context();
        for (int slot = 1; slot <= kMaxEmployees; ++slot) ComputeMonth(year(), slot, ctx);
    }
    const FormItems& formsOf(int slot) { return forms_.of(year().block().employee(slot).payForm); }

  private:
    FormItemTable forms_;
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
