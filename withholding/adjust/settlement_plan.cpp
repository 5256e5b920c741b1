#include "withholding/adjust/settlement_plan.h"

#include <optional>

namespace keiro::withholding {
namespace {

// The 過不足 to settle: only a calculated year has one.
std::optional<std::int64_t> differenceOf(const WithholdingFile& file, int slot) {
    const YearEndFigures figures = yearEndFiguresOf(file, slot);
    if (figures.status != kCalculated) return std::nullopt;
    return figures.difference();
}

}  // namespace

SettlementPlan planSettlement(const WithholdingFile& file, const PeriodBlock& master,
                              const PeriodBlock& paying, const std::vector<int>& slots) {
    SettlementPlan plan;
    for (int slot : slots) {
        if (slot < 1 || slot > kMaxEmployees) continue;
        const EmployeeRecord& employee = master.employee(slot);
        const std::optional<std::int64_t> difference = differenceOf(file, slot);
        if (!employee.isUsed() || !difference) continue;
        SettlementLine line{slot, employee.name.utf8(), {employee.recordId.utf8(), *difference}};
        auto& lines = settlementPayableIn(paying, line.entry) ? plan.payable : plan.notPaidInPeriod;
        lines.push_back(std::move(line));
    }
    return plan;
}

std::vector<SettlementEntry> entriesOf(const std::vector<SettlementLine>& lines) {
    std::vector<SettlementEntry> entries;
    entries.reserve(lines.size());
    for (const SettlementLine& line : lines) entries.push_back(line.entry);
    return entries;
}

}  // namespace keiro::withholding
