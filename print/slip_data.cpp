#include "print/slip_data.h"

#include <cstdio>

#include "core/employee_master.h"
#include "core/item_values.h"
#include "core/text.h"
#include "print/slip_grid_items.h"
#include "print/slip_values.h"

namespace keiro::print {
namespace {

constexpr std::size_t kCommentLines = 5;
// The comment box holds 34 single-byte characters a line.
constexpr std::size_t kCommentWidth = 34;

template <typename... Args>
std::string formatted(const char* format, Args... args) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

LayoutKind layoutKindOf(int period) {
    return isBonusPeriod(period) ? LayoutKind::Bonus : LayoutKind::Salary;
}

// The month the period is paid in, for its era: the bonus's pay month or the salary month.
int paidMonth(const SlipPeriod& period) {
    if (!isBonusPeriod(period.period)) return period.period;
    return period.header->bonusPayMonth[period.period - kFirstBonusPeriod];
}

std::string categoryOf(const EmployeeRecord& employee) {
    const int category = employee.category;
    if (category >= 1 && category <= static_cast<int>(kEmployeeCategories.size())) {
        return std::string(kEmployeeCategories[category - 1]);
    }
    return employee.categoryText.utf8();
}

std::string sectionOf(const EmployeeRecord& employee) {
    const std::string department = employee.department.utf8();
    const std::string category = categoryOf(employee);
    if (department.empty()) return category;
    if (category.empty()) return department;
    return department + "・" + category;
}

// A text typed into a memo: its lines, whatever the line ends.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

// The comment's lines as the box prints them: a line too long for the box goes on in the next,
// and what does not fit in five lines is left out.
std::vector<std::string> commentOf(const EmployeeRecord& employee, const PrintChoices& choices) {
    const std::vector<std::string> typed =
        choices.printRemarks ? linesOf(employee.remarks.utf8()) : choices.comment;
    std::vector<std::string> lines;
    for (const std::string& line : typed) {
        std::string_view rest = line;
        do {
            std::string part = text::truncateToWidth(rest, kCommentWidth);
            if (part.empty() && !rest.empty()) break;  // a character wider than the box
            rest.remove_prefix(part.size());
            lines.push_back(std::move(part));
        } while (!rest.empty() && lines.size() < kCommentLines);
        if (lines.size() >= kCommentLines) break;
    }
    if (lines.size() > kCommentLines) lines.resize(kCommentLines);
    return lines;
}

std::string twoDigitsOrBlank(int number) {
    return number > 0 ? formatted("%2d", number) : std::string("  ");
}

bool validPayForm(int payForm) {
    return payForm >= 1 && payForm <= kPayFormCount;
}

// The rows of every band as the employee's pay form prints them, and the total of the other
// items printed.  A pay form outside 1..3 (a damaged record) prints no rows.
void collectRows(const SlipPeriod& period, int slot, SlipData& slip) {
    const int payForm = period.block->employee(slot).payForm;
    const LayoutKind kind = layoutKindOf(period.period);
    for (int b = 0; b < kBandCount; ++b) {
        const Band band = static_cast<Band>(b);
        std::vector<SlipLine>& rows = slip.rows[b];
        rows.assign(kBandRows[b], SlipLine{});
        if (!validPayForm(payForm)) continue;
        const std::vector<std::string>& codes = period.tables->rows(payForm, band);
        for (int r = 0; r < kBandRows[b] && r < static_cast<int>(codes.size()); ++r) {
            const LayoutItem item = describeLayoutItem(*period.names, kind, band, r, codes[r]);
            if (item.label.empty() || !printsOnSlip(item, *period.block, slot)) continue;
            rows[r].name = slipName(layoutRowCaption(*period.names, kind, band, codes[r], payForm));
            rows[r].value = slipValue(item, *period.block, slot, period.settings->timeStyle);
            if (band == Band::Other) slip.otherTotal += storedYen(item.source, *period.block, slot);
        }
    }
}

}  // namespace

std::string slipTitle(const SlipPeriod& period, bool grid) {
    const EraYear shown = displayEraYear(period.fileYear, paidMonth(period), period.eraNames);
    const char* era = shown.eraName.c_str();
    switch (period.period) {
        case 13:
            return formatted(grid ? "%s%d年夏期 賞与" : "%s%d年 夏期賞与", era, shown.eraYear);
        case 14:
            return formatted(grid ? "%s%d年冬期 賞与" : "%s%d年 冬期賞与", era, shown.eraYear);
        case 15:
            return formatted(grid ? "%s%d年%s" : "%s%d年 %s", era, shown.eraYear,
                             period.names->extraBonusCaption.c_str());
        default:
            return formatted("%s%d年 %d月分給与", era, shown.eraYear, period.period);
    }
}

std::string slipPeriodLabel(const SlipPeriod& period) {
    switch (period.period) {
        case 13:
            return "夏期賞与";
        case 14:
            return "冬期賞与";
        case 15:
            return period.names->extraBonusCaption;
        default:
            return formatted("給与%.2d-%.2d", period.fileYear.eraYear, period.period);
    }
}

SlipData collectSlip(const SlipPeriod& period, int slot, const PrintChoices& choices,
                     bool rowDesign, const YearView* earlier) {
    const PeriodBlock& block = *period.block;
    const EmployeeRecord& employee = block.employee(slot);
    SlipData slip;
    slip.title = slipTitle(period, !rowDesign);
    slip.company = block.settings.companyName.utf8();
    slip.name = employee.name.utf8();
    slip.section = sectionOf(employee);
    slip.code = employee.employeeCode.utf8();
    slip.comment = commentOf(employee, choices);
    slip.payDateEra = choices.payDate.eraName + twoDigitsOrBlank(choices.payDate.year);
    slip.payDateMonth = twoDigitsOrBlank(choices.payDate.month);
    slip.payDateDay = twoDigitsOrBlank(choices.payDate.day);
    slip.cash = employee.payMethod == 1;
    slip.secondaryColumn = employee.taxColumn != 0;
    slip.dependents = employee.dependents;

    collectRows(period, slot, slip);
    slip.payTotal = block.payments[slot - 1].payTotal;
    slip.deductionTotal = block.deductions[slot - 1].deductionTotal;
    slip.netPay = slip.payTotal + slip.otherTotal - slip.deductionTotal;

    if (rowDesign && earlier != nullptr) {
        const std::vector<int> periods = yearToDatePeriods(
            period.period, *period.header, block.settings.payDay, choices.payDate.day);
        slip.yearToDate = sumYearToDate(*earlier, periods, block, slot);
    }
    if (!rowDesign) slip.grid = collectGrid(period, slot, slip);
    return slip;
}

}  // namespace keiro::print
