// The open period as a document: employees found by record id (twins in a damaged file kept
// apart), values set by item with the dirty flag and the notification, subscriptions that end
// with their owner, the unsaved-change test against the saved copy, and the previous period's
// paid-leave balances.
#include "core/payroll_period.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace keiro {
namespace {

constexpr int kDaysWorked = 2;
constexpr int kPaidLeaveBalance = 15;

std::unique_ptr<PeriodBlock> emptyBlock() {
    auto block = std::make_unique<PeriodBlock>();
    std::memset(block.get(), 0, sizeof(PeriodBlock));
    return block;
}

void addEmployee(PeriodBlock& block, int slot, const char* id) {
    block.employee(slot).recordId.assign(id);
    block.employee(slot).workStatus = 1;
}

class PayrollPeriodTest : public ::testing::Test {
  protected:
    // A saved salary month with employees in slots 1, 2 and 5 (5 shares the id of 2).
    void openSaved(int period = 4, const PeriodBlock* previous = nullptr) {
        auto block = emptyBlock();
        addEmployee(*block, 1, "260101_090001");
        addEmployee(*block, 2, "260101_090002");
        addEmployee(*block, 5, "260101_090002");
        block->attendance[0].daysWorked = 20;
        const PeriodBlock saved = *block;
        period_.open(period, std::move(block), &saved, previous);
    }

    PayrollPeriod period_;
    const EmployeeId first_{"260101_090001"};
    const EmployeeId second_{"260101_090002"};
    const EmployeeId twin_{"260101_090002", 1};
};

TEST_F(PayrollPeriodTest, EmployeesAreFoundByRecordIdAndTwinsKeptApart) {
    openSaved();
    EXPECT_EQ(period_.slotOf(first_), 1);
    EXPECT_EQ(period_.slotOf(second_), 2);
    EXPECT_EQ(period_.slotOf(twin_), 5);
    EXPECT_EQ(period_.slotOf(EmployeeId("260101_090002", 2)), 0);
    EXPECT_EQ(period_.slotOf(EmployeeId()), 0);
    EXPECT_EQ(period_.employee(EmployeeId("999999_999999")), nullptr);
    EXPECT_EQ(period_.idAt(5), twin_);
    EXPECT_EQ(period_.idAt(3), EmployeeId());
    const std::vector<EmployeeId> ids = period_.employeeIds();
    ASSERT_EQ(ids.size(), std::size_t{kMaxEmployees});
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        EXPECT_EQ(ids[slot - 1], period_.idAt(slot)) << slot;
    }

    ASSERT_TRUE(period_.setValue(twin_, ItemId::payment(13), 500));
    EXPECT_EQ(period_.block().payments[4].variableAllowance1, 500);
    EXPECT_EQ(period_.block().payments[1].variableAllowance1, 0);
}

TEST_F(PayrollPeriodTest, ValuesAreSetByItemAndEveryChangeIsTold) {
    openSaved();
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription subscription =
        period_.subscribe([&](const PeriodChange& change) { told.push_back(change); });
    EXPECT_FALSE(period_.isDirty());

    EXPECT_FALSE(period_.setValue(first_, ItemId::attendance(kDaysWorked), 20));  // as stored
    EXPECT_FALSE(period_.setValue(EmployeeId("999999_999999"), ItemId::payment(13), 1));
    EXPECT_FALSE(period_.setValue(first_, ItemId{}, 1));
    EXPECT_TRUE(told.empty());
    EXPECT_FALSE(period_.isDirty());

    EXPECT_TRUE(period_.setValue(first_, ItemId::attendance(kDaysWorked), 18.5));
    EXPECT_TRUE(period_.setValue(second_, ItemId::deduction(13), 1'200));
    EXPECT_EQ(period_.value(first_, ItemId::attendance(kDaysWorked)), 18.5);
    EXPECT_EQ(period_.block().deductions[1].variableDeduction1, 1'200);
    EXPECT_TRUE(period_.isDirty());
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0].employee, first_);
    EXPECT_EQ(told[0].item, ItemId::attendance(kDaysWorked));
    EXPECT_EQ(told[1].item, ItemId::deduction(13));

    EmployeeRecord renamed = *period_.employee(second_);
    renamed.name.assign("鈴木");
    EXPECT_TRUE(period_.setEmployee(second_, renamed));
    EXPECT_FALSE(period_.setEmployee(second_, renamed));
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[2].employee, second_);
    EXPECT_FALSE(told[2].item.has_value());
    EXPECT_EQ(period_.block().employee(2).name.utf8(), "鈴木");

    PeriodSettings settings = period_.settings();
    settings.companyName.assign("新社名");
    EXPECT_TRUE(period_.setSettings(settings));
    EXPECT_FALSE(period_.setSettings(settings));
    ASSERT_EQ(told.size(), 4u);
    EXPECT_TRUE(told[3].employee.empty());
    EXPECT_EQ(period_.block().settings.companyName.utf8(), "新社名");
}

