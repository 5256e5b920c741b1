#include "print/ledger_sheet.h"

namespace keiro::print {
namespace {

// The slot of the period holding the employee with this key: the last one that does.
std::optional<int> slotOf(const PeriodBlock& block, std::string_view recordId) {
    std::optional<int> found;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& employee = block.employee(slot);
        if (employee.isUsed() && employee.recordId.bytes() == recordId) found = slot;
    }
    return found;
}

}  // namespace

std::vector<LedgerEmployee> ledgerEmployees(const PeriodBlock& block,
                                            const std::vector<int>& slots) {
    std::vector<LedgerEmployee> employees;
    for (const int slot : slots) {
        if (slot < 1 || slot > kMaxEmployees || !block.employee(slot).isUsed()) continue;
        const EmployeeRecord& employee = block.employee(slot);
        employees.push_back({slot, std::string(employee.recordId.bytes()), employee.name.utf8()});
    }
    return employees;
}

std::vector<LedgerEmployee> ledgerEmployeesAsSaved(const PeriodBlock& block,
                                                   const std::vector<int>& slots,
                                                   const YearView& file, int period) {
    std::vector<LedgerEmployee> employees = ledgerEmployees(block, slots);
    if (period < 1 || period > kPeriodCount || !file.isSaved(period)) return employees;
    const PeriodBlock& saved = file.block(period);
    for (LedgerEmployee& employee : employees) {
        if (const std::optional<int> slot = slotOf(saved, employee.recordId)) {
            employee.name = saved.employee(*slot).name.utf8();
        }
    }
    return employees;
}

std::string ledgerCompanyAsSaved(const PeriodBlock& block, const YearView& file, int period) {
    const bool saved = period >= 1 && period <= kPeriodCount && file.isSaved(period);
    return (saved ? file.block(period) : block).settings.companyName.utf8();
}

LedgerSheet ledgerSheet(const std::vector<TableRow>& rows, const YearView& year,
                        std::string_view recordId) {
    LedgerSheet sheet;
    sheet.total.assign(rows.size(), CellValue{});
    for (int period = 1; period <= kPeriodCount; ++period) {
        LedgerColumn& column = sheet.periods[static_cast<std::size_t>(period - 1)];
        column.assign(rows.size(), std::nullopt);
        if (!year.isSaved(period)) continue;
        const PeriodBlock& block = year.block(period);
        const std::optional<int> slot = slotOf(block, recordId);
        const std::vector<CellValue> values =
            slot ? columnValues(rows, block, *slot) : std::vector<CellValue>(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const TableRow& row = rows[i];
            if (row.kind == RowKind::Header) continue;
            if (row.isAttendance() && isBonusPeriod(period)) continue;
            column[i] = values[i];
            sheet.total[i] += values[i];
        }
    }
    return sheet;
}

std::string ledgerPeriodLabel(int period, const ItemNames& names) {
    static constexpr const char* kFullWidthDigits[] = {"１", "２", "３", "４", "５",
                                                       "６", "７", "８", "９"};
    if (period == 13) return "夏期賞与";
    if (period == 14) return "冬期賞与";
    if (period == 15) return names.extraBonusCaption;
    if (period >= 1 && period <= 9) return std::string(kFullWidthDigits[period - 1]) + "月給与";
    return std::to_string(period) + "月給与";
}

}  // namespace keiro::print
