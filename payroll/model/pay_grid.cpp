#include "payroll/model/pay_grid.h"

#include <algorithm>
#include <optional>

#include "core/era.h"
#include "core/yearfile.h"

namespace keiro::payroll {
namespace {

constexpr int kPaidLeaveDaysItem = 3;      // 有休日数
constexpr int kPaidLeaveBalanceItem = 15;  // 有休残日数

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// The month a period is paid for: its number for a salary month, the pay month of a bonus.
int monthOf(const YearData& year, int period) {
    if (!isBonusPeriod(period)) return period;
    return year.header().bonusPayMonth[period - kFirstBonusPeriod];
}

std::string bonusCaption(int period, const ItemNames& names) {
    switch (period) {
        case kFirstBonusPeriod:
            return "・夏期賞与";
        case kFirstBonusPeriod + 1:
            return "・冬期賞与";
        default:
            return "・" + names.extraBonusCaption;
    }
}

bool isSettlementRow(const GridRow& row) {
    return row.item.source == ItemId{ItemId::Kind::Deduction, DeductionRecord::kSettlementItem};
}

// The 年調過不足 row is for the periods a year-end adjustment is settled in (December, the
// bonuses, January) and for any period in which an employee has one; the other months do
// without it.
bool showsSettlementRow(const YearData& year) {
    const int period = year.period();
    if (period == 1 || period >= 12) return true;
    const PeriodBlock& block = year.block();
    for (int index = 0; index < kMaxEmployees; ++index) {
        if (block.employees[index].isUsed() && block.deductions[index].yearEndSettlement != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

void PayGrid::build(YearData& year, const PrintTables& tables, const ActiveItems& active,
                    const ItemNames& names, TimeStyle style) {
    style_ = style;
    period_ = &year.document();
    bonus_ = isBonusPeriod(year.period());
    active_ = &active;
    forms_.reset();
    subscription_ = period_->subscribe([this](const PeriodChange& change) { showChange(change); });
    rows_ = buildGridRows(tables, names);
    if (!showsSettlementRow(year)) std::erase_if(rows_, isSettlementRow);
    slots_.clear();
    payForms_.clear();
    employees_.clear();
    const PeriodBlock& block = year.block();
    const std::vector<EmployeeId> ids = period_->employeeIds();
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& e = block.employee(slot);
        if (!e.isUsed() || !isActiveEmployee(e)) continue;
        slots_.push_back(slot);
        payForms_.push_back(e.payForm);
        employees_.push_back(ids[slot - 1]);
    }

    const std::size_t cells = static_cast<std::size_t>(rowCount()) * kGridColumnCount;
    texts_.assign(cells, std::string());
    values_.assign(cells, 0.0);
    typed_.assign(cells, false);
    for (int r = 1; r < rowCount(); ++r) cell(r, 0) = rows_[r - 1].item.label;
    for (int c = 1; c <= employeeCount(); ++c) {
        const int slot = slots_[c - 1];
        cell(0, c) = block.employee(slot).name.utf8();
        for (int r = 1; r < rowCount(); ++r) {
            const LayoutItem& item = rows_[r - 1].item;
            cell(r, c) = storedText(item, block, slot, style_);
            values_[index(r, c)] = storedValue(item.source, block, slot);
        }
    }
}

const std::string& PayGrid::text(int row, int col) const {
    static const std::string kNone;
    if (row < 0 || row >= rowCount() || col < 0 || col >= kGridColumnCount) return kNone;
    const std::size_t at = index(row, col);
    return at < texts_.size() ? texts_[at] : kNone;  // nothing built yet: every cell empty
}

int PayGrid::slotOf(int col) const {
    return col >= 1 && col <= employeeCount() ? slots_[col - 1] : kNoSlot;
}

EmployeeId PayGrid::employeeOf(int col) const {
    return col >= 1 && col <= employeeCount() ? employees_[col - 1] : EmployeeId();
}

bool PayGrid::isItemCell(int row, int col) const {
    return row >= 1 && row < rowCount() && col >= 1 && col <= employeeCount();
}

bool PayGrid::isEditable(int row, int col) const {
    return isItemCell(row, col) && rows_[row - 1].editableFor(payForms_[col - 1]);
}

bool PayGrid::isAttendanceRow(int row) const {
    const GridRow* info = rowInfo(row);
    return info != nullptr && info->item.attendance;
}

bool PayGrid::isHoursRow(int row) const {
    const GridRow* info = rowInfo(row);
    return info != nullptr && info->item.hoursLabel;
}

GridCellKind PayGrid::cellKind(int row, int col) const {
    const bool inGrid = row >= 0 && row < rowCount() && col >= 0 && col < kGridColumnCount;
    if (inGrid && (row == 0 || col == 0)) return GridCellKind::Header;
    return isEditable(row, col) ? GridCellKind::Editable : GridCellKind::Disabled;
}

const GridRow* PayGrid::rowInfo(int row) const {
    return row >= 1 && row < rowCount() ? &rows_[row - 1] : nullptr;
}

int PayGrid::attendanceRow(int item) const {
    const ItemId wanted{ItemId::Kind::Attendance, item};
    for (int r = 1; r < rowCount(); ++r) {
        const LayoutItem& row = rows_[r - 1].item;
        if (row.attendance && row.source == wanted) return r;
    }
    return 0;
}

double PayGrid::cellValue(int row, int col) const {
    const std::size_t at = index(row, col);
    return typed_[at] ? parseNumber(texts_[at]).value : values_[at];
}

void PayGrid::store(int row, int col, double value) {
    if (period_ == nullptr) return;
    if (!forms_) forms_.emplace(*active_, bonus_);
    storing_ = true;
    calc::storeGridValue(*period_, employees_[col - 1], rows_[row - 1].item.source, value, bonus_,
                         forms_->of(payForms_[col - 1]));
    storing_ = false;
}

void PayGrid::showChange(const PeriodChange& change) {
    if (storing_ || !change.item || period_ == nullptr) return;
    for (int c = 1; c <= employeeCount(); ++c) {
        if (employees_[c - 1] != change.employee) continue;
        const int slot = slots_[c - 1];
        for (int r = 1; r < rowCount(); ++r) {
            const LayoutItem& item = rows_[r - 1].item;
            if (item.source != *change.item) continue;
            cell(r, c) = storedText(item, period_->block(), slot, style_);
            values_[index(r, c)] = storedValue(item.source, period_->block(), slot);
            typed_[index(r, c)] = false;
            if (cellChanged_) cellChanged_(r, c);
        }
    }
}

bool PayGrid::setText(int row, int col, std::string text) {
    if (!isEditable(row, col)) return false;
    cell(row, col) = std::move(text);
    typed_[index(row, col)] = true;
    store(row, col, cellValue(row, col));
    return true;
}

std::string PayGrid::commitCell(int row, int col) {
    if (!isEditable(row, col) || !typed_[index(row, col)]) return std::string();
    CellEntry check = checkCellEntry(rows_[row - 1].item, cell(row, col), style_);
    cell(row, col) = std::move(check.text);
    values_[index(row, col)] = check.value;
    typed_[index(row, col)] = false;
    store(row, col, check.value);
    return check.error;
}

bool PayGrid::leaveCell(int row, int col) {
    if (!isItemCell(row, col) || row != attendanceRow(kPaidLeaveDaysItem)) return false;
    const int balanceRow = attendanceRow(kPaidLeaveBalanceItem);
    if (balanceRow == 0 || period_ == nullptr || period_->period() == 0) return false;
    const std::optional<double> previous = period_->previousPaidLeaveBalance(employees_[col - 1]);
    if (!previous) return false;
    const double balance = *previous - cellValue(row, col);
    cell(balanceRow, col) = formatQuantity(balance);
    values_[index(balanceRow, col)] = balance;
    typed_[index(balanceRow, col)] = false;
    store(balanceRow, col, balance);
    return true;
}

int PayGrid::nextEditableRow(int row, int col) const {
    const int last = rowCount() - 1;
    if (last < 1 || col < 1 || col > employeeCount()) return row;
    const int start = std::clamp(row, 0, last);
    for (int step = 1; step <= last; ++step) {
        const int candidate = (start - 1 + step + last) % last + 1;
        if (isEditable(candidate, col)) return candidate;
    }
    return row;
}

KeyVerdict PayGrid::keyVerdict(int row, char32_t typed) const {
    if (typed == U'\r' || typed == U'\n') return KeyVerdict::MoveNext;
    if (typed == U'\b' || typed == U'\t') return KeyVerdict::Accept;
    const GridRow* info = rowInfo(row);
    if (info == nullptr) return KeyVerdict::Reject;
    if (isDigit(typed) || typed == U'-') return KeyVerdict::Accept;
    if (!info->item.attendance) return KeyVerdict::Reject;
    if (typed == U'.' || (typed == U':' && info->item.hoursLabel)) return KeyVerdict::Accept;
    return KeyVerdict::Reject;
}

std::vector<calc::GridColumn> PayGrid::columns() const {
    std::vector<calc::GridColumn> out(slots_.size());
    for (int c = 1; c <= employeeCount(); ++c) {
        calc::GridColumn& column = out[c - 1];
        column.employee = employees_[c - 1];
        column.cells.reserve(rows_.size());
        for (int r = 1; r < rowCount(); ++r) {
            column.cells.push_back({rows_[r - 1].item.source, cellValue(r, c)});
        }
    }
    return out;
}

std::string periodText(const YearData& year, const ItemNames& names) {
    const int period = year.period();
    if (period < 1 || period > kPeriodCount) return std::string();
    const EraYear shown = displayEraYear(EraYear{year.eraName(), year.eraYear()},
                                         monthOf(year, period), year.eraNames());
    std::string text = shown.eraName + std::to_string(shown.eraYear) + "年";
    if (isBonusPeriod(period)) return text + bonusCaption(period, names);
    return text + std::to_string(period) + "月分給与";
}

std::string periodTitle(const YearData& year, const ItemNames& names,
                        std::string_view applicationTitle) {
    return std::string(applicationTitle) + " 【" + year.block().settings.companyName.utf8() + " " +
           periodText(year, names) + "】";
}

}  // namespace keiro::payroll
