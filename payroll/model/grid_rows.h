#pragma once
// The rows of the main window's pay grid: one row per layout position whose item is entered per
// period ("V…") on the pay slip of at least one pay form, with the pay forms it may be edited
// for, and the check made on an entry in a row (shared with the individual entry window).

#include <array>
#include <string_view>
#include <vector>

#include "core/entry.h"
#include "core/item_values.h"
#include "core/layouts.h"

namespace keiro::payroll {

struct GridRow {
    LayoutItem item;  // label, where the value is stored, how an entry is checked
    std::array<bool, kPayFormCount> editable{};  // index payForm − 1

    // False for a pay form outside 1..3 (a damaged employee record).
    bool editableFor(int payForm) const {
        return payForm >= 1 && payForm <= kPayFormCount && editable[payForm - 1];
    }
};

inline constexpr int kMaxGridItemRows = 52;

// For each layout position in turn (16 attendance, 18 pay, 18 deduction, 3 other) a row when the
// item at that position is used and variable on the pay slip of at least one pay form; labelled
// after the last of 月給, 日給, 時間給 that has it.  At most kMaxGridItemRows rows.
std::vector<GridRow> buildGridRows(const PrintTables& tables, const ItemNames& names);

// The check made on leaving a cell or box of the item: the text as it is to stay (in the item's
// format, as storedText shows it), or an empty text and the message.  `value` is what the
// checked entry stands for before it is formatted (1:20 is 4/3 hours even where it shows as
// 1.33; amounts in whole yen); 0 for an empty or refused entry.
struct CellEntry : EntryCheck {
    double value = 0.0;
};
CellEntry checkCellEntry(const LayoutItem& item, std::string_view text, TimeStyle style);

}  // namespace keiro::payroll
