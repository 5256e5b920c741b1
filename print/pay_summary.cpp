#include "print/pay_summary.h"

#include <iterator>
#include <utility>

namespace keiro::print {

PaySummary paySummary(const PeriodBlock& block, TableOptions options,
                      const std::vector<int>& employees) {
    options.added = {};
    options.settlementRow = holdsSettlement(block);
    const std::vector<TableRow> all = tableRows(options);
    std::vector<std::size_t> shown;  // the amount rows, without the header
    PaySummary summary;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const TableRow& row = all[i];
        if (row.kind == RowKind::Header || row.isAttendance()) continue;
        shown.push_back(i);
        const bool total = row.kind == RowKind::NetPay || row.label == "支給項目合計" ||
                           row.label == "控除項目合計";
        summary.rows.push_back({row.label, total});
    }
    summary.company.assign(shown.size(), 0);
    for (const int slot : employees) {
        const std::vector<CellValue> values = columnValues(all, block, slot);
        PaySummary::Column column{slot, block.employee(slot).name.utf8(), {}};
        for (std::size_t r = 0; r < shown.size(); ++r) {
            column.yen.push_back(values[shown[r]].yen);
            summary.company[r] += values[shown[r]].yen;
        }
        summary.employees.push_back(std::move(column));
        const EmployeeRecord& e = block.employee(slot);
        const AttendanceRecord& a = block.attendance[static_cast<std::size_t>(slot - 1)];
        const std::pair<double, std::int32_t> overtime[] = {
            {a.overtimeHours, e.overtimeRate},
            {a.lateNightHours, e.lateNightRate},
            {a.holidayOvertimeHours, e.holidayOvertimeRate},
            {a.holidayLateNightHours, e.holidayLateNightRate}};
        static constexpr const char* kOvertimeNames[] = {"普通残業", "深夜残業", "休日普通残業",
                                                         "休日深夜残業"};
        for (std::size_t k = 0; k < std::size(overtime); ++k) {
            if (overtime[k].first > 0 && overtime[k].second == 0)
                summary.unpaidOvertime.push_back(e.name.utf8() + "(" + kOvertimeNames[k] + ")");
        }
    }
    return summary;
}

}  // namespace keiro::print
