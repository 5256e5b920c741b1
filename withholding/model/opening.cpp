#include "withholding/model/opening.h"

#include <array>
#include <cstring>
#include <vector>

#include "core/fileio.h"
#include "withholding/model/leavers.h"
#include "withholding/model/legacy_conversion.h"
#include "withholding/model/record_start.h"
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
        file.supplement(to) = previous.supplement(from);
    } else if (file.currentFormat()) {
        convertLegacyRecord(previous.legacyRecord(from), file.record(to));
    } else if (!previous.currentFormat()) {
        file.legacyRecord(to) = previous.legacyRecord(from);
    }
    // A legacy year never follows a current-format one; nothing is carried backwards.
}

// What belongs to last year's adjustment, not to the employee: the hand-entry flags, the
// status, the joining or leaving of that year, and (1500-byte records) the figures stored by
// that year's calculation and the leaver's slot.
template <typename Record>
void clearLastYearsState(Record& record) {
    std::memset(record.manualFlags, 0, sizeof record.manualFlags);
    record.adjustStatus = kNotProcessed;
    JoinLeaveBirth& j = record.joinLeaveBirth;
    j.joined = j.left = j.changeYear = j.changeMonth = j.changeDay = 0;
}

// The 1500-byte records also start the year's amounts and dates empty: everything the
// employee declares for one year (the income estimate, premiums and deductions, the year's
// housing-loan figures, the incomes of 特定親族 and of the spouse, previous employers), the 摘要
// written for that year and the figures of last year's calculation.  What stays is who the
// people are: names, addresses, numbers, birth dates, relationships, residence and the reason
// of a non-resident, the 特定親族 and the dependants from the fifth on, the counts and the
// person flags, and of a housing loan the residence start date, kind and 特定取得 with the
// number of loans, which belong to the loan rather than to the year.
void clearLastYearsState(WithholdingRecord& record, WithholdingSupplement& supplement) {
    clearLastYearsState<WithholdingRecord>(record);
    record.leaveException = kLeaveNoException;
    record.figuresStored = 0;
    record.flatCutSpouseNotDeductible = 0;
    record.typedCountsKept = 0;
    record.spouseAmountGiven = record.housingLoanUsed = 0;
    record.flatCutApplied = record.flatCutNotApplied = 0;
    record.leaverRecordId.clear();

    record.paid = record.withheld = record.socialInsurance = 0;
    record.incomeAfterDeduction = record.totalDeductions = record.annualTax = 0;
    record.spouseSpecial = 0;
    record.incomeEstimateEntered = 0;
    record.incomeEstimate = 0;
    for (auto& line : record.remarks) line.clear();
    record.lifeInsurance = record.earthquakeInsurance = 0;
    record.lifeNew = record.lifeOld = record.medicalCare = 0;
    record.pensionNew = record.pensionOld = 0;
    record.earthquakePremium = record.oldLongTermInsurance = 0;
    record.nationalPension = record.otherDeclaredSocial = 0;
    record.smallBusinessMutualAid = 0;
    record.housingLoanCredit = record.housingLoanAvailable = 0;
    for (auto& balance : record.housingLoanBalance) balance = 0;
    for (auto& income : record.specificRelativeIncome) income = 0;
    record.spouseIncome = 0;
    for (auto& previous : supplement.previousEmployers) previous = PreviousEmployer{};
}

// Carries last year's records over; returns which slots were carried.
std::array<bool, kMaxEmployees> carryOver(const WithholdingPaths& paths,
                                          const PeriodBlock& december, WithholdingFile& file) {
    std::array<bool, kMaxEmployees> carried{};
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
            if (from == 0) continue;
            carryRecord(previous, from, file, slot);
            carried[static_cast<std::size_t>(slot - 1)] = true;
        }
    }
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (file.currentFormat()) {
            clearLastYearsState(file.record(slot), file.supplement(slot));
        } else {
            clearLastYearsState(file.legacyRecord(slot));
        }
    }
    return carried;
}

}  // namespace

WithholdingFile buildWithholdingFile(YearView& year, const WithholdingPaths& paths) {
    const std::vector<PlacedLeaver> leavers =
        paths.currentFormat ? placeNewLeavers(year) : std::vector<PlacedLeaver>{};
    const PeriodBlock& december = year.block(kDecember);
    WithholdingFile file(paths.currentFormat);
    const bool hasPrevious = mayExist(paths.previousFile);
    std::array<bool, kMaxEmployees> carried{};
    if (hasPrevious) carried = carryOver(paths, december, file);

    const std::array<YearlyTotals, kMaxEmployees> totals = yearlyTotalsOfDecember(year);
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const auto index = static_cast<std::size_t>(slot - 1);
        const RecordStart how{.copyIdentity = !hasPrevious, .seedDependants = !carried[index]};
        if (file.currentFormat()) {
            startRecord(file.record(slot), december.employee(slot), totals[index], how);
        } else {
            startRecord(file.legacyRecord(slot), december.employee(slot), totals[index], how);
        }
    }
    for (const PlacedLeaver& leaver : leavers) {
        file.record(leaver.slot).leaverRecordId.assignBytes(leaver.recordId);
    }
    return file;
}

std::optional<WithholdingFile> openWithholdingFile(YearView& year, const WithholdingPaths& paths) {
    if (!year.isSaved(kDecember)) return std::nullopt;
    if (!mayExist(paths.file)) return buildWithholdingFile(year, paths);
    WithholdingFile file = WithholdingFile::load(paths.file, paths.currentFormat);
    completeWithLeavers(year, file);
    return file;
}

}  // namespace keiro::withholding
