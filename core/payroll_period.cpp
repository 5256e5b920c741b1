#include "core/payroll_period.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <type_traits>
#include <unordered_map>
#include <utility>

#include "core/employee_master.h"

namespace keiro {

struct PayrollPeriod::Subscription::Listeners {
    int nextId = 1;
    std::vector<std::pair<int, Listener>> list;
};

namespace {

// Zeroes the bytes after the texts that the editors change, so that two equal texts compare
// equal however long the earlier text was.
void normaliseTexts(PeriodBlock& block) {
    block.settings.companyName.clearTail();
    for (EmployeeRecord& e : block.employees) {
        e.name.clearTail();
        e.nameKana.clearTail();
        e.department.clearTail();
        e.employeeCode.clearTail();
        e.bankName.clearTail();
        e.bankNameKana.clearTail();
        e.branchName.clearTail();
        e.branchNameKana.clearTail();
        e.accountNumber.clearTail();
    }
}

}  // namespace

// --- subscriptions -------------------------------------------------------------------------

PayrollPeriod::Subscription& PayrollPeriod::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        reset();
        listeners_ = std::move(other.listeners_);
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

PayrollPeriod::Subscription::~Subscription() {
    reset();
}

void PayrollPeriod::Subscription::reset() {
    if (const std::shared_ptr<Listeners> listeners = listeners_.lock()) {
        std::erase_if(listeners->list, [this](const auto& entry) { return entry.first == id_; });
    }
    listeners_.reset();
    id_ = 0;
}

PayrollPeriod::Subscription PayrollPeriod::subscribe(Listener listener) {
    if (!listeners_) listeners_ = std::make_shared<Subscription::Listeners>();
    const int id = listeners_->nextId++;
    listeners_->list.emplace_back(id, std::move(listener));
    return Subscription(listeners_, id);
}

void PayrollPeriod::notify(const PeriodChange& change) const {
    if (!listeners_) return;
    // A listener may subscribe or unsubscribe (itself or another) while it is told: the list is
    // walked by id (ids only grow along it), each listener called through a copy, and those
    // subscribed meanwhile are told from the next change on.
    const std::vector<std::pair<int, Listener>>& list = listeners_->list;
    const int last = listeners_->nextId - 1;
    for (int told = 0;;) {
        const auto next = std::find_if(list.begin(), list.end(),
                                       [told](const auto& entry) { return entry.first > told; });
        if (next == list.end() || next->first > last) return;
        told = next->first;
        const Listener listener = next->second;
        listener(change);
    }
}

// --- the document ------------------------------------------------------------------------

PayrollPeriod::PayrollPeriod()
    : block_(std::make_unique<PeriodBlock>()),
      listeners_(std::make_shared<Subscription::Listeners>()) {
    std::memset(block_.get(), 0, sizeof(PeriodBlock));
}

PayrollPeriod::~PayrollPeriod() = default;
PayrollPeriod::PayrollPeriod(PayrollPeriod&&) noexcept = default;
PayrollPeriod& PayrollPeriod::operator=(PayrollPeriod&&) noexcept = default;

bool PayrollPeriod::setSettings(const PeriodSettings& settings) {
    if (std::memcmp(&block_->settings, &settings, sizeof settings) == 0) return false;
    block_->settings = settings;
    dirty_ = true;
    notify({});
    return true;
}

EmployeeId PayrollPeriod::idAt(int slot) const {
    const std::string_view bytes = block_->employee(slot).recordId.bytes();
    if (bytes.empty()) return EmployeeId();
    int occurrence = 0;
    for (int earlier = 1; earlier < slot; ++earlier) {
        if (block_->employee(earlier).recordId.bytes() == bytes) ++occurrence;
    }
    return EmployeeId(bytes, occurrence);
}

std::vector<EmployeeId> PayrollPeriod::employeeIds() const {
    std::vector<EmployeeId> ids;
    ids.reserve(kMaxEmployees);
    std::unordered_map<std::string_view, int> seen;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const std::string_view bytes = block_->employee(slot).recordId.bytes();
        ids.push_back(bytes.empty() ? EmployeeId() : EmployeeId(bytes, seen[bytes]++));
    }
    return ids;
}

