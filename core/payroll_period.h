#pragma once
// The open period as a document: its employees and their items, edited through typed
// operations keyed by who (EmployeeId, the employee's record id) and what (ItemId, where the
// item is stored), never by caption or grid position.  It keeps what the windows need to know
// about the editing: a dirty flag, a notification of every change to its subscribers, the
// period as it was last read from or written to the file (so "is anything unsaved?" needs
// neither a recalculation nor the disk), and the paid-leave balances of the period before, read
// once when the period is opened.
//
// YearData owns the document of its open period and keeps it in step with the file: opening
// fills it, saving and deleting the period tell it.  Windows that still edit the records
// directly (block()) are caught all the same, by comparing the records with the saved copy.

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/item_values.h"
#include "core/records.h"

namespace keiro {

// An employee by the record id of his or her slot (code page 932 bytes, "yymmdd_hhnnss").
// Record ids are unique in a sound file; should two slots of a damaged one share an id, the
// occurrence (0 for the first slot with the id, 1 for the next, …) still tells them apart, so
// that nothing typed for one ever lands in the other.  A free slot has the empty id.
class EmployeeId {
  public:
    EmployeeId() = default;
    explicit EmployeeId(std::string_view recordIdBytes, int occurrence = 0)
        : bytes_(recordIdBytes), occurrence_(occurrence) {}

    std::string_view bytes() const { return bytes_; }
    int occurrence() const { return occurrence_; }
    bool empty() const { return bytes_.empty(); }
    auto operator<=>(const EmployeeId&) const = default;

  private:
    std::string bytes_;
    int occurrence_ = 0;
};

// An employee's records beside the employee record: every item, the hand-entry flags, the
// attendance figures that are no item.
struct EmployeeRows {
    AttendanceRecord attendance;
    PaymentRecord payment;
    DeductionRecord deduction;
};

// What changed: one item of an employee, or (no item) the employee's records.
struct PeriodChange {
    EmployeeId employee;
    std::optional<ItemId> item;
};

class PayrollPeriod {
  public:
    using Listener = std::function<void(const PeriodChange&)>;

    // Keeps a listener subscribed for as long as it lives; harmless after the document is gone.
    class Subscription {
      public:
        Subscription() = default;
        Subscription(Subscription&&) noexcept = default;
        Subscription& operator=(Subscription&&) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription();

        // Whether it still keeps a listener subscribed to a document.
        bool active() const { return id_ != 0 && !listeners_.expired(); }

      private:
        friend class PayrollPeriod;
        struct Listeners;
        Subscription(std::weak_ptr<Listeners> listeners, int id)
            : listeners_(std::move(listeners)), id_(id) {}
        void reset();

        std::weak_ptr<Listeners> listeners_;
        int id_ = 0;
    };

    PayrollPeriod();
    ~PayrollPeriod();
    PayrollPeriod(PayrollPeriod&&) noexcept;
    PayrollPeriod& operator=(PayrollPeriod&&) noexcept;

    // The period's records as stored (for the codec, the calculation and the reports).
    PeriodBlock& block() { return *block_; }
    const PeriodBlock& block() const { return *block_; }
    int period() const { return period_; }  // 1..15, 0 when none is open

    // The period's settings (company, pay days, rates): read, and replaced whole.  A change
    // marks the period dirty and is told to the subscribers as a change of no employee.
    const PeriodSettings& settings() const { return block_->settings; }
    bool setSettings(const PeriodSettings& settings);

    // --- employees and items ---------------------------------------------------------------

    // The id of the employee in slot 1..100 (empty for a free slot).
    EmployeeId idAt(int slot) const;
    // The ids of slots 1..100 (index slot − 1), in one pass.
    std::vector<EmployeeId> employeeIds() const;
    // Slot 1..100 of the employee; 0 when none (or the id is empty).
    int slotOf(const EmployeeId& employee) const;
    // nullptr when there is no such employee.
    const EmployeeRecord* employee(const EmployeeId& employee) const;
    // Replaces the employee's record (its record id included); false when there is no such
    // employee or nothing changed.
    bool setEmployee(const EmployeeId& employee, const EmployeeRecord& record);

    // --- the employee set --------------------------------------------------------------------
    // Adding and removing mark the period dirty and tell the subscribers the employee added or
    // removed, without an item.  Removing moves the employees after the removed one down a
    // slot: their ids stay, their slots do not.

