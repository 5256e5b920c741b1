#include "withholding/model/record_start.h"

#include <algorithm>

namespace keiro::withholding {
namespace {

constexpr std::int32_t kMostDependants = 99;  // the editor's count boxes take two digits

template <typename Record>
void start(Record& record, const EmployeeRecord& employee, const YearlyTotals& totals,
           RecordStart how) {
    applyYearlyTotals(record, totals);
    record.flags.secondaryColumn = employee.taxColumn == 1 ? 1 : 0;
    if (how.copyIdentity) {
        record.furigana.clear();
        record.furigana.assignBytes(employee.nameKana.bytes());
        record.joinLeaveBirth.birth = {employee.birthEra, employee.birthYear, employee.birthMonth,
                                       employee.birthDay};
    }
    if (how.seedDependants) {
        record.dependants.general =
            static_cast<std::uint8_t>(std::clamp(employee.dependents, 0, kMostDependants));
    }
}

}  // namespace

void startRecord(WithholdingRecord& record, const EmployeeRecord& employee,
                 const YearlyTotals& totals, RecordStart how) {
    start(record, employee, totals, how);
}

void startRecord(LegacyWithholdingRecord& record, const EmployeeRecord& employee,
                 const YearlyTotals& totals, RecordStart how) {
    if (how.copyIdentity) record.spouseFlags[LegacyWithholdingRecord::kSpouseNo] = 1;
    start(record, employee, totals, how);
}

}  // namespace keiro::withholding
