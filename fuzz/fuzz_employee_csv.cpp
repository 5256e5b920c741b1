// Any bytes as an employee CSV and as an attendance CSV, imported into an empty and a full
// period: never reads outside the input, never crashes, keeps the used slots packed and every
// text field within its record size.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "core/attendance_import.h"
#include "core/employee_csv.h"
#include "core/payroll_period.h"

namespace {

void checkPacked(const keiro::PeriodBlock& block) {
    bool seenFree = false;
    for (const keiro::EmployeeRecord& employee : block.employees) {
        if (seenFree && employee.isUsed()) __builtin_trap();
        seenFree = seenFree || !employee.isUsed();
        if (employee.employeeCode.bytes().size() > 10 || employee.name.bytes().size() > 16 ||
            employee.department.bytes().size() > 16)
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const keiro::KeyTime now{2024, 12, 31, 23, 59, 59};
    keiro::PayrollPeriod period;
    period.open(1, std::make_unique<keiro::PeriodBlock>(), nullptr, nullptr);
    keiro::PeriodBlock* const block = &period.block();

    const keiro::EmployeeCsv employees = keiro::parseEmployeeCsv(bytes);
    if (!employees.error.empty() && !employees.rows.empty()) __builtin_trap();
    bool answer = false;
    for (int round = 0; round < 2; ++round) {
        keiro::importEmployees(
            period, employees.rows, [&](const std::string&) { return answer = !answer; }, now);
        checkPacked(*block);
    }

    const keiro::AttendanceCsv attendance = keiro::parseAttendanceCsv(bytes);
    if (!attendance.error.empty() && !attendance.rows.empty()) __builtin_trap();
    keiro::importAttendance(
        *block, attendance.rows, [](std::string_view) { return 1.0; }, [](const std::string&) {});
    return 0;
}