TEST_F(PayrollPeriodTest, ASubscriptionEndsWithItsOwnerAndMayOutliveTheDocument) {
    int calls = 0;
    auto document = std::make_unique<PayrollPeriod>();
    auto block = emptyBlock();
    addEmployee(*block, 1, "260101_090001");
    document->open(4, std::move(block), nullptr, nullptr);
    {
        const PayrollPeriod::Subscription scoped =
            document->subscribe([&](const PeriodChange&) { ++calls; });
        document->setValue(first_, ItemId::payment(13), 1);
    }
    document->setValue(first_, ItemId::payment(13), 2);
    EXPECT_EQ(calls, 1);

    // A listener that unsubscribes another while being told: the other is told no more.
    PayrollPeriod::Subscription later;
    PayrollPeriod::Subscription first = document->subscribe([&](const PeriodChange&) {
        ++calls;
        later = PayrollPeriod::Subscription();
    });
    later = document->subscribe([&](const PeriodChange&) { ++calls; });
    document->setValue(first_, ItemId::payment(13), 3);
    document->setValue(first_, ItemId::payment(13), 4);
    EXPECT_EQ(calls, 1 + 1 + 1);

    // One subscribed while the others are told hears from the next change on.
    PayrollPeriod::Subscription added;
    PayrollPeriod::Subscription adding = document->subscribe([&](const PeriodChange&) {
        if (!added.active()) added = document->subscribe([&](const PeriodChange&) { calls += 10; });
    });
    document->setValue(first_, ItemId::payment(13), 5);
    EXPECT_EQ(calls, 4);
    document->setValue(first_, ItemId::payment(13), 6);
    EXPECT_EQ(calls, 5 + 10);

    PayrollPeriod::Subscription outliving = document->subscribe([](const PeriodChange&) {});
    document.reset();  // the subscription ends later without the document
}

TEST_F(PayrollPeriodTest, ModifiedAgainstTheSavedCopyWithoutTheFile) {
    openSaved();
    EXPECT_FALSE(period_.isModified());

    // A record edited directly is found; leftovers behind a text are not a change.
    PeriodBlock& block = period_.block();
    block.employee(1).name.assign("山田太郎");
    EXPECT_TRUE(period_.isModified());
    period_.markSaved();
    EXPECT_FALSE(period_.isModified());
    block.employee(1).name.assign("山田");
    block.employee(1).name.assign("山田太郎");
    std::memset(block.employee(1).name.text + 8, 'x', 4);  // bytes after the text
    EXPECT_FALSE(period_.isModified());
    EXPECT_EQ(block.employee(1).name.text[8], '\0');  // zeroed as the file will hold them

    // The opening totals rewritten in the file are no change once the copy knows them.
    block.employee(2).opening.pay = 5;
    EXPECT_TRUE(period_.isModified());
    period_.amendSavedCopy([](PeriodBlock& saved) { saved.employee(2).opening.pay = 5; });
    EXPECT_FALSE(period_.isModified());

    // Deleted in the file (and emptied here): nothing to save until something is entered.
    std::memset(&block, 0, sizeof block);
    period_.markDeleted();
    EXPECT_FALSE(period_.isModified());
    period_.amendSavedCopy([](PeriodBlock&) { FAIL() << "not in the file"; });
    block.employee(1).recordId.assign("260101_090001");
    EXPECT_TRUE(period_.isModified());
    period_.markSaved();
    EXPECT_FALSE(period_.isModified());

    period_.close();
    EXPECT_FALSE(period_.isModified());  // nothing open
    EXPECT_EQ(period_.period(), 0);
}

TEST_F(PayrollPeriodTest, ANeverSavedPeriodIsModifiedAndABonusIgnoresScheduledFigures) {
    period_.open(5, emptyBlock(), nullptr, nullptr);
    EXPECT_TRUE(period_.isModified());

    auto bonus = emptyBlock();
    const PeriodBlock saved = *bonus;
    bonus->settings.scheduledDays = 20;
    bonus->settings.scheduledHours = 160;
    period_.open(kFirstBonusPeriod, std::move(bonus), &saved, nullptr);
    EXPECT_FALSE(period_.isModified());
    EXPECT_EQ(int(period_.block().settings.scheduledDays), 0);  // as the file holds them

    auto month = emptyBlock();
    const PeriodBlock savedMonth = *month;
    month->settings.scheduledDays = 20;
    period_.open(6, std::move(month), &savedMonth, nullptr);
    EXPECT_TRUE(period_.isModified());
}

