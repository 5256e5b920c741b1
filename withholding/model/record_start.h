#pragma once
// A withholding record as an employee of December starts it when the year's file is built (or
// when a slot gets a new employee): its yearly totals, the 乙欄 flag from the payroll's tax
// column; when there is no last year's file at all, the furigana and birth date from the
// payroll master; and when nothing was carried over for this employee, the payroll's 扶養人数
// as the count of その他 dependants, so that the year does not start without dependants.  The
// payroll master has no breakdown by kind and no disability flags, so the clerk sorts the count
// out in the editor.

#include "core/records.h"
#include "withholding/model/records.h"
#include "withholding/model/yearly_totals.h"

namespace keiro::withholding {

struct RecordStart {
    bool copyIdentity = false;    // no last year's file: furigana and birth date from payroll
    bool seedDependants = false;  // nothing carried over: 扶養人数 as その他 dependants
};

void startRecord(WithholdingRecord& record, const EmployeeRecord& employee,
                 const YearlyTotals& totals, RecordStart how);
void startRecord(LegacyWithholdingRecord& record, const EmployeeRecord& employee,
                 const YearlyTotals& totals, RecordStart how);

}  // namespace keiro::withholding
