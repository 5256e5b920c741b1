#include "withholding/model/opening.h"

#include <cstring>

#include "core/fileio.h"
#include "withholding/model/legacy_conversion.h"
#include "withholding/model/yearly_totals.h"

namespace keiro::withholding {
namespace {

constexpr int kDecember = 12;

// Slot (1-based) of last year's December whose recordId equals `recordId`; 0 when none.
int previousSlotOf(const PeriodBlock& previousDecember, std::string_view recordId) {
    if (recordId.empty()) return 0;
    for (int j = 0; j < kMaxEmployees; ++j) {
        if (previousDecember.employees[j].recordId.bytes() == recordId) return j + 1;
    }
    return 0;
}

void carryRecord(const WithholdingFile& previous, int from, WithholdingFile& file, int to) {
    if (file.currentFormat() && previous.currentFormat()) {
        file.record(to) = previous.record(from);
    } else if (file.currentFormat()) {
        convertLegacyRecord(previous.legacyRecord(from), file.record(to));
    } else if (!previous.currentFormat()) {
        file.legacyRecord(to) = previous.legacyRecord(from);
    }
    // A legacy year never follows a current-format one; nothing is carried backwards.
}

template <typename Record>
void clearLastYearsState(Record& record) {
    std::memset(record.manualFlags, 0, sizeof record.manualFlags);
    record.adjustStatus = kNotProcessed;
}

void carryOver(const WithholdingPaths& paths, const PeriodBlock& december, WithholdingFile& file) {
    const WithholdingFile previous =
        WithholdingFile::load(paths.previousFile, paths.previousCurrentFormat);
    file.header() = previous.header();
    // Without last year's year file nobody can be matched: every record starts empty.
    const std::optional<YearView> previousYear = YearView::ifExists(paths.previousYearFile);
    if (previousYear) {
        const PeriodBlock& previousDecember = previousYear->block(kDecember);
        for (int slot = 1; slot <= kMaxEmployees; ++slot) {
            const int from =
                previousSlotOf(previousDecember, december.employee(slot).recordId.bytes());
            if (from != 0) carryRecord(previous, from, file, slot);
        }
    }
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (file.currentFormat()) {
            clearLastYearsState(file.record(slot));
        } else {
            clearLastYearsState(file.legacyRecord(slot));
        }
    }
}

template <typename Record>
void copyFromMaster(const EmployeeRecord& employee, Record& record) {
    record.furigana.clear();
    record.furigana.assignBytes(employee.nameKana.bytes());
    record.joinLeaveBirth.birth = {employee.birthEra, employee.birthYear, employee.birthMonth,
                                   employee.birthDay};
}

}  // namespace

WithholdingFile buildWithholdingFile(const YearView& year, const WithholdingPaths& paths) {
    const PeriodBlock& december = year.block(kDecember);
    WithholdingFile file(paths.currentFormat);
    const bool hasPrevious = mayExist(paths.previousFile);
    if (hasPrevious) carryOver(paths, december, file);

    const std::array<YearlyTotals, kMaxEmployees> totals = yearlyTotalsOfDecember(year);
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& employee = december.employee(slot);
        const std::uint8_t secondaryColumn = employee.taxColumn == 1 ? 1 : 0;
        if (file.currentFormat()) {
            WithholdingRecord& record = file.record(slot);
            applyYearlyTotals(record, totals[slot - 1]);
            record.flags.secondaryColumn = secondaryColumn;
            if (!hasPrevious) copyFromMaster(employee, record);
        } else {
            LegacyWithholdingRecord& record = file.legacyRecord(slot);
            applyYearlyTotals(record, totals[slot - 1]);
            record.flags.secondaryColumn = secondaryColumn;
            if (!hasPrevious) {
                record.spouseFlags[LegacyWithholdingRecord::kSpouseNo] = 1;
                copyFromMaster(employee, record);
            }
        }
    }
    return file;
}

std::optional<WithholdingFile> openWithholdingFile(const YearView& year,
                                                   const WithholdingPaths& paths) {
    if (!year.isSaved(kDecember)) return std::nullopt;
    if (mayExist(paths.file)) return WithholdingFile::load(paths.file, paths.currentFormat);
    return buildWithholdingFile(year, paths);
}

}  // namespace keiro::withholding