TEST_F(PayrollPeriodTest, PreviousBalancesAreThoseOfTheFirstSlotOfTheId) {
    auto previous = emptyBlock();
    addEmployee(*previous, 3, "260101_090002");
    addEmployee(*previous, 7, "260101_090002");
    addEmployee(*previous, 9, "260101_090001");
    previous->attendance[2].item(kPaidLeaveBalance) = 4.5;
    previous->attendance[6].item(kPaidLeaveBalance) = 99;
    previous->attendance[8].item(kPaidLeaveBalance) = 0;
    openSaved(4, previous.get());
    previous.reset();  // copied out when opened

    EXPECT_EQ(period_.previousPaidLeaveBalance(second_), 4.5);
    EXPECT_EQ(period_.previousPaidLeaveBalance(twin_), 4.5);
    EXPECT_EQ(period_.previousPaidLeaveBalance(first_), 0.0);
    EXPECT_EQ(period_.previousPaidLeaveBalance(EmployeeId("999999_999999")), std::nullopt);
    EXPECT_EQ(period_.previousPaidLeaveBalance(EmployeeId()), std::nullopt);

    openSaved(4, nullptr);  // no previous period
    EXPECT_EQ(period_.previousPaidLeaveBalance(second_), std::nullopt);

    auto block = emptyBlock();
    period_.open(1, std::move(block), nullptr, nullptr,
                 std::make_exception_ptr(std::runtime_error("unreadable")));
    EXPECT_THROW(period_.previousPaidLeaveBalance(first_), std::runtime_error);
    EXPECT_THROW(period_.previousPaidLeaveBalance(first_), std::runtime_error);
}

// --- the records beside the items, and the opening totals --------------------------------

TEST_F(PayrollPeriodTest, RowsAreReadAndSetWholeForTheirEmployeeOnly) {
    openSaved();
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription subscription =
        period_.subscribe([&](const PeriodChange& change) { told.push_back(change); });

    // Nobody's rows are all zero, and setting them changes nothing anywhere.
    const EmployeeId nobody("999999_999999");
    EmployeeRows rows = period_.rows(first_);
    EXPECT_EQ(period_.rows(nobody).attendance.daysWorked, 0);
    rows.payment.manualFlags[0] = 1;
    EXPECT_FALSE(period_.setRows(nobody, rows));
    EXPECT_FALSE(period_.setRows(EmployeeId(), rows));
    EXPECT_FALSE(period_.setRows(first_, period_.rows(first_)));  // as stored
    EXPECT_TRUE(told.empty());
    EXPECT_FALSE(period_.isModified());

    // The twin's rows are its own: the flag and the days land in slot 5 alone.
    rows = period_.rows(twin_);
    rows.payment.manualFlags[0] = 1;
    rows.attendance.payBasisDays = 17;
    rows.attendance.payBasisDaysSet = 1;
    EXPECT_TRUE(period_.setRows(twin_, rows));
    EXPECT_EQ(period_.block().payments[4].manualFlags[0], 1);
    EXPECT_EQ(period_.block().attendance[4].payBasisDays, 17);
    EXPECT_EQ(period_.block().payments[1].manualFlags[0], 0);
    EXPECT_EQ(period_.block().attendance[1].payBasisDays, 0);
    EXPECT_DOUBLE_EQ(period_.rows(first_).attendance.daysWorked, 20);
    EXPECT_TRUE(period_.isDirty());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].employee, twin_);
    EXPECT_FALSE(told[0].item.has_value());
}

TEST_F(PayrollPeriodTest, OpeningTotalsWrittenInTheFileAreToldButAreNoUnsavedChange) {
    openSaved();
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription subscription =
        period_.subscribe([&](const PeriodChange& change) { told.push_back(change); });
    OpeningTotals totals{};
    totals.pay = 1'000'000;

    EXPECT_FALSE(period_.setOpeningTotals(EmployeeId("999999_999999"), totals));
    EXPECT_TRUE(period_.setOpeningTotals(second_, totals));
    EXPECT_FALSE(period_.setOpeningTotals(second_, totals));
    EXPECT_EQ(int(period_.block().employee(2).opening.pay), 1'000'000);
    EXPECT_EQ(int(period_.block().employee(5).opening.pay), 0);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].employee, second_);
    EXPECT_FALSE(period_.isDirty());
    period_.amendSavedCopy([&](PeriodBlock& saved) { saved.employee(2).opening = totals; });
    EXPECT_FALSE(period_.isModified());
}

// --- adding and removing employees ------------------------------------------------------------

