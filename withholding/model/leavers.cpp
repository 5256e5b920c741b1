#include "withholding/model/leavers.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "withholding/model/record_start.h"

namespace keiro::withholding {
namespace {

constexpr int kDecember = 12;
constexpr std::uint8_t kRetired = 3;  // EmployeeRecord::workStatus 退職

// The periods before December's salary in the order of the year's pay: the months, then the
// bonuses.
constexpr std::array<int, kPeriodCount - 1> kEarlierPeriods{1, 2, 3,  4,  5,  6,  7,
                                                            8, 9, 10, 11, 13, 14, 15};

int decemberSlotOf(const YearView& year, std::string_view recordId) {
    const PeriodBlock& december = year.block(kDecember);
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (december.employee(slot).recordId.bytes() == recordId) return slot;
    }
    return 0;
}

// The employee's master as the latest earlier period holding it stands (the last month, else
// the last bonus), marked 退職; nothing when no period holds it.
std::optional<EmployeeRecord> latestMaster(const YearView& year, std::string_view recordId) {
    for (auto period = kEarlierPeriods.rbegin(); period != kEarlierPeriods.rend(); ++period) {
        const PeriodBlock& block = year.block(*period);
        for (int slot = 1; slot <= kMaxEmployees; ++slot) {
            if (block.employee(slot).recordId.bytes() != recordId) continue;
            EmployeeRecord master = block.employee(slot);
            master.workStatus = kRetired;
            return master;
        }
    }
    return std::nullopt;
}

// The recordIds of earlier periods that December does not hold, in order of first appearance.
std::vector<std::string> leaverIds(const YearView& year) {
    std::vector<std::string> ids;
    for (int period : kEarlierPeriods) {
        const PeriodBlock& block = year.block(period);
        for (int slot = 1; slot <= kMaxEmployees; ++slot) {
            const std::string_view id = block.employee(slot).recordId.bytes();
            if (id.empty() || decemberSlotOf(year, id) != 0) continue;
            if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.emplace_back(id);
        }
    }
    return ids;
}

// A slot free for a leaver: December has nobody there and no leaver of the file keeps it.
int freeSlot(const YearView& year, const WithholdingFile* file) {
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (year.block(kDecember).employee(slot).isUsed()) continue;
        if (file != nullptr && !file->record(slot).leaverRecordId.empty()) continue;
        return slot;
    }
    return 0;
}

// A record begun afresh for the employee December now shows in `slot`.
void restart(WithholdingFile& file, const YearView& year, int slot) {
    const EmployeeRecord& employee = year.block(kDecember).employee(slot);
    WithholdingRecord& record = file.record(slot);
    record = {};
    startRecord(record, employee, yearlyTotals(year, employee.recordId.bytes()),
                {.copyIdentity = true, .seedDependants = true});
}

}  // namespace

std::vector<PlacedLeaver> placeNewLeavers(YearView& year, const WithholdingFile* file) {
    std::vector<PlacedLeaver> placed;
    for (const std::string& id : leaverIds(year)) {
        const int slot = freeSlot(year, file);
        if (slot == 0) break;  // December is full
        year.placeEmployee(kDecember, slot, *latestMaster(year, id));
        placed.push_back({slot, id});
    }
    return placed;
}

void completeWithLeavers(YearView& year, WithholdingFile& file) {
    if (!file.currentFormat()) return;
    // The leavers the file keeps; a slot December now uses is noted and its leaver moved after.
    std::vector<int> displaced;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        WithholdingRecord& record = file.record(slot);
        const std::string id(record.leaverRecordId.bytes());
        if (id.empty()) continue;
        const std::optional<EmployeeRecord> master = latestMaster(year, id);
        if (!master || decemberSlotOf(year, id) != 0) {
            // Back in December's master, or gone from the year: no longer a leaver of its own.
            record.leaverRecordId.clear();
        } else if (year.block(kDecember).employee(slot).isUsed()) {
            displaced.push_back(slot);
        } else {
            year.placeEmployee(kDecember, slot, *master);
        }
    }
    for (int from : displaced) {
        const int to = freeSlot(year, &file);
        if (to != 0) {
            file.record(to) = file.record(from);
            year.placeEmployee(kDecember, to,
                               *latestMaster(year, file.record(to).leaverRecordId.bytes()));
        }
        restart(file, year, from);
    }
    for (const PlacedLeaver& leaver : placeNewLeavers(year, &file)) {
        WithholdingRecord& record = file.record(leaver.slot);
        restart(file, year, leaver.slot);
        record.leaverRecordId.assignBytes(leaver.recordId);
    }
}

}  // namespace keiro::withholding
