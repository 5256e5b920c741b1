#pragma once
// The rows of the employee roster: one label per row at the left, and for each employee a column
// of the master settings in the same order.  The premiums include 子ども・子育て支援金, collected
// with the health premium, in the row after 介護保険料.

#include <array>
#include <string>

#include "core/items.h"
#include "core/records.h"

namespace keiro::print {

inline constexpr int kRosterRows = 30;

// The labels; the allowances and deductions the user can rename (役職手当, 家族手当, the fixed
// allowances and deductions) carry the user's names.
std::array<std::string, kRosterRows> rosterLabels(const ItemNames& names);

struct RosterCell {
    std::string text;
    bool amount = false;  // set at the amounts' place instead of the texts'
    bool operator==(const RosterCell&) const = default;
};

// One employee's column: name, department, category, pay form, tax column, dependants, the
// master amounts, the pay unit, employment insurance ○/－ and each premium, "－" when the
// employee is not insured for it.
std::array<RosterCell, kRosterRows> rosterColumn(const EmployeeRecord& employee);

}  // namespace keiro::print
