// Any bytes as a residence-tax amounts CSV, previewed against a period of three employees and
// applied: never reads outside the input, never crashes, accepts only amounts the editor can hold
// and touches no field but the two residence-tax amounts of the employees it names.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

#include "core/resident_tax_import.h"

namespace {

void addEmployee(keiro::PeriodBlock& block, int slot, const char* code) {
    keiro::EmployeeRecord& employee = block.employee(slot);
    employee.recordId.assign("240101_000000");
    employee.employeeCode.assign(code);
    employee.name.assign("山田　太郎");
    employee.basePay = 250'000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto block = std::make_unique<keiro::PeriodBlock>();
    std::memset(block.get(), 0, sizeof(keiro::PeriodBlock));
    addEmployee(*block, 1, "001");
    addEmployee(*block, 2, "002");
    addEmployee(*block, 3, "A10");

    const keiro::ResidentTaxImport preview = keiro::previewResidentTaxImport(*block, bytes);
    if (!preview.error.empty() && (!preview.changes.empty() || !preview.refused.empty()))
        __builtin_trap();
    for (const keiro::ResidentTaxChange& change : preview.changes) {
        if (change.slot < 1 || change.slot > 3) __builtin_trap();
        if (change.newJune < 0 || change.newJune > keiro::kMaxResidentTaxAmount ||
            change.newLater < 0 || change.newLater > keiro::kMaxResidentTaxAmount)
            __builtin_trap();
    }
    keiro::PayrollPeriod period;
    period.open(6, std::move(block), nullptr, nullptr);
    keiro::applyResidentTaxImport(period, preview);
    for (int slot = 1; slot <= 3; ++slot) {
        const int basePay = period.block().employee(slot).basePay;
        if (basePay != 250'000) __builtin_trap();
    }
    return 0;
}
