// The employee list and the two CSV imports at 100 employees: what the clerk waits for after a
// click on a header section, an employee import and an attendance import.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/sample_month.h"
#include "calc/premium_tables.h"
#include "core/attendance_import.h"
#include "core/employee_csv.h"
#include "core/employee_list.h"
#include "core/payroll_period.h"
#include "core/places.h"
#include "core/text.h"
#include "sample/company.h"

namespace keiro::bench {
namespace {

// June of the sample company at full size.
std::unique_ptr<PeriodBlock> company() {
    return sampleMonth(2026, 6);
}

void BM_SortListByName(benchmark::State& state) {
    const auto block = company();
    for (auto _ : state) {
        benchmark::DoNotOptimize(employeeListOrder(*block, 1));
    }
}
BENCHMARK(BM_SortListByName)->Unit(benchmark::kMicrosecond);

void BM_ListLines(benchmark::State& state) {
    const auto block = company();
    for (auto _ : state) {
        for (int slot = 1; slot <= kMaxEmployees; ++slot) {
            benchmark::DoNotOptimize(employeeListLine(*block, slot));
        }
    }
}
BENCHMARK(BM_ListLines)->Unit(benchmark::kMicrosecond);

// Export, parse and import the same file: every employee is found and overwritten.
void BM_EmployeeCsvRoundTrip(benchmark::State& state) {
    PayrollPeriod period;
    period.open(1, company(), nullptr, nullptr);
    const std::string csv = formatEmployeeCsv(period.block());
    for (auto _ : state) {
        const EmployeeCsv parsed = parseEmployeeCsv(csv);
        benchmark::DoNotOptimize(
            importEmployees(period, parsed.rows, [](const std::string&) { return true; }, {}));
    }
}
BENCHMARK(BM_EmployeeCsvRoundTrip)->Unit(benchmark::kMicrosecond);

void BM_AttendanceImport(benchmark::State& state) {
    auto block = company();
    std::string csv = "code,days\r\n";
    for (const EmployeeRecord& e : block->employees) {
        csv += e.employeeCode.utf8() + ",20,1,0,0,0,160:00,12:30,2:00,0,0,1,0:30,\r\n";
    }
    for (auto _ : state) {
        const AttendanceCsv parsed = parseAttendanceCsv(csv);
        benchmark::DoNotOptimize(importAttendance(
            *block, parsed.rows, [](std::string_view) { return 9.0; }, [](const std::string&) {}));
    }
}
BENCHMARK(BM_AttendanceImport)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace keiro::bench