    // Whether every slot holds an employee.
    bool isFull() const;
    // Adds `record` as a new employee in the lowest free slot and returns the new employee's
    // id; nullopt when the period is full (nothing changes).  The record is stored as given; its
    // attendance, payment and deduction records start empty, except that in a salary period a
    // 月給 employee's 出勤日数 and 実働時間 start as the period's 所定労働日数 and 所定労働時間.
    // Throws std::invalid_argument for a record without a record id (it would be a free slot).
    std::optional<EmployeeId> addEmployee(const EmployeeRecord& record);
    // Removes the employee with all four records: the employees after it move down one slot
    // and the last slot is left empty.  False when there is no such employee.
    bool removeEmployee(const EmployeeId& employee);

    // --- item values -------------------------------------------------------------------------

    // The stored value of the item; 0 for an unknown employee or an item that stores nowhere.
    double value(const EmployeeId& employee, const ItemId& item) const;
    // Stores the value (an amount as whole yen, see storeValue); false when there is no such
    // employee or the value was already stored.  A change marks the period dirty and is told
    // to every subscriber.
    bool setValue(const EmployeeId& employee, const ItemId& item, double value);
    // The employee's attendance, payment and deduction records whole: what is kept beside the
    // items (the hand-entry flags, the corrected 支払基礎日数) and a row of items set at once (an
    // imported line of attendance).  rows() is all zero for an unknown employee; setRows is
    // false when there is no such employee or nothing changed, and otherwise marks the period
    // dirty and tells the subscribers of the employee (no item).
    EmployeeRows rows(const EmployeeId& employee) const;
    bool setRows(const EmployeeId& employee, const EmployeeRows& rows);
    // Totals of the months before the first period kept here, already written into the file's
    // saved periods (core/opening_totals): stored in the employee's record and told to the
    // subscribers, yet no unsaved change (the caller amends the saved copy alike, see
    // amendSavedCopy).  False when there is no such employee or they were already stored.
    bool setOpeningTotals(const EmployeeId& employee, const OpeningTotals& totals);

    // The employee's 有休残日数 in the period before (December of the previous year for
    // January), as read when the period was opened; nullopt when that period's file or the
    // employee is missing.  Rethrows the IoError met reading it, if any.
    std::optional<double> previousPaidLeaveBalance(const EmployeeId& employee) const;

    // --- changes ---------------------------------------------------------------------------

    Subscription subscribe(Listener listener);
    bool isDirty() const { return dirty_; }
    // Whether closing would lose anything: the period was never saved, something was set
    // through the document since it was opened or saved, or its records differ from the saved
    // copy.  Leftover bytes after a text are no difference (they are zeroed on both sides, in
    // the records too), nor are a bonus's scheduled days and hours.  False when none is open.
    bool isModified();

    // --- kept in step with the file by YearData ---------------------------------------------

    // A period was opened: its records, the records as saved (nullptr: never saved) and the
    // previous period's records (nullptr: missing) or the error met reading them.
    void open(int period, std::unique_ptr<PeriodBlock> block, const PeriodBlock* saved,
              const PeriodBlock* previous, std::exception_ptr previousError = nullptr);
    // The records were written to the file as they are now.
    void markSaved();
    // The period was deleted in the file: its block is all zero there, as the records are here
    // (YearData empties them), so there is nothing to save until something is entered.
    void markDeleted();
    // The period's saved block was rewritten in the file in place (opening totals written into
    // every saved period): the same change to the saved copy, so that it is no unsaved change.
    // Nothing when the period was never saved.
    void amendSavedCopy(const std::function<void(PeriodBlock&)>& change);
    // No period: empty records.
    void close();

  private:
    void notify(const PeriodChange& change) const;

    std::unique_ptr<PeriodBlock> block_;
    std::unique_ptr<PeriodBlock> saved_;  // null: never saved
    int period_ = 0;
    bool dirty_ = false;
    bool deleted_ = false;  // the saved copy is the empty block of a deleted period
    std::map<std::string, double, std::less<>> previousBalances_;  // by record id bytes
    std::exception_ptr previousError_;
    std::shared_ptr<Subscription::Listeners> listeners_;
};

}  // namespace keiro
