#include "print/table_rows.h"

#include <cmath>
#include <optional>

namespace keiro::print {
namespace {

// The totals the records hold.
constexpr ItemId kPayTotal = ItemId::payment(19);
constexpr ItemId kDeductionTotal = ItemId::deduction(16);
constexpr ItemId kSocialInsBase = ItemId::deduction(17);
constexpr ItemId kSettlement = ItemId::deduction(DeductionRecord::kSettlementItem);
constexpr ItemId kOtherItems[] = {ItemId::payment(20), ItemId::payment(21), ItemId::payment(22)};

// The standard attendance entries that may be added: the first fifteen.
constexpr int kAddableAttendance = kLedgerChoiceCount;

// Whether the user took the item of `code` off the tables.  The removable items are the free
// items and the others, in item order, which is the order of the DaichoDel flags.
bool isRemoved(std::string_view code, const LedgerItemFlags& removed) {
    const std::optional<int> index = itemIndex(code);
    if (!index || *index < kFirstFreeItem) return false;
    return removed[static_cast<std::size_t>(*index - kFirstFreeItem)];
}

RowFormat formatOf(const LayoutItem& item) {
    if (!item.attendance) return RowFormat::Amount;
    return item.hoursLabel ? RowFormat::Hours : RowFormat::Quantity;
}

TableRow storedRow(std::string label, ItemId item) {
    return {RowKind::Stored, std::move(label), RowFormat::Amount, item};
}

// The rows of one band of the standard salary list, blank entries and removed items left out.
void addBand(std::vector<TableRow>& rows, const TableOptions& options, const ItemLayout& standard,
             Band band) {
    const std::vector<LayoutRow>& entries = standard.band(band);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& code = entries[i].code;
        if (code == kBlankItemCode || isRemoved(code, options.removed)) continue;
        const LayoutItem item =
            describeLayoutItem(options.names, LayoutKind::Salary, band, static_cast<int>(i), code);
        if (item.source == kSettlement) continue;  // placed after the band, when wanted
        rows.push_back({RowKind::Stored, item.label, formatOf(item), item.source});
    }
}

double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

long long yenAt(const ItemId& item, const PeriodBlock& block, int slot) {
    // Amounts are 32-bit whole yen, exact in a double.
    return static_cast<long long>(storedValue(item, block, slot));
}

}  // namespace

TableOptions tableOptions(const Settings& settings) {
    return {settings.itemNames, settings.ledgerAddedItems, settings.ledgerRemovedItems,
            settings.timeStyle};
}

bool holdsSettlement(const PeriodBlock& block) {
    for (int index = 0; index < kMaxEmployees; ++index) {
        if (block.employees[index].isUsed() && block.deductions[index].yearEndSettlement != 0) {
            return true;
        }
    }
    return false;
}

std::vector<TableRow> tableRows(const TableOptions& options) {
    const ItemLayout standard = defaultLayout(LayoutKind::Salary);
    std::vector<TableRow> rows;
    rows.push_back({RowKind::Header, "", RowFormat::Amount, {}});

    const std::vector<LayoutRow>& attendance = standard.band(Band::Attendance);
    for (int i = 0; i < kAddableAttendance; ++i) {
        const std::string& code = attendance[static_cast<std::size_t>(i)].code;
        if (!options.added[static_cast<std::size_t>(i)] || code == kBlankItemCode) continue;
        const LayoutItem item =
            describeLayoutItem(options.names, LayoutKind::Salary, Band::Attendance, i, code);
        rows.push_back({RowKind::Stored, item.label, formatOf(item), item.source});
    }

    addBand(rows, options, standard, Band::Pay);
    rows.push_back(storedRow("支給項目合計", kPayTotal));
    addBand(rows, options, standard, Band::Deduction);
    if (options.settlementRow) {
        rows.push_back(
            storedRow(layoutItemName(options.names, kYearEndSettlementCode), kSettlement));
    }
    rows.push_back(storedRow("控除項目合計", kDeductionTotal));
    rows.push_back(storedRow("社保算定合計", kSocialInsBase));
    addBand(rows, options, standard, Band::Other);
    rows.push_back({RowKind::NetPay, "差引支給額", RowFormat::Amount, {}});
    return rows;
}

int attendanceRowCount(const std::vector<TableRow>& rows) {
    int count = 0;
    for (const TableRow& row : rows) count += row.isAttendance() ? 1 : 0;
    return count;
}

std::vector<CellValue> columnValues(const std::vector<TableRow>& rows, const PeriodBlock& block,
                                    int slot) {
    std::vector<CellValue> values(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TableRow& row = rows[i];
        CellValue& value = values[i];
        if (row.kind == RowKind::NetPay) {
            value.yen = yenAt(kPayTotal, block, slot) - yenAt(kDeductionTotal, block, slot);
            for (const ItemId& other : kOtherItems) value.yen += yenAt(other, block, slot);
        } else if (row.kind == RowKind::Stored && row.isAttendance()) {
            value.quantity = finiteOrZero(storedValue(row.source, block, slot));
        } else if (row.kind == RowKind::Stored) {
            value.yen = yenAt(row.source, block, slot);
        }
    }
    return values;
}

void addColumn(std::vector<CellValue>& sums, const std::vector<CellValue>& column) {
    sums.resize(column.size());
    for (std::size_t i = 0; i < column.size(); ++i) sums[i] += column[i];
}

std::string cellText(const TableRow& row, const CellValue& value, int amountWidth,
                     TimeStyle style) {
    if (row.kind == RowKind::Header) return {};
    if (row.format == RowFormat::Amount) return formatAmount(amountWidth, value.yen);
    // Attendance figures are right-aligned with the amounts of their column.
    std::string text = csvCellText(row, value, style);
    if (static_cast<int>(text.size()) < amountWidth) {
        text.insert(0, static_cast<std::size_t>(amountWidth) - text.size(), ' ');
    }
    return text;
}

std::string csvCellText(const TableRow& row, const CellValue& value, TimeStyle style) {
    switch (row.kind == RowKind::Header ? RowFormat::Amount : row.format) {
        case RowFormat::Amount:
            return row.kind == RowKind::Header ? std::string() : std::to_string(value.yen);
        case RowFormat::Hours:
            return formatHours(value.quantity, style);
        case RowFormat::Quantity:
            break;
    }
    return formatQuantity(value.quantity);
}

}  // namespace keiro::print