int PayrollPeriod::slotOf(const EmployeeId& employee) const {
    if (employee.empty()) return 0;
    int occurrence = 0;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (block_->employee(slot).recordId.bytes() != employee.bytes()) continue;
        if (occurrence++ == employee.occurrence()) return slot;
    }
    return 0;
}

const EmployeeRecord* PayrollPeriod::employee(const EmployeeId& employee) const {
    const int slot = slotOf(employee);
    return slot == 0 ? nullptr : &block_->employee(slot);
}

bool PayrollPeriod::setEmployee(const EmployeeId& employee, const EmployeeRecord& record) {
    const int slot = slotOf(employee);
    if (slot == 0) return false;
    EmployeeRecord& stored = block_->employee(slot);
    if (std::memcmp(&stored, &record, sizeof record) == 0) return false;
    stored = record;
    dirty_ = true;
    notify({employee, std::nullopt});
    return true;
}

bool PayrollPeriod::isFull() const {
    return !firstFreeSlot(*block_).has_value();
}

std::optional<EmployeeId> PayrollPeriod::addEmployee(const EmployeeRecord& record) {
    if (!record.isUsed()) throw std::invalid_argument("an employee needs a record id");
    const std::optional<int> free = firstFreeSlot(*block_);
    if (!free) return std::nullopt;
    const int slot = *free;
    const std::size_t i = static_cast<std::size_t>(slot - 1);
    block_->employee(slot) = record;
    block_->attendance[i] = AttendanceRecord{};
    block_->payments[i] = PaymentRecord{};
    block_->deductions[i] = DeductionRecord{};
    if (!isBonusPeriod(period_) && record.payForm == kMonthlyPay) {
        block_->attendance[i].daysWorked = block_->settings.scheduledDays;
        block_->attendance[i].hoursWorked = block_->settings.scheduledHours;
    }
    const EmployeeId added = idAt(slot);
    dirty_ = true;
    notify({added, std::nullopt});
    return added;
}

bool PayrollPeriod::removeEmployee(const EmployeeId& employee) {
    const int slot = slotOf(employee);
    if (slot == 0) return false;
    const auto shift = [slot](auto& records) {
        using Record = std::remove_reference_t<decltype(records[0])>;
        std::memmove(&records[slot - 1], &records[slot],
                     sizeof(Record) * static_cast<std::size_t>(kMaxEmployees - slot));
        std::memset(&records[kMaxEmployees - 1], 0, sizeof(Record));
    };
    shift(block_->employees);
    shift(block_->attendance);
    shift(block_->payments);
    shift(block_->deductions);
    dirty_ = true;
    notify({employee, std::nullopt});
    return true;
}

double PayrollPeriod::value(const EmployeeId& employee, const ItemId& item) const {
    const int slot = slotOf(employee);
    return slot == 0 ? 0.0 : storedValue(item, *block_, slot);
}

bool PayrollPeriod::setValue(const EmployeeId& employee, const ItemId& item, double value) {
    const int slot = slotOf(employee);
    if (slot == 0 || !storeValue(item, *block_, slot, value)) return false;
    dirty_ = true;
    notify({employee, item});
    return true;
}

EmployeeRows PayrollPeriod::rows(const EmployeeId& employee) const {
    EmployeeRows rows;
    const int slot = slotOf(employee);
    if (slot == 0) {
        std::memset(&rows, 0, sizeof rows);
        return rows;
    }
    rows.attendance = block_->attendance[slot - 1];
    rows.payment = block_->payments[slot - 1];
    rows.deduction = block_->deductions[slot - 1];
    return rows;
}