EmployeeRecord newEmployee(const char* id, std::uint8_t payForm = 1) {
    EmployeeRecord record{};
    record.recordId.assign(id);
    record.payForm = payForm;
    record.workStatus = 1;
    return record;
}

TEST_F(PayrollPeriodTest, AnAddedEmployeeTakesTheLowestFreeSlotWithAFreshMonth) {
    openSaved();
    period_.block().settings.scheduledDays = 21;
    period_.block().settings.scheduledHours = 168;
    period_.block().payments[2].payTotal = 9;  // left behind in free slot 3
    period_.markSaved();
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription subscription =
        period_.subscribe([&](const PeriodChange& change) { told.push_back(change); });
    ASSERT_FALSE(period_.isModified());

    const EmployeeId added("261208_093005");
    EXPECT_EQ(period_.addEmployee(newEmployee("261208_093005")), added);
    EXPECT_EQ(period_.slotOf(added), 3);
    EXPECT_EQ(period_.value(added, ItemId::attendance(kDaysWorked)), 21);
    EXPECT_EQ(period_.block().payments[2].payTotal, 0);
    EXPECT_TRUE(period_.isDirty());
    EXPECT_TRUE(period_.isModified());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].employee, added);
    EXPECT_FALSE(told[0].item);

    // An id the period already holds is a twin, told apart from the first.
    EXPECT_EQ(period_.addEmployee(newEmployee("260101_090001")), EmployeeId("260101_090001", 1));
    EXPECT_THROW(period_.addEmployee(EmployeeRecord{}), std::invalid_argument);
    EXPECT_EQ(period_.slotOf(EmployeeId("260101_090001", 1)), 4);
    EXPECT_FALSE(period_.block().employee(6).isUsed());
}

TEST_F(PayrollPeriodTest, AFullPeriodTakesNoOneAndStaysAsItWas) {
    auto block = emptyBlock();
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        addEmployee(*block, slot, ("k" + std::to_string(slot)).c_str());
    }
    const PeriodBlock saved = *block;
    period_.open(4, std::move(block), &saved, nullptr);
    int told = 0;
    const PayrollPeriod::Subscription subscription =
        period_.subscribe([&](const PeriodChange&) { ++told; });
    EXPECT_TRUE(period_.isFull());
    EXPECT_EQ(period_.addEmployee(newEmployee("261208_093005")), std::nullopt);
    EXPECT_EQ(told, 0);
    EXPECT_FALSE(period_.isModified());
    EXPECT_EQ(std::memcmp(&period_.block(), &saved, sizeof saved), 0);

    ASSERT_TRUE(period_.removeEmployee(EmployeeId("k100")));
    EXPECT_FALSE(period_.isFull());
    EXPECT_EQ(told, 1);
}

TEST_F(PayrollPeriodTest, RemovingAnEmployeeKeepsEveryoneElsesValuesUnderTheirIds) {
    auto block = emptyBlock();
    const char* ids[] = {"a", "b", "c"};
    for (int slot = 1; slot <= 3; ++slot) {
        addEmployee(*block, slot, ids[slot - 1]);
        block->attendance[slot - 1].daysWorked = 10 + slot;
        block->payments[slot - 1].variableAllowance1 = 1000 * slot;
        block->deductions[slot - 1].incomeTax = 100 * slot;
    }
    const PeriodBlock saved = *block;
    period_.open(4, std::move(block), &saved, nullptr);
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription subscription =
        period_.subscribe([&](const PeriodChange& change) { told.push_back(change); });

    EXPECT_FALSE(period_.removeEmployee(EmployeeId("x")));
    EXPECT_TRUE(told.empty());
    EXPECT_FALSE(period_.isModified());

    ASSERT_TRUE(period_.removeEmployee(EmployeeId("b")));
    EXPECT_EQ(period_.employee(EmployeeId("b")), nullptr);
    for (const auto& [id, n] : {std::pair{"a", 1}, std::pair{"c", 3}}) {
        const EmployeeId employee(id);
        EXPECT_EQ(period_.value(employee, ItemId::attendance(kDaysWorked)), 10 + n) << id;
        EXPECT_EQ(period_.value(employee, ItemId::payment(13)), 1000 * n) << id;
        EXPECT_EQ(int(period_.block().deductions[period_.slotOf(employee) - 1].incomeTax), 100 * n)
            << id;
    }
    EXPECT_EQ(period_.slotOf(EmployeeId("c")), 2);
    EXPECT_FALSE(period_.block().employee(3).isUsed());
    EXPECT_EQ(period_.block().attendance[2].daysWorked, 0);
    EXPECT_TRUE(period_.isModified());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].employee, EmployeeId("b"));
    EXPECT_FALSE(told[0].item);
}

}  // namespace
}  // namespace keiro
