#pragma once
// The rows the pay ledger and the monthly list share, top to bottom:
//
//   a header row (period or employee names);
//   the attendance items 1..15 of the standard list that the user added (DaichoAdd);
//   the 18 pay items of the standard list, less the free allowances the user removed (DaichoDel);
//   支給項目合計;
//   the deduction items of the standard list that are not blank, less the free deductions removed;
//   年調過不足, the last deduction, only in a table whose data holds one (see TableOptions);
//   控除項目合計 and 社保算定合計;
//   その他１..３, less those removed;
//   差引支給額: 支給項目合計 + その他 − 控除項目合計.
//
// Without changes that is 42 rows: the header, 18 pay items, 16 deductions (the fifteen of the
// standard list and 子ども・子育て支援金, which sits with the other premiums after 介護保険料), the
// four totals and the three others.  The settings never let the added attendance items outnumber
// the removed ones, so a table never grows past 42 rows; raised by 10 mm it ends 203.8 mm down
// the A4 landscape sheet.  A table that carries 年調過不足 has one row more and draws its rows a
// little closer (table_frame.h) so as to end at the same place.
//
// Labels are the user's display names.  Values are whole yen, or days and hours for attendance
// rows, taken from the records of one employee of one period block.

#include <string>
#include <vector>

#include "core/entry.h"
#include "core/item_values.h"
#include "core/layouts.h"
#include "core/records.h"
#include "core/settings.h"

namespace keiro::print {

enum class RowKind {
    Header,  // the names of the columns
    Stored,  // a value the records hold
    NetPay,  // 差引支給額
};

enum class RowFormat {
    Amount,    // formatAmount
    Quantity,  // days and counts: "%6.2f"
    Hours,     // formatHours
};

struct TableRow {
    RowKind kind = RowKind::Stored;
    std::string label;  // "" for the header row
    RowFormat format = RowFormat::Amount;
    ItemId source;  // Stored rows: where the value is

    bool isAttendance() const { return format != RowFormat::Amount; }
};

// What the user chose for the ledger and the list, and how hours are shown.
struct TableOptions {
    ItemNames names;
    LedgerItemFlags added{};    // DaichoAdd
    LedgerItemFlags removed{};  // DaichoDel
    TimeStyle timeStyle = TimeStyle::Sexagesimal;
    // The 年調過不足 row: set by a report whose data holds a settlement, so that the months
    // without one keep the table they always had.
    bool settlementRow = false;
};
TableOptions tableOptions(const Settings& settings);

// Whether any employee of the block has a 年調過不足.
bool holdsSettlement(const PeriodBlock& block);

// The longest table the settings allow, without and with the 年調過不足 row.
inline constexpr int kMaxTableRows = 42;
inline constexpr int kMaxTableRowsWithSettlement = kMaxTableRows + 1;

std::vector<TableRow> tableRows(const TableOptions& options);

// The number of attendance rows (the added items), which follow the header row.
int attendanceRowCount(const std::vector<TableRow>& rows);

// One cell: whole yen for amount rows, days or hours for attendance rows.
struct CellValue {
    long long yen = 0;
    double quantity = 0;

    CellValue& operator+=(const CellValue& other) {
        yen += other.yen;
        quantity += other.quantity;
        return *this;
    }
};

// The values of every row for slot 1..100 of a block (the header row's is zero).  A damaged
// attendance figure (not a finite number) counts as 0.
std::vector<CellValue> columnValues(const std::vector<TableRow>& rows, const PeriodBlock& block,
                                    int slot);

// Adds a column to running sums of the same rows.
void addColumn(std::vector<CellValue>& sums, const std::vector<CellValue>& column);

// A cell as printed: amounts by formatAmount in `amountWidth` characters, attendance "%6.2f" or
// formatHours right-aligned in as many.  Nothing for the header row.
std::string cellText(const TableRow& row, const CellValue& value, int amountWidth, TimeStyle style);
// A cell in a CSV file: amounts as plain whole numbers, attendance as printed.
std::string csvCellText(const TableRow& row, const CellValue& value, TimeStyle style);

}  // namespace keiro::print