bool PayrollPeriod::setRows(const EmployeeId& employee, const EmployeeRows& rows) {
    const int slot = slotOf(employee);
    if (slot == 0) return false;
    AttendanceRecord& attendance = block_->attendance[slot - 1];
    PaymentRecord& payment = block_->payments[slot - 1];
    DeductionRecord& deduction = block_->deductions[slot - 1];
    if (std::memcmp(&attendance, &rows.attendance, sizeof attendance) == 0 &&
        std::memcmp(&payment, &rows.payment, sizeof payment) == 0 &&
        std::memcmp(&deduction, &rows.deduction, sizeof deduction) == 0) {
        return false;
    }
    attendance = rows.attendance;
    payment = rows.payment;
    deduction = rows.deduction;
    dirty_ = true;
    notify({employee, std::nullopt});
    return true;
}

bool PayrollPeriod::setOpeningTotals(const EmployeeId& employee, const OpeningTotals& totals) {
    const int slot = slotOf(employee);
    if (slot == 0) return false;
    OpeningTotals& stored = block_->employee(slot).opening;
    if (std::memcmp(&stored, &totals, sizeof totals) == 0) return false;
    stored = totals;
    notify({employee, std::nullopt});
    return true;
}

std::optional<double> PayrollPeriod::previousPaidLeaveBalance(const EmployeeId& employee) const {
    if (previousError_) std::rethrow_exception(previousError_);
    const auto found = previousBalances_.find(employee.bytes());
    if (employee.empty() || found == previousBalances_.end()) return std::nullopt;
    return found->second;
}

bool PayrollPeriod::isModified() {
    if (period_ == 0) return false;
    normaliseTexts(*block_);
    if (!saved_) return true;
    if (isBonusPeriod(period_)) {
        // A bonus has no scheduled days or hours of its own; whatever the month fields held
        // when it was opened is not a change.
        block_->settings.scheduledDays = saved_->settings.scheduledDays;
        block_->settings.scheduledHours = saved_->settings.scheduledHours;
    }
    return dirty_ || std::memcmp(block_.get(), saved_.get(), sizeof(PeriodBlock)) != 0;
}

void PayrollPeriod::open(int period, std::unique_ptr<PeriodBlock> block, const PeriodBlock* saved,
                         const PeriodBlock* previous, std::exception_ptr previousError) {
    block_ = std::move(block);
    period_ = period;
    dirty_ = false;
    deleted_ = false;
    saved_.reset();
    if (saved != nullptr) {
        saved_ = std::make_unique<PeriodBlock>(*saved);
        normaliseTexts(*saved_);
    }
    previousBalances_.clear();
    previousError_ = std::move(previousError);
    if (previous != nullptr) {
        for (int slot = kMaxEmployees; slot >= 1; --slot) {  // the first slot of an id wins
            const std::string_view id = previous->employee(slot).recordId.bytes();
            if (!id.empty()) {
                previousBalances_.insert_or_assign(std::string(id),
                                                   previous->attendance[slot - 1].paidLeaveBalance);
            }
        }
    }
}

void PayrollPeriod::markSaved() {
    saved_ = std::make_unique<PeriodBlock>(*block_);
    normaliseTexts(*saved_);
    dirty_ = false;
    deleted_ = false;
}

void PayrollPeriod::amendSavedCopy(const std::function<void(PeriodBlock&)>& change) {
    if (!saved_ || deleted_) return;  // a deleted period is not rewritten in the file
    change(*saved_);
    normaliseTexts(*saved_);
}

void PayrollPeriod::markDeleted() {
    saved_ = std::make_unique<PeriodBlock>(*block_);
    dirty_ = false;
    deleted_ = true;
}

void PayrollPeriod::close() {
    std::memset(block_.get(), 0, sizeof(PeriodBlock));
    saved_.reset();
    period_ = 0;
    dirty_ = false;
    deleted_ = false;
    previousBalances_.clear();
    previousError_ = nullptr;
}

}  // namespace keiro
