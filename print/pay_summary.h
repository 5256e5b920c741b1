#pragma once
// The 支給控除一覧 of an open period: for each employee at work, every pay item, 支給項目合計,
// every deduction, 控除項目合計, 社保算定合計, the その他 items and 差引支給額, with the
// company's total of each row.  The rows are the monthly list's amount rows (table_rows.h), so
// the screen and the printed list always agree; the values are those the records hold after
// the last recalculation.

#include <string>
#include <vector>

#include "core/records.h"
#include "print/table_rows.h"

namespace keiro::print {

struct PaySummary {
    struct Row {
        std::string label;
        bool total = false;  // 支給項目合計, 控除項目合計 and 差引支給額 stand out
    };
    struct Column {
        int slot = 0;
        std::string name;
        std::vector<long long> yen;  // one per row
    };
    std::vector<Row> rows;
    std::vector<Column> employees;
    std::vector<long long> company;  // each row's sum over the employees
    // Overtime hours entered where the employee's unit price is 0 yen, so they pay nothing:
    // "佐藤　健一(深夜残業)", one per employee and item.
    std::vector<std::string> unpaidOvertime;
};

// The summary of the `employees` (slots 1..100, in the order shown).  The attendance rows the
// settings add to the printed list are left out: the grid above shows attendance.
PaySummary paySummary(const PeriodBlock& block, TableOptions options,
                      const std::vector<int>& employees);

}  // namespace keiro::print
