#include "payroll/model/grid_rows.h"

#include <string>
#include <utility>

#include "calc/rounding.h"

namespace keiro::payroll {

std::vector<GridRow> buildGridRows(const PrintTables& tables, const ItemNames& names) {
    std::vector<GridRow> rows;
    for (int b = 0; b < kBandCount; ++b) {
        const Band band = static_cast<Band>(b);
        for (int position = 0; position < kBandRows[b]; ++position) {
            GridRow row;
            std::string_view code;
            for (int payForm = 1; payForm <= kPayFormCount; ++payForm) {
                const std::vector<std::string>& codes = tables.rows(payForm, band);
                if (position >= static_cast<int>(codes.size())) continue;
                if (!isVariableCode(codes[position])) continue;
                row.editable[payForm - 1] = true;
                code = codes[position];  // the last pay form's item names the row
            }
            if (code.empty()) continue;
            if (static_cast<int>(rows.size()) == kMaxGridItemRows) return rows;
            row.item = describeLayoutItem(names, tables.kind, band, position, code);
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

CellEntry checkCellEntry(const LayoutItem& item, std::string_view text, TimeStyle style) {
    CellEntry check{validateNumericEntry(text, formatCodeOf(item.format))};
    if (!check.error.empty() || check.text.empty()) return check;
    // A text with ":" is hours and minutes in every row.
    const double value = parseNumber(check.text).value;
    check.value = value;
    switch (item.format) {
        case ItemFormat::Amount:
            check.value = calc::TruncYen(value);
            check.text = formatAmount(7, calc::TruncYen(value));
            break;
        case ItemFormat::Hours:
            check.text = formatHours(value, style);
            break;
        case ItemFormat::Days:
        case ItemFormat::Quantity:
            check.text = formatQuantity(value);
            break;
    }
    return check;
}

}  // namespace keiro::payroll
